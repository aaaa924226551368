#include "tools/screenshot.h"

namespace zentor {

ScreenshotWriter ScreenshotWriterOrEmpty() { return {}; }

}  // namespace zentor
