// The OpenGL presenter in a real window under Xvfb: what reaches the screen,
// and the key colour, which shows the video layer or black.

#include "platform/GlPresenter.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

// After GoogleTest, whose names X11's macros would otherwise replace.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/SdlMainWindow.h"
#include "support/ScreenImage.h"

namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kKey = 0x100010;
constexpr uint32_t kBlack = 0x000000;

// The video window covers x 34..53, y 2..21; the destination x 40..63, y 0..15.
constexpr PixelRect kVideoWindow{34, 2, 20, 20};
constexpr PixelRect kDestination{40, 0, 24, 16};

class GlPresenterTest : public ::testing::Test {
 protected:
  // One window for all the tests: SDL is set up once per process, as in the
  // program.
  static void SetUpTestSuite() {
    window = SdlMainWindow::Create("GlPresenterTest", kWidth, kHeight);
    if (window) window->Show();
  }
  static void TearDownTestSuite() { window.reset(); }

  void SetUp() override {
    ASSERT_NE(window, nullptr);
    presenter = GlPresenter::Create(*window);
    ASSERT_NE(presenter, nullptr);
    ASSERT_EQ(window->ClientWidth(), kWidth);
    ASSERT_EQ(window->ClientHeight(), kHeight);
    presenter->SetSize(kWidth, kHeight);

    // Left half red, right half blue, with two key-coloured squares on the
    // right: one inside the video window, one below it.
    picture.assign(static_cast<size_t>(kWidth) * kHeight, 0);
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        uint32_t pixel = x < kWidth / 2 ? kRed : kBlue;
        const bool keyAbove = x >= 36 && x < 44 && y >= 4 && y < 12;
        const bool keyBelow = x >= 36 && x < 44 && y >= 30 && y < 38;
        if (keyAbove || keyBelow) pixel = kKey;
        // The unused top byte carries anything; it must not matter.
        picture[static_cast<size_t>(y) * kWidth + x] = pixel | 0x5A000000u;
      }
    }
    presenter->UploadRect(picture.data(), kWidth, 0, 0, kWidth, kHeight);
    presenter->SetVideoWindow(kVideoWindow);
    presenter->SetVideoDestination(kDestination);
  }

  void TearDown() override { presenter.reset(); }

  struct Probe {
    int32_t x;
    int32_t y;
    uint32_t expected;
    const char* what;
  };
  void ExpectScreen(const std::vector<Probe>& probes) {
    const ScreenImage screen = ScreenImage::Capture(window->Handle(), {0, 0, kWidth, kHeight});
    ASSERT_FALSE(screen.Empty()) << SDL_GetCurrentVideoDriver();
    for (const Probe& probe : probes) {
      SCOPED_TRACE(probe.what);
      EXPECT_EQ(screen.Pixel(probe.x, probe.y), probe.expected)
          << std::hex << "at " << std::dec << probe.x << "," << probe.y;
    }
  }

  static inline std::unique_ptr<SdlMainWindow> window;
  std::unique_ptr<GlPresenter> presenter;
  std::vector<uint32_t> picture;
};

TEST_F(GlPresenterTest, KeyColourShowsTheVideoLayerInsideTheVideoWindowAndBlackElsewhere) {
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({
      {10, 10, kRed, "left half"},
      {60, 40, kBlue, "right half"},
      {0, 0, kRed, "top-left corner"},
      {63, 47, kBlue, "bottom-right corner"},
      {37, 6, kBlack, "key in the window, outside the destination"},
      {41, 6, kBlack, "key in the destination, nothing rendered yet"},
      {38, 33, kBlack, "key outside the video window"},
      {50, 6, kBlue, "not key-coloured inside the window"},
  });
}

}  // namespace
