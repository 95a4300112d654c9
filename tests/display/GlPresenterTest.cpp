// The OpenGL presenter in a real window under Xvfb: what reaches the screen,
// the video layer behind the key colour, and presenting only on change.

#include "platform/GlPresenter.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <vector>

// After GoogleTest, whose names X11's macros would otherwise replace.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/SdlMainWindow.h"

namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kKey = 0x100010;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kWhite = 0xFFFFFF;

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

  // What the X server shows in the window after the last present, rows from
  // the top, as 0xRRGGBB.
  std::vector<uint32_t> ReadScreen() {
    std::vector<uint32_t> screen(static_cast<size_t>(kWidth) * kHeight, 0xDEAD);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window->Handle(), &info) || info.subsystem != SDL_SYSWM_X11) {
      ADD_FAILURE() << "not an X11 window: " << SDL_GetError() << " driver "
                    << SDL_GetCurrentVideoDriver();
      return screen;
    }
    Display* display = info.info.x11.display;
    XSync(display, False);
    XImage* image =
        XGetImage(display, info.info.x11.window, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image) {
      ADD_FAILURE() << "XGetImage failed";
      return screen;
    }
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        screen[static_cast<size_t>(y) * kWidth + x] =
            static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
      }
    }
    XDestroyImage(image);
    return screen;
  }

  struct Probe {
    int32_t x;
    int32_t y;
    uint32_t expected;
    const char* what;
  };
  void ExpectScreen(const std::vector<Probe>& probes) {
    const std::vector<uint32_t> screen = ReadScreen();
    for (const Probe& probe : probes) {
      SCOPED_TRACE(probe.what);
      EXPECT_EQ(screen[static_cast<size_t>(probe.y) * kWidth + probe.x], probe.expected)
          << std::hex << "at " << std::dec << probe.x << "," << probe.y;
    }
  }

  // Renders into the video layer as a video renderer would: the top half of
  // the picture yellow, the bottom half green, leaving the GL state changed.
  void RenderVideo() {
    int framebuffer = 0;
    int width = 0;
    int height = 0;
    bool flipY = true;
    ASSERT_TRUE(presenter->VideoTarget(framebuffer, width, height, flipY));
    EXPECT_FALSE(flipY);
    EXPECT_EQ(width, kDestination.width);
    EXPECT_EQ(height, kDestination.height);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    glViewport(0, 0, width, height);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, height / 2);  // the first rows are the picture's top
    glClearColor(1, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Left as a renderer may leave it.
    glScissor(1, 1, 2, 2);
    glViewport(0, 0, 3, 3);
    glClearColor(1, 0, 1, 1);
    glEnable(GL_BLEND);
    glUseProgram(0);
    presenter->MarkVideoChanged();
  }

  static inline std::unique_ptr<SdlMainWindow> window;
  std::unique_ptr<GlPresenter> presenter;
  std::vector<uint32_t> picture;
};

TEST_F(GlPresenterTest, PresentsOnlyWhenSomethingChanged) {
  EXPECT_TRUE(presenter->PresentIfChanged());
  EXPECT_FALSE(presenter->PresentIfChanged());
  presenter->UploadRect(picture.data(), kWidth, 1, 1, 2, 2);
  EXPECT_TRUE(presenter->PresentIfChanged());
  EXPECT_FALSE(presenter->PresentIfChanged());
  presenter->SetVideoWindow(kVideoWindow);  // the same place again
  presenter->SetVideoDestination(kDestination);
  EXPECT_FALSE(presenter->PresentIfChanged());
  presenter->Invalidate();
  EXPECT_TRUE(presenter->PresentIfChanged());
  presenter->MarkVideoChanged();
  EXPECT_TRUE(presenter->PresentIfChanged());
}

// Where the platform can show part of a window, a present shows only what
// changed: pixels painted into the window behind the presenter's back stay
// elsewhere.
TEST_F(GlPresenterTest, APresentShowsOnlyTheChangedRectangles) {
  ASSERT_TRUE(presenter->PresentIfChanged());
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(window->Handle(), &info));
  Display* display = info.info.x11.display;
  GC gc = XCreateGC(display, info.info.x11.window, 0, nullptr);
  XSetForeground(display, gc, kWhite);
  XFillRectangle(display, info.info.x11.window, gc, 0, 0, kWidth, kHeight);
  XFreeGC(display, gc);
  XSync(display, False);

  presenter->UploadRect(picture.data(), kWidth, 2, 3, 4, 5);
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({{2, 3, kRed, "changed"},
                {5, 7, kRed, "changed"},
                {6, 7, kWhite, "beside it"},
                {60, 40, kWhite, "far away"}});
}

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

TEST_F(GlPresenterTest, RenderedVideoShowsThroughTheKeyColourUpright) {
  RenderVideo();
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({
      {41, 5, kYellow, "upper half of the video picture"},
      {43, 10, kGreen, "lower half of the video picture"},
      {37, 6, kBlack, "key outside the destination"},
      {38, 33, kBlack, "key outside the video window"},
      {10, 10, kRed, "UI beside the video"},
      {50, 6, kBlue, "UI over the video"},
  });

  presenter->ClearVideo();
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({{43, 10, kBlack, "cleared video layer"}, {10, 10, kRed, "UI"}});

  // Without a video window the key colour is black, never itself.
  presenter->SetVideoWindow(PixelRect{});
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({{41, 6, kBlack, "no video window"}});
}

TEST_F(GlPresenterTest, UploadsOnlyTheGivenRectangleAndStartsBlackAfterAResize) {
  ASSERT_TRUE(presenter->PresentIfChanged());
  std::vector<uint32_t> white(picture.size(), kWhite);
  presenter->UploadRect(white.data(), kWidth, 2, 3, 4, 5);  // x 2..5, y 3..7
  // Rectangles reaching past the picture are cut, not refused.
  presenter->UploadRect(white.data(), kWidth, 60, 44, 10, 10);
  presenter->UploadRect(white.data(), kWidth, -5, -5, 6, 6);
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({
      {2, 3, kWhite, "first uploaded pixel"},
      {5, 7, kWhite, "last uploaded pixel"},
      {6, 7, kRed, "right of the rectangle"},
      {5, 8, kRed, "below the rectangle"},
      {63, 47, kWhite, "cut at the bottom-right"},
      {59, 47, kBlue, "left of that"},
      {0, 0, kWhite, "cut at the top-left"},
      {1, 1, kRed, "past its end"},
  });

  presenter->SetSize(kWidth / 2, kHeight / 2);
  ASSERT_TRUE(presenter->PresentIfChanged());
  ExpectScreen({{10, 10, kBlack, "new picture"}, {60, 40, kBlack, "new picture"}});
}

}  // namespace
