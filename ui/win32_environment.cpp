#include "ui/win32_environment.h"

#include "platform/win32_registry.h"
#include "platform/win32_system.h"
#include "platform/win32_text.h"

#include <vector>

namespace wavelith {

namespace {

template <typename Function>
Function systemFunction(const wchar_t* module, const char* name) {
    // ntdll and kernel32 are in every process; looking them up loads nothing.
    HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name))) : nullptr;
}

// The real version: without a manifest naming it, GetVersionExW says Windows 8 on anything later.
OSVERSIONINFOEXW windowsVersionInfo() {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    if (auto rtlGetVersion = systemFunction<RtlGetVersionFunction>(L"ntdll.dll", "RtlGetVersion"))
        if (rtlGetVersion(&info) >= 0) return info;
    info = OSVERSIONINFOEXW{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) info = OSVERSIONINFOEXW{};
#pragma GCC diagnostic pop
    return info;
}

std::optional<uint32_t> productInfo(const OSVERSIONINFOEXW& version) {
    using GetProductInfoFunction = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
    auto getProductInfo = systemFunction<GetProductInfoFunction>(L"kernel32.dll", "GetProductInfo");
    DWORD type = 0;
    if (!getProductInfo || !getProductInfo(version.dwMajorVersion, version.dwMinorVersion, version.wServicePackMajor,
                                           version.wServicePackMinor, &type))
        return std::nullopt;
    return type;
}

std::u16string localeCountry() {
    wchar_t name[128] = {};
    int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, name, 128);
    return length > 1 ? fromWide(std::wstring_view(name, static_cast<size_t>(length - 1))) : std::u16string();
}

UacInputs userAccountControl() {
    UacInputs uac;
    OpenKey key(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
    if (!key.get()) return uac;
    uac.keyOpened = true;
    uac.enableLua = dwordValue(key.get(), L"EnableLUA");
    uac.promptOnSecureDesktop = dwordValue(key.get(), L"PromptOnSecureDesktop");
    uac.consentPromptBehaviorAdmin = dwordValue(key.get(), L"ConsentPromptBehaviorAdmin");
    uac.consentPromptBehaviorUser = dwordValue(key.get(), L"ConsentPromptBehaviorUser");
    return uac;
}

ScreenRect screenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM monitors) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorInputs>*>(monitors)->push_back(
            MonitorInputs{screenRect(info.rcMonitor), screenRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

std::u16string versionString(const std::vector<BYTE>& block, const wchar_t* name) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value || length == 0) return {};
    std::wstring_view text(static_cast<const wchar_t*>(value), length);
    return fromWide(text.substr(0, text.find(L'\0')));
}

}  // namespace

std::optional<VersionStrings> readVersionStrings() {
    std::wstring path = programFilePath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
    return VersionStrings{versionString(block, L"FileVersion"), versionString(block, L"FileDescription"),
                          versionString(block, L"SpecialBuild"), versionString(block, L"LegalCopyright"),
                          versionString(block, L"PrivateBuild")};
}

EnvironmentInputs gatherEnvironment() {
    EnvironmentInputs in;
    const OSVERSIONINFOEXW version = windowsVersionInfo();
    in.platformId = version.dwPlatformId;
    in.major = version.dwMajorVersion;
    in.minor = version.dwMinorVersion;
    in.build = version.dwBuildNumber;
    in.servicePack = fromWide(version.szCSDVersion);
    in.servicePackMajor = version.wServicePackMajor;
    in.servicePackMinor = version.wServicePackMinor;
    in.productType = version.wProductType;
    in.productInfo = productInfo(version);
    in.suiteMask = version.wSuiteMask;
    in.cleanBoot = GetSystemMetrics(SM_CLEANBOOT);
    in.country = localeCountry();
    in.remoteSession = GetSystemMetrics(SM_REMOTESESSION) != 0;
    in.uac = userAccountControl();

    in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (HDC screen = GetDC(nullptr)) {
        in.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        ReleaseDC(nullptr, screen);
    }
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) in.workArea = screenRect(work);
    in.virtualLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    in.virtualTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    in.virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    in.virtualHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    in.monitorCount = GetSystemMetrics(SM_CMONITORS);
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&in.monitors));

    SYSTEMTIME now{};
    GetLocalTime(&now);
    in.localTime = LocalTimeInputs{now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour, now.wMinute, now.wSecond};
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID) in.zoneBiasMinutes = zone.Bias;
    return in;
}

}  // namespace wavelith
