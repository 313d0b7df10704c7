#include "ui/ktrv_lite.h"

#include "platform/win32_system.h"
#include "platform/win32_text.h"
#include "ui/controls.h"
#include "ui/dark_mode.h"
#include "ui/dark_mode_rules.h"
#include "ui/win32_environment.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <cstring>
#include <vector>

namespace wavelith {

namespace {

// ---- the dialog template, built in memory ----

// DLGTEMPLATE and its items as the dialog manager reads them: 16-bit words, each item on a
// 32-bit boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const std::u16string& caption, WORD pointSize,
                   const std::u16string& font) {
        dword(style);
        dword(0);            // extended style
        words_.push_back(0);  // item count, counted as items come
        for (short value : {short(0), short(0), width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        text(caption);
        words_.push_back(pointSize);
        text(font);
    }

    // `windowClass`: a predefined class's atom (0x0080 button, 0x0081 edit, 0x0082 static), or
    // 0 with `className`.
    void item(WORD id, WORD windowClass, const std::u16string& className, DWORD style, DWORD extendedStyle, short x,
              short y, short width, short height, const std::u16string& title, WORD titleOrdinal = 0) {
        if (words_.size() % 2) words_.push_back(0);
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(extendedStyle);
        for (short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
        words_.push_back(id);
        if (windowClass) {
            words_.push_back(0xFFFF);
            words_.push_back(windowClass);
        } else {
            text(className);
        }
        if (titleOrdinal) {
            words_.push_back(0xFFFF);
            words_.push_back(titleOrdinal);
        } else {
            text(title);
        }
        words_.push_back(0);  // no creation data
        ++words_[4];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void text(const std::u16string& value) {
        words_.insert(words_.end(), value.begin(), value.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;  // new[] storage: aligned for DWORDs
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

DialogTemplate aboutTemplate(const KTRVLiteParameters& parameters) {
    using namespace about_ids;
    const bool japanese = parameters.japanese;
    auto text = [japanese](AboutMessage id) { return std::u16string(aboutMessage(id, japanese)); };
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 239, 261,
                          text(AboutMessage::Caption), japanese ? 9 : 8, japanese ? u"MS UI Gothic" : u"MS Sans Serif");
    const std::u16string link = u"SysLink";
    const DWORD readOnlyText = ES_MULTILINE | ES_READONLY;
    dialog.item(kFeedbackLink, 0, link, WS_TABSTOP, 0, 42, 145, 70, 10, text(AboutMessage::FeedbackLink));
    dialog.item(kContributionLink, 0, link, WS_TABSTOP, 0, 126, 145, 96, 10, text(AboutMessage::ContributionLink));
    dialog.item(kLicenceText, kEdit, {}, readOnlyText | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 7, 156, 225, 80, u"");
    dialog.item(kClose, kButton, {}, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 7, 240, 50, 14, text(AboutMessage::CloseButton));
    dialog.item(kEnvironmentButton, kButton, {}, BS_PUSHBUTTON | WS_TABSTOP, 0, 60, 240, 172, 14,
                text(AboutMessage::EnvironmentButton));
    dialog.item(kIcon, kStatic, {}, SS_ICON, 0, 7, 7, 32, 32, {}, parameters.iconId);
    dialog.item(kVersionText, kEdit, {}, readOnlyText, 0, 35, 7, 197, 37, u"");
    dialog.item(kAddressLinks, 0, link, WS_TABSTOP, 0, 7, 46, 225, 98, u"");
    return dialog;
}

// ---- the open dialog ----

struct AboutState {
    KTRVLiteParameters parameters;
    std::u16string versionText;
    std::wstring scratchFile;
    bool dark = false;
    HBRUSH darkBrush = nullptr;
    bool linksLocked = false;
    HWND focusBeforeLock = nullptr;
};

AboutState& stateOf(HWND dialog) { return *reinterpret_cast<AboutState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::u16string message(const AboutState& state, AboutMessage id) {
    return std::u16string(aboutMessage(id, state.parameters.japanese));
}

int showBox(const AboutState& state, HWND owner, const std::u16string& text, const std::u16string& caption, UINT style) {
    MessageBoxFunction box = state.parameters.messageBox ? state.parameters.messageBox : MessageBoxW;
    return box(owner, wide(text), wide(caption), style);
}

// ---- dark mode, the module's own: no version check, and the title bar follows from the start ----

BOOL CALLBACK themeTooltipOf(HWND window, LPARAM dialog) {
    if (hasWindowClass(window, TOOLTIPS_CLASSW) && GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(dialog))
        themeToolTip(window, stateOf(reinterpret_cast<HWND>(dialog)).dark);
    return TRUE;
}

void applyTheme(HWND dialog) {
    const bool dark = stateOf(dialog).dark;
    setDarkTitleBar(dialog, dark);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<uint32_t>(GetWindowLongPtrW(child, GWL_STYLE));
        if (hasWindowClass(child, WC_BUTTONW) && buttonKind(style) == ButtonKind::Push)
            SetWindowTheme(child, dark ? L"DarkMode_Explorer" : L"Explorer", nullptr);
        else
            SetWindowTheme(child, L" ", L" ");  // visual styles off in both modes: our colours apply
    }
    EnumThreadWindows(GetCurrentThreadId(), themeTooltipOf, reinterpret_cast<LPARAM>(dialog));
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Background and control colours; false when the default handling should run.
bool darkModeMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    AboutState& state = stateOf(dialog);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(dialog, &client);
        FillRect(dc, &client, state.dark && state.darkBrush ? state.darkBrush : GetSysColorBrush(COLOR_BTNFACE));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    }
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC || !state.dark || !state.darkBrush) return false;
    result = static_cast<INT_PTR>(darkControlColours(dc, reinterpret_cast<HWND>(lParam), state.darkBrush));
    return true;
}

void onSettingChange(HWND dialog, LPARAM lParam) {
    auto area = reinterpret_cast<const wchar_t*>(lParam);
    if (!area || lstrcmpW(area, L"ImmersiveColorSet") != 0) return;
    stateOf(dialog).dark = (appsUseLightTheme() == 0u);
    applyTheme(dialog);
}

// ---- the licence text's Ctrl+A ----

LRESULT CALLBACK selectAllOnCtrlA(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_NCDESTROY: RemoveWindowSubclass(edit, selectAllOnCtrlA, id); break;
        case WM_KEYDOWN:
            if (wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000)) {
                SendMessageW(edit, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == 1) return 0;  // the Ctrl+A character, which would only beep
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// ---- links ----

constexpr int kLockedWhileOpening[] = {about_ids::kEnvironmentButton, about_ids::kContributionLink,
                                       about_ids::kFeedbackLink, about_ids::kAddressLinks};

void lockLinks(HWND dialog, AboutState& state, bool locked) {
    if (locked) state.focusBeforeLock = GetFocus();
    for (int id : kLockedWhileOpening) enableControl(dialog, id, !locked);
    state.linksLocked = locked;
    // A link opened with Enter loses the focus when it is disabled: give it back.
    if (!locked && !GetFocus() && state.focusBeforeLock && IsWindow(state.focusBeforeLock))
        SetFocus(state.focusBeforeLock);
}

void openLink(HWND dialog, AboutState& state, const wchar_t* linkId) {
    // A second click within the second after the first would open the page twice.
    if (state.linksLocked) return;
    std::u16string address = linkTarget(fromWide(linkId), state.parameters.addresses);
    lockLinks(dialog, state, true);
    SetTimer(dialog, about_ids::kLinkLockTimer, 1000, nullptr);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(dialog, L"open", wide(address), nullptr, system, SW_SHOWNORMAL));
    if (result <= 32)
        showBox(state, dialog, cannotOpenBrowserText(address, state.parameters.japanese), state.parameters.programName,
                MB_OK | MB_ICONERROR);
}

bool isLink(UINT_PTR id) {
    return id == about_ids::kAddressLinks || id == about_ids::kContributionLink || id == about_ids::kFeedbackLink;
}

// ---- the environment report ----

// The order keeps the clipboard as it was until the data is ready to take its place.
AboutMessage putOnClipboard(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner)) return AboutMessage::CannotOpenClipboard;
    AboutMessage result = AboutMessage::ClipboardDone;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kClipboardBytes);
    if (!memory) {
        result = AboutMessage::OutOfMemory;
    } else if (void* block = GlobalLock(memory)) {
        std::memcpy(block, text.data(), text.size() * sizeof(char16_t));  // clipboardText() leaves the zero
        GlobalUnlock(memory);
        if (!EmptyClipboard())
            result = AboutMessage::EmptyClipboardError;
        else if (!SetClipboardData(CF_UNICODETEXT, memory))
            result = AboutMessage::ClipboardError;
        else
            memory = nullptr;  // the clipboard owns it now
    } else {
        result = AboutMessage::GlobalLockError;
    }
    if (memory) GlobalFree(memory);
    CloseClipboard();
    return result;
}

void showEnvironmentReport(HWND dialog, AboutState& state) {
    const bool japanese = state.parameters.japanese;
    EnvironmentInputs inputs = gatherEnvironment();
    inputs.darkMode = state.dark;
    inputs.client = clientLine(state.versionText);
    const std::u16string report = environmentReport(inputs);
    if (showBox(state, dialog, reportBoxText(report, japanese), message(state, AboutMessage::ReportCaption),
                MB_OKCANCEL) != IDOK)
        return;
    AboutMessage result = putOnClipboard(dialog, clipboardText(report));
    const bool information = result == AboutMessage::ClipboardDone || result == AboutMessage::ClipboardError;
    showBox(state, dialog, message(state, result), std::u16string(kResultCaption),
            MB_OK | (information ? MB_ICONINFORMATION : MB_ICONERROR));
}

// ---- the dialog procedure ----

std::wstring scratchFilePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return {};
    return std::wstring(folder, length) + L"KTRV32LIB_TEMP.TXT";
}

void onInitDialog(HWND dialog, AboutState& state) {
    using namespace about_ids;
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const KTRVLiteParameters& parameters = state.parameters;
    if (parameters.windowSlot) *parameters.windowSlot = dialog;
    state.dark = (appsUseLightTheme() == 0u);
    constexpr Rgb background = dark_colours::kBackground;
    state.darkBrush = CreateSolidBrush(RGB(background.red, background.green, background.blue));

    std::optional<VersionStrings> strings = readVersionStrings();
    state.versionText = versionText(parameters.programName, strings, parameters.japanese);
    setText(dialog, kVersionText, state.versionText);
    setText(dialog, kAddressLinks, strings ? addressLinksText(parameters.addresses, parameters.japanese) : u"(NULL)");
    setText(dialog, kLicenceText, parameters.licenceText);
    SetWindowSubclass(GetDlgItem(dialog, kLicenceText), selectAllOnCtrlA, 1, 0);

    const bool contribution = !parameters.addresses.contribution.empty();
    showControl(dialog, kFeedbackLink, !parameters.addresses.feedback.empty());
    showControl(dialog, kContributionLink, contribution);
    SetFocus(GetDlgItem(dialog, contribution ? kContributionLink : kClose));

    createTooltips(dialog, aboutTooltips(parameters.japanese));
    state.scratchFile = scratchFilePath();
    applyTheme(dialog);
}

void onDestroy(HWND dialog, AboutState& state) {
    if (state.parameters.windowSlot && *state.parameters.windowSlot == dialog) *state.parameters.windowSlot = nullptr;
    KillTimer(dialog, about_ids::kLinkLockTimer);
    if (state.darkBrush) DeleteObject(state.darkBrush);
    state.darkBrush = nullptr;
    state.dark = false;  // nothing may paint with the brush now
    if (!state.scratchFile.empty()) DeleteFileW(state.scratchFile.c_str());  // gone already is fine
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        onInitDialog(dialog, *reinterpret_cast<AboutState*>(lParam));
        return FALSE;  // the focus is set
    }
    if (!GetWindowLongPtrW(dialog, DWLP_USER)) return FALSE;  // WM_SETFONT and the like come first
    AboutState& state = stateOf(dialog);
    INT_PTR result = 0;
    if (darkModeMessage(dialog, message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == about_ids::kClose) EndDialog(dialog, IDCANCEL);
            if (LOWORD(wParam) == about_ids::kEnvironmentButton) showEnvironmentReport(dialog, state);
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if ((header->code == NM_CLICK || header->code == NM_RETURN) && isLink(header->idFrom)) {
                openLink(dialog, state, reinterpret_cast<NMLINK*>(lParam)->item.szID);
                return TRUE;
            }
            return FALSE;
        }
        case WM_TIMER:
            if (wParam != about_ids::kLinkLockTimer) return FALSE;
            KillTimer(dialog, about_ids::kLinkLockTimer);
            lockLinks(dialog, state, false);
            return TRUE;
        case WM_THEMECHANGED: applyTheme(dialog); return TRUE;
        case WM_SETTINGCHANGE: onSettingChange(dialog, lParam); return FALSE;
        case WM_DESTROY: onDestroy(dialog, state); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

INT_PTR KTRVLite(const KTRVLiteParameters& parameters) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // Lives until the dialog is gone, however it goes: closed, or destroyed by the tray.
    AboutState state;
    state.parameters = parameters;
    DialogTemplate dialog = aboutTemplate(parameters);
    return DialogBoxIndirectParamW(parameters.instance, dialog.get(), parameters.owner, aboutDialogProc,
                                   reinterpret_cast<LPARAM>(&state));
}

}  // namespace wavelith
