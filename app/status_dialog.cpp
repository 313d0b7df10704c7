#include "app/status_dialog.h"

namespace wavelith {

// The status dialog arrives with the dialogs work; until then it is never open.
void runStatusDialog() {}
void endStatusDialog(INT_PTR) {}
void destroyStatusDialog() {}
void refreshStatusDialog() {}
HWND statusDialogWindow() { return nullptr; }

}  // namespace wavelith
