// The desktop host: the game in a window of its own, played with the keyboard and the mouse.
#pragma once

namespace zentor {

// Opens the window and plays until the player closes it or ends the game. Returns the program's
// exit status: 0 at a normal end, 1 (after one sentence on standard error) when there is no
// display or no usable font.
int RunDesktop();

}  // namespace zentor
