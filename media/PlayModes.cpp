#include "media/PlayModes.h"

#include <cstdlib>
#include <utility>

#include "base/Conversions.h"
#include "base/Text.h"
#include "media/CurrentWindow.h"
#include "media/MediaSession.h"
#include "media/MediaSessionState.h"
#include "media/Transport.h"
#include "render/BrowseState.h"
#include "render/FocusState.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"

double StandardRandom() {
  return static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
}

PlayModes::PlayModes(MediaSession& session, Transport& transport, MediaSessionState& state,
                     Settings& settings, BrowseState& browse, StatusLine& status,
                     const FocusState& focus, Screen& screen,
                     std::function<void(int32_t)> activateEntry, RandomSource random)
    : mSession(session),
      mTransport(transport),
      mState(state),
      mSettings(settings),
      mBrowse(browse),
      mStatus(status),
      mFocus(focus),
      mScreen(screen),
      mActivateEntry(std::move(activateEntry)),
      mRandom(random ? std::move(random) : RandomSource(StandardRandom)) {}

// Only a file row opens; the list may have been replaced since the row was
// chosen (an open lets pending events run), so the row is checked here.
OpenOutcome PlayModes::OpenRow(int32_t row) {
  if (!mBrowse.mPlaying.IsFileRow(row)) return OpenOutcome::Failed;
  return mSession.OpenMedium(mBrowse.mPlaying.PathOf(row));
}

void PlayModes::cmdNext(bool wrap) {
  if (mSettings.gPlayMode == kRandomPlay || mSettings.gPlayMode == kRepeatRandom) {
    Finish(NextAtRandom(wrap));
  } else {
    Finish(NextInSequence(wrap));
  }
}

// Tries the rows after the playing one, at most count - 1 of them.
OpenOutcome PlayModes::NextInSequence(bool wrap) {
  PlayingList& playing = mBrowse.mPlaying;
  const int32_t count = EntryCount(playing.Rows());
  const bool wraps = wrap || mSettings.gPlayMode == kRepeatAll;
  OpenOutcome outcome = OpenOutcome::Failed;
  int32_t tries = 1;
  do {
    playing.MoveTo(playing.Index() + 1);
    if (playing.Row() > count) {
      if (!wraps) break;
      playing.MoveTo(1);
    }
    outcome = OpenRow(playing.Row());
    ++tries;
  } while (outcome == OpenOutcome::Failed && tries < count);
  return outcome;
}

// Walks the rows round from a random one. The first round takes only files
// opened fewer times than the playing one; with wrap (or in "repeat random")
// a second round also takes files opened as often, the playing one included.
OpenOutcome PlayModes::NextAtRandom(bool wrap) {
  const PlayingList& playing = mBrowse.mPlaying;
  const int32_t count = EntryCount(playing.Rows());
  int32_t least = playing.PlayCountOf(playing.Row());
  const int32_t firstLeast = least;
  const bool widens = wrap || mSettings.gPlayMode == kRepeatRandom;
  int32_t row = static_cast<int32_t>(mRandom() * count + 1);
  OpenOutcome outcome = OpenOutcome::Failed;
  int32_t tries = 1;
  while (true) {
    row += 1;
    if (row > count) row = 1;
    if (playing.IsFileRow(row) && playing.PlayCountOf(row) < least) outcome = OpenRow(row);
    tries += 1;
    if (tries > count) {
      if (!widens) break;
      tries = 1;
      least += 1;
    }
    if (least >= firstLeast + 2 || outcome != OpenOutcome::Failed) break;
  }
  if (outcome == OpenOutcome::Opened) mBrowse.mPlaying.MoveTo(row);
  return outcome;
}

void PlayModes::cmdPrevious(bool wrap) {
  if (mSettings.gPlayMode == kRandomPlay || mSettings.gPlayMode == kRepeatRandom) {
    cmdNext(wrap);
    return;
  }
  PlayingList& playing = mBrowse.mPlaying;
  const int32_t count = EntryCount(playing.Rows());
  OpenOutcome outcome = OpenOutcome::Failed;
  int32_t tries = 1;
  do {
    playing.MoveTo(playing.Index() - 1);
    if (playing.Row() < 1) {
      if (!wrap) break;
      playing.MoveTo(count);
    }
    outcome = OpenRow(playing.Row());
    ++tries;
  } while (tries < count && outcome == OpenOutcome::Failed);
  Finish(outcome);
}

// An open that was overtaken leaves the playing list, its counts and
// mNeedsReopen to the open that took its place.
void PlayModes::Finish(OpenOutcome outcome) {
  if (outcome == OpenOutcome::Opened) {
    mBrowse.mPlaying.CountPlay();
    mState.mNeedsReopen = false;
  } else if (outcome == OpenOutcome::Failed) {
    mState.mNeedsReopen = true;
  }
  if (EqualsIgnoreCase(mFocus.mCurrentWindow, "wndVidMain")) {
    mScreen.RedrawElement("wndVidMain.lstPlaylist", false);
  }
}

void PlayModes::cmdPlayMode() {
  mSettings.gPlayMode = static_cast<int32_t>(
      ((int64_t{mSettings.gPlayMode} + 1) % kPlayModeCount + kPlayModeCount) % kPlayModeCount);
  RedrawCurrentElement(mScreen, mFocus, "picVideoWindow");
  mStatus.Show(PlayModeName(mSettings.gPlayMode));
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
}

void PlayModes::OnMediaEnd() {
  switch (mSettings.gPlayMode) {
    case kRepeatSingle:
      mTransport.PlayFromStart();
      break;
    case kContinuousPlay:
    case kRandomPlay:
    case kRepeatAll:
    case kRepeatRandom:
      cmdNext(false);
      break;
    default:
      break;
  }
}

void PlayModes::StartFromList() {
  mBrowse.mPlaying.Take(mSettings.gPlaylistName, mBrowse.mBrowseList, mBrowse.mBrowseCursor);
  const int32_t row = RoundToInt32(mBrowse.mBrowseCursor);
  if (mBrowse.mPlaying.IsFileRow(row) && mActivateEntry) {
    mActivateEntry(row);
  } else {
    cmdNext(true);
  }
}
