// Windows' standard streams, which a window program has only when its starter passed them on.
#pragma once

#include <windows.h>

namespace zentor {

// Whether the standard stream (STD_INPUT_HANDLE, STD_OUTPUT_HANDLE or STD_ERROR_HANDLE) leads
// somewhere: a console, a pipe or a file.
bool Leads(DWORD stream);

}  // namespace zentor
