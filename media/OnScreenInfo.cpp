#include "media/OnScreenInfo.h"

#include "base/Conversions.h"
#include "base/TimerTable.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaSession.h"
#include "media/MediaSessionState.h"
#include "media/PlayModes.h"
#include "render/InfoDisplay.h"
#include "render/OverlayState.h"
#include "render/Screen.h"

OnScreenInfo::OnScreenInfo(MediaSession& session, PlayModes& playModes, MediaEngine& engine,
                           const MediaSessionState& state, OverlayState& overlay,
                           const FocusState& focus, Screen& screen, InfoDisplay& info,
                           TimerTable& timers)
    : mSession(session),
      mPlayModes(playModes),
      mEngine(engine),
      mState(state),
      mOverlay(overlay),
      mFocus(focus),
      mScreen(screen),
      mInfo(info),
      mTimers(timers) {}

void OnScreenInfo::InfoUpdateTick() {
  bool redrawInfo = false;
  const MediaEventPoll event = mSession.PollMediaEvent();
  if (event != MediaEventPoll::NoEvent) {
    redrawInfo = true;
    if (event == MediaEventPoll::EndOfStream) mPlayModes.OnMediaEnd();
  }

  if (mState.mHasAudio || mState.mHasVideo) {
    if (RoundHalfEven(mEngine.CurrentPosition()) != RoundHalfEven(mLastShownPosition)) {
      mLastShownPosition = mEngine.CurrentPosition();
      redrawInfo = true;
      if (mTimers[TimerId::ShowRemote].Enabled()) mScreen.RedrawRemotePanel();
    }
  }

  if (mOverlay.mOSDActive) {
    if (mOverlay.mOSDRemaining < 1) {
      if (mOverlay.mIsVideoFullscreen) mInfo.HideInfo("fsMediaInfo");
      mOverlay.mOSDActive = false;
      mOverlay.mOSDNote.clear();
    } else {
      if (mOverlay.mIsVideoFullscreen) mInfo.ShowInfo("fsMediaInfo", "xselfx", false);
      mOverlay.mOSDRemaining -= mTimers[TimerId::InfoUpdate].Interval();
    }
  }

  if (redrawInfo) RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
}

void OnScreenInfo::ShowRemoteTick() {
  if (mOverlay.mRemoteRemaining < 0) mScreen.HideRemotePanel();
  mOverlay.mRemoteRemaining -= mTimers[TimerId::ShowRemote].Interval();
}

void OnScreenInfo::RunInfoUpdateWhileNeeded() {
  const bool open = mState.mHasAudio || mState.mHasVideo;
  mTimers[TimerId::InfoUpdate].SetEnabled(open || mOverlay.mOSDActive);
}
