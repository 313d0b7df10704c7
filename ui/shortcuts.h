// The shortcuts to the program in the user's Startup and Desktop folders, made and removed by
// two buttons of the settings dialog.
#pragma once

#include <windows.h>

namespace wavelith {

enum class ShortcutKind { Startup, Desktop };

// The settings dialog, on opening: computes both shortcut paths and sets the captions of
// buttons 1003 and 1004 by whether the files exist.
void prepareShortcutButtons(HWND settingsDialog);
// Button 1003 (Startup) or 1004 (Desktop): asks, creates or deletes, reports, re-captions.
void onShortcutButton(HWND settingsDialog, ShortcutKind kind);

}  // namespace wavelith
