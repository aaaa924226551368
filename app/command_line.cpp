#include "command_line.h"

#include <getopt.h>

#ifndef ZENTOR_VERSION
#error "the build defines ZENTOR_VERSION"
#endif

namespace zentor {
namespace {

constexpr const char* kUsage =
    "Usage: zentor [--record FILE | --play FILE] [--help] [--version]\n"
    "Steer the black square with the arrow keys and dodge the rocks.\n"
    "Space starts or resumes the game, P pauses it, F11 toggles full screen.\n"
    "\n"
    "  --record FILE  play, and write the game to FILE, a new file, as a replay script\n"
    "                 that zentor-replay plays back exactly\n"
    "  --play FILE    watch a replay script at the game's pace: space and P resume and\n"
    "                 pause it, Escape quits; FILE may also be a shared game's link,\n"
    "                 an address ending in #play=..., decoded here and never fetched\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n";

// getopt_long's answers for the long options without a short form.
enum LongOption : int { kRecord = 256, kPlay, kVersion };

constexpr option kOptions[] = {
    {"record", required_argument, nullptr, kRecord},
    {"play", required_argument, nullptr, kPlay},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// '+': the options end at the first word that is not one; ':': a missing argument is told
// apart from an unknown option.
constexpr const char* kShortOptions = "+:h";

std::string OptionName(int value) {
  for (const option& o : kOptions) {
    if (o.name && o.val == value) {
      return std::string("--") + o.name;
    }
  }
  return std::string("-") + static_cast<char>(value);
}

bool TakesArgument(int value) {
  for (const option& o : kOptions) {
    if (o.name && o.val == value) {
      return o.has_arg == required_argument;
    }
  }
  return false;
}

// One sentence, as getopt would say it; the usage is for --help.
CommandLine Refuse(const std::string& sentence) {
  return {CommandAction::Refuse, "zentor: " + sentence + "\n", "", ""};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  // getopt_long reorders and reads C strings: it works on copies, with the program's name first.
  std::vector<std::string> words = {"zentor"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  // Our own sentences instead of getopt's, and a fresh start for every parse.
  opterr = 0;
  optind = 0;
  CommandLine line{CommandAction::Play, "", "", ""};
  bool help = false;
  bool version = false;
  for (;;) {
    const int found = getopt_long(argc, argv.data(), kShortOptions, kOptions, nullptr);
    if (found == -1) {
      break;
    }
    switch (found) {
      case 'h':
        help = true;
        break;
      case kVersion:
        version = true;
        break;
      case kRecord:
      case kPlay:
        if (*optarg == '\0') {
          return Refuse("option '" + OptionName(found) + "' needs a file name");
        }
        (found == kRecord ? line.record : line.play) = optarg;
        break;
      case ':':
        // glibc's getopt_long answers so for a missing argument alone; the BSD one of other
        // systems (Windows') for an argument given to an option that takes none as well.
        if (!TakesArgument(optopt)) {
          return Refuse("option '" + OptionName(optopt) + "' doesn't allow an argument");
        }
        return Refuse("option '" + OptionName(optopt) + "' requires an argument");
      default:
        if (optopt == 0) {
          return Refuse("unrecognized option '" + words[optind - 1] + "'");
        }
        if (optopt >= kRecord || optopt == 'h') {
          return Refuse("option '" + OptionName(optopt) + "' doesn't allow an argument");
        }
        return Refuse(std::string("invalid option -- '") + static_cast<char>(optopt) + "'");
    }
  }
  if (optind < argc) {
    return Refuse("unexpected argument '" + words[optind] + "'");
  }
  if (help) {
    return {CommandAction::Help, kUsage, "", ""};
  }
  if (version) {
    return {CommandAction::Version, std::string("zentor ") + ZENTOR_VERSION + "\n", "", ""};
  }
  if (!line.record.empty() && !line.play.empty()) {
    return Refuse("--record and --play cannot be used together");
  }
  return line;
}

}  // namespace zentor
