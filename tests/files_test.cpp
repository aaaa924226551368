// Files as players name them and as other systems write them: a recording and a script under a
// name outside ASCII, written with LF alone and never over a file that exists, and scripts
// written with CR LF, or holding a byte that a text mode reads as the end, read as they are.
#include "system/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>

#include "replay/recorder.h"
#include "replay/replay.h"
#include "replay/share_link.h"
#include "temp_directory.h"
#include "test_host.h"

namespace zentor {
namespace {

using zentor::testing::TempDirectory;
using zentor::testing::TestHost;

// A name in three scripts and with a character beyond the 16-bit range, which Windows' wide
// API writes as two UTF-16 units.
const std::string kName = "Spiel \u00fcber Gr\u00f6\u00dfe \u65e5\u672c \u263a \U0001f3ae.replay";

std::string Bytes(const std::string& path) {
  const std::unique_ptr<std::istream> file = OpenInputFile(path);
  EXPECT_NE(file, nullptr) << path;
  return file ? std::string(std::istreambuf_iterator<char>(*file), {}) : "";
}

void Write(const std::string& path, const std::string& bytes) {
  std::FILE* file = OpenFile(path, "wb");
  ASSERT_NE(file, nullptr) << path;
  EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  EXPECT_EQ(std::fclose(file), 0);
}

// What zentor-replay prints for the script at `path`, and its status.
std::string Replayed(const std::string& path, int& status) {
  std::string refusal;
  const std::unique_ptr<std::istream> script = OpenScript(path, refusal);
  EXPECT_NE(script, nullptr) << refusal;
  std::ostringstream out;
  std::ostringstream err;
  status = script ? RunReplay(*script, out, err, {}) : kReplayError;
  return out.str() + err.str();
}

TEST(Files, ARecordingUnderAnyNameIsWrittenWithLfAloneAndNeverOverwritten) {
  const TempDirectory directory;
  const std::string path = directory / kName;
  TestHost host;
  host.randoms.assign(kRockCount, 0.5f);
  {
    std::string error;
    Session session(host, OpenRecording(path, "1.0.0", "2026-12-09T04:20:00Z", error));
    ASSERT_TRUE(error.empty()) << error;
    session.Load();
    session.KeyDown(kKeySpace);
    session.Tick();
    session.Tick();
  }
  // The file has the very name asked for, not that name in another encoding.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory.Path())) {
    const std::u8string name = entry.path().filename().u8string();
    EXPECT_EQ(std::string(name.begin(), name.end()), kName);
    ++files;
  }
  EXPECT_EQ(files, 1);
  const std::string recorded = Bytes(path);
  EXPECT_EQ(recorded.substr(recorded.find("load\n")), "load\nkeydown 32\ntick 2\n");
  EXPECT_EQ(recorded.find('\r'), std::string::npos);

  std::string error;
  EXPECT_EQ(OpenRecording(path, "1.0.0", "now", error), nullptr);
  EXPECT_EQ(error, "cannot record to " + path + ": File exists");
  EXPECT_EQ(Bytes(path), recorded);

  int status = -1;
  const std::string replayed = Replayed(path, status);
  EXPECT_EQ(status, kReplayOk) << replayed;
}

TEST(Files, ScriptsAreReadAsTheirBytesWhateverTheirLineEnds) {
  const TempDirectory directory;
  const std::string lf =
      "random 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5\nload\n"
      "# \x1a a byte that Windows' text mode takes for the end\nkeydown 39\nkeydown 32\n"
      "tick 40\ndump\n";
  std::string crlf;
  for (const char c : lf) {
    crlf += c == '\n' ? "\r\n" : std::string(1, c);
  }
  Write(directory / "lf.replay", lf);
  Write(directory / kName, crlf);
  int lfStatus = -1;
  int crlfStatus = -1;
  const std::string fromLf = Replayed(directory / "lf.replay", lfStatus);
  EXPECT_EQ(lfStatus, kReplayOk) << fromLf;
  EXPECT_NE(fromLf.find("\"stepX\":200"), std::string::npos) << fromLf;
  EXPECT_EQ(Replayed(directory / kName, crlfStatus), fromLf);
  EXPECT_EQ(crlfStatus, kReplayOk);
}

TEST(Files, AFileThatIsNotThereIsNamedInTheSentence) {
  const TempDirectory directory;
  const std::string path = directory / kName;
  std::string refusal;
  EXPECT_EQ(OpenScript(path, refusal), nullptr);
  EXPECT_EQ(refusal, "cannot open " + path + ": No such file or directory");
  EXPECT_FALSE(RemoveFile(path));
}

}  // namespace
}  // namespace zentor
