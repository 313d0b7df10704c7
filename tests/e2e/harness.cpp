#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>

namespace wavelith::e2e {

namespace {

// Tags the observer's own marker input, so that it is never taken for the program's.
constexpr ULONG_PTR kMarkerTag = 0x57E2E0A5;

std::atomic<InputObserver*> activeObserver{nullptr};

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        Sleep(10);
    }
}

std::wstring builtProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.rfind(L'\\') + 1) + L"Wavelith.exe";
}

std::vector<uint8_t> readFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// ---- TempFolder ------------------------------------------------------------------------------

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static int counter = 0;
    for (;;) {
        std::wstring candidate = std::wstring(temp) + L"wavelith-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create a temporary folder, error " << GetLastError();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    // A program file can stay locked for a moment after its process has ended.
    std::error_code error;
    bool removed = waitUntil(
        [&] {
            std::filesystem::remove_all(std::filesystem::path(path_), error);
            return !std::filesystem::exists(std::filesystem::path(path_));
        },
        milliseconds(5000));
    if (!removed) ADD_FAILURE() << "cannot remove the temporary folder: " << error.message();
}

// ---- AppProcess ------------------------------------------------------------------------------

AppProcess::AppProcess(const std::wstring& program, const std::wstring& tail, const std::wstring& workingFolder)
    : tail_(tail) {
    std::wstring commandLine = quoted(program) + (tail.empty() ? L"" : L" " + tail);
    std::wstring folder = workingFolder.empty() ? program.substr(0, program.rfind(L'\\')) : workingFolder;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // Now and then (seen once in a few hundred starts) Wine reports ERROR_INTERNAL_ERROR for a
    // new process that died while Wine was still setting it up, before the program ran: such a
    // start is tried once more.
    bool created = false;
    for (int attempt = 0; attempt < 2 && !created; ++attempt) {
        created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.c_str(), &startup, &info);
        if (!created && GetLastError() != ERROR_INTERNAL_ERROR) break;
    }
    if (!created) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

AppProcess::~AppProcess() {
    if (!process_) return;
    end();
    CloseHandle(process_);
}

bool AppProcess::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> AppProcess::waitForExit(milliseconds timeout) const {
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

HWND AppProcess::mainWindow() const {
    std::vector<HWND> windows = topLevelWindowsOf(id_, kMainWindowClass);
    return windows.empty() ? nullptr : windows.front();
}

HWND AppProcess::waitForMainWindow(milliseconds timeout) const {
    HWND window = nullptr;
    waitUntil([&] { return (window = mainWindow()) != nullptr || !running(); }, timeout);
    // The window is found while its WM_CREATE still runs; the tray icon and the hotkey come
    // after. The program first waits for input in its message loop once start-up is done.
    if (window) WaitForInputIdle(process_, static_cast<DWORD>(timeout.count()));
    return window;
}

HWND AppProcess::dialog() const {
    for (HWND candidate : topLevelWindowsOf(id_, L"#32770"))
        if (IsWindowVisible(candidate)) return candidate;
    return nullptr;
}

HWND AppProcess::waitForDialog(milliseconds timeout) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = dialog()) != nullptr || !running(); }, timeout);
    return found;
}

HWND AppProcess::waitForDialogTitled(const std::wstring& caption, milliseconds timeout) const {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND candidate : topLevelWindowsOf(id_, L"#32770"))
                if (IsWindowVisible(candidate) && windowText(candidate) == caption) found = candidate;
            return found != nullptr || !running();
        },
        timeout);
    return found;
}

HWND AppProcess::openMenu() const {
    for (HWND candidate : topLevelWindowsOf(id_, L"#32768"))
        if (IsWindowVisible(candidate)) return candidate;
    return nullptr;
}

std::optional<DWORD> AppProcess::end() {
    if (!process_) return std::nullopt;
    if (running()) {
        if (HWND window = mainWindow()) sendWithin(window, WM_DESTROY, 0, 0);
        if (auto code = waitForExit()) return code;
        // Last resort: a program that ignores its end request must not spoil the next test.
        ADD_FAILURE() << "process " << id_ << " did not end on request; terminating it";
        TerminateProcess(process_, 0xDEAD);
    }
    return waitForExit();
}

// ---- windows and dialogs ---------------------------------------------------------------------

std::vector<HWND> topLevelWindowsOf(DWORD processId, const wchar_t* className) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == search.processId && lstrcmpiW(name, search.className) == 0) search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::wstring dialogItemText(HWND dialog, int itemId) {
    HWND item = GetDlgItem(dialog, itemId);
    if (!item) return std::wstring();
    // GetWindowText does not ask a control of another process: an edit's text must be sent for.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(item, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return std::wstring();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(item, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                             &copied))
        return std::wstring();
    text.resize(copied);
    return text;
}

bool clickButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    return button && sendWithin(button, BM_CLICK, 0, 0);
}

bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                               &result) != 0;
}

// ---- the tray ------------------------------------------------------------------------------

HWND openTrayMenu(const AppProcess& app) {
    HWND window = app.mainWindow();
    if (!window || !PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP)) return nullptr;
    HWND menu = nullptr;
    waitUntil([&] { return (menu = app.openMenu()) != nullptr; }, kInputDeadline);
    return menu;
}

namespace {

bool waitForMenuToClose(HWND menu) {
    return waitUntil([&] { return !IsWindowVisible(menu); }, kInputDeadline);
}

}  // namespace

bool chooseMenuItem(HWND menu, wchar_t mnemonic) {
    // The menu's modal loop reads the keyboard messages of its thread's queue.
    return PostMessageW(menu, WM_CHAR, mnemonic, 0) && waitForMenuToClose(menu);
}

bool dismissMenu(HWND menu) { return PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0) && waitForMenuToClose(menu); }

std::vector<COLORREF> screenPixels(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The pixels once two reads in a row agree, so that a repaint in progress is not taken.
std::vector<COLORREF> settledScreenPixels(const RECT& area) {
    std::vector<COLORREF> previous = screenPixels(area);
    std::vector<COLORREF> current;
    waitUntil(
        [&] {
            Sleep(100);
            current = screenPixels(area);
            bool same = current == previous;
            previous = current;
            return same;
        },
        milliseconds(3000));
    return current;
}

namespace {

// The first icon of the 1024x700 desktop's tray is centred near (1013, 690).
constexpr RECT kTrayIconArea{1003, 681, 1023, 699};

NOTIFYICONDATAW iconOf(HWND mainWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = mainWindow;
    data.uID = kTrayIconId;
    return data;
}

}  // namespace

bool trayIconExists(HWND mainWindow) {
    NOTIFYICONDATAW data = iconOf(mainWindow);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool removeTrayIcon(HWND mainWindow) {
    NOTIFYICONDATAW data = iconOf(mainWindow);
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

std::vector<COLORREF> trayIconPixels() { return screenPixels(kTrayIconArea); }

std::vector<COLORREF> settledTrayIconPixels() { return settledScreenPixels(kTrayIconArea); }

namespace {

std::vector<HWND> visibleTooltips() {
    std::vector<HWND> tooltips;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (IsWindowVisible(window) && lstrcmpiW(name, L"tooltips_class32") == 0)
                reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltips));
    return tooltips;
}

std::optional<std::wstring> tooltipText(HWND tooltip) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(tooltip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &length))
        return std::nullopt;
    return std::wstring(text);
}

}  // namespace

std::vector<std::wstring> visibleTooltipTexts() {
    std::vector<std::wstring> texts;
    for (HWND tooltip : visibleTooltips())
        if (auto text = tooltipText(tooltip)) texts.push_back(*text);
    return texts;
}

bool waitForBalloon(const std::wstring& text, milliseconds timeout) {
    return waitUntil(
        [&] {
            std::vector<std::wstring> texts = visibleTooltipTexts();
            return std::find(texts.begin(), texts.end(), text) != texts.end();
        },
        timeout);
}

void PrintTo(const Balloon& balloon, std::ostream* out) { *out << "balloon " << testing::PrintToString(balloon.text); }

std::vector<Balloon> visibleBalloons() {
    std::vector<Balloon> balloons;
    for (HWND tooltip : visibleTooltips())
        if (auto text = tooltipText(tooltip)) balloons.push_back({tooltip, *text});
    return balloons;
}

int balloonIcon(const Balloon& balloon) {
    // The stock icon sits left of the title in the balloon's top left corner, inside the
    // rounded edge; the stem points down to the tray, away from it.
    RECT frame{};
    if (!GetWindowRect(balloon.window, &frame)) return -1;
    const RECT area{frame.left + 4, frame.top + 4, std::min(frame.left + 44, frame.right),
                    std::min(frame.top + 36, frame.bottom)};
    if (area.right <= area.left || area.bottom <= area.top) return -1;
    // A balloon that has just appeared may still be painting.
    std::vector<COLORREF> pixels = settledScreenPixels(area);
    // The pixels come as 0x00RRGGBB. Red and orange tell the error and warning icons apart;
    // the information icon is the only deep blue (the desktop's blue is greener).
    int red = 0, orange = 0, blue = 0;
    for (COLORREF pixel : pixels) {
        int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (r > 150 && g <= 80 && b <= 80) ++red;
        else if (r > 200 && g > 90 && g < 200 && b < 100) ++orange;
        else if (b > r + 60 && b > g + 45) ++blue;
    }
    constexpr int kEnough = 20;
    if (red >= kEnough && red > orange && red > blue) return TTI_ERROR;
    if (orange >= kEnough && orange > blue) return TTI_WARNING;
    if (blue >= kEnough) return TTI_INFO;
    return TTI_NONE;
}

std::optional<Balloon> waitForBalloonWhere(const std::function<bool(const Balloon&)>& matches, milliseconds timeout) {
    std::optional<Balloon> found;
    waitUntil(
        [&] {
            for (const Balloon& balloon : visibleBalloons())
                if (matches(balloon)) {
                    found = balloon;
                    return true;
                }
            return false;
        },
        timeout);
    return found;
}

std::optional<Balloon> waitForBalloonText(const std::wstring& text, milliseconds timeout) {
    return waitForBalloonWhere([&](const Balloon& balloon) { return balloon.text == text; }, timeout);
}

// ---- real input on the X display -------------------------------------------------------------

namespace {
constexpr const wchar_t* kXdotool = L"Z:\\usr\\bin\\xdotool";
}

bool xdotoolAvailable() { return GetFileAttributesW(kXdotool) != INVALID_FILE_ATTRIBUTES; }

bool runXdotool(const std::wstring& arguments) {
    std::wstring commandLine = quoted(kXdotool) + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    return true;
}

bool movePointer(int x, int y) {
    if (!runXdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y))) return false;
    return waitUntil(
        [&] {
            POINT cursor{};
            return GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
        },
        kInputDeadline);
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) {
    wchar_t buffer[1024] = {};
    DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    if (length != 0 && length < 1024) previous_ = buffer;
    SetEnvironmentVariableW(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

// ---- stored settings -------------------------------------------------------------------------

void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << "type " << value.type << ",";
    for (uint8_t byte : value.data) *out << " " << std::hex << std::setw(2) << std::setfill('0') << int(byte);
    *out << std::dec;
}

StoredValue dwordValue(DWORD value) {
    return {REG_DWORD, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)}};
}

namespace {

void appendUnits(std::vector<uint8_t>& data, const std::wstring& text) {
    for (wchar_t unit : text) {
        data.push_back(uint8_t(unit));
        data.push_back(uint8_t(unit >> 8));
    }
    data.push_back(0);
    data.push_back(0);
}

}  // namespace

StoredValue stringValue(const std::wstring& text, DWORD type) {
    StoredValue value{type, {}};
    appendUnits(value.data, text);
    return value;
}

StoredValue multiStringValue(const std::vector<std::wstring>& strings) {
    StoredValue value{REG_MULTI_SZ, {}};
    for (const std::wstring& text : strings) appendUnits(value.data, text);
    appendUnits(value.data, L"");
    return value;
}

bool storeValue(const std::wstring& name, const StoredValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsValuesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void storeDwords(const std::map<std::wstring, DWORD>& values) {
    for (const auto& [key, value] : values) ASSERT_TRUE(storeValue(key, dwordValue(value))) << "value " << key;
}

std::optional<StoredValue> storedValue(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsValuesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    std::optional<StoredValue> result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        StoredValue value{type, std::vector<uint8_t>(size)};
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, value.data.data(), &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            result = value;
        }
    }
    RegCloseKey(key);
    return result;
}

std::map<std::wstring, StoredValue> storedValues() {
    std::map<std::wstring, StoredValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsValuesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (auto value = storedValue(name)) values.emplace(name, *value);
    }
    RegCloseKey(key);
    return values;
}

bool writeIniFile(const std::wstring& path, const std::vector<std::pair<std::wstring, std::wstring>>& entries) {
    if (!writeFileBytes(path, {0xFF, 0xFE, 0x0D, 0x00, 0x0A, 0x00})) return false;
    for (const auto& [key, value] : entries)
        if (!WritePrivateProfileStringW(kIniSection, key.c_str(), value.c_str(), path.c_str())) return false;
    return true;
}

bool writeIniScript(const std::wstring& path, const std::wstring& script) {
    UINT bytes = static_cast<UINT>((script.size() + 1) * 2);
    std::wstring data = script;  // the structure writer takes a non-const buffer
    return WritePrivateProfileStringW(kIniSection, L"qx_script_size", std::to_wstring(bytes).c_str(), path.c_str()) &&
           WritePrivateProfileStructW(kIniSection, L"qx_script", data.data(), bytes, path.c_str());
}

std::optional<std::wstring> iniScript(const std::wstring& path) {
    UINT bytes = GetPrivateProfileIntW(kIniSection, L"qx_script_size", 0, path.c_str());
    if (bytes < 2 || bytes % 2 != 0 || bytes > 1 << 20) return std::nullopt;
    std::wstring text(bytes / 2, L'\0');
    if (!GetPrivateProfileStructW(kIniSection, L"qx_script", text.data(), bytes, path.c_str())) return std::nullopt;
    if (text.back() != L'\0') return std::nullopt;
    text.pop_back();
    return text;
}

std::optional<std::wstring> iniEntry(const std::wstring& path, const std::wstring& key) {
    constexpr const wchar_t* kAbsent = L"\x01absent";
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(kIniSection, key.c_str(), kAbsent, value, 1024, path.c_str());
    if (lstrcmpW(value, kAbsent) == 0) return std::nullopt;
    return std::wstring(value);
}

std::vector<std::wstring> iniKeysInFileOrder(const std::wstring& path) {
    std::vector<uint8_t> bytes = readFileBytes(path);
    std::vector<std::wstring> keys;
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return keys;
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        start = end + 1;
        if (!line.empty() && line.front() == L'[') {
            inSection = lstrcmpiW(line.c_str(), (L"[" + std::wstring(kIniSection) + L"]").c_str()) == 0;
            continue;
        }
        size_t equals = line.find(L'=');
        if (inSection && equals != std::wstring::npos) keys.push_back(line.substr(0, equals));
    }
    return keys;
}

bool endAllInstances() {
    return waitUntil(
        [] {
            HWND window = FindWindowW(kMainWindowClass, nullptr);
            if (!window) return true;
            sendWithin(window, WM_DESTROY, 0, 0);
            // The window lives until its process has finished shutting down.
            return waitUntil([&] { return !IsWindow(window); }, kExitDeadline);
        },
        kExitDeadline);
}

// ---- InputObserver ---------------------------------------------------------------------------

bool InputEvent::injected() const {
    return (flags & (device == Device::Mouse ? LLMHF_INJECTED : LLKHF_INJECTED)) != 0;
}

InputObserver::InputObserver() {
    InputObserver* expected = nullptr;
    if (!activeObserver.compare_exchange_strong(expected, this)) {
        ADD_FAILURE() << "only one input observer at a time";
        return;
    }
    thread_ = std::thread([this] { run(); });
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ready_; });
    if (!hooked_) ADD_FAILURE() << "cannot install the low-level input hooks";
}

InputObserver::~InputObserver() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    activeObserver = nullptr;
}

void InputObserver::run() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its queue for WM_QUIT
    HINSTANCE module = GetModuleHandleW(nullptr);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, module, 0);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, module, 0);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        threadId_ = GetCurrentThreadId();
        hooked_ = mouse && keyboard;
        ready_ = true;
    }
    changed_.notify_all();
    // Low-level hooks are called through this thread's message loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (mouse) UnhookWindowsHookEx(mouse);
    if (keyboard) UnhookWindowsHookEx(keyboard);
}

LRESULT CALLBACK InputObserver::mouseHook(int code, WPARAM wParam, LPARAM lParam) {
    InputObserver* observer = activeObserver;
    if (code == HC_ACTION && observer) {
        const auto& data = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        observer->record({InputEvent::Device::Mouse, Clock::now(), static_cast<UINT>(wParam), data.pt,
                          data.mouseData, 0, data.flags, data.dwExtraInfo});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputObserver::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    InputObserver* observer = activeObserver;
    if (code == HC_ACTION && observer) {
        const auto& data = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        observer->record({InputEvent::Device::Keyboard, Clock::now(), static_cast<UINT>(wParam), POINT{}, 0,
                          data.vkCode, data.flags, data.dwExtraInfo});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void InputObserver::record(const InputEvent& event) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (event.extraInfo == kMarkerTag)
            ++markersSeen_;
        else
            events_.push_back(event);
    }
    changed_.notify_all();
}

void InputObserver::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}

std::vector<InputEvent> InputObserver::events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

bool InputObserver::waitFor(const std::function<bool(const std::vector<InputEvent>&)>& condition,
                            milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(events_); });
}

bool InputObserver::sync(milliseconds timeout) {
    uint64_t before;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        before = markersSeen_;
    }
    // A move by nothing: it reaches the hooks but leaves the pointer where it is.
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, kMarkerTag);
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return markersSeen_ > before; });
}

std::vector<MouseBurst> injectedMouseBursts(const std::vector<InputEvent>& events) {
    constexpr milliseconds kBurstGap{100};
    std::vector<MouseBurst> bursts;
    Clock::time_point last{};
    for (const InputEvent& event : events) {
        if (!event.isMouse() || event.message != WM_MOUSEMOVE || !event.injected()) continue;
        if (bursts.empty() || event.when - last > kBurstGap) bursts.push_back({event.when, {}});
        bursts.back().points.push_back(event.point);
        last = event.when;
    }
    return bursts;
}

std::vector<InputEvent> inputFromShakeTimer(HWND mainWindow, InputObserver& observer) {
    observer.clear();
    EXPECT_TRUE(sendWithin(mainWindow, WM_TIMER, kShakeTimer, 0)) << "the program did not take the timer message";
    EXPECT_TRUE(observer.sync()) << "the input observer's marker never arrived";
    return observer.events();
}

bool shakesOnTimer(HWND mainWindow, InputObserver& observer) {
    std::vector<InputEvent> events = inputFromShakeTimer(mainWindow, observer);
    return std::any_of(events.begin(), events.end(), [](const InputEvent& event) { return event.injected(); });
}

bool waitUntilShaking(HWND mainWindow, InputObserver& observer, bool shaking, milliseconds timeout) {
    return waitUntil([&] { return shakesOnTimer(mainWindow, observer) == shaking; }, timeout);
}

// ---- scripts ---------------------------------------------------------------------------------

void storeScriptMode(const std::wstring& script, DWORD interval) {
    storeDwords({{L"Intelligibility", 12}, {L"IntervalTimeMSec", interval}, {L"IntervalTimeMSec2", interval}});
    EXPECT_TRUE(storeValue(L"qx_script", stringValue(script)));
}

bool endScriptSuspension(HWND mainWindow) { return sendWithin(mainWindow, WM_TIMER, kScriptSuspensionTimer, 0); }

bool fireShakeTimer(HWND mainWindow) { return sendWithin(mainWindow, WM_TIMER, kShakeTimer, 0); }

// ---- WavelithTest ----------------------------------------------------------------------------

void WavelithTest::SetUp() {
    ASSERT_TRUE(endAllInstances()) << "an instance of the program is still running and will not end";
    // Nothing stored by an earlier test may change what this one sees.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    folder_ = std::make_unique<TempFolder>();
    ASSERT_FALSE(folder_->path().empty());
    program_ = folder_->file(L"Wavelith.exe");
    ASSERT_TRUE(CopyFileW(builtProgramPath().c_str(), program_.c_str(), FALSE))
        << "cannot copy the built program, error " << GetLastError();
}

void WavelithTest::TearDown() {
    // Later starts first: a second instance may be waiting on the first.
    while (!processes_.empty()) processes_.pop_back();
    EXPECT_TRUE(endAllInstances()) << "an instance outlived its test";
    folder_.reset();
}

AppProcess& WavelithTest::start(const std::wstring& tail) { return startProgram(program_, tail); }

AppProcess& WavelithTest::startProgram(const std::wstring& programPath, const std::wstring& tail,
                                       const std::wstring& workingFolder) {
    processes_.push_back(std::make_unique<AppProcess>(programPath, tail, workingFolder));
    return *processes_.back();
}

std::wstring WavelithTest::programCopy(const std::wstring& name) {
    std::wstring copy = folder_->file(name);
    EXPECT_TRUE(CopyFileW(program_.c_str(), copy.c_str(), FALSE)) << "cannot copy the program, error " << GetLastError();
    return copy;
}

std::optional<DWORD> WavelithTest::runSecondInstance(const std::wstring& tail) { return start(tail).waitForExit(); }

}  // namespace wavelith::e2e
