#include "media/MediaPlayback.h"

#include "base/TimerTable.h"

MediaPlayback::MediaPlayback(const MediaServices& s)
    : mInfo(s.skin, s.screen, s.pointer, s.overlay),
      mVolume(s.engine, mState, s.settings, s.skin, s.window, s.focus, s.screen,
              s.timers[TimerId::Element]),
      mPlacement(s.engine, mState, s.settings, s.overlay, s.status, s.skin, s.window, s.focus,
                 s.screen, s.setAlwaysOnTop),
      mTexts(s.engine, mState),
      // Play is built before the play modes it starts from the list with; it
      // only calls them once everything stands.
      mTransport(
          s.engine, mState, s.settings, s.focus, s.screen, s.timers[TimerId::VideoScroll],
          [this] { mPlayModes.StartFromList(); }, [this] { mSession.KeepPosition(); }),
      mTracks(s, mTransport),
      mSession(s, mState, mInfo, mVolume, mPlacement, mTransport, mTracks, mResume),
      mPlayModes(mSession, mTransport, mState, s.settings, s.browse, s.status, s.focus, s.screen,
                 s.activateEntry, s.random),
      mOnScreenInfo(mSession, mPlayModes, s.engine, mState, s.overlay, s.focus, s.screen, mInfo,
                    s.timers),
      mRemoteKeys(s.skin, s.overlay, s.settings, mState, s.screen, mTransport, mPlayModes, mTracks),
      mDisplay(s.engine, mState, s.texts, mTexts, mPlacement, mOnScreenInfo) {}
