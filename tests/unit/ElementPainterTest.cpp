#include "render/ElementPainter.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "RenderFixture.h"
#include "base/Text.h"
#include "render/ListPainter.h"
#include "support/FakeLog.h"

namespace {

struct Bounds {
  int32_t left = -1, top = -1, right = -1, bottom = -1;  // right and bottom exclusive
  bool operator==(const Bounds&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Bounds& b) {
  return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

// The smallest rectangle holding every pixel of the colour.
Bounds BoundsOf(const RenderFixture& f, Rgb color) {
  Bounds b;
  for (int32_t y = 0; y < f.area.height; ++y) {
    for (int32_t x = 0; x < f.area.width; ++x) {
      if (f.Pixel(x, y) != PixelOf(color)) continue;
      if (b.left < 0 || x < b.left) b.left = x;
      if (b.top < 0) b.top = y;
      b.right = std::max(b.right, x + 1);
      b.bottom = y + 1;
    }
  }
  return b;
}

struct ElementPainterTest : ::testing::Test {
  void SetUp() override { f.PrepareBuffer(); }
  void Draw(int32_t n, bool skipHitMap = false) {
    f.composer.Painter().Element_Draw(f.E(n), skipHitMap);
  }
  RenderFixture f;
};

TEST_F(ElementPainterTest, ColourBoxFillsTheRoundedRectangleAndTheHitMap) {
  const struct {
    double x, y, w, h;
    Bounds box;
  } cases[] = {
      {10, 20, 25, 30, {20, 20, 70, 50}},
      {0.25, 0, 1, 10, {0, 0, 2, 10}},        // 0.5 px rounds to the even 0
      {0.75, 0.5, 1, 10, {2, 0, 4, 10}},      // 1.5 px rounds to 2; 0.5 to 0
      {-1, -1, 50, 50, {50, 25, 150, 75}},    // centred on both axes
      {90, 90, 20, 20, {180, 90, 200, 100}},  // clipped at the edges
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = g.Add("wndVidMain", "picBox", c.x, c.y, c.w, c.h, kRed);
    g.composer.Painter().Element_Draw(g.E(n), false);
    EXPECT_EQ(BoundsOf(g, kRed), c.box);
    EXPECT_EQ(g.Hit(c.box.left, c.box.top), n);
    EXPECT_EQ(g.Hit(c.box.right - 1, c.box.bottom - 1), n);
    EXPECT_EQ(g.Hit(c.box.right, c.box.bottom - 1), 0);
  }
}

// Geometry far beyond any screen: nothing overflows, what can be seen is
// drawn, and the font is never asked for text far wider than the area.
TEST_F(ElementPainterTest, GeometryFarOutsideTheAreaDrawsOnlyWhatCanBeSeen) {
  const std::string longLine(5000, 'x');
  std::string manyLines;
  for (int line = 0; line < 20000; ++line) manyLines += "a\r\n";
  const struct {
    const char* name;
    double x, y, w, h;
    double textX, textY, textW, textH;
    std::string text;
    bool seen;  // some text reaches the area
  } cases[] = {
      {"far above", 0, -1e12, 100, 100, 0, 0, 100, 100, "Play", false},
      {"far below", 0, 1e12, 100, 100, 0, 0, 100, 100, "Play", false},
      {"far left", -1e12, 0, 100, 100, 0, 0, 100, 100, "Play", false},
      {"beyond doubles", 1e300, -1e300, 1e300, 1e300, 0, 0, 100, 100, "Play", false},
      {"text box far above", 0, 0, 100, 100, 0, -1e12, 100, 100, "Play", false},
      {"huge element", -1e12, -1e12, 3e12, 3e12, 0, 0, 100, 100, "Play", false},
      {"huge text box, long line", 0, 0, 100, 100, 0, 0, 100000, 10, longLine, true},
      {"long line from far left", 0, 0, 100, 100, -1e4, 0, 2e6, 10, longLine, true},
      {"centred long line", 0, 0, 100, 100, -1, 0, 100000, 10, longLine, true},
      {"many lines far above", 0, 0, 100, 100, 0, -1e12, 100, 100, manyLines, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = g.Add("wndVidMain", "picText", c.x, c.y, c.w, c.h, kGrey);
    SkinElement& e = g.E(n);
    e.Text[Idle] = c.text;
    e.TextColor[Idle] = kWhite;
    e.TextX[Idle] = c.textX;
    e.TextY[Idle] = c.textY;
    e.TextW[Idle] = c.textW;
    e.TextH[Idle] = c.textH;
    g.composer.Painter().Element_Draw(g.E(n), false);
    const std::vector<std::string> texts = g.TextsIn(kWhite);
    EXPECT_EQ(!texts.empty(), c.seen);
    for (const FakeFontEngine::Draw& draw : g.fonts.draws) {
      const int32_t width = static_cast<int32_t>(CodePointCount(draw.text)) * (draw.size / 2);
      EXPECT_LE(width, 200 + 3 * draw.size) << draw.text.size() << " characters";
      EXPECT_GE(draw.x, -2 * draw.size);
      EXPECT_LE(draw.x, 200 + draw.size);
    }
    if (!c.seen) continue;
    // The line runs on beyond the edges: its characters (boxes 4 pixels wide
    // every 5 pixels) reach the area's last columns, and its first ones.
    const Bounds white = BoundsOf(g, kWhite);
    EXPECT_GE(white.right, 196);
    EXPECT_LE(white.left, 4);
  }
}

TEST_F(ElementPainterTest, PictureGeometryFollowsItsPercentFields) {
  // A 10 x 5 picture in an element of 100 x 50 pixels.
  const struct {
    const char* what;
    double picX, picY, picW, picH;
    Bounds drawn;
  } cases[] = {
      {"full element", 0, 0, 100, 100, {0, 0, 100, 50}},
      {"height -1 keeps the aspect", 0, 0, 50, -1, {0, 0, 50, 25}},
      {"width -1 keeps the aspect", 0, 0, -1, 50, {0, 0, 50, 25}},
      {"centred on both axes", -1, -1, 50, 50, {25, 12, 75, 38}},
      {"PicY is a share of the drawn height", 10, 40, 50, 20, {10, 4, 60, 14}},
      {"PicX is a share of the element width", 20, 0, 10, 10, {20, 0, 30, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t picture = g.AddPicture(SolidPicture(10, 5, kRed));
    const int32_t n = g.Add("wndVidMain", "picLogo", 0, 0, 50, 50, kGrey);
    g.SetPicture(n, Idle, picture);
    SkinElement& e = g.E(n);
    e.PicX[Idle] = c.picX;
    e.PicY[Idle] = c.picY;
    e.PicW[Idle] = c.picW;
    e.PicH[Idle] = c.picH;
    g.composer.Painter().Element_Draw(e, false);
    EXPECT_EQ(BoundsOf(g, kRed), c.drawn);
    // The picture is drawn over what was there; no colour box under it.
    EXPECT_EQ(BoundsOf(g, kGrey), Bounds{});
  }
}

TEST_F(ElementPainterTest, MissingPictureDrawsTheColourBoxAndIsLogged) {
  FakeLog log;
  f.AddPicture(SolidPicture(2, 2, kRed));
  f.skin.SkinPictures.push_back(nullptr);
  f.skin.SkinPictureDescs.push_back({});
  for (const int32_t picture : {2, 7, 1000000}) {
    SCOPED_TRACE(picture);
    log.Clear();
    const int32_t n = f.Add("wndVidMain", "picLogo", 0, 0, 10, 10, kGreen);
    f.SetPicture(n, Idle, picture);
    Draw(n);
    EXPECT_EQ(BoundsOf(f, kGreen), (Bounds{0, 0, 20, 10}));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0], "Element_DrawBackgorund Error: picture " +
                                     std::to_string(picture) +
                                     " of wndVidMain.picLogo does not exist");
  }
}

TEST_F(ElementPainterTest, VideoElementShowsTheKeyColourAndIsPlaced) {
  const int32_t n = f.Add("wndVidMain", "picVideoWindow", 50, 0, 50, 50, kRed);
  Draw(n);
  EXPECT_EQ(BoundsOf(f, Rgb{16, 0, 16}), (Bounds{100, 0, 200, 50}));
  ASSERT_EQ(f.media.placed.size(), 1u);
  EXPECT_EQ(f.media.placed[0].FullName, "wndVidMain.picVideoWindow");
  // Clearing uses the element's own colour, key colour or not.
  f.composer.Painter().Element_Clear(f.E(n));
  EXPECT_EQ(BoundsOf(f, kRed), (Bounds{100, 0, 200, 50}));
}

TEST_F(ElementPainterTest, ToggleButtonsShowTheirOnPictures) {
  const Rgb stateColors[] = {kRed, kGreen, kBlue, kYellow};  // Idle..Disabled
  const struct {
    const char* what;
    const char* window;
    const char* name;
    bool running;
    int32_t mute;
    bool fullscreen;
    const char* focus;
    const char* remoteFocus;
    int32_t ownState;
    Rgb shown;
  } cases[] = {
      {"stopped: own state", "wndVidMain", "cmdPlay", false, 0, false, "", "", Selected, kGreen},
      {"running, focused", "wndVidMain", "cmdPlay", true, 0, false, "wndVidMain.cmdPlay", "",
       Selected, kYellow},
      {"running, focus in other case", "wndVidMain", "cmdPlay", true, 0, false,
       "WNDVIDMAIN.CMDPLAY", "", Selected, kYellow},
      {"running, not focused", "wndVidMain", "cmdPlay", true, 0, false, "wndVidMain.cmdStop", "",
       Idle, kBlue},
      {"full screen: the remote focus counts", "wndRemote", "cmdPlay", true, 0, true,
       "wndVidMain.cmdStop", "wndRemote.cmdPlay", Idle, kYellow},
      {"full screen: the window focus does not", "wndVidMain", "cmdPlay", true, 0, true,
       "wndVidMain.cmdPlay", "wndRemote.cmdStop", Idle, kBlue},
      {"name in other case", "wndVidMain", "CmdPlay", true, 0, false, "", "", Idle, kBlue},
      {"muted: own state", "wndVidMain", "cmdMute", true, 1, false, "wndVidMain.cmdMute", "", Idle,
       kRed},
      {"sound on, focused", "wndVidMain", "cmdMute", false, 0, false, "wndVidMain.cmdMute", "",
       Selected, kYellow},
      {"sound on, not focused", "wndVidMain", "cmdMute", false, 0, false, "", "", Selected, kBlue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = g.Add(c.window, c.name, 0, 0, 10, 10);
    for (int32_t state = Idle; state <= Disabled; ++state) {
      g.SetPicture(n, state, g.AddPicture(SolidPicture(4, 4, stateColors[state])));
    }
    g.E(n).State = c.ownState;
    g.media.running = c.running;
    g.settings.gIsMediaMute = c.mute;
    g.overlay.mIsVideoFullscreen = c.fullscreen;
    g.focus.mFocusElement = c.focus;
    g.overlay.mRemoteFocus = c.remoteFocus;
    g.composer.Painter().Element_Draw(g.E(n), false);
    EXPECT_EQ(g.Pixel(5, 5), PixelOf(c.shown));
  }
}

// The element's texts in its text colour, as the fake font drew them.
std::vector<std::string> DrawnTexts(RenderFixture& g, const std::string& window,
                                    const std::string& name, double height = 10) {
  const int32_t n = g.Add(window, name, 0, 0, 100, height);
  g.E(n).TextColor.fill(kWhite);
  g.E(n).TextLines.fill(static_cast<int32_t>(height / 5));  // 5-pixel lines
  g.E(n).Text[Idle] = "own text";
  g.PrepareBuffer();
  g.composer.Painter().Element_Draw(g.E(n), false);
  return g.TextsIn(kWhite);
}

using Texts = std::vector<std::string>;

TEST_F(ElementPainterTest, OptionElementsShowTheirValues) {
  const struct {
    const char* name;
    void (*set)(Settings&);
    const char* text;
  } cases[] = {
      {"cmdChangeOSDTime", [](Settings& s) { s.gOSDTime = 3000; }, "OSD stays for 3 seconds"},
      {"cmdChangeOSDTime", [](Settings& s) { s.gOSDTime = 2500; }, "OSD stays for 2.5 seconds"},
      {"cmdChangeOSDTime", [](Settings& s) { s.gOSDTime = 0; }, "OSD stays for 0 seconds"},
      {"cmdChangeOutputAR", [](Settings& s) { s.gIsMonitorAnamorph = 2; }, "output anamorph: yes"},
      {"cmdChangeOutputAR", [](Settings& s) { s.gIsMonitorAnamorph = 0; }, "output anamorph: no"},
      {"cmdChangeAlwaysOnTop", [](Settings& s) { s.gAlwaysOnTop = 1; }, "always on top: yes"},
      // Only exactly 1 reads as yes.
      {"cmdChangeAlwaysOnTop", [](Settings& s) { s.gAlwaysOnTop = 2; }, "always on top: no"},
      {"cmdForceVideoForeground", [](Settings& s) { s.gForceVideoForeground = 1; },
       "force video foreground: yes"},
      {"CMDFORCEVIDEOFOREGROUND", [](Settings& s) { s.gForceVideoForeground = 0; },
       "force video foreground: no"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RenderFixture g;
    c.set(g.settings);
    EXPECT_EQ(DrawnTexts(g, "wndOptionsMain", c.name), Texts{c.text});
  }
}

TEST_F(ElementPainterTest, TitleStatusAndOwnTexts) {
  {
    RenderFixture g;
    g.media.title = "Holiday.mkv";
    EXPECT_EQ(DrawnTexts(g, "wndVidMain", "cmdFormMove"), Texts{"Holiday.mkv"});
    EXPECT_EQ(g.captions, Texts{"Tavizo: Holiday.mkv"});
  }
  {
    RenderFixture g;
    g.media.status = "zoom to fit";
    EXPECT_EQ(DrawnTexts(g, "wndVidMain", "picStatus"), Texts{"zoom to fit"});
  }
  {
    // The status line of a window that is not on screen shows its own text.
    RenderFixture g;
    g.media.status = "zoom to fit";
    EXPECT_EQ(DrawnTexts(g, "wndOptionsMain", "picStatus"), Texts{"own text"});
    EXPECT_TRUE(g.captions.empty());
  }
  {
    RenderFixture g;
    g.media.title = "prepare media";
    EXPECT_EQ(DrawnTexts(g, "wndInfo", "fsMediaInfo"), Texts{"prepare media"});
  }
  {
    RenderFixture g;
    g.overlay.mOSDNote = "subtitles: off";
    EXPECT_EQ(DrawnTexts(g, "wndInfo", "fsMediaInfo"), Texts{"subtitles: off"});
  }
  {
    RenderFixture g;
    EXPECT_EQ(DrawnTexts(g, "wndVidMain", "cmdSomething"), Texts{"own text"});
  }
}

TEST_F(ElementPainterTest, VideoInformationText) {
  const struct {
    const char* what;
    bool open, hasVideo;
    int32_t aspectX, aspectY, shownWidth, shownHeight, aspectMode, playMode;
    Texts lines;
  } cases[] = {
      {"nothing open", false, false, 0, 0, 0, 0, 0, 0, {"no media", "play mode: single play"}},
      {"audio only",
       true,
       false,
       0,
       0,
       0,
       0,
       0,
       1,
       {"00:01:05 (01:32:10)", "(Play)", "play mode: continous play"}},
      {"16:9 video in a 4:3 destination",
       true,
       true,
       16,
       9,
       400,
       300,
       0,
       4,
       {"00:01:05 (01:32:10)", "(Play)", "aspect ratio (source): ", "1.78:1 (1.33:1)",
        "play mode: repeat all"}},
      {"unknown ratios",
       true,
       true,
       16,
       0,
       400,
       0,
       2,
       5,
       {"00:01:05 (01:32:10)", "(Play)", "aspect ratio (zoom): ", "(--:--) (--:--)",
        "play mode: repeat random"}},
      {"modes out of range",
       true,
       true,
       4,
       3,
       4,
       3,
       7,
       9,
       {"00:01:05 (01:32:10)", "(Play)", "aspect ratio (): ", "1.33:1 (1.33:1)", "play mode: "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderFixture g;
    g.media.open = c.open;
    g.media.hasVideo = c.hasVideo;
    g.media.timeText = "00:01:05 (01:32:10)";
    g.media.stateText = "(Play)";
    g.media.aspectX = c.aspectX;
    g.media.aspectY = c.aspectY;
    g.media.shownWidth = c.shownWidth;
    g.media.shownHeight = c.shownHeight;
    g.settings.gAspectRatioMode = c.aspectMode;
    g.settings.gPlayMode = c.playMode;
    EXPECT_EQ(DrawnTexts(g, "wndVidMain", "picVideoInfo", 30), c.lines);
  }
}

// The columns of a row that show the colour.
int32_t ColumnsIn(const RenderFixture& f, int32_t row, Rgb color) {
  int32_t count = 0;
  for (int32_t x = 0; x < f.area.width; ++x) count += f.Pixel(x, row) == PixelOf(color);
  return count;
}

TEST_F(ElementPainterTest, ProgressBars) {
  const struct {
    const char* what;
    const char* fullName;
    bool open;
    double duration, position, selectedWidth;
    Bounds bar;
    double elementWidth = 100;
  } cases[] = {
      // Bar B: element 200 x 30 at y 50; its track starts 10 % in and 80 % down, 10 % high.
      {"B without media: one pixel", "wndVidMain.picVideoInfo", false, 0, 0, 100, {20, 74, 21, 77}},
      {"B halfway, 80 % reach", "wndVidMain.picVideoInfo", true, 100, 50, 80, {20, 74, 100, 77}},
      {"B past the end: the element's width",
       "wndVidMain.picVideoInfo",
       true,
       100,
       500,
       100,
       {20, 74, 200, 77}},
      {"B past the end ends with a narrower element",
       "wndVidMain.picVideoInfo",
       true,
       100,
       500,
       100,
       {10, 74, 100, 77},
       50},
      {"A past the end ends with a narrower element",
       "wndRemote.picRemoteInfo",
       true,
       100,
       500,
       100,
       {10, 74, 100, 77},
       50},
      {"A without media: one percent",
       "wndRemote.picRemoteInfo",
       false,
       0,
       0,
       100,
       {20, 74, 22, 77}},
      {"A at a quarter", "wndRemote.picRemoteInfo", true, 100, 25, 100, {20, 74, 70, 77}},
      {"A at the start: still one percent",
       "wndRemote.picRemoteInfo",
       true,
       100,
       0,
       100,
       {20, 74, 22, 77}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderFixture g;
    g.PrepareBuffer();
    const std::string fullName = c.fullName;
    const size_t dot = fullName.find('.');
    const int32_t n =
        g.Add(fullName.substr(0, dot), fullName.substr(dot + 1), 0, 50, c.elementWidth, 30);
    SkinElement& e = g.E(n);
    e.TextColor[Selected] = kYellow;
    e.TextX[Selected] = 10;
    e.TextY[Selected] = 80;
    e.TextW[Selected] = c.selectedWidth;
    e.TextH[Selected] = 10;
    g.media.open = c.open;
    g.media.duration = c.duration;
    g.media.position = c.position;
    g.composer.Painter().Element_Draw(e, false);
    EXPECT_EQ(BoundsOf(g, kYellow), c.bar);
  }
}

// The runs of rows [top, bottom) where the column x has the colour.
std::vector<std::pair<int32_t, int32_t>> RowRunsOf(const RenderFixture& f, int32_t x, Rgb color) {
  std::vector<std::pair<int32_t, int32_t>> runs;
  for (int32_t y = 0; y < f.area.height; ++y) {
    if (f.Pixel(x, y) != PixelOf(color)) continue;
    if (!runs.empty() && runs.back().second == y) {
      runs.back().second = y + 1;
    } else {
      runs.emplace_back(y, y + 1);
    }
  }
  return runs;
}

TEST_F(ElementPainterTest, VolumeBarFillsFromTheBottomInItsSegments) {
  using Runs = std::vector<std::pair<int32_t, int32_t>>;
  const struct {
    const char* name;
    int32_t volume;
    int32_t segments;    // Selected text lines
    int32_t mute;        // gIsMediaMute
    int32_t mutedLines;  // Disabled text lines: 0 when the skin gives no muted look
    Rgb color;
    Runs rows;  // of the 100 rows of the track
  } cases[] = {
      {"default volume", -2500, 1, 0, 1, kYellow, {{25, 100}}},
      {"full", 0, 1, 0, 1, kYellow, {{1, 100}}},
      {"silence keeps a row", -10000, 1, 0, 1, kYellow, {{99, 100}}},
      {"below silence", -20000, 1, 0, 1, kYellow, {{99, 100}}},
      {"half", -5050, 1, 0, 1, kYellow, {{50, 100}}},
      {"no text lines: one bar", -2500, 0, 0, 1, kYellow, {{25, 100}}},
      {"four segments, one open row each",
       0,
       4,
       0,
       1,
       kYellow,
       {{1, 25}, {26, 50}, {51, 75}, {76, 100}}},
      {"two segments, two open rows around the middle",
       -2500,
       2,
       0,
       1,
       kYellow,
       {{25, 49}, {51, 100}}},
      {"muted: the muted colour at the same level", -2500, 2, 1, 1, kGreen, {{25, 49}, {51, 100}}},
      {"muted without a muted look", -2500, 1, 1, 0, kYellow, {{25, 100}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = g.Add("wndVidMain", "cmdVolControl", 0, 0, 50, 100);
    SkinElement& e = g.E(n);
    e.TextColor[Selected] = kYellow;
    e.TextLines[Selected] = c.segments;
    e.TextColor[Disabled] = kGreen;
    e.TextLines[Disabled] = c.mutedLines;
    g.settings.gMediaVolume = c.volume;
    g.settings.gIsMediaMute = c.mute;
    g.composer.Painter().Element_Draw(e, false);
    EXPECT_EQ(RowRunsOf(g, 50, c.color), c.rows);
    EXPECT_EQ(BoundsOf(g, c.color).left, 0);
    EXPECT_EQ(BoundsOf(g, c.color).right, 100);
    EXPECT_EQ(BoundsOf(g, c.color == kYellow ? kGreen : kYellow), Bounds{});
  }
}

// A list element of 100 x 100 pixels showing five lines, with colours that
// read as small numbers: BackColor 1, Selected 2, Pressed 3, Disabled 4.
int32_t AddList(RenderFixture& g, int32_t lines, const std::vector<std::string>& rows) {
  const int32_t n = g.Add("wndVidMain", "lstPlaylist", 0, 0, 50, 100, Rgb{1, 0, 0});
  SkinElement& e = g.E(n);
  e.TextLines.fill(lines);
  e.TextColor = {kWhite, Rgb{2, 0, 0}, Rgb{3, 0, 0}, Rgb{4, 0, 0}};
  e.PicX[Pressed] = 90;
  e.PicY[Pressed] = 0;
  e.PicW[Pressed] = 10;
  e.PicH[Pressed] = 100;
  g.browse.mBrowseList.assign(1, ListEntry{std::to_string(rows.size()), kEntryBack, 0, {}});
  for (const std::string& row : rows) g.browse.mBrowseList.push_back({row, kEntryFile, 0, {}});
  g.settings.gPlaylistName = "/media/films/";
  return n;
}

TEST_F(ElementPainterTest, ListTextShowsTheRowsAroundTheCursor) {
  const struct {
    const char* what;
    int32_t lines;
    double cursor;
    bool focused, running;
    double playing;
    const char* playingFolder;
    std::string text;
  } cases[] = {
      {"cursor on 1 of 3, five lines", 5, 1, false, false, 1, "",
       "\r\n\r\n{2;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"focused", 5, 1, true, false, 1, "", "\r\n\r\n{3;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"playing the cursor row", 5, 1, false, true, 1, "/MEDIA/films/",
       "\r\n\r\n{4;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"focused beats playing", 5, 1, true, true, 1, "/media/films/",
       "\r\n\r\n{3;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"playing another row", 5, 1, false, true, 2, "/media/films/",
       "\r\n\r\n{2;1}a\r\n{2;4}b\r\n{2;}c\r\n"},
      {"playing in another folder", 5, 1, false, true, 2, "/media/music/",
       "\r\n\r\n{2;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"paused", 5, 1, false, false, 2, "/media/films/", "\r\n\r\n{2;1}a\r\n{2;}b\r\n{2;}c\r\n"},
      {"cursor 2.5 rounds to 2", 5, 2.5, false, false, 1, "",
       "\r\n{2;}a\r\n{2;1}b\r\n{2;}c\r\n\r\n"},
      // Four lines: 2 - 1.5 and 2 + 1.5 round to 0 and 4, five rows.
      {"four lines", 4, 2, false, false, 1, "", "\r\n{2;}a\r\n{2;1}b\r\n{2;}c\r\n\r\n"},
      {"one line", 1, 3, false, false, 1, "", "{2;1}c\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RenderFixture g;
    const int32_t n = AddList(g, c.lines, {"a", "b", "c"});
    g.browse.mBrowseCursor = c.cursor;
    g.browse.mPlaying.Take(c.playingFolder, g.browse.mBrowseList, c.playing);
    ListRowFacts facts;
    facts.isFocused = c.focused;
    facts.isRunning = c.running;
    facts.browsesPlayingFolder = EqualsIgnoreCase(c.playingFolder, g.settings.gPlaylistName);
    EXPECT_EQ(BuildListText(g.E(n), g.browse, facts), c.text);
  }
}

TEST_F(ElementPainterTest, DrawnListColoursItsRows) {
  const int32_t n = AddList(f, 5, {"a", "b", "c", "ab\r\ncd"});
  f.browse.mBrowseCursor = 2;
  f.browse.mPlaying.Take("/MEDIA/FILMS/", f.browse.mBrowseList, 3);
  f.media.running = true;
  f.focus.mFocusElement = "wndVidMain.lstPlaylist";
  Draw(n);
  EXPECT_EQ(f.TextsIn(Rgb{3, 0, 0}), Texts{"b"});  // the focused cursor row
  EXPECT_EQ(f.TextsIn(Rgb{2, 0, 0}), (Texts{"a", "c", "ab  cd"}));
  // The playing row's background is the Disabled text colour, one line high.
  // Lines are 20 px: the empty row 0, a, b (cursor), c (playing) from y 60.
  EXPECT_EQ(ColumnsIn(f, 59, Rgb{4, 0, 0}), 0);
  EXPECT_GT(ColumnsIn(f, 60, Rgb{4, 0, 0}), 0);
  EXPECT_GT(ColumnsIn(f, 79, Rgb{4, 0, 0}), 0);
  EXPECT_EQ(ColumnsIn(f, 80, Rgb{4, 0, 0}), 0);
  EXPECT_DOUBLE_EQ(f.list.mRowHeight, 20);
}

TEST_F(ElementPainterTest, ScrollThumbFollowsTheCursor) {
  const struct {
    int32_t rows;
    double cursor;
    std::array<int32_t, 4> thumb;
  } cases[] = {
      {10, 1, {180, 0, 200, 36}},                                    // 5 of 14 share: 35.7 px
      {10, 10, {180, 64, 200, 100}}, {10, 5.5, {180, 32, 200, 68}},  // the unrounded cursor
      {1, 1, {180, 0, 200, 100}},                                    // one row: the whole track
      {0, 1, {180, 0, 200, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.rows << " rows, cursor " << c.cursor);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = AddList(g, 5, std::vector<std::string>(static_cast<size_t>(c.rows), "x"));
    g.E(n).SizeW = 100;  // 200 px wide: the track is x 180..200
    g.browse.mBrowseCursor = c.cursor;
    g.composer.Painter().Element_Draw(g.E(n), false);
    EXPECT_EQ(std::to_array(g.list.mListThumbRect), c.thumb);
    EXPECT_EQ(g.Pixel(190, c.thumb[1]), PixelOf(Rgb{2, 0, 0}));
    EXPECT_EQ(g.Pixel(190, c.thumb[3] - 1), PixelOf(Rgb{2, 0, 0}));
    if (c.thumb[1] > 0) {
      EXPECT_NE(g.Pixel(190, c.thumb[1] - 1), PixelOf(Rgb{2, 0, 0}));
    }
  }
}

TEST_F(ElementPainterTest, DecorativeAndHighNumberedElementsStayOutOfTheHitMap) {
  for (const char* name : {"mskFrame", "MSKFrame", "Mskx", "msk"}) {
    SCOPED_TRACE(name);
    RenderFixture g;
    g.PrepareBuffer();
    const int32_t n = g.Add("wndVidMain", name, 0, 0, 10, 10, kRed);
    g.composer.Painter().Element_Draw(g.E(n), false);
    EXPECT_EQ(g.Pixel(1, 1), PixelOf(kRed));
    EXPECT_EQ(g.Hit(1, 1), 0);
  }
  // "ms" alone is no decoration.
  const int32_t plain = f.Add("wndVidMain", "msFrame", 0, 0, 10, 10);
  Draw(plain);
  EXPECT_EQ(f.Hit(1, 1), plain);
  // Element 256 and above are drawn but never entered.
  while (f.skin.Count() < 254) f.Add("wndOther", "filler", 0, 0, 1, 1);
  const int32_t last = f.Add("wndVidMain", "cmd255", 50, 0, 10, 10, kRed);
  const int32_t high = f.Add("wndVidMain", "cmd256", 50, 0, 10, 10, kBlue);
  ASSERT_EQ(high, 256);
  Draw(last);
  Draw(high);
  EXPECT_EQ(f.Pixel(101, 1), PixelOf(kBlue));
  EXPECT_EQ(f.Hit(101, 1), 255);
  // skipHitMap leaves the map alone too.
  const int32_t skipped = f.Add("wndVidMain", "cmdSkipped", 0, 50, 10, 10);
  Draw(skipped, true);
  EXPECT_EQ(f.Hit(1, 51), 0);
}

}  // namespace
