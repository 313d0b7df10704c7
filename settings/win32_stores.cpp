#include "settings/win32_stores.h"

#include "platform/win32_text.h"
#include "settings/ini_text.h"
#include "settings/regw.h"

#include <windows.h>

#include <string>
#include <vector>

namespace wavelith {

namespace {

constexpr const wchar_t* kIniSection = L"quellix";

std::wstring wideKey(const char* key) { return std::wstring(key, key + strlen(key)); }

std::u16string upToNul(const std::wstring& text) { return fromWide(text.substr(0, text.find(L'\0'))); }

}  // namespace

// Registry: one open and close per value, as REGW objects are meant to be used.

namespace {

template <typename Result, typename Access>
Result withSettingsKey(DWORD mode, Result whenUnopened, Access access) {
    REGW registry;
    if (!registry.OpenKey(mode)) return whenUnopened;
    Result result = access(registry);
    registry.CloseKey();
    return result;
}

}  // namespace

int32_t RegistryStore::readInteger(const char* key, int32_t absentValue) {
    return withSettingsKey(REGW::kReadOnly, absentValue,
                           [&](REGW& registry) { return registry.ReadIntegerW(wideKey(key).c_str(), absentValue); });
}

bool RegistryStore::writeInteger(const char* key, int32_t value) {
    return withSettingsKey(REGW::kCreate, false,
                           [&](REGW& registry) { return registry.WriteIntegerW(wideKey(key).c_str(), value); });
}

std::optional<std::u16string> RegistryStore::readScript() {
    // No key: nothing, so the script in memory stays; no value: the empty script.
    return withSettingsKey(REGW::kReadOnly, std::optional<std::u16string>(), [](REGW& registry) {
        auto text = registry.newReadMultiStringW(L"qx_script");
        return std::optional<std::u16string>(text ? upToNul(*text) : std::u16string());
    });
}

bool RegistryStore::writeScript(const std::u16string& text) {
    return withSettingsKey(REGW::kCreate, false,
                           [&](REGW& registry) { return registry.WriteStringW(L"qx_script", wide(text)); });
}

std::u16string RegistryStore::readIconPath(const char* key) {
    return withSettingsKey(REGW::kReadOnly, std::u16string(u"-"), [&](REGW& registry) {
        std::vector<wchar_t> buffer(REGW::kStringBufferCharacters, L'\0');
        bool read = registry.ReadStringW(wideKey(key).c_str(), buffer.data());
        return read ? fromWide(buffer.data()) : std::u16string(u"-");
    });
}

// Ini file: section "quellix" of .\quellix.ini, relative to the current directory.

namespace {

constexpr const wchar_t* kIniPath = IniStore::kPath;

// Reading a foreign file whole to convert it is bounded: one beyond this is set aside instead.
// A UTF-16LE file is never read here, so a file of the user's of any size stays.
constexpr LONGLONG kLargestConvertedIni = 16 * 1024 * 1024;

// Puts the complete file `rewritten` in place of the ini file in one step.
bool replaceIniWith(const wchar_t* rewritten) {
    HANDLE file = CreateFileW(rewritten, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // On disk before the name points at it, or a crash could leave the name on an empty file.
    bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed && MoveFileExW(rewritten, kIniPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool writeWholeIni(std::string_view bytes) {
    HANDLE file = CreateFileW(IniStore::kRewritePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;  // the writes that follow fail and the save says so
    DWORD written = 0;
    bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    if (!complete) {
        DeleteFileW(IniStore::kRewritePath);
        return false;
    }
    return replaceIniWith(IniStore::kRewritePath);
}

std::optional<std::u16string> fromAnsiCodePage(std::string_view bytes) {
    if (bytes.empty()) return std::u16string();
    int length = static_cast<int>(bytes.size());
    int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (units <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(units), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, text.data(), units) != units)
        return std::nullopt;
    return fromWide(text);
}

// Up to `count` bytes from where the file stands; nothing when the read fails.
std::optional<std::string> readBytes(HANDLE file, size_t count) {
    std::string bytes(count, '\0');
    DWORD read = 0;
    if (count > 0 && !ReadFile(file, bytes.data(), static_cast<DWORD>(count), &read, nullptr)) return std::nullopt;
    bytes.resize(read);
    return bytes;
}

void setAsideAndStartAfresh() {
    if (MoveFileExW(kIniPath, IniStore::kSetAsidePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        writeWholeIni(kNewIniFile);
}

}  // namespace

int32_t IniStore::readInteger(const char* key, int32_t absentValue) {
    return static_cast<int32_t>(GetPrivateProfileIntW(kIniSection, wideKey(key).c_str(), absentValue, kIniPath));
}

bool IniStore::written(bool profileWrite) {
    if (!profileWrite) copyDamaged_ = true;  // a failed rewrite may have left the copy cut short
    return profileWrite;
}

bool IniStore::writeInteger(const char* key, int32_t value) {
    if (!writePath_) return false;
    return written(WritePrivateProfileStringW(kIniSection, wideKey(key).c_str(), std::to_wstring(value).c_str(),
                                              writePath_) != FALSE);
}

std::optional<std::u16string> IniStore::readScript() {
    auto size = static_cast<int32_t>(GetPrivateProfileIntW(kIniSection, L"qx_script_size", 1, kIniPath));
    if (size < 3 || size > kLargestScriptBytes) return std::u16string();
    std::vector<wchar_t> buffer(static_cast<size_t>(size), L'\0');  // 2 × size bytes: room for a NUL
    if (!GetPrivateProfileStructW(kIniSection, L"qx_script", buffer.data(), static_cast<UINT>(size), kIniPath))
        return std::u16string();
    return fromWide(buffer.data());
}

bool IniStore::writeScript(const std::u16string& text) {
    size_t bytes = (text.size() + 1) * 2;
    // Refused before anything is written: the stored script stays as it was.
    if (bytes > static_cast<size_t>(kLargestScriptBytes) || !writePath_) return false;
    bool sizeWritten = written(WritePrivateProfileStringW(kIniSection, L"qx_script_size",
                                                          std::to_wstring(bytes).c_str(), writePath_) != FALSE);
    std::wstring wide(text.begin(), text.end());
    bool scriptWritten = written(WritePrivateProfileStructW(kIniSection, L"qx_script", wide.data(),
                                                            static_cast<UINT>(bytes), writePath_) != FALSE);
    return sizeWritten && scriptWritten;
}

std::u16string IniStore::readIconPath(const char* key) {
    std::vector<wchar_t> buffer(1029, L'\0');
    GetPrivateProfileStringW(kIniSection, wideKey(key).c_str(), L"-", buffer.data(), 1029, kIniPath);
    return fromWide(buffer.data());
}

void IniStore::prepareForSave() {
    ensureIniFile();
    copyDamaged_ = false;
    writePath_ = CopyFileW(kIniPath, kRewritePath, FALSE) ? kRewritePath : nullptr;
}

bool IniStore::finishSave() {
    const wchar_t* copy = writePath_;
    writePath_ = kIniPath;
    if (!copy) return false;
    if (copy == kIniPath) return true;  // no save under way: the writes went to the file itself
    // The documented flush: a profile layer that keeps the file's text in memory writes it out
    // and lets go of it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy);
    if (copyDamaged_) {
        DeleteFileW(copy);  // the file keeps what it held before this save
        return false;
    }
    return replaceIniWith(copy);
}

void ensureIniFile() {
    HANDLE existing = CreateFileW(kIniPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        // A file that is there but cannot be read is not ours to replace.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) writeWholeIni(kNewIniFile);
        return;
    }
    LARGE_INTEGER size{};
    std::optional<std::string> start;
    if (GetFileSizeEx(existing, &size)) start = readBytes(existing, 2);
    bool utf16Le = start && iniEncoding(*start) == IniEncoding::Utf16Le;
    bool tooLarge = size.QuadPart > kLargestConvertedIni;
    std::optional<std::string> bytes;
    if (start && !utf16Le && !tooLarge) {
        bytes = readBytes(existing, static_cast<size_t>(size.QuadPart) - start->size());
        if (bytes) bytes->insert(0, *start);
    }
    CloseHandle(existing);
    if (!start || utf16Le) return;  // the profile functions' own form, or a file we cannot read: left as it is
    if (tooLarge) {
        setAsideAndStartAfresh();
        return;
    }
    if (!bytes || bytes->size() != static_cast<size_t>(size.QuadPart)) return;
    // The profile writer keeps a file's encoding: an empty or foreign file would stay ANSI.
    if (auto converted = iniAsUtf16Le(*bytes, fromAnsiCodePage))
        writeWholeIni(*converted);
    else
        setAsideAndStartAfresh();
}

std::unique_ptr<Store> makeStore(const StorageMode& mode) {
    if (mode.iniMode) return std::make_unique<IniStore>();
    return std::make_unique<RegistryStore>();
}

}  // namespace wavelith
