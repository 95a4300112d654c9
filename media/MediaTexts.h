#pragma once

// The texts that describe playback: the position and duration as
// "hh:mm:ss (hh:mm:ss)" and the state as "(Play)", "(Pause)", "(Stop)",
// "(Forward x8)" or "(Rewind x16)".

#include <string>

class MediaEngine;
struct MediaSessionState;

// Seconds as "hh:mm:ss", rounded halves to even; more hour digits past 99
// hours. A negative time reads 00:00:00.
std::string FormatMediaTime(double seconds);

class MediaTexts {
 public:
  MediaTexts(MediaEngine& engine, const MediaSessionState& state);

  // Position and duration; empty when nothing is open.
  std::string GetMediaTimeStr();
  // The transport state; empty when nothing is open.
  std::string GetMediaStateStr();
  // The position alone; empty when nothing is open.
  std::string GetPositionStr();

 private:
  MediaEngine& mEngine;
  const MediaSessionState& mState;
};
