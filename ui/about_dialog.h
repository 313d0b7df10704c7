// The about dialog with the environment report, run from the tray; it records its window
// while open.
#pragma once

#include <windows.h>

namespace wavelith {

void runAboutDialog();
HWND aboutDialogWindow();

}  // namespace wavelith
