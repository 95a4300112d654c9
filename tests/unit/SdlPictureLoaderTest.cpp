#include "platform/SdlPictureLoader.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "support/TempFolder.h"

namespace {

class SdlPictureLoaderTest : public ::testing::Test {
 protected:
  SdlPictureLoaderTest() {
    previousSink = SetLogSink([this](const std::string& line) { logs.push_back(line); });
  }
  ~SdlPictureLoaderTest() override { SetLogSink(std::move(previousSink)); }

  // A one-row ARGB surface of the given pixels (0xAARRGGBB).
  static SDL_Surface* Row(const std::vector<uint32_t>& argb) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(argb.size()), 1, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    auto* pixels = static_cast<uint32_t*>(surface->pixels);
    for (size_t n = 0; n < argb.size(); ++n) pixels[n] = argb[n];
    return surface;
  }

  TempFolder folder;
  SdlPictureLoader loader;
  std::vector<std::string> logs;
  LogSink previousSink;
};

TEST_F(SdlPictureLoaderTest, PngKeepsAlphaPremultipliedAndDropsMagenta) {
  SDL_Surface* surface = Row({0xFFFF0000u, 0xFFFF00FFu, 0x8000FF00u, 0x00FFFFFFu, 0x80FF00FFu});
  ASSERT_EQ(IMG_SavePNG(surface, folder.File("row.png").c_str()), 0) << IMG_GetError();
  SDL_FreeSurface(surface);

  const std::shared_ptr<SkinPicture> picture = loader.Load(folder.File("row.png"));
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
  EXPECT_TRUE(logs.empty());
}

TEST_F(SdlPictureLoaderTest, BmpWithoutAlphaIsOpaqueExceptMagenta) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_RGB24);
  ASSERT_NE(surface, nullptr);
  const SDL_Rect left{0, 0, 1, 2};
  const SDL_Rect middle{1, 0, 1, 2};
  const SDL_Rect right{2, 0, 1, 2};
  SDL_FillRect(surface, &left, SDL_MapRGB(surface->format, 255, 0, 255));
  SDL_FillRect(surface, &middle, SDL_MapRGB(surface->format, 1, 2, 3));
  SDL_FillRect(surface, &right, SDL_MapRGB(surface->format, 254, 0, 255));
  ASSERT_EQ(SDL_SaveBMP(surface, folder.File("block.bmp").c_str()), 0) << SDL_GetError();
  SDL_FreeSurface(surface);

  const std::shared_ptr<SkinPicture> picture = loader.Load(folder.File("block.bmp"));
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->width, 3);
  ASSERT_EQ(picture->height, 2);
  for (int row = 0; row < 2; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(picture->pixels[row * 3 + 0], 0x00000000u);
    EXPECT_EQ(picture->pixels[row * 3 + 1], 0xFF010203u);
    EXPECT_EQ(picture->pixels[row * 3 + 2], 0xFFFE00FFu);
  }
}

TEST_F(SdlPictureLoaderTest, ReadsTgaAndGifWrittenByHand) {
  // A 2 x 1 true-colour TGA, 32 bits, top-left origin: magenta, then white at
  // a quarter alpha (pixels stored blue, green, red, alpha).
  const std::string tga = std::string("\0\0\2\0\0\0\0\0\0\0\0\0\2\0\1\0\x20\x28", 18) +
                          std::string("\xFF\x00\xFF\xFF\xFF\xFF\xFF\x40", 8);
  folder.Write("pair.tga", tga);
  // A 2 x 1 GIF: a red pixel and a pixel of the transparent index 1.
  const std::string gif =
      std::string("GIF89a\2\0\1\0\x80\0\0", 13) + std::string("\xFF\0\0\0\0\xFF", 6) +
      std::string("\x21\xF9\4\1\0\0\1\0", 8) + std::string("\x2C\0\0\0\0\2\0\1\0\0", 10) +
      std::string("\2\2\x44\x0A\0\x3B", 6);
  folder.Write("pair.gif", gif);

  struct Case {
    const char* file;
    std::vector<uint32_t> pixels;
  };
  const Case cases[] = {
      {"pair.tga", {0x00000000u, 0x40404040u}},
      {"pair.gif", {0xFFFF0000u, 0x00000000u}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::shared_ptr<SkinPicture> picture = loader.Load(folder.File(c.file));
    ASSERT_NE(picture, nullptr) << (logs.empty() ? "" : logs.back());
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 1);
    EXPECT_EQ(picture->pixels, c.pixels);
  }
}

TEST_F(SdlPictureLoaderTest, UnreadableFilesGiveNothingAndALogLine) {
  folder.Write("text.png", "this is no picture");
  folder.Write("empty.bmp", "");
  for (const char* name : {"missing.png", "text.png", "empty.bmp"}) {
    SCOPED_TRACE(name);
    logs.clear();
    EXPECT_EQ(loader.Load(folder.File(name)), nullptr);
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_NE(logs[0].find("SdlPictureLoader: cannot read '" + folder.File(name) + "'"),
              std::string::npos)
        << logs[0];
  }
}

}  // namespace
