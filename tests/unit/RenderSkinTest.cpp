// The renderer's test skin loaded by the real loader and pictures, drawn
// whole: the pieces agree with each other on a skin as a user would make it.

#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "platform/SdlPictureLoader.h"
#include "skin/SkinLoader.h"
#include "support/FakeLog.h"

namespace {

const std::string kSkinFile = std::string(TAVIZO_TESTS_DIR) + "/skins/render.tvs";

struct RenderSkinTest : ::testing::Test {
  void SetUp() override {
    SdlPictureLoader pictures;
    ASSERT_EQ(DX_LoadSkin(kSkinFile, f.skin, pictures), "wndVidMain.lstPlaylist");
    f.area = {640, 360};
    f.focus.mCurrentWindow = "wndVidMain";
    f.focus.mFocusElement = "wndVidMain.lstPlaylist";
    f.browse.mBrowseList = {{"3", kEntryBack, 0, {}},
                            {"<back>", kEntryBack, 0, {}},
                            {">Films", kEntryFolder, 0, {}},
                            {"Clip.mkv", kEntryFile, 0, {}}};
  }

  // Pixels that show magenta or a blend towards it: red and blue both well
  // above green.
  int MagentaPixels() const {
    int found = 0;
    for (int32_t y = 0; y < f.area.height; ++y) {
      for (int32_t x = 0; x < f.area.width; ++x) {
        const uint32_t p = f.Pixel(x, y);
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r > g + 60 && b > g + 60) ++found;
      }
    }
    return found;
  }

  int32_t Centre(const std::string& fullName, int32_t& y) {
    const ElementBox box = f.composer.Painter().BoxOf(f.skin.ElementNamed(fullName));
    y = static_cast<int32_t>(box.y + box.h / 2);
    return static_cast<int32_t>(box.x + box.w / 2);
  }

  RenderFixture f;
};

TEST_F(RenderSkinTest, EveryWindowDrawsWithoutMagentaAndWithItsElementsHittable) {
  FakeLog log;
  for (const char* window : {"wndVidMain", "wndOptionsMain"}) {
    SCOPED_TRACE(window);
    f.focus.mCurrentWindow = window;
    f.composer.RepaintWindow();
    EXPECT_EQ(MagentaPixels(), 0);
  }
  f.composer.RedrawRemotePanel();
  f.composer.RedrawElement("wndInfo.fsMediaInfo");
  EXPECT_EQ(MagentaPixels(), 0);
  EXPECT_TRUE(log.Messages().empty()) << log.Messages().front();

  f.focus.mCurrentWindow = "wndVidMain";
  f.composer.RepaintWindow();
  for (const char* name : {"wndVidMain.cmdPlay", "wndVidMain.lstPlaylist", "wndVidMain.cmdQuit",
                           "wndVidMain.picVideoWindow"}) {
    SCOPED_TRACE(name);
    int32_t y = 0;
    const int32_t x = Centre(name, y);
    EXPECT_EQ(f.Hit(x, y), f.skin.FindElement(name));
  }
  // The decorative background is drawn but never hit.
  EXPECT_EQ(f.Hit(639, 359), f.skin.FindElement("wndVidMain.cmdFormResize"));
  EXPECT_EQ(f.Hit(320, 356), 0);
  int32_t y = 0;
  const int32_t x = Centre("wndVidMain.picVideoWindow", y);
  EXPECT_EQ(f.Pixel(x, y), 0x100010u);
  EXPECT_EQ(f.captions.back(), "Tavizo: nothing loaded");
}

}  // namespace
