// The settings and about dialogs, run from the tray. Each records its window while open.
#pragma once

#include <windows.h>

namespace wavelith {

void runSettingsDialog();
HWND settingsDialogWindow();
void runAboutDialog();
HWND aboutDialogWindow();

}  // namespace wavelith
