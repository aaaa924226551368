// zentor-start console|explorer ZENTOR.EXE [ARGUMENT...]: starts the game as a command prompt
// does, from a console of its own that the game may attach to, or as Explorer does, with neither
// a console nor standard streams; and ends with the game's exit status once it has ended, which
// it prints as "status N".
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  if (argc < 3 ||
      (std::string_view(argv[1]) != "console" && std::string_view(argv[1]) != "explorer")) {
    std::fprintf(stderr, "usage: zentor-start console|explorer ZENTOR.EXE [ARGUMENT...]\n");
    return 2;
  }
  const bool fromConsole = std::string_view(argv[1]) == "console";
  std::string command;
  for (int i = 2; i < argc; ++i) {
    command += std::string(i > 2 ? " " : "") + "\"" + argv[i] + "\"";
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  DWORD flags = 0;
  if (fromConsole) {
    AllocConsole();
  } else {
    // No standard handles passed on, and no console to attach to.
    startup.dwFlags = STARTF_USESTDHANDLES;
    FreeConsole();
    flags = DETACHED_PROCESS;
  }
  PROCESS_INFORMATION game{};
  if (!CreateProcessA(argv[2], command.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                      &startup, &game)) {
    std::fprintf(stderr, "zentor-start: cannot start %s: error %lu\n", argv[2], GetLastError());
    return 2;
  }
  WaitForSingleObject(game.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(game.hProcess, &status);
  std::printf("status %lu\n", status);
  return static_cast<int>(status);
}
