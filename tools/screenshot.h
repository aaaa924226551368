// The screenshot command's picture writer, when this build has the drawing code.
#pragma once

#include "replay/replay.h"

namespace zentor {

ScreenshotWriter ScreenshotWriterOrEmpty();

}  // namespace zentor
