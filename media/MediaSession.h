#pragma once

// The one open medium: opening a file (its streams analysed for sound and
// picture, volume applied, video placed, playback started), closing it, and
// polling it for the end of the stream. At most one medium is open at a time.

#include <cstdint>
#include <string>

#include "base/OpenOutcome.h"

class EventPump;
class InfoDisplay;
class MediaEngine;
class MediaTracks;
class ResumeList;
class Screen;
class StatusLine;
class Transport;
class UiTimer;
class VideoPlacement;
class VolumeControl;
struct FocusState;
struct MediaSessionState;
struct OverlayState;
struct MediaServices;
struct Settings;
struct UiTexts;

// What one poll of the medium's events found.
enum class MediaEventPoll { NoEvent, OtherEvent, EndOfStream };

class MediaSession {
 public:
  // Works with the engine, settings, texts, overlay, focus, screen, pump and
  // timInfoUpdate of services, and the units of the subsystem named here.
  MediaSession(const MediaServices& services, MediaSessionState& state, InfoDisplay& info,
               VolumeControl& volume, VideoPlacement& placement, Transport& transport,
               MediaTracks& tracks, ResumeList& resume);

  // Closes any open medium, opens the file at path and starts playback (a
  // video where it was left, when it was remembered, saying so). True
  // when the medium carries sound or picture and plays; false otherwise, and
  // then nothing is open, the title reads "media error" and the next Play
  // reopens the list entry at the cursor. timInfoUpdate is off while opening
  // and on again afterwards, whatever the outcome.
  bool cmdOpenFile(const std::string& path);
  // The same, telling a failure apart from an open that gave way to another
  // one begun while the old medium closed (see OpenOutcome).
  OpenOutcome OpenMedium(const std::string& path);

  // Stops and releases the open medium after letting pending events run once;
  // safe when nothing is open. When those events open another file, that
  // file stays open.
  void CloseMedia();

  // Takes at most one event of the open medium (only while it has sound or
  // picture) and says what it was.
  MediaEventPoll PollMediaEvent();

  // Remembers where the open video is left (see ResumeList); Stop calls this
  // before it goes back to the start, and a later close keeps what it found.
  void KeepPosition();

 private:
  bool AnalyseStreams();
  OpenOutcome FailOpen(uint64_t open, const std::string& errorDescription);
  void RememberPosition();

  MediaEngine& mEngine;
  MediaSessionState& mState;
  const Settings& mSettings;
  UiTexts& mTexts;
  StatusLine& mStatus;
  OverlayState& mOverlay;
  const FocusState& mFocus;
  Screen& mScreen;
  InfoDisplay& mInfo;
  EventPump& mPump;
  UiTimer& mInfoTimer;
  VolumeControl& mVolume;
  VideoPlacement& mPlacement;
  Transport& mTransport;
  MediaTracks& mTracks;
  ResumeList& mResume;
  // Counts the opens begun, so that an open can tell whether another one
  // began while it let pending events run.
  uint64_t mOpensBegun = 0;
};
