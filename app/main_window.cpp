#include "app/main_window.h"

#include "app/application.h"
#include "app/persistence.h"
#include "app/power_request.h"
#include "app/script_host.h"
#include "app/session_end.h"
#include "app/status_dialog.h"
#include "app/tray.h"
#include "ui/startup_dialogs.h"

#include <wtsapi32.h>

#include <cstdlib>

namespace wavelith {

namespace {

bool shutdownDone = false;
bool sessionNotificationsRegistered = false;

PowerRequest& powerRequest() {
    static PowerRequest request(app().desktop);
    return request;
}

void onSessionChange(WPARAM event) {
    if (event == WTS_SESSION_LOCK || event == WTS_SESSION_UNLOCK)
        app().swing->onSessionChange(event == WTS_SESSION_LOCK);
}

// WM_CREATE, in the order start-up depends on.
void onCreate(HWND window) {
    Application& application = app();
    application.mainWindow = window;
    if (!application.argumentMode) {
        addTrayIcon(application.activity->paused());
        registerTaskbarCreatedMessage();
        loadTrayMenu();
    }
    std::srand(GetTickCount());
    application.swing->armShakeTimer();
    SetTimer(window, ids::kSecondTimer, 1000, nullptr);
    application.activity->startIdleCountdown(application.desktop.getCursorPos());
    if (!application.activity->paused()) application.activity->startReOnCountdown();
    SetTimer(window, ids::kMouseWatchTimer, 250, nullptr);
    // Without the notifications (no terminal services) a lock goes unnoticed and shakes go on.
    sessionNotificationsRegistered = WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
    updatePowerRequest();
    if (!application.argumentMode && application.japanese && !application.settings.NoOpeningDlg)
        createOpeningDialog(window);
    if (!application.activity->paused() &&
        effectiveShakeMode(application.settings.Intelligibility, currentPolicy()) == SwingEngine::kScriptMode)
        startScriptSuspension();
}

// WM_DESTROY: reached by Exit, by the end of the session, and by another instance's end
// request, which may come more than once.
void onDestroy(HWND window) {
    if (shutdownDone) return;
    shutdownDone = true;
    Application& application = app();
    if (application.settings.Intelligibility == SwingEngine::kScriptMode && isScriptRunning()) requestScriptStop();
    KillTimer(window, ids::kShakeTimer);
    powerRequest().release();
    if (sessionNotificationsRegistered) WTSUnRegisterSessionNotification(window);
    sessionNotificationsRegistered = false;
    if (!application.argumentMode) {
        deleteTrayIcon();
        destroyTrayMenu();
        destroyStatusDialog();
        if (!saveAllSettings())
            showMessage(window, application.storage.iniMode ? AppMessage::CannotSaveIni : AppMessage::CannotSaveRegistry,
                        MB_OK | MB_ICONWARNING);
    }
    if (LOBYTE(application.settings.HOTKEY_PAUSE) != 0) UnregisterHotKey(window, ids::kPauseHotkey);
    waitForScriptWorker(2000);
    PostQuitMessage(0);
}

void onTimer(UINT_PTR id) {
    Application& application = app();
    switch (id) {
        case ids::kShakeTimer: application.swing->onShakeTimer(); break;
        case ids::kSecondTimer:
            application.swing->settleInputProof();
            application.activity->onSecondTick();
            break;
        case ids::kMouseWatchTimer: application.activity->onMouseWatchTick(); break;
        default: onScriptTimer(id); break;
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: onCreate(window); return 0;
        case WM_DESTROY: onDestroy(window); return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE: return 0;  // only Exit and an end request end the program
        case WM_QUERYENDSESSION: return onQueryEndSession();
        case WM_ENDSESSION: onEndSession(wParam != FALSE); return 0;
        case WM_TIMER: onTimer(wParam); return 0;
        case WM_POWERBROADCAST: onPowerBroadcast(wParam); return TRUE;
        case WM_WTSSESSION_CHANGE: onSessionChange(wParam); return 0;
        case WM_HOTKEY:
            if (wParam == static_cast<WPARAM>(ids::kPauseHotkey)) app().activity->pauseCommand(PauseMode::Toggle);
            return 0;
        case ids::kTrayCallbackMessage: onTrayCallback(lParam); return 0;
        case ids::kControlMessage: return onControlMessage(wParam, lParam);
        default:
            if (isTaskbarCreatedMessage(message)) {
                if (!app().argumentMode) addTrayIcon(app().activity->paused());
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

class MainWindowEffects : public AppEffects {
public:
    void setShakeTimer(uint32_t periodMs) override { SetTimer(app().mainWindow, ids::kShakeTimer, periodMs, nullptr); }
    void showNotice(std::u16string_view text, NoticeKind kind) override { wavelith::showNotice(text, kind); }
    void clearNotice() override { wavelith::clearNotice(); }
    void showActivityState(bool paused) override {
        changeTrayIcon(paused);
        refreshStatusDialog();
        updatePowerRequest();
    }
    void showLastShake() override {
        changeTrayTooltip();
        refreshStatusDialog();
    }
    bool isScriptSuspended() override { return wavelith::isScriptSuspended(); }
    void startScriptRun() override { wavelith::startScriptRun(); }
};

}  // namespace

std::unique_ptr<AppEffects> makeMainWindowEffects() { return std::make_unique<MainWindowEffects>(); }

bool mainWindowShutDown() { return shutdownDone; }

void updatePowerRequest() {
    Application& application = app();
    if (shutdownDone || !application.activity) return;
    powerRequest().hold(powerRequestFlags(application.settings, application.activity->paused(),
                                          keepSystemAwakeAllowed(currentPolicy())));
}

HWND createMainWindow() {
    Application& application = app();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = application.instance;
    windowClass.hIcon = application.onIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = ids::kMutexAndClassName;
    RegisterClassExW(&windowClass);  // a failure shows as a failed creation below
    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, ids::kMutexAndClassName,
                           application.displayName.c_str(), WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                           nullptr, nullptr, application.instance, nullptr);
}

void registerPauseHotkey() {
    Application& application = app();
    UnregisterHotKey(application.mainWindow, ids::kPauseHotkey);
    int32_t hotkey = application.settings.HOTKEY_PAUSE;
    BYTE virtualKey = LOBYTE(hotkey);
    if (virtualKey == 0) return;
    BYTE modifiers = HIBYTE(LOWORD(hotkey));
    UINT registerModifiers = ((modifiers & 0x04) ? MOD_ALT : 0) | ((modifiers & 0x02) ? MOD_CONTROL : 0) |
                             ((modifiers & 0x01) ? MOD_SHIFT : 0);
    if (!RegisterHotKey(application.mainWindow, ids::kPauseHotkey, registerModifiers, virtualKey))
        showNotice(appMessage(AppMessage::CannotRegisterHotkey, application.japanese), NoticeKind::Warning);
}

}  // namespace wavelith
