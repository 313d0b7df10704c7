#include "app/tray.h"

#include "app/application.h"
#include "app/main_window.h"
#include "app/persistence.h"
#include "app/script_host.h"
#include "app/status_dialog.h"
#include "app/tray_state.h"
#include "platform/win32_system.h"
#include "ui/about_dialog.h"
#include "ui/environment_report.h"
#include "ui/settings_dialog.h"

#include <shellapi.h>

namespace wavelith {

namespace {

struct TrayState {
    HICON fileOnIcon = nullptr;   // from NotifyIconOn, destroyed at exit
    HICON fileOffIcon = nullptr;  // from NotifyIconOff
    HMENU menu = nullptr;
    HMENU popup = nullptr;
    UINT taskbarCreatedMessage = 0;
    std::u16string shownTooltip;  // what the shell was last given
    bool modalDialogRunning = false;  // the settings or about dialog, run from here
};

TrayState& tray() {
    static TrayState state;
    return state;
}

HICON extractIcon(const std::u16string& setting) {
    auto source = parseIconSetting(setting);
    if (!source) return nullptr;
    std::wstring path(source->path.begin(), source->path.end());
    HICON small = nullptr;
    // Only a single extracted icon counts; ExtractIconExW's count also answers "how many".
    UINT extracted = ExtractIconExW(path.c_str(), source->index, nullptr, &small, 1);
    if (extracted == 1 && small) return small;
    if (small) DestroyIcon(small);
    return nullptr;
}

std::u16string currentTooltip(bool paused) {
    Application& application = app();
    TrayActivity activity = paused ? TrayActivity::Paused : TrayActivity::Running;
    if (!paused && application.activity && application.activity->withheldByLock()) activity = TrayActivity::Locked;
    std::optional<LocalTime> lastShake;
    if (application.swing) lastShake = application.swing->inputProof().lastReached();
    return trayTooltip(fromWide(application.displayName), activity, lastShake, application.japanese);
}

NOTIFYICONDATAW iconData() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = app().mainWindow;
    data.uID = tray_ids::kIconId;
    return data;
}

// With NIF_TIP alone only the tooltip changes.
bool notifyIcon(DWORD action, bool paused, UINT flags = NIF_MESSAGE | NIF_ICON | NIF_TIP) {
    NOTIFYICONDATAW data = iconData();
    data.uFlags = flags;
    data.uCallbackMessage = ids::kTrayCallbackMessage;
    data.hIcon = trayIcon(paused);
    std::u16string tip = tooltipText(currentTooltip(paused));
    std::copy(tip.begin(), tip.end(), data.szTip);
    bool done = Shell_NotifyIconW(action, &data) != FALSE;
    if (done) tray().shownTooltip = tip;
    return done;
}

// Balloons use the version-3 layout and the info flag alone.
void balloon(std::u16string_view text, const std::wstring& title, UINT timeout, NoticeKind kind) {
    if (app().argumentMode || !app().mainWindow) return;
    NOTIFYICONDATAW data = iconData();
    data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data.uFlags = NIF_INFO;
    std::u16string cut = noticeText(text);
    std::copy(cut.begin(), cut.end(), data.szInfo);
    std::wstring shortTitle = title.substr(0, 63);
    std::copy(shortTitle.begin(), shortTitle.end(), data.szInfoTitle);
    data.uTimeout = timeout;
    data.dwInfoFlags = static_cast<DWORD>(kind);
    Shell_NotifyIconW(NIM_MODIFY, &data);  // a notice that cannot be shown is not worth an error
}

void bringToFront(HWND window) {
    if (window) SetForegroundWindow(window);
}

void runModal(void (*dialog)()) {
    TrayState& state = tray();
    if (state.modalDialogRunning) return;
    state.modalDialogRunning = true;
    dialog();
    state.modalDialogRunning = false;
}

void showMenuItem(HMENU popup, UINT id, bool checked, bool enabled) {
    CheckMenuItem(popup, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void showMenu() {
    Application& application = app();
    TrayState& state = tray();
    if (state.modalDialogRunning) {
        if (HWND settings = settingsDialogWindow()) {
            showNotice(appMessage(AppMessage::CloseDialogToOpenMenu, application.japanese), NoticeKind::Warning);
            bringToFront(settings);
            return;
        }
        HWND about = aboutDialogWindow();
        if (!about) return;
        DestroyWindow(about);
        state.modalDialogRunning = false;
    }
    if (!state.popup) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TrayMenuState menu = trayMenuState(application.settings, application.activity->paused(), application.japanese,
                                       keepSystemAwakeAllowed(currentPolicy()));
    ModifyMenuW(state.popup, tray_commands::Pause, MF_BYCOMMAND | MF_STRING, tray_commands::Pause,
                wide(menu.pauseLabel));
    CheckMenuItem(state.popup, tray_commands::Pause, MF_BYCOMMAND | (menu.pauseChecked ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(state.popup, tray_commands::StatusDialog,
                  MF_BYCOMMAND | (menu.statusDialogChecked ? MF_CHECKED : MF_UNCHECKED));
    showMenuItem(state.popup, tray_commands::PauseWhileLocked, menu.pauseWhileLockedChecked, true);
    showMenuItem(state.popup, tray_commands::KeepSystemAwake, menu.keepSystemAwakeChecked, menu.keepSystemAwakeEnabled);
    showMenuItem(state.popup, tray_commands::KeepDisplayOn, menu.keepDisplayOnChecked, menu.keepDisplayOnEnabled);
    // Our window must be foreground before TrackPopupMenu, or the menu does not close when the
    // user clicks elsewhere; the posted WM_NULL lets it finish closing.
    SetForegroundWindow(application.mainWindow);
    UINT command = static_cast<UINT>(TrackPopupMenu(state.popup, 0x01A8, cursor.x, cursor.y, 0,
                                                    application.mainWindow, nullptr));
    PostMessageW(application.mainWindow, WM_NULL, 0, 0);
    if (command != 0) runTrayCommand(command, PauseMode::Toggle);
}

void openFeedbackPage() {
    Application& application = app();
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    SetCurrentDirectoryW(system);
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(application.mainWindow, L"open",
                                                          wide(makerAddresses().feedback), nullptr,
                                                          system, SW_SHOWNORMAL));
    if (result <= 32)
        showMessage(application.mainWindow, AppMessage::CannotOpenWebPage, MB_OK | MB_ICONERROR,
                    AppMessage::BrowseCaption);
    if (!application.programFolder.empty()) SetCurrentDirectoryW(application.programFolder.c_str());
}

// A setting of the tray menu: changed and saved at once (nothing is written in no-save mode).
void toggleTraySetting(bool Settings::*field) {
    Application& application = app();
    application.settings.*field = !(application.settings.*field);
    updatePowerRequest();
    changeTrayTooltip();
    refreshStatusDialog();
    if (!saveAllSettings())
        showMessage(application.mainWindow,
                    application.storage.iniMode ? AppMessage::CannotSaveIni : AppMessage::CannotSaveRegistry,
                    MB_OK | MB_ICONWARNING);
}

void toggleStatusDialog() {
    Settings& settings = app().settings;
    bool wasShown = settings.OpenShowDlg;
    settings.OpenShowDlg = !wasShown;
    if (wasShown && statusDialogWindow()) endStatusDialog(2);
    if (!wasShown && !statusDialogWindow()) runStatusDialog();
}

}  // namespace

void loadTrayIcons() {
    TrayState& state = tray();
    state.fileOnIcon = extractIcon(app().settings.NotifyIconOn);
    state.fileOffIcon = extractIcon(app().settings.NotifyIconOff);
}

void destroyFileIcons() {
    TrayState& state = tray();
    if (state.fileOnIcon) DestroyIcon(state.fileOnIcon);
    if (state.fileOffIcon) DestroyIcon(state.fileOffIcon);
    state.fileOnIcon = state.fileOffIcon = nullptr;
}

HICON trayIcon(bool paused) {
    Application& application = app();
    if (paused) return tray().fileOffIcon ? tray().fileOffIcon : application.offIcon;
    return tray().fileOnIcon ? tray().fileOnIcon : application.onIcon;
}

void addTrayIcon(bool paused) {
    // Re-adding an icon that still exists fails (after "TaskbarCreated" without a real shell
    // restart); changing it then brings it up to date instead.
    if (!notifyIcon(NIM_ADD, paused)) notifyIcon(NIM_MODIFY, paused);
}

void changeTrayTooltip() {
    Application& application = app();
    if (application.argumentMode || !application.mainWindow || !application.activity) return;
    bool paused = application.activity->paused();
    // Only a new text, and only the text: under Wine a full modify after every shake made
    // presses of the pause hotkey go missing.
    if (tooltipText(currentTooltip(paused)) != tray().shownTooltip) notifyIcon(NIM_MODIFY, paused, NIF_TIP);
}

void changeTrayIcon(bool paused) {
    if (app().argumentMode || !app().mainWindow) return;
    notifyIcon(NIM_MODIFY, paused);
}

void deleteTrayIcon() {
    NOTIFYICONDATAW data = iconData();
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void showNotice(std::u16string_view text, NoticeKind kind) { balloon(text, app().displayName, 3000, kind); }

void clearNotice() { balloon(u"", L"", 0, NoticeKind::None); }

void loadTrayMenu() {
    TrayState& state = tray();
    WORD id = app().japanese ? tray_ids::kJapaneseMenu : tray_ids::kEnglishMenu;
    state.menu = LoadMenuW(app().instance, MAKEINTRESOURCEW(id));
    state.popup = state.menu ? GetSubMenu(state.menu, 0) : nullptr;
    if (state.popup) SetMenuDefaultItem(state.popup, 0, TRUE);
}

void destroyTrayMenu() {
    TrayState& state = tray();
    if (state.menu) DestroyMenu(state.menu);
    state.menu = state.popup = nullptr;
}

void registerTaskbarCreatedMessage() { tray().taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated"); }

bool isTaskbarCreatedMessage(UINT message) {
    return tray().taskbarCreatedMessage != 0 && message == tray().taskbarCreatedMessage;
}

void onTrayCallback(LPARAM event) {
    Application& application = app();
    switch (LOWORD(event)) {
        case WM_LBUTTONUP:
            if (application.settings.ClickToPause) {
                runTrayCommand(tray_commands::Pause, PauseMode::Toggle);
                return;
            }
            if (tray().modalDialogRunning) bringToFront(settingsDialogWindow());
            if (application.settings.OpenShowDlg) bringToFront(statusDialogWindow());
            return;
        case WM_LBUTTONDBLCLK:
            if (!tray().modalDialogRunning)
                runModal(runSettingsDialog);
            else
                bringToFront(settingsDialogWindow());
            if (application.settings.OpenShowDlg) bringToFront(statusDialogWindow());
            return;
        case WM_RBUTTONUP: showMenu(); return;
        case NIN_BALLOONUSERCLICK:
            // The page holds both languages, each half with its own anchor.
            if (application.swing && application.swing->inputProof().warned())
                openHelpTopic(application.mainWindow,
                              application.japanese ? L"HLP000006.html#admin" : L"HLP000006.html#admin-en");
            return;
        case NIN_BALLOONTIMEOUT:
            // Closing the suspension notice with the middle button held: never show it again.
            if (isScriptSuspended() && (GetAsyncKeyState(VK_MBUTTON) & 0x8000))
                application.settings.NoNotifyScriptSuspend = true;
            return;
        default: return;
    }
}

void runTrayCommand(UINT command, PauseMode pauseMode) {
    Application& application = app();
    switch (command) {
        case tray_commands::Settings: runModal(runSettingsDialog); break;
        case tray_commands::Pause: application.activity->pauseCommand(pauseMode); break;
        case tray_commands::Feedback: openFeedbackPage(); break;
        case tray_commands::About: runModal(runAboutDialog); break;
        case tray_commands::Exit: DestroyWindow(application.mainWindow); break;
        case tray_commands::Help: openHelpTopic(application.mainWindow, L"HLP000001.html"); break;
        case tray_commands::StatusDialog: toggleStatusDialog(); break;
        case tray_commands::PauseWhileLocked: toggleTraySetting(&Settings::PauseWhileLocked); break;
        case tray_commands::KeepSystemAwake: toggleTraySetting(&Settings::KeepSystemAwake); break;
        case tray_commands::KeepDisplayOn: toggleTraySetting(&Settings::KeepDisplayOn); break;
        default: break;  // 32774 and 32777 are numbers only
    }
}

LRESULT onControlMessage(WPARAM command, LPARAM argument) {
    if (app().argumentMode) return 0;
    if (command == tray_commands::Settings) {
        // The settings dialog runs modally inside this message: release a sender that waits
        // for the answer, or another instance would hang until the dialog closes.
        if (InSendMessage()) ReplyMessage(0);
        runTrayCommand(tray_commands::Settings, PauseMode::Toggle);
    }
    if (command == tray_commands::Pause) runTrayCommand(tray_commands::Pause, pauseModeOfControlMessage(argument));
    return 0;
}

void openHelpTopic(HWND owner, const wchar_t* topic) {
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    static HtmlHelpFunction htmlHelp = nullptr;
    static bool lookedUp = false;
    if (!lookedUp) {
        lookedUp = true;
        HMODULE library = nullptr;
        wchar_t path[MAX_PATH + 1] = {};
        DWORD size = sizeof(path) - sizeof(wchar_t);
        DWORD type = 0;
        if (RegGetValueW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                         nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, path,
                         &size) == ERROR_SUCCESS) {
            wchar_t expanded[MAX_PATH + 1] = {};
            if (type == REG_EXPAND_SZ && ExpandEnvironmentStringsW(path, expanded, MAX_PATH) - 1 < MAX_PATH)
                library = LoadLibraryW(expanded);
            else if (type == REG_SZ)
                library = LoadLibraryW(path);
        }
        if (!library) library = loadSystemLibrary(L"hhctrl.ocx");
        if (library)
            htmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(15))));
    }
    if (!htmlHelp) return;  // no help library: help stays silent
    std::wstring target = L".\\quellix.chm";
    if (topic) target += std::wstring(L"::/_RESOURCE/") + topic;
    htmlHelp(owner, target.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
}

}  // namespace wavelith
