#include "program/MprisPlayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/Log.h"
#include "media/PlayModes.h"
#include "media/VolumeControl.h"

namespace {

constexpr int32_t kSilence = -10000;
constexpr double kMicroseconds = 1e6;
// A position further than this from where playback would have carried it
// has jumped (a seek, fast scrolling, a stop).
constexpr double kJumpSeconds = 1.0;
// More volume steps than the whole scale has: the stepping always ends.
constexpr int32_t kMostVolumeSteps = 200;

struct ModeShape {
  const char* loopStatus;
  bool shuffle;
};

// The desktop's loop status and shuffle of each play mode. Single play and
// continous play both stop after the last file they play; repeat single has
// no shuffled form.
constexpr std::array<ModeShape, kPlayModeCount> kModeShapes = {{
    {"None", false},      // single play
    {"None", false},      // continous play
    {"None", true},       // random play
    {"Track", false},     // repeat single
    {"Playlist", false},  // repeat all
    {"Playlist", true},   // repeat random
}};

ModeShape ShapeOf(int32_t mode) {
  return mode >= 0 && mode < kPlayModeCount ? kModeShapes[static_cast<size_t>(mode)]
                                            : kModeShapes[0];
}

// The mode with that shape: the current one when it has it, else the first
// mode after single play that does; -1 when none does.
int32_t ModeShaped(std::string_view loopStatus, bool shuffle, int32_t current) {
  const ModeShape now = ShapeOf(current);
  if (loopStatus == now.loopStatus && shuffle == now.shuffle) return current;
  for (int32_t mode = kContinuousPlay; mode < kPlayModeCount; ++mode) {
    const ModeShape shape = ShapeOf(mode);
    if (loopStatus == shape.loopStatus && shuffle == shape.shuffle) return mode;
  }
  return -1;
}

double VolumeLevel(const PlayerSnapshot& state) {
  if (state.isMuted) return 0;
  return std::clamp(static_cast<double>(state.volume - kSilence) / -kSilence, 0.0, 1.0);
}

int64_t ToMicroseconds(double seconds) {
  return std::llround(std::max(seconds, 0.0) * kMicroseconds);
}

}  // namespace

MprisPlayer::MprisPlayer(PlayerHooks hooks) : mHooks(std::move(hooks)) {}

std::string MprisPlayer::TrackIdOf(std::string_view path) {
  // FNV-1a: the same file keeps its id across runs.
  uint64_t hash = 14695981039346656037ull;
  for (const char c : path) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("/org/mpris/MediaPlayer2/tavizo/track/") + digits;
}

std::string MprisPlayer::FileUrlOf(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : path) {
    const unsigned char byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' || byte == '_' ||
                       byte == '.' || byte == '~';
    if (plain) {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0x0F];
    }
  }
  return url;
}

void MprisPlayer::RunCommand(std::string_view method, const char* command) {
  // Logged like the input code of a key, before the command's own lines.
  WriteLog("mpris." + std::string(method));
  if (command) mHooks.doAction(std::string("*.") + command);
}

void MprisPlayer::Quit() {
  RunCommand("Quit", "cmdQuitTavizo");
}

void MprisPlayer::Raise() {
  RunCommand("Raise", nullptr);
  mHooks.raise();
}

void MprisPlayer::Play() {
  const PlayerSnapshot state = mHooks.snapshot();
  RunCommand("Play", state.isRunning ? nullptr : "cmdPlay");
}

void MprisPlayer::Pause() {
  // The pause key on a paused medium changes nothing, and it also ends fast scrolling.
  RunCommand("Pause", mHooks.snapshot().isOpen ? "cmdPause" : nullptr);
}

void MprisPlayer::PlayPause() {
  RunCommand("PlayPause", "cmdPlay");
}

void MprisPlayer::Stop() {
  RunCommand("Stop", "cmdStop");
}

void MprisPlayer::Next() {
  RunCommand("Next", "cmdNext");
}

void MprisPlayer::Previous() {
  RunCommand("Previous", "cmdPrevious");
}

void MprisPlayer::Seek(int64_t offsetUs) {
  WriteLog("mpris.Seek " + std::to_string(offsetUs));
  const PlayerSnapshot state = mHooks.snapshot();
  if (!state.isOpen) return;
  const double target = state.position + static_cast<double>(offsetUs) / kMicroseconds;
  if (target > state.duration) {
    Next();
    return;
  }
  mHooks.seekTo(std::max(target, 0.0));
  mSeekRequested = true;
}

void MprisPlayer::SetPosition(std::string_view trackId, int64_t positionUs) {
  WriteLog("mpris.SetPosition " + std::string(trackId) + " " + std::to_string(positionUs));
  const PlayerSnapshot state = mHooks.snapshot();
  // A call meant for another medium, or outside this one, is ignored.
  if (!state.isOpen || trackId != TrackIdOf(state.path)) {
    WriteLog("mpris.SetPosition ignored: not the open medium");
    return;
  }
  const double target = static_cast<double>(positionUs) / kMicroseconds;
  if (positionUs < 0 || target > state.duration) {
    WriteLog("mpris.SetPosition ignored: outside the medium");
    return;
  }
  mHooks.seekTo(target);
  mSeekRequested = true;
}

void MprisPlayer::SetVolume(double level) {
  WriteLog("mpris.Volume " + std::to_string(level));
  if (!std::isfinite(level)) return;
  level = std::clamp(level, 0.0, 1.0);
  const int32_t target = static_cast<int32_t>(std::lround(kSilence - kSilence * level));
  PlayerSnapshot state = mHooks.snapshot();
  // Muted reads as silence: asking for silence then changes nothing, and any
  // other level ends muting first.
  if (state.isMuted) {
    if (level == 0) return;
    mHooks.doAction("*.cmdMute");
    state = mHooks.snapshot();
  }
  // The volume keys' steps, as long as a step comes nearer the level.
  for (int32_t steps = 0; steps < kMostVolumeSteps; ++steps) {
    const int32_t volume = state.volume;
    if (volume == target) return;
    const int32_t direction = target > volume ? 1 : -1;
    const int32_t stepped = std::clamp(volume + direction * VolumeStep(volume), kSilence, 0);
    if (std::abs(stepped - target) >= std::abs(volume - target)) return;
    mHooks.doAction(direction > 0 ? "*.cmdVolUp" : "*.cmdVolDown");
    state = mHooks.snapshot();
    if (state.volume == volume) return;
  }
}

void MprisPlayer::StepPlayModeTo(int32_t mode) {
  if (mode < 0) {
    WriteLog("mpris: no play mode has that loop status and shuffle; the mode stays");
    return;
  }
  const int32_t current = mHooks.snapshot().playMode;
  const int32_t presses = ((mode - current) % kPlayModeCount + kPlayModeCount) % kPlayModeCount;
  for (int32_t press = 0; press < presses; ++press) mHooks.doAction("*.cmdPlayMode");
}

void MprisPlayer::SetLoopStatus(std::string_view status) {
  WriteLog("mpris.LoopStatus " + std::string(status));
  const PlayerSnapshot state = mHooks.snapshot();
  // Repeating one track has no shuffled form; asking for it drops shuffle.
  const bool shuffle = status == "Track" ? false : ShapeOf(state.playMode).shuffle;
  StepPlayModeTo(ModeShaped(status, shuffle, state.playMode));
}

void MprisPlayer::SetShuffle(bool shuffle) {
  WriteLog(std::string("mpris.Shuffle ") + (shuffle ? "true" : "false"));
  const PlayerSnapshot state = mHooks.snapshot();
  StepPlayModeTo(ModeShaped(ShapeOf(state.playMode).loopStatus, shuffle, state.playMode));
}

MprisProperties MprisPlayer::Properties() const {
  return PropertiesOf(mHooks.snapshot());
}

MprisProperties MprisPlayer::PropertiesOf(const PlayerSnapshot& state) {
  MprisProperties properties;
  properties.playbackStatus = !state.isOpen || state.isStopped ? "Stopped"
                              : state.isRunning                ? "Playing"
                                                               : "Paused";
  if (state.isOpen) {
    properties.metadata.trackId = TrackIdOf(state.path);
    properties.metadata.title = state.title;
    properties.metadata.lengthUs = ToMicroseconds(state.duration);
    properties.metadata.url = FileUrlOf(state.path);
  } else {
    properties.metadata.trackId = kNoTrack;
  }
  properties.volume = VolumeLevel(state);
  const ModeShape shape = ShapeOf(state.playMode);
  properties.loopStatus = shape.loopStatus;
  properties.shuffle = shape.shuffle;
  properties.canGoNext = state.hasFiles;
  properties.canGoPrevious = state.hasFiles;
  properties.canPlay = state.isOpen || state.hasFiles;
  properties.canPause = state.isOpen;
  properties.canSeek = state.isOpen && state.duration > 0;
  return properties;
}

int64_t MprisPlayer::PositionUs() const {
  const PlayerSnapshot state = mHooks.snapshot();
  return state.isOpen ? ToMicroseconds(state.position) : 0;
}

void MprisPlayer::MarkSeeked(double position, uint64_t now, bool running) {
  mBasePosition = position;
  mBaseTime = now;
  mBaseRunning = running;
}

MprisChanges MprisPlayer::TakeChanges() {
  MprisChanges changes;
  const PlayerSnapshot state = mHooks.snapshot();
  const MprisProperties now = PropertiesOf(state);
  const uint64_t time = mHooks.nowMs();
  if (mLastProperties) {
    const MprisProperties& was = *mLastProperties;
    const std::pair<const char*, bool> compared[] = {
        {"PlaybackStatus", now.playbackStatus != was.playbackStatus},
        {"Metadata", now.metadata != was.metadata},
        {"Volume", now.volume != was.volume},
        {"LoopStatus", now.loopStatus != was.loopStatus},
        {"Shuffle", now.shuffle != was.shuffle},
        {"CanGoNext", now.canGoNext != was.canGoNext},
        {"CanGoPrevious", now.canGoPrevious != was.canGoPrevious},
        {"CanPlay", now.canPlay != was.canPlay},
        {"CanPause", now.canPause != was.canPause},
        {"CanSeek", now.canSeek != was.canSeek},
    };
    for (const auto& [name, differs] : compared) {
      if (differs) changes.changed.push_back(name);
    }
  }

  // A new medium starts a new reckoning; on the same one, a position away
  // from where playback would have carried it has jumped.
  const bool sameTrack = now.metadata.trackId == mBaseTrack;
  const double expected =
      mBasePosition + (mBaseRunning ? static_cast<double>(time - mBaseTime) / 1000.0 : 0.0);
  const bool jumped = std::abs(state.position - expected) > kJumpSeconds;
  if (state.isOpen && sameTrack && (mSeekRequested || jumped)) {
    changes.seekedUs = ToMicroseconds(state.position);
  }
  if (!sameTrack || changes.seekedUs || state.isRunning != mBaseRunning) {
    MarkSeeked(state.position, time, state.isRunning);
  }
  mBaseTrack = now.metadata.trackId;
  mSeekRequested = false;
  mLastProperties = now;
  return changes;
}
