#include "sdl/playback.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <utility>

#include "replay/share_link.h"
#include "sdl/window.h"

namespace zentor {
namespace {

// The game's pace: one tick every 25 ms.
constexpr std::chrono::milliseconds kTickInterval{25};
// How long a game-over box stays before it closes by itself.
constexpr std::chrono::milliseconds kBoxShown{1500};

class PlaybackWindow final : public Window::Owner {
 public:
  PlaybackWindow(const std::string& fontFile, ScriptPlayer& player)
      : window_(fontFile, *this), player_(player) {
    player_.OnMessageBox([this](std::string_view prompt, std::string_view title) {
      window_.MessageBox(title, prompt, kBoxShown);
      // The pace starts again after the box, as the game's clock does.
      next_ = Window::Clock::now() + kTickInterval;
    });
  }

  int Run() {
    window_.Show();
    next_ = Window::Clock::now() + kTickInterval;
    for (;;) {
      const bool running = !paused_ && more_;
      window_.Pump(running ? std::optional(next_) : std::nullopt, running);
      if (window_.Closed()) {
        return 0;
      }
      if (!paused_ && more_ && Window::Clock::now() >= next_) {
        Advance();
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
    switch (event.key.keysym.scancode) {
      case SDL_SCANCODE_SPACE:
        if (paused_) {
          paused_ = false;
          next_ = Window::Clock::now() + kTickInterval;
        }
        return;
      case SDL_SCANCODE_P:
        paused_ = true;
        return;
      default:
        return;
    }
  }

  void Follow(const SDL_Event&) override {}
  bool Ended() const override { return player_.Ended(); }
  // Escape ends the playback, also while a game-over box is shown.
  bool Quits(SDL_Scancode key) const override { return key == SDL_SCANCODE_ESCAPE; }

 private:
  void Advance() {
    const auto due = next_;
    more_ = player_.Advance();
    // Keeps the schedule without drift, and drops what a stall missed instead of racing.
    const auto now = Window::Clock::now();
    if (next_ == due) {
      next_ = now - due > kTickInterval ? now + kTickInterval : due + kTickInterval;
    }
    window_.Changed();
  }

  Window window_;
  ScriptPlayer& player_;
  Window::Clock::time_point next_;
  bool paused_ = false;
  bool more_ = true;
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
