// Windows' files: a UTF-8 path turned into UTF-16 for the wide API, which names any file; the
// narrow one knows only the characters of the system's code page. Every file is opened binary, so
// that a recording's lines end in LF alone and a script's bytes are read as they are.
#include "system/files.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>

#include "system/windows/utf16.h"

namespace zentor {

std::unique_ptr<std::istream> OpenInputFile(const std::string& path) {
  auto file = std::make_unique<std::ifstream>(Utf16(path).c_str(), std::ios::binary);
  if (!*file) {
    return nullptr;
  }
  return file;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  std::wstring wideMode = Utf16(mode);
  if (wideMode.find(L'b') == std::wstring::npos) {
    wideMode += L'b';
  }
  return _wfopen(Utf16(path).c_str(), wideMode.c_str());
}

bool RemoveFile(const std::string& path) {
  return _wremove(Utf16(path).c_str()) == 0;
}

int CreateNewFile(const std::string& path) {
  return _wopen(Utf16(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

int WriteAt(int file, int64_t& at, std::string_view bytes) {
  if (_lseeki64(file, at, SEEK_SET) < 0) {
    return errno;
  }
  while (!bytes.empty()) {
    const auto size = static_cast<unsigned>(std::min<size_t>(bytes.size(), INT_MAX));
    const int written = _write(file, bytes.data(), size);
    if (written <= 0) {
      return written < 0 ? errno : ENOSPC;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
    at += written;
  }
  return 0;
}

int CutFile(int file, int64_t size) {
  return _chsize_s(file, size);
}

int64_t FileEnd(int file) {
  return _lseeki64(file, 0, SEEK_END);
}

void CloseFile(int file) {
  _close(file);
}

}  // namespace zentor
