// The release packages as a user meets them: the installer run silently installs the program
// and its shortcuts, replaces a running copy, and its uninstaller takes everything away but the
// settings; the program of the portable zip keeps its settings beside it. tools/check-dist.sh
// hands the packages over (WAVELITH_PACKAGE_INSTALLER: the installer; WAVELITH_PACKAGE_PORTABLE:
// the unpacked zip); in the plain e2e run these tests skip.
#include "tests/e2e/harness.h"

#include "wavelith_version.h"

#include <shlobj.h>

#include <cstring>

namespace wavelith::e2e {

namespace {

constexpr milliseconds kInstallDeadline{60000};
constexpr const wchar_t* kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Wavelith";

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::wstring shellFolder(int csidl) {
    wchar_t folder[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : L"";
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool keyExists(const wchar_t* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

std::wstring uninstallString(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"(missing)";
    return value;
}

std::optional<DWORD> uninstallDword(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// FileVersion of one string table of the file's version resource.
std::wstring fileVersion(const std::wstring& file, const std::wstring& table) {
    DWORD unused = 0;
    std::vector<uint8_t> block(GetFileVersionInfoSizeW(file.c_str(), &unused));
    if (block.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return L"(no version resource)";
    wchar_t* text = nullptr;
    UINT length = 0;
    std::wstring query = L"\\StringFileInfo\\" + table + L"\\FileVersion";
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
        return L"(no FileVersion in " + table + L")";
    return text;
}

std::wstring widened(const char* text) { return std::wstring(text, text + strlen(text)); }

// project(VERSION ...) as written there: three numbers, four with a tweak.
std::wstring projectVersion() {
    std::wstring text = std::to_wstring(WAVELITH_VERSION_MAJOR) + L"." + std::to_wstring(WAVELITH_VERSION_MINOR) + L"." +
                        std::to_wstring(WAVELITH_VERSION_PATCH);
    if (WAVELITH_VERSION_TWEAK != 0) text += L"." + std::to_wstring(WAVELITH_VERSION_TWEAK);
    return text;
}

// The program file of the running instance; empty while none runs.
std::wstring runningProgram() {
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    DWORD id = 0;
    if (!window || !GetWindowThreadProcessId(window, &id)) return L"";
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return L"";
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    std::wstring program = QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size) : L"";
    CloseHandle(process);
    return program;
}

// Opens a shortcut as a click in the Start menu or the log-on start would, and returns the
// program that then runs, once its tray window is up: a copy that failed its self-check would
// show a message box and end instead.
std::wstring startThrough(const std::wstring& link) {
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        return L"(cannot open " + link + L")";
    std::wstring program;
    waitUntil([&] { return !(program = runningProgram()).empty(); }, kStartDeadline);
    return program;
}

bool samePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

class PackageTest : public WavelithTest {
protected:
    void SetUp() override {
        WavelithTest::SetUp();
        installer_ = environment(L"WAVELITH_PACKAGE_INSTALLER");
        portable_ = environment(L"WAVELITH_PACKAGE_PORTABLE");
        if (installer_.empty() || portable_.empty()) GTEST_SKIP() << "run by tools/check-dist.sh with the packages";
        installed_ = shellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Wavelith";
        startMenuLink_ = shellFolder(CSIDL_PROGRAMS) + L"\\Wavelith.lnk";
        startupLink_ = shellFolder(CSIDL_STARTUP) + L"\\Wavelith.lnk";
    }

    // Runs a package's program to its end and returns its exit code.
    std::optional<DWORD> run(const std::wstring& program, const std::wstring& tail) {
        return startProgram(program, tail).waitForExit(kInstallDeadline);
    }
    // The uninstaller hands over to a copy of itself and returns at once: done is when the
    // folder and the entry are gone.
    bool uninstall(const std::wstring& tail) {
        return run(installed_ + L"\\uninstall.exe", tail) == 0u &&
               waitUntil([&] { return !exists(installed_) && !keyExists(kUninstallKey); }, kInstallDeadline);
    }

    std::wstring installer_, portable_, installed_, startMenuLink_, startupLink_;
};

}  // namespace

TEST_F(PackageTest, InstallerInstallsReplacesARunningCopyAndUninstallsKeepingTheSettings) {
    const std::wstring program = installed_ + L"\\Wavelith.exe";
    ASSERT_EQ(run(installer_, L"/S /STARTUP"), 0u);
    for (const wchar_t* file : {L"Wavelith.exe", L"wavelith-script.exe", L"quellix.chm", L"README.txt", L"LICENSE.txt",
                                L"uninstall.exe", L"policy\\wavelith.admx", L"policy\\en-US\\wavelith.adml",
                                L"policy\\ja-JP\\wavelith.adml"})
        EXPECT_TRUE(exists(installed_ + L"\\" + file)) << "not installed: " << file;
    EXPECT_EQ(uninstallString(L"DisplayName"), L"Wavelith");
    EXPECT_EQ(uninstallString(L"DisplayVersion"), projectVersion());
    EXPECT_EQ(uninstallString(L"Publisher"), L"Harvenlock");
    EXPECT_EQ(uninstallString(L"InstallLocation"), installed_);
    EXPECT_EQ(uninstallString(L"UninstallString"), L"\"" + installed_ + L"\\uninstall.exe\"");
    EXPECT_EQ(uninstallString(L"QuietUninstallString"), L"\"" + installed_ + L"\\uninstall.exe\" /S");
    EXPECT_EQ(uninstallString(L"DisplayIcon"), program + L",0");
    EXPECT_EQ(uninstallDword(L"NoModify"), 1u);
    EXPECT_EQ(uninstallDword(L"NoRepair"), 1u);
    // The one version number, as Windows reads it from the installed program.
    EXPECT_EQ(fileVersion(program, L"040904b0"), widened(WAVELITH_VERSION_TEXT));
    EXPECT_EQ(fileVersion(program, L"041104b0"), widened(WAVELITH_VERSION_TEXT));

    EXPECT_PRED2(samePath, startThrough(startMenuLink_), program);
    // An update while it runs ends it first, the clean way: it saves its settings as it goes.
    ASSERT_EQ(run(installer_, L"/S"), 0u);
    EXPECT_TRUE(waitUntil([] { return runningProgram().empty(); }, kExitDeadline)) << "still running: " << runningProgram();
    EXPECT_TRUE(storedValue(L"IntervalTimeMSec").has_value()) << "the ended copy saved no settings";
    // A silent update keeps the log-on start.
    EXPECT_PRED2(samePath, startThrough(startupLink_), program);

    ASSERT_TRUE(uninstall(L"/S")) << "the folder or the uninstall entry is still there";
    EXPECT_TRUE(runningProgram().empty()) << "the uninstaller did not end the running copy";
    EXPECT_FALSE(exists(startMenuLink_));
    EXPECT_FALSE(exists(startupLink_));
    EXPECT_TRUE(storedValue(L"IntervalTimeMSec").has_value()) << "the settings went with the program";
}

TEST_F(PackageTest, UninstallerRemovesTheSettingsOnlyWhenAsked) {
    DeleteFileW(startupLink_.c_str());
    ASSERT_EQ(run(installer_, L"/S"), 0u);
    EXPECT_TRUE(exists(startMenuLink_));
    EXPECT_FALSE(exists(startupLink_)) << "a log-on start nobody asked for";
    storeDwords({{L"IntervalTimeMSec", 40000}});
    ASSERT_TRUE(uninstall(L"/S /REMOVESETTINGS")) << "the folder or the uninstall entry is still there";
    EXPECT_FALSE(keyExists(kSettingsKey));
}

TEST_F(PackageTest, PortableProgramKeepsItsSettingsBesideIt) {
    const std::wstring program = portable_ + L"\\Wavelith_O.exe";
    const std::wstring ini = portable_ + L"\\quellix.ini";
    DeleteFileW(ini.c_str());
    // Started from elsewhere, as from a shortcut whose working folder is not the program's.
    AppProcess& app = startProgram(program, L"", folder().path());
    ASSERT_TRUE(app.waitForMainWindow());
    EXPECT_EQ(app.dialog(), nullptr);
    EXPECT_EQ(startProgram(program, L"/X", folder().path()).waitForExit(), 0u);
    EXPECT_TRUE(app.waitForExit().has_value());
    EXPECT_EQ(iniEntry(ini, L"IntervalTimeMSec"), L"50000");
    EXPECT_TRUE(storedValues().empty()) << "the portable program wrote to the registry";
    EXPECT_FALSE(exists(folder().file(L"quellix.ini")));
    DeleteFileW(ini.c_str());
}

}  // namespace wavelith::e2e
