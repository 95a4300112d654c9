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

}  // namespace

namespace {}  // namespace
