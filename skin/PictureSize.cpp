#include "skin/PictureSize.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "base/Text.h"

namespace {

// Reads the numbers of a header; after any read past the end, Good() is false.
class HeaderReader {
 public:
  explicit HeaderReader(const std::string& path) : mFile(path, std::ios::binary) {}

  bool Good() const { return static_cast<bool>(mFile); }

  uint32_t Byte() {
    const int byte = mFile.get();
    return byte == std::char_traits<char>::eof() ? 0 : static_cast<uint32_t>(byte);
  }
  uint32_t BigEndian16() {
    const uint32_t high = Byte();
    return (high << 8) | Byte();
  }
  uint32_t BigEndian32() {
    const uint32_t high = BigEndian16();
    return (high << 16) | BigEndian16();
  }
  uint32_t LittleEndian16() { return Byte() | (Byte() << 8); }
  uint32_t LittleEndian32() { return LittleEndian16() | (LittleEndian16() << 16); }

  bool StartsWith(std::string_view signature) {
    std::string read(signature.size(), '\0');
    mFile.read(read.data(), static_cast<std::streamsize>(read.size()));
    return Good() && read == signature;
  }
  void Skip(std::streamoff bytes) { mFile.seekg(bytes, std::ios::cur); }
  void Rewind() {
    mFile.clear();
    mFile.seekg(0);
  }

 private:
  std::ifstream mFile;
};

// Files of real pictures need a few segments or blocks before the size; a
// file that goes on longer is taken for no picture at all.
constexpr int kMostHeaderBlocks = 4096;

std::optional<PictureSize> Checked(HeaderReader& reader, int64_t width, int64_t height) {
  if (!reader.Good()) return std::nullopt;
  return PictureSize{width, height};
}

std::optional<PictureSize> PngSize(HeaderReader& reader) {
  // The first chunk is always IHDR: length, type, then width and height.
  reader.Skip(4);
  if (!reader.StartsWith("IHDR")) return std::nullopt;
  const int64_t width = reader.BigEndian32();
  const int64_t height = reader.BigEndian32();
  return Checked(reader, width, height);
}

bool IsStartOfFrame(uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureSize> JpegSize(HeaderReader& reader) {
  for (int segment = 0; segment < kMostHeaderBlocks && reader.Good(); ++segment) {
    if (reader.Byte() != 0xFF) return std::nullopt;
    uint32_t marker = reader.Byte();
    while (marker == 0xFF && reader.Good()) marker = reader.Byte();      // fill bytes
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // image data before any frame
    const uint32_t length = reader.BigEndian16();
    if (IsStartOfFrame(marker)) {
      reader.Skip(1);  // sample precision
      const int64_t height = reader.BigEndian16();
      const int64_t width = reader.BigEndian16();
      return Checked(reader, width, height);
    }
    if (length < 2) return std::nullopt;
    reader.Skip(length - 2);
  }
  return std::nullopt;
}

// The larger of the logical screen and the first image, whichever a decoder
// makes its picture of.
std::optional<PictureSize> GifSize(HeaderReader& reader) {
  const int64_t screenWidth = reader.LittleEndian16();
  const int64_t screenHeight = reader.LittleEndian16();
  const uint32_t flags = reader.Byte();
  reader.Skip(2);
  if (flags & 0x80) reader.Skip(3 << ((flags & 7) + 1));  // global colour table
  for (int block = 0; block < kMostHeaderBlocks && reader.Good(); ++block) {
    const uint32_t introducer = reader.Byte();
    if (introducer == 0x2C) {
      reader.Skip(4);  // left and top
      const int64_t width = reader.LittleEndian16();
      const int64_t height = reader.LittleEndian16();
      return Checked(reader, std::max(width, screenWidth), std::max(height, screenHeight));
    }
    if (introducer != 0x21) break;
    reader.Skip(1);  // the extension's label, then its sub-blocks up to an empty one
    for (uint32_t size = reader.Byte(); size != 0 && reader.Good(); size = reader.Byte()) {
      reader.Skip(size);
    }
  }
  return Checked(reader, screenWidth, screenHeight);
}

std::optional<PictureSize> BmpSize(HeaderReader& reader) {
  reader.Skip(12);
  const uint32_t headerSize = reader.LittleEndian32();
  if (headerSize == 12) {
    const int64_t width = reader.LittleEndian16();
    const int64_t height = reader.LittleEndian16();
    return Checked(reader, width, height);
  }
  // Signed: a negative height stores the rows from the top.
  const int64_t width = static_cast<int32_t>(reader.LittleEndian32());
  const int64_t height = static_cast<int32_t>(reader.LittleEndian32());
  return Checked(reader, std::abs(width), std::abs(height));
}

std::optional<PictureSize> TgaSize(HeaderReader& reader) {
  reader.Skip(12);
  const int64_t width = reader.LittleEndian16();
  const int64_t height = reader.LittleEndian16();
  return Checked(reader, width, height);
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(const std::string& path) {
  HeaderReader reader(path);
  if (!reader.Good()) return std::nullopt;
  if (reader.StartsWith("\x89PNG\r\n\x1A\n")) return PngSize(reader);
  reader.Rewind();
  if (reader.StartsWith("\xFF\xD8")) return JpegSize(reader);
  reader.Rewind();
  if (reader.StartsWith("GIF8")) {
    reader.Skip(2);
    return GifSize(reader);
  }
  reader.Rewind();
  if (reader.StartsWith("BM")) return BmpSize(reader);
  reader.Rewind();
  if (EndsWithIgnoreCase(path, ".tga")) return TgaSize(reader);
  return std::nullopt;
}
