#include "sdl/desktop.h"

#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

#include "game/game.h"
#include "playfield/convert.h"
#include "playfield/layout.h"
#include "sdl/canvas.h"
#include "sdl/clock.h"
#include "sdl/damage.h"
#include "sdl/draw.h"
#include "sdl/fonts.h"
#include "sdl/gamepad.h"
#include "sdl/handles.h"
#include "sdl/input.h"
#include "sdl/viewport.h"

namespace zentor {
namespace {

constexpr int kStatusFailed = 1;
// Room left around the window for its frame and the desktop's panels when it must shrink.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 64;
constexpr int kIconSide = 64;
constexpr int kHotPlugWakeMilliseconds = 1000;

void Say(const std::string& sentence) {
  std::fprintf(stderr, "zentor: %s\n", sentence.c_str());
}

// Where the kernel lists this program's child processes, written before any signal can come.
char childrenPath[64];

// SIGTERM and SIGINT end the program at once, whatever it is doing, also while the game-over
// box runs its own modal loop, which does not return to ours until it is closed. Ending
// without any clean-up loses nothing: the game saves nothing, and the display server frees the
// window with the connection. SDL shows that box from a child process, which would stay on the
// screen: it is ended first. Only calls that are safe in a signal handler are made here
// (open, read, kill, _exit); SDL_Quit and destructors are not.
void EndOnSignal(int) {
  const int file = open(childrenPath, O_RDONLY);
  if (file >= 0) {
    char list[256];
    const ssize_t length = read(file, list, sizeof list);
    close(file);
    pid_t child = 0;
    for (ssize_t i = 0; i <= length; ++i) {
      if (i < length && list[i] >= '0' && list[i] <= '9') {
        child = child * 10 + (list[i] - '0');
      } else if (child > 0) {
        kill(child, SIGKILL);
        child = 0;
      }
    }
  }
  _exit(0);
}

void InstallSignalHandlers() {
  std::snprintf(childrenPath, sizeof childrenPath, "/proc/%d/task/%d/children",
                static_cast<int>(getpid()), static_cast<int>(getpid()));
  struct sigaction action {};
  action.sa_handler = EndOnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool Unset(const char* variable) {
  const char* value = std::getenv(variable);
  return !value || !*value;
}

bool NoDisplay() {
  return Unset("DISPLAY") && Unset("WAYLAND_DISPLAY");
}

std::string NoWindowSentence() {
  if (NoDisplay()) {
    return "cannot open a window: no display found (set DISPLAY)";
  }
  const char* display = Unset("DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : std::getenv("DISPLAY");
  const std::string reason = SDL_GetError();
  return std::string("cannot open a window on display ") + display + ": " +
         (reason.empty() ? "it does not answer" : reason);
}

// Drivers that SDL falls back on, which draw where nobody sees it.
bool Invisible(const char* driver) {
  return driver && (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy");
}

// The window's icon, drawn from the game's own look: a rock falling at the square.
SurfaceHandle MakeIcon() {
  SurfaceHandle icon(
      SDL_CreateRGBSurfaceWithFormat(0, kIconSide, kIconSide, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!icon) {
    return icon;
  }
  const auto rgb = [&](Colour c) { return SDL_MapRGB(icon->format, Red(c), Green(c), Blue(c)); };
  const int unit = kIconSide / 16;
  SDL_FillRect(icon.get(), nullptr, rgb(kWindowBackColour));
  SDL_Rect panel{0, 0, kIconSide, 3 * unit};
  SDL_FillRect(icon.get(), &panel, rgb(0x0000FF00));
  SDL_Rect square{9 * unit, 10 * unit, 4 * unit, 4 * unit};
  SDL_FillRect(icon.get(), &square, rgb(0x00000000));
  SurfaceHandle rock(
      MakeOvalSurface(7 * unit, 7 * unit, std::max(1, unit / 2), FillStyle::Solid, 0x000080FF));
  if (rock) {
    SDL_Rect at{2 * unit, 4 * unit, rock->w, rock->h};
    SDL_BlitSurface(rock.get(), nullptr, icon.get(), &at);
  }
  return icon;
}

// SplitMix64, whose every seed starts it well, so that a reseed is one store: the game reseeds
// from the clock as often as every tick, which costs a generator of 624 words a share of each
// frame that shows in a profile.
class SplitMix {
 public:
  void Seed(uint64_t seed) { state_ = seed; }

  uint32_t Next() {
    constexpr uint64_t kGolden = 0x9E3779B97F4A7C15u;
    constexpr uint64_t kMix1 = 0xBF58476D1CE4E5B9u;
    constexpr uint64_t kMix2 = 0x94D049BB133111EBu;
    uint64_t z = state_ += kGolden;
    z = (z ^ (z >> 30)) * kMix1;
    z = (z ^ (z >> 27)) * kMix2;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }

 private:
  uint64_t state_ = 0;
};

class Desktop final : public Host {
 public:
  explicit Desktop(const std::string& fontFile) : game_(*this) {
    const SDL_Rect size = OpeningSize();
    window_.reset(
        SDL_CreateWindow(std::string(kWindowCaption).c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                         SDL_WINDOWPOS_CENTERED_DISPLAY(0), size.w, size.h,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
    if (!window_) {
      throw std::runtime_error(NoWindowSentence());
    }
    SDL_SetWindowMinimumSize(window_.get(), kPictureWidth / 4, kPictureHeight / 4);
    if (const SurfaceHandle icon = MakeIcon()) {
      SDL_SetWindowIcon(window_.get(), icon.get());
    }
    canvas_.emplace(window_.get());
    canvas_->Renew();
    cache_ = std::make_unique<DrawCache>(fontFile);
    // No text is typed into the game: keep input methods out of the way.
    SDL_StopTextInput();
  }

  int Run() {
    OnLoad(game_);
    SDL_ShowWindow(window_.get());
    clock_.Follow(game_.form.Timer1, TickClock::Clock::now());
    for (;;) {
      if (dirty_ && Drawable()) {
        Draw();
      }
      SDL_Event event;
      if (WaitForEvent(event)) {
        do {
          Handle(event);
        } while (!Finished() && SDL_PollEvent(&event));
      }
      // Checked after every batch of events, so that a stream of them cannot hold ticks back.
      if (!Finished() && clock_.Due(TickClock::Clock::now())) {
        Tick();
      }
      if (Finished()) {
        return 0;
      }
    }
  }

  // Host operations.
  void MessageBox(std::string_view prompt, int32_t, std::string_view title) override {
    // The player sees the square on the rock that hit it behind the box.
    Draw();
    // The game asks only for a single OK button without an icon, which are SDL's flags 0.
    if (SDL_ShowSimpleMessageBox(0, std::string(title).c_str(), std::string(prompt).c_str(),
                                 window_.get()) != 0) {
      Say(std::string("cannot show the message box: ") + SDL_GetError());
    }
    waitedForBox_ = true;
  }

  void End() override {
    ended_ = true;
    SDL_HideWindow(window_.get());
  }

  void Reseed() override {
    const auto ticks =
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    random_.Seed(ticks);
  }

  float NextRandom() override { return UnitFromBits(random_.Next()); }

  // The client area in the game's twips, whatever its size on the screen, and around it the
  // frame that the window system reports.
  WindowFrame Frame() const override {
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window_.get(), &x, &y);
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right) != 0) {
      top = left = bottom = right = 0;
    }
    return {static_cast<float>(x - left) * kTwipsPerPixel,
            static_cast<float>(y - top) * kTwipsPerPixel,
            game_.form.ScaleWidth + static_cast<float>(left + right) * kTwipsPerPixel,
            game_.form.ScaleHeight + static_cast<float>(top + bottom) * kTwipsPerPixel};
  }

 private:
  // The picture at its own size, or smaller when the display is too small for it.
  static SDL_Rect OpeningSize() {
    double fit = 1;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
      fit = std::min({1.0, static_cast<double>(usable.w - kFrameAllowanceX) / kPictureWidth,
                      static_cast<double>(usable.h - kFrameAllowanceY) / kPictureHeight});
      fit = std::max(fit, 0.25);
    }
    return {0, 0, static_cast<int>(std::lround(kPictureWidth * fit)),
            static_cast<int>(std::lround(kPictureHeight * fit))};
  }

  bool Finished() const { return ended_ || closed_; }

  bool Drawable() const {
    return (SDL_GetWindowFlags(window_.get()) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) == 0;
  }

  // Sleeps until an event comes or, while the clock runs, until the next tick is due.
  bool WaitForEvent(SDL_Event& event) {
    if (!clock_.Running()) {
      // SDL notices a controller plugged in only when it looks for events, so the wait wakes
      // now and then while no other event comes.
      return SDL_WaitEventTimeout(&event, kHotPlugWakeMilliseconds) != 0;
    }
    // While the clock runs, what came in counts from the next tick on: sleeping to it and then
    // taking every event at once looks for them once a frame, not each time one wakes us.
    std::this_thread::sleep_until(clock_.Deadline());
    return SDL_PollEvent(&event) != 0;
  }

  void Tick() {
    if (!game_.form.Timer1.Enabled) {
      return;
    }
    const auto started = TickClock::Clock::now();
    OnTimerTick(game_);
    if (waitedForBox_) {
      waitedForBox_ = false;
      clock_.Resume(TickClock::Clock::now());
    } else {
      clock_.Ticked(started);
    }
    Changed();
  }

  // After anything that may have changed the form: the clock follows Timer1 and the next
  // frame shows the change.
  void Changed() {
    clock_.Follow(game_.form.Timer1, TickClock::Clock::now());
    buttons_.Refresh(game_.form);
    dirty_ = true;
  }

  // Draws and shows what changed since the last frame.
  void Draw() {
    if (canvas_->Stale()) {
      canvas_->Renew();
      damage_.All();
    }
    SDL_Surface& surface = canvas_->Surface();
    viewport_ = Viewport::Fit(surface.w, surface.h);
    const Redraw redraw =
        DrawChanges(surface, game_.form, viewport_, *cache_, buttons_.Look(), damage_);
    if (redraw.whole) {
      canvas_->ShowAll();
    } else {
      canvas_->Show(redraw.areas);
    }
    dirty_ = false;
  }

  // A point of the window (in the window system's units) in the client area's twips.
  std::pair<double, double> Twips(int x, int y) const {
    int width = 1;
    int height = 1;
    SDL_GetWindowSize(window_.get(), &width, &height);
    const double px = static_cast<double>(x) * viewport_.outputWidth / std::max(width, 1);
    const double py = static_cast<double>(y) * viewport_.outputHeight / std::max(height, 1);
    return {viewport_.TwipsX(px), viewport_.TwipsY(py)};
  }

  void Handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:
        closed_ = true;
        return;
      case SDL_KEYDOWN:
        KeyDown(event.key);
        return;
      case SDL_KEYUP:
        if (const auto code = GameKeyCode(event.key.keysym.scancode)) {
          OnKeyUp(game_, *code, GameShiftState(event.key.keysym.mod));
          Changed();
        }
        return;
      case SDL_MOUSEMOTION: {
        const auto [x, y] = Twips(event.motion.x, event.motion.y);
        dirty_ |= buttons_.Move(game_.form, x, y);
        return;
      }
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
          const auto [x, y] = Twips(event.button.x, event.button.y);
          dirty_ |= buttons_.Press(game_.form, x, y);
        }
        return;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
          const auto [x, y] = Twips(event.button.x, event.button.y);
          Click(buttons_.Release(game_.form, x, y));
          dirty_ = true;
        }
        return;
      case SDL_WINDOWEVENT:
        WindowEvent(event.window);
        return;
      default:
        Pad(gamepads_.Handle(event));
        return;
    }
  }

  // A controller's actions, as the keys and the button they stand for.
  void Pad(const std::vector<PadAction>& actions) {
    for (const PadAction& action : actions) {
      switch (action.kind) {
        case PadAction::Kind::KeyDown:
          OnKeyDown(game_, action.code, 0);
          break;
        case PadAction::Kind::KeyUp:
          OnKeyUp(game_, action.code, 0);
          break;
        case PadAction::Kind::PressRestart:
          Click(ButtonId::Restart);
          break;
      }
      Changed();
    }
  }

  void KeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    if (scancode == SDL_SCANCODE_F11 && !key.repeat) {
      SetFullScreen(!FullScreen());
    } else if (scancode == SDL_SCANCODE_ESCAPE && FullScreen()) {
      SetFullScreen(false);
    } else if (scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER) {
      Click(ButtonId::Restart);
    } else if (const auto code = GameKeyCode(scancode)) {
      // Held keys repeat their key-down as the system repeats them.
      OnKeyDown(game_, *code, GameShiftState(key.keysym.mod));
      Changed();
    }
  }

  void Click(ButtonId button) {
    if (button == ButtonId::Restart && game_.form.Restart.Visible) {
      OnRestartClick(game_);
    } else if (button == ButtonId::endgame && game_.form.endgame.Visible) {
      OnEndgameClick(game_);
    } else {
      return;
    }
    Changed();
  }

  void WindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
      case SDL_WINDOWEVENT_FOCUS_LOST:
        // A game left running behind other windows is paused, as P pauses it.
        if (game_.form.Timer1.Enabled) {
          OnKeyDown(game_, kKeyP, 0);
          Changed();
        }
        return;
      case SDL_WINDOWEVENT_LEAVE:
        dirty_ |= buttons_.Leave();
        return;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        canvas_->Lost();
        dirty_ = true;
        return;
      case SDL_WINDOWEVENT_SHOWN:
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_RESTORED:
        // The display server has not kept the window's pixels.
        damage_.All();
        dirty_ = true;
        return;
      default:
        return;
    }
  }

  bool FullScreen() const {
    return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  }

  void SetFullScreen(bool on) {
    SDL_SetWindowFullscreen(window_.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    dirty_ = true;
  }

  Game game_;
  WindowHandle window_;
  std::optional<WindowCanvas> canvas_;
  std::unique_ptr<DrawCache> cache_;
  Damage damage_;
  Viewport viewport_;
  TickClock clock_;
  ButtonTracker buttons_;
  Gamepads gamepads_;
  SplitMix random_;
  bool dirty_ = true;
  bool waitedForBox_ = false;
  bool ended_ = false;
  bool closed_ = false;
};

}  // namespace

int RunDesktop() {
  InstallSignalHandlers();
  const auto font = FindLabelFontFile();
  if (!font) {
    Say(kNoFontSentence);
    return kStatusFailed;
  }
  // Our own handlers end the program on SIGTERM and SIGINT; a full-screen game must not
  // shrink away when the game-over box takes the focus.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Without a display SDL would go on with a window that nobody sees, unless SDL_VIDEODRIVER
  // asks for a driver of its own (a console, say).
  const bool driverAskedFor = !Unset("SDL_VIDEODRIVER");
  if (!driverAskedFor && NoDisplay()) {
    Say(NoWindowSentence());
    return kStatusFailed;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    Say(NoWindowSentence());
    return kStatusFailed;
  }
  if (!driverAskedFor && Invisible(SDL_GetCurrentVideoDriver())) {
    SDL_ClearError();
    Say(NoWindowSentence());
    SDL_Quit();
    return kStatusFailed;
  }
  WindowCanvas::ChooseShowing();
  // Without controller support the keyboard still plays the whole game.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  int status = kStatusFailed;
  try {
    Desktop desktop(*font);
    status = desktop.Run();
  } catch (const std::runtime_error& error) {
    Say(error.what());
  }
  SDL_Quit();
  return status;
}

}  // namespace zentor
