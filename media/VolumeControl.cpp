#include "media/VolumeControl.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/MainWindow.h"
#include "base/TimerTable.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaSessionState.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

constexpr int32_t kSilence = -10000;
constexpr int32_t kFullVolume = 0;

}  // namespace

int32_t VolumeStep(int32_t volume) {
  const double distance = std::abs(static_cast<double>(volume) - 2500.0);
  const int32_t step = RoundToInt32(distance / 2500.0) * 100;
  return step <= 0 ? 1 : step;
}

VolumeControl::VolumeControl(MediaEngine& engine, const MediaSessionState& state,
                             Settings& settings, const SkinModel& skin, const MainWindow& window,
                             const FocusState& focus, Screen& screen, UiTimer& elementTimer)
    : mEngine(engine),
      mState(state),
      mSettings(settings),
      mSkin(skin),
      mWindow(window),
      mFocus(focus),
      mScreen(screen),
      mElementTimer(elementTimer) {}

void VolumeControl::ApplyVolume() {
  if (!mState.mHasAudio) return;
  // A settings file may hold any number; the engine only ever gets the range.
  const int32_t volume = std::clamp(mSettings.gMediaVolume, kSilence, kFullVolume);
  mEngine.SetVolume(mSettings.gIsMediaMute == 1 ? kSilence : volume);
  mEngine.SetBalance(0);
}

void VolumeControl::StepBy(int32_t direction) {
  if (mSettings.gIsMediaMute == 1) {
    mSettings.gIsMediaMute = 0;
    RedrawCurrentElement(mScreen, mFocus, "cmdMute");
  }
  const int64_t stepped = static_cast<int64_t>(mSettings.gMediaVolume) +
                          direction * static_cast<int64_t>(VolumeStep(mSettings.gMediaVolume));
  const char* operation = direction > 0 ? "cmdVolUp" : "cmdVolDown";
  if (direction > 0) {
    mSettings.gMediaVolume = static_cast<int32_t>(std::min<int64_t>(stepped, kFullVolume));
  } else {
    mSettings.gMediaVolume = static_cast<int32_t>(std::max<int64_t>(stepped, kSilence));
  }
  WriteLog(std::string(operation) + " - new volume: " + std::to_string(mSettings.gMediaVolume));
  ApplyVolume();
  RedrawCurrentElement(mScreen, mFocus, "cmdVolControl");
}

void VolumeControl::cmdVolUp() {
  StepBy(+1);
}

void VolumeControl::cmdVolDown() {
  StepBy(-1);
}

void VolumeControl::cmdMute() {
  mSettings.gIsMediaMute = mSettings.gIsMediaMute == 0 ? 1 : 0;
  ApplyVolume();
  RedrawCurrentElement(mScreen, mFocus, "cmdMute");
  // The volume bar has a muted look of its own.
  RedrawCurrentElement(mScreen, mFocus, "cmdVolControl");
}

void VolumeControl::PressVolumeControl(std::string_view elementName, int32_t, int32_t y) {
  const SkinElement& element = mSkin.Element(mSkin.FindElement(elementName));
  // The element's rectangle as it is drawn, so a centred element or one whose
  // height follows its width is judged where the user sees it.
  double left = element.PosX;
  double top = element.PosY;
  double width = element.SizeW;
  double height = element.SizeH;
  PercentRectToPixels(mWindow.ClientWidth(), mWindow.ClientHeight(), left, top, width, height);
  const int32_t relativeY = y - RoundToInt32(top);
  const int32_t halfHeight = RoundToInt32(height / 2);

  mVolumeRepeatDirection = 0;
  if (relativeY > halfHeight) {
    mVolumeRepeatDirection = -1;
    cmdVolDown();
  } else {
    mVolumeRepeatDirection = +1;
    cmdVolUp();
  }
  mElementTimer.SetInterval(mSettings.gActionFirstRepeat);
  mElementTimer.Enable();
}

void VolumeControl::RepeatTick() {
  if (mVolumeRepeatDirection == 0) return;
  if (mVolumeRepeatDirection < 0) {
    cmdVolDown();
  } else {
    cmdVolUp();
  }
  mElementTimer.SetInterval(mSettings.gActionNextRepeat);
}

bool VolumeControl::EndRepeat() {
  if (mVolumeRepeatDirection == 0) return false;
  mVolumeRepeatDirection = 0;
  mElementTimer.Disable();
  return true;
}
