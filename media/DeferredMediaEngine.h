#pragma once

// The media engine the program plays with: the first engine of an ordered
// list that starts, started when it is first needed (the first open, or
// Start) rather than with the program, so that the start window never waits
// for it. Until then nothing is open, and the volume, balance, rate and video
// placement it is given are kept and handed to the engine once it starts.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/MediaEngine.h"

struct MediaEngineFactory {
  std::string name;  // for the log
  // The engine, or nothing (and a log line saying why) when it cannot start.
  std::function<std::unique_ptr<MediaEngine>()> start;
};

class DeferredMediaEngine final : public MediaEngine {
 public:
  // The list ends in an engine that always starts, the null engine.
  explicit DeferredMediaEngine(std::vector<MediaEngineFactory> factories);
  ~DeferredMediaEngine() override;

  // Starts the first engine of the list that starts, once; the log names the
  // engines that could not.
  void Start();
  // The name of the engine that started; empty before.
  const std::string& StartedName() const { return mStartedName; }

  OpenResult Open(const std::string& path) override;
  void Close() override;
  bool IsOpen() const override;
  std::vector<MediaStream> Streams() const override;
  void Run() override;
  void Pause() override;
  void Stop() override;
  double CurrentPosition() override;
  void SetCurrentPosition(double seconds) override;
  void JumpTo(double seconds) override;
  double Duration() override;
  void SetRate(double rate) override;
  bool GetEvent(int32_t& code) override;
  void SetVolume(int32_t hundredthsOfDecibel) override;
  void SetBalance(int32_t balance) override;
  bool PreferredAspectRatio(int32_t& x, int32_t& y) override;
  bool VideoSize(int32_t& width, int32_t& height) override;
  void SetVideoWindow(const PixelRect& window) override;
  void SetDestination(const PixelRect& destination) override;
  PixelRect Destination() const override;
  std::vector<MediaTrack> Tracks(MediaTrackType type) override;
  void SelectTrack(MediaTrackType type, int64_t id) override;
  std::vector<double> ChapterStarts() override;

 private:
  std::vector<MediaEngineFactory> mFactories;
  std::unique_ptr<MediaEngine> mEngine;
  std::string mStartedName;

  // What the engine is told once it starts.
  std::optional<int32_t> mVolume;
  std::optional<int32_t> mBalance;
  std::optional<double> mRate;
  std::optional<PixelRect> mVideoWindow;
  PixelRect mDestination;
};
