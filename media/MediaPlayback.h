#pragma once

// The media-playback subsystem: its units, built over the services the main
// window owns and wired to one another. The main window keeps one of these
// and reaches the commands, the timer ticks and the drawing interfaces
// through its members.

#include "media/InfoOverlay.h"
#include "media/MediaServices.h"
#include "media/MediaSession.h"
#include "media/MediaSessionDisplay.h"
#include "media/MediaSessionState.h"
#include "media/MediaTexts.h"
#include "media/MediaTracks.h"
#include "media/OnScreenInfo.h"
#include "media/PlayModes.h"
#include "media/RemoteKeys.h"
#include "media/ResumeList.h"
#include "media/Transport.h"
#include "media/VideoPlacement.h"
#include "media/VolumeControl.h"

class MediaPlayback {
 public:
  explicit MediaPlayback(const MediaServices& services);
  MediaPlayback(const MediaPlayback&) = delete;
  MediaPlayback& operator=(const MediaPlayback&) = delete;

  // In the order they are built; each uses only those above it, except that
  // Play reaches the play modes to start from the list.
  MediaSessionState mState;
  ResumeList mResume;
  InfoOverlay mInfo;
  VolumeControl mVolume;
  VideoPlacement mPlacement;
  MediaTexts mTexts;
  Transport mTransport;
  MediaTracks mTracks;
  MediaSession mSession;
  PlayModes mPlayModes;
  OnScreenInfo mOnScreenInfo;
  RemoteKeys mRemoteKeys;
  MediaSessionDisplay mDisplay;
};
