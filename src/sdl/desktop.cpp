#include "sdl/desktop.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/game.h"
#include "picture/font_file.h"
#include "playfield/convert.h"
#include "replay/recorder.h"
#include "sdl/clock.h"
#include "sdl/display.h"
#include "sdl/gamepad.h"
#include "sdl/input.h"
#include "sdl/playback.h"
#include "sdl/window.h"

namespace zentor {
namespace {

void Say(const std::string& sentence) {
  std::fprintf(stderr, "zentor: %s\n", sentence.c_str());
}

// Drivers that SDL falls back on, which draw where nobody sees it.
bool Invisible(const char* driver) {
  return driver && (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy");
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

// The game played in the window.
class Desktop final : public Host, public Window::Owner {
 public:
  Desktop(const std::string& fontFile, std::unique_ptr<Recording> recording)
      : window_(fontFile, *this), session_(*this, std::move(recording)) {}

  int Run() {
    Call([&] { session_.Load(); });
    window_.Show();
    clock_.Follow(Form().Timer1, TickClock::Clock::now());
    for (;;) {
      window_.Pump(clock_.Running() ? std::optional(clock_.Deadline()) : std::nullopt, true);
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
    window_.MessageBox(title, prompt);
    waitedForBox_ = true;
    // The pointer moved for the box alone: the buttons' look follows where it is now.
    if (const auto pointer = window_.Pointer()) {
      Look(buttons_.Move(Form(), pointer->first, pointer->second));
    } else {
      Look(buttons_.Leave());
    }
  }

  void End() override {
    ended_ = true;
    window_.Hide();
  }

  void Reseed() override {
    const auto ticks =
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    random_.Seed(ticks);
  }

  float NextRandom() override { return UnitFromBits(random_.Next()); }

  WindowFrame Frame() const override { return frame_; }

  // What the window shows.
  const zentor::Form& Shown() const override { return Form(); }
  ButtonLook Buttons() const override { return buttons_.Look(); }

  void Input(const SDL_Event& event) override {
    switch (event.type) {
      case SDL_KEYDOWN:
        KeyDown(event.key);
        return;
      case SDL_KEYUP:
        if (const auto code = GameKeyCode(event.key.keysym.scancode)) {
          Call([&] { session_.KeyUp(*code); });
        }
        return;
      case SDL_MOUSEMOTION: {
        const auto [x, y] = window_.Twips(event.motion.x, event.motion.y);
        Look(buttons_.Move(Form(), x, y));
        return;
      }
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
          const auto [x, y] = window_.Twips(event.button.x, event.button.y);
          Look(buttons_.Press(Form(), x, y));
        }
        return;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
          const auto [x, y] = window_.Twips(event.button.x, event.button.y);
          Click(buttons_.Release(Form(), x, y));
          window_.Changed();
        }
        return;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && Form().Timer1.Enabled) {
          // A game left running behind other windows is paused, as P pauses it.
          Call([&] { session_.KeyDown(kKeyP); });
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
          Look(buttons_.Leave());
        }
        return;
      default:
        Pad(gamepads_.Handle(event));
        return;
    }
  }

  void Follow(const SDL_Event& event) override { gamepads_.Handle(event); }
  bool Ended() const override { return ended_; }

 private:
  const zentor::Form& Form() const { return session_.form(); }
  bool Finished() const { return ended_ || window_.Closed(); }

  void Look(bool changed) {
    if (changed) {
      window_.Changed();
    }
  }

  // Every call on the game: the window's frame as it stands for the whole call, and afterwards
  // the clock follows Timer1 and the next frame shows what changed.
  template <class Handler>
  void Call(Handler handler) {
    frame_ = window_.Frame(Form());
    handler();
    clock_.Follow(Form().Timer1, TickClock::Clock::now());
    Look(buttons_.Refresh(Form()));
    window_.Changed();
  }

  void Tick() {
    if (!Form().Timer1.Enabled) {
      return;
    }
    const auto started = TickClock::Clock::now();
    Call([&] { session_.Tick(); });
    if (waitedForBox_) {
      waitedForBox_ = false;
      clock_.Resume(TickClock::Clock::now());
    } else {
      clock_.Ticked(started);
    }
  }

  void KeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    if (scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER) {
      Click(ButtonId::Restart);
    } else if (const auto code = GameKeyCode(scancode)) {
      // Held keys repeat their key-down as the system repeats them.
      Call([&] { session_.KeyDown(*code); });
    }
  }

  // A controller's actions, as the keys and the button they stand for.
  void Pad(const std::vector<PadAction>& actions) {
    for (const PadAction& action : actions) {
      switch (action.kind) {
        case PadAction::Kind::KeyDown:
          Call([&] { session_.KeyDown(action.code); });
          break;
        case PadAction::Kind::KeyUp:
          Call([&] { session_.KeyUp(action.code); });
          break;
        case PadAction::Kind::PressRestart:
          Click(ButtonId::Restart);
          break;
      }
    }
  }

  void Click(ButtonId button) {
    if (button == ButtonId::Restart && Form().Restart.Visible) {
      Call([&] { session_.ClickRestart(); });
    } else if (button == ButtonId::endgame && Form().endgame.Visible) {
      Call([&] { session_.ClickEndgame(); });
    }
  }

  Window window_;
  Session session_;
  TickClock clock_;
  ButtonTracker buttons_;
  Gamepads gamepads_;
  SplitMix random_;
  WindowFrame frame_{};
  bool waitedForBox_ = false;
  bool ended_ = false;
};

// "2026-12-09T04:20:00Z": when a recording was made, for its header.
std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

// Starts SDL's video on a display that someone sees. Nothing on success, else the sentence.
std::optional<std::string> StartVideo() {
  // Our own handlers end the program on SIGTERM and SIGINT; a full-screen game must not shrink
  // away when it loses the focus.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  const bool driverAskedFor = !Unset("SDL_VIDEODRIVER");
  if (auto sentence = PrepareDisplay(driverAskedFor)) {
    return sentence;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    return NoWindowSentence();
  }
  if (!driverAskedFor && Invisible(SDL_GetCurrentVideoDriver())) {
    SDL_ClearError();
    const std::string sentence = NoWindowSentence();
    SDL_Quit();
    return sentence;
  }
  WindowCanvas::ChooseShowing();
  // Without controller support the keyboard still plays the whole game.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  return std::nullopt;
}

}  // namespace

int RunDesktop(const DesktopOptions& options) {
  EndOnSignals();
  // What cannot be recorded or played is refused before any window opens.
  std::unique_ptr<Recording> recording;
  std::optional<ScriptPlayback> playback;
  std::string refusal;
  if (!options.record.empty()) {
    recording = OpenRecording(options.record, ZENTOR_VERSION, UtcNow(), refusal);
  } else if (!options.play.empty()) {
    playback = ScriptPlayback::Load(options.play, refusal);
  }
  if (!refusal.empty()) {
    Say(refusal);
    return kDesktopRefused;
  }
  // A recording of a game that never began holds only its header. It goes, so that the same
  // command works once the display or the font is there.
  bool began = false;
  const auto failed = [&](const std::string& sentence) {
    Say(sentence);
    if (!options.record.empty() && !began) {
      std::remove(options.record.c_str());
    }
    return kDesktopFailed;
  };
  const auto font = FindLabelFontFile();
  if (!font) {
    return failed(kNoFontSentence);
  }
  if (const auto sentence = StartVideo()) {
    return failed(*sentence);
  }
  int status = kDesktopFailed;
  try {
    if (playback) {
      status = playback->Run(*font);
    } else {
      Desktop desktop(*font, std::move(recording));
      began = true;
      status = desktop.Run();
    }
  } catch (const WindowClosed&) {
    status = 0;
  } catch (const std::runtime_error& error) {
    status = failed(error.what());
  }
  SDL_Quit();
  return status;
}

}  // namespace zentor
