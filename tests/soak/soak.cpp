// zentor-soak [TICKS] [SEED]: plays TICKS timer ticks (a million by default) of pseudo-random
// input straight through the handlers: arrows, other keys, pauses, restarts and window
// geometries; most games steered at random, some by a player that searches ahead for a way
// through the rocks, so that the later stages are reached and played with the same input. After
// every tick it checks what must always hold and stops at the first violation with status 1.
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "autopilot.h"
#include "game/game.h"
#include "playfield/convert.h"

namespace zentor {
namespace {

constexpr int16_t kStep = 200;
// The searching player plans this many ticks ahead and plays the first part of each plan.
constexpr int kPlanTicks = 600;
constexpr int kPlayedTicks = 400;
constexpr int64_t kPlanBudget = 20000;  // simulated ticks

class SoakHost : public Host {
 public:
  explicit SoakHost(uint32_t seed) : draws_(seed) {}

  void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override {
    ++boxes;
    goodBox = goodBox && prompt == kGameOverPrompt && buttons == kOkOnly && title == kGameOverTitle;
  }
  void End() override { ++ends; }
  void Reseed() override {}  // the draws are one seeded sequence
  float NextRandom() override { return UnitFromBits(static_cast<uint32_t>(draws_())); }
  WindowFrame Frame() const override { return frame; }

  WindowFrame frame = {0, 0, 15000, 12750};
  uint64_t boxes = 0;
  uint64_t ends = 0;
  bool goodBox = true;

 private:
  std::mt19937 draws_;
};

struct Failure {
  std::string what;
};

// Digits only, no leading zero: the only captions the game may write as its score.
bool IsPlainDigits(std::string_view text) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) {
    return false;
  }
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

uint64_t DigitsValue(std::string_view text) {
  uint64_t value = 0;
  for (const char c : text) {
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value;
}

bool IsStep(int16_t step) {
  return step == 0 || step == kStep || step == -kStep;
}

bool Finite(const Shape& s) {
  return std::isfinite(s.Left) && std::isfinite(s.Top) && std::isfinite(s.Width) &&
         std::isfinite(s.Height);
}

class Soak {
 public:
  explicit Soak(uint32_t seed) : inputs_(seed), host_(seed + 1), game_(host_) {}

  void Run(uint64_t ticks) {
    OnLoad(game_);
    CheckSpeeds("after the load");
    while (ticksRun_ < ticks) {
      Step();
    }
    OnEndgameClick(game_);
    Require(host_.ends == 1, "the stop button did not end the program once");
  }

  void Report(std::ostream& out, double seconds) const {
    out << "zentor-soak: " << ticksRun_ << " ticks in " << seconds << " s, " << games_ << " games, "
        << host_.boxes << " game overs, " << pauses_ << " pauses, " << frames_
        << " window geometries, " << plans_ << " plans, best score " << best_
        << ", ticks per stage";
    for (const uint64_t n : ticksInStage_) {
      out << ' ' << n;
    }
    out << "\n";
  }

 private:
  void Require(bool holds, const std::string& what) const {
    if (!holds) {
      std::ostringstream where;
      where << what << " (tick " << ticksRun_ << ", score " << game_.form.lblScore.Caption
            << ", game " << games_ << ")";
      throw Failure{where.str()};
    }
  }

  bool Chance(double p) { return std::bernoulli_distribution(p)(inputs_); }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(inputs_); }
  float Between(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(inputs_);
  }

  void Step() {
    const bool over = host_.boxes > boxesAtRestart_;
    if (over) {
      if (Chance(0.05)) {
        Restart();
      } else {
        PressSomething();
      }
      return;
    }
    if (!game_.form.Timer1.Enabled) {
      if (Chance(0.2)) {
        OnKeyDown(game_, kKeySpace, 0);
        Require(game_.form.Timer1.Enabled, "the space bar did not start the clock");
      } else {
        PressSomething();
      }
      return;
    }
    if (Chance(0.0005)) {
      OnKeyDown(game_, kKeyP, 0);
      ++pauses_;
      Require(!game_.form.Timer1.Enabled, "P did not stop the clock");
      return;
    }
    if (Chance(0.0002)) {
      ChangeFrame();
    }
    if (skilled_ && DigitsValue(game_.form.lblScore.Caption) >= skillUntil_) {
      skilled_ = false;
    }
    if (skilled_) {
      FollowPlan();
      if (Chance(0.001)) {
        PressSomething();
      }
    } else if (Chance(0.1)) {
      PressSomething();
    }
    Tick();
    ++planned_;
  }

  // An arrow pressed or released, now and then another key.
  void PressSomething() {
    plan_.clear();
    const bool down = Chance(0.5);
    int16_t code = static_cast<int16_t>(kKeyLeft + Pick(4));
    if (Chance(0.05)) {
      code = static_cast<int16_t>(std::uniform_int_distribution<int>(
          std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max())(inputs_));
    } else if (Chance(0.05)) {
      code = Chance(0.5) ? kKeySpace : kKeyP;
    }
    const bool over = host_.boxes > boxesAtRestart_;
    const bool wasRunning = game_.form.Timer1.Enabled;
    down ? OnKeyDown(game_, code, 0) : OnKeyUp(game_, code, 0);
    Require(IsStep(game_.StepX) && IsStep(game_.StepY), "a step outside -200, 0, 200");
    if (over) {
      Require(!game_.form.Timer1.Enabled, "a key restarted the clock of a finished game");
    } else if (code != kKeySpace && code != kKeyP) {
      Require(game_.form.Timer1.Enabled == wasRunning,
              "a key other than space or P moved the clock");
    }
  }

  // Plans anew when the plan is used up or the game left it; a game the search finds no way out
  // of is played on at random.
  void FollowPlan() {
    if (plan_.empty() || planned_ >= kPlayedTicks) {
      const auto plan = bench::FindSurvivingPath(game_, host_, kPlanTicks, kPlanBudget);
      if (!plan) {
        skilled_ = false;
        return;
      }
      plan_ = *plan;
      planned_ = 0;
      turn_ = 0;
      ++plans_;
    }
    while (turn_ < plan_.size() && plan_[turn_].tick == planned_) {
      SetSteps(plan_[turn_].stepX, plan_[turn_].stepY);
      ++turn_;
    }
  }

  void SetSteps(int16_t x, int16_t y) {
    if (x != game_.StepX) {
      x == 0 ? OnKeyUp(game_, kKeyRight, 0) : OnKeyDown(game_, x < 0 ? kKeyLeft : kKeyRight, 0);
    }
    if (y != game_.StepY) {
      y == 0 ? OnKeyUp(game_, kKeyDown, 0) : OnKeyDown(game_, y < 0 ? kKeyUp : kKeyDown, 0);
    }
    Require(game_.StepX == x && game_.StepY == y, "the arrows did not give the steps asked for");
  }

  // The window moved and resized, sometimes far off the screen or larger than the playfield.
  void ChangeFrame() {
    plan_.clear();
    ++frames_;
    switch (Pick(4)) {
      case 0:
        host_.frame = {0, 0, 15000, 12750};
        break;
      case 1:
        host_.frame = {Between(-20000, 40000), Between(-20000, 40000), 15000, 12750};
        break;
      case 2:
        host_.frame = {Between(-20000, 40000), Between(-20000, 40000), Between(0, 60000),
                       Between(0, 60000)};
        break;
      default:
        host_.frame = {0, 0, Between(1, 3000), Between(1, 3000)};
        break;
    }
  }

  void Restart() {
    const uint64_t score = DigitsValue(game_.form.lblScore.Caption);
    best_ = std::max(best_, score);
    OnRestartClick(game_);
    boxesAtRestart_ = host_.boxes;
    ++games_;
    plan_.clear();
    skilled_ = Chance(0.05);
    skillUntil_ = std::uniform_int_distribution<uint64_t>(500, 7000)(inputs_);
    const Form& form = game_.form;
    Require(form.lblScore.Caption == "0", "the restart did not put the score back to 0");
    Require(!form.Timer1.Enabled, "the restart left the clock running");
    Require(!form.Restart.Visible && !form.endgame.Visible, "the restart left the buttons shown");
    Require(IsPlainDigits(form.high.Caption) && DigitsValue(form.high.Caption) == best_,
            "the best score is not the highest finished score");
  }

  void Tick() {
    const Form& form = game_.form;
    const std::string before = form.lblScore.Caption;
    const float width = form.Red.Width;
    const float height = form.Red.Height;
    const uint64_t boxes = host_.boxes;

    OnTimerTick(game_);
    ++ticksRun_;

    Require(IsPlainDigits(form.lblScore.Caption), "the score caption is not plain digits");
    Require(DigitsValue(form.lblScore.Caption) == DigitsValue(before) + 1,
            "the score did not grow by one");
    const uint64_t score = DigitsValue(form.lblScore.Caption);
    ++ticksInStage_[std::min<uint64_t>(score / 1000, ticksInStage_.size() - 1)];
    CheckSpeeds("after a tick");
    Require(IsStep(game_.StepX) && IsStep(game_.StepY), "a step outside -200, 0, 200");
    Require(host_.boxes <= boxes + 1, "more than one game-over box in one tick");
    Require(host_.goodBox, "a message box other than the game over");
    for (const Shape& rock : form.Rock) {
      Require(Finite(rock), "a rock position that is not finite");
    }
    Require(Finite(form.Red), "a square position that is not finite");
    Require(std::isfinite(form.lblnext.Top), "the banner position is not finite");

    const Shape& red = form.Red;
    const float panelEdge = form.Scorebox.Top + form.Scorebox.Height;
    Require(red.Left >= 0 && red.Left <= form.ScaleWidth - width,
            "the square left the client area sideways");
    Require(red.Top > panelEdge && red.Top + height <= form.ScaleHeight,
            "the square left the client area below the panel");

    const bool over = host_.boxes > boxesAtRestart_;
    Require(form.Restart.Visible == over && form.endgame.Visible == over,
            "the buttons are not shown exactly when the game is over");
    if (over) {
      Require(!form.Timer1.Enabled, "the clock runs after the game over");
    }
  }

  void CheckSpeeds(const char* when) const {
    for (const int16_t speed : game_.RockSpeed) {
      Require(speed >= 100 && speed <= 250, std::string("a rock speed outside 100..250 ") + when);
    }
  }

  std::mt19937 inputs_;
  SoakHost host_;
  Game game_;
  uint64_t ticksRun_ = 0;
  uint64_t boxesAtRestart_ = 0;
  uint64_t games_ = 1;
  uint64_t pauses_ = 0;
  uint64_t frames_ = 0;
  uint64_t best_ = 0;
  bool skilled_ = true;
  uint64_t skillUntil_ = 7000;
  std::vector<bench::Turn> plan_;
  int planned_ = 0;  // ticks played since the plan was made
  size_t turn_ = 0;
  uint64_t plans_ = 0;
  std::array<uint64_t, 7> ticksInStage_{};  // scores 1-999, 1000-1999, ... 5000-5999, 6000 on
};

// A whole positive number, or nothing.
bool ReadCount(const char* text, uint64_t& value) {
  const std::string_view word = text;
  if (!IsPlainDigits(word) || word.size() > 18 || word == "0") {
    return false;
  }
  value = DigitsValue(word);
  return true;
}

}  // namespace
}  // namespace zentor

int main(int argc, char** argv) {
  uint64_t ticks = 1000000;
  uint64_t seed = 1;
  if (argc > 3 || (argc > 1 && !zentor::ReadCount(argv[1], ticks)) ||
      (argc > 2 && !zentor::ReadCount(argv[2], seed))) {
    std::cerr << "usage: zentor-soak [TICKS] [SEED], both whole numbers above 0\n";
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  zentor::Soak soak(static_cast<uint32_t>(seed));
  try {
    soak.Run(ticks);
  } catch (const zentor::Failure& failure) {
    std::cerr << "zentor-soak: seed " << seed << ": " << failure.what << "\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "zentor-soak: seed " << seed << ": the game failed: " << error.what() << "\n";
    return 1;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  soak.Report(std::cout, elapsed.count());
  return 0;
}
