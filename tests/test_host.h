// A host for unit tests: a queue of random numbers, counted reseeds and recorded message boxes.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"

namespace zentor::testing {

class TestHost : public Host {
 public:
  void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override {
    boxes.push_back(std::string(prompt) + "|" + std::to_string(buttons) + "|" + std::string(title));
  }
  void End() override { ++ends; }
  void Reseed() override { ++reseeds; }
  float NextRandom() override {
    if (randoms.empty()) {
      throw std::logic_error("random queue empty");
    }
    const float r = randoms.front();
    randoms.pop_front();
    return r;
  }
  WindowFrame Frame() const override { return frame; }

  std::deque<float> randoms;
  std::vector<std::string> boxes;
  int ends = 0;
  int reseeds = 0;
  WindowFrame frame = {0, 0, 15000, 12750};
};

// A loaded game whose every draw returns r = 0 (speed 100) unless a test queues others.
struct LoadedGame {
  LoadedGame() {
    host.randoms.assign(kRockCount, 0.0f);
    OnLoad(game);
  }
  // Queues enough zero draws for any number of recyclings in the ticks that follow.
  void FeedZeros(size_t count = 100000) { host.randoms.insert(host.randoms.end(), count, 0.0f); }
  TestHost host;
  Game game{host};
};

}  // namespace zentor::testing
