#include "platform/MediaEngineFactories.h"

#include <thread>

#include "media/NullMediaEngine.h"
#include "platform/MpvEngine.h"
#include "platform/MpvLibrary.h"
#include "platform/SdlLoopWakeup.h"

std::vector<MediaEngineFactory> MediaEngineFactories(VideoTarget& target, SdlUiLoop& loop) {
  return {
      {"libmpv",
       [&target, &loop]() -> std::unique_ptr<MediaEngine> {
         return MpvEngine::Create(target, SdlLoopWakeup::Create(loop));
       }},
      {"none",
       []() -> std::unique_ptr<MediaEngine> {
         return std::make_unique<NullMediaEngine>("the media engine could not be started");
       }},
  };
}

struct MediaEnginePreload::Thread {
  std::thread thread{[] { MpvLibrary::Load(); }};
  ~Thread() { thread.join(); }
};

MediaEnginePreload::MediaEnginePreload() : mThread(std::make_unique<Thread>()) {}

MediaEnginePreload::~MediaEnginePreload() = default;
