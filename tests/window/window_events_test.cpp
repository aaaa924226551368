// What the window does with events itself, on SDL's offscreen driver, without a display: F11 and
// its repeats, Escape in full screen with the game-over box open, OK's look when the pointer
// leaves the window, no event for a game that has ended, and a playback that ends the game.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "picture/dialog_look.h"
#include "picture/font_file.h"
#include "playfield/layout.h"
#include "sdl/playback.h"
#include "sdl/window.h"

namespace zentor {
namespace {

// What the game would be told, and when it has ended.
class GameOwner final : public Window::Owner {
 public:
  // The window asks for what it shows at the start of every frame it draws: each time the next
  // of `frameSteps` runs, which may look at the frame drawn before and send the next events.
  const Form& Shown() const override {
    if (stepsRun_ < frameSteps.size()) {
      frameSteps[stepsRun_++]();
    }
    return form_;
  }
  ButtonLook Buttons() const override { return {}; }
  void Input(const SDL_Event& event) override {
    taken.push_back(event.type);
    ended = taken.size() == endsAfter;
  }
  void Follow(const SDL_Event&) override {}
  bool Ended() const override { return ended; }

  std::vector<Uint32> taken;  // the types of the events that reached the game
  size_t endsAfter = 0;       // the game ends with the event of this number, 0: never
  bool ended = false;
  std::vector<std::function<void()>> frameSteps;

 private:
  Form form_ = MakeForm();
  mutable size_t stepsRun_ = 0;
};

// Long enough for any machine to take events that are already queued, or to play a short script.
constexpr Uint32 kGuardMs = 20000;
constexpr Uint32 kMsPerSecond = 1000;

// SDL's video on its offscreen driver, which needs no display, and the game's font.
class Offscreen : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    // The offscreen driver's own surface, not one shown through a GL renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
    const std::optional<std::string> font = FindLabelFontFile();
    ASSERT_TRUE(font) << kNoFontSentence;
    font_ = *font;
  }

  void TearDown() override {
    if (guard_) {
      SDL_RemoveTimer(guard_);
    }
    SDL_Quit();
  }

  // Closes the window after kGuardMs, so that a box that does not close fails instead of waiting.
  void Guard() {
    guard_ = SDL_AddTimer(
        kGuardMs,
        [](Uint32, void*) -> Uint32 {
          SDL_Event quit{};
          quit.type = SDL_QUIT;
          SDL_PushEvent(&quit);
          return 0;
        },
        nullptr);
  }

  std::string font_;

 private:
  SDL_TimerID guard_ = 0;
};

// A script that ends the game (`click endgame` after a game over) ends its playback by itself.
// Its window takes no event once the game has ended, so a playback that went on could not be
// closed: the test program ends with a sentence instead.
TEST_F(Offscreen, APlaybackThatEndsTheGameEndsByItself) {
  std::string refusal;
  std::optional<ScriptPlayback> playback =
      ScriptPlayback::Load(ZENTOR_SCENARIOS "/host/endgame.replay", refusal);
  ASSERT_TRUE(playback) << refusal;
  signal(SIGALRM, [](int) {
    constexpr std::string_view kSentence = "the playback of a script that ends the game goes on\n";
    [[maybe_unused]] const ssize_t written =
        write(STDERR_FILENO, kSentence.data(), kSentence.size());
    _exit(1);
  });
  alarm(kGuardMs / kMsPerSecond);
  EXPECT_EQ(playback->Run(font_), 0);
  alarm(0);
}

// The game's window, shown, and events sent to it.
class WindowEvents : public Offscreen {
 protected:
  void SetUp() override {
    Offscreen::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    window_.emplace(font_, owner_);
    window_->Show();
    // The window's id, for the events sent to it: the only window there is.
    for (Uint32 id = 1; !id_ && id < kIdsTried; ++id) {
      id_ = SDL_GetWindowFromID(id) ? id : 0;
    }
    ASSERT_NE(id_, 0U);
  }

  void TearDown() override {
    window_.reset();
    Offscreen::TearDown();
  }

  void Key(Uint32 type, SDL_Scancode key, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = id_;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = key;
    SDL_PushEvent(&event);
  }
  void Press(SDL_Scancode key) {
    Key(SDL_KEYDOWN, key);
    Key(SDL_KEYUP, key);
  }

  void WindowEvent(SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id_;
    event.window.event = static_cast<Uint8>(what);
    SDL_PushEvent(&event);
  }
  void MoveTo(SDL_Point point) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = id_;
    event.motion.x = point.x;
    event.motion.y = point.y;
    SDL_PushEvent(&event);
  }

  // A point of the face of the box's OK button, clear of its caption, as the window last drew it.
  SDL_Point OkFace() const {
    const SDL_Surface& surface = *SDL_GetWindowSurface(SDL_GetWindowFromID(id_));
    const SDL_Rect ok = PlaceDialog(Viewport::Fit(surface.w, surface.h)).ok;
    return {ok.x + ok.w / kFaceFromEdge, ok.y + ok.h / 2};
  }
  Uint32 Colour(SDL_Point point) const {
    const SDL_Surface& surface = *SDL_GetWindowSurface(SDL_GetWindowFromID(id_));
    EXPECT_EQ(surface.format->BytesPerPixel, sizeof(Uint32));
    const auto* row = static_cast<const Uint8*>(surface.pixels) + point.y * surface.pitch;
    return reinterpret_cast<const Uint32*>(row)[point.x];
  }

  // Takes every event queued so far.
  void Take() { window_->Pump(std::nullopt, false); }

  bool FullScreen() const {
    return (SDL_GetWindowFlags(SDL_GetWindowFromID(id_)) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  }

  Window& window() { return *window_; }

  GameOwner owner_;

 private:
  static constexpr Uint32 kIdsTried = 64;
  // A sixth of the button's width in from its left edge: past its frame, short of "OK".
  static constexpr int kFaceFromEdge = 6;
  std::optional<Window> window_;
  Uint32 id_ = 0;
};

TEST_F(WindowEvents, F11HeldTogglesFullScreenOnce) {
  Key(SDL_KEYDOWN, SDL_SCANCODE_F11);
  Key(SDL_KEYDOWN, SDL_SCANCODE_F11, 1);
  Take();
  EXPECT_TRUE(FullScreen()) << "after F11 and one repeat";
  Key(SDL_KEYDOWN, SDL_SCANCODE_F11, 1);
  Key(SDL_KEYUP, SDL_SCANCODE_F11);
  Take();
  EXPECT_TRUE(FullScreen()) << "after a second repeat and the release";
  Press(SDL_SCANCODE_F11);
  Take();
  EXPECT_FALSE(FullScreen()) << "after a new press";
}

TEST_F(WindowEvents, EscapeInFullScreenClosesTheBoxAndStaysInFullScreen) {
  Press(SDL_SCANCODE_F11);
  Take();
  ASSERT_TRUE(FullScreen());
  Press(SDL_SCANCODE_ESCAPE);
  Guard();
  EXPECT_NO_THROW(window().MessageBox("YOU SUCK!", "Game Over")) << "Escape did not close the box";
  EXPECT_TRUE(FullScreen()) << "Escape closing the box left full screen";
  Press(SDL_SCANCODE_ESCAPE);
  Take();
  EXPECT_FALSE(FullScreen()) << "Escape without the box does not leave full screen";
}

// The pointer over OK lights it up; the pointer leaving the window, with no motion to say where
// it went (as on Wayland), makes it plain again.
TEST_F(WindowEvents, LeavingTheWindowDropsOksHoverLook) {
  Take();
  std::vector<Uint32> faces;  // OK's face in the box's first three frames
  owner_.frameSteps = {
      [&] { MoveTo(OkFace()); },
      [&] {
        faces.push_back(Colour(OkFace()));
        WindowEvent(SDL_WINDOWEVENT_LEAVE);
        WindowEvent(SDL_WINDOWEVENT_EXPOSED);
      },
      [&] {
        faces.push_back(Colour(OkFace()));
        WindowEvent(SDL_WINDOWEVENT_EXPOSED);
      },
      [&] {
        faces.push_back(Colour(OkFace()));
        Press(SDL_SCANCODE_RETURN);
      },
  };
  Guard();
  EXPECT_NO_THROW(window().MessageBox("YOU SUCK!", "Game Over"));
  ASSERT_EQ(faces.size(), 3U);
  EXPECT_NE(faces[1], faces[0]) << "OK is not lit up with the pointer over it";
  EXPECT_EQ(faces[2], faces[0]) << "OK stays lit up after the pointer left the window";
}

TEST_F(WindowEvents, NoEventReachesTheGameAfterItEnded) {
  owner_.endsAfter = 1;
  Press(SDL_SCANCODE_LEFT);
  Press(SDL_SCANCODE_SPACE);
  Take();
  EXPECT_EQ(owner_.taken, std::vector<Uint32>{SDL_KEYDOWN});
}

}  // namespace
}  // namespace zentor
