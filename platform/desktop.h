// The one seam between the program's logic and the operating system.
//
// Everything the portable code needs from Windows is one virtual call here, named after the
// Windows operation and taking plain values, so the logic above it runs unchanged on the real
// desktop (Win32Desktop) and on a recorded one (SimulatedDesktop) in native tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavelith {

struct LocalTime {
    int32_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    int32_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(Point a, Point b) { return !(a == b); }
};

// Flags of mouse_event, as Windows defines them.
namespace mouse_flags {
constexpr uint32_t Move = 0x0001;
constexpr uint32_t LeftDown = 0x0002;
constexpr uint32_t LeftUp = 0x0004;
constexpr uint32_t RightDown = 0x0008;
constexpr uint32_t RightUp = 0x0010;
constexpr uint32_t MiddleDown = 0x0020;
constexpr uint32_t MiddleUp = 0x0040;
constexpr uint32_t XDown = 0x0080;
constexpr uint32_t XUp = 0x0100;
constexpr uint32_t Wheel = 0x0800;
}  // namespace mouse_flags

namespace key_flags {
constexpr uint32_t ExtendedKey = 0x0001;
constexpr uint32_t KeyUp = 0x0002;
constexpr uint32_t Unicode = 0x0004;
}

// One keyboard event of SendInput: the UTF-16 unit goes in the scan-code field, the virtual key is 0.
struct KeyboardInput {
    char16_t unit = 0;
    uint32_t flags = 0;
    friend bool operator==(const KeyboardInput& a, const KeyboardInput& b) {
        return a.unit == b.unit && a.flags == b.flags;
    }
};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// One entry of the raw-input device list.
struct RawInputDevice {
    uint32_t type = 0;  // RIM_TYPEMOUSE 0, RIM_TYPEKEYBOARD 1, RIM_TYPEHID 2
    std::optional<std::u16string> name;  // nothing when it could not be read
};
namespace raw_input {
constexpr uint32_t TypeKeyboard = 1;
}

namespace virtual_keys {
constexpr uint8_t Shift = 0x10;
constexpr uint8_t Pause = 0x13;
constexpr uint8_t ScrollLock = 0x91;
}  // namespace virtual_keys

namespace system_metrics {
constexpr int32_t RemoteSession = 0x1000;
}

// Flags of SetThreadExecutionState, as Windows defines them.
namespace execution_state {
constexpr uint32_t SystemRequired = 0x00000001;
constexpr uint32_t DisplayRequired = 0x00000002;
constexpr uint32_t Continuous = 0x80000000;
}  // namespace execution_state

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual Point getCursorPos() = 0;
    virtual void setCursorPos(Point position) = 0;
    // mouse_event with relative coordinates and no extra information.
    virtual void mouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data) = 0;
    // keybd_event with scan code 0 and no extra information.
    virtual void keybdEvent(uint8_t virtualKey, uint32_t flags) = 0;
    // As GetKeyState: bit 15 set while the key is down, bit 0 while a toggle key is on.
    virtual int16_t getKeyState(int32_t virtualKey) = 0;
    // As SwapMouseButton: returns whether the buttons were swapped before the call.
    virtual bool swapMouseButton(bool swap) = 0;
    virtual int32_t getSystemMetrics(int32_t index) = 0;
    // Whether Focus Assist is on (any active profile).
    virtual bool queryFocusAssist() = 0;
    // As GetTickCount: milliseconds since start, wrapping at 2^32.
    virtual uint32_t getTickCount() = 0;
    // As GetLocalTime.
    virtual LocalTime getLocalTime() = 0;
    // GetLastInputInfo: the tick count of the last input the system counted, from any source.
    virtual uint32_t getLastInputTick() = 0;
    // SetThreadExecutionState for the calling thread: whether the call succeeded.
    virtual bool setThreadExecutionState(uint32_t flags) = 0;

    // ---- for the script built-ins ----
    // As MessageBoxW: the id of the button chosen (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7, ...).
    virtual int32_t messageBox(void* owner, const std::u16string& text, const std::u16string& caption,
                               uint32_t style) = 0;
    // The scripts' one-line input dialog: what was typed when OK was pressed, nothing when cancelled.
    virtual std::optional<std::u16string> inputDialog(void* owner, const std::u16string& prompt,
                                                      const std::u16string& title, bool japanese) = 0;
    // As Sleep.
    virtual void sleep(uint32_t milliseconds) = 0;
    // As MessageBeep: whether the sound was played.
    virtual bool messageBeep(uint32_t type) = 0;
    // The process's environment; an unset variable reads as empty.
    virtual std::u16string getEnvironmentVariable(const std::u16string& name) = 0;
    virtual bool setEnvironmentVariable(const std::u16string& name, const std::u16string& value) = 0;

    // ---- for the input-device built-ins ----
    // GetCursorPos, or nothing when the call fails.
    virtual std::optional<Point> tryGetCursorPos() = 0;
    // SetCursorPos with its result.
    virtual bool trySetCursorPos(Point position) = 0;
    // One SendInput call of keyboard events: how many were inserted.
    virtual uint32_t sendInput(const std::vector<KeyboardInput>& events) = 0;
    // WM_IME_CONTROL with IMC_GETOPENSTATUS / IMC_SETOPENSTATUS to the default input-method window
    // of the foreground window: what it answered, nothing when either window is missing (or
    // hangs).
    virtual std::optional<intptr_t> getImeOpenStatus() = 0;
    virtual std::optional<intptr_t> setImeOpenStatus(bool open) = 0;
    // GetWindowTextA of the foreground window: bytes of the ANSI code page, at most 2048; empty
    // when there is no foreground window.
    virtual std::string getForegroundWindowTextA() = 0;
    // CF_UNICODETEXT with owner as the clipboard's owner window: empty when there is none or the
    // clipboard cannot be read.
    virtual std::u16string getClipboardText(void* owner) = 0;
    virtual bool setClipboardText(void* owner, const std::u16string& text) = 0;
    // GetRawInputDeviceList with each device's name: nothing when the list cannot be read.
    virtual std::optional<std::vector<RawInputDevice>> getRawInputDeviceList() = 0;
    // EnumDisplayMonitors over the whole desktop: each monitor's rectangle in virtual-screen
    // coordinates, in enumeration order; nothing when the call fails.
    virtual std::optional<std::vector<Rect>> enumDisplayMonitors() = 0;
};

// Message-box styles and results, as Windows defines them.
namespace message_box {
constexpr uint32_t Ok = 0x0, OkCancel = 0x1, AbortRetryIgnore = 0x2, YesNoCancel = 0x3, YesNo = 0x4,
                   RetryCancel = 0x5, CancelTryContinue = 0x6, TypeMask = 0xF;
constexpr uint32_t IconError = 0x10, IconQuestion = 0x20, IconWarning = 0x30, IconInformation = 0x40;
constexpr int32_t IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdYes = 6, IdNo = 7;
// What a box returns when its default (first) button is chosen.
constexpr int32_t firstButton(uint32_t style) {
    switch (style & TypeMask) {
    case OkCancel: return IdOk;
    case AbortRetryIgnore: return IdAbort;
    case YesNoCancel: case YesNo: return IdYes;
    case RetryCancel: return IdRetry;
    case CancelTryContinue: return IdCancel;
    default: return IdOk;
    }
}
}  // namespace message_box

}  // namespace wavelith
