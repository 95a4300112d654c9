#include "platform/SdBusMpris.h"

#include <SDL.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstring>
#include <exception>
#include <string_view>
#include <vector>

#include "base/Log.h"
#include "platform/SdlFdWakeup.h"
#include "platform/SdlUiLoop.h"
#include "program/MprisPlayer.h"

namespace {

constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

// What the player can play from its list; it opens no addresses itself.
constexpr const char* kUriSchemes[] = {"file"};
constexpr const char* kMimeTypes[] = {
    "audio/mpeg", "audio/ogg",  "audio/flac",       "audio/x-wav",
    "audio/mp4",  "video/mp4",  "video/x-matroska", "video/x-msvideo",
    "video/webm", "video/mpeg", "video/ogg",        "video/quicktime",
};

std::string ErrorText(int error) {
  return std::strerror(error < 0 ? -error : error);
}

MprisPlayer& PlayerOf(void* userdata) {
  return static_cast<SdBusMpris*>(userdata)->Player();
}

// Runs a call into the program; a failure inside ends that call with an
// error reply and a log line, never the program.
template <typename Call>
int Guarded(const char* what, sd_bus_error* error, Call call) {
  try {
    return call();
  } catch (const std::exception& failure) {
    WriteLog(std::string("mpris.") + what + " failed: " + failure.what());
    return sd_bus_error_set(error, SD_BUS_ERROR_FAILED, failure.what());
  }
}

template <void (MprisPlayer::*Method)()>
int CallMethod(sd_bus_message* message, void* userdata, sd_bus_error* error) {
  return Guarded(sd_bus_message_get_member(message), error, [&] {
    (PlayerOf(userdata).*Method)();
    return sd_bus_reply_method_return(message, "");
  });
}

int CallSeek(sd_bus_message* message, void* userdata, sd_bus_error* error) {
  int64_t offset = 0;
  const int read = sd_bus_message_read(message, "x", &offset);
  if (read < 0) return read;
  return Guarded("Seek", error, [&] {
    PlayerOf(userdata).Seek(offset);
    return sd_bus_reply_method_return(message, "");
  });
}

int CallSetPosition(sd_bus_message* message, void* userdata, sd_bus_error* error) {
  const char* trackId = nullptr;
  int64_t position = 0;
  const int read = sd_bus_message_read(message, "ox", &trackId, &position);
  if (read < 0) return read;
  return Guarded("SetPosition", error, [&] {
    PlayerOf(userdata).SetPosition(trackId ? trackId : "", position);
    return sd_bus_reply_method_return(message, "");
  });
}

int CallOpenUri(sd_bus_message*, void*, sd_bus_error* error) {
  return sd_bus_error_set(error, SD_BUS_ERROR_NOT_SUPPORTED,
                          "Tavizo plays the files of its own list");
}

template <size_t N>
int AppendStrings(sd_bus_message* reply, const char* const (&texts)[N]) {
  int result = sd_bus_message_open_container(reply, 'a', "s");
  for (size_t i = 0; result >= 0 && i < N; ++i)
    result = sd_bus_message_append(reply, "s", texts[i]);
  return result < 0 ? result : sd_bus_message_close_container(reply);
}

int GetRootProperty(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply,
                    void*, sd_bus_error*) {
  const std::string_view name = property;
  if (name == "Identity") return sd_bus_message_append(reply, "s", "Tavizo");
  if (name == "DesktopEntry") return sd_bus_message_append(reply, "s", "tavizo");
  if (name == "SupportedUriSchemes") return AppendStrings(reply, kUriSchemes);
  if (name == "SupportedMimeTypes") return AppendStrings(reply, kMimeTypes);
  const int hasTrackList = 0;
  const int can = 1;  // CanQuit, CanRaise
  return sd_bus_message_append(reply, "b", name == "HasTrackList" ? hasTrackList : can);
}

// One entry of an a{sv}: the key, and the value under its own signature.
template <typename Value>
int AppendEntry(sd_bus_message* reply, const char* key, const char* signature, Value value) {
  int result = sd_bus_message_open_container(reply, 'e', "sv");
  if (result >= 0) result = sd_bus_message_append(reply, "s", key);
  if (result >= 0) result = sd_bus_message_open_container(reply, 'v', signature);
  if (result >= 0) result = sd_bus_message_append(reply, signature, value);
  if (result >= 0) result = sd_bus_message_close_container(reply);
  return result < 0 ? result : sd_bus_message_close_container(reply);
}

int AppendMetadata(sd_bus_message* reply, const MprisMetadata& metadata) {
  int result = sd_bus_message_open_container(reply, 'a', "{sv}");
  if (result >= 0) result = AppendEntry(reply, "mpris:trackid", "o", metadata.trackId.c_str());
  if (metadata.trackId != MprisPlayer::kNoTrack) {
    if (result >= 0) result = AppendEntry(reply, "xesam:title", "s", metadata.title.c_str());
    if (result >= 0) result = AppendEntry(reply, "mpris:length", "x", metadata.lengthUs);
    if (result >= 0) result = AppendEntry(reply, "xesam:url", "s", metadata.url.c_str());
  }
  return result < 0 ? result : sd_bus_message_close_container(reply);
}

int GetPlayerProperty(sd_bus*, const char*, const char*, const char* property,
                      sd_bus_message* reply, void* userdata, sd_bus_error*) {
  const std::string_view name = property;
  MprisPlayer& player = PlayerOf(userdata);
  if (name == "Position") return sd_bus_message_append(reply, "x", player.PositionUs());
  if (name == "Rate" || name == "MinimumRate" || name == "MaximumRate") {
    return sd_bus_message_append(reply, "d", MprisPlayer::kRate);
  }
  if (name == "CanControl") return sd_bus_message_append(reply, "b", 1);

  const MprisProperties properties = player.Properties();
  if (name == "PlaybackStatus") {
    return sd_bus_message_append(reply, "s", properties.playbackStatus.c_str());
  }
  if (name == "LoopStatus") return sd_bus_message_append(reply, "s", properties.loopStatus.c_str());
  if (name == "Metadata") return AppendMetadata(reply, properties.metadata);
  if (name == "Volume") return sd_bus_message_append(reply, "d", properties.volume);
  const std::pair<std::string_view, bool> flags[] = {
      {"Shuffle", properties.shuffle},
      {"CanGoNext", properties.canGoNext},
      {"CanGoPrevious", properties.canGoPrevious},
      {"CanPlay", properties.canPlay},
      {"CanPause", properties.canPause},
      {"CanSeek", properties.canSeek},
  };
  for (const auto& [flagName, value] : flags) {
    if (flagName == name) return sd_bus_message_append(reply, "b", value ? 1 : 0);
  }
  return -EINVAL;
}

int SetPlayerProperty(sd_bus*, const char*, const char*, const char* property,
                      sd_bus_message* value, void* userdata, sd_bus_error* error) {
  const std::string_view name = property;
  MprisPlayer& player = PlayerOf(userdata);
  if (name == "Volume") {
    double level = 0;
    const int read = sd_bus_message_read(value, "d", &level);
    if (read < 0) return read;
    return Guarded("Volume", error, [&] { return player.SetVolume(level), 0; });
  }
  if (name == "LoopStatus") {
    const char* status = nullptr;
    const int read = sd_bus_message_read(value, "s", &status);
    if (read < 0) return read;
    return Guarded("LoopStatus", error, [&] { return player.SetLoopStatus(status), 0; });
  }
  if (name == "Shuffle") {
    int shuffle = 0;
    const int read = sd_bus_message_read(value, "b", &shuffle);
    if (read < 0) return read;
    return Guarded("Shuffle", error, [&] { return player.SetShuffle(shuffle != 0), 0; });
  }
  // The rate is fixed: a request for another is ignored, as MPRIS allows.
  double rate = 0;
  return sd_bus_message_read(value, "d", &rate) < 0 ? -EINVAL : 0;
}

constexpr uint64_t kChanges = SD_BUS_VTABLE_PROPERTY_EMITS_CHANGE;
constexpr uint64_t kConst = SD_BUS_VTABLE_PROPERTY_CONST;
constexpr uint64_t kAnyone = SD_BUS_VTABLE_UNPRIVILEGED;

const sd_bus_vtable kRootVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Raise", "", "", CallMethod<&MprisPlayer::Raise>, kAnyone),
    SD_BUS_METHOD("Quit", "", "", CallMethod<&MprisPlayer::Quit>, kAnyone),
    SD_BUS_PROPERTY("CanQuit", "b", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("CanRaise", "b", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("HasTrackList", "b", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("Identity", "s", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("DesktopEntry", "s", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("SupportedUriSchemes", "as", GetRootProperty, 0, kConst),
    SD_BUS_PROPERTY("SupportedMimeTypes", "as", GetRootProperty, 0, kConst),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kPlayerVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Next", "", "", CallMethod<&MprisPlayer::Next>, kAnyone),
    SD_BUS_METHOD("Previous", "", "", CallMethod<&MprisPlayer::Previous>, kAnyone),
    SD_BUS_METHOD("Pause", "", "", CallMethod<&MprisPlayer::Pause>, kAnyone),
    SD_BUS_METHOD("PlayPause", "", "", CallMethod<&MprisPlayer::PlayPause>, kAnyone),
    SD_BUS_METHOD("Stop", "", "", CallMethod<&MprisPlayer::Stop>, kAnyone),
    SD_BUS_METHOD("Play", "", "", CallMethod<&MprisPlayer::Play>, kAnyone),
    SD_BUS_METHOD("Seek", "x", "", CallSeek, kAnyone),
    SD_BUS_METHOD("SetPosition", "ox", "", CallSetPosition, kAnyone),
    SD_BUS_METHOD("OpenUri", "s", "", CallOpenUri, kAnyone),
    SD_BUS_SIGNAL("Seeked", "x", 0),
    SD_BUS_PROPERTY("PlaybackStatus", "s", GetPlayerProperty, 0, kChanges),
    SD_BUS_WRITABLE_PROPERTY("LoopStatus", "s", GetPlayerProperty, SetPlayerProperty, 0,
                             kChanges | kAnyone),
    SD_BUS_WRITABLE_PROPERTY("Rate", "d", GetPlayerProperty, SetPlayerProperty, 0,
                             kChanges | kAnyone),
    SD_BUS_WRITABLE_PROPERTY("Shuffle", "b", GetPlayerProperty, SetPlayerProperty, 0,
                             kChanges | kAnyone),
    SD_BUS_PROPERTY("Metadata", "a{sv}", GetPlayerProperty, 0, kChanges),
    SD_BUS_WRITABLE_PROPERTY("Volume", "d", GetPlayerProperty, SetPlayerProperty, 0,
                             kChanges | kAnyone),
    // The position moves all the time; clients ask for it and hear of jumps by Seeked.
    SD_BUS_PROPERTY("Position", "x", GetPlayerProperty, 0, 0),
    SD_BUS_PROPERTY("MinimumRate", "d", GetPlayerProperty, 0, kConst),
    SD_BUS_PROPERTY("MaximumRate", "d", GetPlayerProperty, 0, kConst),
    SD_BUS_PROPERTY("CanGoNext", "b", GetPlayerProperty, 0, kChanges),
    SD_BUS_PROPERTY("CanGoPrevious", "b", GetPlayerProperty, 0, kChanges),
    SD_BUS_PROPERTY("CanPlay", "b", GetPlayerProperty, 0, kChanges),
    SD_BUS_PROPERTY("CanPause", "b", GetPlayerProperty, 0, kChanges),
    SD_BUS_PROPERTY("CanSeek", "b", GetPlayerProperty, 0, kChanges),
    SD_BUS_PROPERTY("CanControl", "b", GetPlayerProperty, 0, kConst),
    SD_BUS_VTABLE_END,
};

}  // namespace

// Shared with the loop's watchers, which outlive the adapter: once it is
// gone, its events are still consumed but reach nobody.
struct SdBusMpris::LoopLink {
  SdBusMpris* adapter = nullptr;
};

std::unique_ptr<SdBusMpris> SdBusMpris::Create(MprisPlayer& player, SdlUiLoop& loop) {
  sd_bus* bus = nullptr;
  const int opened = sd_bus_open_user_with_description(&bus, "tavizo-mpris");
  if (opened < 0) {
    WriteLog("no session bus (" + ErrorText(opened) + "): the desktop's media controls are off");
    return nullptr;
  }
  std::unique_ptr<SdBusMpris> adapter(new SdBusMpris(player, bus));
  std::string error;
  if (!adapter->Offer(error)) {
    WriteLog("no session bus (" + error + "): the desktop's media controls are off");
    return nullptr;
  }
  adapter->mWakeup = SdlFdWakeup::Create();
  if (!adapter->mWakeup) {
    WriteLog("the session bus cannot wake the UI loop: the desktop's media controls are off");
    return nullptr;
  }
  adapter->mLoopLink = std::make_shared<LoopLink>();
  adapter->mLoopLink->adapter = adapter.get();
  const uint32_t eventType = adapter->mWakeup->EventType();
  loop.AddEventWatcher([link = adapter->mLoopLink, eventType](const SDL_Event& event) {
    if (event.type != eventType) return false;
    if (link->adapter) link->adapter->ProcessBus();
    return true;
  });
  loop.AddBatchEndHandler([link = adapter->mLoopLink] {
    if (link->adapter) link->adapter->AnnounceChanges();
  });
  // The first look takes the state the changes are measured from.
  player.TakeChanges();
  adapter->ArmWakeup();
  return adapter;
}

SdBusMpris::SdBusMpris(MprisPlayer& player, sd_bus* bus) : mPlayer(player), mBus(bus) {}

SdBusMpris::~SdBusMpris() {
  if (mLoopLink) mLoopLink->adapter = nullptr;
  Close();
}

bool SdBusMpris::Offer(std::string& error) {
  sd_bus_set_exit_on_disconnect(mBus, 0);
  int result =
      sd_bus_add_object_vtable(mBus, &mRootSlot, kObjectPath, kRootInterface, kRootVtable, this);
  if (result >= 0) {
    result = sd_bus_add_object_vtable(mBus, &mPlayerSlot, kObjectPath, kPlayerInterface,
                                      kPlayerVtable, this);
  }
  // The answer comes through the UI loop: a bus that is slow to answer never
  // holds up the start.
  if (result >= 0) result = RequestName(kBusName);
  if (result < 0) {
    error = ErrorText(result);
    return false;
  }
  return true;
}

int SdBusMpris::RequestName(const std::string& name) {
  mRequestedName = name;
  const auto answered = [](sd_bus_message* reply, void* userdata, sd_bus_error*) {
    static_cast<SdBusMpris*>(userdata)->NameAnswered(reply);
    return 0;
  };
  return sd_bus_request_name_async(mBus, nullptr, mRequestedName.c_str(), 0, answered, this);
}

void SdBusMpris::NameAnswered(sd_bus_message* reply) {
  // The answers of the bus's RequestName.
  constexpr uint32_t kPrimaryOwner = 1;
  constexpr uint32_t kExists = 3;
  constexpr uint32_t kAlreadyOwner = 4;
  uint32_t answer = 0;
  const sd_bus_error* failure = sd_bus_message_get_error(reply);
  if (!failure && sd_bus_message_read(reply, "u", &answer) >= 0) {
    if (answer == kPrimaryOwner || answer == kAlreadyOwner) {
      WriteLog("the desktop's media controls reach Tavizo on the session bus as " + mRequestedName);
      return;
    }
    // Another Tavizo holds the name; the desktop lists this one beside it.
    if (answer == kExists && mRequestedName == kBusName &&
        RequestName(std::string(kBusName) + ".instance" + std::to_string(getpid())) >= 0) {
      return;
    }
  }
  WriteLog("the session bus did not give Tavizo the name " + mRequestedName + " (" +
           (failure && failure->message ? failure->message : "taken") +
           "): the desktop's media controls are off");
}

void SdBusMpris::Close() {
  mWakeup.reset();
  mRootSlot = sd_bus_slot_unref(mRootSlot);
  mPlayerSlot = sd_bus_slot_unref(mPlayerSlot);
  if (mBus) mBus = sd_bus_flush_close_unref(mBus);
}

void SdBusMpris::LoseBus(int error) {
  WriteLog("the session bus went away (" + ErrorText(error) +
           "): the desktop's media controls are off");
  mWakeup.reset();
  mRootSlot = sd_bus_slot_unref(mRootSlot);
  mPlayerSlot = sd_bus_slot_unref(mPlayerSlot);
  mBus = sd_bus_close_unref(mBus);
}

void SdBusMpris::ArmWakeup() {
  if (!mBus || !mWakeup) return;
  const int fd = sd_bus_get_fd(mBus);
  const int events = sd_bus_get_events(mBus);
  uint64_t deadline = SdlFdWakeup::kNoDeadline;
  if (fd < 0 || events < 0 || sd_bus_get_timeout(mBus, &deadline) < 0) {
    LoseBus(fd < 0 ? fd : events < 0 ? events : -ENOTCONN);
    return;
  }
  mWakeup->Arm(fd, static_cast<short>(events), deadline);
}

void SdBusMpris::ProcessBus() {
  // A command run from a call may let pending events run once (opening a
  // file does); the bus is not read again from inside its own handler.
  if (!mBus || mProcessing) return;
  mProcessing = true;
  int result = 0;
  while (mBus && (result = sd_bus_process(mBus, nullptr)) > 0) {
  }
  mProcessing = false;
  if (!mBus) return;
  if (result < 0) {
    LoseBus(result);
    return;
  }
  if (sd_bus_is_open(mBus) <= 0) {
    LoseBus(-ECONNRESET);
    return;
  }
  ArmWakeup();
}

void SdBusMpris::AnnounceChanges() {
  if (!mBus || mProcessing) return;
  const MprisChanges changes = mPlayer.TakeChanges();
  if (!changes.changed.empty()) {
    std::vector<char*> names;
    for (const char* name : changes.changed) names.push_back(const_cast<char*>(name));
    names.push_back(nullptr);
    sd_bus_emit_properties_changed_strv(mBus, kObjectPath, kPlayerInterface, names.data());
  }
  if (changes.seekedUs) {
    sd_bus_emit_signal(mBus, kObjectPath, kPlayerInterface, "Seeked", "x", *changes.seekedUs);
  }
  // What could not be written at once waits for the socket to take it.
  if (!changes.changed.empty() || changes.seekedUs) ArmWakeup();
}
