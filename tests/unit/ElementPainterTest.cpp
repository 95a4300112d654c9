#include "render/ElementPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
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

using Texts = std::vector<std::string>;

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

TEST_F(ElementPainterTest, ProgressBars) {
  constexpr const char* kBarB = "wndVidMain.picVideoInfo";
  constexpr const char* kBarA = "wndRemote.picRemoteInfo";
  const struct {
    const char* what;
    const char* fullName;
    bool open;
    double duration, position, selectedWidth;
    Bounds bar;
    double elementWidth = 100;
  } cases[] = {
      // Element 200 x 30 at y 50; the track starts 10 % in and 80 % down, 10 % high.
      // B is the player's bar, A the remote panel's.
      {"B, no media: a pixel", kBarB, false, 0, 0, 100, {20, 74, 21, 77}},
      {"B halfway, 80 % reach", kBarB, true, 100, 50, 80, {20, 74, 100, 77}},
      {"B past the end: all", kBarB, true, 100, 500, 100, {20, 74, 200, 77}},
      {"A past the end, narrow", kBarA, true, 100, 500, 100, {10, 74, 100, 77}, 50},
      {"A, no media: 1 %", kBarA, false, 0, 0, 100, {20, 74, 22, 77}},
      {"A at a quarter", kBarA, true, 100, 25, 100, {20, 74, 70, 77}},
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
    SkinElement& e = g.E(g.Add("wndVidMain", "picText", c.x, c.y, c.w, c.h, kGrey));
    e.Text[Idle] = c.text;
    e.TextColor[Idle] = kWhite;
    e.TextX[Idle] = c.textX;
    e.TextY[Idle] = c.textY;
    e.TextW[Idle] = c.textW;
    e.TextH[Idle] = c.textH;
    g.composer.Painter().Element_Draw(e, false);
    EXPECT_EQ(std::ranges::any_of(g.fonts.draws, [](const auto& d) { return d.color == kWhite; }),
              c.seen);
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

// Over full-screen video the banner shows a new choice (subtitles, sound
// track, where the film resumed) in place of the title while it is fresh.
TEST_F(ElementPainterTest, TheBannerShowsTheLatestChoiceInPlaceOfTheTitle) {
  const int32_t n = f.Add("wndInfo", "fsMediaInfo", 0, 0, 100, 20);
  f.media.title = "Holiday.mkv";
  for (const char* note : {"subtitles: off", ""}) {
    f.overlay.mOSDNote = note;
    f.fonts.draws.clear();
    Draw(n);
    ASSERT_FALSE(f.fonts.draws.empty());
    EXPECT_EQ(f.fonts.draws.back().text, *note ? note : "Holiday.mkv");
  }
}

}  // namespace
