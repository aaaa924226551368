#include "playfield/rect.h"

#include <algorithm>

#include "playfield/convert.h"

namespace zentor {
namespace {

bool IsEmpty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

Rect RectOf(float left, float top, float width, float height) {
  return {RoundToInt32(left), RoundToInt32(top),
          RoundToInt32(static_cast<double>(width) + static_cast<double>(left)),
          RoundToInt32(static_cast<double>(height) + static_cast<double>(top))};
}

bool IntersectRect(const Rect& a, const Rect& b) {
  if (IsEmpty(a) || IsEmpty(b)) {
    return false;
  }
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace zentor
