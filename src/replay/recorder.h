// Recordings: the game played in the window, written as it happens as a replay script that
// zentor-replay plays back exactly.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "game/game.h"
#include "replay/script.h"

namespace zentor {

// A replay script being written through to a file: after every call the file holds the whole
// game so far, so a program killed at any moment leaves a script that replays cleanly. It always
// ends at a whole line: a write that fails (a full disk, the file size limit, an I/O error) is
// cut back to where the last whole line ended, and the recording stops there.
class Recording {
 public:
  // Writes to `file`, an open descriptor of `path` that it closes at the end. A write error is
  // told to `complaints` once, as "zentor: recording stopped: PATH: reason; ...", and nothing
  // more is written.
  Recording(int file, std::string path, std::ostream& complaints);
  ~Recording();
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

  // What the game read during the command being run; written before that command.
  void NoteFrame(const WindowFrame& frame);
  void NoteRandom(float value);

  // A command that has just run, written as its script line; ticks go to Tick.
  void Command(const ScriptCommand& command);
  // A tick that has just run; a tick that follows another without reading anything new makes
  // the last line `tick N` one greater, rewritten in place.
  void Tick();

  bool Stopped() const { return stopped_; }

 private:
  // Writes whole lines at the end; when that fails the file is cut back to what it was.
  void Append(std::string_view lines);
  void RewriteTickLine();
  // The window and random lines of what was noted since the last command, into pending_.
  void TakeNoted();
  void Stop(int fault, bool whole);

  int file_;
  std::string path_;
  std::ostream& complaints_;
  bool stopped_ = false;
  off_t end_ = 0;
  std::optional<WindowFrame> frameNoted_;
  std::string randomsNoted_;
  std::string pending_;
  WindowFrame frameWritten_;
  off_t tickLineAt_ = -1;  // where the last line starts when it is a tick line
  int64_t ticks_ = 0;      // the count on that line
};

// Opens PATH for a new recording and writes its header comment ("# zentor VERSION recording,
// DATE"); later write errors are told to `complaints`. An existing file is never overwritten.
// Nothing, no file, and one sentence in `error` when the file cannot be made or its header
// cannot be written.
std::unique_ptr<Recording> OpenRecording(const std::string& path, std::string_view version,
                                         std::string_view date, std::string& error,
                                         std::ostream& complaints = std::cerr);

// The game as the window drives it: every handler call goes through here, and with a recording
// each is written to it as a script line, with the random numbers and the frame it read.
class Session {
 public:
  // Plays and records nothing.
  explicit Session(Host& host);
  // Plays and records to `recording` (none: records nothing).
  Session(Host& host, std::unique_ptr<Recording> recording);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Game& game() { return game_; }
  const Game& game() const { return game_; }
  const Form& form() const { return game_.form; }

  void Load();
  void KeyDown(int16_t code);
  void KeyUp(int16_t code);
  // One tick of the clock: nothing while Timer1 is disabled, as the clock does not tick then.
  void Tick();
  // The buttons' clicks: nothing while the button is hidden (and nothing is written), as a
  // hidden button cannot be clicked.
  void ClickRestart();
  void ClickEndgame();

 private:
  // The host as the game sees it: every operation goes to the window's host, and what the game
  // reads from it is noted in the recording.
  class NotingHost : public Host {
   public:
    NotingHost(Host& host, Recording* recording) : host_(host), recording_(recording) {}
    void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override {
      host_.MessageBox(prompt, buttons, title);
    }
    void End() override { host_.End(); }
    void Reseed() override { host_.Reseed(); }
    float NextRandom() override;
    WindowFrame Frame() const override;

   private:
    Host& host_;
    Recording* recording_;
  };

  std::unique_ptr<Recording> recording_;
  NotingHost host_;
  Game game_;
};

}  // namespace zentor
