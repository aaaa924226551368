// The desktop host: the game in a window of its own, played with the keyboard, the mouse and
// controllers, or a replay script watched in it.
#pragma once

#include <string>

namespace zentor {

struct DesktopOptions {
  std::string record;  // write the game played to this new file as a replay script
  std::string play;    // instead of playing, show this replay script at the game's pace
};

inline constexpr int kDesktopFailed = 1;
inline constexpr int kDesktopRefused = 2;

// Opens the window and plays (or plays back) until the player closes it or ends the game.
// Returns the program's exit status: 0 at a normal end; after one sentence on standard error,
// kDesktopRefused for a recording that cannot be written or a script that cannot be played, and
// kDesktopFailed when there is no display or no usable font.
int RunDesktop(const DesktopOptions& options);

}  // namespace zentor
