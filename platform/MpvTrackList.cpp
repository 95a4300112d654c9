#include "platform/MpvTrackList.h"

#include <mpv/client.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

namespace {

const mpv_node* MapValue(const mpv_node& map, const char* key) {
  if (map.format != MPV_FORMAT_NODE_MAP) return nullptr;
  for (int i = 0; i < map.u.list->num; ++i) {
    if (std::strcmp(map.u.list->keys[i], key) == 0) return &map.u.list->values[i];
  }
  return nullptr;
}

std::string MapString(const mpv_node& map, const char* key) {
  const mpv_node* value = MapValue(map, key);
  return value && value->format == MPV_FORMAT_STRING ? value->u.string : "";
}

int64_t MapInt(const mpv_node& map, const char* key) {
  const mpv_node* value = MapValue(map, key);
  if (!value) return 0;
  if (value->format == MPV_FORMAT_INT64) return value->u.int64;
  if (value->format == MPV_FORMAT_DOUBLE && std::isfinite(value->u.double_)) {
    return static_cast<int64_t>(std::llround(value->u.double_));
  }
  return 0;
}

double MapDouble(const mpv_node& map, const char* key) {
  const mpv_node* value = MapValue(map, key);
  if (!value) return 0;
  if (value->format == MPV_FORMAT_DOUBLE) return value->u.double_;
  if (value->format == MPV_FORMAT_INT64) return static_cast<double>(value->u.int64);
  return 0;
}

bool MapFlag(const mpv_node& map, const char* key) {
  const mpv_node* value = MapValue(map, key);
  return value && value->format == MPV_FORMAT_FLAG && value->u.flag != 0;
}

struct StreamCounts {
  int video = 0;
  int audio = 0;
  int other = 0;
};

// One stream of the track list, with its type and a line for the log that
// says what it carries. A cover picture or still image is not video.
MediaStream StreamFromTrack(const mpv_node& track, StreamCounts& counts) {
  const std::string type = MapString(track, "type");
  const std::string codec = MapString(track, "codec");
  const bool isPicture = MapFlag(track, "albumart") || MapFlag(track, "image");
  MediaStream stream;
  stream.decoder = codec;
  std::ostringstream line;
  if (type == "video" && !isPicture) {
    stream.type = MediaStreamType::Video;
    stream.name = "video stream " + std::to_string(++counts.video);
    line << "video: " << codec << ' ' << MapInt(track, "demux-w") << 'x'
         << MapInt(track, "demux-h");
    const double fps = MapDouble(track, "demux-fps");
    if (fps > 0) line << ' ' << fps << " fps";
  } else if (type == "audio") {
    stream.type = MediaStreamType::Audio;
    stream.name = "audio stream " + std::to_string(++counts.audio);
    line << "audio: " << codec << ' ' << MapInt(track, "demux-samplerate") << " Hz "
         << MapInt(track, "demux-channel-count") << " ch";
  } else if (type == "video") {
    stream.type = MediaStreamType::Other;
    stream.name = "picture " + std::to_string(++counts.other);
    line << "picture: " << codec << ' ' << MapInt(track, "demux-w") << 'x'
         << MapInt(track, "demux-h");
  } else {
    stream.type = MediaStreamType::Other;
    const bool subtitles = type == "sub";
    stream.name = (subtitles ? "subtitles " : "stream ") + std::to_string(++counts.other);
    line << (subtitles ? "subtitles: " : "other: ") << codec;
  }
  // Language codes are two or three letters; anything longer is not one.
  const std::string language = MapString(track, "lang");
  if (!language.empty() && language.size() <= 3) line << ' ' << language;
  stream.connections.push_back(line.str());
  return stream;
}

// "5.1", "stereo"; a layout that libmpv cannot name ("unknown2") by its
// number of channels.
std::string ChannelText(const mpv_node& track) {
  const std::string layout = MapString(track, "demux-channels");
  if (!layout.empty() && !layout.starts_with("unknown")) return layout;
  const int64_t count = MapInt(track, "demux-channel-count");
  if (count == 1) return "mono";
  if (count == 2) return "stereo";
  return count > 0 ? std::to_string(count) + " ch" : "";
}

}  // namespace

MpvTrackList MpvTrackList::FromNode(const mpv_node& trackList) {
  MpvTrackList result;
  if (trackList.format != MPV_FORMAT_NODE_ARRAY) return result;
  StreamCounts counts;
  for (int i = 0; i < trackList.u.list->num; ++i) {
    const mpv_node& track = trackList.u.list->values[i];
    if (track.format != MPV_FORMAT_NODE_MAP) continue;
    result.streams.push_back(StreamFromTrack(track, counts));
    if (result.streams.back().type != MediaStreamType::Video || result.hasVideo) continue;
    result.hasVideo = true;
    result.demuxWidth = MapInt(track, "demux-w");
    result.demuxHeight = MapInt(track, "demux-h");
    const double pixelAspect = MapDouble(track, "demux-par");
    result.demuxPixelAspect = pixelAspect > 0 && std::isfinite(pixelAspect) ? pixelAspect : 1;
  }
  return result;
}

std::vector<MediaTrack> MpvTrackList::ChoosableTracks(const mpv_node& trackList,
                                                      MediaTrackType type) {
  std::vector<MediaTrack> tracks;
  if (trackList.format != MPV_FORMAT_NODE_ARRAY) return tracks;
  const char* wanted = type == MediaTrackType::Audio ? "audio" : "sub";
  for (int i = 0; i < trackList.u.list->num; ++i) {
    const mpv_node& node = trackList.u.list->values[i];
    if (node.format != MPV_FORMAT_NODE_MAP || MapString(node, "type") != wanted) continue;
    MediaTrack track;
    track.id = MapInt(node, "id");
    if (track.id <= 0) continue;
    track.language = MapString(node, "lang");
    track.title = MapString(node, "title");
    if (track.title.empty()) {
      const std::string file = MapString(node, "external-filename");
      track.title = file.substr(file.find_last_of('/') + 1);
    }
    track.codec = MapString(node, "codec");
    if (type == MediaTrackType::Audio) track.channels = ChannelText(node);
    track.selected = MapFlag(node, "selected");
    tracks.push_back(std::move(track));
  }
  return tracks;
}

std::vector<double> MpvTrackList::ChapterStarts(const mpv_node& chapterList) {
  std::vector<double> starts;
  if (chapterList.format != MPV_FORMAT_NODE_ARRAY) return starts;
  for (int i = 0; i < chapterList.u.list->num; ++i) {
    const mpv_node& chapter = chapterList.u.list->values[i];
    if (chapter.format != MPV_FORMAT_NODE_MAP || !MapValue(chapter, "time")) continue;
    const double start = MapDouble(chapter, "time");
    if (std::isfinite(start) && start >= 0) starts.push_back(start);
  }
  std::sort(starts.begin(), starts.end());
  return starts;
}
