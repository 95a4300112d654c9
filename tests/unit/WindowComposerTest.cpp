#include "render/WindowComposer.h"

#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "support/FakeLog.h"

namespace {

constexpr Rgb kBackColor{0, 0, 64};
constexpr Rgb kVideoKey{16, 0, 16};

// Window wndVidMain on a dark blue background: the video element (first in
// the file, yet drawn last), two overlapping boxes and a play button; window
// wndOther is not on screen; the remote panel and an information element.
struct WindowComposerTest : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(f.Add("wndVidMain", "picVideoWindow", 50, 50, 50, 50, kYellow), kVideo);
    ASSERT_EQ(f.Add("wndVidMain", "wndMain", 0, 0, 100, 100, kBackColor), kBackground);
    ASSERT_EQ(f.Add("wndVidMain", "picLower", 0, 0, 30, 30, kRed), kLower);
    ASSERT_EQ(f.Add("wndVidMain", "picUpper", 20, 20, 30, 30, kGreen), kUpper);
    ASSERT_EQ(f.Add("wndVidMain", "cmdPlay", 60, 0, 10, 10, kBlue), kPlay);
    ASSERT_EQ(f.Add("wndOther", "picOther", 0, 0, 100, 100, kWhite), kOther);
    ASSERT_EQ(f.Add("wndRemote", "cmdStartButton", 80, 80, 10, 10, kRed), kRemoteStart);
    ASSERT_EQ(f.Add("wndRemote", "picTitleBar", 80, 70, 20, 10, kGreen), kRemoteTitle);
    ASSERT_EQ(f.Add("wndInfo", "fsMediaInfo", 0, 90, 40, 10, kWhite), kInfo);
  }

  void ExpectPixel(int32_t x, int32_t y, Rgb color, int32_t hit) {
    SCOPED_TRACE(::testing::Message() << "at " << x << "," << y);
    EXPECT_EQ(f.Pixel(x, y), PixelOf(color));
    EXPECT_EQ(f.presenter.ScreenPixel(x, y), PixelOf(color)) << "on the screen";
    EXPECT_EQ(f.Hit(x, y), hit);
  }

  static constexpr int32_t kVideo = 1, kBackground = 2, kLower = 3, kUpper = 4, kPlay = 5,
                           kOther = 6, kRemoteStart = 7, kRemoteTitle = 8, kInfo = 9;
  RenderFixture f;
};

TEST_F(WindowComposerTest, RepaintDrawsTheCurrentWindowInFileOrderWithTheVideoLast) {
  f.composer.RepaintWindow();
  ExpectPixel(10, 10, kRed, kLower);
  ExpectPixel(45, 25, kGreen, kUpper);  // shared: the later element is on top
  ExpectPixel(110, 30, kBackColor, 0);  // nothing drawn: the window's colour
  ExpectPixel(125, 5, kBlue, kPlay);
  ExpectPixel(150, 75, kVideoKey, kVideo);
  ExpectPixel(170, 85, kVideoKey, kVideo);  // the remote panel is not part of the window
  ExpectPixel(10, 95, kBackColor, 0);       // nor is the information element
  EXPECT_EQ(f.presenter.uploads, 1);
  EXPECT_EQ(f.media.placed.size(), 1u);
}

TEST_F(WindowComposerTest, RedrawOfTheEarlierElementPutsItOnTop) {
  f.composer.RepaintWindow();
  f.composer.RedrawElement("wndVidMain.picLower");
  ExpectPixel(45, 25, kRed, kLower);
  ExpectPixel(70, 25, kGreen, kUpper);  // outside the lower box
  EXPECT_EQ(f.presenter.uploads, 2);
  // Until the next full repaint.
  f.composer.RepaintWindow();
  ExpectPixel(45, 25, kGreen, kUpper);
}

TEST_F(WindowComposerTest, WindowWithoutBackgroundElementIsClearedToBlack) {
  f.focus.mCurrentWindow = "wndOther";
  f.E(kOther).SizeW = 50;
  f.composer.RepaintWindow();
  ExpectPixel(10, 10, kWhite, kOther);
  ExpectPixel(150, 10, Rgb{}, 0);
  // Window names compare ignoring case.
  f.focus.mCurrentWindow = "WNDVIDMAIN";
  f.composer.RepaintWindow();
  ExpectPixel(110, 30, kBackColor, 0);
  ExpectPixel(10, 10, kRed, kLower);
}

TEST_F(WindowComposerTest, RedrawOfUnknownNamesChangesNothing) {
  f.composer.RepaintWindow();
  const std::vector<uint32_t> before = f.presenter.screen;
  for (const char* name : {"", "wndVidMain.picNothing", "WNDVIDMAIN.PICLOWER", "wndVidMain"}) {
    SCOPED_TRACE(name);
    f.composer.RedrawElement(name);
    f.composer.RedrawElement(name, true);
  }
  EXPECT_EQ(f.presenter.uploads, 1);
  EXPECT_EQ(f.presenter.screen, before);
}

TEST_F(WindowComposerTest, ClearOnlyFillsTheBackColourAndKeepsTheHitMap) {
  f.composer.RepaintWindow();
  f.composer.RedrawElement("wndVidMain.picVideoWindow", true);
  ExpectPixel(150, 75, kYellow, kVideo);
  f.composer.RedrawElement("wndVidMain.picUpper", true);
  ExpectPixel(45, 25, kGreen, kUpper);
}

TEST_F(WindowComposerTest, RedrawPresentsOnlyTheElementRectangle) {
  f.composer.RepaintWindow();
  f.composer.RedrawElement("wndOther.picOther");  // any window can be drawn
  EXPECT_EQ(f.Pixel(10, 10), PixelOf(kWhite));
  EXPECT_EQ(f.presenter.ScreenPixel(10, 10), PixelOf(kWhite));
  f.E(kLower).BackColor = kBlue;
  f.presenter.screen.assign(f.presenter.screen.size(), 0);
  f.composer.RedrawElement("wndVidMain.picLower");
  EXPECT_EQ(f.presenter.ScreenPixel(0, 0), PixelOf(kBlue));
  EXPECT_EQ(f.presenter.ScreenPixel(59, 29), PixelOf(kBlue));
  EXPECT_EQ(f.presenter.ScreenPixel(60, 29), 0u);  // outside: not uploaded again
  EXPECT_EQ(f.presenter.ScreenPixel(59, 30), 0u);
}

TEST_F(WindowComposerTest, FullScreenVideoCoversTheWindowAndOnlyOverlaysAreDrawn) {
  f.Add("wndVidMain", "cmdFormMove", 0, 0, 10, 5, kBlue);
  f.overlay.mIsVideoFullscreen = true;
  f.composer.RepaintWindow();
  ExpectPixel(0, 0, kVideoKey, kVideo);
  ExpectPixel(199, 99, kVideoKey, kVideo);
  // The stored element keeps its place.
  EXPECT_EQ(f.E(kVideo).PosX, 50);
  ASSERT_EQ(f.media.placed.size(), 1u);
  EXPECT_EQ(f.media.placed[0].SizeW, 100);

  f.composer.RedrawElement("wndVidMain.cmdPlay");
  f.composer.RedrawElement("wndOther.picOther");
  ExpectPixel(125, 5, kVideoKey, kVideo);
  EXPECT_EQ(f.presenter.uploads, 1);
  // The title stays hidden under the video, but the window's caption follows it.
  f.media.title = "next film.mp4";
  f.captions.clear();
  f.composer.RedrawElement("wndVidMain.cmdFormMove");
  EXPECT_EQ(f.presenter.uploads, 1);
  ASSERT_EQ(f.captions.size(), 1u);
  EXPECT_EQ(f.captions.back(), "Tavizo: next film.mp4");

  f.composer.RedrawElement("wndInfo.fsMediaInfo");
  ExpectPixel(78, 95, kWhite, kInfo);  // right of its title text
  f.composer.RedrawElement("wndRemote.cmdStartButton");
  ExpectPixel(165, 85, kRed, kRemoteStart);
  // The video keeps covering the whole area when it is redrawn alone.
  f.composer.RedrawElement("wndVidMain.picVideoWindow");
  ExpectPixel(10, 10, kVideoKey, kVideo);
  EXPECT_EQ(f.media.placed.back().SizeH, 100);
}

TEST_F(WindowComposerTest, ShowRemotePanelStartsOnTheStartButton) {
  UiTimer& timer = f.timers[TimerId::ShowRemote];
  f.settings.gOSDTime = 4000;

  f.composer.ShowRemotePanel(-1);
  EXPECT_EQ(f.remoteKeys, std::vector<int32_t>{-1});
  EXPECT_EQ(f.overlay.mRemoteFocus, "wndRemote.cmdStartButton");
  EXPECT_EQ(f.overlay.mRemotePrevFocus, "wndRemote.cmdStartButton");
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 60000);
  EXPECT_TRUE(f.overlay.mOSDActive);
  EXPECT_EQ(f.overlay.mOSDRemaining, 4000);

  // Up without a key: a key hides it and shows it again for keys.
  f.overlay.mRemoteFocus = "wndRemote.cmdNext";
  f.composer.ShowRemotePanel(38);
  EXPECT_EQ(f.remoteKeys, (std::vector<int32_t>{-1, 38}));
  EXPECT_EQ(f.overlay.mRemoteFocus, "wndRemote.cmdStartButton");
  EXPECT_EQ(timer.Interval(), 100);
  EXPECT_TRUE(timer.Enabled());

  // Up for keys: the key only moves the focus.
  f.overlay.mRemoteFocus = "wndRemote.cmdNext";
  f.composer.ShowRemotePanel(39);
  EXPECT_EQ(f.remoteKeys, (std::vector<int32_t>{-1, 38, 39}));
  EXPECT_EQ(f.overlay.mRemoteFocus, "wndRemote.cmdNext");
  EXPECT_EQ(timer.Interval(), 100);
}

TEST_F(WindowComposerTest, HideRemotePanelOutsideFullScreenRepaints) {
  f.composer.RepaintWindow();
  f.composer.RedrawRemotePanel();
  ExpectPixel(165, 85, kRed, kRemoteStart);
  f.E(kRemoteStart).State = Selected;
  f.overlay.mRemoteFocus = "wndRemote.cmdStartButton";
  f.timers[TimerId::ShowRemote].Enable();
  f.settings.gOSDTime = 2000;

  f.composer.HideRemotePanel();
  ExpectPixel(165, 85, kVideoKey, kVideo);
  EXPECT_FALSE(f.timers[TimerId::ShowRemote].Enabled());
  EXPECT_EQ(f.E(kRemoteStart).State, Idle);
  EXPECT_EQ(f.overlay.mRemoteRemaining, 2000);
}

TEST_F(WindowComposerTest, HideRemotePanelInFullScreenClearsThePanel) {
  f.overlay.mIsVideoFullscreen = true;
  f.composer.RepaintWindow();
  f.E(kRemoteStart).BackColor = kVideoKey;  // a panel that lets the video through
  f.media.title = "Clip";
  f.composer.RedrawRemotePanel();
  EXPECT_EQ(f.E(kRemoteTitle).Text[Idle], "Clip");
  ExpectPixel(199, 75, kGreen, kRemoteTitle);  // right of its title text

  f.overlay.mRemoteFocus = "*";  // matches no element: nothing to put back
  const int64_t uploadedBefore = f.presenter.uploadedPixels;
  f.composer.HideRemotePanel();
  // Only the panel's rectangle goes to the screen, not the whole picture.
  EXPECT_LT(f.presenter.uploadedPixels - uploadedBefore,
            static_cast<int64_t>(f.area.width) * f.area.height / 2);
  ExpectPixel(165, 85, kVideoKey, kRemoteStart);  // cleared; the hit map is left alone
  ExpectPixel(170, 75, kGreen, kRemoteTitle);     // its own BackColor, no text
  EXPECT_EQ(f.E(0).State, Idle);
}

TEST_F(WindowComposerTest, PictureAreaSizeChangesRebuildEverything) {
  const int32_t picture = f.AddPicture(SolidPicture(4, 4, kRed));
  f.SetPicture(kLower, Idle, picture);
  f.composer.RepaintWindow();
  EXPECT_EQ(f.composer.Pictures().CachedCount(), 1u);
  f.composer.RepaintWindow();
  EXPECT_EQ(f.composer.Pictures().CachedCount(), 1u);

  f.area = {400, 300};
  f.composer.RepaintWindow();
  EXPECT_EQ(f.composer.Buffer().Width(), 400);
  EXPECT_EQ(f.composer.Hits().Height(), 300);
  EXPECT_EQ(f.Pixel(119, 59), PixelOf(kRed));  // 30 % of the new size
  EXPECT_EQ(f.Pixel(120, 59), PixelOf(kBackColor));
  EXPECT_EQ(f.Hit(119, 59), kLower);
  EXPECT_EQ(f.presenter.ScreenPixel(399, 299), PixelOf(kVideoKey));

  // A whole-area copy writes its size back.
  double width = -1;
  double height = -1;
  f.composer.Backbuffer_Copy(0, 0, width, height);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 300);
}

TEST_F(WindowComposerTest, DrawingWithoutABackBufferIsLoggedAndHarmless) {
  FakeLog log;
  f.composer.RedrawElement("wndVidMain.picLower");
  f.composer.PaintPictureArea();
  EXPECT_EQ(f.presenter.uploads, 0);
  EXPECT_NE(std::find(log.Messages().begin(), log.Messages().end(),
                      "Backbuffer_Copy Blt: no back buffer"),
            log.Messages().end());

  f.composer.RepaintWindow();
  log.Clear();
  f.area = {0, 0};  // a minimised window
  f.composer.RepaintWindow();
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"Backbuffer_init: no back buffer of 0 x 0"});
  // The last picture stays and can still be presented.
  f.composer.PaintPictureArea();
  EXPECT_EQ(f.presenter.ScreenPixel(10, 10), PixelOf(kRed));
}

}  // namespace
