#pragma once

// The periodic refresh of playback information (timInfoUpdate): the end of
// the medium, the position shown, and the countdown of the full-screen
// information; and the countdown of the remote panel (timShowRemote).

class InfoDisplay;
class MediaEngine;
class MediaSession;
class PlayModes;
class Screen;
class TimerTable;
struct FocusState;
struct MediaSessionState;
struct OverlayState;

class OnScreenInfo {
 public:
  OnScreenInfo(MediaSession& session, PlayModes& playModes, MediaEngine& engine,
               const MediaSessionState& state, OverlayState& overlay, const FocusState& focus,
               Screen& screen, InfoDisplay& info, TimerTable& timers);

  // One timInfoUpdate tick: the end of the medium starts the play mode's
  // reaction; a new whole second of the position redraws the information
  // (and the remote panel while it is up); the full-screen information counts
  // down and goes away when its time has run out.
  void InfoUpdateTick();

  // One timShowRemote tick: the panel goes away once its time has run out.
  void ShowRemoteTick();

  // Runs timInfoUpdate only while its tick has something to do: while a
  // medium is open, or while the full-screen information counts down. An
  // open turns it off and on again itself.
  void RunInfoUpdateWhileNeeded();

  // The position (seconds) for which the information was last redrawn.
  double LastShownPosition() const { return mLastShownPosition; }

 private:
  MediaSession& mSession;
  PlayModes& mPlayModes;
  MediaEngine& mEngine;
  const MediaSessionState& mState;
  OverlayState& mOverlay;
  const FocusState& mFocus;
  Screen& mScreen;
  InfoDisplay& mInfo;
  TimerTable& mTimers;
  double mLastShownPosition = 0;
};
