// Integer rectangles and their overlap test, as the collision test needs them.
#pragma once

#include <cstdint>

namespace zentor {

// Right and bottom are exclusive: the rectangle covers left <= x < right, top <= y < bottom.
struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The rectangle of a control's position and size, each edge rounded once (ties to even); right
// and bottom round the unnarrowed sums.
Rect RectOf(float left, float top, float width, float height);

// True when both rectangles are non-empty and share at least one point; rectangles that only
// touch at an edge or a corner do not overlap.
bool IntersectRect(const Rect& a, const Rect& b);

}  // namespace zentor
