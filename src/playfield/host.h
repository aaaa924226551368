// The platform operations the game calls. The desktop host and the scripted host implement
// them; the game itself never reads a clock, a random source or the screen.
#pragma once

#include <cstdint>
#include <string_view>

namespace zentor {

// The window's outer frame on the screen, title bar and border included, in twips.
struct WindowFrame {
  float Left;
  float Top;
  float Width;
  float Height;
};

inline constexpr int32_t kOkOnly = 0;  // message box style: a single OK button

class Host {
 public:
  virtual ~Host() = default;
  // Shows a modal box and returns once the player has closed it.
  virtual void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) = 0;
  // Closes the window and ends the program; no further event is delivered.
  virtual void End() = 0;
  // Seeds the random generator from the clock.
  virtual void Reseed() = 0;
  // The next number of the random sequence, 0 <= r < 1.
  virtual float NextRandom() = 0;
  virtual WindowFrame Frame() const = 0;
};

}  // namespace zentor
