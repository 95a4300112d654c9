// How the picture is fitted into the video window in each aspect mode.

#include <gtest/gtest.h>

#include "media/VideoPlacement.h"

namespace {

TEST(FitPictureTest, EveryRowOfTheAspectTable) {
  const struct {
    const char* name;
    double W, H;
    int32_t aX, aY, mode;
    bool anamorphic;
    double left, top, width, height;
  } cases[] = {
      // A 4:3 area, the shape the table was made for.
      {"16:9 source letterboxed", 400, 300, 16, 9, 0, false, 0, 37.5, 400, 225},
      {"4:3 source fills exactly", 400, 300, 4, 3, 0, false, 0, 0, 400, 300},
      {"1:1 source pillarboxed", 400, 300, 1, 1, 0, false, 50, 0, 300, 300},
      {"1:1 zoomed crops top and bottom", 400, 300, 1, 1, 2, false, 0, -50, 400, 400},
      {"16:9 zoomed is letterboxed", 400, 300, 16, 9, 2, false, 0, 37.5, 400, 225},
      {"anamorphic 16:9 fills the frame", 400, 300, 16, 9, 0, true, 0, 0, 400, 300},
      {"anamorphic 2.35:1 letterboxed", 400, 300, 47, 20, 0, true, 0,
       300 / 2.0 - 400 / 47.0 * 20 / 0.75 / 2, 400, 400 / 47.0 * 20 / 0.75},
      {"anamorphic 4:3 squeezed to full height", 400, 300, 4, 3, 0, true, 50, 0, 300, 300},
      {"anamorphic zoom of 4:3 by 1.25", 400, 300, 4, 3, 2, true, 0, -37.5, 400, 375},
      // A 16:9 area (full-screen video on a 16:9 screen): source mode compares
      // the picture with the area, force and zoom keep filling the width.
      {"16:9 area: 4:3 source pillarboxed, not cropped", 1920, 1080, 4, 3, 0, false, 240, 0, 1440,
       1080},
      {"16:9 area: 16:9 source fills exactly", 1920, 1080, 16, 9, 0, false, 0, 0, 1920, 1080},
      {"16:9 area: 2.35:1 source letterboxed", 1920, 1080, 47, 20, 0, false, 0,
       (1080 - 1920 / 47.0 * 20) / 2, 1920, 1920 / 47.0 * 20},
      {"16:9 area: forced 4:3 fills the width", 1920, 1080, 4, 3, 1, false, 0, -180, 1920, 1440},
      {"16:9 area: zoomed 4:3 fills the width", 1920, 1080, 4, 3, 2, false, 0, -180, 1920, 1440},
      {"16:9 area: anamorphic 16:9 pillarboxed", 1920, 1080, 16, 9, 0, true, 240, 0, 1440, 1080},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoFit fit = FitPicture(c.W, c.H, c.aX, c.aY, c.mode, c.anamorphic);
    EXPECT_DOUBLE_EQ(fit.left, c.left);
    EXPECT_DOUBLE_EQ(fit.top, c.top);
    EXPECT_DOUBLE_EQ(fit.width, c.width);
    EXPECT_DOUBLE_EQ(fit.height, c.height);
  }
}

}  // namespace
