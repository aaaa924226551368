// The stage changes at the end of every tick: the banner, the square's size and the formations.
#include "game/game.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

constexpr double kHarderFrom = 1000;  // banner motion and the larger square from here on
constexpr double kTauntShown = 2000;
constexpr double kTauntHidden = 2050;
constexpr float kBannerStep = 200;
constexpr float kGrownSize = 700;
constexpr float kStageScoreSize = 800;

struct Place {
  float Left;
  float Top;
};

struct Formation {
  double Score;
  bool GrowsSquare;  // the square is 800 after this tick; at 4000 it stays 700
  std::array<Place, kRockCount> Rocks;
};

// Where every rock stands at each stage score, by index.
constexpr std::array<Formation, 4> RockFormation = {{
    {1000,
     true,
     {{{0, 0},
       {0, 0},
       {13560, 1440},
       {13560, 1200},
       {13560, 2400},
       {13560, 3600},
       {13560, 4800},
       {13560, 6000},
       {13560, 7200},
       {13560, 8400},
       {13560, 9600},
       {13560, 10920}}}},
    {2000,
     true,
     {{{0, 2160},
       {0, 4320},
       {0, 6480},
       {0, 8640},
       {0, 10800},
       {13800, 3240},
       {13800, 5400},
       {13800, 7560},
       {13800, 9720},
       {0, 0},
       {0, 0},
       {0, 0}}}},
    {3000,
     true,
     {{{0, 0},
       {0, 0},
       {0, 1440},
       {0, 1200},
       {0, 2400},
       {0, 3600},
       {0, 4800},
       {0, 6000},
       {0, 7200},
       {0, 8400},
       {0, 9600},
       {0, 10920}}}},
    {4000,
     false,
     {{{0, 2160},
       {0, 4320},
       {0, 6480},
       {0, 8640},
       {0, 10920},
       {5400, 480},
       {3240, 480},
       {13320, 480},
       {1080, 480},
       {7200, 480},
       {11400, 480},
       {9360, 480}}}},
}};

void SetSize(Shape& red, float size) {
  red.Width = size;
  red.Height = size;
}

void PlaceFormation(Form& form, const Formation& formation) {
  for (int i = 0; i < kRockCount; ++i) {
    form.Rock[i].Left = formation.Rocks[i].Left;
    form.Rock[i].Top = formation.Rocks[i].Top;
  }
}

void MakeHarder(Form& form) {
  form.lblnext.Top = static_cast<float>(static_cast<double>(form.lblnext.Top) + kBannerStep);
  SetSize(form.Red, kGrownSize);
}

// At 2000 the square also goes home and the taunt appears.
void StartStage3(Form& form) {
  form.Red.Left = kPlayerHomeLeft;
  form.Red.Top = kPlayerHomeTop;
  form.lblfunny.Visible = true;
}

}  // namespace

void ApplyStageChanges(Game& game) {
  Form& form = game.form;
  if (ScoreValue(game) >= kHarderFrom) {
    MakeHarder(form);
  }
  for (const Formation& formation : RockFormation) {
    if (ScoreValue(game) == formation.Score) {
      if (formation.GrowsSquare) {
        SetSize(form.Red, kStageScoreSize);
      }
      PlaceFormation(form, formation);
      if (formation.Score == kTauntShown) {
        StartStage3(form);
      }
    }
  }
  if (ScoreValue(game) == kTauntHidden) {
    form.lblfunny.Visible = false;
  }
}

}  // namespace zentor
