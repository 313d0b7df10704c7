// Small Win32 helpers of start-up: system libraries, the Windows version, the program file.
#pragma once

#include <windows.h>

#include <string>

namespace wavelith {

// Loads a system library from the system directory only, never from the program's folder.
HMODULE loadSystemLibrary(const wchar_t* name);
// major * 100 + minor, e.g. 1000 for Windows 10.
int windowsVersion();
// The full path of this program file, however long.
std::wstring programFilePath();

}  // namespace wavelith
