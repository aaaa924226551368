// What the game says in words, for a page that tells it to a player who does not see the picture:
// the captions it shows, as the game has them, and the game-over box's while it is open.
#pragma once

#include <string>
#include <string_view>

#include "host/inputs.h"
#include "playfield/controls.h"

namespace zentor {

struct Words {
  PlayState state = PlayState::Waiting;
  std::string status;     // the status line (Start)
  std::string scoreName;  // the panel's names of the score and of the high score
  std::string score;
  std::string highName;
  std::string high;
  std::string restart;  // the push buttons' captions while they are shown, else empty
  std::string stop;
  std::string boxTitle;  // both empty while no box is open
  std::string boxPrompt;
  bool operator==(const Words&) const = default;
};

// The words of the form as it stands, in this state, with the box's title and prompt.
Words WordsOf(const Form& form, PlayState state, std::string_view boxTitle = {},
              std::string_view boxPrompt = {});

// Whether `now` says something new to a listener: anything changed but the score alone, which
// changes with every tick and is worth saying only with the rest.
bool SaysMore(const Words& before, const Words& now);

}  // namespace zentor
