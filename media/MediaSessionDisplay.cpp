#include "media/MediaSessionDisplay.h"

#include "media/MediaEngine.h"
#include "media/MediaSessionState.h"
#include "media/MediaTexts.h"
#include "media/OnScreenInfo.h"
#include "media/VideoPlacement.h"
#include "render/UiTexts.h"

MediaSessionDisplay::MediaSessionDisplay(MediaEngine& engine, const MediaSessionState& state,
                                         const UiTexts& texts, MediaTexts& mediaTexts,
                                         VideoPlacement& placement,
                                         const OnScreenInfo& onScreenInfo)
    : mEngine(engine),
      mState(state),
      mTexts(texts),
      mMediaTexts(mediaTexts),
      mPlacement(placement),
      mOnScreenInfo(onScreenInfo) {}

bool MediaSessionDisplay::IsOpen() const {
  return mEngine.IsOpen();
}
bool MediaSessionDisplay::IsRunning() const {
  return mState.mIsRunning;
}
bool MediaSessionDisplay::HasVideo() const {
  return mState.mHasVideo;
}
// With nothing open (after a failed open, say) the bars show no position,
// not that of the medium played before.
double MediaSessionDisplay::Duration() const {
  return mEngine.IsOpen() ? mState.mDuration : 0;
}
double MediaSessionDisplay::LastShownPosition() const {
  return mEngine.IsOpen() ? mOnScreenInfo.LastShownPosition() : 0;
}
const std::string& MediaSessionDisplay::MediaTitle() const {
  return mTexts.mMediaTitle;
}
const std::string& MediaSessionDisplay::StatusText() const {
  return mTexts.mStatusText;
}
std::string MediaSessionDisplay::MediaTimeText() {
  return mMediaTexts.GetMediaTimeStr();
}
std::string MediaSessionDisplay::MediaStateText() {
  return mMediaTexts.GetMediaStateStr();
}
std::string MediaSessionDisplay::PositionText() {
  return mMediaTexts.GetPositionStr();
}

bool MediaSessionDisplay::PreferredAspectRatio(int32_t& x, int32_t& y) {
  return mPlacement.SourceAspectRatio(x, y);
}

bool MediaSessionDisplay::DestinationSize(int32_t& width, int32_t& height) {
  if (!mState.mHasVideo) return false;
  const PixelRect destination = mEngine.Destination();
  width = destination.width;
  height = destination.height;
  return true;
}

void MediaSessionDisplay::PlaceVideo(const SkinElement& element) {
  mPlacement.PlaceVideo(element);
}
