#include "picture/form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "picture/pixels.h"
#include "picture/shapes.h"
#include "playfield/layout.h"

namespace zentor {
namespace {

constexpr Colour kBars = 0x00000000;

// A control's width or height in pixels at scale 1, where its caption's lines break.
int DesignPixels(float twips) {
  constexpr double kMost = 1 << 20;
  return static_cast<int>(
      std::lround(std::clamp(static_cast<double>(twips) / kTwipsPerPixel, 1.0, kMost)));
}

// A control's rectangle in output pixels. The key squares never move and share their borders,
// which the edge rule keeps shared at every scale; every other control keeps its size in pixels
// wherever it stands.
template <class Control>
std::optional<SDL_Rect> RectOf(const Viewport& viewport, const LayoutRow& row,
                               const Control& control) {
  if (row.Id == ControlId::LegendShape) {
    return viewport.TiledRect(control.Left, control.Top, control.Width, control.Height);
  }
  return viewport.PixelRect(control.Left, control.Top, control.Width, control.Height);
}

class Painter {
 public:
  // Draws within the clip of `pixels`, a part of the picture.
  Painter(Pixels& pixels, const Form& form, const Viewport& viewport, DrawCache& cache,
          const ButtonLook& look)
      : pixels_(pixels), form_(form), viewport_(viewport), cache_(cache), look_(look) {}

  void operator()(const Shape& shape) {
    if (!shape.Visible) {
      return;
    }
    const auto rect = RectOf(viewport_, StartingLayout[row_], shape);
    if (!rect) {
      return;
    }
    if (shape.Kind == ShapeKind::Oval) {
      if (const Image* oval =
              cache_.OvalImage(rect->w, rect->h, viewport_.Stroke(), shape.Fill, shape.FillColor)) {
        pixels_.Blend(*oval, *rect);
      }
      return;
    }
    if (shape.Fill == FillStyle::Solid) {
      pixels_.Fill(*rect, shape.FillColor);
    }
    DrawEdges(pixels_, *rect, viewport_.Stroke(), kWindowTextColour, kWindowTextColour);
  }

  void operator()(const Line& line) {
    if (!line.Visible) {
      return;
    }
    const auto ends = viewport_.PixelLine(line.X1, line.Y1, line.X2, line.Y2);
    if (!ends) {
      return;
    }
    const auto [from, to] = *ends;
    const int stroke = viewport_.Stroke();
    if (stroke == 1) {
      const auto point = [](SDL_FPoint p) {
        return SDL_Point{static_cast<int>(p.x), static_cast<int>(p.y)};
      };
      pixels_.Line(point(from), point(to), kWindowTextColour);
      return;
    }
    // Through the middle of the squares that the end pixels become.
    const float half = static_cast<float>(stroke) / 2;
    ThickLine({from.x + half, from.y + half}, {to.x + half, to.y + half}, stroke);
  }

  void operator()(const Label& label) {
    if (!label.Visible) {
      return;
    }
    const auto rect = RectOf(viewport_, StartingLayout[row_], label);
    if (!rect) {
      return;
    }
    if (label.Back == BackStyle::Opaque) {
      pixels_.Fill(*rect, label.BackColor);
    }
    const TextSetting setting{
        label.TextFont.Size, DesignPixels(label.Width),       rect->w, rect->h,
        viewport_.scale,     label.Align == Alignment::Centre};
    DrawClipped(pixels_, cache_.TextImage(row_, label.Caption, label.ForeColor, setting), rect->x,
                rect->y, *rect);
  }

  void operator()(const CommandButton& button) {
    const ButtonId id = &button == &form_.Restart ? ButtonId::Restart : ButtonId::endgame;
    if (!button.Visible) {
      return;
    }
    const auto rect = RectOf(viewport_, StartingLayout[row_], button);
    if (!rect) {
      return;
    }
    const int stroke = viewport_.Stroke();
    const bool hover = look_.hover == id;
    const bool pushed = hover && look_.pressed == id;
    DrawButtonFace(pixels_, *rect, stroke, hover, pushed, look_.focus == id);
    const SDL_Rect inside = Inset(*rect, kButtonBevel * stroke);
    const TextSetting setting{button.TextFont.Size,
                              std::max(DesignPixels(button.Width) - 2 * kButtonCaptionInset, 1),
                              std::max(rect->w - 2 * kButtonCaptionInset * stroke, 1),
                              inside.h,
                              viewport_.scale,
                              true};
    const Image* text = cache_.TextImage(row_, button.Caption, kButtonTextColour, setting);
    if (!text) {
      return;
    }
    const int shift = pushed ? stroke : 0;
    DrawClipped(pixels_, text, rect->x + (rect->w - text->Width()) / 2 + shift,
                rect->y + (rect->h - text->Height()) / 2 + shift, inside);
  }

  void operator()(const Timer&) {}

  // The layout row of the controls drawn next, whose images the cache keeps.
  void Row(size_t row) { row_ = row; }

 private:
  // A line `stroke` pixels wide with square ends.
  void ThickLine(SDL_FPoint from, SDL_FPoint to, int stroke) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::hypot(dx, dy);
    const float half = static_cast<float>(stroke) / 2;
    const float ux = length > 0 ? dx / length * half : half;
    const float uy = length > 0 ? dy / length * half : 0;
    pixels_.Quad(
        {SDL_FPoint{from.x - ux - uy, from.y - uy + ux},
         SDL_FPoint{from.x - ux + uy, from.y - uy - ux}, SDL_FPoint{to.x + ux + uy, to.y + uy - ux},
         SDL_FPoint{to.x + ux - uy, to.y + uy + ux}},
        kWindowTextColour);
  }

  Pixels& pixels_;
  const Form& form_;
  const Viewport& viewport_;
  DrawCache& cache_;
  const ButtonLook& look_;
  size_t row_ = 0;
};

// The pixels a control may touch when drawn: its rectangle, or for a line the box around its
// ends widened by the stroke, which a thick line's square ends reach into.
class Reach {
 public:
  Reach(const Viewport& viewport, const LayoutRow& row) : viewport_(viewport), row_(row) {}

  std::optional<SDL_Rect> operator()(const Shape& shape) const { return Boxed(shape); }
  std::optional<SDL_Rect> operator()(const Label& label) const { return Boxed(label); }
  std::optional<SDL_Rect> operator()(const CommandButton& button) const { return Boxed(button); }
  std::optional<SDL_Rect> operator()(const Timer&) const { return std::nullopt; }

  std::optional<SDL_Rect> operator()(const Line& line) const {
    if (!line.Visible) {
      return std::nullopt;
    }
    const auto ends = viewport_.PixelLine(line.X1, line.Y1, line.X2, line.Y2);
    if (!ends) {
      return std::nullopt;
    }
    const auto [from, to] = *ends;
    const int stroke = viewport_.Stroke();
    const int left = static_cast<int>(std::floor(std::min(from.x, to.x))) - stroke;
    const int top = static_cast<int>(std::floor(std::min(from.y, to.y))) - stroke;
    const int right = static_cast<int>(std::ceil(std::max(from.x, to.x))) + stroke + 1;
    const int bottom = static_cast<int>(std::ceil(std::max(from.y, to.y))) + stroke + 1;
    return InPicture({left, top, right - left, bottom - top});
  }

 private:
  template <class Control>
  std::optional<SDL_Rect> Boxed(const Control& control) const {
    if (!control.Visible) {
      return std::nullopt;
    }
    const auto rect = RectOf(viewport_, row_, control);
    return rect ? InPicture(*rect) : std::nullopt;
  }

  std::optional<SDL_Rect> InPicture(const SDL_Rect& rect) const {
    SDL_Rect inside;
    if (!SDL_IntersectRect(&rect, &viewport_.picture, &inside)) {
      return std::nullopt;
    }
    return inside;
  }

  const Viewport& viewport_;
  const LayoutRow& row_;
};

// Where the control of each layout row may draw, as the form stands: found once a frame, for
// all the areas drawn in it.
using Reaches = std::array<std::optional<SDL_Rect>, kLayoutRows>;

Reaches ReachesOf(const Form& form, const Viewport& viewport) {
  Reaches reaches;
  for (size_t row = 0; row < StartingLayout.size(); ++row) {
    reaches[row] = WithControl(form, StartingLayout[row], Reach(viewport, StartingLayout[row]));
  }
  return reaches;
}

// Every shown control within `clip`, from the bottom of the stacking order up. The buttons,
// windows of their own above every drawn control, are the layout's first rows and so come last.
void PaintControls(Pixels& pixels, const Form& form, const Viewport& viewport, DrawCache& cache,
                   const ButtonLook& buttons, const Reaches& reaches, const SDL_Rect& clip) {
  pixels.Clip(clip);
  Painter painter(pixels, form, viewport, cache, buttons);
  for (size_t row = StartingLayout.size(); row-- > 0;) {
    const std::optional<SDL_Rect>& area = reaches[row];
    if (area && SDL_HasIntersection(&*area, &clip)) {
      painter.Row(row);
      WithControl(form, StartingLayout[row], painter);
    }
  }
}

}  // namespace

void DrawForm(SDL_Surface& target, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons) {
  Pixels pixels(target);
  const SDL_Rect output{0, 0, viewport.outputWidth, viewport.outputHeight};
  // The bars around a picture that does not fill the output; each pixel is filled once.
  pixels.Fill({0, 0, output.w, viewport.picture.y}, kBars);
  pixels.Fill({0, viewport.picture.y + viewport.picture.h, output.w, output.h}, kBars);
  pixels.Fill({0, viewport.picture.y, viewport.picture.x, viewport.picture.h}, kBars);
  pixels.Fill(
      {viewport.picture.x + viewport.picture.w, viewport.picture.y, output.w, viewport.picture.h},
      kBars);
  pixels.Fill(viewport.picture, form.BackColor);
  cache.BeginWholeFrame();
  PaintControls(pixels, form, viewport, cache, buttons, ReachesOf(form, viewport),
                viewport.picture);
  cache.EndWholeFrame();
}

void DrawFormAreas(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& buttons, std::span<const SDL_Rect> areas) {
  Pixels pixels(target);
  const Reaches reaches = ReachesOf(form, viewport);
  for (const SDL_Rect& area : areas) {
    SDL_Rect clip;
    if (!SDL_IntersectRect(&area, &viewport.picture, &clip)) {
      continue;
    }
    pixels.Clip(clip);
    pixels.Fill(clip, form.BackColor);
    PaintControls(pixels, form, viewport, cache, buttons, reaches, clip);
  }
}

std::optional<SDL_Rect> DrawnArea(const Form& form, const LayoutRow& row,
                                  const Viewport& viewport) {
  return WithControl(form, row, Reach(viewport, row));
}

}  // namespace zentor
