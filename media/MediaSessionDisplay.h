#pragma once

// What element drawing reads of the media session, over the session's units.

#include "render/MediaDisplay.h"

class MediaEngine;
class MediaTexts;
class OnScreenInfo;
class VideoPlacement;
struct MediaSessionState;
struct UiTexts;

class MediaSessionDisplay final : public MediaDisplay {
 public:
  MediaSessionDisplay(MediaEngine& engine, const MediaSessionState& state, const UiTexts& texts,
                      MediaTexts& mediaTexts, VideoPlacement& placement,
                      const OnScreenInfo& onScreenInfo);

  bool IsOpen() const override;
  bool IsRunning() const override;
  bool HasVideo() const override;
  double Duration() const override;
  double LastShownPosition() const override;
  const std::string& MediaTitle() const override;
  const std::string& StatusText() const override;
  std::string MediaTimeText() override;
  std::string MediaStateText() override;
  std::string PositionText() override;
  bool PreferredAspectRatio(int32_t& x, int32_t& y) override;
  bool DestinationSize(int32_t& width, int32_t& height) override;
  void PlaceVideo(const SkinElement& element) override;

 private:
  MediaEngine& mEngine;
  const MediaSessionState& mState;
  const UiTexts& mTexts;
  MediaTexts& mMediaTexts;
  VideoPlacement& mPlacement;
  const OnScreenInfo& mOnScreenInfo;
};
