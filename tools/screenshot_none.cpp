// The screenshot command in a build without the drawing code: the command says pictures are not
// available.
#include "tools/screenshot.h"

namespace zentor {

ScreenshotWriter ScreenshotWriterOrEmpty() {
  return {};
}

}  // namespace zentor
