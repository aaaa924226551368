#include "command_line.h"

#include <gtest/gtest.h>

namespace zentor {
namespace {

TEST(CommandLine, AnswersHelpAndVersionAndRefusesTheRest) {
  struct Case {
    std::vector<std::string> args;
    CommandAction action;
    std::string mentions;
  };
  const Case cases[] = {
      {{}, CommandAction::Play, ""},
      {{"--help"}, CommandAction::Help, "Usage: zentor"},
      {{"-h"}, CommandAction::Help, "Usage: zentor"},
      {{"--version"}, CommandAction::Version, "zentor " ZENTOR_VERSION},
      {{"--bogus"}, CommandAction::Refuse, "unknown argument '--bogus'"},
      {{"level2"}, CommandAction::Refuse, "unknown argument 'level2'"},
      {{"--help", "extra"}, CommandAction::Refuse, "unknown argument 'extra'"},
      {{"--version", "--help"}, CommandAction::Refuse, "unknown argument '--help'"},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.action, c.action) << c.mentions;
    EXPECT_NE(line.text.find(c.mentions), std::string::npos) << line.text;
  }
  // A refusal is one sentence naming the argument, then the usage.
  const CommandLine refused = ParseCommandLine({"--bogus"});
  EXPECT_EQ(refused.text.substr(0, refused.text.find('\n')), "zentor: unknown argument '--bogus'.");
  EXPECT_NE(refused.text.find("Usage: zentor"), std::string::npos);
}

}  // namespace
}  // namespace zentor
