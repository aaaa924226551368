#include "playfield/rect.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

void EndGame(Game& game) {
  game.host.MessageBox(kGameOverPrompt, kOkOnly, kGameOverTitle);
  game.form.Timer1.Enabled = false;
  game.form.endgame.Visible = true;
  game.form.Restart.Visible = true;
}

}  // namespace

// One game over per hit: the lowest-index rock that overlaps ends the game and the test stops,
// so the player sees a single box however many rocks touch the square.
void CheckCollisions(Game& game) {
  for (const Shape& rock : game.form.Rock) {
    const Shape& red = game.form.Red;
    const Rect player = RectOf(red.Left, red.Top, red.Width, red.Height);
    const Rect target = RectOf(rock.Left, rock.Top, rock.Width, rock.Height);
    if (IntersectRect(player, target)) {
      EndGame(game);
      return;
    }
  }
}

}  // namespace zentor
