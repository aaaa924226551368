#include "host/buttons.h"

#include "playfield/layout.h"

namespace zentor {
namespace {

bool Inside(const CommandButton& button, double x, double y) {
  return button.Visible && x >= button.Left &&
         x < static_cast<double>(button.Left) + button.Width && y >= button.Top &&
         y < static_cast<double>(button.Top) + button.Height;
}

}  // namespace

ButtonId ButtonAt(const Form& form, double x, double y) {
  for (const LayoutRow& row : StartingLayout) {
    if (row.Id == ControlId::endgame && Inside(form.endgame, x, y)) {
      return ButtonId::endgame;
    }
    if (row.Id == ControlId::Restart && Inside(form.Restart, x, y)) {
      return ButtonId::Restart;
    }
  }
  return ButtonId::None;
}

bool ButtonTracker::Move(const Form& form, double x, double y) {
  pointer_ = {x, y};
  return presses_.Over(ButtonAt(form, x, y));
}

bool ButtonTracker::Press(const Form& form, double x, double y) {
  pointer_ = {x, y};
  return presses_.Press(ButtonAt(form, x, y));
}

bool ButtonTracker::Leave() {
  pointer_.reset();
  return presses_.Over(ButtonId::None);
}

bool ButtonTracker::Refresh(const Form& form) {
  const bool restart = !form.Restart.Visible && presses_.Forget(ButtonId::Restart);
  const bool endgame = !form.endgame.Visible && presses_.Forget(ButtonId::endgame);
  const bool hover =
      presses_.Over(pointer_ ? ButtonAt(form, pointer_->first, pointer_->second) : ButtonId::None);
  return restart || endgame || hover;
}

ButtonId ButtonTracker::Release(const Form& form, double x, double y) {
  pointer_ = {x, y};
  return presses_.Release(ButtonAt(form, x, y));
}

}  // namespace zentor
