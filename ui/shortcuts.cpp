#include "ui/shortcuts.h"

namespace wavelith {

// Placeholder until the shortcuts land.
void prepareShortcutButtons(HWND) {}
void onShortcutButton(HWND, ShortcutKind) {}

}  // namespace wavelith
