#include "platform/win32_desktop.h"

#include <windows.h>

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

}  // namespace wavelith
