// The game's icon in pixels, for the window: the icon's shapes drawn at any size.
#pragma once

#include "picture/surface.h"

namespace zentor {

// An ARGB picture of the icon, `side` pixels a side, transparent around the field; none when
// SDL cannot make the surface.
SurfaceHandle DrawIcon(int side);

}  // namespace zentor
