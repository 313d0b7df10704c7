// The real desktop: each Desktop call is the Windows operation of the same name.
#pragma once

#include "platform/desktop.h"

namespace wavelith {

class Win32Desktop : public Desktop {
public:
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
    uint32_t getLastInputTick() override;
    bool setThreadExecutionState(uint32_t flags) override;
    int32_t messageBox(void* owner, const std::u16string& text, const std::u16string& caption,
                       uint32_t style) override;
    std::optional<std::u16string> inputDialog(void* owner, const std::u16string& prompt, const std::u16string& title,
                                              bool japanese) override;
    void sleep(uint32_t milliseconds) override;
    bool messageBeep(uint32_t type) override;
    std::u16string getEnvironmentVariable(const std::u16string& name) override;
    bool setEnvironmentVariable(const std::u16string& name, const std::u16string& value) override;
    std::optional<Point> tryGetCursorPos() override;
    bool trySetCursorPos(Point position) override;
    uint32_t sendInput(const std::vector<KeyboardInput>& events) override;
    std::optional<intptr_t> getImeOpenStatus() override;
    std::optional<intptr_t> setImeOpenStatus(bool open) override;
    std::string getForegroundWindowTextA() override;
    std::u16string getClipboardText(void* owner) override;
    bool setClipboardText(void* owner, const std::u16string& text) override;
    std::optional<std::vector<RawInputDevice>> getRawInputDeviceList() override;
    std::optional<std::vector<Rect>> enumDisplayMonitors() override;
};

}  // namespace wavelith
