// The window shown through a streaming texture, as on Wayland or wherever a window has more
// pixels than points, on SDL's offscreen driver: after every frame of a game, what the renderer
// shows is the picture drawn whole for the same form, so each changed area uploaded holds its
// own pixels wherever it lies.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "autopilot.h"
#include "picture/font_file.h"
#include "picture/offscreen.h"
#include "playfield/layout.h"
#include "sdl/window.h"

// The offscreen driver's windows have as many pixels as points. This program's windows claim
// twice as many, as a dense display's do, which the window answers by showing its picture
// through a texture; SDL itself still sees the window's true size.
extern "C" void SDL_GetWindowSizeInPixels(SDL_Window* window, int* w, int* h) {
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window, &width, &height);
  if (w) {
    *w = 2 * width;
  }
  if (h) {
    *h = 2 * height;
  }
}

namespace zentor {
namespace {

using bench::QueueHost;
using bench::StartGame;
using bench::Steer;
using bench::Turn;

class GameOwner final : public Window::Owner {
 public:
  explicit GameOwner(const Form& form) : form_(form) {}
  const Form& Shown() const override { return form_; }
  ButtonLook Buttons() const override { return {}; }
  void Input(const SDL_Event&) override {}
  void Follow(const SDL_Event&) override {}
  bool Ended() const override { return false; }

 private:
  const Form& form_;
};

// The first pixel where what the renderer shows differs from the form drawn whole at its size,
// or "" when none does.
std::string FirstDifference(SDL_Renderer* renderer, const Form& form) {
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
    return SDL_GetError();
  }
  std::vector<Uint32> shown(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(),
                           width * static_cast<int>(sizeof(Uint32))) != 0) {
    return SDL_GetError();
  }
  OffscreenPicture drawn(width, height);
  drawn.Draw(form);
  const SDL_Surface& surface = drawn.Surface();
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                                      y * surface.pitch);
    for (int x = 0; x < width; ++x) {
      const Uint32 expected = row[x] & 0xFFFFFF;
      const Uint32 actual = shown[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
      if (actual != expected) {
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + " of " +
               std::to_string(width) + " x " + std::to_string(height) + ": shown " +
               std::to_string(actual) + ", drawn " + std::to_string(expected);
      }
    }
  }
  return "";
}

class TextureWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    // A renderer whose output can be read back after it presented, drawing into the offscreen
    // driver's own surface, not one shown through a GL renderer.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
    const std::optional<std::string> font = FindLabelFontFile();
    ASSERT_TRUE(font) << kNoFontSentence;
    font_ = *font;
  }
  void TearDown() override { SDL_Quit(); }

  std::string font_;
};

TEST_F(TextureWindow, EveryFrameOfAGameShowsThePictureDrawnWhole) {
  QueueHost host;
  Game game(host);
  StartGame(game);
  GameOwner owner(game.form);
  Window window(font_, owner);
  window.Show();
  SDL_Renderer* renderer = nullptr;
  for (Uint32 id = 1; !renderer && id < 64; ++id) {
    if (SDL_Window* shown = SDL_GetWindowFromID(id)) {
      renderer = SDL_GetRenderer(shown);
    }
  }
  ASSERT_NE(renderer, nullptr) << "the window is not shown through a texture";
  window.Pump(Window::Clock::now(), false);
  ASSERT_EQ(FirstDifference(renderer, game.form), "") << "the first frame";
  // The square steered to the right and down, the rocks falling and the score counting: small
  // areas all over the picture, far from its left edge.
  Steer(game, Turn{0, 200, 200});
  for (int tick = 1; tick <= 12 && host.boxes == 0; ++tick) {
    OnTimerTick(game);
    window.Changed();
    window.Pump(Window::Clock::now(), false);
    ASSERT_EQ(FirstDifference(renderer, game.form), "") << "tick " << tick;
  }
  EXPECT_EQ(host.boxes, 0u) << "the game ended on the way";
}

}  // namespace
}  // namespace zentor
