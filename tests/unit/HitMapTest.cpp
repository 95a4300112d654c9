#include "render/HitMap.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(HitMap, ReadsZeroWhereNothingWasDrawnAndOutsideTheMap) {
  HitMap map;
  map.HitMap_init(20, 10);
  map.HitMap_Fill(3, 0, 0, 20, 10);
  map.HitMap_init(20, 10);  // a rebuild clears
  const struct {
    int32_t x, y;
  } points[] = {{0, 0}, {19, 9}, {-1, 0}, {0, -1}, {20, 0}, {0, 10}, {INT_MAX, INT_MIN}};
  for (const auto& p : points) {
    SCOPED_TRACE(::testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(map.HitMap_Read(p.x, p.y), 0);
  }
}

TEST(HitMap, LaterFillsTakeOverSharedPixels) {
  HitMap map;
  map.HitMap_init(20, 10);
  map.HitMap_Fill(1, 0, 0, 10, 10);
  map.HitMap_Fill(2, 5, 5, 10, 10);  // runs past the bottom edge: clipped
  EXPECT_EQ(map.HitMap_Read(4, 4), 1);
  EXPECT_EQ(map.HitMap_Read(5, 5), 2);
  EXPECT_EQ(map.HitMap_Read(9, 9), 2);
  EXPECT_EQ(map.HitMap_Read(14, 9), 2);
  EXPECT_EQ(map.HitMap_Read(15, 9), 0);  // right of x + width - 1
  EXPECT_EQ(map.HitMap_Read(9, 4), 1);
}

TEST(HitMap, NumbersAbove255AreNeverEntered) {
  HitMap map;
  map.HitMap_init(4, 4);
  const struct {
    int32_t number;
    int32_t read;
  } cases[] = {{255, 255}, {256, 0}, {511, 0}, {-1, 0}, {1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    map.HitMap_Fill(0, 0, 0, 4, 4);
    map.HitMap_Fill(c.number, 0, 0, 4, 4);
    EXPECT_EQ(map.HitMap_Read(2, 2), c.read);
  }
}

TEST(HitMap, RectanglesFarOutsideTheMapAreSafe) {
  HitMap map;
  map.HitMap_init(4, 4);
  map.HitMap_Fill(7, INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX);
  map.HitMap_Fill(7, INT_MIN, INT_MIN, 2, 2);
  map.HitMap_Fill(8, -5, -5, INT_MAX, 6);  // covers row 0 only
  EXPECT_EQ(map.HitMap_Read(3, 0), 8);
  EXPECT_EQ(map.HitMap_Read(3, 1), 0);
  HitMap empty;
  empty.HitMap_init(0, 5);
  empty.HitMap_Fill(1, 0, 0, 5, 5);
  EXPECT_EQ(empty.HitMap_Read(0, 0), 0);
}

}  // namespace
