// zentor: the game in its desktop window.
#include "sdl/desktop.h"

int main() {
  return zentor::RunDesktop();
}
