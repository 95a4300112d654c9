#pragma once

// The media engine under the media session: it opens one file at a time,
// reports its streams, plays, pauses, seeks, reports the end of the stream,
// sets the volume and places the video. Implemented over libmpv in platform/;
// tests use a scripted fake. Every call is made on the UI thread and returns
// promptly; only Open waits, and never longer than its bound.

#include <cstdint>
#include <string>
#include <vector>

#include "base/MainWindow.h"

enum class MediaStreamType { Audio, Video, Other };

struct MediaStream {
  MediaStreamType type = MediaStreamType::Other;
  std::string name;     // e.g. "audio stream 1" or its title
  std::string decoder;  // e.g. "aac", "h264"
  // One line per connection: what the stream carries, e.g. "audio: aac 48000 Hz 2 ch".
  std::vector<std::string> connections;
};

enum class OpenStatus {
  Opened,           // loaded; paused at its start
  NothingToRender,  // nothing could read the file at all (unknown format, missing file)
  Failed,           // any other failure, including a file that never finished loading
};

struct OpenResult {
  OpenStatus status = OpenStatus::Failed;
  std::string errorDescription;  // for "cmdOpenFile Error: " + description
};

// The audio and subtitle tracks of a medium that the user can choose between.
enum class MediaTrackType { Audio, Subtitles };

struct MediaTrack {
  int64_t id = 0;         // the engine's number for the track, never 0
  std::string language;   // as the file tags it ("eng", "de"); empty when untagged
  std::string title;      // the file's title for the track, or the name of a subtitle file
  std::string codec;      // e.g. "aac", "subrip"
  std::string channels;   // audio only: e.g. "stereo", "5.1"
  bool selected = false;  // the track plays (or shows) now
};

// Event codes that GetEvent reports.
inline constexpr int32_t kMediaEventComplete = 1;  // the stream reached its end

class MediaEngine {
 public:
  virtual ~MediaEngine() = default;

  // Closes whatever is open, opens the file and waits (bounded, a few
  // seconds) until it is loaded. The medium is paused at its start.
  virtual OpenResult Open(const std::string& path) = 0;
  // Stops and releases the open medium; safe when nothing is open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // The streams of the open medium, in the file's order. Cover pictures and
  // still images are not video.
  virtual std::vector<MediaStream> Streams() const = 0;

  virtual void Run() = 0;
  virtual void Pause() = 0;
  // Pauses and moves to the start.
  virtual void Stop() = 0;

  // Seconds.
  virtual double CurrentPosition() = 0;
  virtual void SetCurrentPosition(double seconds) = 0;
  // Moves to the position exactly, however soon after the last move (where a
  // pace of moves would rather land on key frames): a chapter's start, say.
  virtual void JumpTo(double seconds) { SetCurrentPosition(seconds); }
  virtual double Duration() = 0;
  virtual void SetRate(double rate) = 0;

  // Takes the next queued event: true with its code, false when none is queued.
  virtual bool GetEvent(int32_t& code) = 0;

  // Attenuation in hundredths of a decibel: 0 full volume, -10000 silence.
  virtual void SetVolume(int32_t hundredthsOfDecibel) = 0;
  virtual void SetBalance(int32_t balance) = 0;

  // The picture's preferred aspect ratio as two whole numbers (e.g. 16 : 9);
  // false when the medium has no video or it is not known yet.
  virtual bool PreferredAspectRatio(int32_t& x, int32_t& y) = 0;
  // The picture's size in pixels; false when the medium has no video or it is
  // not known yet. Stands in for an aspect ratio that the medium reports as
  // 0 : 0 or x : 0.
  virtual bool VideoSize(int32_t& width, int32_t& height) = 0;

  // Where the video goes, in pixels of the picture area: the video window
  // rectangle, and the destination rectangle of the picture relative to it.
  virtual void SetVideoWindow(const PixelRect& window) = 0;
  virtual void SetDestination(const PixelRect& destination) = 0;
  virtual PixelRect Destination() const = 0;

  // The open medium's audio or subtitle tracks in the file's order, subtitle
  // files found beside it included. Engines that cannot tell have none.
  virtual std::vector<MediaTrack> Tracks(MediaTrackType) { return {}; }
  // Plays (shows) the track with the id; 0 turns subtitles off. An unknown id
  // changes nothing.
  virtual void SelectTrack(MediaTrackType, int64_t) {}
  // Where the open medium's chapters start, in seconds, ascending; empty when
  // it has none.
  virtual std::vector<double> ChapterStarts() { return {}; }
};
