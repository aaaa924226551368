#include "host/session.h"

#include <utility>

namespace zentor {

Session::Session(Host& host) : Session(host, nullptr) {}

Session::Session(Host& host, std::unique_ptr<SessionRecorder> recorder)
    : recorder_(std::move(recorder)), host_(host, recorder_.get()), game_(host_) {}

void Session::Record(SessionCall call, int16_t key) {
  if (recorder_) {
    recorder_->Called(call, key);
  }
}

void Session::Load() {
  OnLoad(game_);
  Record(SessionCall::Load);
}

void Session::KeyDown(int16_t code) {
  OnKeyDown(game_, code, 0);
  Record(SessionCall::KeyDown, code);
}

void Session::KeyUp(int16_t code) {
  OnKeyUp(game_, code, 0);
  Record(SessionCall::KeyUp, code);
}

bool Session::Tick() {
  if (!TickRuns()) {
    return false;
  }
  OnTimerTick(game_);
  Record(SessionCall::Tick);
  return true;
}

void Session::ClickRestart() {
  if (!game_.form.Restart.Visible) {
    return;
  }
  OnRestartClick(game_);
  Record(SessionCall::ClickRestart);
}

void Session::ClickEndgame() {
  if (!game_.form.endgame.Visible) {
    return;
  }
  Record(SessionCall::ClickEndgame);
  OnEndgameClick(game_);
}

float Session::NotingHost::NextRandom() {
  const float value = host_.NextRandom();
  if (recorder_) {
    recorder_->NoteRandom(value);
  }
  return value;
}

WindowFrame Session::NotingHost::Frame() const {
  const WindowFrame frame = host_.Frame();
  if (recorder_) {
    recorder_->NoteFrame(frame);
  }
  return frame;
}

}  // namespace zentor
