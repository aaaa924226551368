#include <array>
#include <cstdio>
#include <initializer_list>

#include "replay/replay.h"
#include "replay/script.h"

namespace zentor {
namespace {

void AppendInteger(std::string& out, int64_t value) {
  out += std::to_string(value);
}

void AppendString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04x", byte);
      out += escape.data();
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendList(std::string& out, std::initializer_list<float> values) {
  out += '[';
  bool first = true;
  for (const float value : values) {
    if (!first) {
      out += ',';
    }
    first = false;
    AppendNumber(out, value);
  }
  out += ']';
}

void AppendBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

}  // namespace

std::string StateLine(const Game& game, uint64_t reseeds) {
  const Form& form = game.form;
  std::string out = "{\"score\":";
  AppendString(out, form.lblScore.Caption);
  out += ",\"high\":";
  AppendString(out, form.high.Caption);
  out += ",\"start\":";
  AppendString(out, form.Start.Caption);
  out += ",\"timer\":";
  AppendBool(out, form.Timer1.Enabled);
  out += ",\"stepX\":";
  AppendInteger(out, game.StepX);
  out += ",\"stepY\":";
  AppendInteger(out, game.StepY);
  out += ",\"red\":";
  const Shape& red = form.Red;
  AppendList(out, {red.Left, red.Top, red.Width, red.Height});
  out += ",\"rocks\":[";
  for (int i = 0; i < kRockCount; ++i) {
    if (i > 0) {
      out += ',';
    }
    AppendList(out, {form.Rock[i].Left, form.Rock[i].Top});
  }
  out += "],\"speeds\":[";
  for (int i = 0; i < kRockCount; ++i) {
    if (i > 0) {
      out += ',';
    }
    AppendInteger(out, game.RockSpeed[i]);
  }
  out += "],\"lblnext\":";
  AppendNumber(out, form.lblnext.Top);
  out += ",\"lblfunny\":";
  AppendBool(out, form.lblfunny.Visible);
  out += ",\"restart\":";
  AppendBool(out, form.Restart.Visible);
  out += ",\"endgame\":";
  AppendBool(out, form.endgame.Visible);
  out += ",\"reseeds\":";
  AppendInteger(out, static_cast<int64_t>(reseeds));
  out += '}';
  return out;
}

}  // namespace zentor
