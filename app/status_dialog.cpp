#include "app/status_dialog.h"

namespace wavelith {

// The status dialog arrives with the dialogs work; until then it is never open.
void runStatusDialog() {}
void endStatusDialog(INT_PTR) {}
void destroyStatusDialog() {}
void refreshStatusDialog() {}
HWND statusDialogWindow() { return nullptr; }

void setStatusDialogOpacity(int alpha) {
    if (HWND window = statusDialogWindow())
        SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha), LWA_ALPHA);
}

}  // namespace wavelith
