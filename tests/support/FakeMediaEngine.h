#pragma once

// A media engine that plays scripted media. Each path is given what opening
// it gives (status, error text, streams, duration, aspect, picture size); a
// path without a script is a missing file. The position only moves when the
// test sets it; events are queued by the test.

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "media/MediaEngine.h"

struct FakeMedium {
  OpenStatus status = OpenStatus::Opened;
  std::string errorDescription;
  std::vector<MediaStream> streams;
  double duration = 0;
  bool aspectKnown = true;
  int32_t aspectX = 0;
  int32_t aspectY = 0;
  int32_t videoWidth = 0;  // 0: the picture size is not known
  int32_t videoHeight = 0;

  // A film with one video and one audio stream.
  static FakeMedium Film(double duration, int32_t aspectX = 16, int32_t aspectY = 9);
  // Sound only.
  static FakeMedium Song(double duration);
  // A file that opens but whose only stream is neither sound nor picture.
  static FakeMedium SubtitlesOnly(double duration);
  static FakeMedium Unreadable();                                 // nothing can read it
  static FakeMedium Broken(const std::string& errorDescription);  // fails while loading
};

class FakeMediaEngine final : public MediaEngine {
 public:
  void Script(const std::string& path, FakeMedium medium) { mMedia[path] = std::move(medium); }

  OpenResult Open(const std::string& path) override;
  void Close() override;
  bool IsOpen() const override { return mIsOpen; }
  std::vector<MediaStream> Streams() const override;
  void Run() override;
  void Pause() override;
  void Stop() override;
  double CurrentPosition() override { return mPosition; }
  void SetCurrentPosition(double seconds) override;
  double Duration() override;
  void SetRate(double rate) override;
  bool GetEvent(int32_t& code) override;
  void SetVolume(int32_t hundredthsOfDecibel) override;
  void SetBalance(int32_t balance) override;
  bool PreferredAspectRatio(int32_t& x, int32_t& y) override;
  bool VideoSize(int32_t& width, int32_t& height) override;
  void SetVideoWindow(const PixelRect& window) override;
  void SetDestination(const PixelRect& destination) override;
  PixelRect Destination() const override { return mDestination; }

  // Test controls.
  void QueueEvent(int32_t code) { mEvents.push_back(code); }
  void SetPosition(double seconds) { mPosition = seconds; }
  std::vector<std::string> mOpenedPaths;  // every Open, in order, whatever its outcome
  bool mIsOpen = false;
  bool mIsPlaying = false;
  double mPosition = 0;
  int32_t mVolume = 0;
  PixelRect mVideoWindow;
  PixelRect mDestination;

 private:
  const FakeMedium* Current() const;

  std::map<std::string, FakeMedium> mMedia;
  std::string mOpenPath;
  std::deque<int32_t> mEvents;
};
