// The real program installed into a prefix: where it keeps its settings and
// finds its skins and films.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/SdlUiLoop.h"
#include "platform/TavizoProgram.h"
#include "program/frmMain.h"
#include "support/FakeLog.h"
#include "support/ProgramUnderTest.h"
#include "support/QuietServices.h"
#include "support/TempFolder.h"

namespace {

bool Loaded(const char* name) {
  void* library = dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
  if (library) dlclose(library);
  return library != nullptr;
}

// The start window is drawn as an image; OpenGL and libmpv (on a thread of
// its own) are loaded once it is on the screen. OpenGL's log line keeps its
// place before the lines of the rest of start-up.
TEST(StartAndCloseTest, OpenGlAndTheMediaLibraryAreLoadedOnlyOnceTheStartWindowIsOnTheScreen) {
  ASSERT_FALSE(Loaded("libmpv.so.2") || Loaded("libGL.so.1"));
  FakeLog log;
  TempFolder folder;
  std::filesystem::copy(std::filesystem::path(TAVIZO_EXECUTABLE).parent_path() / "skins",
                        folder.File("skins"), std::filesystem::copy_options::recursive);
  NoMessageBox noMessageBox;
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(folder.Path(), &noMessageBox);
  ASSERT_TRUE(program && program->Form().Load());
  EXPECT_FALSE(Loaded("libmpv.so.2") || Loaded("libGL.so.1"));
  for (int waited = 0; waited < 10000 && !Loaded("libmpv.so.2"); waited += 20) {
    program->Loop().PumpPendingEvents();
    SleepMs(20);
  }
  EXPECT_TRUE(Loaded("libmpv.so.2") && Loaded("libGL.so.1"));
  program->Form().Unload();
  const std::string lines = log.All();
  const size_t startUp = lines.find("screen saver");
  EXPECT_TRUE(startUp != lines.npos && lines.find("OpenGL renderer: ") < startUp) << lines;
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
  EXPECT_NE(program.Log().find("the settings and key bindings were not saved"), std::string::npos);
  EXPECT_EQ(user.Read("blocker"), "a file where the config folder should be");
}

TEST_F(InstalledProgramTest, AnswersVersionAndHelpAndItsDesktopFilesPassTheValidators) {
  const std::string program = "'" + Installed("bin/tavizo") + "'";
  EXPECT_EQ(RunCommand(program + " --version").rfind("Tavizo ", 0), 0u) << sInstallLog;
  EXPECT_NE(RunCommand(program + " --help").find("Usage: tavizo"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Installed("bin/tavizo-skincheck")));
  EXPECT_NE(sRoot->Read("prefix/share/icons/hicolor/scalable/apps/tavizo.svg").find("<svg"),
            std::string::npos);
  // Each validator prints its findings and the exit status last.
  EXPECT_EQ(RunCommand("desktop-file-validate '" + Installed("share/applications/tavizo.desktop") +
                       "' 2>&1; echo status $?"),
            "status 0\n");
  const std::string metainfo =
      RunCommand("appstreamcli validate --no-net '" + Installed("share/metainfo/") +
                 "org.tavizo.tavizo.metainfo.xml' 2>&1; echo status $?");
  EXPECT_NE(metainfo.find("status 0\n"), std::string::npos) << metainfo;
  EXPECT_EQ(metainfo.find("W:"), std::string::npos) << metainfo;
}

}  // namespace
