#include "picture/damage.h"

#include <cstdint>
#include <type_traits>

#include "playfield/layout.h"

namespace zentor {
namespace {

bool SameControl(const Form& before, const Form& after, const LayoutRow& row) {
  return WithControl(before, row, [&](const auto& was) {
    return WithControl(after, row, [&](const auto& is) {
      if constexpr (std::is_same_v<decltype(was), decltype(is)>) {
        return was == is;
      } else {
        return false;
      }
    });
  });
}

bool SameLook(const ButtonLook& a, const ButtonLook& b) {
  return a.hover == b.hover && a.pressed == b.pressed && a.focus == b.focus;
}

bool SameOutput(const Viewport& a, const Viewport& b) {
  return a.outputWidth == b.outputWidth && a.outputHeight == b.outputHeight;
}

bool IsButton(const LayoutRow& row) {
  return row.Id == ControlId::Restart || row.Id == ControlId::endgame;
}

int64_t Pixels(const SDL_Rect& r) {
  return static_cast<int64_t>(r.w) * r.h;
}

// Whether drawing the box around two rectangles costs no more pixels than drawing both: a rock
// where it was and where it is, not two rocks that only meet at a corner.
bool CheaperAsOne(const SDL_Rect& a, const SDL_Rect& b) {
  SDL_Rect both;
  SDL_UnionRect(&a, &b, &both);
  return Pixels(both) <= Pixels(a) + Pixels(b);
}

}  // namespace

Redraw Damage::Since(const Form& form, const ButtonLook& look, const Viewport& viewport) {
  Redraw redraw;
  if (!drawn_ || !SameOutput(drawn_->viewport, viewport) ||
      drawn_->form.BackColor != form.BackColor) {
    redraw.whole = true;
  } else {
    const bool lookChanged = !SameLook(drawn_->look, look);
    for (const LayoutRow& row : StartingLayout) {
      if (SameControl(drawn_->form, form, row) && !(lookChanged && IsButton(row))) {
        continue;
      }
      // Where the control was and where it is now.
      for (const Form* state : {static_cast<const Form*>(&drawn_->form), &form}) {
        if (const auto area = DrawnArea(*state, row, viewport)) {
          redraw.areas.push_back(*area);
        }
      }
    }
    MergeAreas(redraw.areas);
  }
  if (drawn_) {
    // Assigned in place, the kept captions reuse their storage: no allocation each frame.
    drawn_->form = form;
    drawn_->look = look;
    drawn_->viewport = viewport;
  } else {
    drawn_ = Frame{form, look, viewport};
  }
  return redraw;
}

Redraw DrawChanges(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& look, Damage& damage) {
  Redraw redraw = damage.Since(form, look, viewport);
  if (redraw.whole) {
    DrawForm(target, form, viewport, cache, look);
  } else {
    DrawFormAreas(target, form, viewport, cache, look, redraw.areas);
  }
  return redraw;
}

void MergeAreas(std::vector<SDL_Rect>& areas) {
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < areas.size() && !merged; ++i) {
      for (size_t j = i + 1; j < areas.size(); ++j) {
        if (CheaperAsOne(areas[i], areas[j])) {
          SDL_UnionRect(&areas[i], &areas[j], &areas[i]);
          areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
          merged = true;
          break;
        }
      }
    }
  }
}

}  // namespace zentor
