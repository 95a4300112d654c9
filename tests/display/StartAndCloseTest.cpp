// The real program under Xvfb: how it starts, what it writes when it closes.

#include <gtest/gtest.h>

#include <regex>
#include <string>

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
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << program.Log();
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();

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

}  // namespace
