#include "settings/win32_stores.h"

#include "platform/win32_text.h"
#include "settings/regw.h"

#include <windows.h>

#include <string>
#include <vector>

namespace wavelith {

namespace {

constexpr const wchar_t* kIniPath = L".\\quellix.ini";
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

int32_t IniStore::readInteger(const char* key, int32_t absentValue) {
    return static_cast<int32_t>(GetPrivateProfileIntW(kIniSection, wideKey(key).c_str(), absentValue, kIniPath));
}

bool IniStore::writeInteger(const char* key, int32_t value) {
    return WritePrivateProfileStringW(kIniSection, wideKey(key).c_str(), std::to_wstring(value).c_str(), kIniPath) != 0;
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
    if (bytes > static_cast<size_t>(kLargestScriptBytes)) return false;
    bool sizeWritten = WritePrivateProfileStringW(kIniSection, L"qx_script_size", std::to_wstring(bytes).c_str(), kIniPath);
    std::wstring wide(text.begin(), text.end());
    bool scriptWritten =
        WritePrivateProfileStructW(kIniSection, L"qx_script", wide.data(), static_cast<UINT>(bytes), kIniPath);
    return sizeWritten && scriptWritten;
}

std::u16string IniStore::readIconPath(const char* key) {
    std::vector<wchar_t> buffer(1029, L'\0');
    GetPrivateProfileStringW(kIniSection, wideKey(key).c_str(), L"-", buffer.data(), 1029, kIniPath);
    return fromWide(buffer.data());
}

void IniStore::prepareForSave() { ensureIniFile(); }

namespace {

constexpr BYTE kUtf16Start[] = {0xFF, 0xFE, 0x0D, 0x00, 0x0A, 0x00};
// A foreign file larger than this is no settings file worth converting; it is set aside.
constexpr LONGLONG kLargestConvertedIni = 16 * 1024 * 1024;

bool writeNewIni(const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileW(kIniPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;  // the writes that follow fail and the save says so
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

// The text of a file that is not UTF-16, as UTF-16 (UTF-8 with its mark, else the ANSI code page).
std::vector<BYTE> asUtf16(const std::vector<BYTE>& bytes) {
    bool utf8 = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    size_t skip = utf8 ? 3 : 0;
    const char* text = reinterpret_cast<const char*>(bytes.data()) + skip;
    int length = static_cast<int>(bytes.size() - skip);
    UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    int units = length > 0 ? MultiByteToWideChar(codePage, 0, text, length, nullptr, 0) : 0;
    std::vector<wchar_t> wide(static_cast<size_t>(units));
    if (units > 0) MultiByteToWideChar(codePage, 0, text, length, wide.data(), units);
    std::vector<BYTE> converted(std::begin(kUtf16Start), std::end(kUtf16Start));
    const BYTE* raw = reinterpret_cast<const BYTE*>(wide.data());
    converted.insert(converted.end(), raw, raw + wide.size() * sizeof(wchar_t));
    return converted;
}

}  // namespace

void ensureIniFile() {
    HANDLE existing = CreateFileW(kIniPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        writeNewIni(std::vector<BYTE>(std::begin(kUtf16Start), std::end(kUtf16Start)));
        return;
    }
    LARGE_INTEGER size{};
    std::vector<BYTE> bytes;
    bool readable = GetFileSizeEx(existing, &size) != FALSE;
    if (readable && size.QuadPart > 0 && size.QuadPart <= kLargestConvertedIni) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        readable = ReadFile(existing, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                   read == bytes.size();
    }
    CloseHandle(existing);
    if (!readable) return;  // leave a file we cannot read as it is
    bool utf16 = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    if (utf16) return;
    // The profile writer keeps a file's encoding: an empty or foreign file would stay ANSI.
    // Convert its text instead, so nothing the user wrote in it is lost; a huge one is kept aside.
    if (size.QuadPart > kLargestConvertedIni) {
        MoveFileExW(kIniPath, L".\\quellix.ini.bak", MOVEFILE_REPLACE_EXISTING);
        writeNewIni(std::vector<BYTE>(std::begin(kUtf16Start), std::end(kUtf16Start)));
        return;
    }
    writeNewIni(asUtf16(bytes));
}

std::unique_ptr<Store> makeStore(const StorageMode& mode) {
    if (mode.iniMode) return std::make_unique<IniStore>();
    return std::make_unique<RegistryStore>();
}

}  // namespace wavelith
