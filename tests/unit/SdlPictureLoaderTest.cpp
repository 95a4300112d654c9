#include "platform/SdlPictureLoader.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/PictureCache.h"
#include "support/FakeLog.h"
#include "support/TempFolder.h"

namespace {

// A one-row ARGB surface of the given pixels (0xAARRGGBB).
SDL_Surface* Row(const std::vector<uint32_t>& argb) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(argb.size()), 1, 32,
                                                        SDL_PIXELFORMAT_ARGB8888);
  auto* pixels = static_cast<uint32_t*>(surface->pixels);
  for (size_t n = 0; n < argb.size(); ++n) pixels[n] = argb[n];
  return surface;
}

TEST(SdlPictureLoaderTest, PngKeepsAlphaPremultipliedAndDropsMagenta) {
  TempFolder folder;
  FakeLog log;
  SDL_Surface* surface = Row({0xFFFF0000u, 0xFFFF00FFu, 0x8000FF00u, 0x00FFFFFFu, 0x80FF00FFu});
  ASSERT_EQ(IMG_SavePNG(surface, folder.File("row.png").c_str()), 0) << IMG_GetError();
  SDL_FreeSurface(surface);

  const std::shared_ptr<SkinPicture> picture = SdlPictureLoader().Load(folder.File("row.png"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 5);
  EXPECT_EQ(picture->height, 1);
  const std::vector<uint32_t> expected = {
      0xFFFF0000u,  // opaque red stays
      0x00000000u,  // magenta is transparent
      0x80008000u,  // half-transparent green, premultiplied
      0x00000000u,  // fully transparent white
      0x00000000u,  // magenta with alpha is transparent too
  };
  EXPECT_EQ(picture->pixels, expected);
  EXPECT_TRUE(log.Messages().empty());

  // Kept in the cache, the picture is read back instead of decoded; an entry
  // damaged or cut short is decoded again, with a line that says so.
  struct : PictureLoader {
    SdlPictureLoader real;
    int decoded = 0;
    std::shared_ptr<SkinPicture> Load(const std::string& file) override {
      return ++decoded, real.Load(file);
    }
  } counting;
  PictureCache cache(counting, folder.File("cache"));
  const auto cached = [&] {
    const std::shared_ptr<SkinPicture> kept = cache.Load(folder.File("row.png"));
    return std::vector<uint32_t>(kept->Data(), kept->Data() + kept->Count());
  };
  EXPECT_EQ(cached(), expected);
  EXPECT_EQ(cached(), expected);
  const std::string entry =
      "cache/" +
      std::filesystem::directory_iterator(folder.File("cache"))->path().filename().string();
  for (const size_t cut : {0u, 1u}) {
    std::string bytes = folder.Read(entry);
    bytes.resize(bytes.size() - cut);
    bytes[bytes.size() - 2] ^= 1;
    folder.Write(entry, bytes);
    EXPECT_EQ(cached(), expected);
  }
  EXPECT_EQ(counting.decoded, 3);
  EXPECT_EQ(log.Messages().size(), 2u);
}

}  // namespace
