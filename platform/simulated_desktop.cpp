#include "platform/simulated_desktop.h"

#include "platform/text.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

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
    monitors = std::vector<Rect>{{0, 0, width_, height_}};
}

Point SimulatedDesktop::clamped(int64_t x, int64_t y) const {
    return {static_cast<int32_t>(std::clamp<int64_t>(x, 0, width_ - 1)),
            static_cast<int32_t>(std::clamp<int64_t>(y, 0, height_ - 1))};
}

Point SimulatedDesktop::getCursorPos() { return cursor_; }

void SimulatedDesktop::setCursorPos(Point position) {
    record(SetCursorRecord{position});
    cursor_ = clamped(position.x, position.y);
}

std::optional<Point> SimulatedDesktop::tryGetCursorPos() { return getCursorPos(); }

bool SimulatedDesktop::trySetCursorPos(Point position) {
    setCursorPos(position);
    return true;
}

void SimulatedDesktop::noteInput() {
    if (!inputBlocked) lastInputTick = getTickCount();
}

void SimulatedDesktop::mouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data) {
    record(MouseEventRecord{flags, dx, dy, data});
    noteInput();
    // The real desktop accelerates relative moves; the simulated one moves them exactly.
    if (flags & mouse_flags::Move) cursor_ = clamped(int64_t{cursor_.x} + dx, int64_t{cursor_.y} + dy);
}

void SimulatedDesktop::keybdEvent(uint8_t virtualKey, uint32_t flags) {
    record(KeyEventRecord{virtualKey, flags});
    noteInput();
    bool down = !(flags & key_flags::KeyUp);
    if (down && !keyDown_[virtualKey] && isToggleKey(virtualKey)) toggled_[virtualKey] = !toggled_[virtualKey];
    keyDown_[virtualKey] = down;
}

int16_t SimulatedDesktop::getKeyState(int32_t virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    // Windows keeps a byte per key and widens it with its sign: a held key reads as -128.
    return static_cast<int16_t>((keyDown_[virtualKey] ? -128 : 0) | (toggled_[virtualKey] ? 1 : 0));
}

bool SimulatedDesktop::swapMouseButton(bool swap) {
    record(SwapButtonRecord{swap});
    bool previous = buttonsSwapped;
    buttonsSwapped = swap;
    return previous;
}

int32_t SimulatedDesktop::getSystemMetrics(int32_t index) {
    switch (index) {
    case system_metrics::RemoteSession: return remoteSession ? 1 : 0;
    case 0 /* SM_CXSCREEN */: case 78 /* SM_CXVIRTUALSCREEN */: return width_;
    case 1 /* SM_CYSCREEN */: case 79 /* SM_CYVIRTUALSCREEN */: return height_;
    case 80 /* SM_CMONITORS */: return 1;
    case 19 /* SM_MOUSEPRESENT */: return 1;
    case 43 /* SM_CMOUSEBUTTONS */: return 3;
    default: return 0;
    }
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

uint32_t SimulatedDesktop::getLastInputTick() { return lastInputTick; }

bool SimulatedDesktop::setThreadExecutionState(uint32_t flags) {
    ++executionStateCalls;
    if (flags & execution_state::Continuous) heldExecutionState = flags & ~execution_state::Continuous;
    return true;
}

int32_t SimulatedDesktop::messageBox(void*, const std::u16string& text, const std::u16string& caption,
                                     uint32_t style) {
    int32_t result = message_box::firstButton(style);
    if (!boxAnswers.empty()) {
        result = boxAnswers.front();
        boxAnswers.pop_front();
    }
    record(MessageBoxRecord{text, caption, style, result});
    return result;
}

std::optional<std::u16string> SimulatedDesktop::inputDialog(void*, const std::u16string& prompt,
                                                            const std::u16string& title, bool) {
    std::optional<std::u16string> result;
    if (!inputAnswers.empty()) {
        result = inputAnswers.front();
        inputAnswers.pop_front();
    }
    record(InputDialogRecord{prompt, title, result});
    return result;
}

void SimulatedDesktop::sleep(uint32_t milliseconds) {
    record(SleepRecord{milliseconds});
    if (realSleep) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool SimulatedDesktop::messageBeep(uint32_t type) {
    record(BeepRecord{type});
    return true;
}

#ifdef _WIN32
// wchar_t is UTF-16 here, so the C runtime's wide environment is the process's own.
std::u16string SimulatedDesktop::getEnvironmentVariable(const std::u16string& name) {
    const wchar_t* value = _wgetenv(reinterpret_cast<const wchar_t*>(name.c_str()));
    return value ? std::u16string(reinterpret_cast<const char16_t*>(value)) : std::u16string();
}

bool SimulatedDesktop::setEnvironmentVariable(const std::u16string& name, const std::u16string& value) {
    if (name.empty() || name.find(u'=') != std::u16string::npos) return false;
    return _wputenv_s(reinterpret_cast<const wchar_t*>(name.c_str()), reinterpret_cast<const wchar_t*>(value.c_str())) == 0;
}
#else

std::u16string SimulatedDesktop::getEnvironmentVariable(const std::u16string& name) {
    const char* value = std::getenv(utf16ToUtf8(name).c_str());
    return value ? utf8ToUtf16(value) : std::u16string();
}

bool SimulatedDesktop::setEnvironmentVariable(const std::u16string& name, const std::u16string& value) {
    if (name.empty() || name.find(u'=') != std::u16string::npos) return false;
    return ::setenv(utf16ToUtf8(name).c_str(), utf16ToUtf8(value).c_str(), 1) == 0;
}
#endif

uint32_t SimulatedDesktop::sendInput(const std::vector<KeyboardInput>& events) {
    record(SendInputRecord{events});
    if (!events.empty()) noteInput();
    return static_cast<uint32_t>(events.size());
}

std::optional<intptr_t> SimulatedDesktop::getImeOpenStatus() { return std::nullopt; }

std::optional<intptr_t> SimulatedDesktop::setImeOpenStatus(bool open) {
    record(ImeRecord{open});
    return std::nullopt;
}

std::string SimulatedDesktop::getForegroundWindowTextA() { return {}; }

std::u16string SimulatedDesktop::getClipboardText(void*) { return clipboard; }

bool SimulatedDesktop::setClipboardText(void*, const std::u16string& text) {
    clipboard = text;
    record(ClipboardRecord{text});
    return true;
}

std::optional<std::vector<RawInputDevice>> SimulatedDesktop::getRawInputDeviceList() { return inputDevices; }

std::optional<std::vector<Rect>> SimulatedDesktop::enumDisplayMonitors() { return monitors; }

}  // namespace wavelith
