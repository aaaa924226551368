// What changed in the window since its last frame, as a few rectangles of output pixels to draw
// again. A frame of play moves the rocks and the square and counts the score up; drawing and
// showing only those parts, instead of the whole window 40 times a second, is what keeps the
// game's cost close to that of an empty window.
#pragma once

#include <SDL.h>

#include <optional>
#include <vector>

#include "picture/form.h"
#include "picture/viewport.h"
#include "playfield/controls.h"

namespace zentor {

struct Redraw {
  bool whole = false;           // the whole output: nothing of the last frame can be kept
  std::vector<SDL_Rect> areas;  // otherwise these parts of the picture; none when unchanged
};

class Damage {
 public:
  // The next frame draws everything: the output is new, or was lost (an exposed window).
  void All() { drawn_.reset(); }

  // What to draw for the window as it is now, and from now on the frame it is compared with.
  Redraw Since(const Form& form, const ButtonLook& look, const Viewport& viewport);

 private:
  struct Frame {
    Form form;
    ButtonLook look;
    Viewport viewport;
  };
  std::optional<Frame> drawn_;
};

// Draws into `target` what changed since the frame `damage` last saw, whole or in areas, and
// says which it drew.
Redraw DrawChanges(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& look, Damage& damage);

// Joins two rectangles into the box around them while that box has no more pixels than the two,
// until no two left would be cheaper drawn as one. What is left may overlap.
void MergeAreas(std::vector<SDL_Rect>& areas);

}  // namespace zentor
