// Errors of the X display server that the game can meet only as it ends.
#pragma once

namespace zentor {

// SDL wakes its own wait for events by sending an event to the window over a second connection
// of its own. When the window has just been destroyed, because the game is ending, the server
// answers that with BadWindow, and Xlib's default handler ends the program with status 1. This
// handler lets that one error pass and leaves every other to the handler before it. Called
// before SDL starts.
void IgnoreLateWakeups();

}  // namespace zentor
