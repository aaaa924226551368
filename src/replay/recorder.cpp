#include "replay/recorder.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

#include "replay/script.h"

namespace zentor {
namespace {

// Writes all of `text` at `at`, which moves to where the bytes written end; 0, or the error
// number of the write that failed. pwrite leaves the descriptor's own offset alone, so writing
// the end and rewriting the last tick line mix.
int WriteAll(int file, off_t& at, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = pwrite(file, text.data(), text.size(), at);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : ENOSPC;
    }
    text.remove_prefix(static_cast<size_t>(written));
    at += written;
  }
  return 0;
}

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
      end_(std::max<off_t>(lseek(file, 0, SEEK_END), 0)),
      frameWritten_(kDefaultFrame) {}

Recording::~Recording() {
  close(file_);
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
  const off_t lineAt = end_ + static_cast<off_t>(pending_.size());
  pending_ += TickLine(1);
  Append(pending_);
  tickLineAt_ = lineAt;
  ticks_ = 1;
}

// The last line, one tick more. A rewrite that fails (a line that grows by a digit on a full
// disk) puts the line back as it was.
void Recording::RewriteTickLine() {
  off_t at = tickLineAt_;
  if (const int fault = WriteAll(file_, at, TickLine(ticks_ + 1))) {
    at = tickLineAt_;
    const bool restored = WriteAll(file_, at, TickLine(ticks_)) == 0 && ftruncate(file_, at) == 0;
    Stop(fault, restored);
    return;
  }
  ++ticks_;
  end_ = at;
}

void Recording::Append(std::string_view lines) {
  off_t at = end_;
  if (const int fault = WriteAll(file_, at, lines)) {
    Stop(fault, at == end_ || ftruncate(file_, end_) == 0);
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
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0) {
    error = "cannot record to " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  const std::string header =
      "# zentor " + std::string(version) + " recording, " + std::string(date) + "\n";
  off_t at = 0;
  if (const int fault = WriteAll(file, at, header)) {
    error = "cannot record to " + path + ": " + std::strerror(fault);
    close(file);
    unlink(path.c_str());
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
