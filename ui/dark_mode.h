// Dark mode and the themed message box through which every message box is shown.
// The dark-mode layer itself is not built yet: the message box is the plain one for now.
#pragma once

#include <windows.h>

namespace wavelith {

void initDarkMode(HINSTANCE instance);
int themedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);
void deleteDarkModeBrush();

}  // namespace wavelith
