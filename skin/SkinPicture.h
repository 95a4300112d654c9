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
  std::vector<uint32_t> pixels;  // width * height
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
