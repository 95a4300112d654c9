#pragma once

// A skin picture in memory: premultiplied ARGB pixels (0xAARRGGBB), row by
// row. Magenta (255, 0, 255) of the file is already transparent here.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SkinPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // width * height, unless they are held elsewhere
  // Pixels held elsewhere (a mapped file) for as long as keeper lives; they
  // stand in for pixels when set. Fresh memory is slow to touch, while a
  // file's pages are in memory already.
  const uint32_t* held = nullptr;
  std::shared_ptr<const void> keeper;

  const uint32_t* Data() const { return held ? held : pixels.data(); }
  size_t Count() const {
    return held ? static_cast<size_t>(width) * static_cast<size_t>(height) : pixels.size();
  }
};

// Reads picture files for the skin loader. Implemented with SDL2_image in
// platform/; tests use a fake.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // The picture in the file, or nothing when it cannot be read (the reason is
  // logged by the implementation).
  virtual std::shared_ptr<SkinPicture> Load(const std::string& file) = 0;

  // True when Load may run on several threads at once (the skin loader then
  // decodes the pictures in parallel).
  virtual bool IsThreadSafe() const { return false; }
};
