#include "system/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

namespace zentor {

std::unique_ptr<std::istream> OpenInputFile(const std::string& path) {
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!*file) {
    return nullptr;
  }
  return file;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

int CreateNewFile(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// pwrite leaves the descriptor's own offset alone: writes at the end and rewrites in place mix.
int WriteAt(int file, int64_t& at, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = pwrite(file, bytes.data(), bytes.size(), static_cast<off_t>(at));
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : ENOSPC;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
    at += written;
  }
  return 0;
}

int CutFile(int file, int64_t size) {
  return ftruncate(file, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int64_t FileEnd(int file) {
  return lseek(file, 0, SEEK_END);
}

void CloseFile(int file) {
  close(file);
}

}  // namespace zentor
