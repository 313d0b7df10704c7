#include "ui/startup_dialogs.h"

#include "app/application.h"
#include "app/persistence.h"
#include "app/tray.h"
#include "ui/controls.h"
#include "ui/dark_mode.h"

namespace wavelith {

namespace {

HWND openingDialog = nullptr;

// The two notification-area figures (decoded at start, owned by the program) and the picture
// of the tray icon, which the dialog loads and so must delete.
void showPictures(HWND dialog) {
    Application& application = app();
    SendDlgItemMessageW(dialog, IDC_FIGURE_LEFT, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(application.figures[0]));
    SendDlgItemMessageW(dialog, IDC_FIGURE_RIGHT, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(application.figures[1]));
    HANDLE picture = LoadImageW(application.instance, MAKEINTRESOURCEW(IDB_TRAY_PICTURE), IMAGE_BITMAP, 0, 0, 0);
    SendDlgItemMessageW(dialog, IDC_TRAY_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

void deleteTrayPicture(HWND dialog) {
    auto picture = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageW(dialog, IDC_TRAY_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (picture) DeleteObject(picture);
}

INT_PTR CALLBACK alreadyRunningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (darkModeDialogMessage(dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            showPictures(dialog);
            SetForegroundWindow(dialog);
            setLargeIcon(dialog, trayIcon(false));
            MessageBeep(MB_OK);
            SendDlgItemMessageW(dialog, IDC_EXCLAMATION_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_EXCLAMATION)), 0);
            SendMessageW(dialog, WM_THEMECHANGED, 0, 0);
            // Enter on a dialog that pops up unasked must not end the running instance.
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_FORCE_EXIT:
                case IDC_OPEN_SETTINGS:
                case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
            }
            return FALSE;
        case WM_DESTROY: deleteTrayPicture(dialog); return FALSE;
        default: return FALSE;
    }
}

void closeOpeningDialog(HWND dialog) {
    if (isChecked(dialog, IDC_NO_OPENING_DIALOG)) {
        app().settings.NoOpeningDlg = true;
        saveAllSettings();  // nothing to report: the dialog only stays away if it could be saved
    }
    DestroyWindow(dialog);
}

INT_PTR CALLBACK openingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (darkModeDialogMessage(dialog, message, wParam, lParam, result)) return result;
    Application& application = app();
    switch (message) {
        case WM_INITDIALOG:
            openingDialog = dialog;
            showPictures(dialog);
            if (application.settings.BIGDIALOG) enlargeDialog(EnlargedDialog::Opening, dialog, DialogPlacement::Centre);
            setLargeIcon(dialog, trayIcon(application.startPaused));
            // A box that could never be saved is not offered, not even for a moment.
            if (application.storage.noSave) enableControl(dialog, IDC_NO_OPENING_DIALOG, false);
            ShowWindow(dialog, SW_SHOW);
            SetForegroundWindow(dialog);
            SendMessageW(dialog, WM_THEMECHANGED, 0, 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                closeOpeningDialog(dialog);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            restoreDialog(EnlargedDialog::Opening);
            deleteTrayPicture(dialog);
            openingDialog = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

INT_PTR runAlreadyRunningDialog() {
    Application& application = app();
    WORD id = application.japanese ? IDD_ALREADY_RUNNING_JA : IDD_ALREADY_RUNNING_EN;
    INT_PTR choice = DialogBoxParamW(application.instance, MAKEINTRESOURCEW(id), nullptr, alreadyRunningProc, 0);
    if (choice == IDC_OPEN_SETTINGS) {
        // The running instance answers at once and then opens its settings dialog.
        if (HWND running = FindWindowW(ids::kMutexAndClassName, nullptr))
            SendMessageW(running, ids::kControlMessage, IDC_OPEN_SETTINGS, 0);
    }
    return choice;
}

void createOpeningDialog(HWND owner) {
    if (openingDialog) return;
    CreateDialogParamW(app().instance, MAKEINTRESOURCEW(IDD_OPENING), owner, openingProc, 0);
}

bool isOpeningDialogMessage(MSG* message) { return openingDialog && IsDialogMessageW(openingDialog, message); }

}  // namespace wavelith
