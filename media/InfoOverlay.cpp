#include "media/InfoOverlay.h"

#include <string>
#include <utility>

#include "base/Text.h"
#include "input/PointerVisibility.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "skin/SkinModel.h"

namespace {

constexpr std::string_view kOwnText = "xselfx";

std::string InfoElementName(std::string_view name) {
  std::string fullName = "wndInfo.";
  fullName += name;
  return fullName;
}

}  // namespace

InfoOverlay::InfoOverlay(SkinModel& skin, Screen& screen, PointerVisibility& pointer,
                         const OverlayState& overlay)
    : mSkin(skin), mScreen(screen), mPointer(pointer), mOverlay(overlay) {}

void InfoOverlay::ShowInfo(std::string_view name, std::string_view text, bool hideMouse) {
  if (hideMouse) mPointer.HideMouse(true);
  const std::string fullName = InfoElementName(name);
  const int32_t number = mSkin.FindElement(fullName);
  // An unknown name draws nothing; the header element must not take the text.
  if (number == 0 || EqualsIgnoreCase(text, kOwnText)) {
    mScreen.RedrawElement(fullName, false);
    return;
  }
  std::string skinText = std::exchange(mSkin.Element(number).Text[Idle], std::string(text));
  mScreen.RedrawElement(fullName, false);
  mSkin.Element(number).Text[Idle] = std::move(skinText);
}

void InfoOverlay::HideInfo(std::string_view name) {
  mPointer.ShowMouse(true);
  if (mOverlay.mIsVideoFullscreen) {
    mScreen.RedrawElement(InfoElementName(name), true);
  } else {
    mScreen.RepaintWindow();
  }
}
