#pragma once

// The first bytes of picture files stating a size, without the picture: what
// a reader of the header sees of a huge picture, made in a few bytes.

#include <cstdint>
#include <string>

namespace picture_headers {

inline std::string BigEndian(uint32_t value, int bytes) {
  std::string text;
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
    text += static_cast<char>((value >> shift) & 0xFF);
  }
  return text;
}

inline std::string LittleEndian(uint32_t value, int bytes) {
  std::string text;
  for (int shift = 0; shift < bytes * 8; shift += 8)
    text += static_cast<char>((value >> shift) & 0xFF);
  return text;
}

inline std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n") + BigEndian(13, 4) + "IHDR" + BigEndian(width, 4) +
         BigEndian(height, 4) + std::string("\x08\x06\x00\x00\x00", 5) + BigEndian(0, 4);
}

// With an application segment before the frame, as cameras write them.
inline std::string Jpeg(uint32_t width, uint32_t height) {
  return std::string("\xFF\xD8\xFF\xE1") + BigEndian(8, 2) + std::string("Exif\0\0", 6) +
         "\xFF\xC0" + BigEndian(17, 2) + "\x08" + BigEndian(height, 2) + BigEndian(width, 2) +
         "\x03";
}

// A logical screen of 16 x 16 whose first image is width x height.
inline std::string Gif(uint32_t width, uint32_t height) {
  return std::string("GIF89a") + LittleEndian(16, 2) + LittleEndian(16, 2) +
         std::string("\x80\x00\x00", 3) + std::string(6, '\0') + "\x21\xF9\x04" +
         std::string(4, '\0') + std::string(1, '\0') + "\x2C" + LittleEndian(0, 4) +
         LittleEndian(width, 2) + LittleEndian(height, 2);
}

inline std::string Tga(uint32_t width, uint32_t height) {
  return std::string("\0\0\x02", 3) + std::string(9, '\0') + LittleEndian(width, 2) +
         LittleEndian(height, 2) + "\x20\x08";
}

// Rows stored from the top: the height is negative.
inline std::string Bmp(uint32_t width, uint32_t height) {
  return std::string("BM") + LittleEndian(0, 4) + LittleEndian(0, 4) + LittleEndian(54, 4) +
         LittleEndian(40, 4) + LittleEndian(width, 4) + LittleEndian(0u - height, 4) +
         LittleEndian(1, 2) + LittleEndian(32, 2);
}

}  // namespace picture_headers
