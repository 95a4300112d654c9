#pragma once

// The pixel size that a picture file states in its header, read before the
// picture is decoded: a file of a few kilobytes may claim a picture that
// takes gigabytes once decoded.

#include <cstdint>
#include <optional>
#include <string>

struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;

  int64_t Pixels() const { return width * height; }
};

// No skin picture may hold more pixels than this (8192 x 8192, 256 MB once
// decoded): far more than any screen shows.
inline constexpr int64_t kMaxPicturePixels = int64_t{64} * 1024 * 1024;

// The size in the header of a PNG, JPEG, GIF or BMP file (recognised by
// their contents) or a TGA file (by the name's extension, as TGA has no
// signature); nothing for a file that cannot be read or is of another kind.
std::optional<PictureSize> ReadPictureSize(const std::string& path);
