#include "sdl/desktop.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/game.h"
#include "host/play.h"
#include "picture/font_file.h"
#include "replay/recorder.h"
#include "sdl/display.h"
#include "sdl/gamepad.h"
#include "sdl/input.h"
#include "sdl/page.h"
#include "sdl/playback.h"
#include "sdl/wait.h"
#include "sdl/window.h"
#include "system/files.h"

namespace zentor {
namespace {

void Say(const std::string& sentence) {
  std::cerr << "zentor: " << sentence << '\n';
}

// Drivers that SDL falls back on, which draw where nobody sees it.
bool Invisible(const char* driver) {
  return driver && (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy");
}

// The game played in the window: SDL's events turned into what the play hears, and the play
// shown in the window.
class Desktop final : public Play::Platform, public Window::Owner {
 public:
  Desktop(const std::string& fontFile, std::unique_ptr<Recording> recording)
      : window_(fontFile, *this), play_(*this, std::move(recording)) {}

  int Run() {
    GiveWay();
    play_.Load();
    GiveWay();
    for (int step = 0; window_.ReadyText(step); ++step) {
      GiveWay();
    }
    window_.Show();
    for (;;) {
      window_.Pump(play_.Deadline(), true);
      // Checked after every batch of events, so that a stream of them cannot hold ticks back.
      if (!Finished()) {
        play_.TickIfDue();
      }
      if (Finished()) {
        return 0;
      }
    }
  }

  // What the play needs of the window.
  void ShowBox(std::string_view title, std::string_view prompt) override {
    window_.MessageBox(title, prompt);
  }
  void Close() override { window_.Hide(); }
  WindowFrame Frame(const Form& form) const override { return window_.Frame(form); }
  std::optional<std::pair<double, double>> Pointer() const override { return window_.Pointer(); }
  void Changed() override { window_.Changed(); }
  Play::Clock::time_point Now() const override { return Play::Clock::now(); }
  uint64_t Seed() const override {
    return static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
  }
  void StateChanged(PlayState state) override { TellPage(state); }
  void Said(const Words& words) override { TellPage(words); }
  void LoadDraws() override { GiveWay(); }

  // What the window shows.
  const zentor::Form& Shown() const override { return play_.form(); }
  ButtonLook Buttons() const override { return {play_.Hover(), play_.Held(), ButtonId::Restart}; }

  void Input(const SDL_Event& event) override {
    switch (event.type) {
      case SDL_KEYDOWN:
        KeyDown(event.key);
        return;
      case SDL_KEYUP:
        if (const auto code = GameKeyCode(event.key.keysym.scancode)) {
          play_.KeyUp(*code);
        }
        return;
      case SDL_MOUSEMOTION:
        if (event.motion.which != SDL_TOUCH_MOUSEID) {
          const auto [x, y] = window_.Twips(event.motion.x, event.motion.y);
          play_.PointerMove(x, y);
        }
        return;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        MouseButton(event.button);
        return;
      case SDL_FINGERDOWN:
      case SDL_FINGERMOTION:
      case SDL_FINGERUP:
        Finger(event.tfinger);
        return;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          play_.FocusLost();
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
          play_.PointerLeave();
        }
        return;
      default:
        if (const auto control = ReadPageControl(event)) {
          if (control->button != ButtonId::None) {
            play_.PressButton(control->button);
          } else if (control->down) {
            play_.KeyDown(control->code);
          } else {
            play_.KeyUp(control->code);
          }
        } else {
          Pad(gamepads_.Handle(event));
        }
        return;
    }
  }

  void Follow(const SDL_Event& event) override { gamepads_.Handle(event); }
  bool Ended() const override { return play_.Ended(); }

 private:
  bool Finished() const { return play_.Ended() || window_.Closed(); }

  void KeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    if (scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER) {
      play_.PressRestart();
    } else if (const auto code = GameKeyCode(scancode)) {
      play_.KeyDown(*code);
    }
  }

  // The left button; a touch screen's own events come as fingers.
  void MouseButton(const SDL_MouseButtonEvent& button) {
    if (button.button != SDL_BUTTON_LEFT || button.which == SDL_TOUCH_MOUSEID) {
      return;
    }
    const auto [x, y] = window_.Twips(button.x, button.y);
    if (button.type == SDL_MOUSEBUTTONDOWN) {
      play_.PointerPress(x, y);
    } else {
      play_.PointerRelease(x, y);
    }
  }

  void Finger(const SDL_TouchFingerEvent& finger) {
    const auto [x, y] = window_.TouchTwips(finger.x, finger.y);
    switch (finger.type) {
      case SDL_FINGERDOWN:
        play_.TouchDown(finger.fingerId, x, y);
        return;
      case SDL_FINGERMOTION:
        play_.TouchMove(finger.fingerId, x, y);
        return;
      default:
        play_.TouchUp(finger.fingerId, x, y);
        return;
    }
  }

  void Pad(const std::vector<PadAction>& actions) {
    for (const PadAction& action : actions) {
      play_.Pad(action);
    }
  }

  Window window_;
  Play play_;
  Gamepads gamepads_;
};

// "2026-12-09T04:20:00Z": when a recording was made, for its header.
std::string UtcNow() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date(day);
  const hh_mm_ss time(now - day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// Starts SDL's video on a display that someone sees. Nothing on success, else the sentence.
std::optional<std::string> StartVideo() {
  // Our own handlers end the program on SIGTERM and SIGINT; a full-screen game must not shrink
  // away when it loses the focus.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Touches are heard as fingers: the mouse SDL would make of them would press a button twice.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
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
  GiveWay();
  // Without controller support the keyboard still plays the whole game.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  return std::nullopt;
}

}  // namespace

int RunDesktop(const DesktopOptions& options) {
  EndOnSignals();
  // In a page, the program's start and the file it records into are steps apart.
  GiveWay();
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
      RemoveFile(options.record);
    }
    return kDesktopFailed;
  };
  const auto font = FindLabelFontFile();
  if (!font) {
    return failed(kNoFontSentence);
  }
  GiveWay();
  if (const auto sentence = StartVideo()) {
    return failed(*sentence);
  }
  GiveWay();
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
