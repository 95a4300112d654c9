#pragma once

// What happens when a medium ends, and which file of the playing list Next
// and Previous open, by the play mode: single play, continous play, random
// play, repeat single, repeat all, repeat random. The random modes prefer
// files opened fewer times than the current one, by the play count of each
// row of the playing list.

#include <cstdint>
#include <functional>
#include <string>

#include "base/OpenOutcome.h"
#include "media/MediaServices.h"
#include "store/ModeNames.h"

class MediaSession;
class Screen;
class StatusLine;
class Transport;
struct BrowseState;
struct FocusState;
struct MediaSessionState;
struct Settings;

enum PlayMode : int32_t {
  kSinglePlay = 0,
  kContinuousPlay = 1,
  kRandomPlay = 2,
  kRepeatSingle = 3,
  kRepeatAll = 4,
  kRepeatRandom = 5,
};

// std::rand() scaled into [0, 1); the generator is seeded at start-up.
double StandardRandom();

class PlayModes {
 public:
  // activateEntry acts on a row of the browse list as a press on it does
  // (opening a file row); random gives the numbers of the random modes.
  PlayModes(MediaSession& session, Transport& transport, MediaSessionState& state,
            Settings& settings, BrowseState& browse, StatusLine& status, const FocusState& focus,
            Screen& screen, std::function<void(int32_t row)> activateEntry, RandomSource random);

  // The next file by the mode; wrap lets the sequence start again from the
  // first row (in "repeat all" it always does) and the random choice widen.
  void cmdNext(bool wrap);
  // The previous file; in the random modes the same as cmdNext.
  void cmdPrevious(bool wrap);
  // Cycles through the six modes and shows the new one in the status line.
  void cmdPlayMode();
  // The reaction of the current mode to the end of the medium.
  void OnMediaEnd();

  // Play with nothing to resume: the browse list becomes the playing list and
  // the file at the cursor opens, or the next file after the cursor row.
  void StartFromList();

 private:
  OpenOutcome OpenRow(int32_t row);
  OpenOutcome NextInSequence(bool wrap);
  OpenOutcome NextAtRandom(bool wrap);
  void Finish(OpenOutcome outcome);

  MediaSession& mSession;
  Transport& mTransport;
  MediaSessionState& mState;
  Settings& mSettings;
  BrowseState& mBrowse;
  StatusLine& mStatus;
  const FocusState& mFocus;
  Screen& mScreen;
  std::function<void(int32_t)> mActivateEntry;
  RandomSource mRandom;
};
