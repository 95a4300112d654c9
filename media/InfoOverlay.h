#pragma once

// The information elements of the skin window wndInfo: drawn over the
// interface while something is prepared, taken away again afterwards. A text
// given for an element is shown once; the skin's own text is never changed.

#include <string_view>

#include "render/InfoDisplay.h"

class PointerVisibility;
class Screen;
class SkinModel;
struct OverlayState;

class InfoOverlay final : public InfoDisplay {
 public:
  InfoOverlay(SkinModel& skin, Screen& screen, PointerVisibility& pointer,
              const OverlayState& overlay);

  // Draws "wndInfo." + name; text "xselfx" (any case) keeps the element's own
  // text. hideMouse hides the pointer, forced.
  void ShowInfo(std::string_view name, std::string_view text, bool hideMouse) override;

  // Shows the pointer (forced); in full-screen video mode clears the element
  // to its background, otherwise repaints the whole window.
  void HideInfo(std::string_view name) override;

 private:
  SkinModel& mSkin;
  Screen& mScreen;
  PointerVisibility& mPointer;
  const OverlayState& mOverlay;
};
