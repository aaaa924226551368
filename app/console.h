// Where the game's sentences and its help go. Each system has its own file of the same name:
// console.cpp on Linux and in a page, where standard output and error always lead somewhere, and
// windows/console.cpp on Windows, where a window program is given none unless its starter passed
// them on.
#pragma once

namespace zentor {

// Makes standard output and error lead where the player can read them. Call before anything is
// written.
void FindConsole();

// The status the program ends with; after a bad start whose sentence nobody could read, it is
// shown in a box first.
int EndWith(int status);

}  // namespace zentor
