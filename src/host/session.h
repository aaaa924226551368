// The game as every host plays it: each handler call goes through here, which holds the rules a
// real window keeps (the clock ticks only while Timer1 is enabled, a hidden button cannot be
// clicked), and with a recorder each call is told to it with what the game read meanwhile.
#pragma once

#include <cstdint>
#include <memory>

#include "game/game.h"

namespace zentor {

// The calls a session makes on the game, as a recording writes them.
enum class SessionCall { Load, KeyDown, KeyUp, Tick, ClickRestart, ClickEndgame };

// What a session tells its recording, in the order it happens: the frame and the random numbers
// a call read, then the call itself.
class SessionRecorder {
 public:
  virtual ~SessionRecorder() = default;
  virtual void NoteFrame(const WindowFrame& frame) = 0;
  virtual void NoteRandom(float value) = 0;
  // `key` for KeyDown and KeyUp. ClickEndgame is told before it runs, since the end operation
  // closes the window and need not return; every other call after it ran.
  virtual void Called(SessionCall call, int16_t key) = 0;
};

class Session {
 public:
  // Plays and records nothing.
  explicit Session(Host& host);
  // Plays and records to `recorder` (none: records nothing).
  Session(Host& host, std::unique_ptr<SessionRecorder> recorder);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Game& game() { return game_; }
  const Game& game() const { return game_; }
  const Form& form() const { return game_.form; }

  void Load();
  void KeyDown(int16_t code);
  void KeyUp(int16_t code);
  // Whether the clock ticks now: only while Timer1 is enabled.
  bool TickRuns() const { return game_.form.Timer1.Enabled; }
  // One tick of the clock: nothing while it does not run. Whether it ticked.
  bool Tick();
  // The buttons' clicks: nothing while the button is hidden (and nothing is recorded), as a
  // hidden button cannot be clicked.
  void ClickRestart();
  void ClickEndgame();

 private:
  // The host as the game sees it: every operation goes to the session's host, and what the game
  // reads from it is noted in the recording.
  class NotingHost : public Host {
   public:
    NotingHost(Host& host, SessionRecorder* recorder) : host_(host), recorder_(recorder) {}
    void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override {
      host_.MessageBox(prompt, buttons, title);
    }
    void End() override { host_.End(); }
    void Reseed() override { host_.Reseed(); }
    float NextRandom() override;
    WindowFrame Frame() const override;

   private:
    Host& host_;
    SessionRecorder* recorder_;
  };

  void Record(SessionCall call, int16_t key = 0);

  std::unique_ptr<SessionRecorder> recorder_;
  NotingHost host_;
  Game game_;
};

}  // namespace zentor
