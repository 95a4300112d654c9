#pragma once

// The media engine when no real one could be set up: every open fails with the
// reason, so the program keeps running and says why nothing plays.

#include "media/MediaEngine.h"

class NullMediaEngine final : public MediaEngine {
 public:
  explicit NullMediaEngine(std::string reason) : mReason(std::move(reason)) {}

  OpenResult Open(const std::string&) override { return {OpenStatus::Failed, mReason}; }
  void Close() override {}
  bool IsOpen() const override { return false; }
  std::vector<MediaStream> Streams() const override { return {}; }
  void Run() override {}
  void Pause() override {}
  void Stop() override {}
  double CurrentPosition() override { return 0; }
  void SetCurrentPosition(double) override {}
  double Duration() override { return 0; }
  void SetRate(double) override {}
  bool GetEvent(int32_t&) override { return false; }
  void SetVolume(int32_t) override {}
  void SetBalance(int32_t) override {}
  bool PreferredAspectRatio(int32_t&, int32_t&) override { return false; }
  bool VideoSize(int32_t&, int32_t&) override { return false; }
  void SetVideoWindow(const PixelRect&) override {}
  void SetDestination(const PixelRect&) override {}
  PixelRect Destination() const override { return {}; }

 private:
  std::string mReason;
};
