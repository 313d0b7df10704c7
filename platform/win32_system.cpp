#include "platform/win32_system.h"

#include <vector>

namespace wavelith {

namespace {

const std::wstring& systemDirectory() {
    static const std::wstring directory = [] {
        wchar_t buffer[MAX_PATH] = {};
        UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
    }();
    return directory;
}

std::wstring currentDirectory() {
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(needed, L'\0');
    DWORD length = GetCurrentDirectoryW(needed, directory.data());
    directory.resize(length < needed ? length : 0);
    return directory;
}

}  // namespace

HMODULE loadSystemLibrary(const wchar_t* name) {
    // Switching to the system directory keeps a planted DLL in the program's folder out.
    std::wstring previous = currentDirectory();
    if (systemDirectory().empty() || !SetCurrentDirectoryW(systemDirectory().c_str())) return nullptr;
    HMODULE library = LoadLibraryW(name);
    if (!previous.empty()) SetCurrentDirectoryW(previous.c_str());
    return library;
}

int windowsVersion() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    if (HMODULE ntdll = loadSystemLibrary(L"ntdll.dll")) {
        auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        bool known = rtlGetVersion && rtlGetVersion(&info) >= 0;
        FreeLibrary(ntdll);
        if (known) return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
    return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
}

std::wstring programFilePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // truncated: try again with room to spare
    }
}

}  // namespace wavelith
