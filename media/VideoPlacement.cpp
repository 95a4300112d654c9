#include "media/VideoPlacement.h"

#include <utility>

#include "base/Conversions.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaSessionState.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "skin/SkinModel.h"
#include "store/ModeNames.h"
#include "store/Settings.h"

namespace {

constexpr int32_t kAspectSource = 0;
constexpr int32_t kAspectZoom = 2;
constexpr int32_t kAspectForce = 1;
constexpr int32_t kLongestOSDTime = 5000;

// The toggles of the options: 1 when the setting was 0, any other value gives 0.
int32_t Toggled(int32_t value) {
  return value == 0 ? 1 : 0;
}

}  // namespace

VideoFit FitPicture(double W, double H, int32_t aspectX, int32_t aspectY, int32_t aspectMode,
                    bool anamorphic) {
  const double aX = aspectX;
  const double aY = aspectY;
  const double ratio = aX / aY;
  const bool zoom = aspectMode == kAspectZoom;
  // A picture that fills the width is centred vertically (a negative top
  // crops a zoomed picture); one that fills the height horizontally.
  const auto fullWidth = [&](double height) { return VideoFit{0, (H - height) / 2, W, height}; };
  const auto fullHeight = [&](double width) { return VideoFit{(W - width) / 2, 0, width, H}; };
  // The table was made for 4:3 screens, where the video area is 4:3 (16:9 on
  // an anamorphic one). In source mode a picture is compared with the area it
  // is shown in, so that a 4:3 film on a 16:9 screen is pillarboxed as the
  // mode promises rather than cut at top and bottom; on a 4:3 area nothing
  // changes. Force and zoom keep filling the width.
  const bool source = aspectMode == kAspectSource && W > 0 && H > 0;
  const double normalArea = source ? W / H : 4.0 / 3.0;
  const double anamorphicArea = source ? W / H / 0.75 : 16.0 / 9.0;
  if (anamorphic) {
    if (anamorphicArea <= ratio) return fullWidth(W / aX * aY / 0.75);
    // The zoom factor is 1.25 here, not 4/3: a zoomed picture keeps a little
    // more of its height on an anamorphic display.
    if (zoom) return fullWidth(W / aX * aY * 1.25);
    return fullHeight(H / aY * aX * 0.75);
  }
  if (normalArea <= ratio || zoom) return fullWidth(W / aX * aY);
  return fullHeight(H / aY * aX);
}

VideoPlacement::VideoPlacement(MediaEngine& engine, const MediaSessionState& state,
                               Settings& settings, OverlayState& overlay, StatusLine& status,
                               const SkinModel& skin, const MainWindow& window,
                               const FocusState& focus, Screen& screen,
                               std::function<void(bool)> setAlwaysOnTop)
    : mEngine(engine),
      mState(state),
      mSettings(settings),
      mOverlay(overlay),
      mStatus(status),
      mSkin(skin),
      mWindow(window),
      mFocus(focus),
      mScreen(screen),
      mSetAlwaysOnTop(std::move(setAlwaysOnTop)) {}

bool VideoPlacement::SourceAspectRatio(int32_t& aspectX, int32_t& aspectY) {
  if (!mState.mHasVideo) return false;
  if (mEngine.PreferredAspectRatio(aspectX, aspectY) && aspectX > 0 && aspectY > 0) return true;
  if (mEngine.VideoSize(aspectX, aspectY) && aspectX > 0 && aspectY > 0) return true;
  aspectX = 4;
  aspectY = 3;
  return true;
}

void VideoPlacement::PlaceVideo(const SkinElement& element) {
  double left = 0;
  double top = 0;
  double width = mWindow.ClientWidth();
  double height = mWindow.ClientHeight();
  if (!mOverlay.mIsVideoFullscreen) {
    left = width / 100 * element.PosX;
    top = height / 100 * element.PosY;
    width = width / 100 * element.SizeW;
    height = height / 100 * element.SizeH;
  }
  if (!mState.mHasVideo) return;

  int32_t aspectX = 4;
  int32_t aspectY = 3;
  if (mSettings.gAspectRatioMode == kAspectForce) {
    if (mSettings.gIsMonitorAnamorph != 0) {
      aspectX = 16;
      aspectY = 9;
    }
  } else {
    SourceAspectRatio(aspectX, aspectY);
  }
  const VideoFit fit = FitPicture(width, height, aspectX, aspectY, mSettings.gAspectRatioMode,
                                  mSettings.gIsMonitorAnamorph != 0);
  mEngine.SetVideoWindow(
      {RoundToInt32(left), RoundToInt32(top), RoundToInt32(width), RoundToInt32(height)});
  mEngine.SetDestination({RoundToInt32(fit.left), RoundToInt32(fit.top), RoundToInt32(fit.width),
                          RoundToInt32(fit.height)});
}

void VideoPlacement::PlaceOverVideoElement() {
  PlaceVideo(mSkin.Element(mSkin.FindElement(CurrentElementName(mFocus, "picVideoWindow"))));
}

void VideoPlacement::cmdARMode() {
  // A mode read from a damaged settings file may be negative; the cycle stays in 0..2.
  mSettings.gAspectRatioMode = static_cast<int32_t>(
      ((int64_t{mSettings.gAspectRatioMode} + 1) % kAspectModeCount + kAspectModeCount) %
      kAspectModeCount);
  RedrawCurrentElement(mScreen, mFocus, "picVideoWindow");
  mStatus.Show(AspectModeName(mSettings.gAspectRatioMode));
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
}

void VideoPlacement::cmdChangeOutputAR() {
  mSettings.gIsMonitorAnamorph = Toggled(mSettings.gIsMonitorAnamorph);
  mScreen.RedrawElement("wndOptionsMain.cmdChangeOutputAR", false);
  RedrawCurrentElement(mScreen, mFocus, "picVideoWindow");
}

void VideoPlacement::cmdForceVideoForeground() {
  mSettings.gForceVideoForeground = Toggled(mSettings.gForceVideoForeground);
  PlaceOverVideoElement();
  mScreen.RedrawElement("wndOptionsMain.cmdForceVideoForeground", false);
}

void VideoPlacement::cmdChangeAlwaysOnTop() {
  mSettings.gAlwaysOnTop = Toggled(mSettings.gAlwaysOnTop);
  if (mSetAlwaysOnTop) mSetAlwaysOnTop(mSettings.gAlwaysOnTop == 1);
  mScreen.RedrawElement("wndOptionsMain.cmdChangeAlwaysOnTop", false);
}

void VideoPlacement::cmdChangeOSDTime() {
  // 0, 1000, ... 5000, then 0 again; a value off the steps (from a settings
  // file) also comes back to 0 instead of growing for ever.
  const int64_t next = int64_t{mSettings.gOSDTime} + 1000;
  mSettings.gOSDTime = (next > kLongestOSDTime || next < 0) ? 0 : static_cast<int32_t>(next);
  mScreen.RedrawElement("wndOptionsMain.cmdChangeOSDTime", false);
}

void VideoPlacement::cmdFullsize() {
  const bool wasFullscreen = mOverlay.mIsVideoFullscreen;
  mOverlay.mIsVideoFullscreen = !wasFullscreen;
  if (wasFullscreen) mScreen.HideRemotePanel();
  mScreen.RepaintWindow();
}
