#pragma once

// What element drawing reads of the media session, and the one thing it asks
// of it: to place the video over the video element when that is drawn.

#include <cstdint>
#include <string>

struct SkinElement;

class MediaDisplay {
 public:
  virtual ~MediaDisplay() = default;

  virtual bool IsOpen() const = 0;     // a medium is open
  virtual bool IsRunning() const = 0;  // playback was last told to run
  virtual bool HasVideo() const = 0;
  virtual double Duration() const = 0;           // seconds; 0 when nothing is open
  virtual double LastShownPosition() const = 0;  // seconds; 0 when nothing is open
  virtual const std::string& MediaTitle() const = 0;
  virtual const std::string& StatusText() const = 0;

  // "hh:mm:ss (hh:mm:ss)": position and duration; empty when nothing is open.
  virtual std::string MediaTimeText() = 0;
  // "(Play)", "(Pause)", "(Stop)", "(Forward x8)", ...; empty when nothing is open.
  virtual std::string MediaStateText() = 0;
  // The current position as "hh:mm:ss"; empty when nothing is open.
  virtual std::string PositionText() = 0;

  // The picture's preferred aspect ratio; false when there is no video.
  virtual bool PreferredAspectRatio(int32_t& x, int32_t& y) = 0;
  // The size of the video's destination rectangle; false when there is no video.
  virtual bool DestinationSize(int32_t& width, int32_t& height) = 0;

  // Places the video window over the element (or the whole area in
  // full-screen video mode) and fits the picture into it.
  virtual void PlaceVideo(const SkinElement& element) = 0;
};

// The media session while nothing can be open: "no media" everywhere.
class NoMediaDisplay final : public MediaDisplay {
 public:
  bool IsOpen() const override { return false; }
  bool IsRunning() const override { return false; }
  bool HasVideo() const override { return false; }
  double Duration() const override { return 0; }
  double LastShownPosition() const override { return 0; }
  const std::string& MediaTitle() const override { return mTitle; }
  const std::string& StatusText() const override { return mStatus; }
  std::string MediaTimeText() override { return {}; }
  std::string MediaStateText() override { return {}; }
  std::string PositionText() override { return {}; }
  bool PreferredAspectRatio(int32_t&, int32_t&) override { return false; }
  bool DestinationSize(int32_t&, int32_t&) override { return false; }
  void PlaceVideo(const SkinElement&) override {}

  std::string mTitle = "nothing loaded";
  std::string mStatus;
};
