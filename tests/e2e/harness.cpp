#include "tests/e2e/harness.h"

#include <atomic>
#include <filesystem>
#include <fstream>
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

AppProcess::AppProcess(const std::wstring& program, const std::wstring& tail) : tail_(tail) {
    std::wstring commandLine = quoted(program) + (tail.empty() ? L"" : L" " + tail);
    std::wstring folder = program.substr(0, program.rfind(L'\\'));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
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
    return item ? windowText(item) : std::wstring();
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
        observer->record({InputEvent::Device::Mouse, Clock::now(), static_cast<UINT>(wParam), data.pt, 0, data.flags,
                          data.dwExtraInfo});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputObserver::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    InputObserver* observer = activeObserver;
    if (code == HC_ACTION && observer) {
        const auto& data = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        observer->record({InputEvent::Device::Keyboard, Clock::now(), static_cast<UINT>(wParam), POINT{},
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

AppProcess& WavelithTest::startProgram(const std::wstring& programPath, const std::wstring& tail) {
    processes_.push_back(std::make_unique<AppProcess>(programPath, tail));
    return *processes_.back();
}

std::optional<DWORD> WavelithTest::runSecondInstance(const std::wstring& tail) { return start(tail).waitForExit(); }

}  // namespace wavelith::e2e
