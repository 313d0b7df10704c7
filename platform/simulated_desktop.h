// A desktop that exists only in memory: it records every call as an event and simulates
// the cursor on one monitor, a keyboard with toggle keys, and the mouse-button swap.
#pragma once

#include "platform/desktop.h"

#include <array>
#include <optional>
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

using DesktopEvent = std::variant<MouseEventRecord, KeyEventRecord, SetCursorRecord, SwapButtonRecord>;

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

    // What the simulated world looks like; tests set these directly.
    bool remoteSession = false;
    bool focusAssist = false;
    bool buttonsSwapped = false;
    // The clock: the process's real one unless a test fixes it.
    std::optional<uint32_t> fixedTickCount;
    std::optional<LocalTime> fixedLocalTime;
    void holdKey(uint8_t virtualKey, bool down) { keyDown_[virtualKey] = down; }
    bool isToggled(uint8_t virtualKey) const { return toggled_[virtualKey]; }

    const std::vector<DesktopEvent>& events() const { return events_; }
    void clearEvents() { events_.clear(); }

private:
    Point clamped(int64_t x, int64_t y) const;

    Point cursor_;
    int32_t width_, height_;
    std::array<bool, 256> keyDown_{};
    std::array<bool, 256> toggled_{};
    std::vector<DesktopEvent> events_;
};

}  // namespace wavelith
