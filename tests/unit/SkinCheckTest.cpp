#include "skin/SkinCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Log.h"
#include "support/PictureHeaders.h"
#include "support/TempFolder.h"

namespace {

// Reads every picture except those whose path ends in "/bad.png".
class FakePictureLoader final : public PictureLoader {
 public:
  std::shared_ptr<SkinPicture> Load(const std::string& file) override {
    if (file.ends_with("/bad.png")) {
      WriteLog("cannot decode " + file);
      return nullptr;
    }
    auto picture = std::make_shared<SkinPicture>();
    picture->width = 1;
    picture->height = 1;
    picture->pixels = {0xFF000000u};
    return picture;
  }
};

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

TEST_F(SkinCheckTest, ASoundSkinPassesEvenWhenEveryCommandIsRequired) {
  const std::vector<SkinProblem> problems =
      Check(SoundSkin(), SkinCheckOptions{CommandCoverage::Required});
  EXPECT_TRUE(problems.empty()) << Listed(problems);
}

TEST_F(SkinCheckTest, FindsEachFault) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> changes;  // an empty value removes the key
    const char* message;
  };
  const Case cases[] = {
      {"missing picture", {{"pic1", "gone.png"}}, "pic1: file 'gone.png' not found"},
      {"empty picture entry", {{"noPics", "2"}}, "pic2 is empty"},
      {"unreadable picture", {{"pic1", "bad.png"}}, "pic1: file 'bad.png' cannot be read: cannot"},
      {"huge picture", {{"pic1", "huge.png"}}, "pic1: pic no. 1 is too large ('huge.png', 20000"},
      {"picture outside the skin's folder",
       {{"pic1", "../skin/button.png"}},
       "pic1: pic no. 1 ('../skin/button.png') lies outside the skin's folder"},
      {"picture beyond the count",
       {{"ctrlPicIdle2", "2"}},
       "ctrlPicIdle2 field 1 is not a picture of the skin: '2'"},
      {"unknown neighbour",
       {{"ctrlMove1", "wndMain.nothing"}},
       "wndMain.start north entry 'wndMain.nothing' names no element and no command"},
      {"neighbour in the wrong case",
       {{"ctrlMove1", "wndmain.cmd0"}},
       "names no element and no command (letter case matters: wndMain.cmd0?)"},
      {"unknown command",
       {{"ctrlMove1", ";wndMain.cmd0;;;*.cmdDance"}},
       "wndMain.start pressed entry '*.cmdDance' names no command"},
      {"command without the dot",
       {{"ctrlMove1", ";wndMain.cmd0;;;*cmdPlay"}},
       "pressed entry '*cmdPlay' names no command"},
      {"unknown navigation",
       {{"ctrlMove1", ";wndMain.cmd0;;;!.elemJump"}},
       "pressed entry '!.elemJump' names no navigation"},
      {"navigation as a neighbour",
       {{"ctrlMove1", "!.elemMoveS;wndMain.cmd0"}},
       "north entry '!.elemMoveS': a navigation works only as the pressed entry"},
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
      {"size not a number",
       {{"ctrlSize2", "10;tall"}},
       "ctrlSize2 field 2 is not a number: 'tall'"},
      {"colour out of range",
       {{"ctrlBackcolor2", "0;0;256"}},
       "ctrlBackcolor2 field 3 is not a colour component: '256'"},
      {"count not a number", {{"noCtrls", "thirty"}}, "noCtrls is not a count: 'thirty'"},
  };
  for (const Case& c : cases) {
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

TEST_F(SkinCheckTest, GeometryFarOutsideTheWindowAndUndrawableLineCountsWarn) {
  struct Case {
    std::map<std::string, std::string> changes;
    const char* message;  // nullptr: no warning
  };
  const Case cases[] = {
      {{{"ctrlPos2", "0;-1e12"}},
       "ctrlPos2 field 2 (-1000000000000 %) lies far outside -1000..1000 %"},
      {{{"ctrlSize2", "100000;-1"}}, "ctrlSize2 field 1 (100000 %) lies far outside"},
      {{{"ctrlTextIdle2", "a;Arial;0;0;0;0;0;100000"}}, "ctrlTextIdle2 field 8 (100000 %) lies"},
      {{{"ctrlPicSelected2", "1;-1000.5"}}, "ctrlPicSelected2 field 2 (-1000.5 %) lies"},
      {{{"ctrlTextIdle2", "a;;;;;;;;;5000"}},
       "ctrlTextIdle2 field 10: 5000 lines cannot be drawn; a line would be less than a pixel"},
      {{{"ctrlSize2", "1;1"}, {"ctrlTextIdle2", "a;;;;;;;;;44"}}, "44 lines cannot be drawn"},
      {{{"ctrlPos2", "-1000;1000"}, {"ctrlSize2", "-1;1000"}, {"ctrlPicIdle2", "1;-1;-1;-1;50"}},
       nullptr},
      {{{"ctrlSize2", "1;1"}, {"ctrlTextIdle2", "a;;;;;;;;;43"}}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message ? c.message : "no warning");
    std::map<std::string, std::string> skin = SoundSkin();
    for (const auto& [key, value] : c.changes) skin[key] = value;
    const std::vector<SkinProblem> problems = Check(skin);
    EXPECT_FALSE(HasFault(problems)) << Listed(problems);
    if (c.message) {
      EXPECT_TRUE(Has(problems, SkinProblemSeverity::Warning, c.message)) << Listed(problems);
    } else {
      EXPECT_TRUE(problems.empty()) << Listed(problems);
    }
  }
}

TEST_F(SkinCheckTest, AnUnreadableSkinFileIsAFault) {
  const std::vector<SkinProblem> missing = CheckSkin(folder.File("none.tvs"), pictures);
  EXPECT_TRUE(Has(missing, SkinProblemSeverity::Fault, "the file is missing")) << Listed(missing);
  folder.Write("broken.tvs", "\"noCtrls\",#maybe#\r\n");
  const std::vector<SkinProblem> broken = CheckSkin(folder.File("broken.tvs"), pictures);
  EXPECT_TRUE(Has(broken, SkinProblemSeverity::Fault, "LoadHashError")) << Listed(broken);
}

TEST_F(SkinCheckTest, UnusedCommandsWarnUnlessEveryCommandIsRequired) {
  std::map<std::string, std::string> skin = SoundSkin();
  skin["ctrlMove3"] = ";wndMain.cmd2;;wndMain.cmd0;";  // cmd1 ran cmdFormMinMax
  const std::vector<SkinProblem> relaxed = Check(skin);
  EXPECT_FALSE(HasFault(relaxed)) << Listed(relaxed);
  EXPECT_TRUE(
      Has(relaxed, SkinProblemSeverity::Warning, "no element uses the command *.cmdFormMinMax"))
      << Listed(relaxed);
  EXPECT_EQ(relaxed.size(), 1u) << Listed(relaxed);

  const std::vector<SkinProblem> strict = Check(skin, SkinCheckOptions{CommandCoverage::Required});
  EXPECT_TRUE(Has(strict, SkinProblemSeverity::Fault, "*.cmdFormMinMax")) << Listed(strict);
}

TEST_F(SkinCheckTest, CommandsCountInAnyEntryAndIgnoreLetterCase) {
  std::map<std::string, std::string> skin = SoundSkin();
  // cmd1 no longer presses cmdFormMinMax; the start element's south key does.
  skin["ctrlMove3"] = ";wndMain.cmd2;;wndMain.cmd0;";
  skin["ctrlMove1"] = ";wndMain.cmd0;*.CMDFORMMINMAX;;wndOptions.first";
  const std::vector<SkinProblem> problems =
      Check(skin, SkinCheckOptions{CommandCoverage::Required});
  EXPECT_TRUE(problems.empty()) << Listed(problems);
}

TEST_F(SkinCheckTest, ElementsBeyondThePointersReachOnlyWarn) {
  std::map<std::string, std::string> skin = SoundSkin();
  const int32_t count = std::stoi(skin["noCtrls"]);
  for (int32_t n = count + 1; n <= 300; ++n) {
    skin["ctrlName" + std::to_string(n)] = "mskDecoration" + std::to_string(n);
    skin["ctrlWindow" + std::to_string(n)] = "wndMain";
  }
  skin["noCtrls"] = "300";
  const std::vector<SkinProblem> problems = Check(skin);
  EXPECT_FALSE(HasFault(problems)) << Listed(problems);
  EXPECT_TRUE(Has(problems, SkinProblemSeverity::Warning, "elements 256 to 300 are never hit"))
      << Listed(problems);
}

TEST_F(SkinCheckTest, PointlessPressedEntriesWarn) {
  std::map<std::string, std::string> skin = SoundSkin();
  skin["ctrlMove36"] = ";;;wndOptions.first;wndOptions.first";
  const std::vector<SkinProblem> ownWindow = Check(skin);
  EXPECT_FALSE(HasFault(ownWindow)) << Listed(ownWindow);
  EXPECT_TRUE(Has(ownWindow, SkinProblemSeverity::Warning, "of its own window"))
      << Listed(ownWindow);

  skin["ctrlMove36"] = ";;;wndOptions.first;!.elemMovePressed";
  const std::vector<SkinProblem> loop = Check(skin);
  EXPECT_TRUE(Has(loop, SkinProblemSeverity::Warning, "runs itself again")) << Listed(loop);
}

}  // namespace
