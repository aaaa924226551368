// The window's push buttons under a pointer: which one a point is on, and what makes a click.
#include <gtest/gtest.h>

#include <utility>

#include "host/buttons.h"
#include "playfield/layout.h"

namespace zentor {
namespace {

std::pair<double, double> Centre(const CommandButton& b) {
  return {b.Left + b.Width / 2.0, b.Top + b.Height / 2.0};
}

Form FormWithButtons() {
  Form form = MakeForm();
  form.Restart.Visible = true;
  form.endgame.Visible = true;
  return form;
}

TEST(ButtonAt, EdgesBelongToTheButtonOnTheirLeftAndTop) {
  const Form form = FormWithButtons();
  const CommandButton& b = form.Restart;
  EXPECT_EQ(ButtonAt(form, b.Left, b.Top), ButtonId::Restart);
  EXPECT_EQ(ButtonAt(form, b.Left + b.Width - 0.5, b.Top + b.Height - 0.5), ButtonId::Restart);
  EXPECT_EQ(ButtonAt(form, b.Left + b.Width, b.Top), ButtonId::None);
  EXPECT_EQ(ButtonAt(form, b.Left, b.Top + b.Height), ButtonId::None);
  EXPECT_EQ(ButtonAt(form, Centre(form.endgame).first, Centre(form.endgame).second),
            ButtonId::endgame);
  EXPECT_EQ(ButtonAt(MakeForm(), Centre(b).first, Centre(b).second), ButtonId::None);
}

TEST(ButtonTracker, ClickIsPressAndReleaseOnTheSameShownButton) {
  const Form shown = FormWithButtons();
  const auto restart = Centre(shown.Restart);
  const auto endgame = Centre(shown.endgame);
  const std::pair<double, double> outside{100, 9000};
  const struct {
    const char* what;
    bool visible;
    std::pair<double, double> press, release;
    ButtonId clicked;
  } cases[] = {
      {"on Restart", true, restart, restart, ButtonId::Restart},
      {"on endgame", true, endgame, endgame, ButtonId::endgame},
      {"pressed on one, released on the other", true, restart, endgame, ButtonId::None},
      {"released beside the button", true, restart, outside, ButtonId::None},
      {"pressed beside, released on it", true, outside, restart, ButtonId::None},
      {"hidden buttons", false, restart, restart, ButtonId::None},
  };
  for (const auto& c : cases) {
    const Form form = c.visible ? shown : MakeForm();
    ButtonTracker tracker;
    tracker.Press(form, c.press.first, c.press.second);
    EXPECT_EQ(tracker.Release(form, c.release.first, c.release.second), c.clicked) << c.what;
    EXPECT_EQ(tracker.Held(), ButtonId::None) << c.what;
  }
}

TEST(ButtonTracker, PushedInOnlyWhileThePointerIsOverThePressedButton) {
  const Form form = FormWithButtons();
  const auto [x, y] = Centre(form.Restart);
  ButtonTracker tracker;
  EXPECT_TRUE(tracker.Move(form, x, y));
  EXPECT_EQ(tracker.Hover(), ButtonId::Restart);
  EXPECT_FALSE(tracker.Move(form, x + 10, y));
  EXPECT_TRUE(tracker.Press(form, x, y));
  EXPECT_EQ(tracker.Held(), ButtonId::Restart);
  EXPECT_TRUE(tracker.Move(form, 100, 9000));
  EXPECT_EQ(tracker.Hover(), ButtonId::None);
  EXPECT_EQ(tracker.Held(), ButtonId::Restart);
  // Dragged back over it and released: still a click.
  EXPECT_TRUE(tracker.Move(form, x, y));
  EXPECT_EQ(tracker.Release(form, x, y), ButtonId::Restart);
  EXPECT_TRUE(tracker.Leave());
  EXPECT_EQ(tracker.Hover(), ButtonId::None);
}

TEST(ButtonTracker, ButtonHiddenWhileHeldCannotBeClicked) {
  Form form = FormWithButtons();
  const auto [x, y] = Centre(form.Restart);
  ButtonTracker tracker;
  tracker.Press(form, x, y);
  form.Restart.Visible = false;
  EXPECT_TRUE(tracker.Refresh(form));
  form.Restart.Visible = true;
  EXPECT_EQ(tracker.Release(form, x, y), ButtonId::None);
}

TEST(ButtonTracker, HoverFollowsButtonsShownUnderAStillPointer) {
  Form form = MakeForm();
  const auto [x, y] = Centre(form.endgame);
  ButtonTracker tracker;
  EXPECT_FALSE(tracker.Move(form, x, y));
  form.endgame.Visible = true;
  EXPECT_TRUE(tracker.Refresh(form));
  EXPECT_EQ(tracker.Hover(), ButtonId::endgame);
  form.endgame.Visible = false;
  EXPECT_TRUE(tracker.Refresh(form));
  EXPECT_EQ(tracker.Hover(), ButtonId::None);
}

}  // namespace
}  // namespace zentor
