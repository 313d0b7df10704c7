#include "app/status_dialog.h"

#include "app/application.h"
#include "app/status_form.h"
#include "app/tray.h"
#include "ui/controls.h"
#include "ui/dark_mode.h"

namespace wavelith {

namespace {

constexpr UINT_PTR kRefreshTimer = 487811;
constexpr UINT kRefreshMs = 1000;
constexpr UINT_PTR kFadeTimer = 499811;
constexpr UINT kFadeMs = 17;

// Only one status dialog exists at a time; the tray and activity control reach it here.
HWND openDialog = nullptr;

Rect rectOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BYTE alphaByte(int32_t alpha) { return static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha); }

void setOpacity(HWND dialog, int32_t alpha) { SetLayeredWindowAttributes(dialog, 0, alphaByte(alpha), LWA_ALPHA); }

void setTopmost(HWND dialog, bool topmost) {
    SetWindowPos(dialog, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void refresh(HWND dialog) {
    Application& application = app();
    const ActivityControl& activity = *application.activity;
    StatusValues values;
    values.paused = activity.paused();
    values.withheldByLock = activity.withheldByLock();
    values.lastShake = application.swing->inputProof().lastReached();
    values.remoteSession = application.desktop.getSystemMetrics(system_metrics::RemoteSession) != 0;
    values.idleCountdown = activity.idleCountdown();
    values.reOnCountdown = activity.reOnCountdown();
    StatusTexts texts = statusTexts(values, application.settings, application.japanese);
    setText(dialog, IDC_STATUS_STATE, texts.state);
    setChecked(dialog, IDC_STATUS_PAUSE, values.paused);
    setLargeIcon(dialog, trayIcon(values.paused));
    setText(dialog, IDC_STATUS_IDLE_COUNT, texts.idleCount);
    setText(dialog, IDC_STATUS_REON_COUNT, texts.reOnCount);
    setText(dialog, IDC_STATUS_LAST_SHAKE, texts.lastShake);
}

void moveToRememberedPosition(HWND dialog) {
    const Settings& settings = app().settings;
    std::vector<Rect> monitors = app().desktop.enumDisplayMonitors().value_or(std::vector<Rect>{});
    if (auto corner = statusDialogPosition({settings.OpenShowDlgLeft, settings.OpenShowDlgTop}, monitors))
        SetWindowPos(dialog, nullptr, corner->x, corner->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void onInitDialog(HWND dialog) {
    Application& application = app();
    openDialog = dialog;
    refresh(dialog);
    if (application.settings.OpenShowDlgTopmost) {
        setChecked(dialog, IDC_STATUS_TOPMOST, true);
        setTopmost(dialog, true);
    }
    setOpacity(dialog, application.settings.OpenShowDlgAlpha);
    moveToRememberedPosition(dialog);
    createTooltips(dialog, statusTooltips(application.japanese));
    SetTimer(dialog, kRefreshTimer, kRefreshMs, nullptr);
    SetTimer(dialog, kFadeTimer, kFadeMs, nullptr);
    SendMessageW(dialog, WM_THEMECHANGED, 0, 0);
}

void onFadeTimer(HWND dialog) {
    POINT cursor{};
    RECT frame{};
    BYTE alpha = 0;
    DWORD flags = 0;
    // A reading that fails leaves the opacity as it is until the next tick.
    if (!GetCursorPos(&cursor) || !GetWindowRect(dialog, &frame) ||
        !GetLayeredWindowAttributes(dialog, nullptr, &alpha, &flags))
        return;
    int32_t target = fadeTarget(app().settings, containsPoint(rectOf(frame), {cursor.x, cursor.y}));
    if (alpha != target) setOpacity(dialog, nextAlpha(alpha, target));
}

void onDestroy(HWND dialog) {
    KillTimer(dialog, kRefreshTimer);
    KillTimer(dialog, kFadeTimer);
    openDialog = nullptr;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(dialog, &placement)) return;  // the last remembered position stays
    Settings& settings = app().settings;
    settings.OpenShowDlgLeft = placement.rcNormalPosition.left;
    settings.OpenShowDlgTop = placement.rcNormalPosition.top;
}

void onCommand(HWND dialog, WORD id, WORD code) {
    Application& application = app();
    switch (id) {
        case IDCANCEL:  // the Close button, Esc and the caption's close box
            application.settings.OpenShowDlg = false;
            EndDialog(dialog, IDCANCEL);
            return;
        case IDC_STATUS_PAUSE:
            if (code != BN_CLICKED) return;
            application.activity->setActivityState(isChecked(dialog, IDC_STATUS_PAUSE));
            refresh(dialog);
            return;
        case IDC_STATUS_TOPMOST: {
            if (code != BN_CLICKED) return;
            bool topmost = isChecked(dialog, IDC_STATUS_TOPMOST);
            setTopmost(dialog, topmost);
            application.settings.OpenShowDlgTopmost = topmost;
            return;
        }
        default: return;
    }
}

INT_PTR CALLBACK statusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (darkModeDialogMessage(dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG: onInitDialog(dialog); return TRUE;
        case WM_COMMAND: onCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_TIMER:
            if (wParam == kRefreshTimer) refresh(dialog);
            if (wParam == kFadeTimer) onFadeTimer(dialog);
            return TRUE;
        case WM_DESTROY: onDestroy(dialog); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void runStatusDialog() {
    Application& application = app();
    if (openDialog) return;
    WORD id = application.japanese ? IDD_STATUS_JA : IDD_STATUS_EN;
    // Modal without owner: its loop also serves the main window's timers and the tray.
    DialogBoxParamW(application.instance, MAKEINTRESOURCEW(id), nullptr, statusDialogProc, 0);
}

void endStatusDialog(INT_PTR result) {
    if (openDialog) EndDialog(openDialog, result);
}

// Shutdown: the dialog goes without touching OpenShowDlg, so that it opens again next time.
void destroyStatusDialog() {
    if (openDialog) DestroyWindow(openDialog);
}

void refreshStatusDialog() {
    if (openDialog) refresh(openDialog);
}

HWND statusDialogWindow() { return openDialog; }

void setStatusDialogOpacity(int alpha) {
    if (openDialog) setOpacity(openDialog, alpha);
}

}  // namespace wavelith
