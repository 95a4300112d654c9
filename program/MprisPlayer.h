#pragma once

// The program as the desktop's media controls see it (MPRIS: panels, lock
// screens, headset buttons, phone remotes). Each method the desktop calls runs
// the command a key bound to it would run, through the dispatcher, so the log
// and the screen show the same; the properties are read from the program's
// own state. The bus adapter in platform/ carries both over the session bus
// and asks TakeChanges after each batch of events which signals are due.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the media controls read of the program at one moment.
struct PlayerSnapshot {
  bool isOpen = false;     // a medium is open
  bool isRunning = false;  // it was last told to run
  bool isStopped = false;  // stopped: the next Play reopens the list entry
  std::string title;       // the title the title element shows
  std::string path;        // the open medium's file
  double position = 0;     // seconds
  double duration = 0;     // seconds
  int32_t volume = 0;      // gMediaVolume: hundredths of a dB, -10000..0
  bool isMuted = false;    // gIsMediaMute
  int32_t playMode = 0;    // gPlayMode
  bool hasFiles = false;   // the browse or playing list holds a file row
};

// The program's side, filled by the main window (a fake in the tests).
struct PlayerHooks {
  std::function<PlayerSnapshot()> snapshot;
  // Runs an action ("*.cmdPlay") the way a key bound to it does.
  std::function<void(const std::string& action)> doAction;
  // Moves the open medium to a position in seconds.
  std::function<void(double seconds)> seekTo;
  // Brings the main window to the front.
  std::function<void()> raise;
  // Milliseconds of a monotonic clock.
  std::function<uint64_t()> nowMs;
};

struct MprisMetadata {
  std::string trackId;  // an object path; kNoTrack when nothing is open
  std::string title;
  int64_t lengthUs = 0;
  std::string url;
  bool operator==(const MprisMetadata&) const = default;
};

// The player's properties that announce their changes (Position does not).
struct MprisProperties {
  std::string playbackStatus;  // "Playing", "Paused" or "Stopped"
  MprisMetadata metadata;
  double volume = 0;
  std::string loopStatus;  // "None", "Track" or "Playlist"
  bool shuffle = false;
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canPlay = false;
  bool canPause = false;
  bool canSeek = false;
};

// The signals due after a batch of events.
struct MprisChanges {
  std::vector<const char*> changed;  // names of player properties whose value changed
  std::optional<int64_t> seekedUs;   // the position jumped to, when it jumped
};

class MprisPlayer {
 public:
  static constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
  static constexpr double kRate = 1.0;

  explicit MprisPlayer(PlayerHooks hooks);

  // The root interface.
  void Quit();
  void Raise();

  // The player interface. Play does nothing while the medium plays, Pause
  // nothing when none is open; PlayPause is the play key itself.
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  // Moves by offset from the current position; before the start it goes to
  // the start, past the end it acts as Next.
  void Seek(int64_t offsetUs);
  // Ignored unless trackId is the open medium's and the position lies within it.
  void SetPosition(std::string_view trackId, int64_t positionUs);

  // Writable properties. The volume steps with the volume keys to the step
  // nearest the level (0 silence, 1 full volume); loop status and shuffle
  // step the play mode to the one that matches, and a combination that no
  // mode has is ignored, as is an unknown loop status.
  void SetVolume(double level);
  void SetLoopStatus(std::string_view status);
  void SetShuffle(bool shuffle);

  MprisProperties Properties() const;
  int64_t PositionUs() const;

  // The changes since the last call (the first call reports none).
  MprisChanges TakeChanges();

  // The object path that identifies the medium at path.
  static std::string TrackIdOf(std::string_view path);
  // A file:// URL of a local path.
  static std::string FileUrlOf(std::string_view path);

 private:
  static MprisProperties PropertiesOf(const PlayerSnapshot& state);
  void RunCommand(std::string_view method, const char* command);
  void StepPlayModeTo(int32_t mode);
  void MarkSeeked(double position, uint64_t now, bool running);

  PlayerHooks mHooks;
  std::optional<MprisProperties> mLastProperties;
  bool mSeekRequested = false;
  // Where the position was last known to be, to tell a jump from playback.
  double mBasePosition = 0;
  uint64_t mBaseTime = 0;
  bool mBaseRunning = false;
  std::string mBaseTrack;
};
