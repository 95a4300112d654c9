#pragma once

#include <vector>

#include "media/DeferredMediaEngine.h"

class SdlUiLoop;
class VideoTarget;

// The media engines the program can play with, in the order it tries them:
// libmpv drawing into the target, then the null engine, which always starts
// and fails every open with the reason. The target and the loop must outlive
// every engine made.
std::vector<MediaEngineFactory> MediaEngineFactories(VideoTarget& target, SdlUiLoop& loop);

// Loads what the first engine of the list needs on a thread of its own, so
// that the first open does not wait for it; the engines still start on the
// UI thread. Waits for the load when destroyed.
class MediaEnginePreload {
 public:
  MediaEnginePreload();
  ~MediaEnginePreload();
  MediaEnginePreload(const MediaEnginePreload&) = delete;
  MediaEnginePreload& operator=(const MediaEnginePreload&) = delete;

 private:
  struct Thread;
  std::unique_ptr<Thread> mThread;
};
