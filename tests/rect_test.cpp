#include "playfield/rect.h"

#include <gtest/gtest.h>

namespace zentor {
namespace {

TEST(IntersectRect, OverlapNeedsSharedInterior) {
  struct Case {
    Rect a;
    Rect b;
    bool overlaps;
  };
  const Rect player{100, 100, 600, 600};
  const Case cases[] = {
      {player, {600, 200, 900, 500}, false},  // edges touch
      {player, {599, 200, 900, 500}, true},   // one twip of overlap
      {player, {600, 600, 900, 900}, false},  // corners touch
      {player, {599, 599, 900, 900}, true},    {player, {0, 0, 100, 100}, false},
      {player, {200, 200, 300, 300}, true},   // inside
      {player, {200, 200, 200, 300}, false},  // empty rock
      {{300, 300, 300, 300}, player, false},  // empty player
      {player, {-5000, 100, 5000, 101}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntersectRect(c.a, c.b), c.overlaps);
    EXPECT_EQ(IntersectRect(c.b, c.a), c.overlaps);
  }
}

TEST(RectOf, RoundsEachEdgeOnceTiesToEven) {
  const Rect r = RectOf(100.5f, 101.5f, 500, 500);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 102);
  EXPECT_EQ(r.right, 600);   // 600.5 to even
  EXPECT_EQ(r.bottom, 602);  // 601.5 to even
  // The sum is rounded, not the sum of rounded edges: 0.5 + 0.5 is 1, not 0 + 0.
  const Rect s = RectOf(0.5f, 0, 0.5f, 1);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.right, 1);
}

}  // namespace
}  // namespace zentor
