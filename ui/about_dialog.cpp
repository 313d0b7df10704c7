#include "ui/about_dialog.h"

namespace wavelith {

// The about dialog arrives with the next dialogs work; until then About does nothing and it
// is never open.
void runAboutDialog() {}
HWND aboutDialogWindow() { return nullptr; }

}  // namespace wavelith
