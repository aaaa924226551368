#include "sdl/playback.h"

#include <chrono>
#include <utility>

#include "host/watch.h"
#include "replay/share_link.h"
#include "sdl/input.h"
#include "sdl/window.h"

namespace zentor {
namespace {

// How long a game-over box stays before it closes by itself.
constexpr std::chrono::milliseconds kBoxShown{1500};

class PlaybackWindow final : public Window::Owner {
 public:
  PlaybackWindow(const std::string& fontFile, ScriptPlayer& player)
      : window_(fontFile, *this),
        player_(player),
        watch_([this] { return player_.Advance(); }, Window::Clock::now()) {
    player_.OnMessageBox([this](std::string_view prompt, std::string_view title) {
      window_.MessageBox(title, prompt, kBoxShown);
      watch_.BoxClosed(Window::Clock::now());
    });
  }

  int Run() {
    window_.Show();
    for (;;) {
      const auto deadline = watch_.Deadline();
      window_.Pump(deadline, deadline.has_value());
      if (window_.Closed()) {
        return 0;
      }
      if (watch_.StepIfDue(Window::Clock::now())) {
        window_.Changed();
      }
      if (player_.Ended()) {
        return 0;
      }
    }
  }

  const Form& Shown() const override { return player_.form(); }
  ButtonLook Buttons() const override { return {}; }

  // Space and P resume and pause the playback; every other key does nothing.
  void Input(const SDL_Event& event) override {
    if (event.type != SDL_KEYDOWN) {
      return;
    }
    if (const auto code = GameKeyCode(event.key.keysym.scancode)) {
      watch_.KeyDown(*code, Window::Clock::now());
    }
  }

  void Follow(const SDL_Event&) override {}
  bool Ended() const override { return player_.Ended(); }
  // Escape ends the playback, also while a game-over box is shown.
  bool Quits(SDL_Scancode key) const override { return key == SDL_SCANCODE_ESCAPE; }

 private:
  Window window_;
  ScriptPlayer& player_;
  Watch watch_;
};

}  // namespace

// The path of a script, or a link whose game is decoded into memory.
std::optional<ScriptPlayback> ScriptPlayback::Load(const std::string& path, std::string& refusal) {
  const std::unique_ptr<std::istream> script = OpenScript(path, refusal);
  if (!script) {
    return std::nullopt;
  }
  std::unique_ptr<ScriptPlayer> player = ScriptPlayer::Load(*script, refusal);
  if (!player) {
    refusal = ScriptNameOf(path) + ": " + refusal;
    return std::nullopt;
  }
  return ScriptPlayback(std::move(player));
}

int ScriptPlayback::Run(const std::string& fontFile) {
  PlaybackWindow window(fontFile, *player_);
  return window.Run();
}

}  // namespace zentor
