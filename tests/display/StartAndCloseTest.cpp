// The real program under Xvfb: how it starts, what it writes when it closes,
// portable beside its skins and installed into a prefix.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "base/ErrorMessageBox.h"
#include "platform/SdlUiLoop.h"
#include "platform/TavizoProgram.h"
#include "program/frmMain.h"
#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

namespace {

const char* const kSettingKeys[] = {
    "gPlaylistName",   "gIsFormFullScreen",  "gIsMonitorAnamorph", "gAspectRatioMode",
    "gPlayMode",       "gAlwaysOnTop",       "gOSDTime",           "gIsMediaMute",
    "gMediaVolume",    "gFormLastLeft",      "gFormLastTop",       "gFormLastWidth",
    "gFormLastHeight", "gActionFirstRepeat", "gActionNextRepeat",  "gForceVideoForeground",
    "gSkinFilename",
};

TEST(StartAndCloseTest, ClosingWritesAllSeventeenSettingsAndKeepsTheStoredOnes) {
  TempFolder folder;
  ProgramUnderTest program(folder.Path());
  folder.Write("Tavizo.ini", "\"gOSDTime\",5000\r\n");
  // A garbled pair in the middle: the bindings after it must not be lost.
  const std::string keys =
      "\"key.112.0\",\"*.cmdPlay\"\r\n\"key.40.0\",#yes#\r\n\"key.113.0\",\"*.cmdStop\"\r\n";
  folder.Write("Tavizo.keys", keys);
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << program.Log();
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
  EXPECT_EQ(folder.Read("Tavizo.keys.bad"), keys);
  EXPECT_NE(program.Log().find(folder.File("Tavizo.keys") + " could not be read to its end; " +
                               "it is kept as " + folder.File("Tavizo.keys.bad")),
            std::string::npos)
      << program.Log();
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.112.0\",\"*.cmdPlay\""), std::string::npos);

  const std::string settings = folder.Read("Tavizo.ini");
  size_t position = 0;
  for (const char* key : kSettingKeys) {
    SCOPED_TRACE(key);
    const size_t found = settings.find(std::string("\"") + key + "\",", position);
    ASSERT_NE(found, std::string::npos) << settings;
    position = found;
  }
  EXPECT_NE(settings.find("\"gOSDTime\",5000\r\n"), std::string::npos);
  EXPECT_NE(settings.find("\"gSkinFilename\",\"default\"\r\n"), std::string::npos);
  EXPECT_TRUE(std::regex_search(settings, std::regex("\"gFormLastWidth\",[0-9]+\r\n")));
  // The key bindings were completed with the defaults and written too.
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.38.0\",\"!.elemMoveN\""), std::string::npos);
}

TEST(StartAndCloseTest, TheFirstStartCreatesBothFilesAndWritesThemInFullAtExit) {
  TempFolder folder;
  ProgramUnderTest program(folder.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << program.Log();
  // Both files exist, still empty, while the program runs.
  EXPECT_TRUE(std::filesystem::exists(folder.File("Tavizo.ini")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("Tavizo.keys")));
  EXPECT_EQ(folder.Read("Tavizo.ini"), "");
  EXPECT_EQ(folder.Read("Tavizo.keys"), "");

  // The start window is on screen: 800 x 600 at first, drawn from the skin,
  // with the start element (a tile left of the middle) in its focused colours.
  ProgramUnderTest::WindowInfo main;
  for (int attempt = 0; attempt < 50 && main.width == 0; ++attempt) {
    for (const ProgramUnderTest::WindowInfo& window : program.Windows()) {
      if (window.id == program.Window()) main = window;
    }
    SleepMs(100);
  }
  EXPECT_EQ(main.width, 800);
  EXPECT_EQ(main.height, 600);
  SleepMs(500);
  EXPECT_TRUE(TakeScreenshot(folder.File("start.png")));
  int drawn = 0;
  for (int y = 50; y < 600; y += 50) {
    for (int x = 50; x < 800; x += 50) {
      if (ScreenPixel(main.x + x, main.y + y) != 0) ++drawn;
    }
  }
  EXPECT_GT(drawn, 100) << "the window looks empty";
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
  EXPECT_NE(folder.Read("Tavizo.ini").find("\"gMediaVolume\",-2500"), std::string::npos);
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.13.4\",\"!.elemConfigInput\""),
            std::string::npos);
}

bool MediaLibraryLoaded() {
  void* library = dlopen("libmpv.so.2", RTLD_LAZY | RTLD_NOLOAD);
  if (library) dlclose(library);
  return library != nullptr;
}

// libmpv is loaded on a thread of its own, once the start window is drawn.
TEST(StartAndCloseTest, TheMediaLibraryIsLoadedOnlyOnceTheStartWindowIsOnTheScreen) {
  ASSERT_FALSE(MediaLibraryLoaded());
  TempFolder folder;
  std::filesystem::copy(std::filesystem::path(TAVIZO_EXECUTABLE).parent_path() / "skins",
                        folder.File("skins"), std::filesystem::copy_options::recursive);
  struct : ErrorMessageBox {
    void ShowError(const std::string&, const std::string&) override {}
  } noMessageBox;
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(folder.Path(), &noMessageBox);
  ASSERT_TRUE(program && program->Form().Load());
  EXPECT_FALSE(MediaLibraryLoaded());
  for (int waited = 0; waited < 10000 && !MediaLibraryLoaded(); waited += 20) {
    program->Loop().PumpPendingEvents();
    SleepMs(20);
  }
  EXPECT_TRUE(MediaLibraryLoaded());
  program->Form().Unload();
}

// One install into a temporary prefix serves every test below.
class InstalledProgramTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    sRoot = new TempFolder();
    const std::string build = std::filesystem::path(TAVIZO_EXECUTABLE).parent_path().string();
    sInstallLog = RunCommand("cmake --install '" + build + "' --prefix '" + Prefix() + "' 2>&1");
  }
  static void TearDownTestSuite() {
    delete sRoot;
    sRoot = nullptr;
  }
  static std::string Prefix() { return sRoot->File("prefix"); }
  static std::string Installed(const std::string& name) { return Prefix() + "/" + name; }

  static TempFolder* sRoot;
  static std::string sInstallLog;
};
TempFolder* InstalledProgramTest::sRoot = nullptr;
std::string InstalledProgramTest::sInstallLog;

TEST_F(InstalledProgramTest, KeepsItsSettingsInTheConfigFolderAndFindsTheSkinUnderThePrefix) {
  TempFolder user;
  user.Write("home/Films/clip.txt", "");
  user.Write("config/user-dirs.dirs", "XDG_VIDEOS_DIR=\"$HOME/Films\"\n");
  std::filesystem::create_directories(user.File("data-dirs"));
  ProgramUnderTest program(
      user.File("run"), Installed("bin/tavizo"),
      {"HOME=" + user.File("home"), "XDG_CONFIG_HOME=" + user.File("config"),
       "XDG_DATA_HOME=relative/data", "XDG_DATA_DIRS=" + user.File("data-dirs")},
      {"--start-fullscreen"});
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << sInstallLog << program.Log();
  const std::string log = program.Log();
  EXPECT_NE(
      log.find("Tavizo runs installed: settings and key bindings in " + user.File("config/tavizo") +
               "; skins from " + user.File("home/.local/share/tavizo/skins") + ", " +
               user.File("data-dirs/tavizo/skins") + ", " + Installed("share/tavizo/skins") +
               "; play list from " + user.File("home/Films") + "\n"),
      std::string::npos)
      << log;
  EXPECT_NE(log.find("XDG_DATA_HOME is not an absolute path ('relative/data')"), std::string::npos);
  EXPECT_NE(log.find("the command-line argument '--start-fullscreen' is ignored"),
            std::string::npos);
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();

  EXPECT_NE(user.Read("config/tavizo/Tavizo.ini")
                .find("\"gPlaylistName\",\"" + user.File("home/Films/") + "\"\r\n"),
            std::string::npos)
      << user.Read("config/tavizo/Tavizo.ini");
  EXPECT_NE(user.Read("config/tavizo/Tavizo.keys").find("\"key.38.0\",\"!.elemMoveN\""),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Installed("bin/Tavizo.ini")));
}

TEST_F(InstalledProgramTest, ASettingsFolderThatCannotBeCreatedLeavesTheDefaultsAndSavesNothing) {
  TempFolder user;
  user.Write("blocker", "a file where the config folder should be");
  ProgramUnderTest program(
      user.File("run"), Installed("bin/tavizo"),
      {"HOME=" + user.File("home"), "XDG_CONFIG_HOME=" + user.File("blocker")});
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << sInstallLog << program.Log();
  EXPECT_NE(program.Log().find("cannot create the settings folder " + user.File("blocker/tavizo")),
            std::string::npos)
      << program.Log();
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
  EXPECT_NE(program.Log().find("the settings and key bindings were not saved"), std::string::npos)
      << program.Log();
  EXPECT_EQ(user.Read("blocker"), "a file where the config folder should be");
}

TEST_F(InstalledProgramTest, AnswersVersionAndHelpAndItsDesktopFilesPassTheValidators) {
  EXPECT_EQ(RunCommand("'" + Installed("bin/tavizo") + "' --version").rfind("Tavizo ", 0), 0u)
      << sInstallLog;
  EXPECT_NE(RunCommand("'" + Installed("bin/tavizo") + "' --help").find("Usage: tavizo"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Installed("bin/tavizo-skincheck")));
  EXPECT_NE(sRoot->Read("prefix/share/icons/hicolor/scalable/apps/tavizo.svg").find("<svg"),
            std::string::npos);
  // Each validator prints its findings and the exit status last.
  const std::string desktop =
      RunCommand("desktop-file-validate '" + Installed("share/applications/tavizo.desktop") +
                 "' 2>&1; echo status $?");
  EXPECT_EQ(desktop, "status 0\n");
  const std::string metainfo =
      RunCommand("appstreamcli validate --no-net '" + Installed("share/metainfo/") +
                 "org.tavizo.tavizo.metainfo.xml' 2>&1; echo status $?");
  EXPECT_NE(metainfo.find("status 0\n"), std::string::npos) << metainfo;
  EXPECT_EQ(metainfo.find("W:"), std::string::npos) << metainfo;
}

}  // namespace
