#include "media/DeferredMediaEngine.h"

#include <cassert>

#include "base/Log.h"
#include "media/NullMediaEngine.h"

DeferredMediaEngine::DeferredMediaEngine(std::vector<MediaEngineFactory> factories)
    : mFactories(std::move(factories)) {}

DeferredMediaEngine::~DeferredMediaEngine() = default;

void DeferredMediaEngine::Start() {
  if (mEngine) return;
  for (const MediaEngineFactory& factory : mFactories) {
    mEngine = factory.start();
    if (mEngine) {
      mStartedName = factory.name;
      break;
    }
    WriteLog("the media engine " + factory.name + " could not be started");
  }
  assert(mEngine && "the list of media engines ends in one that always starts");
  if (!mEngine) {
    mEngine = std::make_unique<NullMediaEngine>("no media engine could be started");
    mStartedName = "none";
  }
  mFactories.clear();
  if (mVolume) mEngine->SetVolume(*mVolume);
  if (mBalance) mEngine->SetBalance(*mBalance);
  if (mRate) mEngine->SetRate(*mRate);
  if (mVideoWindow) mEngine->SetVideoWindow(*mVideoWindow);
  if (mDestination != PixelRect{}) mEngine->SetDestination(mDestination);
}

OpenResult DeferredMediaEngine::Open(const std::string& path) {
  Start();
  return mEngine->Open(path);
}

void DeferredMediaEngine::Close() {
  if (mEngine) mEngine->Close();
}

bool DeferredMediaEngine::IsOpen() const {
  return mEngine && mEngine->IsOpen();
}

std::vector<MediaStream> DeferredMediaEngine::Streams() const {
  return mEngine ? mEngine->Streams() : std::vector<MediaStream>{};
}

void DeferredMediaEngine::Run() {
  if (mEngine) mEngine->Run();
}

void DeferredMediaEngine::Pause() {
  if (mEngine) mEngine->Pause();
}

void DeferredMediaEngine::Stop() {
  if (mEngine) mEngine->Stop();
}

double DeferredMediaEngine::CurrentPosition() {
  return mEngine ? mEngine->CurrentPosition() : 0;
}

void DeferredMediaEngine::SetCurrentPosition(double seconds) {
  if (mEngine) mEngine->SetCurrentPosition(seconds);
}

void DeferredMediaEngine::JumpTo(double seconds) {
  if (mEngine) mEngine->JumpTo(seconds);
}

double DeferredMediaEngine::Duration() {
  return mEngine ? mEngine->Duration() : 0;
}

void DeferredMediaEngine::SetRate(double rate) {
  if (mEngine) {
    mEngine->SetRate(rate);
  } else {
    mRate = rate;
  }
}

bool DeferredMediaEngine::GetEvent(int32_t& code) {
  return mEngine && mEngine->GetEvent(code);
}

void DeferredMediaEngine::SetVolume(int32_t hundredthsOfDecibel) {
  if (mEngine) {
    mEngine->SetVolume(hundredthsOfDecibel);
  } else {
    mVolume = hundredthsOfDecibel;
  }
}

void DeferredMediaEngine::SetBalance(int32_t balance) {
  if (mEngine) {
    mEngine->SetBalance(balance);
  } else {
    mBalance = balance;
  }
}

bool DeferredMediaEngine::PreferredAspectRatio(int32_t& x, int32_t& y) {
  return mEngine && mEngine->PreferredAspectRatio(x, y);
}

bool DeferredMediaEngine::VideoSize(int32_t& width, int32_t& height) {
  return mEngine && mEngine->VideoSize(width, height);
}

void DeferredMediaEngine::SetVideoWindow(const PixelRect& window) {
  if (mEngine) {
    mEngine->SetVideoWindow(window);
  } else {
    mVideoWindow = window;
  }
}

void DeferredMediaEngine::SetDestination(const PixelRect& destination) {
  if (mEngine) {
    mEngine->SetDestination(destination);
  } else {
    mDestination = destination;
  }
}

PixelRect DeferredMediaEngine::Destination() const {
  return mEngine ? mEngine->Destination() : mDestination;
}

std::vector<MediaTrack> DeferredMediaEngine::Tracks(MediaTrackType type) {
  return mEngine ? mEngine->Tracks(type) : std::vector<MediaTrack>{};
}

void DeferredMediaEngine::SelectTrack(MediaTrackType type, int64_t id) {
  if (mEngine) mEngine->SelectTrack(type, id);
}

std::vector<double> DeferredMediaEngine::ChapterStarts() {
  return mEngine ? mEngine->ChapterStarts() : std::vector<double>{};
}
