// The skin: the loader reads every field and refuses what cannot belong to a
// skin, elements are found by name and placed in pixels, and the checker finds
// each fault (and none in the default skin).

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/Log.h"
#include "skin/SkinCheck.h"
#include "skin/SkinLoader.h"
#include "skin/SkinModel.h"
#include "support/FakeLog.h"
#include "support/PictureHeaders.h"
#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

namespace {

// A picture whose path ends in "/bad.png" cannot be decoded; those ending in
// ".huge" claim 10000 x 10000 pixels (without holding them); every other one
// is 10 + n by 20 pixels, n counting the loads.
class FakePictureLoader final : public PictureLoader {
 public:
  std::shared_ptr<SkinPicture> Load(const std::string& file) override {
    loaded.push_back(file);
    if (file.ends_with("/bad.png")) {
      WriteLog("cannot decode " + file);
      return nullptr;
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

  std::vector<std::string> loaded;
};

class SkinLoaderTest : public ::testing::Test {
 protected:
  std::string SkinPath() const { return folder.File("test.tvs"); }

  // Writes the pairs as the skin file "test.tvs" and loads it.
  std::string Load(const std::string& pairs, PictureDecoding decoding = PictureDecoding::All) {
    folder.Write("test.tvs", "' a skin written by the test\r\n" + pairs);
    log.Clear();
    return DX_LoadSkin(SkinPath(), model, pictures, decoding);
  }

  std::string AllLogs() const { return log.All(); }

  TempFolder folder;
  FakePictureLoader pictures;
  SkinModel model;
  FakeLog log;
};

// One element named wndMain.cmdPlay plus the pairs of the case.
std::string OneElement(const std::string& pairs) {
  return R"("noCtrls","1" "ctrlName1","cmdPlay" "ctrlWindow1","wndMain")"
         "\r\n\"startCtrl\",\"wndMain.cmdPlay\"\r\n" +
         pairs;
}

// The start window's pictures are decoded with the skin; the others, whose
// headers give their sizes, when first drawn or when the rest is asked for.
TEST_F(SkinLoaderTest, PicturesTheStartWindowDoesNotShowAreDecodedLater) {
  folder.Write("test/shown.png", picture_headers::Png(3, 4));
  folder.Write("test/other.png", picture_headers::Png(5, 6));
  folder.Write("test/spare.png", picture_headers::Png(7, 8));
  ASSERT_EQ(Load(R"("noPics","4" "pic1","shown.png" "pic2","other.png" "pic3","spare.png")"
                 R"( "pic4","no_header.png" "noCtrls","2" "startCtrl","wndMain.a")"
                 R"( "ctrlName1","a" "ctrlWindow1","wndMain" "ctrlPicSelected1","1")"
                 R"( "ctrlName2","b" "ctrlWindow2","wndOther" "ctrlPicIdle2","2")",
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

TEST_F(SkinLoaderTest, ReadsEveryFieldTrimmedWithItsDefaultsWithinAnEntry) {
  ASSERT_EQ(Load(OneElement(
                R"("noPics","2" "pic1","a.png" "pic2","b.png" "ctrlPos1"," 10 ; 20.5 ")"
                R"( "ctrlSize1","-1;30" "ctrlBackcolor1","255; 128 ;0")"
                R"( "ctrlInfoText1","  plays the file  ")"
                " \"ctrlTextIdle1\",\"Play\xC2\xA7now;Arial;255;255;255\""
                R"( "ctrlTextSelected1","  two words  ; Tahoma ;1;2;3;5;-1;0;40;2.5")"
                " \"ctrlTextPressed1\",\"x;;;;;;;;;3.5\" \"ctrlTextDisabled1\",\"  end\xC2\xA7 \""
                R"( "ctrlPicIdle1","2" "ctrlPicSelected1","1;-1;-1;50;-1" "ctrlPicPressed1","0;5")"
                R"( "ctrlMove1"," wndMain.a ; *.cmdPlay ;;  ; !.elemMoveN ; ignored")")),
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

// A picture that would take gigabytes, or that lies outside the skin's
// folder, fails the skin before anything is decoded.
TEST_F(SkinLoaderTest, PicturesThatCannotBelongToTheSkinFailItBeforeDecoding) {
  namespace headers = picture_headers;
  const struct {
    const char* file;
    std::string bytes;
    const char* log;  // nullptr: the picture loads
    bool decoded;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    folder.Write("test/one.png", headers::Png(1, 1));
    folder.Write("test/sub/dummy", "");
    if (!std::string_view(c.file).starts_with("/"))
      folder.Write("test/" + std::string(c.file), c.bytes);
    pictures.loaded.clear();
    const std::string start = Load(OneElement(R"("noPics","3" "pic1","one.png" "pic3","one.png")"
                                              " \"pic2\",\"" +
                                              std::string(c.file) + "\""));
    if (!c.log) {
      EXPECT_EQ(start, "wndMain.cmdPlay") << AllLogs();
      EXPECT_EQ(pictures.loaded.size(), 3u);
      continue;
    }
    EXPECT_EQ(start, "");
    ASSERT_EQ(log.Messages().size(), 1u) << AllLogs();
    EXPECT_TRUE(log.Messages()[0].starts_with(std::string("DX_LoadSkin !ERROR! - ") + c.log))
        << log.Messages()[0];
    // The first picture is read, the third never; the second only when its size is not known
    // beforehand.
    EXPECT_EQ(pictures.loaded.size(), c.decoded ? 2u : 1u);
  }
}

// A picture n.png is n pixels wide; the one named missing cannot be read.
class ThreadSafePictureLoader final : public PictureLoader {
 public:
  std::shared_ptr<SkinPicture> Load(const std::string& file) override {
    ++loads;
    const std::string name = file.substr(file.find_last_of('/') + 1);
    if (name == missing) {
      ++missingLoads;
      return nullptr;
    }
    // A picture takes a while, as a real one does, so a failure is seen
    // before the other threads could race through the rest.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
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
    folder.Write("test.tvs", text +
                                 "\"noCtrls\",\"1\"\r\n\"ctrlName1\",\"a\"\r\n"
                                 "\"ctrlWindow1\",\"w\"\r\n\"startCtrl\",\"w.a\"\r\n");
    ThreadSafePictureLoader loader;
    loader.missing = missing;
    SkinModel model;
    FakeLog log;
    const std::string start = DX_LoadSkin(folder.File("test.tvs"), model, loader);
    const int loaded = missing.empty() ? 12 : 6;
    EXPECT_EQ(start, missing.empty() ? "w.a" : "");
    EXPECT_EQ(loader.missingLoads, missing.empty() ? 0 : 1) << "a failing picture is read once";
    // After the failure no picture is started: at most those already under way finish.
    EXPECT_TRUE(missing.empty() || loader.loads < 11) << loader.loads;
    for (int n = 1; n <= 12; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(model.SkinPictureDescs[n].width, n <= loaded ? n : 0);
      EXPECT_EQ(model.SkinPictures[n] != nullptr, n <= loaded);
    }
  }
}

TEST(SkinModelTest, PercentRectToPixelsScalesCentresAndSquaresFreeSides) {
  // A drawing area of 800 x 600.
  const struct {
    const char* what;
    double x, y, w, h;      // percent
    double px, py, pw, ph;  // pixels
  } cases[] = {
      {"plain", 10, 20, 50, 25, 80, 120, 400, 150},
      {"centred", -1, -1, 50, 50, 200, 150, 400, 300},
      {"whole area", 0, 0, 100, 100, 0, 0, 800, 600},
      {"width from height", 0, 0, -1, 10, 0, 0, 60, 60},
      {"height from width", 0, 0, 10, -1, 0, 0, 80, 80},
      {"square centred", -1, -1, -1, 50, 250, 150, 300, 300},
      {"both free", -1, -1, -1, -1, 400, 300, 0, 0},
      {"fractions stay", 0.5, 0, 33.3, 0, 4, 0, 266.4, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    double x = c.x, y = c.y, w = c.w, h = c.h;
    PercentRectToPixels(800, 600, x, y, w, h);
    EXPECT_DOUBLE_EQ(x, c.px);
    EXPECT_DOUBLE_EQ(y, c.py);
    EXPECT_DOUBLE_EQ(w, c.pw);
    EXPECT_DOUBLE_EQ(h, c.ph);
  }
}

// A sound skin: in wndMain a start element (1) and one element per command in
// a row (2 to 34, linked east and west); pressing the start element switches
// to wndOptions (35, 36); the remote panel (37, 38) opens on its start button.
std::map<std::string, std::string> SoundSkin() {
  std::map<std::string, std::string> skin;
  int32_t count = 0;
  const auto add = [&](const std::string& window, const std::string& name,
                       const std::string& moves) {
    const std::string n = std::to_string(++count);
    skin["ctrlName" + n] = name;
    skin["ctrlWindow" + n] = window;
    skin["ctrlMove" + n] = moves;
    skin["ctrlPicIdle" + n] = "1";
  };
  add("wndMain", "start", ";wndMain.cmd0;;;wndOptions.first");
  for (size_t c = 0; c < kCommandNames.size(); ++c) {
    const std::string west = c == 0 ? "wndMain.start" : "wndMain.cmd" + std::to_string(c - 1);
    const std::string east =
        c + 1 < kCommandNames.size() ? "wndMain.cmd" + std::to_string(c + 1) : "";
    add("wndMain", "cmd" + std::to_string(c),
        ";" + east + ";;" + west + ";*." + std::string(kCommandNames[c]));
  }
  add("wndOptions", "first", ";wndOptions.second;;;!.elemMoveE");
  add("wndOptions", "second", ";;;wndOptions.first;wndMain.start");
  add("wndRemote", "cmdStartButton", ";wndRemote.cmdStop;;;");
  add("wndRemote", "cmdStop", ";;;wndRemote.cmdStartButton;*.cmdStop");
  skin["noCtrls"] = std::to_string(count);
  skin["noPics"] = "1";
  skin["pic1"] = "button.png";
  skin["startCtrl"] = "wndMain.start";
  return skin;
}

class SkinCheckTest : public ::testing::Test {
 protected:
  SkinCheckTest() {
    previousSink = SetLogSink([](const std::string&) {});
    folder.Write("skin/button.png", "made by the test");
    folder.Write("skin/bad.png", "not a picture");
    folder.Write("skin/huge.png", picture_headers::Png(20000, 20000));
  }
  ~SkinCheckTest() override { SetLogSink(std::move(previousSink)); }

  std::vector<SkinProblem> Check(const std::map<std::string, std::string>& skin,
                                 const SkinCheckOptions& options = {}) {
    std::string text;
    for (const auto& [key, value] : skin) text += "\"" + key + "\",\"" + value + "\"\r\n";
    folder.Write("skin.tvs", text);
    return CheckSkin(folder.File("skin.tvs"), pictures, options);
  }

  static std::string Listed(const std::vector<SkinProblem>& problems) {
    std::string all;
    for (const SkinProblem& problem : problems) {
      all += (problem.severity == SkinProblemSeverity::Fault ? "fault: " : "warning: ") +
             problem.message + "\n";
    }
    return all;
  }

  static bool Has(const std::vector<SkinProblem>& problems, SkinProblemSeverity severity,
                  const std::string& part) {
    for (const SkinProblem& problem : problems) {
      if (problem.severity == severity && problem.message.find(part) != std::string::npos) {
        return true;
      }
    }
    return false;
  }

  TempFolder folder;
  FakePictureLoader pictures;
  LogSink previousSink;
};

TEST_F(SkinCheckTest, FindsEachFault) {
  const struct {
    const char* what;
    std::map<std::string, std::string> changes;  // an empty value removes the key
    const char* message;
  } cases[] = {
      {"missing picture", {{"pic1", "gone.png"}}, "pic1: file 'gone.png' not found"},
      {"unreadable picture", {{"pic1", "bad.png"}}, "pic1: file 'bad.png' cannot be read: cannot"},
      {"picture outside the skin's folder",
       {{"pic1", "../skin/button.png"}},
       "pic1: pic no. 1 ('../skin/button.png') lies outside the skin's folder"},
      {"picture beyond the count",
       {{"ctrlPicIdle2", "2"}},
       "ctrlPicIdle2 field 1 is not a picture of the skin: '2'"},
      {"unknown neighbour",
       {{"ctrlMove1", "wndMain.nothing"}},
       "wndMain.start north entry 'wndMain.nothing' names no element and no command"},
      {"unknown command",
       {{"ctrlMove1", ";wndMain.cmd0;;;*.cmdDance"}},
       "wndMain.start pressed entry '*.cmdDance' names no command"},
      {"unknown navigation",
       {{"ctrlMove1", ";wndMain.cmd0;;;!.elemJump"}},
       "pressed entry '!.elemJump' names no navigation"},
      {"unreachable element",
       {{"ctrlMove1", ";;;;wndOptions.first"}},
       "wndMain.cmd0 has a pressed action, but the direction keys never reach it from the start "
       "element wndMain.start"},
      {"unreachable remote button",
       {{"ctrlMove37", ""}},
       "wndRemote.cmdStop has a pressed action, but the direction keys never reach it from "
       "wndRemote.cmdStartButton"},
      {"no start element", {{"startCtrl", ""}}, "the skin names no start element"},
      {"unknown start element",
       {{"startCtrl", "wndMain.Start"}},
       "startCtrl 'wndMain.Start' names no element (letter case matters: wndMain.start?)"},
      {"duplicate names", {{"ctrlName3", "cmd0"}}, "elements 2 and 3 are both named wndMain.cmd0"},
      {"position not a number",
       {{"ctrlPos2", "left;0"}},
       "ctrlPos2 field 1 is not a number: 'left'"},
      {"count not a number", {{"noCtrls", "thirty"}}, "noCtrls is not a count: 'thirty'"},
      {"colour out of range",
       {{"ctrlBackcolor2", "0;300;0"}},
       "ctrlBackcolor2 field 2 is not a colour component: '300'"},
      {"line count below 0",
       {{"ctrlTextIdle2", "a;;;;;;;;;-2"}},
       "ctrlTextIdle2 field 10 is not a line count: '-2'"},
      {"width and height both free", {{"ctrlSize2", "-1;-1"}}, "has a width and a height of -1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::map<std::string, std::string> skin = SoundSkin();
    for (const auto& [key, value] : c.changes) {
      if (value.empty())
        skin.erase(key);
      else
        skin[key] = value;
    }
    const std::vector<SkinProblem> problems = Check(skin);
    EXPECT_TRUE(HasFault(problems));
    EXPECT_TRUE(Has(problems, SkinProblemSeverity::Fault, c.message)) << Listed(problems);
  }
}

// Geometry far outside the window and text lines under a pixel high only warn.
TEST_F(SkinCheckTest, FarGeometryAndUndrawableLineCountsWarn) {
  const struct {
    std::map<std::string, std::string> changes;
    const char* message;  // nullptr: no warning
  } cases[] = {
      {{{"ctrlPos2", "0;-1e12"}}, "ctrlPos2 field 2 (-1000000000000 %) lies far outside"},
      // A 1 % box on a 4320-pixel screen is 43.2 pixels: 43 lines fit, 44 do not.
      {{{"ctrlSize2", "1;1"}, {"ctrlTextIdle2", "a;;;;;;;;;44"}}, "44 lines cannot be drawn"},
      {{{"ctrlSize2", "1;1"}, {"ctrlTextIdle2", "a;;;;;;;;;43"}}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message ? c.message : "no warning");
    std::map<std::string, std::string> skin = SoundSkin();
    for (const auto& [key, value] : c.changes) skin[key] = value;
    const std::vector<SkinProblem> problems = Check(skin);
    EXPECT_FALSE(HasFault(problems)) << Listed(problems);
    EXPECT_EQ(problems.empty(), c.message == nullptr) << Listed(problems);
    if (c.message) {
      EXPECT_TRUE(Has(problems, SkinProblemSeverity::Warning, c.message));
    }
  }
}

TEST(DefaultSkinTest, PassesTheSkinCheckerWithEveryCommandUsed) {
  const std::string command = std::string(TAVIZO_SKINCHECK) + " --require-all-commands " +
                              TAVIZO_SOURCE_DIR + "/skins/default.tvs";
  const std::string output = RunCommand(command + " 2>&1");
  EXPECT_NE(output.find("OK"), std::string::npos) << output;
  EXPECT_EQ(output.find("fault"), std::string::npos) << output;
  EXPECT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0);
}

}  // namespace
