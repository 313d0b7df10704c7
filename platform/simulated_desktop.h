// A desktop that exists only in memory: it records every call as an event and simulates
// the cursor on one monitor, a keyboard with toggle keys, and the mouse-button swap.
#pragma once

#include "platform/desktop.h"

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace wavelith {

struct MouseEventRecord {
    uint32_t flags;
    int32_t dx, dy, data;
    friend bool operator==(const MouseEventRecord& a, const MouseEventRecord& b) {
        return a.flags == b.flags && a.dx == b.dx && a.dy == b.dy && a.data == b.data;
    }
};
struct KeyEventRecord {
    uint8_t virtualKey;
    uint32_t flags;
    friend bool operator==(const KeyEventRecord& a, const KeyEventRecord& b) {
        return a.virtualKey == b.virtualKey && a.flags == b.flags;
    }
};
struct SetCursorRecord {
    Point position;
    friend bool operator==(const SetCursorRecord& a, const SetCursorRecord& b) {
        return a.position == b.position;
    }
};
struct SwapButtonRecord {
    bool swap;
    friend bool operator==(const SwapButtonRecord& a, const SwapButtonRecord& b) {
        return a.swap == b.swap;
    }
};

struct MessageBoxRecord {
    std::u16string text, caption;
    uint32_t style;
    int32_t result;
    friend bool operator==(const MessageBoxRecord& a, const MessageBoxRecord& b) {
        return a.text == b.text && a.caption == b.caption && a.style == b.style && a.result == b.result;
    }
};
struct InputDialogRecord {
    std::u16string prompt, title;
    std::optional<std::u16string> result;  // nothing: cancelled
    friend bool operator==(const InputDialogRecord& a, const InputDialogRecord& b) {
        return a.prompt == b.prompt && a.title == b.title && a.result == b.result;
    }
};
struct SleepRecord {
    uint32_t milliseconds;
    friend bool operator==(const SleepRecord& a, const SleepRecord& b) { return a.milliseconds == b.milliseconds; }
};
struct BeepRecord {
    uint32_t type;
    friend bool operator==(const BeepRecord& a, const BeepRecord& b) { return a.type == b.type; }
};

struct SendInputRecord {
    std::vector<KeyboardInput> events;
    friend bool operator==(const SendInputRecord& a, const SendInputRecord& b) { return a.events == b.events; }
};
struct ClipboardRecord {
    std::u16string text;
    friend bool operator==(const ClipboardRecord& a, const ClipboardRecord& b) { return a.text == b.text; }
};
struct ImeRecord {
    bool open;
    friend bool operator==(const ImeRecord& a, const ImeRecord& b) { return a.open == b.open; }
};

using DesktopEvent = std::variant<MouseEventRecord, KeyEventRecord, SetCursorRecord, SwapButtonRecord,
                                  MessageBoxRecord, InputDialogRecord, SleepRecord, BeepRecord, SendInputRecord,
                                  ClipboardRecord, ImeRecord>;

class SimulatedDesktop : public Desktop {
public:
    SimulatedDesktop(Point cursor = {100, 100}, int32_t screenWidth = 1920, int32_t screenHeight = 1080);

    Point getCursorPos() override;
    void setCursorPos(Point position) override;
    void mouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data) override;
    void keybdEvent(uint8_t virtualKey, uint32_t flags) override;
    int16_t getKeyState(int32_t virtualKey) override;
    bool swapMouseButton(bool swap) override;
    int32_t getSystemMetrics(int32_t index) override;
    bool queryFocusAssist() override;
    uint32_t getTickCount() override;
    LocalTime getLocalTime() override;
    // The tick of the last event that reached the simulated system.
    uint32_t getLastInputTick() override;
    bool setThreadExecutionState(uint32_t flags) override;
    int32_t messageBox(void* owner, const std::u16string& text, const std::u16string& caption,
                       uint32_t style) override;
    std::optional<std::u16string> inputDialog(void* owner, const std::u16string& prompt, const std::u16string& title,
                                              bool japanese) override;
    void sleep(uint32_t milliseconds) override;
    bool messageBeep(uint32_t type) override;
    // The process's real environment.
    std::u16string getEnvironmentVariable(const std::u16string& name) override;
    bool setEnvironmentVariable(const std::u16string& name, const std::u16string& value) override;
    std::optional<Point> tryGetCursorPos() override;
    bool trySetCursorPos(Point position) override;
    // Every event is inserted.
    uint32_t sendInput(const std::vector<KeyboardInput>& events) override;
    // There is no foreground window, so no input method either (a set is still recorded).
    std::optional<intptr_t> getImeOpenStatus() override;
    std::optional<intptr_t> setImeOpenStatus(bool open) override;
    std::string getForegroundWindowTextA() override;
    std::u16string getClipboardText(void* owner) override;
    bool setClipboardText(void* owner, const std::u16string& text) override;
    std::optional<std::vector<RawInputDevice>> getRawInputDeviceList() override;
    std::optional<std::vector<Rect>> enumDisplayMonitors() override;

    // The user at the dialogs: each box takes the next answer, else its first button; each input
    // dialog takes the next text as if typed and confirmed, else it is cancelled.
    std::deque<int32_t> boxAnswers;
    std::deque<std::u16string> inputAnswers;
    // Sleep is recorded only, unless this is set.
    bool realSleep = false;
    // Told of every event as it is recorded (wavelith-script prints them as they happen).
    std::function<void(const DesktopEvent&)> onEvent;

    // What the simulated world looks like; tests set these directly.
    bool remoteSession = false;
    bool focusAssist = false;
    bool buttonsSwapped = false;
    // The clock: the process's real one unless a test fixes it.
    std::optional<uint32_t> fixedTickCount;
    std::optional<LocalTime> fixedLocalTime;
    // Mouse and keyboard events move the last-input tick to the clock, unless the input is
    // blocked (an elevated window in front, the secure desktop).
    uint32_t lastInputTick = 0;
    bool inputBlocked = false;
    // What SetThreadExecutionState last set for the continuous state: 0 when nothing is held.
    uint32_t heldExecutionState = 0;
    int executionStateCalls = 0;
    std::u16string clipboard;
    // One keyboard; nothing makes the list unreadable.
    std::optional<std::vector<RawInputDevice>> inputDevices = std::vector<RawInputDevice>{
        {raw_input::TypeKeyboard, u"\\\\?\\ACPI#PNP0303#4&1d401fb5&0#{884b96c3-56ef-11d1-bc8c-00a0c91e6bf6}"}};
    // One monitor of the screen's size, set by the constructor; nothing makes the call fail.
    std::optional<std::vector<Rect>> monitors;
    void holdKey(uint8_t virtualKey, bool down) { keyDown_[virtualKey] = down; }
    bool isToggled(uint8_t virtualKey) const { return toggled_[virtualKey]; }

    const std::vector<DesktopEvent>& events() const { return events_; }
    void clearEvents() { events_.clear(); }

private:
    // Built in place: moving a finished variant makes GCC warn of members it never reads.
    template <typename Record>
    void record(Record event) {
        events_.emplace_back(std::in_place_type<Record>, std::move(event));
        if (onEvent) onEvent(events_.back());
    }
    Point clamped(int64_t x, int64_t y) const;
    void noteInput();

    Point cursor_;
    int32_t width_, height_;
    std::array<bool, 256> keyDown_{};
    std::array<bool, 256> toggled_{};
    std::vector<DesktopEvent> events_;
};

}  // namespace wavelith
