// The system's files, named by UTF-8 paths as the command line and scripts give them, read as the
// bytes they hold and written through as recordings are. Each system has its own file of the same
// name: files.cpp on Linux and in a page, windows/files.cpp on Windows, where a path goes through
// the wide API and no file turns line ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace zentor {

// The file opened to read its bytes; nothing, with errno saying why, when it cannot be opened.
std::unique_ptr<std::istream> OpenInputFile(const std::string& path);

// std::fopen of the path, in the mode given (always binary on Windows).
std::FILE* OpenFile(const std::string& path, const char* mode);

// Removes the file; false, with errno saying why, when it cannot.
bool RemoveFile(const std::string& path);

// A new file for writing, never one that exists: its descriptor, or -1 with errno saying why.
int CreateNewFile(const std::string& path);

// Writes all of `bytes` at `at`, which moves to where the bytes written end: whatever was written
// before, the end and a line rewritten in place mix. 0, or the error number of the write that
// failed.
int WriteAt(int file, int64_t& at, std::string_view bytes);

// Cuts the file down to its first `size` bytes; 0, or the error number.
int CutFile(int file, int64_t size);

// Where the file ends, or -1.
int64_t FileEnd(int file);

void CloseFile(int file);

}  // namespace zentor
