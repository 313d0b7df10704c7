#include "ui/startup_dialogs.h"

#include "app/application.h"

namespace wavelith {

// Until the dialog with its figure exists, a Yes/No box carries the same choice.
int runAlreadyRunningDialog() {
    return showMessage(nullptr, AppMessage::AlreadyRunning, MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

// The opening dialog arrives with the dialogs work.
void createOpeningDialog(HWND) {}

}  // namespace wavelith
