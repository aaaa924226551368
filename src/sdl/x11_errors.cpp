#include "sdl/x11_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace zentor {
namespace {

XErrorHandler previous = nullptr;

int LetLateWakeupsPass(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
    return 0;
  }
  return previous ? previous(display, error) : 0;
}

}  // namespace

void IgnoreLateWakeups() {
  previous = XSetErrorHandler(LetLateWakeupsPass);
}

}  // namespace zentor
