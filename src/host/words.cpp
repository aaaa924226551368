#include "host/words.h"

namespace zentor {

Words WordsOf(const Form& form, PlayState state, std::string_view boxTitle,
              std::string_view boxPrompt) {
  const auto shown = [](const auto& control) {
    return control.Visible ? control.Caption : std::string();
  };
  return {state,
          shown(form.Start),
          form.Score.Caption,
          form.lblScore.Caption,
          form.Highscore.Caption,
          form.high.Caption,
          shown(form.Restart),
          shown(form.endgame),
          std::string(boxTitle),
          std::string(boxPrompt)};
}

bool SaysMore(const Words& before, const Words& now) {
  Words scoreAside = now;
  scoreAside.score = before.score;
  return scoreAside != before;
}

}  // namespace zentor
