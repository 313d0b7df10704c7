// What the end-to-end tests drive Wavelith.exe with: a private copy of the program per test,
// its processes, its windows and message boxes, and a low-level input observer that sees the
// synthetic input the program produces.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace wavelith::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Deadlines, generous because a process start under Wine can take a second or more. Waits
// return as soon as their condition holds, so these only cost time when a test fails.
constexpr milliseconds kStartDeadline{15000};
constexpr milliseconds kExitDeadline{10000};
constexpr milliseconds kInputDeadline{5000};

// The names the running program is known by to other processes.
constexpr const wchar_t* kMainWindowClass = L"QUELLIX";
constexpr UINT kControlMessage = WM_APP + 2;
constexpr WPARAM kCommandPause = 32773;
constexpr LPARAM kPauseToggle = 0;
constexpr LPARAM kPauseTurnOn = 1;
constexpr LPARAM kPauseTurnOff = 2;
constexpr UINT_PTR kShakeTimer = 786548;
// Holds script runs back for 10 s after a start in mode 12 and after the machine wakes.
constexpr UINT_PTR kScriptSuspensionTimer = 454588;
constexpr const wchar_t* kSettingsKey = L"Software\\Harvenlock\\QUELLIX";
constexpr const wchar_t* kSettingsValuesKey = L"Software\\Harvenlock\\QUELLIX\\CurrentVersion";
constexpr UINT kTrayCallbackMessage = WM_APP;
constexpr UINT kTrayIconId = 456599;
constexpr const wchar_t* kIniFileName = L"quellix.ini";
constexpr const wchar_t* kIniSection = L"quellix";

// Polls until `condition` holds or `timeout` has passed; true when it held.
bool waitUntil(const std::function<bool()>& condition, milliseconds timeout);

// The Wavelith.exe that was built with this test program, found next to it.
std::wstring builtProgramPath();

std::vector<uint8_t> readFileBytes(const std::wstring& path);
bool writeFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// A fresh folder under the temporary path, removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// One started process of the program. The destructor ends it if it still runs.
class AppProcess {
public:
    // Starts `program` with the command-line tail `tail` (the text after the program name), in
    // `workingFolder`, or in the program's own folder when that is empty.
    AppProcess(const std::wstring& program, const std::wstring& tail, const std::wstring& workingFolder = L"");
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    const std::wstring& tail() const { return tail_; }
    bool running() const;

    // The exit code, once the process has ended within `timeout`.
    std::optional<DWORD> waitForExit(milliseconds timeout = kExitDeadline) const;
    // This process's main window, once it exists and start-up has finished within `timeout`;
    // null when no window comes.
    HWND waitForMainWindow(milliseconds timeout = kStartDeadline) const;
    HWND mainWindow() const;
    // A visible message box (or other standard dialog) of this process; null when none shows.
    HWND dialog() const;
    HWND waitForDialog(milliseconds timeout = kStartDeadline) const;
    // A visible dialog of this process with this caption, once it shows within `timeout`.
    HWND waitForDialogTitled(const std::wstring& caption, milliseconds timeout = kStartDeadline) const;
    // The tray menu of this process while it is open (a visible #32768 window); null otherwise.
    HWND openMenu() const;

    // Ends the process the way a second instance would (WM_DESTROY to its main window) and,
    // failing that, terminates it. Returns the exit code.
    std::optional<DWORD> end();

private:
    std::wstring tail_;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Top-level windows of one process, by class name.
std::vector<HWND> topLevelWindowsOf(DWORD processId, const wchar_t* className);
std::wstring windowText(HWND window);
// The text of a dialog item; a message box holds its text in the static control 65535.
std::wstring dialogItemText(HWND dialog, int itemId);
constexpr int kMessageBoxTextId = 0xFFFF;
// Clicks a dialog button, as a user would (IDOK, IDYES, IDNO, ...). False when no such button.
bool clickButton(HWND dialog, int buttonId);

// Sends a message to a window of another process without risking a hang of the test.
bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, milliseconds timeout = kExitDeadline);

// ---- the tray ----

// Right-clicks the tray icon the way the shell reports it, and returns the menu once it shows.
// The click is posted: the menu runs a modal loop inside the program's handling of it.
HWND openTrayMenu(const AppProcess& app);
// Chooses a menu item by its underlined letter, as a user typing it would; true once the menu
// has closed.
bool chooseMenuItem(HWND menu, wchar_t mnemonic);
bool dismissMenu(HWND menu);

// Whether the shell holds the program's icon: a change that changes nothing succeeds exactly then.
bool trayIconExists(HWND mainWindow);
// Takes the icon away as a restarting shell would lose it.
bool removeTrayIcon(HWND mainWindow);
// The screen pixels where the only tray icon sits on the shared Wine desktop; they tell the
// running icon from the paused one without knowing what either looks like.
std::vector<COLORREF> trayIconPixels();
// The pixels once two reads in a row agree, so that a repaint in progress is not taken.
std::vector<COLORREF> settledTrayIconPixels();
// Screen pixels of `area` (screen coordinates), row by row, as GetDIBits gives them: 0x00RRGGBB,
// red and blue swapped against a COLORREF.
std::vector<COLORREF> screenPixels(const RECT& area);
std::vector<COLORREF> settledScreenPixels(const RECT& area);

// The texts of the shell's visible tooltip windows, which include its balloon notices (they
// answer WM_GETTEXT with their text).
std::vector<std::wstring> visibleTooltipTexts();
bool waitForBalloon(const std::wstring& text, milliseconds timeout = milliseconds(10000));

// A balloon notice on show: the shell's tooltip window and its text.
struct Balloon {
    HWND window;
    std::wstring text;
};
void PrintTo(const Balloon& balloon, std::ostream* out);
std::vector<Balloon> visibleBalloons();
// The first visible balloon that `matches`, once one shows within `timeout`.
std::optional<Balloon> waitForBalloonWhere(const std::function<bool(const Balloon&)>& matches,
                                           milliseconds timeout = milliseconds(10000));
std::optional<Balloon> waitForBalloonText(const std::wstring& text, milliseconds timeout = milliseconds(10000));
// The stock icon of a balloon's title, which is its notice kind: TTI_NONE, TTI_INFO, TTI_WARNING
// or TTI_ERROR; -1 when the balloon is gone. The shell will not tell (TTM_GETTITLE answers
// nothing under Wine), so it is told from the colours on screen.
int balloonIcon(const Balloon& balloon);

// ---- real input on the X display ----

// xdotool drives the X server under the Wine desktop: its clicks and hotkey presses reach Wine as
// a user's would (typed keys did not reach an open menu, which is why menus get posted keys).
// Wine starts Unix programs through CreateProcessW but gives no handle to wait on, so callers
// wait for the effect instead.
bool xdotoolAvailable();
bool runXdotool(const std::wstring& arguments);
// Moves the X pointer and waits until Wine reports the cursor there.
bool movePointer(int x, int y);

// Sets an environment variable for the programs started while it lives (QUELLIX_LANG for the
// Japanese texts), and restores the previous value.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

// ---- stored settings ----

// One registry value of the settings key, as stored.
struct StoredValue {
    DWORD type;
    std::vector<uint8_t> data;
    bool operator==(const StoredValue& other) const { return type == other.type && data == other.data; }
};
void PrintTo(const StoredValue& value, std::ostream* out);
StoredValue dwordValue(DWORD value);
// REG_SZ (or another string type) with its terminating NUL.
StoredValue stringValue(const std::wstring& text, DWORD type = REG_SZ);
// REG_MULTI_SZ from its strings, with the empty string that ends the list.
StoredValue multiStringValue(const std::vector<std::wstring>& strings);

bool storeValue(const std::wstring& name, const StoredValue& value);
void storeDwords(const std::map<std::wstring, DWORD>& values);
std::optional<StoredValue> storedValue(const std::wstring& name);
// Every value under the settings key, by name.
std::map<std::wstring, StoredValue> storedValues();

// An ini file as the program writes it: UTF-16 with a byte-order mark, entries of section
// "quellix" written by the platform's profile functions.
bool writeIniFile(const std::wstring& path, const std::vector<std::pair<std::wstring, std::wstring>>& entries);
// The script entries the program writes: the byte count, then the checksummed structure.
bool writeIniScript(const std::wstring& path, const std::wstring& script);
std::optional<std::wstring> iniScript(const std::wstring& path);
std::optional<std::wstring> iniEntry(const std::wstring& path, const std::wstring& key);
// The keys of section "quellix" in the order the file holds them; the file must be UTF-16.
std::vector<std::wstring> iniKeysInFileOrder(const std::wstring& path);

// One input event as a low-level hook saw it.
struct InputEvent {
    enum class Device { Mouse, Keyboard };
    Device device;
    Clock::time_point when;
    UINT message;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_KEYDOWN, WM_KEYUP, ...
    POINT point;   // mouse: the screen position the event reports
    DWORD mouseData;   // mouse: the wheel delta in the high word, the X button
    DWORD virtualKey;  // keyboard
    DWORD flags;       // LLMHF_* or LLKHF_*
    ULONG_PTR extraInfo;

    bool injected() const;
    bool isMouse() const { return device == Device::Mouse; }
    bool isKeyboard() const { return device == Device::Keyboard; }
    bool isKeyDown() const { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }
    bool isKeyUp() const { return message == WM_KEYUP || message == WM_SYSKEYUP; }
};

// Records every mouse and keyboard event through WH_MOUSE_LL and WH_KEYBOARD_LL hooks, which
// run on a thread of their own so that the test thread may block while the program injects.
// One observer at a time. Under Wine everything the program sends is flagged injected; a
// move that is not comes from Wine syncing with the X pointer (seen when a program starts).
class InputObserver {
public:
    InputObserver();
    ~InputObserver();
    InputObserver(const InputObserver&) = delete;
    InputObserver& operator=(const InputObserver&) = delete;

    bool hooked() const { return hooked_; }
    void clear();
    std::vector<InputEvent> events() const;
    // Waits until `condition` holds for the events recorded so far.
    bool waitFor(const std::function<bool(const std::vector<InputEvent>&)>& condition,
                 milliseconds timeout = kInputDeadline) const;
    // Injects a marker event of its own and waits until the hook has seen it. Input reaches
    // the hook in the order it was injected, so afterwards every event injected before this
    // call has been recorded. The markers themselves are not recorded.
    bool sync(milliseconds timeout = kInputDeadline);

private:
    static LRESULT CALLBACK mouseHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);
    void run();
    void record(const InputEvent& event);

    std::thread thread_;
    DWORD threadId_ = 0;
    bool hooked_ = false;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool ready_ = false;
    std::vector<InputEvent> events_;
    uint64_t markersSeen_ = 0;
};

// The injected pointer moves of one shake as the hook saw them: moves that follow each other
// within a few milliseconds, apart from the next shake by much more.
struct MouseBurst {
    Clock::time_point start;
    std::vector<POINT> points;
};
std::vector<MouseBurst> injectedMouseBursts(const std::vector<InputEvent>& events);

// Fires the program's shake timer by hand (the window procedure cannot tell it from a real
// expiry) and returns the input that came of it. Lets a test see a shake of a normal start,
// whose interval is far too long to wait for.
std::vector<InputEvent> inputFromShakeTimer(HWND mainWindow, InputObserver& observer);
// Whether a shake timer expiry produces any injected input, that is whether the program runs.
bool shakesOnTimer(HWND mainWindow, InputObserver& observer);
// Waits until the program is running (`shaking`) or paused: for a change that arrives on its own.
bool waitUntilShaking(HWND mainWindow, InputObserver& observer, bool shaking, milliseconds timeout = kInputDeadline);

// ---- scripts (shake mode 12) ----

// Stores mode 12 with `script` (CR LF line ends, as the script editor writes them) and the shake
// interval in milliseconds: the built-in 50 s unless the test waits for expiries to come.
void storeScriptMode(const std::wstring& script, DWORD interval = 50000);
// Fires the script suspension timer by hand, which ends the 10 s hold-back at once.
bool endScriptSuspension(HWND mainWindow);
// Fires the shake timer by hand: in mode 12 a run starts unless one is in progress or held back.
bool fireShakeTimer(HWND mainWindow);

// Every test gets its own copy of the program in a fresh folder, starts from no running
// instance and no stored settings, and leaves no instance behind.
class WavelithTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program copy this test starts.
    const std::wstring& program() const { return program_; }
    const TempFolder& folder() const { return *folder_; }
    // Starts the test's program copy; the fixture ends it at teardown if it still runs.
    AppProcess& start(const std::wstring& tail = L"");
    AppProcess& startProgram(const std::wstring& programPath, const std::wstring& tail,
                             const std::wstring& workingFolder = L"");
    // A copy of the program under another name in the test's folder, for the name-driven modes.
    std::wstring programCopy(const std::wstring& name);
    // Starts a second instance with `tail`, waits for it to exit and returns its exit code.
    std::optional<DWORD> runSecondInstance(const std::wstring& tail);

private:
    std::unique_ptr<TempFolder> folder_;
    std::wstring program_;
    std::vector<std::unique_ptr<AppProcess>> processes_;
};

// Ends every running instance found by its main window; true when none is left.
bool endAllInstances();

}  // namespace wavelith::e2e
