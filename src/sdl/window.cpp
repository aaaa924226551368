#include "sdl/window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "picture/dialog_look.h"
#include "picture/icon.h"
#include "picture/shapes.h"
#include "playfield/layout.h"
#include "sdl/display.h"
#include "sdl/wait.h"

namespace zentor {
namespace {

// Room left around the window for its frame and the desktop's panels.
constexpr int kFrameAllowanceX = 16;
constexpr int kFrameAllowanceY = 64;
constexpr int kIconSide = 64;
// SDL notices a controller plugged in only while it looks for events, so a wait without a
// deadline wakes this often.
constexpr std::chrono::milliseconds kHotPlugWake{1000};

bool ControllerEvent(Uint32 type) {
  return type >= SDL_CONTROLLERAXISMOTION && type < SDL_FINGERDOWN;
}

}  // namespace

SDL_Rect OpeningSize(const SDL_Rect& usable, double desktopScale) {
  const double room = std::min(static_cast<double>(usable.w - kFrameAllowanceX) / kPictureWidth,
                               static_cast<double>(usable.h - kFrameAllowanceY) / kPictureHeight);
  if (room >= 1) {
    const int whole = desktopScale > 1 ? 1 : static_cast<int>(std::floor(room));
    return {0, 0, kPictureWidth * whole, kPictureHeight * whole};
  }
  const double fit = std::max(room, static_cast<double>(kMinimumWindowWidth) / kPictureWidth);
  return {0, 0, static_cast<int>(std::lround(kPictureWidth * fit)),
          static_cast<int>(std::lround(kPictureHeight * fit))};
}

Window::Window(const std::string& fontFile, Owner& owner) : owner_(owner) {
  SDL_Rect usable;
  const SDL_Rect size = SDL_GetDisplayUsableBounds(0, &usable) == 0
                            ? OpeningSize(usable, DesktopScale())
                            : SDL_Rect{0, 0, kPictureWidth, kPictureHeight};
  window_.reset(
      SDL_CreateWindow(std::string(kWindowCaption).c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                       SDL_WINDOWPOS_CENTERED_DISPLAY(0), size.w, size.h,
                       SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
  if (!window_) {
    throw std::runtime_error(NoWindowSentence());
  }
  SDL_SetWindowMinimumSize(window_.get(), kMinimumWindowWidth, kMinimumWindowHeight);
  if (ShowsWindowIcon()) {
    if (const SurfaceHandle icon = DrawIcon(kIconSide)) {
      SDL_SetWindowIcon(window_.get(), icon.get());
    }
  }
  canvas_.emplace(window_.get());
  GiveWay();
  cache_ = std::make_unique<DrawCache>(fontFile);
  // No text is typed into the game: keep input methods out of the way.
  SDL_StopTextInput();
}

void Window::Show() {
  SDL_ShowWindow(window_.get());
  focused_ = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_INPUT_FOCUS) != 0;
  dirty_ = true;
}

void Window::Hide() {
  SDL_HideWindow(window_.get());
}

bool Window::Drawable() const {
  return (SDL_GetWindowFlags(window_.get()) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) == 0;
}

void Window::Pump(std::optional<Clock::time_point> deadline, bool sleepThrough) {
  if (dirty_ && Drawable()) {
    Draw();
  }
  SDL_Event event;
  bool came = false;
  if (deadline && sleepThrough) {
    SleepUntil(*deadline);
    came = SDL_PollEvent(&event) != 0;
  } else {
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kHotPlugWake);
    if (deadline) {
      wait = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()),
                        std::chrono::milliseconds(0), wait);
    }
    came = WaitForEvent(event, wait);
  }
  while (came && !closed_ && !owner_.Ended()) {
    Take(event);
    came = SDL_PollEvent(&event) != 0;
  }
}

void Window::Draw() {
  const bool renewed = canvas_->Stale();
  if (renewed) {
    canvas_->Renew();
    damage_.All();
  }
  SDL_Surface& surface = canvas_->Surface();
  viewport_ = Viewport::Fit(surface.w, surface.h);
  if (renewed && GivesWay()) {
    DrawAhead(surface);
  }
  Redraw redraw =
      DrawChanges(surface, owner_.Shown(), viewport_, *cache_, owner_.Buttons(), damage_);
  if (dialog_) {
    // The box lies above everything and is small: it is drawn again with every frame.
    const DialogLook look{dialog_->Title(), dialog_->Prompt(), dialog_->OkHover(),
                          dialog_->OkPressed(), focused_};
    DrawDialog(surface, viewport_, *cache_, look);
    redraw.areas.push_back(PlaceDialog(viewport_).box);
  }
  if (redraw.whole) {
    if (renewed) {
      // Putting a whole new canvas's pixels into it is a step of its own too.
      GiveWay();
    }
    canvas_->ShowAll();
  } else {
    canvas_->Show(redraw.areas);
  }
  dirty_ = false;
}

// A new canvas's picture rasterises every caption and rock anew, at its own size: in a page, that
// would hold the browser's thread for long. Each control's area is drawn once ahead, unseen, the
// browser taking its turn after each that rasterised something (after sizing the canvas too, which
// laid the page out); the whole picture then draws from what is kept.
void Window::DrawAhead(SDL_Surface& surface) {
  GiveWay();
  const Form& form = owner_.Shown();
  const ButtonLook buttons = owner_.Buttons();
  // From the bottom of the stacking order up, as the picture is drawn, so that each area finds
  // the captions beneath it drawn already.
  for (size_t index = StartingLayout.size(); index-- > 0;) {
    const std::optional<SDL_Rect> area = DrawnArea(form, StartingLayout[index], viewport_);
    if (!area) {
      continue;
    }
    const uint64_t rasterised = cache_->TextRasterised() + cache_->OvalsRasterised();
    DrawFormAreas(surface, form, viewport_, *cache_, buttons, {&*area, 1});
    if (cache_->TextRasterised() + cache_->OvalsRasterised() != rasterised) {
      GiveWay();
    }
  }
}

void Window::Take(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      closed_ = true;
      return;
    case SDL_WINDOWEVENT:
      if (TakeWindowEvent(event.window) && !dialog_) {
        owner_.Input(event);
      }
      return;
    case SDL_KEYDOWN: {
      const SDL_Scancode key = event.key.keysym.scancode;
      if (key == SDL_SCANCODE_F11) {
        if (!event.key.repeat) {
          SetFullScreen(!FullScreen());
        }
        return;
      }
      if (spentKey_ == key) {
        return;
      }
      if (owner_.Quits(key)) {
        closed_ = true;
        return;
      }
      if (key == SDL_SCANCODE_ESCAPE && FullScreen() && !dialog_) {
        SetFullScreen(false);
        return;
      }
      break;
    }
    case SDL_KEYUP:
      if (spentKey_ == event.key.keysym.scancode) {
        spentKey_.reset();
        return;
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT && std::exchange(spentClick_, false) &&
          event.button.clicks > 1) {
        swallowRelease_ = true;
        return;
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT && std::exchange(swallowRelease_, false)) {
        return;
      }
      break;
    default:
      break;
  }
  if (dialog_) {
    TakeInBox(event);
  } else {
    owner_.Input(event);
  }
}

// While the box is open every key and click is the box's: none reaches the game, then or later.
void Window::TakeInBox(const SDL_Event& event) {
  const SDL_Rect ok = PlaceDialog(viewport_).ok;
  switch (event.type) {
    case SDL_KEYDOWN:
      // A key held since before the box showed repeats; only a new press closes it.
      if (event.key.repeat == 0 && dialog_->KeyDown(event.key.keysym.scancode)) {
        spentKey_ = event.key.keysym.scancode;
        dirty_ = true;
      }
      return;
    case SDL_MOUSEMOTION:
      dirty_ |= dialog_->Move(Pixel(event.motion.x, event.motion.y), ok);
      return;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        dirty_ |= dialog_->Press(Pixel(event.button.x, event.button.y), ok);
      }
      return;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) {
        dirty_ |= dialog_->Release(Pixel(event.button.x, event.button.y), ok);
        spentClick_ = !dialog_->Open();
      }
      return;
    case SDL_FINGERDOWN:
      dirty_ |= dialog_->Press(TouchPixel(event.tfinger.x, event.tfinger.y), ok);
      return;
    case SDL_FINGERMOTION:
      dirty_ |= dialog_->Move(TouchPixel(event.tfinger.x, event.tfinger.y), ok);
      return;
    case SDL_FINGERUP:
      dirty_ |= dialog_->Release(TouchPixel(event.tfinger.x, event.tfinger.y), ok);
      dirty_ |= dialog_->Leave();
      return;
    default:
      if (ControllerEvent(event.type)) {
        if (event.type == SDL_CONTROLLERBUTTONDOWN) {
          dialog_->PadButton(event.cbutton.button);
        }
        owner_.Follow(event);
      }
      return;
  }
}

// Returns whether the owner hears of the event too.
bool Window::TakeWindowEvent(const SDL_WindowEvent& window) {
  switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      canvas_->Lost();
      dirty_ = true;
      return false;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
      // The display server has not kept the window's pixels.
      damage_.All();
      dirty_ = true;
      return false;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      focused_ = window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      // A key held while the focus went elsewhere is released where we do not hear it.
      spentKey_.reset();
      dirty_ |= dialog_.has_value();
      return true;
    case SDL_WINDOWEVENT_LEAVE:
      if (dialog_) {
        dirty_ |= dialog_->Leave();
      }
      return true;
    default:
      return false;
  }
}

void Window::MessageBox(std::string_view title, std::string_view prompt,
                        std::optional<Clock::duration> closeAfter) {
  dialog_.emplace(title, prompt);
  dirty_ = true;
  const std::optional<Clock::time_point> closeAt =
      closeAfter ? std::optional(Clock::now() + *closeAfter) : std::nullopt;
  while (dialog_->Open()) {
    Pump(closeAt, false);
    if (closed_) {
      throw WindowClosed{};
    }
    if (closeAt && Clock::now() >= *closeAt) {
      dialog_->Close();
    }
  }
  dialog_.reset();
  // What the box covered is drawn again.
  damage_.All();
  dirty_ = true;
}

std::pair<double, double> Window::Output(int x, int y) const {
  int width = 1;
  int height = 1;
  SDL_GetWindowSize(window_.get(), &width, &height);
  return {static_cast<double>(x) * viewport_.outputWidth / std::max(width, 1),
          static_cast<double>(y) * viewport_.outputHeight / std::max(height, 1)};
}

SDL_Point Window::Pixel(int x, int y) const {
  const auto [px, py] = Output(x, y);
  return {static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py))};
}

std::pair<double, double> Window::Twips(int x, int y) const {
  const auto [px, py] = Output(x, y);
  return {viewport_.TwipsX(px), viewport_.TwipsY(py)};
}

std::pair<double, double> Window::TouchTwips(float x, float y) const {
  return {viewport_.TwipsX(static_cast<double>(x) * viewport_.outputWidth),
          viewport_.TwipsY(static_cast<double>(y) * viewport_.outputHeight)};
}

SDL_Point Window::TouchPixel(float x, float y) const {
  return {static_cast<int>(std::floor(static_cast<double>(x) * viewport_.outputWidth)),
          static_cast<int>(std::floor(static_cast<double>(y) * viewport_.outputHeight))};
}

std::optional<std::pair<double, double>> Window::Pointer() const {
  if (SDL_GetMouseFocus() != window_.get()) {
    return std::nullopt;
  }
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  return Twips(x, y);
}

bool Window::FullScreen() const {
  return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void Window::SetFullScreen(bool on) {
  SDL_SetWindowFullscreen(window_.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  dirty_ = true;
}

}  // namespace zentor
