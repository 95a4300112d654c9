#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/MediaEngine.h"
#include "platform/MpvTrackList.h"

class LoopWakeup;
struct MpvLibrary;
class MpvRenderer;
class VideoTarget;
struct mpv_event;
struct mpv_handle;

// The media engine over libmpv. libmpv decodes on threads of its own; its
// callbacks only wake the UI loop, which then calls ProcessEvents here, where
// the queued libmpv events are taken and a new video frame is rendered into
// the video target. Every call below is made on the UI thread.
//
// A file is loaded paused at its start. End of stream leaves it loaded and
// paused, and queues one kMediaEventComplete. Without a working sound device
// the sound output falls back to none: the medium plays silently and the log
// says why.
//
// The engine must be destroyed before its video target (whose OpenGL context
// it renders with).
class MpvEngine final : public MediaEngine {
 public:
  // How long Open waits for a file to finish loading.
  static constexpr std::chrono::milliseconds kOpenTimeout{5000};

  // Loads libmpv if it is not loaded yet and sets it up with its OpenGL
  // renderer on the target's context. Nothing (and a log line) when libmpv or
  // its renderer cannot be set up, or there is no wake-up.
  static std::unique_ptr<MpvEngine> Create(VideoTarget& target, std::unique_ptr<LoopWakeup> wakeup);
  ~MpvEngine() override;
  MpvEngine(const MpvEngine&) = delete;
  MpvEngine& operator=(const MpvEngine&) = delete;

  OpenResult Open(const std::string& path) override;
  void Close() override;
  bool IsOpen() const override { return mIsOpen; }
  std::vector<MediaStream> Streams() const override { return mTracks.streams; }

  void Run() override;
  void Pause() override;
  void Stop() override;

  double CurrentPosition() override;
  void SetCurrentPosition(double seconds) override;
  double Duration() override { return mDuration; }
  void SetRate(double rate) override;

  bool GetEvent(int32_t& code) override;

  void SetVolume(int32_t hundredthsOfDecibel) override;
  void SetBalance(int32_t balance) override;

  bool PreferredAspectRatio(int32_t& x, int32_t& y) override;
  bool VideoSize(int32_t& width, int32_t& height) override;

  void SetVideoWindow(const PixelRect& window) override;
  void SetDestination(const PixelRect& destination) override;
  PixelRect Destination() const override { return mDestination; }

  // In MpvEngineTracks.cpp.
  std::vector<MediaTrack> Tracks(MediaTrackType type) override;
  void SelectTrack(MediaTrackType type, int64_t id) override;
  std::vector<double> ChapterStarts() override;
  void JumpTo(double seconds) override;
  // The destination in pixels of the whole picture area.
  PixelRect AbsoluteDestination() const;
  void PlaceSubtitles();

  // Takes everything libmpv has queued and renders a new video frame if there
  // is one. The UI loop calls this on each wake-up; it never blocks.
  void ProcessEvents();

  // Video frames rendered into the video target since the last open.
  int64_t FramesRendered() const;

  // libmpv's volume (percent, cubic) for an attenuation in hundredths of a
  // decibel; 0 and below for silence, which is set as mute instead.
  static double VolumePercent(int32_t hundredthsOfDecibel);

 private:
  struct MpvDeleter {
    const MpvLibrary* mpv;
    void operator()(mpv_handle* handle) const;
  };

  MpvEngine(const MpvLibrary& mpv, VideoTarget& target, std::unique_ptr<LoopWakeup> wakeup);

  static void OnWakeup(void* wakeup);
  bool Initialise();
  void HandleEvent(const mpv_event& event);
  void HandlePropertyChange(const mpv_event& event);
  void HandleEndOfFile(const mpv_event& event);
  void ReadMedium();
  void ForgetMedium();
  void RenderFrame();
  bool SetFlag(const char* name, bool value);
  bool SetDouble(const char* name, double value);
  bool RunCommand(const std::vector<const char*>& arguments);
  // Seeks with libmpv's flags ("absolute+exact") and lets the target stand
  // for the position until playback restarts there.
  void Seek(double seconds, const char* flags);
  bool DisplaySize(int64_t& width, int64_t& height) const;

  const MpvLibrary& mMpv;
  VideoTarget& mTarget;
  std::unique_ptr<LoopWakeup> mWakeup;
  // The renderer dies before the handle it belongs to.
  std::unique_ptr<mpv_handle, MpvDeleter> mHandle;
  std::unique_ptr<MpvRenderer> mRenderer;

  // The open medium.
  bool mIsOpen = false;
  int64_t mEntryId = -1;  // libmpv's play-list entry of the open medium
  MpvTrackList mTracks;
  double mDuration = 0;
  double mPosition = 0;
  int64_t mDisplayWidth = 0;  // the decoded picture's size on screen
  int64_t mDisplayHeight = 0;
  bool mEndReported = false;
  std::deque<int32_t> mEvents;
  bool mHasFrame = false;  // libmpv has a picture of this medium to draw again
  // libmpv has shown this medium's first picture. Until then the frame it
  // offers may still be the last one of the medium before (libmpv keeps its
  // video output from one file to the next), and that is never drawn.
  bool mStarted = false;

  // A seek that libmpv has not finished yet: its target stands for the
  // position until playback restarts there, so repeated relative moves build
  // on each other instead of on a stale position.
  std::optional<double> mPendingSeek;
  std::chrono::steady_clock::time_point mPendingSeekSince;

  std::optional<int32_t> mVolume;
  bool mNoSoundLogged = false;
  PixelRect mDestination;  // relative to the video window
  PixelRect mVideoWindow;
  int64_t mSubtitlePosition = 100;  // libmpv's sub-pos: 100 puts them at the picture's foot
};
