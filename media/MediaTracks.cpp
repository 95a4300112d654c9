#include "media/MediaTracks.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/Log.h"
#include "base/Text.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaServices.h"
#include "media/Transport.h"
#include "render/OverlayState.h"
#include "render/StatusLine.h"
#include "store/Settings.h"

namespace {

// A jump back this close after a chapter's start goes to the chapter before,
// so that pressing twice steps back twice.
constexpr double kChapterBackMargin = 2;
// Without chapters a jump moves by this share of the length.
constexpr double kJumpShare = 0.1;

// Common languages by their ISO 639 codes, named in their own language.
struct LanguageName {
  std::string_view codes[3];
  std::string_view name;
};
constexpr LanguageName kLanguages[] = {
    {{"en", "eng"}, "English"},         {{"de", "deu", "ger"}, "Deutsch"},
    {{"fr", "fra", "fre"}, "Français"}, {{"es", "spa"}, "Español"},
    {{"it", "ita"}, "Italiano"},        {{"nl", "nld", "dut"}, "Nederlands"},
    {{"pt", "por"}, "Português"},       {{"sv", "swe"}, "Svenska"},
    {{"da", "dan"}, "Dansk"},           {{"no", "nor", "nob"}, "Norsk"},
    {{"fi", "fin"}, "Suomi"},           {{"pl", "pol"}, "Polski"},
    {{"cs", "ces", "cze"}, "Čeština"},  {{"hu", "hun"}, "Magyar"},
    {{"tr", "tur"}, "Türkçe"},          {{"el", "ell", "gre"}, "Ελληνικά"},
    {{"ru", "rus"}, "Русский"},         {{"uk", "ukr"}, "Українська"},
    {{"ja", "jpn"}, "日本語"},          {{"zh", "zho", "chi"}, "中文"},
    {{"ko", "kor"}, "한국어"},          {{"ar", "ara"}, "العربية"},
};

std::string TrackName(const MediaTrack& track, size_t number) {
  for (const LanguageName& language : kLanguages) {
    for (std::string_view code : language.codes) {
      if (!code.empty() && EqualsIgnoreCase(code, track.language))
        return std::string(language.name);
    }
  }
  if (!track.language.empty()) return track.language;
  if (!track.title.empty()) return track.title;
  return "track " + std::to_string(number);
}

// "English (srt)", "Deutsch (ac3 5.1)".
std::string Describe(const MediaTrack& track, size_t number) {
  std::string codec = track.codec == "subrip" ? "srt" : track.codec;
  if (!track.channels.empty()) codec += (codec.empty() ? "" : " ") + track.channels;
  return TrackName(track, number) + (codec.empty() ? "" : " (" + codec + ")");
}

std::string ChoiceOf(const MediaTrack& track) {
  return track.language.empty() ? "#" + std::to_string(track.id) : track.language;
}

// The index of the selected track, or the track count when none is.
size_t SelectedIndex(const std::vector<MediaTrack>& tracks) {
  const auto selected = std::find_if(tracks.begin(), tracks.end(),
                                     [](const MediaTrack& track) { return track.selected; });
  return static_cast<size_t>(selected - tracks.begin());
}

}  // namespace

MediaTracks::MediaTracks(const MediaServices& services, Transport& transport)
    : mEngine(services.engine),
      mStatus(services.status),
      mOverlay(services.overlay),
      mSettings(services.settings),
      mFocus(services.focus),
      mScreen(services.screen),
      mTransport(transport) {}

void MediaTracks::ShowStatus(const std::string& text) {
  WriteLog(text);
  mStatus.Show(text);
  // The information timer draws it over full-screen video at its next tick.
  mOverlay.mOSDNote = text;
  mOverlay.mOSDActive = true;
  mOverlay.mOSDRemaining = mSettings.gOSDTime;
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
}

void MediaTracks::cmdSubtitle() {
  if (!mEngine.IsOpen()) return;
  const std::vector<MediaTrack> tracks = mEngine.Tracks(MediaTrackType::Subtitles);
  if (tracks.empty()) {
    ShowStatus("subtitles: none");
    return;
  }
  // Off comes after the last track, and the first track after off.
  const size_t next = (SelectedIndex(tracks) + 1) % (tracks.size() + 1);
  if (next == tracks.size()) {
    mEngine.SelectTrack(MediaTrackType::Subtitles, 0);
    mSubtitleChoice = "no";
    ShowStatus("subtitles: off");
    return;
  }
  mEngine.SelectTrack(MediaTrackType::Subtitles, tracks[next].id);
  mSubtitleChoice = ChoiceOf(tracks[next]);
  ShowStatus("subtitles: " + Describe(tracks[next], next + 1));
}

void MediaTracks::RestoreSubtitles(const std::string& choice) {
  mSubtitleChoice = choice;
  if (choice.empty()) return;
  if (choice == "no") {
    mEngine.SelectTrack(MediaTrackType::Subtitles, 0);
    return;
  }
  for (const MediaTrack& track : mEngine.Tracks(MediaTrackType::Subtitles)) {
    if (ChoiceOf(track) == choice) {
      mEngine.SelectTrack(MediaTrackType::Subtitles, track.id);
      return;
    }
  }
}

void MediaTracks::cmdAudioTrack() {
  if (!mEngine.IsOpen()) return;
  const std::vector<MediaTrack> tracks = mEngine.Tracks(MediaTrackType::Audio);
  if (tracks.empty()) {
    ShowStatus("audio: none");
    return;
  }
  const size_t selected = SelectedIndex(tracks);
  const size_t next = selected >= tracks.size() ? 0 : (selected + 1) % tracks.size();
  if (next != selected) mEngine.SelectTrack(MediaTrackType::Audio, tracks[next].id);
  ShowStatus("audio: " + std::to_string(next + 1) + "/" + std::to_string(tracks.size()) + " " +
             Describe(tracks[next], next + 1));
}

double MediaTracks::ChapterTarget(const std::vector<double>& starts, double position,
                                  double duration, int direction) {
  if (starts.empty()) return position + direction * duration * kJumpShare;
  if (direction > 0) {
    const auto next = std::upper_bound(starts.begin(), starts.end(), position + 0.5);
    return next == starts.end() ? position : *next;
  }
  const auto after = std::lower_bound(starts.begin(), starts.end(), position - kChapterBackMargin);
  return after == starts.begin() ? 0 : *(after - 1);
}

void MediaTracks::JumpChapter(int direction) {
  if (!mEngine.IsOpen()) return;
  mTransport.SeekTo(ChapterTarget(mEngine.ChapterStarts(), mEngine.CurrentPosition(),
                                  mEngine.Duration(), direction),
                    SeekLanding::Exactly);
}

void MediaTracks::cmdChapterNext() {
  JumpChapter(1);
}

void MediaTracks::cmdChapterPrevious() {
  JumpChapter(-1);
}
