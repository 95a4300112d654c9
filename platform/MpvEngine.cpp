#include "platform/MpvEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "base/Log.h"
#include "media/LoopWakeup.h"
#include "media/VideoTarget.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvRenderer.h"
#include "platform/MpvTrackList.h"

namespace {

// The reply numbers of the observed properties.
enum PropertyId : uint64_t {
  kPropertyEndReached = 1,
  kPropertyTimePosition,
  kPropertyDuration,
  kPropertyDisplayWidth,
  kPropertyDisplayHeight,
  kPropertySoundOutput,
};

// A pending seek stands for the position no longer than this, in case libmpv
// never reports that playback restarted (a seek past the end, say).
constexpr std::chrono::milliseconds kPendingSeekLimit{3000};

// The play-list entry that "loadfile" added; 0 when libmpv does not say.
int64_t LoadedEntryId(const mpv_node& result) {
  if (result.format != MPV_FORMAT_NODE_MAP) return 0;
  for (int i = 0; i < result.u.list->num; ++i) {
    const mpv_node& value = result.u.list->values[i];
    if (std::strcmp(result.u.list->keys[i], "playlist_entry_id") == 0 &&
        value.format == MPV_FORMAT_INT64) {
      return value.u.int64;
    }
  }
  return 0;
}

std::string WithoutTrailingNewline(const char* text) {
  std::string result = text ? text : "";
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

}  // namespace

// libmpv's callbacks, on its own threads: both only wake the UI loop, where
// ProcessEvents takes whatever there is.
void MpvEngine::OnWakeup(void* wakeup) {
  static_cast<LoopWakeup*>(wakeup)->Wake();
}

void MpvEngine::MpvDeleter::operator()(mpv_handle* handle) const {
  mpv->mpv_terminate_destroy(handle);
}

MpvEngine::MpvEngine(const MpvLibrary& mpv, VideoTarget& target, std::unique_ptr<LoopWakeup> wakeup)
    : mMpv(mpv), mTarget(target), mWakeup(std::move(wakeup)), mHandle(nullptr, MpvDeleter{&mpv}) {}

std::unique_ptr<MpvEngine> MpvEngine::Create(VideoTarget& target,
                                             std::unique_ptr<LoopWakeup> wakeup) {
  const MpvLibrary* mpv = MpvLibrary::Load();
  if (!mpv || !wakeup) return nullptr;
  std::unique_ptr<MpvEngine> engine(new MpvEngine(*mpv, target, std::move(wakeup)));
  if (!engine->Initialise()) return nullptr;
  return engine;
}

bool MpvEngine::Initialise() {
  mHandle.reset(mMpv.mpv_create());
  if (!mHandle) {
    WriteLog("MpvEngine: mpv_create failed");
    return false;
  }
  // The sound outputs end with "null": without a working sound device a file
  // still plays, silently, instead of failing to open.
  static constexpr const char* kOptions[][2] = {
      {"vo", "libmpv"},
      {"ao", "pipewire,pulse,alsa,null"},
      {"keep-open", "yes"},
      {"idle", "yes"},
      {"audio-display", "no"},
      {"cover-art-auto", "no"},
      {"hwdec", "no"},
      {"input-default-bindings", "no"},
      {"input-vo-keyboard", "no"},
      {"osc", "no"},
      // No user scripts, configuration or web look-ups: the player is ours
      // alone, and its scripts cost start-up time for nothing.
      {"config", "no"},
      {"load-scripts", "no"},
      {"ytdl", "no"},
      {"load-stats-overlay", "no"},
      {"load-osd-console", "no"},
      {"load-auto-profiles", "no"},
      {"terminal", "no"},
      {"msg-level", "all=warn"},
      {"pause", "yes"},
      // The picture fills the destination rectangle it is given: the video
      // placement decides its shape (forced, zoomed or anamorphic), so libmpv
      // must not fit the film's own aspect into it again.
      {"keepaspect", "no"},
      // A browsed file plays as itself and opens nothing else: no play-list
      // expansion (.m3u, .pls, .cue), no files or addresses that a medium
      // refers to, and nothing from the network. The one exception is a
      // subtitle file of exactly the film's name beside it. Positions are
      // remembered by the program itself, not by libmpv.
      {"access-references", "no"},
      {"sub-auto", "exact"},
      {"resume-playback", "no"},
      // Rendering never waits for a frame's display time, so it should not
      // be handed frames ahead of it either.
      {"video-timing-offset", "0"},
  };
  for (const auto& option : kOptions) {
    const int error = mMpv.mpv_set_option_string(mHandle.get(), option[0], option[1]);
    if (error < 0) {
      WriteLog(std::string("MpvEngine: option ") + option[0] + "=" + option[1] +
               " refused: " + mMpv.mpv_error_string(error));
    }
  }
  mMpv.mpv_request_log_messages(mHandle.get(), "warn");
  const int error = mMpv.mpv_initialize(mHandle.get());
  if (error < 0) {
    WriteLog(std::string("MpvEngine: mpv_initialize failed: ") + mMpv.mpv_error_string(error));
    return false;
  }
  // With vo=libmpv, every file with video fails until a render context exists.
  mRenderer = MpvRenderer::Create(mMpv, *mHandle, mTarget);
  if (!mRenderer) return false;

  mMpv.mpv_observe_property(mHandle.get(), kPropertyEndReached, "eof-reached", MPV_FORMAT_FLAG);
  mMpv.mpv_observe_property(mHandle.get(), kPropertyTimePosition, "time-pos", MPV_FORMAT_DOUBLE);
  mMpv.mpv_observe_property(mHandle.get(), kPropertyDuration, "duration", MPV_FORMAT_DOUBLE);
  mMpv.mpv_observe_property(mHandle.get(), kPropertyDisplayWidth, "dwidth", MPV_FORMAT_INT64);
  mMpv.mpv_observe_property(mHandle.get(), kPropertyDisplayHeight, "dheight", MPV_FORMAT_INT64);
  mMpv.mpv_observe_property(mHandle.get(), kPropertySoundOutput, "current-ao", MPV_FORMAT_STRING);

  mWakeup->SetHandler([this] { ProcessEvents(); });
  mMpv.mpv_set_wakeup_callback(mHandle.get(), &OnWakeup, mWakeup.get());
  mRenderer->SetUpdateCallback(&OnWakeup, mWakeup.get());
  // Moving the picture between the window and the video layer needs it
  // drawn again there, also while paused.
  mRenderer->SetRedraw([this] {
    if (mHasFrame) RenderFrame();
  });
  return true;
}

MpvEngine::~MpvEngine() {
  mWakeup->SetHandler({});
  // No callback may run once the engine is going; both setters wait for a
  // callback in progress.
  if (mRenderer) mRenderer->SetUpdateCallback(nullptr, nullptr);
  if (mHandle) mMpv.mpv_set_wakeup_callback(mHandle.get(), nullptr, nullptr);
  mRenderer.reset();
  mHandle.reset();
}

OpenResult MpvEngine::Open(const std::string& path) {
  Close();
  ForgetMedium();
  // "pause" carries over from the last medium; a new one starts paused.
  SetFlag("pause", true);

  const char* arguments[] = {"loadfile", path.c_str(), "replace", nullptr};
  mpv_node result{};
  const int error = mMpv.mpv_command_ret(mHandle.get(), arguments, &result);
  if (error < 0)
    return {OpenStatus::Failed, std::string("loadfile: ") + mMpv.mpv_error_string(error)};
  const int64_t entryId = LoadedEntryId(result);
  mMpv.mpv_free_node_contents(&result);

  // Waits for this entry to load, leaving aside what the previous one still
  // reports (its end above all).
  const auto deadline = std::chrono::steady_clock::now() + kOpenTimeout;
  bool started = false;
  while (true) {
    const auto remaining = deadline - std::chrono::steady_clock::now();
    if (remaining <= std::chrono::steady_clock::duration::zero()) break;
    mpv_event* event =
        mMpv.mpv_wait_event(mHandle.get(), std::chrono::duration<double>(remaining).count());
    if (event->event_id == MPV_EVENT_START_FILE) {
      const auto* start = static_cast<const mpv_event_start_file*>(event->data);
      if (entryId == 0 || start->playlist_entry_id == entryId) started = true;
    } else if (event->event_id == MPV_EVENT_END_FILE) {
      const auto* end = static_cast<const mpv_event_end_file*>(event->data);
      if (entryId != 0 ? end->playlist_entry_id == entryId : started) {
        // Whatever the failed entry left queued in libmpv (the entries of a
        // play list, say) is dropped before it can start.
        RunCommand({"stop"});
        // Nothing could read the file at all, or it is not there.
        if (end->error == MPV_ERROR_UNKNOWN_FORMAT || end->error == MPV_ERROR_LOADING_FAILED) {
          return {OpenStatus::NothingToRender, mMpv.mpv_error_string(end->error)};
        }
        return {OpenStatus::Failed, end->error < 0 ? mMpv.mpv_error_string(end->error)
                                                   : "the medium ended while loading"};
      }
    } else if (event->event_id == MPV_EVENT_FILE_LOADED && started) {
      mEntryId = entryId;
      mIsOpen = true;
      SetFlag("pause", true);
      ReadMedium();
      return {OpenStatus::Opened, {}};
    } else {
      HandleEvent(*event);
    }
  }
  // A medium that never finishes loading (a stalled pipe or network file)
  // must not hang the program: give up on it.
  RunCommand({"stop"});
  return {OpenStatus::Failed, "timed out: the medium did not finish loading within " +
                                  std::to_string(kOpenTimeout.count() / 1000) + " seconds"};
}

// Reads what the loaded medium offers once, right after it loaded.
void MpvEngine::ReadMedium() {
  double duration = 0;
  if (mMpv.mpv_get_property(mHandle.get(), "duration", MPV_FORMAT_DOUBLE, &duration) >= 0 &&
      std::isfinite(duration) && duration > 0) {
    mDuration = duration;
  }
  mpv_node tracks{};
  if (mMpv.mpv_get_property(mHandle.get(), "track-list", MPV_FORMAT_NODE, &tracks) < 0) {
    WriteLog("MpvEngine: the medium lists no streams");
    return;
  }
  mTracks = MpvTrackList::FromNode(tracks);
  mMpv.mpv_free_node_contents(&tracks);
}

void MpvEngine::ForgetMedium() {
  mIsOpen = false;
  mEntryId = -1;
  mTracks = {};
  mDuration = 0;
  mPosition = 0;
  mDisplayWidth = 0;
  mDisplayHeight = 0;
  mEndReported = false;
  mEvents.clear();
  mHasFrame = false;
  mStarted = false;
  if (mRenderer) mRenderer->ResetFrameCount();
  mPendingSeek.reset();
}

void MpvEngine::Close() {
  // Also when nothing is open: a medium that failed or ended may have left
  // libmpv with more to play, and stopping ends all of it.
  RunCommand({"stop"});
  ForgetMedium();
  // The old picture leaves the skin with its medium.
  mDestination = {};
  mVideoWindow = {};
  mTarget.Clear();
}

void MpvEngine::Run() {
  if (mIsOpen) SetFlag("pause", false);
}

void MpvEngine::Pause() {
  if (mIsOpen) SetFlag("pause", true);
}

void MpvEngine::Stop() {
  if (!mIsOpen) return;
  SetFlag("pause", true);
  RunCommand({"seek", "0", "absolute+exact"});
  mPendingSeek = 0.0;
  mPendingSeekSince = std::chrono::steady_clock::now();
}

double MpvEngine::CurrentPosition() {
  ProcessEvents();
  if (mPendingSeek && std::chrono::steady_clock::now() - mPendingSeekSince < kPendingSeekLimit) {
    return *mPendingSeek;
  }
  return mPosition;
}

void MpvEngine::SetCurrentPosition(double seconds) {
  if (!mIsOpen || !std::isfinite(seconds)) return;
  seconds = std::max(seconds, 0.0);
  // Seeks that follow each other faster than libmpv finishes them (fast
  // scrolling) go to key frames, which costs a third and lets queued seeks
  // merge; a single seek lands exactly where asked.
  const bool scrolling = mPendingSeek.has_value() &&
                         std::chrono::steady_clock::now() - mPendingSeekSince < kPendingSeekLimit;
  Seek(seconds, scrolling ? "absolute+keyframes" : "absolute+exact");
}

void MpvEngine::Seek(double seconds, const char* flags) {
  const std::string target = std::to_string(seconds);
  RunCommand({"seek", target.c_str(), flags});
  mPendingSeek = seconds;
  mPendingSeekSince = std::chrono::steady_clock::now();
}

void MpvEngine::SetRate(double rate) {
  if (!std::isfinite(rate) || rate <= 0) return;
  SetDouble("speed", std::clamp(rate, 0.01, 100.0));
}

bool MpvEngine::GetEvent(int32_t& code) {
  ProcessEvents();
  if (mEvents.empty()) return false;
  code = mEvents.front();
  mEvents.pop_front();
  return true;
}

double MpvEngine::VolumePercent(int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= -10000) return 0;
  const int32_t attenuation = std::min(hundredthsOfDecibel, 0);
  // libmpv's volume is cubic (amplitude = (volume / 100)^3), and v hundredths
  // of a decibel are an amplitude of 10^(v / 2000): volume = 100 * 10^(v / 6000).
  return 100.0 * std::pow(10.0, attenuation / 6000.0);
}

void MpvEngine::SetVolume(int32_t hundredthsOfDecibel) {
  if (mVolume == hundredthsOfDecibel) return;
  mVolume = hundredthsOfDecibel;
  const double percent = VolumePercent(hundredthsOfDecibel);
  if (percent <= 0) {
    SetFlag("mute", true);
    return;
  }
  SetDouble("volume", percent);
  SetFlag("mute", false);
}

void MpvEngine::SetBalance(int32_t) {
  // FIXME: the balance is not applied; nothing in the program sets any other
  // than the middle.
}

bool MpvEngine::DisplaySize(int64_t& width, int64_t& height) const {
  if (!mIsOpen || !mTracks.hasVideo) return false;
  if (mDisplayWidth > 0 && mDisplayHeight > 0) {
    width = mDisplayWidth;
    height = mDisplayHeight;
    return true;
  }
  // Until the first picture is decoded, the file's own statement stands.
  if (mTracks.demuxWidth <= 0 || mTracks.demuxHeight <= 0) return false;
  width = std::llround(static_cast<double>(mTracks.demuxWidth) * mTracks.demuxPixelAspect);
  height = mTracks.demuxHeight;
  return width > 0;
}

bool MpvEngine::PreferredAspectRatio(int32_t& x, int32_t& y) {
  int64_t width = 0;
  int64_t height = 0;
  if (!DisplaySize(width, height)) return false;
  const int64_t divisor = std::gcd(width, height);
  x = static_cast<int32_t>(width / divisor);
  y = static_cast<int32_t>(height / divisor);
  return true;
}

bool MpvEngine::VideoSize(int32_t& width, int32_t& height) {
  int64_t displayWidth = 0;
  int64_t displayHeight = 0;
  if (!DisplaySize(displayWidth, displayHeight)) return false;
  width = static_cast<int32_t>(displayWidth);
  height = static_cast<int32_t>(displayHeight);
  return true;
}

void MpvEngine::SetVideoWindow(const PixelRect& window) {
  mVideoWindow = window;
  mTarget.Place(mVideoWindow, AbsoluteDestination());
  PlaceSubtitles();
}

// Subtitles are drawn into the picture. When the picture reaches below the
// video window (zoomed, or forced to another shape), they rise to the foot
// of the part that shows instead of being cut off with the rest.
void MpvEngine::PlaceSubtitles() {
  int64_t position = 100;
  if (mDestination.height > 0 && mVideoWindow.height > 0) {
    const int64_t shownFoot =
        std::min(mDestination.top + mDestination.height, mVideoWindow.height) - mDestination.top;
    position = std::clamp<int64_t>(100 * shownFoot / mDestination.height, 0, 100);
  }
  if (position == mSubtitlePosition) return;
  // A whole percentage: older libmpv takes no fractions here.
  const int error =
      mMpv.mpv_set_property_string(mHandle.get(), "sub-pos", std::to_string(position).c_str());
  if (error < 0) {
    WriteLog(std::string("MpvEngine: setting sub-pos failed: ") + mMpv.mpv_error_string(error));
    return;
  }
  mSubtitlePosition = position;
}

PixelRect MpvEngine::AbsoluteDestination() const {
  // The session places the picture relative to the video window; the
  // presenter takes rectangles of the whole picture area.
  return PixelRect{mVideoWindow.left + mDestination.left, mVideoWindow.top + mDestination.top,
                   mDestination.width, mDestination.height};
}

void MpvEngine::SetDestination(const PixelRect& destination) {
  if (destination == mDestination) return;
  const bool resized =
      destination.width != mDestination.width || destination.height != mDestination.height;
  mDestination = destination;
  mTarget.Place(mVideoWindow, AbsoluteDestination());
  PlaceSubtitles();
  // A new size needs the picture drawn again at that size, even when paused.
  if (resized && mHasFrame) RenderFrame();
}

int64_t MpvEngine::FramesRendered() const {
  return mRenderer->FramesRendered();
}

void MpvEngine::ProcessEvents() {
  while (true) {
    mpv_event* event = mMpv.mpv_wait_event(mHandle.get(), 0);
    if (event->event_id == MPV_EVENT_NONE) break;
    HandleEvent(*event);
  }
  if (mRenderer->HasNewFrame()) RenderFrame();
}

void MpvEngine::HandleEvent(const mpv_event& event) {
  switch (event.event_id) {
    case MPV_EVENT_LOG_MESSAGE: {
      const auto* message = static_cast<const mpv_event_log_message*>(event.data);
      WriteLog(std::string("mpv: ") + message->prefix + ": " +
               WithoutTrailingNewline(message->text));
      break;
    }
    case MPV_EVENT_PROPERTY_CHANGE:
      HandlePropertyChange(event);
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      if (mPendingSeek) mPosition = *mPendingSeek;
      mPendingSeek.reset();
      // The first picture of the medium (or the one after a seek) is ready;
      // libmpv may have offered it before this event arrived, so it is drawn
      // now rather than at the next update.
      if (mIsOpen && !mStarted) {
        mStarted = true;
        if (mTracks.hasVideo) RenderFrame();
      }
      break;
    case MPV_EVENT_END_FILE:
      HandleEndOfFile(event);
      break;
    default:
      break;
  }
}

void MpvEngine::HandlePropertyChange(const mpv_event& event) {
  const auto* property = static_cast<const mpv_event_property*>(event.data);
  const bool known = property->format != MPV_FORMAT_NONE && property->data;
  switch (event.reply_userdata) {
    case kPropertyEndReached: {
      const bool reached = known && *static_cast<const int*>(property->data) != 0;
      if (!reached) {
        mEndReported = false;
        break;
      }
      if (mIsOpen && !mEndReported) {
        mEndReported = true;
        mEvents.push_back(kMediaEventComplete);
      }
      break;
    }
    case kPropertyTimePosition:
      if (known && mIsOpen) mPosition = *static_cast<const double*>(property->data);
      break;
    case kPropertyDuration:
      if (known && mIsOpen) {
        const double duration = *static_cast<const double*>(property->data);
        if (std::isfinite(duration) && duration > 0) mDuration = duration;
      }
      break;
    case kPropertyDisplayWidth:
      mDisplayWidth = known ? *static_cast<const int64_t*>(property->data) : 0;
      break;
    case kPropertyDisplayHeight:
      mDisplayHeight = known ? *static_cast<const int64_t*>(property->data) : 0;
      break;
    case kPropertySoundOutput:
      if (known && !mNoSoundLogged &&
          std::strcmp(*static_cast<char* const*>(property->data), "null") == 0) {
        mNoSoundLogged = true;
        WriteLog("MpvEngine: no sound device could be opened, media play without sound");
      }
      break;
    default:
      break;
  }
}

// With keep-open a medium normally stays loaded at its end; when libmpv lets
// go of it anyway (an error while playing), that is its end too.
void MpvEngine::HandleEndOfFile(const mpv_event& event) {
  const auto* end = static_cast<const mpv_event_end_file*>(event.data);
  if (!mIsOpen || end->playlist_entry_id != mEntryId) return;
  if (end->reason != MPV_END_FILE_REASON_EOF && end->reason != MPV_END_FILE_REASON_ERROR) return;
  if (end->reason == MPV_END_FILE_REASON_ERROR) {
    WriteLog(std::string("MpvEngine: playback stopped: ") + mMpv.mpv_error_string(end->error));
  }
  mIsOpen = false;
  if (!mEndReported) {
    mEndReported = true;
    mEvents.push_back(kMediaEventComplete);
  }
}

void MpvEngine::RenderFrame() {
  const bool shown = mIsOpen && mStarted;
  if (shown) mHasFrame = true;
  mRenderer->Render(shown ? MpvRenderer::Shown::Yes : MpvRenderer::Shown::No);
}

bool MpvEngine::SetFlag(const char* name, bool value) {
  int flag = value ? 1 : 0;
  const int error = mMpv.mpv_set_property(mHandle.get(), name, MPV_FORMAT_FLAG, &flag);
  if (error >= 0) return true;
  WriteLog(std::string("MpvEngine: setting ") + name + " failed: " + mMpv.mpv_error_string(error));
  return false;
}

bool MpvEngine::SetDouble(const char* name, double value) {
  const int error = mMpv.mpv_set_property(mHandle.get(), name, MPV_FORMAT_DOUBLE, &value);
  if (error >= 0) return true;
  WriteLog(std::string("MpvEngine: setting ") + name + " failed: " + mMpv.mpv_error_string(error));
  return false;
}

bool MpvEngine::RunCommand(const std::vector<const char*>& arguments) {
  std::vector<const char*> command = arguments;
  command.push_back(nullptr);
  const int error = mMpv.mpv_command(mHandle.get(), command.data());
  if (error >= 0) return true;
  WriteLog(std::string("MpvEngine: ") + arguments.front() +
           " failed: " + mMpv.mpv_error_string(error));
  return false;
}
