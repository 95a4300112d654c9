#pragma once

// The choices inside one film: its subtitle and audio tracks and its
// chapters. Each choice is shown in the status line and, over full-screen
// video, in the information for the on-screen time, and written to the log
// ("subtitles: English (srt)", "audio: 2/3 Deutsch (ac3 5.1)").

#include <string>
#include <vector>

class MediaEngine;
class Screen;
class StatusLine;
class Transport;
struct FocusState;
struct MediaServices;
struct OverlayState;
struct Settings;

class MediaTracks {
 public:
  MediaTracks(const MediaServices& services, Transport& transport);

  // The next subtitle track, and after the last one "off"; a medium without
  // subtitles shows "subtitles: none" and changes nothing.
  void cmdSubtitle();
  // The next audio track, round; with one or none the track stays.
  void cmdAudioTrack();
  // The next or previous chapter's start; without chapters a tenth of the
  // length forward or back.
  void cmdChapterNext();
  void cmdChapterPrevious();

  // The subtitle choice made for the open medium, as remembered with its
  // position: "no" for off, the track's language, or "#" + its number when
  // it has none; empty while the user has made none.
  const std::string& SubtitleChoice() const { return mSubtitleChoice; }
  // Starts a medium with a choice remembered earlier (empty: libmpv's own).
  void RestoreSubtitles(const std::string& choice);

  // Shows text in the status line (and the video's info), in the full-screen
  // information until its countdown ends, and writes it to the log.
  void ShowStatus(const std::string& text);

  // Where a chapter jump from position lands (direction +1 or -1). A jump
  // back within the first two seconds of a chapter goes to the one before.
  static double ChapterTarget(const std::vector<double>& starts, double position, double duration,
                              int direction);

 private:
  void JumpChapter(int direction);

  MediaEngine& mEngine;
  StatusLine& mStatus;
  OverlayState& mOverlay;
  const Settings& mSettings;
  const FocusState& mFocus;
  Screen& mScreen;
  Transport& mTransport;
  std::string mSubtitleChoice;
};
