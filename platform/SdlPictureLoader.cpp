#include "platform/SdlPictureLoader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "base/Log.h"

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

uint32_t Premultiply(uint32_t component, uint32_t alpha) {
  return (component * alpha + 127) / 255;
}

// One ARGB8888 pixel as the skin keeps it: magenta is the transparent colour
// of skin pictures, every other colour is scaled by its alpha.
uint32_t SkinPixel(uint32_t argb) {
  const uint32_t alpha = argb >> 24;
  const uint32_t red = (argb >> 16) & 0xFF;
  const uint32_t green = (argb >> 8) & 0xFF;
  const uint32_t blue = argb & 0xFF;
  if (red == 255 && green == 0 && blue == 255) return 0;
  if (alpha == 255) return argb;
  return (alpha << 24) | (Premultiply(red, alpha) << 16) | (Premultiply(green, alpha) << 8) |
         Premultiply(blue, alpha);
}

}  // namespace

std::shared_ptr<SkinPicture> SdlPictureLoader::Load(const std::string& file) {
  SurfacePtr loaded(IMG_Load(file.c_str()));
  if (!loaded) {
    WriteLog("SdlPictureLoader: cannot read '" + file + "': " + IMG_GetError());
    return nullptr;
  }
  return FromSurface(loaded.get(), file);
}

std::shared_ptr<SkinPicture> SdlPictureLoader::LoadFromMemory(
    std::span<const unsigned char> bytes) {
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SurfacePtr loaded(source ? IMG_Load_RW(source, 1) : nullptr);
  if (!loaded) {
    WriteLog(std::string("SdlPictureLoader: cannot read a built-in picture: ") + IMG_GetError());
    return nullptr;
  }
  return FromSurface(loaded.get(), "a built-in picture");
}

std::shared_ptr<SkinPicture> SdlPictureLoader::FromSurface(SDL_Surface* surface,
                                                           const std::string& file) {
  auto picture = std::make_shared<SkinPicture>();
  picture->width = surface->w;
  picture->height = surface->h;
  picture->pixels.resize(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
  // Most pictures convert straight into the picture's own pixels: a copy of
  // the whole picture less, which counts where fresh memory is slow to touch.
  // Converting a surface instead turns a GIF's or a BMP's colour key or
  // palette into alpha.
  SurfacePtr argb;
  if (SDL_MUSTLOCK(surface) || SDL_ISPIXELFORMAT_INDEXED(surface->format->format) ||
      SDL_HasColorKey(surface) ||
      SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                        surface->pitch, SDL_PIXELFORMAT_ARGB8888, picture->pixels.data(),
                        surface->w * static_cast<int>(sizeof(uint32_t))) != 0) {
    argb.reset(SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) {
      WriteLog("SdlPictureLoader: cannot convert '" + file + "': " + SDL_GetError());
      return nullptr;
    }
    if (SDL_LockSurface(argb.get()) != 0) {
      WriteLog("SdlPictureLoader: cannot read the pixels of '" + file + "': " + SDL_GetError());
      return nullptr;
    }
    const auto* rows = static_cast<const uint8_t*>(argb->pixels);
    for (int32_t y = 0; y < argb->h; ++y) {
      const auto* row =
          reinterpret_cast<const uint32_t*>(rows + static_cast<size_t>(y) * argb->pitch);
      std::copy(row, row + argb->w, picture->pixels.data() + static_cast<size_t>(y) * argb->w);
    }
    SDL_UnlockSurface(argb.get());
  }
  for (uint32_t& pixel : picture->pixels) pixel = SkinPixel(pixel);
  return picture;
}
