// The engine's audio and subtitle tracks and chapters, read from libmpv on
// demand: subtitle files beside the medium may be added after it loaded.

#include <mpv/client.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Log.h"
#include "platform/MpvEngine.h"
#include "platform/MpvLibrary.h"
#include "platform/MpvTrackList.h"

namespace {

const char* TrackProperty(MediaTrackType type) {
  return type == MediaTrackType::Audio ? "aid" : "sid";
}

}  // namespace

std::vector<MediaTrack> MpvEngine::Tracks(MediaTrackType type) {
  if (!mIsOpen) return {};
  mpv_node tracks{};
  if (mMpv.mpv_get_property(mHandle.get(), "track-list", MPV_FORMAT_NODE, &tracks) < 0) return {};
  std::vector<MediaTrack> result = MpvTrackList::ChoosableTracks(tracks, type);
  mMpv.mpv_free_node_contents(&tracks);
  return result;
}

void MpvEngine::SelectTrack(MediaTrackType type, int64_t id) {
  if (!mIsOpen || id < 0) return;
  const std::string value = id == 0 ? "no" : std::to_string(id);
  const int error = mMpv.mpv_set_property_string(mHandle.get(), TrackProperty(type), value.c_str());
  if (error < 0) {
    WriteLog(std::string("MpvEngine: choosing track ") + TrackProperty(type) + "=" + value +
             " failed: " + mMpv.mpv_error_string(error));
  }
}

std::vector<double> MpvEngine::ChapterStarts() {
  if (!mIsOpen) return {};
  mpv_node chapters{};
  if (mMpv.mpv_get_property(mHandle.get(), "chapter-list", MPV_FORMAT_NODE, &chapters) < 0)
    return {};
  std::vector<double> result = MpvTrackList::ChapterStarts(chapters);
  mMpv.mpv_free_node_contents(&chapters);
  return result;
}

void MpvEngine::JumpTo(double seconds) {
  if (!mIsOpen || !std::isfinite(seconds)) return;
  Seek(std::max(seconds, 0.0), "absolute+exact");
}
