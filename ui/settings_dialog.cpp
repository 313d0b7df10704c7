#include "ui/settings_dialog.h"

#include "app/application.h"
#include "app/main_window.h"
#include "app/persistence.h"
#include "app/script_host.h"
#include "app/status_dialog.h"
#include "app/tray.h"
#include "ui/controls.h"
#include "ui/dark_mode.h"
#include "ui/script_editor.h"
#include "ui/settings_form.h"
#include "ui/shortcuts.h"

#include <commctrl.h>
#include <shellapi.h>

namespace wavelith {

namespace {

HWND openDialog = nullptr;

constexpr int kTimeOffFields[3] = {IDC_TIME_OFF_HOUR, IDC_TIME_OFF_MIN, IDC_TIME_OFF_SEC};
constexpr int kTimeOnFields[3] = {IDC_TIME_ON_HOUR, IDC_TIME_ON_MIN, IDC_TIME_ON_SEC};
constexpr int kTimeSpins[6] = {IDC_TIME_OFF_HOUR_SPIN, IDC_TIME_OFF_MIN_SPIN, IDC_TIME_OFF_SEC_SPIN,
                               IDC_TIME_ON_HOUR_SPIN,  IDC_TIME_ON_MIN_SPIN,  IDC_TIME_ON_SEC_SPIN};
constexpr int kMaximumSeconds = 2147483;

std::u16string message(SettingsMessage id) { return std::u16string(settingsMessage(id, app().japanese)); }

void showFailure(HWND dialog, SettingsMessage id) {
    showText(dialog, message(id), MB_OK | MB_ICONERROR);
}

int trackBarPosition(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

void setUpTrackBar(HWND dialog, int id, int position) {
    SendDlgItemMessageW(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    SendDlgItemMessageW(dialog, id, TBM_SETTICFREQ, 1, 0);
    SendDlgItemMessageW(dialog, id, TBM_SETPAGESIZE, 0, 25);
    SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
}

SettingsForm readForm(HWND dialog) {
    SettingsForm form;
    form.intervalKind = app().japanese ? selectedIndex(dialog, IDC_INTERVAL_KIND) : 1;
    form.interval = getText(dialog, IDC_INTERVAL, 80);
    form.interval2 = getText(dialog, IDC_INTERVAL2, 80);
    form.keyboardMode = isChecked(dialog, IDC_KEYBOARD_MODE);
    form.keyEmu = isChecked(dialog, IDC_KEY_SCROLL_LOCK) ? 1 : isChecked(dialog, IDC_KEY_PAUSE) ? 2 : 0;
    form.shakeMode = selectedIndex(dialog, IDC_SHAKE_MODE);
    if (form.shakeMode < 0) form.shakeMode = 0;
    form.clickToPause = isChecked(dialog, IDC_CLICK_TO_PAUSE);
    form.pauseByMouseMove = isChecked(dialog, IDC_PAUSE_BY_MOUSE_MOVE);
    form.disableRemoteWarning = isChecked(dialog, IDC_REMOTE_WARNING);
    form.disableWhenFocusAssist = isChecked(dialog, IDC_FOCUS_ASSIST);
    form.disableShutdown = isChecked(dialog, IDC_DISABLE_SHUTDOWN);
    form.shutdownConfirm = isChecked(dialog, IDC_SHUTDOWN_CONFIRM);
    form.shutdownInfo = isChecked(dialog, IDC_SHUTDOWN_INFO);
    form.alpha = trackBarPosition(dialog, IDC_ALPHA);
    form.alpha2 = trackBarPosition(dialog, IDC_ALPHA2);
    form.hotkey = static_cast<int32_t>(SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    form.timeOff = isChecked(dialog, IDC_TIME_OFF);
    form.timeOn = isChecked(dialog, IDC_TIME_ON);
    for (int i = 0; i < 3; ++i) {
        form.timeOffFields[i] = getText(dialog, kTimeOffFields[i], 80);
        form.timeOnFields[i] = getText(dialog, kTimeOnFields[i], 80);
    }
    form.bigDialog = isChecked(dialog, IDC_BIG_DIALOG);
    form.lastMove = getText(dialog, IDC_LASTMOVE, 80);
    form.reOnSec = getText(dialog, IDC_REON, 80);
    form.pauseDouble = isChecked(dialog, IDC_PAUSE_DOUBLE);
    return form;
}

void applyEnablingRules(HWND dialog) {
    for (const auto& [id, enabled] : enabledControls(readForm(dialog), currentPolicy()))
        enableControl(dialog, id, enabled);
}

// The Japanese interval kind: one interval, or the two bounds of a random range.
void showIntervalKind(HWND dialog, int kind) {
    bool range = kind == 1;
    for (int id : {IDC_INTERVAL2, IDC_INTERVAL2_SPIN, IDC_INTERVAL2_UNIT}) showControl(dialog, id, range);
    setText(dialog, IDC_INTERVAL_UNIT,
            message(range ? SettingsMessage::IntervalUnitRange : SettingsMessage::IntervalUnitSingle));
}

void placeAtBottomRight(HWND dialog) {
    RECT work{}, frame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(dialog, &frame);
    int x = work.right - (frame.right - frame.left) - GetSystemMetrics(SM_CXDLGFRAME);
    int y = work.bottom - (frame.bottom - frame.top) - GetSystemMetrics(SM_CYDLGFRAME);
    // On a screen shorter than the dialog its title bar stays reachable.
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void writeTimeFields(HWND dialog, const int (&ids)[3], const std::u16string (&texts)[3]) {
    for (int i = 0; i < 3; ++i) setText(dialog, ids[i], texts[i]);
}

void onInitDialog(HWND dialog) {
    Application& application = app();
    const bool japanese = application.japanese;
    openDialog = dialog;
    SettingsForm form = formFromSettings(application.settings);

    if (japanese) {
        fillComboBox(dialog, IDC_INTERVAL_KIND, intervalKindEntries(), form.intervalKind);
        showIntervalKind(dialog, form.intervalKind);
    }
    setText(dialog, IDC_INTERVAL, form.interval);
    setText(dialog, IDC_INTERVAL2, form.interval2);
    setSpinRange(dialog, IDC_INTERVAL_SPIN, 0, kMaximumSeconds);
    setSpinRange(dialog, IDC_INTERVAL2_SPIN, 0, kMaximumSeconds);

    setChecked(dialog, IDC_KEYBOARD_MODE, form.keyboardMode);
    CheckRadioButton(dialog, IDC_KEY_SHIFT, IDC_KEY_PAUSE, IDC_KEY_SHIFT + form.keyEmu);
    setChecked(dialog, IDC_CLICK_TO_PAUSE, form.clickToPause);
    setChecked(dialog, IDC_PAUSE_BY_MOUSE_MOVE, form.pauseByMouseMove);
    setChecked(dialog, IDC_REMOTE_WARNING, form.disableRemoteWarning);
    setChecked(dialog, IDC_FOCUS_ASSIST, form.disableWhenFocusAssist);

    fillComboBox(dialog, IDC_SHAKE_MODE, shakeModeEntries(japanese), form.shakeMode);

    setChecked(dialog, IDC_DISABLE_SHUTDOWN, form.disableShutdown);
    setChecked(dialog, IDC_SHUTDOWN_CONFIRM, form.shutdownConfirm);
    setChecked(dialog, IDC_SHUTDOWN_INFO, form.shutdownInfo);
    prepareShortcutButtons(dialog);

    placeAtBottomRight(dialog);

    setUpTrackBar(dialog, IDC_ALPHA, form.alpha);
    setUpTrackBar(dialog, IDC_ALPHA2, form.alpha2);

    setChecked(dialog, IDC_BIG_DIALOG, form.bigDialog);
    setText(dialog, IDC_LASTMOVE, form.lastMove);
    setText(dialog, IDC_REON, form.reOnSec);
    setSpinRange(dialog, IDC_REON_SPIN, 0, kMaximumSeconds);
    setSpinRange(dialog, IDC_LASTMOVE_SPIN, 0, kMaximumSeconds);
    setChecked(dialog, IDC_PAUSE_DOUBLE, form.pauseDouble);

    // A key alone or with a single modifier would fire while the user types.
    SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_SETHOTKEY, static_cast<WPARAM>(form.hotkey & 0xFFFF), 0);

    setChecked(dialog, IDC_TIME_OFF, form.timeOff);
    writeTimeFields(dialog, kTimeOffFields, form.timeOffFields);
    setChecked(dialog, IDC_TIME_ON, form.timeOn);
    writeTimeFields(dialog, kTimeOnFields, form.timeOnFields);
    for (int i = 0; i < 6; ++i) setSpinRange(dialog, kTimeSpins[i], 0, i % 3 == 0 ? 23 : 59);

    const Policy& policy = currentPolicy();
    TooltipTexts tips = settingsTooltips(japanese, policy);
    HWND tooltip = createTooltips(dialog, tips);
    applyEnablingRules(dialog);
    SetForegroundWindow(dialog);
    if (application.settings.BIGDIALOG) enlargeDialog(EnlargedDialog::Settings, dialog, DialogPlacement::BottomRight);
    // After the enlarging, which moves the controls these tips are placed over.
    for (int id : policyLockedControls(policy))
        for (const auto& [tipId, text] : tips)
            if (tipId == id) addDisabledControlTip(tooltip, dialog, id, text);

    if (application.storage.noSave) SetWindowTextW(dialog, wide(message(SettingsMessage::NoSaveCaption)));

    installHotKeyPainter(dialog, toWide(message(SettingsMessage::HotKeyNone)));
    installDisabledControlPainter(dialog);
    setLargeIcon(dialog, trayIcon(false));
    SendMessageW(dialog, WM_THEMECHANGED, 0, 0);
}

void carryOut(HWND dialog, ApplyEffect effect) {
    Application& application = app();
    switch (effect) {
        case ApplyEffect::StopScript: requestScriptStop(); break;
        case ApplyEffect::RegisterHotkey: registerPauseHotkey(); break;
        case ApplyEffect::SetStatusOpacity: setStatusDialogOpacity(application.settings.OpenShowDlgAlpha); break;
        case ApplyEffect::RestartCountdowns: application.activity->restartCountdowns(); break;
        case ApplyEffect::ExplainBigDialogOn:
        case ApplyEffect::ExplainBigDialogOff: {
            SettingsMessage text = effect == ApplyEffect::ExplainBigDialogOn ? SettingsMessage::BigDialogSwitchedOn
                                                                              : SettingsMessage::BigDialogSwitchedOff;
            themedMessageBox(dialog, wide(message(text)), wide(message(SettingsMessage::BigDialogCaption)),
                             MB_OK | MB_ICONINFORMATION);
            break;
        }
        case ApplyEffect::RestartShakeTimer: application.swing->armShakeTimer(); break;
        case ApplyEffect::KillShakeTimer: KillTimer(application.mainWindow, ids::kShakeTimer); break;
        case ApplyEffect::Save:
            if (!saveAllSettings())
                showMessage(dialog, application.storage.iniMode ? AppMessage::CannotSaveIni : AppMessage::CannotSaveRegistry,
                            MB_OK | MB_ICONWARNING);
            break;
    }
}

// OK and Apply: true when the settings were taken.
bool takeSettings(HWND dialog) {
    Application& application = app();
    SettingsForm form = readForm(dialog);
    Validation validation = validateForm(form, application.japanese);
    const std::u16string zero = u"0";
    if (validation.timeOffReset)
        for (int id : kTimeOffFields) setText(dialog, id, zero);
    if (validation.timeOnReset)
        for (int id : kTimeOnFields) setText(dialog, id, zero);
    if (validation.failure) {
        showFailure(dialog, *validation.failure);
        return false;
    }
    for (ApplyEffect effect :
         applyForm(form, validation.values, application.japanese, isScriptRunning(), application.settings))
        carryOut(dialog, effect);
    return true;
}

// The interval edits clean what is typed or pasted into them as it arrives.
void filterInterval(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    DWORD selectionEnd = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
    FilteredText filtered = filterIntervalText(getText(dialog, id), selectionEnd);
    if (!filtered.changed) return;
    setText(dialog, id, filtered.text);  // comes back here once more, with nothing left to change
    SendMessageW(edit, EM_SETSEL, filtered.caret, filtered.caret);
}

void wobble(HWND dialog) {
    RECT start{};
    GetWindowRect(dialog, &start);
    for (int step = 0; step < kWobbleSteps; ++step) {
        SetWindowPos(dialog, nullptr, start.left + wobbleOffset(step), start.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(kWobbleStepMs);
    }
    SetWindowPos(dialog, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

void openLink(HWND dialog, const wchar_t* linkId) {
    std::u16string id = fromWide(linkId);
    LinkAction action = linkAction(id);
    if (action.kind == LinkAction::Kind::HelpTopic) {
        bool allThree = held(VK_SHIFT) && held(VK_MENU) && held(VK_CONTROL);
        openHelpTopic(dialog, wide(action.file));
        if (id == u"tmhelp" && allThree) wobble(dialog);
    } else if (action.kind == LinkAction::Kind::Program) {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        // A program that cannot be started leaves nothing to report beyond what the shell shows.
        ShellExecuteW(dialog, L"open", wide(action.file), wide(action.parameters), system, SW_SHOWNORMAL);
    }
}

bool isLink(UINT_PTR id) { return id == IDC_INTRO_LINK || id == IDC_ADMIN_LINK || id == IDC_TASK_LINK; }

void onCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
        case IDOK:
            if (takeSettings(dialog)) EndDialog(dialog, IDOK);
            return;
        case IDC_APPLY: takeSettings(dialog); return;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return;
        case IDC_HELP_BUTTON: openHelpTopic(dialog, wide(std::u16string(kSettingsHelpTopic))); return;
        case IDC_KEYBOARD_MODE:
        case IDC_DISABLE_SHUTDOWN:
        case IDC_TIME_OFF:
        case IDC_TIME_ON:
            if (code == BN_CLICKED) applyEnablingRules(dialog);
            return;
        case IDC_SHAKE_MODE:
            if (code == CBN_SELCHANGE) applyEnablingRules(dialog);
            return;
        case IDC_INTERVAL_KIND:
            if (code == CBN_SELCHANGE) showIntervalKind(dialog, selectedIndex(dialog, IDC_INTERVAL_KIND));
            return;
        case IDC_INTERVAL:
        case IDC_INTERVAL2:
            if (code == EN_CHANGE) filterInterval(dialog, id);
            return;
        case IDC_EDIT_SCRIPT: runScriptEditor(dialog); return;
        case IDC_STARTUP_SHORTCUT: onShortcutButton(dialog, ShortcutKind::Startup); return;
        case IDC_DESKTOP_SHORTCUT: onShortcutButton(dialog, ShortcutKind::Desktop); return;
        default: return;
    }
}

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The task-scheduler note keeps its light-blue background in light and dark mode alike. The
    // DC brush, a stock object: Wine's link control deletes the brush its parent hands it.
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_TASK_LINK)) {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetDCBrushColor(dc, RGB(238, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(DC_BRUSH));
    }
    INT_PTR result = 0;
    if (darkModeDialogMessage(dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG: onInitDialog(dialog); return TRUE;
        case WM_COMMAND: onCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if ((header->code == NM_CLICK || header->code == NM_RETURN) && isLink(header->idFrom)) {
                openLink(dialog, reinterpret_cast<NMLINK*>(lParam)->item.szID);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            restoreDialog(EnlargedDialog::Settings);
            openDialog = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void runSettingsDialog() {
    Application& application = app();
    WORD id = application.japanese ? IDD_SETTINGS_JA : IDD_SETTINGS_EN;
    DialogBoxParamW(application.instance, MAKEINTRESOURCEW(id), nullptr, settingsDialogProc, 0);
}

HWND settingsDialogWindow() { return openDialog; }

}  // namespace wavelith
