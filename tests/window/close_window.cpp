// zentor-close-window WINDOW: asks an X window to close, as a window manager's close button
// does (a WM_DELETE_WINDOW message), for tests that run without a window manager.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zentor-close-window WINDOW\n");
    return 2;
  }
  char* end = nullptr;
  const Window window = std::strtoul(argv[1], &end, 0);
  if (*end != '\0' || window == 0) {
    std::fprintf(stderr, "zentor-close-window: %s is not a window id\n", argv[1]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "zentor-close-window: cannot open the display\n");
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
