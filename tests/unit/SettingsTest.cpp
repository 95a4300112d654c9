#include "store/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "support/TempFolder.h"

namespace {

const PixelRect kWindow{112, 84, 800, 600};

TEST(SettingsTest, AFileWithOneKeyGivesDefaultsForTheRestAndIsWrittenInFull) {
  TempFolder folder;
  folder.Write("Tavizo.ini", "\"gOSDTime\",5000\r\n");
  Settings settings;
  LoadSettings(settings, folder.File("Tavizo.ini"), "/opt/tavizo", kWindow);
  EXPECT_EQ(settings.gOSDTime, 5000);
  EXPECT_EQ(settings.gPlaylistName, "/opt/tavizo");
  EXPECT_EQ(settings.gMediaVolume, -2500);
  EXPECT_EQ(settings.gFormLastLeft, 112);
  EXPECT_EQ(settings.gFormLastHeight, 600);
  EXPECT_EQ(settings.gActionFirstRepeat, 500);
  EXPECT_EQ(settings.gSkinFilename, "default");

  ASSERT_EQ(SaveSettings(settings, folder.File("Tavizo.ini")), 1);
  EXPECT_EQ(folder.Read("Tavizo.ini"),
            "\"gPlaylistName\",\"/opt/tavizo\"\r\n"
            "\"gIsFormFullScreen\",0\r\n"
            "\"gIsMonitorAnamorph\",0\r\n"
            "\"gAspectRatioMode\",0\r\n"
            "\"gPlayMode\",0\r\n"
            "\"gAlwaysOnTop\",0\r\n"
            "\"gOSDTime\",5000\r\n"
            "\"gIsMediaMute\",0\r\n"
            "\"gMediaVolume\",-2500\r\n"
            "\"gFormLastLeft\",112\r\n"
            "\"gFormLastTop\",84\r\n"
            "\"gFormLastWidth\",800\r\n"
            "\"gFormLastHeight\",600\r\n"
            "\"gActionFirstRepeat\",500\r\n"
            "\"gActionNextRepeat\",50\r\n"
            "\"gForceVideoForeground\",0\r\n"
            "\"gSkinFilename\",\"default\"\r\n");
}

TEST(SettingsTest, AMissingFileIsCreatedEmptyAndEverySettingTakesItsDefault) {
  TempFolder folder;
  Settings settings;
  settings.gOSDTime = 1;  // Must be overwritten by the default.
  LoadSettings(settings, folder.File("Tavizo.ini"), "/opt/tavizo", kWindow);
  EXPECT_EQ(settings.gOSDTime, 3000);
  EXPECT_EQ(settings.gFormLastWidth, 800);
  EXPECT_TRUE(std::filesystem::exists(folder.File("Tavizo.ini")));
  EXPECT_EQ(folder.Read("Tavizo.ini"), "");
}

TEST(SettingsTest, UnknownKeysAreDroppedAndTheFirstOfRepeatedKeysWins) {
  TempFolder folder;
  folder.Write("Tavizo.ini",
               "\"gUnknown\",\"x\"\r\n\"gPlayMode\",4\r\n\"gPlayMode\",2\r\n"
               "\"GSKINFILENAME\",\"night\"\r\n");
  Settings settings;
  LoadSettings(settings, folder.File("Tavizo.ini"), "/opt", kWindow);
  EXPECT_EQ(settings.gPlayMode, 4);
  EXPECT_EQ(settings.gSkinFilename, "night");
  SaveSettings(settings, folder.File("Tavizo.ini"));
  const std::string written = folder.Read("Tavizo.ini");
  EXPECT_EQ(written.find("gUnknown"), std::string::npos);
  EXPECT_NE(written.find("\"gSkinFilename\",\"night\""), std::string::npos);
}

TEST(SettingsTest, AGarbledFileIsKeptBesideBeforeTheSettingsAreWrittenBack) {
  TempFolder folder;
  const std::string garbled =
      "\"gOSDTime\",5000\r\n\"gPlayMode\",#yes#\r\n\"gMediaVolume\",-100\r\n";
  folder.Write("Tavizo.ini", garbled);
  std::string lines;
  const LogSink previous = SetLogSink([&](const std::string& line) { lines += line + "\n"; });
  Settings settings;
  LoadSettings(settings, folder.File("Tavizo.ini"), "/opt", kWindow);
  SetLogSink(previous);
  EXPECT_EQ(settings.gOSDTime, 5000);
  EXPECT_EQ(settings.gMediaVolume, -2500);
  EXPECT_NE(lines.find("LoadHashError: "), std::string::npos) << lines;
  EXPECT_NE(lines.find(folder.File("Tavizo.ini") + " could not be read to its end; it is kept as " +
                       folder.File("Tavizo.ini.bad")),
            std::string::npos)
      << lines;
  ASSERT_EQ(SaveSettings(settings, folder.File("Tavizo.ini")), 1);
  EXPECT_EQ(folder.Read("Tavizo.ini.bad"), garbled);
}

TEST(SettingsTest, ANumericSettingThatIsNotANumberTakesItsDefault) {
  struct Case {
    const char* stored;
    int32_t expected;
  };
  const Case cases[] = {{"\"loud\"", -2500},        {"\"\"", 0},    {"\"-1200\"", -1200},
                        {"\"99999999999\"", -2500}, {"-700", -700}, {"\"12.5\"", 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    TempFolder folder;
    folder.Write("Tavizo.ini", std::string("\"gMediaVolume\",") + c.stored + "\r\n");
    std::vector<std::string> lines;
    const LogSink previous = SetLogSink([&](const std::string& line) { lines.push_back(line); });
    Settings settings;
    LoadSettings(settings, folder.File("Tavizo.ini"), "/opt", kWindow);
    SetLogSink(previous);
    EXPECT_EQ(settings.gMediaVolume, c.expected);
    EXPECT_EQ(settings.gOSDTime, 3000);
    if (c.expected == -2500) {
      EXPECT_FALSE(lines.empty());
    }
  }
}

}  // namespace

namespace {

TEST(SettingsTest, AFolderWithADoubleQuoteIsSavedAsItsNearestSafeParent) {
  // The file format has no escape: the quote would cut the text and shift every later pair.
  struct Case {
    const char* folder;
    const char* saved;
  };
  const Case cases[] = {{"/media/films/The \"Best\" Of/", "/media/films/"},
                        {"/media/\"quoted\"", "/media/"},
                        {"\"odd\"/", ""},
                        {"/media/plain/", "/media/plain/"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    TempFolder folder;
    Settings settings;
    settings.gPlaylistName = c.folder;
    settings.gOSDTime = 2000;
    const LogSink previous = SetLogSink([](const std::string&) {});
    ASSERT_EQ(SaveSettings(settings, folder.File("Tavizo.ini")), 1);
    SetLogSink(previous);
    Settings read;
    LoadSettings(read, folder.File("Tavizo.ini"), "/opt", kWindow);
    EXPECT_EQ(read.gPlaylistName, c.saved);
    EXPECT_EQ(read.gOSDTime, 2000);
  }
}

}  // namespace
