// Recordings: a session's game, written as it happens as a replay script that zentor-replay
// plays back exactly.
#pragma once

#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "game/game.h"
#include "host/session.h"
#include "replay/script.h"

namespace zentor {

// A replay script being written through to a file: after every call the file holds the whole
// game so far, so a program killed at any moment leaves a script that replays cleanly. It always
// ends at a whole line: a write that fails (a full disk, the file size limit, an I/O error) is
// cut back to where the last whole line ended, and the recording stops there.
class Recording final : public SessionRecorder {
 public:
  // Writes to `file`, an open descriptor of `path` (system/files.h) that it closes at the end. A
  // write error is told to `complaints` once, as "zentor: recording stopped: PATH: reason; ...",
  // and nothing more is written.
  Recording(int file, std::string path, std::ostream& complaints);
  ~Recording();
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

  // What the game read during the command being run; written before that command.
  void NoteFrame(const WindowFrame& frame) override;
  void NoteRandom(float value) override;
  void Called(SessionCall call, int16_t key) override;

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
  int64_t end_ = 0;
  std::optional<WindowFrame> frameNoted_;
  std::string randomsNoted_;
  std::string pending_;
  WindowFrame frameWritten_;
  int64_t tickLineAt_ = -1;  // where the last line starts when it is a tick line
  int64_t ticks_ = 0;        // the count on that line
};

// Opens PATH for a new recording and writes its header comment ("# zentor VERSION recording,
// DATE"); later write errors are told to `complaints`. An existing file is never overwritten.
// Nothing, no file, and one sentence in `error` when the file cannot be made or its header
// cannot be written.
std::unique_ptr<Recording> OpenRecording(const std::string& path, std::string_view version,
                                         std::string_view date, std::string& error,
                                         std::ostream& complaints = std::cerr);

}  // namespace zentor
