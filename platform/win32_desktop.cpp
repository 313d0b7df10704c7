#include "platform/win32_desktop.h"

#include "platform/win32_text.h"

#include <windows.h>
#include <imm.h>

#include <cstring>
#include <vector>

namespace wavelith {

Point Win32Desktop::getCursorPos() {
    POINT point{};
    GetCursorPos(&point);  // on failure the origin is as good a reading as any
    return {point.x, point.y};
}

void Win32Desktop::setCursorPos(Point position) { SetCursorPos(position.x, position.y); }

void Win32Desktop::mouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data) {
    mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), static_cast<DWORD>(data), 0);
}

void Win32Desktop::keybdEvent(uint8_t virtualKey, uint32_t flags) { keybd_event(virtualKey, 0, flags, 0); }

int16_t Win32Desktop::getKeyState(int32_t virtualKey) { return GetKeyState(virtualKey); }

bool Win32Desktop::swapMouseButton(bool swap) { return SwapMouseButton(swap) != FALSE; }

int32_t Win32Desktop::getSystemMetrics(int32_t index) { return GetSystemMetrics(index); }

bool Win32Desktop::queryFocusAssist() {
    // Undocumented, so looked up at each query; Windows versions without it have no Focus Assist.
    using QueryWnfStateData = LONG(NTAPI*)(const ULONG64* stateName, const void* typeId, const void* scope,
                                           ULONG* changeStamp, void* buffer, ULONG* bufferSize);
    HMODULE ntdll = GetModuleHandleW(L"ntdll");
    if (!ntdll) return false;
    auto query = reinterpret_cast<QueryWnfStateData>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryWnfStateData")));
    if (!query) return false;
    const ULONG64 focusAssistState = 0x0D83063EA3BF1C75ull;
    ULONG changeStamp = 0;
    LONG profile = 0;
    ULONG size = sizeof(profile);
    LONG status = query(&focusAssistState, nullptr, nullptr, &changeStamp, &profile, &size);
    return status >= 0 && profile >= 1;
}

uint32_t Win32Desktop::getTickCount() { return GetTickCount(); }

LocalTime Win32Desktop::getLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

uint32_t Win32Desktop::getLastInputTick() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    // A failed read (it never fails in practice) says no input came, which errs toward a warning.
    if (!GetLastInputInfo(&info)) return getTickCount() - 0x80000000u;
    return info.dwTime;
}

bool Win32Desktop::setThreadExecutionState(uint32_t flags) {
    return SetThreadExecutionState(static_cast<EXECUTION_STATE>(flags)) != 0;
}

namespace {

// The input dialog is a classic dialog template built in memory, so the scripts' INPUT needs no
// resource of the program that hosts them.
class TemplateWriter {
public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void text(const wchar_t* value) {
        for (; *value; ++value) word(*value);
        word(0);
    }
    void alignToDword() {
        if (words_.size() % 2) word(0);
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* caption) {
        alignToDword();
        dword(style);
        dword(0);  // extended style
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(id);
        word(0xFFFF);
        word(classAtom);
        text(caption);
        word(0);  // no creation data
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

constexpr WORD PromptId = 102, FieldId = 101;

struct InputRequest {
    const std::u16string* prompt;
    const std::u16string* title;
    std::u16string result;
};

INT_PTR CALLBACK inputDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* request = reinterpret_cast<InputRequest*>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        SetWindowTextW(dialog, wide(*request->title));
        SetDlgItemTextW(dialog, PromptId, wide(*request->prompt));
        SetFocus(GetDlgItem(dialog, FieldId));
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* request = reinterpret_cast<InputRequest*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
            wchar_t buffer[4096] = {};
            GetDlgItemTextW(dialog, FieldId, buffer, 4096);
            request->result = reinterpret_cast<const char16_t*>(buffer);
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 2);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

int32_t Win32Desktop::messageBox(void* owner, const std::u16string& text, const std::u16string& caption,
                                 uint32_t style) {
    return MessageBoxW(static_cast<HWND>(owner), wide(text), wide(caption), style);
}

std::optional<std::u16string> Win32Desktop::inputDialog(void* owner, const std::u16string& prompt,
                                                        const std::u16string& title, bool japanese) {
    TemplateWriter writer;
    writer.dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
    writer.dword(0);  // extended style
    writer.word(4);   // controls
    writer.word(0);
    writer.word(0);
    writer.word(210);
    writer.word(80);
    writer.word(0);   // no menu
    writer.word(0);   // default class
    writer.text(L"");  // the title is set when the dialog opens
    writer.word(9);
    writer.text(L"MS Shell Dlg");
    writer.item(WS_CHILD | WS_VISIBLE, 7, 7, 196, 20, PromptId, 0x0082, L"");
    writer.item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 32, 196, 12, FieldId, 0x0081, L"");
    writer.item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 97, 56, 50, 14, IDOK, 0x0080, L"OK");
    writer.item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 153, 56, 50, 14, IDCANCEL, 0x0080,
                japanese ? L"\u30AD\u30E3\u30F3\u30BB\u30EB" : L"Cancel");
    InputRequest request{&prompt, &title, {}};
    INT_PTR ended = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), writer.data(), static_cast<HWND>(owner),
                                            inputDialogProcedure, reinterpret_cast<LPARAM>(&request));
    if (ended != 1) return std::nullopt;
    return request.result;
}

void Win32Desktop::sleep(uint32_t milliseconds) { Sleep(milliseconds); }

bool Win32Desktop::messageBeep(uint32_t type) { return MessageBeep(type) != FALSE; }

std::u16string Win32Desktop::getEnvironmentVariable(const std::u16string& name) {
    std::vector<wchar_t> buffer(32767);
    DWORD length = GetEnvironmentVariableW(wide(name), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};  // unset, empty, or longer than any variable can be
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

bool Win32Desktop::setEnvironmentVariable(const std::u16string& name, const std::u16string& value) {
    return SetEnvironmentVariableW(wide(name), wide(value)) != FALSE;
}

std::optional<Point> Win32Desktop::tryGetCursorPos() {
    POINT point{};
    if (!GetCursorPos(&point)) return std::nullopt;
    return Point{point.x, point.y};
}

bool Win32Desktop::trySetCursorPos(Point position) { return SetCursorPos(position.x, position.y) != FALSE; }

uint32_t Win32Desktop::sendInput(const std::vector<KeyboardInput>& events) {
    std::vector<INPUT> inputs(events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = 0;
        inputs[i].ki.wScan = events[i].unit;
        inputs[i].ki.dwFlags = events[i].flags;
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {
// The commands of WM_IME_CONTROL, from the SDK's ime.h, which mingw lacks.
constexpr WPARAM ImcGetOpenStatus = 0x0005, ImcSetOpenStatus = 0x0006;

std::optional<intptr_t> imeControl(WPARAM command, LPARAM data) {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return std::nullopt;
    HWND ime = ImmGetDefaultIMEWnd(foreground);
    if (!ime) return std::nullopt;
    // The window belongs to whatever program has the foreground: if that one hangs, a plain
    // SendMessage would hang the script run with it, and no shake would start again.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(ime, WM_IME_CONTROL, command, data, SMTO_ABORTIFHUNG, 1000, &answer)) return std::nullopt;
    return static_cast<intptr_t>(answer);
}
}  // namespace

std::optional<intptr_t> Win32Desktop::getImeOpenStatus() { return imeControl(ImcGetOpenStatus, 0); }

std::optional<intptr_t> Win32Desktop::setImeOpenStatus(bool open) { return imeControl(ImcSetOpenStatus, open ? 1 : 0); }

std::string Win32Desktop::getForegroundWindowTextA() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return {};
    char title[2049] = {};
    int length = GetWindowTextA(foreground, title, sizeof title);
    return length > 0 ? std::string(title, static_cast<size_t>(length)) : std::string();
}

std::u16string Win32Desktop::getClipboardText(void* owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(static_cast<HWND>(owner))) return {};
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // The block's size bounds the read: a text without its terminator must not run past it.
            size_t limit = GlobalSize(data) / sizeof(char16_t), length = 0;
            while (length < limit && units[length]) ++length;
            text.assign(units, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool Win32Desktop::setClipboardText(void* owner, const std::u16string& text) {
    if (!OpenClipboard(static_cast<HWND>(owner))) return false;
    bool done = false;
    size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* memory = GlobalLock(block)) {
            std::memcpy(memory, text.c_str(), bytes);
            GlobalUnlock(block);
            done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
        }
        // Once set, the block belongs to the clipboard; otherwise it is still ours.
        if (!done) GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

std::optional<std::vector<RawInputDevice>> Win32Desktop::getRawInputDeviceList() {
    UINT count = 0;
    if (GetRawInputDeviceList(nullptr, &count, sizeof(RAWINPUTDEVICELIST)) == static_cast<UINT>(-1)) return std::nullopt;
    std::vector<RAWINPUTDEVICELIST> list(count);
    UINT fetched = count == 0 ? 0 : GetRawInputDeviceList(list.data(), &count, sizeof(RAWINPUTDEVICELIST));
    if (fetched == static_cast<UINT>(-1) || fetched != list.size()) return std::nullopt;
    std::vector<RawInputDevice> devices;
    for (const RAWINPUTDEVICELIST& entry : list) {
        RawInputDevice device;
        device.type = entry.dwType;
        UINT size = 0;
        if (GetRawInputDeviceInfoW(entry.hDevice, RIDI_DEVICENAME, nullptr, &size) == 0) {
            std::vector<wchar_t> name(size + 1);
            UINT copied = GetRawInputDeviceInfoW(entry.hDevice, RIDI_DEVICENAME, name.data(), &size);
            if (copied != static_cast<UINT>(-1) && copied != 0)
                device.name = std::u16string(reinterpret_cast<const char16_t*>(name.data()));
        }
        devices.push_back(std::move(device));
    }
    return devices;
}

std::optional<std::vector<Rect>> Win32Desktop::enumDisplayMonitors() {
    std::vector<Rect> monitors;
    auto collect = [](HMONITOR, HDC, LPRECT rect, LPARAM found) -> BOOL {
        reinterpret_cast<std::vector<Rect>*>(found)->push_back({rect->left, rect->top, rect->right, rect->bottom});
        return TRUE;
    };
    if (!EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&monitors))) return std::nullopt;
    return monitors;
}

}  // namespace wavelith
