#include "picture/dialog_look.h"

#include <algorithm>
#include <cmath>

#include "picture/pixels.h"
#include "picture/shapes.h"

namespace zentor {
namespace {

// The box at scale 1, in pixels from its top left corner: about the size of a desktop message
// box, with the game's button font so that its texts read as well as the buttons'.
struct Box {
  int width;
  int height;
  int frameStrokes;  // the raised frame: a light and a dark edge
  SDL_Rect titleBar;
  int titlePad;  // between the bar's left end and its title
  SDL_Rect prompt;
  SDL_Rect ok;  // the default button, its dark frame included
};
constexpr Box kBox{280, 120, 2, {4, 4, 272, 22}, 6, {12, 34, 256, 30}, {96, 78, 88, 30}};

constexpr float kTitlePoints = 11;
constexpr float kTextPoints = 13.5f;

constexpr Colour kActiveTitle = 0x00800000;  // dark blue, in the records' 0x00BBGGRR
constexpr Colour kInactiveTitle = 0x00808080;
constexpr Colour kActiveTitleText = 0x00FFFFFF;
constexpr Colour kInactiveTitleText = 0x00C0C0C0;
constexpr Colour kText = 0x00000000;

// A part of the box, from its edges at scale 1 to output pixels.
SDL_Rect Scaled(const SDL_Rect& box, const SDL_Rect& part, double scale) {
  const auto at = [scale](int pixels) {
    return static_cast<int>(std::floor(pixels * scale + 0.5));
  };
  const int left = at(part.x);
  const int top = at(part.y);
  return {box.x + left, box.y + top, std::max(at(part.x + part.w) - left, 1),
          std::max(at(part.y + part.h) - top, 1)};
}

// One line of text in its slot, placed in `room` (centred or after `pad` pixels) and clipped to it.
void DrawLine(Pixels& pixels, DrawCache& cache, size_t slot, const std::string& text, Colour colour,
              const SDL_Rect& room, int designWidth, int pad, double scale, float points,
              bool centred, bool bold, int shift) {
  const TextSetting setting{points,  designWidth, std::max(room.w - 2 * pad, 1), room.h, scale,
                            centred, bold};
  const Image* image = cache.TextImage(slot, text, colour, setting);
  if (!image) {
    return;
  }
  const int x = centred ? room.x + (room.w - image->Width()) / 2 : room.x + pad;
  const int y = room.y + std::max((room.h - image->Height()) / 2, 0);
  DrawClipped(pixels, image, x + shift, y + shift, room);
}

}  // namespace

DialogPlace PlaceDialog(const Viewport& viewport) {
  const SDL_Rect& picture = viewport.picture;
  const int width = std::min(static_cast<int>(std::lround(kBox.width * viewport.scale)), picture.w);
  const int height =
      std::min(static_cast<int>(std::lround(kBox.height * viewport.scale)), picture.h);
  const SDL_Rect box{picture.x + (picture.w - width) / 2, picture.y + (picture.h - height) / 2,
                     width, height};
  return {box, Scaled(box, kBox.ok, viewport.scale)};
}

void DrawDialog(SDL_Surface& target, const Viewport& viewport, DrawCache& cache,
                const DialogLook& look) {
  const DialogPlace place = PlaceDialog(viewport);
  const double scale = viewport.scale;
  const int stroke = viewport.Stroke();
  Pixels pixels(target);
  pixels.Clip(place.box);

  pixels.Fill(place.box, kButtonFace);
  DrawEdges(pixels, place.box, stroke, kButtonLight, kButtonDarkShadow);
  DrawEdges(pixels, Inset(place.box, stroke), stroke, kButtonHighlight, kButtonShadow);

  const SDL_Rect bar = Scaled(place.box, kBox.titleBar, scale);
  pixels.Fill(bar, look.focused ? kActiveTitle : kInactiveTitle);
  const int titlePad = static_cast<int>(std::lround(kBox.titlePad * scale));
  DrawLine(pixels, cache, kDialogTitleSlot, look.title,
           look.focused ? kActiveTitleText : kInactiveTitleText, bar,
           kBox.titleBar.w - 2 * kBox.titlePad, titlePad, scale, kTitlePoints, false, true, 0);

  DrawLine(pixels, cache, kDialogPromptSlot, look.prompt, kText,
           Scaled(place.box, kBox.prompt, scale), kBox.prompt.w, 0, scale, kTextPoints, true, false,
           0);

  // The default button: a dark frame around a push button that has the focus.
  DrawEdges(pixels, place.ok, stroke, kButtonDarkShadow, kButtonDarkShadow);
  const SDL_Rect button = Inset(place.ok, stroke);
  const bool pushed = look.okHover && look.okPressed;
  DrawButtonFace(pixels, button, stroke, look.okHover, pushed, true);
  const SDL_Rect caption = Inset(button, 2 * stroke);
  DrawLine(pixels, cache, kDialogOkSlot, "OK", kText, caption, kBox.ok.w - 6, 0, scale, kTextPoints,
           true, false, pushed ? stroke : 0);
}

}  // namespace zentor
