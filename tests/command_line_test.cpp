#include "command_line.h"

#include <gtest/gtest.h>

namespace zentor {
namespace {

TEST(CommandLine, ReadsTheOptionsAndRefusesTheRest) {
  struct Case {
    std::vector<std::string> args;
    CommandAction action;
    std::string first;  // the first line printed; for a refusal, the whole sentence
    std::string record = "";
    std::string play = "";
  };
  const Case cases[] = {
      {{}, CommandAction::Play, ""},
      {{"--"}, CommandAction::Play, ""},
      {{"--help"},
       CommandAction::Help,
       "Usage: zentor [--record FILE | --play FILE] [--help] "
       "[--version]"},
      {{"-h"},
       CommandAction::Help,
       "Usage: zentor [--record FILE | --play FILE] [--help] "
       "[--version]"},
      {{"--play", "x", "--help"},
       CommandAction::Help,
       "Usage: zentor [--record FILE | "
       "--play FILE] [--help] [--version]"},
      {{"--version"}, CommandAction::Version, "zentor " ZENTOR_VERSION},
      {{"--record", "game.replay"}, CommandAction::Play, "", "game.replay"},
      {{"--record=game.replay"}, CommandAction::Play, "", "game.replay"},
      {{"--record", "--play"}, CommandAction::Play, "", "--play"},
      {{"--play", "a b.replay", "--"}, CommandAction::Play, "", "", "a b.replay"},
      {{"--play=-"}, CommandAction::Play, "", "", "-"},
      {{"--bogus"}, CommandAction::Refuse, "zentor: unrecognized option '--bogus'"},
      {{"--bogus=1"}, CommandAction::Refuse, "zentor: unrecognized option '--bogus=1'"},
      {{"-x"}, CommandAction::Refuse, "zentor: invalid option -- 'x'"},
      {{"--record"}, CommandAction::Refuse, "zentor: option '--record' requires an argument"},
      {{"--play"}, CommandAction::Refuse, "zentor: option '--play' requires an argument"},
      {{"--record="}, CommandAction::Refuse, "zentor: option '--record' needs a file name"},
      {{"--help=yes"}, CommandAction::Refuse, "zentor: option '--help' doesn't allow an argument"},
      {{"level2"}, CommandAction::Refuse, "zentor: unexpected argument 'level2'"},
      {{"--help", "extra"}, CommandAction::Refuse, "zentor: unexpected argument 'extra'"},
      {{"--", "--help"}, CommandAction::Refuse, "zentor: unexpected argument '--help'"},
      {{"--record", "a", "--play", "b"},
       CommandAction::Refuse,
       "zentor: --record and --play cannot be used together"},
  };
  // Twice over, as a parse must not depend on the one before.
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      const CommandLine line = ParseCommandLine(c.args);
      EXPECT_EQ(line.action, c.action) << c.first;
      EXPECT_EQ(line.text.substr(0, line.text.find('\n')), c.first);
      EXPECT_EQ(line.record, c.record) << c.first;
      EXPECT_EQ(line.play, c.play) << c.first;
      if (c.action == CommandAction::Refuse) {
        EXPECT_EQ(line.text, c.first + "\n") << "a refusal is one line";
      }
    }
  }
}

TEST(CommandLine, TheUsageDescribesEveryOption) {
  const std::string usage = ParseCommandLine({"--help"}).text;
  for (const char* option : {"--record FILE", "--play FILE", "--help", "--version"}) {
    EXPECT_NE(usage.find(option, usage.find("\n\n")), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace zentor
