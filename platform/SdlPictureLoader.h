#pragma once

// Reads skin pictures with SDL2_image (PNG, JPEG, BMP, GIF, TGA and whatever
// else the installed SDL2_image reads). Every picture comes out as
// premultiplied ARGB with magenta (255, 0, 255) fully transparent and the
// file's own alpha kept. Needs no display and no SDL_Init.

#include <span>

#include "skin/SkinPicture.h"

struct SDL_Surface;

class SdlPictureLoader final : public PictureLoader {
 public:
  // The picture, or nothing with a log line naming the file and the reason.
  std::shared_ptr<SkinPicture> Load(const std::string& file) override;
  // SDL2_image keeps no state between files and SDL keeps its errors per thread.
  bool IsThreadSafe() const override { return true; }

  // The same for a picture file's bytes held in memory.
  std::shared_ptr<SkinPicture> LoadFromMemory(std::span<const unsigned char> bytes);

 private:
  // Converts a loaded surface (kept by the caller); file names it in log lines.
  static std::shared_ptr<SkinPicture> FromSurface(SDL_Surface* surface, const std::string& file);
};
