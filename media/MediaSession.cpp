#include "media/MediaSession.h"

#include "base/Conversions.h"
#include "base/EventPump.h"
#include "base/Log.h"
#include "base/TimerTable.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaServices.h"
#include "media/MediaSessionState.h"
#include "media/MediaTexts.h"
#include "media/MediaTracks.h"
#include "media/ResumeList.h"
#include "media/Transport.h"
#include "media/VideoPlacement.h"
#include "media/VolumeControl.h"
#include "render/InfoDisplay.h"
#include "render/OverlayState.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "skin/SkinModel.h"
#include "store/Settings.h"

namespace {

// The information stays up this long while a medium opens in full-screen
// video mode; the open itself cuts it down to gOSDTime.
constexpr int32_t kOSDWhileOpening = 60000;

}  // namespace

MediaSession::MediaSession(const MediaServices& services, MediaSessionState& state,
                           InfoDisplay& info, VolumeControl& volume, VideoPlacement& placement,
                           Transport& transport, MediaTracks& tracks, ResumeList& resume)
    : mEngine(services.engine),
      mState(state),
      mSettings(services.settings),
      mTexts(services.texts),
      mStatus(services.status),
      mOverlay(services.overlay),
      mFocus(services.focus),
      mScreen(services.screen),
      mInfo(info),
      mPump(services.pump),
      mInfoTimer(services.timers[TimerId::InfoUpdate]),
      mVolume(volume),
      mPlacement(placement),
      mTransport(transport),
      mTracks(tracks),
      mResume(resume) {}

bool MediaSession::cmdOpenFile(const std::string& path) {
  return OpenMedium(path) == OpenOutcome::Opened;
}

OpenOutcome MediaSession::OpenMedium(const std::string& path) {
  const uint64_t open = ++mOpensBegun;
  mInfoTimer.Disable();
  mState.mNeedsReopen = false;
  mTexts.mMediaTitle = "prepare media";
  mOverlay.mOSDNote.clear();
  RedrawCurrentElement(mScreen, mFocus, "cmdFormMove");
  if (mOverlay.mIsVideoFullscreen) {
    mOverlay.mOSDRemaining = kOSDWhileOpening;
    mOverlay.mOSDActive = true;
    mInfo.ShowInfo("fsMediaInfo", "xselfx", true);
  } else {
    mInfo.ShowInfo("waitPrepare", "xselfx", true);
  }

  CloseMedia();
  // A file opened by an event that ran just now is the user's latest choice:
  // it plays, and this open ends here.
  if (open != mOpensBegun) return OpenOutcome::Overtaken;
  const OpenResult opened = mEngine.Open(path);
  if (opened.status == OpenStatus::NothingToRender) {
    mStatus.Show("nothing to render");
    return FailOpen(open, {});
  }
  if (opened.status != OpenStatus::Opened) {
    // A file that never finished loading comes back here too, so the open
    // ends instead of hanging.
    return FailOpen(open, opened.errorDescription.empty() ? "the medium could not be opened"
                                                          : opened.errorDescription);
  }

  if (!AnalyseStreams()) {
    mStatus.Show("noting to render");
    return FailOpen(open, {});
  }
  if (mState.mHasAudio) mVolume.ApplyVolume();

  mEngine.SetRate(1.0);
  mState.mDuration = mEngine.Duration();
  mState.mStartPosition = 0;
  mState.mPositionKept = false;
  const std::optional<ResumeList::Entry> resume =
      mState.mHasVideo ? mResume.Find(path, mState.mDuration) : std::nullopt;
  mTracks.RestoreSubtitles(resume ? resume->subtitles : std::string());
  if (resume) mEngine.SetCurrentPosition(resume->seconds);
  mPlacement.PlaceOverVideoElement();

  mState.mMediaPath = path;
  mTexts.mMediaTitle = FileNameOf(path);
  RedrawCurrentElement(mScreen, mFocus, "cmdFormMove");
  if (mOverlay.mIsVideoFullscreen) {
    mOverlay.mOSDRemaining = mSettings.gOSDTime;
  } else {
    mInfo.HideInfo("waitPrepare");
  }
  mTransport.cmdPlay();
  if (resume) mTracks.ShowStatus("resumed at " + FormatMediaTime(resume->seconds));
  mInfoTimer.Enable();
  return OpenOutcome::Opened;
}

// Logs one entry per stream and learns from the streams' types whether the
// medium has sound or picture. A medium shorter than half a second counts as
// neither. True when it has either.
bool MediaSession::AnalyseStreams() {
  mState.mHasAudio = false;
  mState.mHasVideo = false;
  for (const MediaStream& stream : mEngine.Streams()) {
    std::string text = stream.name + " (" + stream.decoder + ")\r\n";
    for (const std::string& connection : stream.connections) text += connection + "\r\n";
    WriteLog(text);
    if (stream.type == MediaStreamType::Video) mState.mHasVideo = true;
    if (stream.type == MediaStreamType::Audio) mState.mHasAudio = true;
  }
  if (RoundHalfEven(mEngine.Duration()) == 0) {
    mState.mHasAudio = false;
    mState.mHasVideo = false;
  }
  return mState.mHasAudio || mState.mHasVideo;
}

OpenOutcome MediaSession::FailOpen(uint64_t open, const std::string& errorDescription) {
  if (!errorDescription.empty()) WriteLog("cmdOpenFile Error: " + errorDescription);
  CloseMedia();
  if (open != mOpensBegun) return OpenOutcome::Overtaken;
  mState.mNeedsReopen = true;
  mState.mHasAudio = false;
  mState.mHasVideo = false;
  mState.mIsRunning = false;
  mTexts.mMediaTitle = "media error";
  RedrawCurrentElement(mScreen, mFocus, "cmdFormMove");
  if (mOverlay.mIsVideoFullscreen) {
    mOverlay.mOSDRemaining = mSettings.gOSDTime;
  } else {
    mInfo.HideInfo("waitPrepare");
  }
  mInfoTimer.Enable();
  return OpenOutcome::Failed;
}

void MediaSession::RememberPosition() {
  if (mState.mPositionKept || !mState.mHasVideo || mState.mMediaPath.empty() || !mEngine.IsOpen()) {
    return;
  }
  mResume.Leave(mState.mMediaPath, mEngine.CurrentPosition(), mState.mDuration,
                mTracks.SubtitleChoice());
}

void MediaSession::KeepPosition() {
  RememberPosition();
  mState.mPositionKept = true;
}

void MediaSession::CloseMedia() {
  RememberPosition();
  mState.mPositionKept = false;
  mState.mHasAudio = false;
  mState.mHasVideo = false;
  mState.mIsRunning = false;
  mState.mMediaPath.clear();
  // Whatever runs in this pass finds the flags cleared while the medium is
  // still there, so it can still be called safely.
  const uint64_t opensBefore = mOpensBegun;
  mPump.PumpPendingEvents();
  // An open made in the pass has closed the old medium itself, and its own
  // medium stays.
  if (mOpensBegun != opensBefore) return;
  mEngine.Close();
}

MediaEventPoll MediaSession::PollMediaEvent() {
  if (!mState.mHasAudio && !mState.mHasVideo) return MediaEventPoll::NoEvent;
  int32_t code = 0;
  if (!mEngine.GetEvent(code)) return MediaEventPoll::NoEvent;
  return code == kMediaEventComplete ? MediaEventPoll::EndOfStream : MediaEventPoll::OtherEvent;
}
