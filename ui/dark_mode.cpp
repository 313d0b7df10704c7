#include "ui/dark_mode.h"

#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "platform/win32_text.h"
#include "ui/controls.h"
#include "ui/dark_mode_rules.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace wavelith {

namespace {

COLORREF colour(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

bool available = false;
// Written on the main thread, read also by script message boxes on the worker thread.
std::atomic<bool> dark{false};
HINSTANCE recordedInstance = nullptr;
// Made once when dark mode is available, read-only afterwards: safe on any thread.
HBRUSH darkBrush = nullptr;
std::wstring hotKeyNoneText;

constexpr UINT_PTR kMessageBoxSubclass = 1;
constexpr UINT_PTR kHotKeySubclass = 2;
constexpr UINT_PTR kDisabledControlSubclass = 3;

void readSetting() { dark = darkModeWanted(available, appsUseLightTheme()); }

uint32_t styleOf(HWND window) { return static_cast<uint32_t>(GetWindowLongPtrW(window, GWL_STYLE)); }

void repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

template <typename Visit>
void forEachChild(HWND dialog, Visit visit) {
    // Direct children only: a list view's header and a combo box's edit are themed with their owner.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) visit(child);
}

void fillClient(HWND window, HDC dc, HBRUSH brush) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
}

// The dark background and control colours, shared by dialogs and message boxes; nothing when
// light, so that the standard handling runs.
std::optional<LRESULT> darkColours(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!dark || !darkBrush) return std::nullopt;
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_ERASEBKGND) {
        fillClient(window, dc, darkBrush);
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return darkControlColours(dc, reinterpret_cast<HWND>(lParam), darkBrush);
    return std::nullopt;
}

// ---- theming ----

void themeListView(HWND list, bool darkNow) {
    HWND header = ListView_GetHeader(list);
    if (darkNow) {
        SetWindowTheme(list, L"Explorer", nullptr);
        ListView_SetBkColor(list, colour(dark_colours::kTipBackground));
        ListView_SetTextBkColor(list, colour(dark_colours::kTipBackground));
        ListView_SetTextColor(list, colour(dark_colours::kTipText));
        const DWORD styles = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT;
        ListView_SetExtendedListViewStyleEx(list, styles, styles);
        if (header) SetWindowTheme(header, L"ItemsView", nullptr);
    } else {
        SetWindowTheme(list, nullptr, nullptr);
        ListView_SetBkColor(list, GetSysColor(COLOR_WINDOW));
        ListView_SetTextBkColor(list, GetSysColor(COLOR_WINDOW));
        ListView_SetTextColor(list, GetSysColor(COLOR_WINDOWTEXT));
        if (header) SetWindowTheme(header, nullptr, nullptr);
    }
}

void themeControl(HWND control, bool darkNow) {
    if (hasWindowClass(control, WC_BUTTONW) && buttonKind(styleOf(control)) == ButtonKind::Push)
        SetWindowTheme(control, darkNow ? L"DarkMode_Explorer" : L"Explorer", nullptr);
    else if (hasWindowClass(control, WC_LISTVIEWW))
        themeListView(control, darkNow);
    else if (darkNow)
        SetWindowTheme(control, L" ", L" ");  // no visual style: the control takes our colours
    else
        SetWindowTheme(control, nullptr, nullptr);
    repaint(control);
}

BOOL CALLBACK themeToolTipOfDialog(HWND window, LPARAM dialogParameter) {
    HWND dialog = reinterpret_cast<HWND>(dialogParameter);
    // Tooltips are pop-ups: their parent in the API's sense is the owner.
    if (hasWindowClass(window, TOOLTIPS_CLASSW) &&
        (GetWindow(window, GW_OWNER) == dialog || GetParent(window) == dialog))
        themeToolTip(window, dark);
    return TRUE;
}

// ---- the title bar on a setting change ----

using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

DwmSetWindowAttributeFunction dwmSetWindowAttribute() {
    static const DwmSetWindowAttributeFunction function = []() -> DwmSetWindowAttributeFunction {
        HMODULE dwm = loadSystemLibrary(L"dwmapi.dll");  // kept for the rest of the run
        return dwm ? reinterpret_cast<DwmSetWindowAttributeFunction>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    return function;
}

void onSettingChange(HWND dialog, LPARAM lParam) {
    auto area = reinterpret_cast<const wchar_t*>(lParam);
    // Re-read before theming, so that the controls follow the new setting, not the old one.
    bool colourSetChanged = available && area && lstrcmpW(area, L"ImmersiveColorSet") == 0;
    if (colourSetChanged) readSetting();
    themeDialog(dialog);
    if (colourSetChanged) {
        setDarkTitleBar(dialog, dark);
        repaint(dialog);
    }
}

// A dialog procedure reports most results through DWLP_MSGRESULT and returns TRUE for
// "handled"; the control-colour messages are the exception that return their brush directly.
bool answerDialog(HWND dialog, LRESULT value, INT_PTR& result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, value);
    result = TRUE;
    return true;
}

// ---- the themed message box ----

LRESULT CALLBACK messageBoxSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, messageBoxSubclass, id);
    else if (std::optional<LRESULT> answer = darkColours(window, message, wParam, lParam))
        return *answer;
    return DefSubclassProc(window, message, wParam, lParam);
}

// The hook belongs to the thread that shows the box: the main thread and the script worker
// each have their own, and a box shown while another is open on the same thread shares it.
thread_local HHOOK messageBoxHook = nullptr;
thread_local int messageBoxesOpen = 0;

LRESULT CALLBACK onMessageBoxEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (hasWindowClass(window, L"#32770")) {
            // On creation the box has no controls yet; on activation it has them all.
            themeDialog(window);
            SetWindowSubclass(window, messageBoxSubclass, kMessageBoxSubclass, 0);  // again is a no-op
            repaint(window);
        }
    }
    return CallNextHookEx(messageBoxHook, code, wParam, lParam);
}

class MessageBoxHook {
public:
    MessageBoxHook() {
        if (messageBoxesOpen++ == 0)
            messageBoxHook = SetWindowsHookExW(WH_CBT, onMessageBoxEvent, recordedInstance, GetCurrentThreadId());
    }
    ~MessageBoxHook() {
        if (--messageBoxesOpen == 0 && messageBoxHook) {
            UnhookWindowsHookEx(messageBoxHook);
            messageBoxHook = nullptr;
        }
    }
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;
};

// ---- painted controls ----

// GDI objects selected into a DC for one paint, put back and freed when it ends.
class PaintTools {
public:
    explicit PaintTools(HDC dc) : dc_(dc) {}
    ~PaintTools() {
        for (auto it = selected_.rbegin(); it != selected_.rend(); ++it) SelectObject(dc_, *it);
        for (HGDIOBJ object : owned_) DeleteObject(object);
    }
    PaintTools(const PaintTools&) = delete;
    PaintTools& operator=(const PaintTools&) = delete;

    void font(HWND control) {
        if (auto chosen = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) select(chosen);
    }
    void pen(Rgb rgb) { select(own(CreatePen(PS_SOLID, 1, colour(rgb)))); }
    void brush(Rgb rgb) { select(own(CreateSolidBrush(colour(rgb)))); }
    HBRUSH solidBrush(Rgb rgb) { return static_cast<HBRUSH>(own(CreateSolidBrush(colour(rgb)))); }
    void text(Rgb rgb) {
        SetTextColor(dc_, colour(rgb));
        SetBkMode(dc_, TRANSPARENT);
    }

private:
    HGDIOBJ own(HGDIOBJ object) {
        if (object) owned_.push_back(object);
        return object;
    }
    void select(HGDIOBJ object) {
        if (HGDIOBJ previous = object ? SelectObject(dc_, object) : nullptr) selected_.push_back(previous);
    }

    HDC dc_;
    std::vector<HGDIOBJ> selected_;
    std::vector<HGDIOBJ> owned_;
};

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::u16string keyName(WORD hotKey) {
    UINT virtualKey = LOBYTE(hotKey);
    if (virtualKey == 0) return {};
    LONG scanCode = static_cast<LONG>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16);
    if (HIBYTE(hotKey) & HOTKEYF_EXT) scanCode |= 1 << 24;
    wchar_t name[kHotKeyNameLimit + 1] = {};
    int length = GetKeyNameTextW(scanCode, name, static_cast<int>(kHotKeyNameLimit + 1));
    return fromWide(std::wstring_view(name, length > 0 ? static_cast<size_t>(length) : 0));
}

// One WM_PAINT of a control that the program draws itself.
void paintControl(HWND control, void (*paint)(HWND, HDC, PaintTools&, const RECT&)) {
    PAINTSTRUCT paintInfo;
    HDC dc = BeginPaint(control, &paintInfo);
    {
        RECT client;
        GetClientRect(control, &client);
        PaintTools tools(dc);  // gone before EndPaint releases the DC
        paint(control, dc, tools, client);
    }
    EndPaint(control, &paintInfo);
}

void paintHotKey(HWND control, HDC dc, PaintTools& tools, const RECT& client) {
    FillRect(dc, &client, darkBrush);
    auto value = static_cast<WORD>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
    std::wstring text = toWide(hotKeyText(value, keyName(value), fromWide(hotKeyNoneText)));
    tools.font(control);
    tools.text(dark_colours::kText);
    RECT textArea = client;
    InflateRect(&textArea, -6, -2);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), -1, &textArea, format);
    bool focused = GetFocus() == control;
    if (focused) {
        // The control's own painting, which we skip, is what moves its caret behind the text.
        RECT extent = textArea;
        DrawTextW(dc, text.c_str(), -1, &extent, format | DT_CALCRECT);
        SetCaretPos(extent.right, textArea.top + (textArea.bottom - textArea.top - (extent.bottom - extent.top)) / 2);
    }
    FrameRect(dc, &client, tools.solidBrush(focused ? dark_colours::kHotKeyBorderFocused : dark_colours::kHotKeyBorder));
}

LRESULT CALLBACK hotKeySubclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_NCDESTROY: RemoveWindowSubclass(control, hotKeySubclass, id); break;
        case WM_PAINT:
            if (dark && darkBrush) {
                paintControl(control, paintHotKey);
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (dark) {
                // The border shows the focus.
                LRESULT answer = DefSubclassProc(control, message, wParam, lParam);
                InvalidateRect(control, nullptr, TRUE);
                return answer;
            }
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

// Disabled controls draw their text embossed, which cannot be read on a dark background; in
// dark mode the program paints them in plain grey instead.
void paintDisabledButton(HWND control, HDC dc, PaintTools& tools, const RECT& client, const std::wstring& text) {
    const uint32_t style = styleOf(control);
    const ButtonKind kind = buttonKind(style);
    tools.font(control);
    tools.text(dark_colours::kDisabledText);
    if (kind == ButtonKind::GroupBox) {
        // Only the frame and the caption: the group box's inside belongs to its sibling controls.
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT frame = client;
        frame.top += metrics.tmHeight / 2 - 1;
        const int band = 2;  // wide enough to cover the etched edge drawn while enabled
        for (RECT edge : {RECT{frame.left, frame.top, frame.right, frame.top + band},
                          RECT{frame.left, frame.bottom - band, frame.right, frame.bottom},
                          RECT{frame.left, frame.top, frame.left + band, frame.bottom},
                          RECT{frame.right - band, frame.top, frame.right, frame.bottom}})
            FillRect(dc, &edge, darkBrush);
        FrameRect(dc, &frame, tools.solidBrush(dark_colours::kDisabledText));
        if (text.empty()) return;
        RECT caption{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
        DrawTextW(dc, text.c_str(), -1, &caption, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_CALCRECT);
        RECT behind{caption.left - 2, caption.top, caption.right + 2, caption.bottom};
        FillRect(dc, &behind, darkBrush);
        DrawTextW(dc, text.c_str(), -1, &caption, DT_SINGLELINE | DT_LEFT | DT_TOP);
        return;
    }
    FillRect(dc, &client, darkBrush);
    RECT textArea = client;
    if (kind == ButtonKind::CheckBox || kind == ButtonKind::RadioButton) {
        tools.pen(dark_colours::kDisabledText);
        tools.brush(dark_colours::kDisabledBoxFace);
        const LRESULT state = SendMessageW(control, BM_GETCHECK, 0, 0);
        if (kind == ButtonKind::CheckBox) {
            Rectangle(dc, 0, 0, 14, 14);
            // A disabled option still shows whether it is on.
            if (state == BST_CHECKED) {
                POINT tick[] = {{3, 7}, {6, 10}, {11, 4}};
                Polyline(dc, tick, 3);
            } else if (state == BST_INDETERMINATE) {
                RECT mark{4, 4, 10, 10};
                FillRect(dc, &mark, tools.solidBrush(dark_colours::kDisabledText));
            }
        } else {
            Ellipse(dc, 0, 0, 14, 14);
            if (state == BST_CHECKED) {
                tools.brush(dark_colours::kDisabledText);
                Ellipse(dc, 4, 4, 10, 10);
            }
        }
        textArea.left += 18;
        textArea.top += 1;
    }
    DrawTextW(dc, text.c_str(), -1, &textArea, (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
}

void paintDisabledStatic(HWND control, HDC dc, PaintTools& tools, const RECT& client, const std::wstring& text) {
    const uint32_t style = styleOf(control);
    FillRect(dc, &client, darkBrush);
    tools.font(control);
    tools.text(dark_colours::kDisabledText);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER;
    if ((style & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    RECT textArea = client;
    DrawTextW(dc, text.c_str(), -1, &textArea, format);
}

void paintDisabled(HWND control, HDC dc, PaintTools& tools, const RECT& client) {
    std::wstring text = windowText(control);
    if (hasWindowClass(control, WC_STATICW))
        paintDisabledStatic(control, dc, tools, client, text);
    else
        paintDisabledButton(control, dc, tools, client, text);
}

bool paintsDisabled(HWND control) { return dark && darkBrush && !IsWindowEnabled(control); }

LRESULT CALLBACK disabledControlSubclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR) {
    switch (message) {
        case WM_NCDESTROY: RemoveWindowSubclass(control, disabledControlSubclass, id); break;
        case WM_ENABLE:
            // Disabling would repaint the control embossed at once; let our painting do it.
            if (!wParam && dark) {
                InvalidateRect(control, nullptr, TRUE);
                return 0;
            }
            break;
        case WM_PAINT:
            if (paintsDisabled(control)) {
                paintControl(control, paintDisabled);
                return 0;
            }
            break;
        case WM_SETTEXT:
        case BM_SETCHECK:
        case BM_SETSTATE:
            // These draw straight away with the control's own disabled look; paint ours over it.
            if (paintsDisabled(control)) {
                LRESULT answer = DefSubclassProc(control, message, wParam, lParam);
                InvalidateRect(control, nullptr, TRUE);
                return answer;
            }
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

bool isDisabledPaintable(HWND control) {
    if (hasWindowClass(control, WC_STATICW)) return isTextStatic(styleOf(control));
    return hasWindowClass(control, WC_BUTTONW) && buttonKind(styleOf(control)) != ButtonKind::Push;
}

// ---- the enlarger ----

struct EnlargerState {
    HWND dialog = nullptr;
    HFONT earlierFont = nullptr;
    HFONT enlargedFont = nullptr;
    double factor = 0;  // 0: not enlarged
};
std::array<EnlargerState, static_cast<size_t>(EnlargedDialog::Count)> enlargers;

HFONT createEnlargedFont(HWND dialog, HFONT earlier, double factor) {
    LOGFONTW font{};
    HGDIOBJ source = earlier ? static_cast<HGDIOBJ>(earlier)
                             : reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!source) source = GetStockObject(DEFAULT_GUI_FONT);
    if (!GetObjectW(source, sizeof(font), &font)) return nullptr;
    FontScale scale = enlargedFont(font.lfHeight, font.lfWidth, factor);
    font.lfHeight = scale.height;
    font.lfWidth = scale.width;
    font.lfWeight = scale.weight;
    return CreateFontIndirectW(&font);
}

Size sizeOf(const RECT& rect) { return Size{rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

void initDarkMode(HINSTANCE instance) {
    available = darkModeAvailable(static_cast<uint32_t>(windowsVersion() / 100));
    if (!available) {
        dark = false;
        return;
    }
    recordedInstance = instance;
    if (!darkBrush) darkBrush = CreateSolidBrush(colour(dark_colours::kBackground));
    readSetting();
}

void enableDarkMenusAndControls() {
    if (!available) return;
    HMODULE uxtheme = loadSystemLibrary(L"uxtheme.dll");
    if (!uxtheme) return;
    using SetPreferredAppMode = int(WINAPI*)(int);
    using RefreshImmersiveColorPolicy = void(WINAPI*)();
    auto setMode = reinterpret_cast<SetPreferredAppMode>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, MAKEINTRESOURCEA(135))));
    auto refresh = reinterpret_cast<RefreshImmersiveColorPolicy>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, MAKEINTRESOURCEA(104))));
    // Both or neither: where 135 is missing (Wine), 104 is a different function that crashes.
    if (setMode && refresh) {
        setMode(1);  // follow the system's choice of dark applications
        refresh();
    }
    FreeLibrary(uxtheme);
}

bool darkModeEnabled() { return dark; }

std::optional<uint32_t> appsUseLightTheme() {
    OpenKey key(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize");
    return dwordValue(key.get(), L"AppsUseLightTheme");
}

void setDarkTitleBar(HWND window, bool darkNow) {
    constexpr DWORD kUseImmersiveDarkMode = 20;
    BOOL value = darkNow ? TRUE : FALSE;
    if (auto set = dwmSetWindowAttribute()) set(window, kUseImmersiveDarkMode, &value, sizeof(value));
}

void themeToolTip(HWND tip, bool darkNow) {
    if (darkNow) {
        SetWindowTheme(tip, L" ", L" ");
        SendMessageW(tip, TTM_SETTIPBKCOLOR, colour(dark_colours::kTipBackground), 0);
        SendMessageW(tip, TTM_SETTIPTEXTCOLOR, colour(dark_colours::kTipText), 0);
    } else {
        SetWindowTheme(tip, nullptr, nullptr);
        SendMessageW(tip, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);
        SendMessageW(tip, TTM_SETTIPTEXTCOLOR, GetSysColor(COLOR_INFOTEXT), 0);
    }
    repaint(tip);
}

LRESULT darkControlColours(HDC dc, HWND control, HBRUSH brush) {
    SetTextColor(dc, colour(dark_colours::kText));
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, colour(dark_colours::kBackground));
    // Wine's SysLink deletes the brush it is given, after which the next brush anyone
    // creates takes over its handle and every dark area turns that colour. The DC brush is
    // a stock object, which cannot be deleted.
    if (hasWindowClass(control, WC_LINK)) {
        SetDCBrushColor(dc, colour(dark_colours::kBackground));
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    return reinterpret_cast<LRESULT>(brush);
}

void deleteDarkModeBrush() {
    dark = false;  // nothing may paint with the brush once it is gone
    if (darkBrush) DeleteObject(darkBrush);
    darkBrush = nullptr;
}

int themedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
    if (!dark) return MessageBoxW(owner, text, caption, style);
    MessageBoxHook hook;
    return MessageBoxW(owner, text, caption, style);
}

bool darkModeDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_ERASEBKGND:
            if (!darkColours(dialog, message, wParam, lParam))
                fillClient(dialog, reinterpret_cast<HDC>(wParam), GetSysColorBrush(COLOR_BTNFACE));
            return answerDialog(dialog, TRUE, result);
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (std::optional<LRESULT> brush = darkColours(dialog, message, wParam, lParam)) {
                result = static_cast<INT_PTR>(*brush);
                return true;
            }
            return false;
        case WM_THEMECHANGED:
            themeDialog(dialog);
            return answerDialog(dialog, 0, result);
        case WM_SETTINGCHANGE:  // the same message as WM_WININICHANGE
            onSettingChange(dialog, lParam);
            return answerDialog(dialog, dark ? TRUE : FALSE, result);
    }
    return false;
}

void themeDialog(HWND dialog) {
    const bool darkNow = dark;
    forEachChild(dialog, [darkNow](HWND child) { themeControl(child, darkNow); });
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), themeToolTipOfDialog, reinterpret_cast<LPARAM>(dialog));
    repaint(dialog);
}

void installHotKeyPainter(HWND dialog, const std::wstring& noneText) {
    hotKeyNoneText = noneText;
    forEachChild(dialog, [](HWND child) {
        if (hasWindowClass(child, HOTKEY_CLASSW)) SetWindowSubclass(child, hotKeySubclass, kHotKeySubclass, 0);
    });
}

void installDisabledControlPainter(HWND dialog) {
    forEachChild(dialog, [](HWND child) {
        if (isDisabledPaintable(child)) SetWindowSubclass(child, disabledControlSubclass, kDisabledControlSubclass, 0);
    });
}

void enlargeDialog(EnlargedDialog kind, HWND dialog, DialogPlacement placement) {
    EnlargerState& state = enlargers[static_cast<size_t>(kind)];
    if (state.factor != 0) {
        if (state.dialog == dialog) return;  // enlarging twice would compound the factor
        restoreDialog(kind);
    }
    RECT window;
    if (!GetWindowRect(dialog, &window)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{window.left, window.top}, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const Area work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
    const Size size = sizeOf(window);
    std::optional<double> factor = enlargeFactor(size, Size{work.width(), work.height()});
    if (!factor) return;

    SetWindowPos(dialog, nullptr, 0, 0, scaledSize(size.width, *factor), scaledSize(size.height, *factor),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bool first = true;
    forEachChild(dialog, [&](HWND child) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        Size childSize = sizeOf(place);
        // A combo box's height is that of its open list; its closed height would leave no list.
        RECT dropped;
        if (hasWindowClass(child, WC_COMBOBOXW) && SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            childSize.height = dropped.bottom - dropped.top;
        if (first) {
            state.earlierFont = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            state.enlargedFont = createEnlargedFont(dialog, state.earlierFont, *factor);
            first = false;
        }
        MoveWindow(child, scaledPosition(place.left, *factor), scaledPosition(place.top, *factor),
                   scaledSize(childSize.width, *factor), scaledSize(childSize.height, *factor), TRUE);
        if (state.enlargedFont) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.enlargedFont), TRUE);
    });
    state.dialog = dialog;
    state.factor = *factor;

    if (GetWindowRect(dialog, &window)) {  // the size the window really took
        if (std::optional<Point> position = placedPosition(static_cast<int>(placement), sizeOf(window), work))
            SetWindowPos(dialog, nullptr, position->x, position->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    repaint(dialog);
}

void restoreDialog(EnlargedDialog kind) {
    EnlargerState& state = enlargers[static_cast<size_t>(kind)];
    if (state.enlargedFont) {
        if (IsWindow(state.dialog)) {
            HFONT earlier = state.earlierFont;
            forEachChild(state.dialog, [earlier](HWND child) {
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(earlier), TRUE);
            });
        }
        DeleteObject(state.enlargedFont);
    }
    state = EnlargerState{};
}

void restoreAllDialogs() {
    for (size_t kind = 0; kind < enlargers.size(); ++kind) restoreDialog(static_cast<EnlargedDialog>(kind));
}

}  // namespace wavelith
