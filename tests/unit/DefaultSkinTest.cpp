// The default skin passes the skin checker, and the checker fails a broken copy;
// drawn by the real renderer, it shows what its elements are for.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "RenderFixture.h"
#include "platform/SdlPictureLoader.h"
#include "skin/SkinLoader.h"
#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

namespace {

int ExitStatusOf(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DefaultSkinTest, PassesTheSkinCheckerWithEveryCommandUsed) {
  const std::string command = std::string(TAVIZO_SKINCHECK) + " --require-all-commands " +
                              TAVIZO_SOURCE_DIR + "/skins/default.tvs";
  const std::string output = RunCommand(command + " 2>&1");
  EXPECT_NE(output.find("OK"), std::string::npos) << output;
  EXPECT_EQ(output.find("fault"), std::string::npos) << output;
  EXPECT_EQ(ExitStatusOf(command + " >/dev/null 2>&1"), 0);
}

TEST(DefaultSkinTest, TheCheckerFailsACopyWithAMissingPicture) {
  TempFolder folder;
  namespace fs = std::filesystem;
  fs::copy(std::string(TAVIZO_SOURCE_DIR) + "/skins/default", folder.File("default"),
           fs::copy_options::recursive);
  fs::copy_file(std::string(TAVIZO_SOURCE_DIR) + "/skins/default.tvs", folder.File("default.tvs"));
  // Remove the skin's first picture, its background.
  const std::string removed = "background.png";
  ASSERT_NE(folder.Read("default.tvs").find("\"pic1\",\"" + removed + "\""), std::string::npos);
  ASSERT_TRUE(fs::remove(folder.File("default/" + removed)));
  const std::string command = std::string(TAVIZO_SKINCHECK) + " " + folder.File("default.tvs");
  const std::string output = RunCommand(command + " 2>&1");
  EXPECT_NE(output.find(removed), std::string::npos) << output;
  EXPECT_EQ(ExitStatusOf(command + " >/dev/null 2>&1"), 1);
}

// The default skin loaded with its pictures into a renderer of a 1920 x 1080
// picture area, the player on screen.
struct DrawnDefaultSkin : ::testing::Test {
  void SetUp() override {
    SdlPictureLoader pictures;
    ASSERT_EQ(DX_LoadSkin(std::string(TAVIZO_SOURCE_DIR) + "/skins/default.tvs", f.skin, pictures),
              "wndMain.cmdLibrary");
    f.area = {1920, 1080};
    f.focus.mCurrentWindow = "wndVidMain";
    f.focus.mFocusElement = "wndVidMain.lstPlaylist";
    f.PrepareBuffer();
  }

  // How many separate runs of the colour the column of pixels crosses.
  int32_t RunsInColumn(int32_t x, int32_t top, int32_t bottom, Rgb color) const {
    int32_t runs = 0;
    bool inside = false;
    for (int32_t y = top; y < bottom; ++y) {
      const bool now = f.Pixel(x, y) == PixelOf(color);
      if (now && !inside) ++runs;
      inside = now;
    }
    return runs;
  }

  RenderFixture f;
};

TEST_F(DrawnDefaultSkin, OverFullScreenVideoTheTitleShowsOnce) {
  f.media.open = true;
  f.media.title = "Harbour at dusk.mkv";
  f.overlay.mIsVideoFullscreen = true;
  f.composer.RepaintWindow();
  f.fonts.draws.clear();
  // Calling the remote panel starts the on-screen title too: both are drawn.
  f.composer.RedrawElement("wndInfo.fsMediaInfo");
  f.composer.RedrawRemotePanel();
  int32_t titles = 0;
  // Each text is drawn four times in its black outline, then once in its colour.
  const Rgb outline{0, 0, 0};
  for (const auto& draw : f.fonts.draws) {
    titles += draw.text == f.media.title && draw.color != outline;
  }
  EXPECT_EQ(titles, 1);
}

TEST_F(DrawnDefaultSkin, TheVolumeBarShowsTheMarksOfItsTrackAndLooksMutedWhenMuted) {
  const SkinElement& volume = f.skin.ElementNamed("wndVidMain.cmdVolControl");
  const ElementBox box = f.composer.Painter().BoxOf(volume);
  const auto x = static_cast<int32_t>(
      box.x + box.w * (volume.TextX[Selected] + volume.TextW[Selected] / 2) / 100);
  const auto top = static_cast<int32_t>(box.y);
  const auto bottom = static_cast<int32_t>(box.y + box.h);
  const Rgb sounding = volume.TextColor[Selected];
  const Rgb muted = volume.TextColor[Disabled];

  f.settings.gMediaVolume = 0;
  f.composer.RedrawElement(volume.FullName);
  EXPECT_GT(RunsInColumn(x, top, bottom, sounding), 4) << "the marks part the full bar";

  f.settings.gIsMediaMute = 1;
  f.composer.RedrawElement(volume.FullName);
  EXPECT_EQ(RunsInColumn(x, top, bottom, sounding), 0);
  EXPECT_GT(RunsInColumn(x, top, bottom, muted), 4) << "muted, the bar keeps its level";
}

}  // namespace
