#pragma once

// The state of the open medium that the media units share: what it carries,
// whether it was told to run, where Play starts from, and the fast scrolling.
// A medium is open exactly when the engine says so.

#include <cstdint>
#include <string>

struct MediaSessionState {
  bool mHasAudio = false;      // the medium has an audio stream
  bool mHasVideo = false;      // the medium has a video stream
  bool mIsRunning = false;     // playback was last told to run
  double mDuration = 0;        // seconds, read when the medium was opened
  double mStartPosition = 0;   // where Play rewinds to; 0 at every open
  bool mNeedsReopen = false;   // the next Play opens the list entry at the cursor
  bool mIsScrolling = false;   // fast forward or rewind runs
  int32_t mScrollRate = 0;     // media seconds per second; negative rewinds
  std::string mMediaPath;      // the file of the open medium; empty when none is open
  bool mPositionKept = false;  // Stop remembered where the medium was left; closing keeps that
};
