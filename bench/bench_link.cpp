// The cost of opening a shared game's link: a whole game's link decoded into its script, and a
// link of 17 MiB of zeros refused once its game passes 16 MiB.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "replay/share_link.h"

namespace zentor::bench {
namespace {

// A link kept in tests/links, without the line's end; empty when it cannot be read.
std::string LinkFile(const char* name) {
  std::ifstream in(std::string(ZENTOR_LINKS) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string link = text.str();
  while (!link.empty() && link.back() == '\n') {
    link.pop_back();
  }
  return link;
}

// The bytes of the game are reported, so that a change of the link shows in the figures.
void BM_DecodeShareLink(benchmark::State& state) {
  const std::string link = LinkFile("whole_game.link");
  std::string refusal;
  size_t bytes = 0;
  for (auto _ : state) {
    const auto script = DecodeShareLink(link, refusal);
    if (!script) {
      state.SkipWithError(refusal.c_str());
      return;
    }
    bytes = script->size();
    benchmark::DoNotOptimize(script->data());
  }
  state.counters["script_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DecodeShareLink)->Unit(benchmark::kMicrosecond);

void BM_RefuseOversizedLink(benchmark::State& state) {
  const std::string link = LinkFile("zeros.link");
  std::string refusal;
  for (auto _ : state) {
    if (DecodeShareLink(link, refusal)) {
      state.SkipWithError("the link of 17 MiB was taken");
      return;
    }
  }
}
BENCHMARK(BM_RefuseOversizedLink)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zentor::bench
