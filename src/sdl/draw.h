// Drawing the game window's controls from their records: one function for the desktop window
// and the replay tool's screenshots alike.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "playfield/controls.h"
#include "sdl/viewport.h"

namespace zentor {

enum class ButtonId : uint8_t { None, Restart, endgame };

// How the push buttons look in one frame.
struct ButtonLook {
  ButtonId hover = ButtonId::None;     // under the mouse pointer
  ButtonId pressed = ButtonId::None;   // pushed in: held down with the pointer over it
  ButtonId focus = ButtonId::Restart;  // the one that Enter presses, marked with a dotted frame
};

// Rasterised text and oval edges, kept between frames so that a frame redraws no unchanged
// text. Each frame keeps only what it drew: the caches never hold more than one picture needs,
// however often the score or the window's size changes. The textures belong to the renderer
// they were drawn with; use one renderer per cache and destroy the cache first.
class DrawCache {
 public:
  // Throws std::runtime_error when the font file cannot be opened.
  explicit DrawCache(std::string fontFile);
  ~DrawCache();
  DrawCache(const DrawCache&) = delete;
  DrawCache& operator=(const DrawCache&) = delete;

  // Drops every texture, for a renderer that has lost them.
  void Clear();

  size_t TextCount() const { return texts_.size(); }
  uint64_t TextRasterised() const { return textRasterised_; }
  size_t OvalCount() const { return ovals_.size(); }

  struct Text {
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
  };

  // What DrawForm uses; a frame lies between BeginFrame and EndFrame.
  void BeginFrame() { ++frame_; }
  void EndFrame();
  // Nothing (a null texture) for an empty caption.
  Text TextTexture(SDL_Renderer* renderer, std::string_view caption, int pixels, Colour colour,
                   int wrapWidth, bool centred);
  SDL_Texture* OvalTexture(SDL_Renderer* renderer, int width, int height, int stroke,
                           FillStyle fill, Colour fillColour);

 private:
  TTF_Font* FontOf(int pixels);

  template <class Value>
  struct Kept {
    Value value;
    uint64_t frame;
  };
  using TextKey = std::tuple<std::string, int, Colour, int, bool>;
  using OvalKey = std::tuple<int, int, int, FillStyle, Colour>;

  std::string fontFile_;
  uint64_t frame_ = 0;
  uint64_t textRasterised_ = 0;
  std::map<int, Kept<TTF_Font*>> fonts_;
  std::map<TextKey, Kept<Text>> texts_;
  std::map<OvalKey, Kept<SDL_Texture*>> ovals_;
};

// An oval inscribed in width x height pixels with a border of `stroke` pixels in the window-text
// colour, its edges anti-aliased; ARGB with straight alpha. Null when out of memory.
SDL_Surface* MakeOvalSurface(int width, int height, int stroke, FillStyle fill, Colour fillColour);

// Draws the whole window: bars around the picture, the window's colour, every shown control
// from the bottom of the stacking order up, and the shown push buttons above them all.
void DrawForm(SDL_Renderer* renderer, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons = {});

}  // namespace zentor
