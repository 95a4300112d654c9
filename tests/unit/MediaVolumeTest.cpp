// The volume steps, larger as the volume falls.

#include <gtest/gtest.h>

#include "media/VolumeControl.h"

namespace {

TEST(VolumeStepTest, TheStepGrowsAsTheVolumeFalls) {
  const struct {
    int32_t volume;
    int32_t step;
  } cases[] = {
      {0, 100},      {-1249, 100}, {-1250, 200}, {-2500, 200}, {-3750, 200},
      {-3751, 300},  {-6249, 300}, {-6250, 400}, {-8750, 400}, {-8751, 500},
      {-10000, 500}, {2500, 1},  // a volume above full (from a damaged settings file)
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.volume);
    EXPECT_EQ(VolumeStep(c.volume), c.step);
  }
}

}  // namespace
