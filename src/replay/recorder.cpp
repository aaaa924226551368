#include "replay/recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

#include "replay/script.h"
#include "system/files.h"

namespace zentor {
namespace {

// The command's script line with its end.
std::string LineOf(const ScriptCommand& command) {
  return FormatScriptLine(command) + '\n';
}

bool SameFrame(const WindowFrame& a, const WindowFrame& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

std::string TickLine(int64_t ticks) {
  return LineOf({.kind = ScriptCommand::Kind::Tick, .ticks = ticks});
}

// What the file holds after a failed write: whole lines, or, when even cutting it back failed,
// a last line that may be cut short.
constexpr std::string_view kHoldsTheGame = "it holds the game up to now";
constexpr std::string_view kMayEndInALine = "its last line may be cut short";

}  // namespace

Recording::Recording(int file, std::string path, std::ostream& complaints)
    : file_(file),
      path_(std::move(path)),
      complaints_(complaints),
      end_(std::max<int64_t>(FileEnd(file), 0)),
      frameWritten_(kDefaultFrame) {}

Recording::~Recording() {
  CloseFile(file_);
}

void Recording::NoteFrame(const WindowFrame& frame) {
  if (!stopped_ && !frameNoted_ && !SameFrame(frame, frameWritten_)) {
    frameNoted_ = frame;
  }
}

void Recording::NoteRandom(float value) {
  if (stopped_) {
    return;
  }
  randomsNoted_ += LineOf({.kind = ScriptCommand::Kind::Random, .randoms = {value}});
}

void Recording::TakeNoted() {
  pending_.clear();
  if (frameNoted_) {
    pending_ += LineOf({.kind = ScriptCommand::Kind::Window, .frame = *frameNoted_});
    frameWritten_ = *frameNoted_;
    frameNoted_.reset();
  }
  pending_ += randomsNoted_;
  randomsNoted_.clear();
}

void Recording::Command(const ScriptCommand& command) {
  if (stopped_) {
    return;
  }
  TakeNoted();
  pending_ += LineOf(command);
  Append(pending_);
  tickLineAt_ = -1;
}

void Recording::Tick() {
  if (stopped_) {
    return;
  }
  if (tickLineAt_ >= 0 && !frameNoted_ && randomsNoted_.empty()) {
    RewriteTickLine();
    return;
  }
  TakeNoted();
  const int64_t lineAt = end_ + static_cast<int64_t>(pending_.size());
  pending_ += TickLine(1);
  Append(pending_);
  tickLineAt_ = lineAt;
  ticks_ = 1;
}

// The last line, one tick more. A rewrite that fails (a line that grows by a digit on a full
// disk) puts the line back as it was.
void Recording::RewriteTickLine() {
  int64_t at = tickLineAt_;
  if (const int fault = WriteAt(file_, at, TickLine(ticks_ + 1))) {
    at = tickLineAt_;
    const bool restored = WriteAt(file_, at, TickLine(ticks_)) == 0 && CutFile(file_, at) == 0;
    Stop(fault, restored);
    return;
  }
  ++ticks_;
  end_ = at;
}

void Recording::Append(std::string_view lines) {
  int64_t at = end_;
  if (const int fault = WriteAt(file_, at, lines)) {
    Stop(fault, at == end_ || CutFile(file_, end_) == 0);
    return;
  }
  end_ = at;
}

void Recording::Stop(int fault, bool whole) {
  stopped_ = true;
  complaints_ << "zentor: recording stopped: " << path_ << ": " << std::strerror(fault) << "; "
              << (whole ? kHoldsTheGame : kMayEndInALine) << std::endl;
}

std::unique_ptr<Recording> OpenRecording(const std::string& path, std::string_view version,
                                         std::string_view date, std::string& error,
                                         std::ostream& complaints) {
  const int file = CreateNewFile(path);
  if (file < 0) {
    error = "cannot record to " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  const std::string header =
      "# zentor " + std::string(version) + " recording, " + std::string(date) + "\n";
  int64_t at = 0;
  if (const int fault = WriteAt(file, at, header)) {
    error = "cannot record to " + path + ": " + std::strerror(fault);
    CloseFile(file);
    RemoveFile(path);
    return nullptr;
  }
  return std::make_unique<Recording>(file, path, complaints);
}

void Recording::Called(SessionCall call, int16_t key) {
  using Kind = ScriptCommand::Kind;
  switch (call) {
    case SessionCall::Load:
      Command({.kind = Kind::Load});
      return;
    case SessionCall::KeyDown:
      Command({.kind = Kind::KeyDown, .key = key});
      return;
    case SessionCall::KeyUp:
      Command({.kind = Kind::KeyUp, .key = key});
      return;
    case SessionCall::Tick:
      Tick();
      return;
    case SessionCall::ClickRestart:
      Command({.kind = Kind::ClickRestart});
      return;
    case SessionCall::ClickEndgame:
      Command({.kind = Kind::ClickEndgame});
      return;
  }
}

}  // namespace zentor
