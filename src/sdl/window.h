// The game's window on the desktop: its picture at any size and in full screen, the game-over
// box, and the one loop that takes events and draws, which play, playback and the box share.
#pragma once

#include <SDL.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "picture/damage.h"
#include "picture/form.h"
#include "picture/surface.h"
#include "picture/viewport.h"
#include "playfield/controls.h"
#include "playfield/host.h"
#include "sdl/canvas.h"
#include "sdl/dialog.h"
#include "sdl/handles.h"

namespace zentor {

// Thrown out of whatever runs when the player closes the window, so that a modal box open inside
// a handler ends the program at once instead of returning into the game.
struct WindowClosed {};

// The window's size at its opening on a display whose usable area is given in the window's own
// units. Where the desktop does not scale, the largest whole multiple of the picture that the
// area holds with room for the frame, so that a large screen does not show a postage stamp; a
// desktop scaled 2 or 3 times has already enlarged everything, so there the picture keeps its
// own size in points. On a screen too small for it, the picture shrunk to fit, never below the
// minimum size.
SDL_Rect OpeningSize(const SDL_Rect& usable, double desktopScale);

class Window {
 public:
  using Clock = std::chrono::steady_clock;

  // What the window shows, and who is told of the input it does not take itself.
  class Owner {
   public:
    virtual const Form& Shown() const = 0;
    virtual ButtonLook Buttons() const = 0;
    // Keys other than F11, the mouse, controllers, focus and the pointer leaving: only while no
    // box is open.
    virtual void Input(const SDL_Event& event) = 0;
    // A controller's event while a box is open: its state is followed, its actions not taken.
    virtual void Follow(const SDL_Event& event) = 0;
    // The program has ended: no further event is delivered.
    virtual bool Ended() const = 0;
    // A key that closes the window, box or not: Escape while a script plays back.
    virtual bool Quits(SDL_Scancode) const { return false; }

   protected:
    ~Owner() = default;
  };

  // Opens the window, hidden. Throws std::runtime_error with the sentence for the player.
  Window(const std::string& fontFile, Owner& owner);

  void Show();
  void Hide();

  // Draws what changed, then sleeps until an event comes or the deadline passes, and takes every
  // event that came. With `sleepThrough` it sleeps to the deadline and then takes all events at
  // once: the tick clock's way, which looks for events once a frame.
  void Pump(std::optional<Clock::time_point> deadline, bool sleepThrough);

  // Readies the text renderer ahead of the first picture, one step a call (DrawCache::ReadyText);
  // false once all are done.
  bool ReadyText(int step) { return cache_->ReadyText(step); }

  // The picture changed: the next Pump draws it.
  void Changed() { dirty_ = true; }
  bool Closed() const { return closed_; }

  // The modal box: returns once the player has closed it, or by itself after `closeAfter`.
  // Throws WindowClosed when the window is closed meanwhile.
  void MessageBox(std::string_view title, std::string_view prompt,
                  std::optional<Clock::duration> closeAfter = std::nullopt);

  // The window's outer frame on the screen around a client area of the form's size, in twips
  // (window_frame.cpp; a page's in web/window_frame.cpp).
  WindowFrame Frame(const Form& form) const;

  // A point of the window (in the window system's units) in the client area's twips.
  // A finger's place, given as SDL gives it (0 to 1 across the window), in the client area's
  // twips.
  std::pair<double, double> TouchTwips(float x, float y) const;
  std::pair<double, double> Twips(int x, int y) const;
  // Where the pointer is, in the client area's twips; nothing when it is not over the window.
  std::optional<std::pair<double, double>> Pointer() const;

 private:
  bool Drawable() const;
  void Draw();
  void DrawAhead(SDL_Surface& surface);
  void Take(const SDL_Event& event);
  void TakeInBox(const SDL_Event& event);
  bool TakeWindowEvent(const SDL_WindowEvent& window);
  // A point of the window (in the window system's units) in output pixels, which differ on a
  // high-density display.
  std::pair<double, double> Output(int x, int y) const;
  SDL_Point Pixel(int x, int y) const;
  SDL_Point TouchPixel(float x, float y) const;
  bool FullScreen() const;
  void SetFullScreen(bool on);

  Owner& owner_;
  WindowHandle window_;
  std::optional<WindowCanvas> canvas_;
  std::unique_ptr<DrawCache> cache_;
  Damage damage_;
  Viewport viewport_;
  std::optional<Dialog> dialog_;
  // The key that closed the box: its repeats and its release are the box's too.
  std::optional<SDL_Scancode> spentKey_;
  // The box was closed by a click: the clicks that follow it as a double click are its too,
  // and do not press a button that showed up under the pointer.
  bool spentClick_ = false;
  bool swallowRelease_ = false;
  bool focused_ = true;
  bool dirty_ = true;
  bool closed_ = false;
};

}  // namespace zentor
