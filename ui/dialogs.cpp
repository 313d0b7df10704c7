#include "ui/dialogs.h"

namespace wavelith {

// The settings and about dialogs arrive with the dialogs work; until then the commands that
// open them do nothing and no dialog is ever open.
void runSettingsDialog() {}
HWND settingsDialogWindow() { return nullptr; }
void runAboutDialog() {}
HWND aboutDialogWindow() { return nullptr; }

}  // namespace wavelith
