#include "skin/SkinLoader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Log.h"
#include "support/PictureHeaders.h"
#include "support/TempFolder.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Pictures whose path ends in a name of `missing` fail; those ending in
// ".huge" claim 10000 x 10000 pixels (without holding them); every other one
// is 10 + n by 20 pixels, n counting the loads.
class FakePictureLoader final : public PictureLoader {
 public:
  std::shared_ptr<SkinPicture> Load(const std::string& file) override {
    loaded.push_back(file);
    for (const std::string& name : missing) {
      if (file.ends_with("/" + name)) return nullptr;
    }
    auto picture = std::make_shared<SkinPicture>();
    if (file.ends_with(".huge")) {
      picture->width = 10000;
      picture->height = 10000;
      return picture;
    }
    picture->width = 10 + static_cast<int32_t>(loaded.size());
    picture->height = 20;
    picture->pixels.assign(static_cast<size_t>(picture->width) * 20, 0xFF000000u);
    return picture;
  }

  std::set<std::string> missing;
  std::vector<std::string> loaded;
};

class SkinLoaderTest : public ::testing::Test {
 protected:
  SkinLoaderTest() {
    SetLogSink([this](const std::string& line) {
      // Drop the time stamp: "YYYYMMDDHHNNSS: ".
      logs.push_back(line.size() > 16 ? line.substr(16) : line);
    });
  }
  ~SkinLoaderTest() override { SetLogSink(nullptr); }

  std::string SkinPath() const { return folder.File("test.tvs"); }

  // Writes the entries as the skin file "test.tvs" and loads it.
  std::string Load(const Entries& entries, PictureDecoding decoding = PictureDecoding::All) {
    std::string text = "' a skin written by the test\r\n";
    for (const auto& [key, value] : entries) text += "\"" + key + "\",\"" + value + "\"\r\n";
    folder.Write("test.tvs", text);
    logs.clear();
    return DX_LoadSkin(SkinPath(), model, pictures, decoding);
  }

  bool Logged(const std::string& line) const {
    for (const std::string& logged : logs) {
      if (logged == line) return true;
    }
    return false;
  }

  std::string AllLogs() const {
    std::string all;
    for (const std::string& line : logs) all += line + "\n";
    return all;
  }

  TempFolder folder;
  FakePictureLoader pictures;
  SkinModel model;
  std::vector<std::string> logs;
};

// One element named wndMain.cmdPlay plus the entries of the case.
Entries OneElement(Entries extra) {
  Entries entries = {{"noCtrls", "1"},
                     {"ctrlName1", "cmdPlay"},
                     {"ctrlWindow1", "wndMain"},
                     {"startCtrl", "wndMain.cmdPlay"}};
  entries.insert(entries.end(), extra.begin(), extra.end());
  return entries;
}

TEST_F(SkinLoaderTest, MissingEntriesTakeTheirDefaults) {
  ASSERT_EQ(Load(OneElement({})), "wndMain.cmdPlay") << AllLogs();
  EXPECT_TRUE(logs.empty()) << AllLogs();
  ASSERT_EQ(model.Count(), 1);
  const SkinElement& e = model.Element(1);
  EXPECT_EQ(e.Index, 1);
  EXPECT_EQ(e.FullName, "wndMain.cmdPlay");
  EXPECT_EQ(e.PosX, 0);
  EXPECT_EQ(e.PosY, 0);
  EXPECT_EQ(e.SizeW, 100);
  EXPECT_EQ(e.SizeH, 100);
  EXPECT_EQ(e.BackColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(e.InfoText, "");
  EXPECT_EQ(e.State, Idle);
  for (int state = 0; state < kStateCount; ++state) {
    SCOPED_TRACE(kStateNames[state]);
    EXPECT_EQ(e.Text[state], "");
    EXPECT_EQ(e.TextW[state], 0);
    EXPECT_EQ(e.TextH[state], 0);
    EXPECT_EQ(e.TextLines[state], 0);
    EXPECT_EQ(e.PicIndex[state], 0);
    EXPECT_EQ(e.PicW[state], 0);
  }
  for (const std::string& move : e.Moves) EXPECT_EQ(move, "");
  EXPECT_EQ(model.FindElement("wndMain.cmdPlay"), 1);
  EXPECT_EQ(model.SkinPictures.size(), 1u);
  EXPECT_EQ(model.SkinStrings.NumKeys(), 0);
}

TEST_F(SkinLoaderTest, ReadsEveryFieldTrimmedWithItsDefaultsWithinAnEntry) {
  ASSERT_EQ(Load(OneElement({
                {"noPics", "2"},
                {"pic1", "a.png"},
                {"pic2", "b.png"},
                {"ctrlPos1", " 10 ; 20.5 "},
                {"ctrlSize1", "-1;30"},
                {"ctrlBackcolor1", "255; 128 ;0"},
                {"ctrlInfoText1", "  plays the file  "},
                {"ctrlTextIdle1", "Play\xC2\xA7now;Arial;255;255;255"},
                {"ctrlTextSelected1", "  two words  ; Tahoma ;1;2;3;5;-1;0;40;2.5"},
                {"ctrlTextPressed1", "x;;;;;;;;;3.5"},
                {"ctrlTextDisabled1", "  end\xC2\xA7 "},
                {"ctrlPicIdle1", "2"},
                {"ctrlPicSelected1", "1;-1;-1;50;-1"},
                {"ctrlPicPressed1", "0;5"},
                {"ctrlMove1", " wndMain.a ; *.cmdPlay ;;  ; !.elemMoveN ; ignored"},
            })),
            "wndMain.cmdPlay")
      << AllLogs();
  const SkinElement& e = model.Element(1);
  EXPECT_EQ(e.PosX, 10);
  EXPECT_EQ(e.PosY, 20.5);
  EXPECT_EQ(e.SizeW, -1);
  EXPECT_EQ(e.SizeH, 30);
  EXPECT_EQ(e.BackColor, (Rgb{255, 128, 0}));
  EXPECT_EQ(e.InfoText, "plays the file");

  struct TextCase {
    ElementState state;
    const char* text;
    const char* font;
    Rgb colour;
    double x, y, w, h;
    int32_t lines;
  };
  const TextCase texts[] = {
      {Idle, "Play\r\nnow", "Arial", {255, 255, 255}, 0, 0, 100, 100, 1},
      {Selected, "two words", "Tahoma", {1, 2, 3}, 5, -1, 100, 40, 2},
      {Pressed, "x", "", {0, 0, 0}, 0, 0, 100, 100, 4},
      {Disabled, "end\r\n", "", {0, 0, 0}, 0, 0, 100, 100, 1},
  };
  for (const TextCase& c : texts) {
    SCOPED_TRACE(kStateNames[c.state]);
    EXPECT_EQ(e.Text[c.state], c.text);
    EXPECT_EQ(e.FontName[c.state], c.font);
    EXPECT_EQ(e.TextColor[c.state], c.colour);
    EXPECT_EQ(e.TextX[c.state], c.x);
    EXPECT_EQ(e.TextY[c.state], c.y);
    EXPECT_EQ(e.TextW[c.state], c.w);
    EXPECT_EQ(e.TextH[c.state], c.h);
    EXPECT_EQ(e.TextLines[c.state], c.lines);
  }

  struct PicCase {
    ElementState state;
    int32_t index;
    double x, y, w, h;
  };
  const PicCase pics[] = {
      {Idle, 2, 0, 0, 100, 100},
      {Selected, 1, -1, -1, 50, -1},
      {Pressed, 0, 5, 0, 100, 100},
      {Disabled, 0, 0, 0, 0, 0},
  };
  for (const PicCase& c : pics) {
    SCOPED_TRACE(kStateNames[c.state]);
    EXPECT_EQ(e.PicIndex[c.state], c.index);
    EXPECT_EQ(e.PicX[c.state], c.x);
    EXPECT_EQ(e.PicY[c.state], c.y);
    EXPECT_EQ(e.PicW[c.state], c.w);
    EXPECT_EQ(e.PicH[c.state], c.h);
  }

  const std::array<std::string, 5> moves = {"wndMain.a", "*.cmdPlay", "", "", "!.elemMoveN"};
  EXPECT_EQ(e.Moves, moves);
}

TEST_F(SkinLoaderTest, PicturesComeFromTheSkinsFolderWithTheirSizes) {
  ASSERT_EQ(Load({{"noPics", "2"}, {"pic1", "play.png"}, {"pic2", "buttons\\stop.png"}}), "");
  EXPECT_TRUE(logs.empty()) << AllLogs();
  const std::vector<std::string> expected = {folder.File("test/play.png"),
                                             folder.File("test/buttons/stop.png")};
  EXPECT_EQ(pictures.loaded, expected);
  ASSERT_EQ(model.SkinPictures.size(), 3u);
  EXPECT_EQ(model.SkinPictures[0], nullptr);
  ASSERT_NE(model.SkinPictures[2], nullptr);
  EXPECT_EQ(model.SkinPictureDescs[1].width, 11);
  EXPECT_EQ(model.SkinPictureDescs[2].width, 12);
  EXPECT_EQ(model.SkinPictureDescs[2].height, 20);
}

TEST_F(SkinLoaderTest, AMissingPictureStopsLoadingAfterTheEarlierOnes) {
  pictures.missing = {"two.png"};
  EXPECT_EQ(Load({{"noStrings", "1"},
                  {"string1", "title;My Media"},
                  {"noPics", "3"},
                  {"pic1", "one.png"},
                  {"pic2", "two.png"},
                  {"pic3", "three.png"},
                  {"noCtrls", "1"},
                  {"ctrlName1", "cmdPlay"},
                  {"startCtrl", ".cmdPlay"}}),
            "");
  EXPECT_TRUE(Logged("DX_LoadSkin !ERROR! - file 'two.png' of skin 'test' not found")) << AllLogs();
  EXPECT_EQ(pictures.loaded.size(), 2u);
  ASSERT_EQ(model.SkinPictures.size(), 4u);
  EXPECT_NE(model.SkinPictures[1], nullptr);
  EXPECT_EQ(model.SkinPictures[2], nullptr);
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(model.SkinStrings.GetValue("title", HashValue("")).ToText(), "My Media");
}

// The start window's pictures are decoded with the skin; the others, whose
// headers give their sizes, when first drawn or when the rest is asked for.
TEST_F(SkinLoaderTest, PicturesTheStartWindowDoesNotShowAreDecodedLater) {
  folder.Write("test/shown.png", picture_headers::Png(3, 4));
  folder.Write("test/other.png", picture_headers::Png(5, 6));
  folder.Write("test/spare.png", picture_headers::Png(7, 8));
  ASSERT_EQ(Load({{"noPics", "4"},
                  {"pic1", "shown.png"},
                  {"pic2", "other.png"},
                  {"pic3", "spare.png"},
                  {"pic4", "no_header.png"},
                  {"noCtrls", "2"},
                  {"ctrlName1", "a"},
                  {"ctrlWindow1", "wndMain"},
                  {"ctrlPicSelected1", "1"},
                  {"ctrlName2", "b"},
                  {"ctrlWindow2", "wndOther"},
                  {"ctrlPicIdle2", "2"},
                  {"startCtrl", "wndMain.a"}},
                 PictureDecoding::StartWindowFirst),
            "wndMain.a")
      << AllLogs();
  const auto file = [&](const char* name) { return folder.File(std::string("test/") + name); };
  EXPECT_EQ(pictures.loaded, (std::vector<std::string>{file("shown.png"), file("no_header.png")}));
  EXPECT_EQ(model.SkinPictureDescs[2].width, 5);
  ASSERT_NE(model.Picture(2), nullptr);
  EXPECT_EQ(model.Picture(2)->width, 13) << "decoded once, as the third picture";
  model.DecodePicturesLeftForLater();
  EXPECT_EQ(pictures.loaded, (std::vector<std::string>{file("shown.png"), file("no_header.png"),
                                                       file("other.png"), file("spare.png")}));
}

// A picture that would take gigabytes, or that lies outside the skin's
// folder, fails the skin before anything is decoded.
TEST_F(SkinLoaderTest, PicturesThatCannotBelongToTheSkinFailItBeforeDecoding) {
  namespace headers = picture_headers;
  struct Case {
    const char* file;
    std::string bytes;
    const char* log;  // nullptr: the picture loads
    bool decoded;
  };
  const Case cases[] = {
      {"big.png", headers::Png(20000, 20000),
       "pic no. 2 is too large ('big.png', 20000 x 20000 pixels", false},
      {"big.jpg", headers::Jpeg(9000, 8000), "pic no. 2 is too large ('big.jpg', 9000 x 8000",
       false},
      {"big.gif", headers::Gif(65535, 65535), "pic no. 2 is too large ('big.gif', 65535 x 65535",
       false},
      {"big.bmp", headers::Bmp(30000, 20000), "pic no. 2 is too large ('big.bmp', 30000 x 20000",
       false},
      {"big.TGA", headers::Tga(60000, 2000), "pic no. 2 is too large ('big.TGA', 60000 x 2000",
       false},
      {"edge.png", headers::Png(8192, 8192), nullptr, true},
      {"edge.jpg", headers::Jpeg(8192, 8193), "pic no. 2 is too large", false},
      // A kind whose header is not read is refused once decoded.
      {"picture.huge", "RIFF", "pic no. 2 is too large ('picture.huge', 10000 x 10000", true},
      {"../outside.png", headers::Png(1, 1), "pic no. 2 ('../outside.png') lies outside", false},
      {"sub\\..\\..\\outside.png", headers::Png(1, 1),
       "pic no. 2 ('sub\\..\\..\\outside.png') lies outside", false},
      {"/etc/outside.png", headers::Png(1, 1), "pic no. 2 ('/etc/outside.png') lies outside",
       false},
      {"sub/../inside.png", headers::Png(1, 1), nullptr, true},
      {"..inside.png", headers::Png(1, 1), nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    folder.Write("test/one.png", headers::Png(1, 1));
    folder.Write("test/sub/dummy", "");
    if (!std::string_view(c.file).starts_with("/"))
      folder.Write("test/" + std::string(c.file), c.bytes);
    pictures.loaded.clear();
    const std::string start = Load(
        OneElement({{"noPics", "3"}, {"pic1", "one.png"}, {"pic2", c.file}, {"pic3", "one.png"}}));
    if (!c.log) {
      EXPECT_EQ(start, "wndMain.cmdPlay") << AllLogs();
      EXPECT_EQ(pictures.loaded.size(), 3u);
      continue;
    }
    EXPECT_EQ(start, "");
    ASSERT_EQ(logs.size(), 1u) << AllLogs();
    EXPECT_TRUE(logs[0].starts_with(std::string("DX_LoadSkin !ERROR! - ") + c.log)) << logs[0];
    // The first picture is read, the third never; the second only when its size is not known
    // beforehand.
    EXPECT_EQ(pictures.loaded.size(), c.decoded ? 2u : 1u);
  }
}

TEST_F(SkinLoaderTest, AnEmptyPictureEntryIsReportedThenFailsToLoad) {
  EXPECT_EQ(Load({{"noPics", "2"}, {"pic1", "one.png"}}), "");
  EXPECT_EQ(logs,
            (std::vector<std::string>{"DX_LoadSkin - pic no. 2 is empty",
                                      "DX_LoadSkin !ERROR! - file '' of skin 'test' not found"}));
}

TEST_F(SkinLoaderTest, UnnamedElementsAreNamedAfterTheirNumber) {
  Entries entries = {{"noCtrls", "7"}, {"startCtrl", "wndMain.SkinElement7"}};
  for (int i = 1; i <= 6; ++i) entries.push_back({"ctrlName" + std::to_string(i), "e"});
  entries.push_back({"ctrlWindow7", "wndMain"});
  ASSERT_EQ(Load(entries), "wndMain.SkinElement7");
  EXPECT_EQ(logs, std::vector<std::string>{"DX_LoadSkin - element no. 7 is empty"});
  EXPECT_EQ(model.Element(7).Name, "SkinElement7");
  EXPECT_EQ(model.FindElement("wndMain.SkinElement7"), 7);
  // Six elements named ".e": the first one is found.
  EXPECT_EQ(model.FindElement(".e"), 1);
}

TEST_F(SkinLoaderTest, StringsAreTrimmedAndTheLaterOneWins) {
  ASSERT_EQ(Load({{"noStrings", "5"},
                  {"string1", " title ; My Media "},
                  {"string2", "!.elemMoveN;move up"},
                  {"string3", "title;Later"},
                  {"string4", " ;no name"},
                  {"startCtrl", "x.y"}}),
            "x.y");
  EXPECT_EQ(model.SkinStrings.GetValue("title", HashValue("")).ToText(), "Later");
  EXPECT_EQ(model.SkinStrings.GetValue("!.elemMoveN", HashValue("")).ToText(), "move up");
  // string5 is absent: its default ":" is the name ":" with an empty text.
  EXPECT_TRUE(model.SkinStrings.KeyExists(":"));
  EXPECT_EQ(model.SkinStrings.NumKeys(), 3);
  EXPECT_EQ(logs, std::vector<std::string>{"DX_LoadSkin - string no. 4 has no name"});
}

TEST_F(SkinLoaderTest, NoElementsLeavesOnlyTheHeader) {
  EXPECT_EQ(Load({{"noCtrls", "0"}, {"startCtrl", " wndMain.x "}}), "wndMain.x");
  EXPECT_EQ(model.SkinElements.size(), 1u);
  EXPECT_EQ(model.Element(0).Index, 0);
}

TEST_F(SkinLoaderTest, NoStartElementGivesTheEmptyResultQuietly) {
  EXPECT_EQ(Load({{"noCtrls", "1"}, {"ctrlName1", "a"}}), "");
  EXPECT_TRUE(logs.empty()) << AllLogs();
  EXPECT_EQ(model.Count(), 1);
}

TEST_F(SkinLoaderTest, AMissingSkinFileGivesMinusOneAndAnEmptyModel) {
  ASSERT_EQ(Load(OneElement({})), "wndMain.cmdPlay");
  const std::string missing = folder.File("none.tvs");
  logs.clear();
  EXPECT_EQ(DX_LoadSkin(missing, model, pictures), "-1");
  EXPECT_EQ(logs, std::vector<std::string>{"skin " + missing + " not found"});
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(model.FindElement("wndMain.cmdPlay"), 0);
}

TEST_F(SkinLoaderTest, AnUnreadableSkinFileSaysWhy) {
  folder.Write("test.tvs", "\"noCtrls\",#true#\r\n");
  EXPECT_EQ(DX_LoadSkin(SkinPath(), model, pictures), "-1");
  ASSERT_EQ(logs.size(), 2u) << AllLogs();
  EXPECT_TRUE(logs[0].starts_with("LoadHashError: line 1: ")) << logs[0];
  EXPECT_TRUE(logs[0].ends_with(" (while loading " + SkinPath() + ")")) << logs[0];
  EXPECT_EQ(logs[1], "skin " + SkinPath() + " not found");
}

TEST_F(SkinLoaderTest, ALatin1SkinFileLoadsWithItsLineBreakSign) {
  // "Spiel§läuft" in Latin-1: § is 0xA7, ä is 0xE4.
  folder.Write("test.tvs",
               "\"noCtrls\",1\r\n\"ctrlName1\",\"a\"\r\n"
               "\"ctrlTextIdle1\",\"Spiel\xA7l\xE4uft;Arial\"\r\n\"startCtrl\",\".a\"\r\n");
  ASSERT_EQ(DX_LoadSkin(SkinPath(), model, pictures), ".a") << AllLogs();
  EXPECT_EQ(model.Element(1).Text[Idle], "Spiel\r\nl\xC3\xA4uft");
}

// A malformed value is a skin error: it is logged with its key and the skin
// is refused, rather than drawn with made-up values.
TEST_F(SkinLoaderTest, MalformedValuesAreSkinErrors) {
  struct Case {
    Entries entries;
    const char* log;
  };
  const Case cases[] = {
      {{{"ctrlPos1", "abc;0"}}, "ctrlPos1 field 1 is not a number: 'abc'"},
      {{{"ctrlSize1", "50;1,5"}}, "ctrlSize1 field 2 is not a number: '1,5'"},
      {{{"ctrlBackcolor1", "0;300;0"}}, "ctrlBackcolor1 field 2 is not a colour component: '300'"},
      {{{"ctrlBackcolor1", "-1;0;0"}}, "ctrlBackcolor1 field 1 is not a colour component: '-1'"},
      {{{"ctrlBackcolor1", "0;0;12.5"}},
       "ctrlBackcolor1 field 3 is not a colour component: '12.5'"},
      {{{"ctrlBackcolor1", "0;0;blue"}},
       "ctrlBackcolor1 field 3 is not a colour component: 'blue'"},
      {{{"ctrlTextSelected1", "a;Arial;0;256;0"}},
       "ctrlTextSelected1 field 4 is not a colour component: '256'"},
      {{{"ctrlTextIdle1", "a;Arial;0;0;0;x"}}, "ctrlTextIdle1 field 6 is not a number: 'x'"},
      {{{"ctrlTextIdle1", "a;;;;;;;;;-2"}}, "ctrlTextIdle1 field 10 is not a line count: '-2'"},
      {{{"ctrlTextIdle1", "a;;;;;;;;;many"}}, "ctrlTextIdle1 field 10 is not a line count: 'many'"},
      {{{"ctrlPicIdle1", "x"}}, "ctrlPicIdle1 field 1 is not a number: 'x'"},
      {{{"ctrlPicDisabled1", "1;0;0;1e999"}}, "ctrlPicDisabled1 field 4 is not a number: '1e999'"},
      {{{"ctrlPicIdle1", "2"}}, "ctrlPicIdle1 field 1 is not a picture of the skin: '2'"},
      {{{"ctrlSize1", "-1;-1"}}, "ctrlSize1 has a width and a height of -1"},
      {{{"ctrlTextPressed1", "a;;;;;;;-1;-1"}}, "ctrlTextPressed1 has a width and a height of -1"},
      {{{"ctrlPicIdle1", "1;0;0;-1;-1"}}, "ctrlPicIdle1 has a width and a height of -1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    Entries entries = OneElement(c.entries);
    entries.push_back({"noPics", "1"});
    entries.push_back({"pic1", "one.png"});
    EXPECT_EQ(Load(entries), "");
    EXPECT_TRUE(Logged(std::string("DX_LoadSkin !ERROR! - ") + c.log)) << AllLogs();
  }
}

TEST_F(SkinLoaderTest, EveryMalformedValueIsNamedNotOnlyTheFirst) {
  EXPECT_EQ(Load(OneElement({{"ctrlPos1", "a;b"}, {"ctrlBackcolor1", "999"}})), "");
  EXPECT_EQ(logs, (std::vector<std::string>{
                      "DX_LoadSkin !ERROR! - ctrlPos1 field 1 is not a number: 'a'",
                      "DX_LoadSkin !ERROR! - ctrlPos1 field 2 is not a number: 'b'",
                      "DX_LoadSkin !ERROR! - ctrlBackcolor1 field 1 is not a colour component: "
                      "'999'"}));
}

TEST_F(SkinLoaderTest, MalformedCountsAreSkinErrors) {
  struct Case {
    const char* key;
    const char* value;
    const char* log;
  };
  const Case cases[] = {
      {"noCtrls", "many", "noCtrls is not a count: 'many'"},
      {"noPics", "-1", "noPics is not a count: '-1'"},
      {"noStrings", "2.5", "noStrings is not a count: '2.5'"},
      {"noCtrls", "20000", "noCtrls is too large: '20000'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    EXPECT_EQ(Load({{c.key, c.value}, {"startCtrl", "a.b"}}), "");
    EXPECT_TRUE(Logged(std::string("DX_LoadSkin !ERROR! - ") + c.log)) << AllLogs();
  }
}

TEST_F(SkinLoaderTest, EmptyFieldsAndFreeSidesAreNoErrors) {
  EXPECT_EQ(Load(OneElement({{"ctrlBackcolor1", ";;"},
                             {"ctrlPos1", ";"},
                             {"ctrlSize1", "10;-1"},
                             {"ctrlTextIdle1", "a;;;;;;;-1;50;1"},
                             {"ctrlPicIdle1", "-3;0;0;-1"}})),
            "wndMain.cmdPlay");
  EXPECT_TRUE(logs.empty()) << AllLogs();
  const SkinElement& e = model.Element(1);
  EXPECT_EQ(e.BackColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(e.SizeH, -1);
  EXPECT_EQ(e.TextW[Idle], -1);
  EXPECT_EQ(e.PicIndex[Idle], -3);
  EXPECT_EQ(e.PicW[Idle], -1);
  EXPECT_EQ(e.PicH[Idle], 100);
}

TEST(SkinLoaderPathTest, SkinNameAndPicturePath) {
  struct Case {
    const char* skin;
    const char* picture;
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"/opt/tavizo/skins/default.tvs", "play.png", "default",
       "/opt/tavizo/skins/default/play.png"},
      {"/a.b/skins/my.skin.tvs", "x\\y.png", "my.skin", "/a.b/skins/my.skin/x/y.png"},
      {"C:\\skins\\old.tvs", "p.bmp", "old", "C:\\skins\\old/p.bmp"},
      {"plain", "p.png", "plain", "plain/p.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.skin);
    EXPECT_EQ(SkinNameOf(c.skin), c.name);
    EXPECT_EQ(SkinPicturePath(c.skin, c.picture), c.path);
  }
}

}  // namespace

namespace {

// A loader that may run on several threads: each picture is as wide as the
// number in its file name, so the order of the results can be checked.
class ThreadSafePictureLoader final : public PictureLoader {
 public:
  std::shared_ptr<SkinPicture> Load(const std::string& file) override {
    ++loads;
    const std::string name = file.substr(file.find_last_of('/') + 1);
    if (name == missing) {
      ++missingLoads;
      return nullptr;
    }
    auto picture = std::make_shared<SkinPicture>();
    picture->width = std::stoi(name);
    picture->height = 1;
    picture->pixels.assign(static_cast<size_t>(picture->width), 0xFF000000u);
    return picture;
  }
  bool IsThreadSafe() const override { return true; }
  std::string missing;
  std::atomic<int> missingLoads{0};
  std::atomic<int> loads{0};
};

TEST(SkinLoaderParallelTest, PicturesDecodedOnSeveralThreadsKeepTheirOrderAndFailures) {
  for (const std::string missing : {"", "7.png"}) {
    SCOPED_TRACE(missing.empty() ? "all there" : "the seventh missing");
    TempFolder folder;
    std::string text = "\"noPics\",\"12\"\r\n";
    for (int n = 1; n <= 12; ++n) {
      text += "\"pic" + std::to_string(n) + "\",\"" + std::to_string(n) + ".png\"\r\n";
    }
    text +=
        "\"noCtrls\",\"1\"\r\n\"ctrlName1\",\"a\"\r\n\"ctrlWindow1\",\"w\"\r\n"
        "\"startCtrl\",\"w.a\"\r\n";
    folder.Write("test.tvs", text);
    ThreadSafePictureLoader loader;
    loader.missing = missing;
    SkinModel model;
    const LogSink previous = SetLogSink([](const std::string&) {});
    const std::string start = DX_LoadSkin(folder.File("test.tvs"), model, loader);
    SetLogSink(previous);
    const int loaded = missing.empty() ? 12 : 6;
    EXPECT_EQ(start, missing.empty() ? "w.a" : "");
    EXPECT_EQ(loader.missingLoads, missing.empty() ? 0 : 1) << "a failing picture is read once";
    // After the failure no picture is started: at most those already under way finish.
    if (!missing.empty()) {
      EXPECT_LT(loader.loads, 11);
    }
    for (int n = 1; n <= 12; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(model.SkinPictureDescs[n].width, n <= loaded ? n : 0);
      EXPECT_EQ(model.SkinPictures[n] != nullptr, n <= loaded);
    }
  }
}

}  // namespace
