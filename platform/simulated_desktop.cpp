#include "platform/simulated_desktop.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace wavelith {

namespace {
bool isToggleKey(uint8_t virtualKey) {
    return virtualKey == 0x14 /* Caps Lock */ || virtualKey == 0x90 /* Num Lock */ ||
           virtualKey == virtual_keys::ScrollLock;
}
}  // namespace

SimulatedDesktop::SimulatedDesktop(Point cursor, int32_t screenWidth, int32_t screenHeight)
    : width_(std::max(screenWidth, 1)), height_(std::max(screenHeight, 1)) {
    cursor_ = clamped(cursor.x, cursor.y);
}

Point SimulatedDesktop::clamped(int64_t x, int64_t y) const {
    return {static_cast<int32_t>(std::clamp<int64_t>(x, 0, width_ - 1)),
            static_cast<int32_t>(std::clamp<int64_t>(y, 0, height_ - 1))};
}

Point SimulatedDesktop::getCursorPos() { return cursor_; }

void SimulatedDesktop::setCursorPos(Point position) {
    events_.push_back(SetCursorRecord{position});
    cursor_ = clamped(position.x, position.y);
}

void SimulatedDesktop::mouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data) {
    events_.push_back(MouseEventRecord{flags, dx, dy, data});
    // The real desktop accelerates relative moves; the simulated one moves them exactly.
    if (flags & mouse_flags::Move) cursor_ = clamped(int64_t{cursor_.x} + dx, int64_t{cursor_.y} + dy);
}

void SimulatedDesktop::keybdEvent(uint8_t virtualKey, uint32_t flags) {
    events_.push_back(KeyEventRecord{virtualKey, flags});
    bool down = !(flags & key_flags::KeyUp);
    if (down && !keyDown_[virtualKey] && isToggleKey(virtualKey)) toggled_[virtualKey] = !toggled_[virtualKey];
    keyDown_[virtualKey] = down;
}

int16_t SimulatedDesktop::getKeyState(int32_t virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    uint16_t state = (keyDown_[virtualKey] ? 0x8000 : 0) | (toggled_[virtualKey] ? 1 : 0);
    return static_cast<int16_t>(state);
}

bool SimulatedDesktop::swapMouseButton(bool swap) {
    events_.push_back(SwapButtonRecord{swap});
    bool previous = buttonsSwapped;
    buttonsSwapped = swap;
    return previous;
}

int32_t SimulatedDesktop::getSystemMetrics(int32_t index) {
    if (index == system_metrics::RemoteSession) return remoteSession ? 1 : 0;
    return 0;
}

bool SimulatedDesktop::queryFocusAssist() { return focusAssist; }

uint32_t SimulatedDesktop::getTickCount() {
    if (fixedTickCount) return *fixedTickCount;
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

LocalTime SimulatedDesktop::getLocalTime() {
    if (fixedLocalTime) return *fixedLocalTime;
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    LocalTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.dayOfWeek = local.tm_wday;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    time.milliseconds = static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return time;
}

}  // namespace wavelith
