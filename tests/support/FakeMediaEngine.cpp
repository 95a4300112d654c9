#include "FakeMediaEngine.h"

FakeMedium FakeMedium::Film(double duration, int32_t aspectX, int32_t aspectY) {
  FakeMedium medium;
  medium.streams = {
      {MediaStreamType::Video, "video stream 1", "h264", {"video: h264 1280x720"}},
      {MediaStreamType::Audio, "audio stream 1", "aac", {"audio: aac 48000 Hz 2 ch"}},
  };
  medium.duration = duration;
  medium.aspectX = aspectX;
  medium.aspectY = aspectY;
  medium.videoWidth = 1280;
  medium.videoHeight = 720;
  return medium;
}

FakeMedium FakeMedium::Song(double duration) {
  FakeMedium medium;
  medium.streams = {{MediaStreamType::Audio, "Track 1", "mp3", {"audio: mp3 44100 Hz 2 ch"}}};
  medium.duration = duration;
  medium.aspectKnown = false;
  return medium;
}

FakeMedium FakeMedium::SubtitlesOnly(double duration) {
  FakeMedium medium;
  medium.streams = {{MediaStreamType::Other, "English", "subrip", {"sub: subrip"}}};
  medium.duration = duration;
  medium.aspectKnown = false;
  return medium;
}

FakeMedium FakeMedium::Unreadable() {
  FakeMedium medium;
  medium.status = OpenStatus::NothingToRender;
  return medium;
}

FakeMedium FakeMedium::Broken(const std::string& errorDescription) {
  FakeMedium medium;
  medium.status = OpenStatus::Failed;
  medium.errorDescription = errorDescription;
  return medium;
}

const FakeMedium* FakeMediaEngine::Current() const {
  if (!mIsOpen) return nullptr;
  const auto found = mMedia.find(mOpenPath);
  return found == mMedia.end() ? nullptr : &found->second;
}

OpenResult FakeMediaEngine::Open(const std::string& path) {
  if (mIsOpen) Close();
  mOpenedPaths.push_back(path);
  const auto found = mMedia.find(path);
  if (found == mMedia.end()) return {OpenStatus::NothingToRender, {}};
  const FakeMedium& medium = found->second;
  if (medium.status != OpenStatus::Opened) return {medium.status, medium.errorDescription};
  mIsOpen = true;
  mOpenPath = path;
  mIsPlaying = false;
  mPosition = 0;
  return {OpenStatus::Opened, {}};
}

void FakeMediaEngine::Close() {
  mIsOpen = false;
  mIsPlaying = false;
  mOpenPath.clear();
  mPosition = 0;
  mEvents.clear();
}

std::vector<MediaStream> FakeMediaEngine::Streams() const {
  const FakeMedium* medium = Current();
  return medium ? medium->streams : std::vector<MediaStream>{};
}

void FakeMediaEngine::Run() {
  if (mIsOpen) mIsPlaying = true;
}

void FakeMediaEngine::Pause() {
  mIsPlaying = false;
}

void FakeMediaEngine::Stop() {
  mIsPlaying = false;
  mPosition = 0;
}

void FakeMediaEngine::SetCurrentPosition(double seconds) {
  if (mIsOpen) mPosition = seconds;
}

double FakeMediaEngine::Duration() {
  const FakeMedium* medium = Current();
  return medium ? medium->duration : 0;
}

void FakeMediaEngine::SetRate(double) {}

bool FakeMediaEngine::GetEvent(int32_t& code) {
  if (mEvents.empty()) return false;
  code = mEvents.front();
  mEvents.pop_front();
  return true;
}

void FakeMediaEngine::SetVolume(int32_t hundredthsOfDecibel) {
  mVolume = hundredthsOfDecibel;
}

void FakeMediaEngine::SetBalance(int32_t) {}

bool FakeMediaEngine::PreferredAspectRatio(int32_t& x, int32_t& y) {
  const FakeMedium* medium = Current();
  if (!medium || !medium->aspectKnown) return false;
  x = medium->aspectX;
  y = medium->aspectY;
  return true;
}

bool FakeMediaEngine::VideoSize(int32_t& width, int32_t& height) {
  const FakeMedium* medium = Current();
  if (!medium || medium->videoWidth <= 0 || medium->videoHeight <= 0) return false;
  width = medium->videoWidth;
  height = medium->videoHeight;
  return true;
}

void FakeMediaEngine::SetVideoWindow(const PixelRect& window) {
  mVideoWindow = window;
}

void FakeMediaEngine::SetDestination(const PixelRect& destination) {
  mDestination = destination;
}
