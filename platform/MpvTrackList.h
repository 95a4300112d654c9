#pragma once

#include <cstdint>
#include <vector>

#include "media/MediaEngine.h"

struct mpv_node;

// What libmpv's track list ("track-list") says about a loaded medium: its
// streams, described in the words the media session looks for, and the
// picture size of the first video stream as the file states it (before
// anything is decoded). Cover pictures and still images are not video.
struct MpvTrackList {
  std::vector<MediaStream> streams;
  bool hasVideo = false;
  int64_t demuxWidth = 0;
  int64_t demuxHeight = 0;
  double demuxPixelAspect = 1;

  // Reads the node array of the "track-list" property; anything else gives
  // no streams.
  static MpvTrackList FromNode(const mpv_node& trackList);

  // The audio or subtitle tracks of the same node array, for the user to
  // choose between; a subtitle file without a title of its own is named by
  // its file name.
  static std::vector<MediaTrack> ChoosableTracks(const mpv_node& trackList, MediaTrackType type);

  // The start times of the node array of the "chapter-list" property,
  // ascending; anything else gives none.
  static std::vector<double> ChapterStarts(const mpv_node& chapterList);
};
