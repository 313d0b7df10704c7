#include "settings/regw.h"

#include "platform/win32_text.h"
#include "settings/registry_values.h"
#include "ui/dark_mode.h"

#include <cstring>
#include <vector>

namespace wavelith {

enum class REGW::Operation {
    OpenKey,
    CloseKey,
    Destructor,
    ValueExistW,
    ValueTypeW,
    ReadStringW,
    ReadIntegerW,
    WriteStringW,
    WriteIntegerW,
    NewReadString,
    ReadMultiStringW,
    NewReadMultiStringW,
};

namespace {

struct Warning {
    const wchar_t* operation;
    const wchar_t* japaneseProblem;
};

const Warning& warningFor(int operation) {
    static const Warning kWarnings[] = {
        {L"REGW::OpenKey()", L"既に開いているキーをもう一度開こうとしたため、前のキーを閉じました。"},
        {L"REGW::CloseKey()", L"開いていないキーを閉じようとしたため、処理を拒否しました。"},
        {L"REGW::~REGW()", L"開いたままのキーを自動的に閉じました。"},
        {L"ValueExistW", L"開いていないキーに対する操作を拒否しました。"},
        {L"ValueTypeW", L"開いていないキーに対する操作を拒否しました。"},
        {L"ReadStringW", L"開いていないキーに対する操作を拒否しました。"},
        {L"ReadIntegerW", L"開いていないキーに対する操作を拒否しました。"},
        {L"WriteStringW", L"開いていないキーに対する操作を拒否しました。"},
        {L"WriteIntegerW", L"開いていないキーに対する操作を拒否しました。"},
        {L"(new)ReadString", L"開いていないキーに対する操作を拒否しました。"},
        {L"ReadMultiStringW", L"開いていないキーに対する操作を拒否しました。"},
        {L"(new)ReadMultiStringW", L"開いていないキーに対する操作を拒否しました。"},
    };
    return kWarnings[operation];
}

}  // namespace

void REGW::warn(Operation operation) const {
    const Warning& warning = warningFor(static_cast<int>(operation));
    bool multiString = operation == Operation::ReadMultiStringW || operation == Operation::NewReadMultiStringW;
    const wchar_t* caption = multiString ? L"Registry Class" : L"Registory Class";
    std::wstring text;
    if (japanese_) {
        text = std::wstring(L"レジストリ操作でエラーが発生しました（") + warning.operation + L"）。\n" +
               warning.japaneseProblem + L"\n編集中のダイアログの名前を作者にお知らせください。";
    } else {
        text = std::wstring(L"An error has occurred in ") + warning.operation + L".";
    }
    themedMessageBox(nullptr, text.c_str(), caption, MB_OK | MB_ICONWARNING);
}

REGW::~REGW() {
    if (!key_) return;
    RegCloseKey(key_);
    key_ = nullptr;
    warn(Operation::Destructor);
}

bool REGW::OpenKey(DWORD mode) {
    lastResult_ = 0;
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
        warn(Operation::OpenKey);
    }
    REGSAM access = (mode & kReadOnly) ? KEY_READ : KEY_ALL_ACCESS;
    lastResult_ = RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, access, &key_);
    if (lastResult_ != ERROR_SUCCESS && (mode & kCreate))
        lastResult_ = RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    if (lastResult_ != ERROR_SUCCESS) key_ = nullptr;
    return key_ != nullptr;
}

bool REGW::CloseKey() {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::CloseKey);
        return false;
    }
    lastResult_ = RegCloseKey(key_);
    key_ = nullptr;
    return lastResult_ == ERROR_SUCCESS;
}

bool REGW::queryValue(const wchar_t* name, DWORD* type, std::string* data) {
    DWORD size = 0;
    lastResult_ = RegQueryValueExW(key_, name, nullptr, type, nullptr, &size);
    if (lastResult_ != ERROR_SUCCESS) return false;
    if (!data) return true;
    // One spare zero byte, so that text data is always terminated.
    std::vector<BYTE> bytes(static_cast<size_t>(size) + 1, 0);
    DWORD read = size;
    lastResult_ = RegQueryValueExW(key_, name, nullptr, type, bytes.data(), &read);
    if (lastResult_ != ERROR_SUCCESS) return false;
    data->assign(reinterpret_cast<const char*>(bytes.data()), read < size ? read : size);
    return true;
}

int32_t REGW::ValueExistW(const wchar_t* name) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::ValueExistW);
        return -1;
    }
    DWORD size = 0;
    lastResult_ = RegQueryValueExW(key_, name, nullptr, nullptr, nullptr, &size);
    return lastResult_ == ERROR_SUCCESS ? static_cast<int32_t>(size) : -1;
}

int32_t REGW::ValueTypeW(const wchar_t* name) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::ValueTypeW);
        return -1;
    }
    DWORD type = 0;
    return queryValue(name, &type, nullptr) ? static_cast<int32_t>(type) : 0;
}

bool REGW::ReadStringW(const wchar_t* name, wchar_t* buffer) {
    lastResult_ = 0;
    if (!name || !buffer) return false;
    if (!key_) {
        warn(Operation::ReadStringW);
        return false;
    }
    std::memset(buffer, 0, kStringBufferCharacters * sizeof(wchar_t));
    // Raw, at most the buffer less its last character, so the text always ends in a NUL.
    DWORD size = (kStringBufferCharacters - 1) * sizeof(wchar_t);
    lastResult_ = RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (lastResult_ != ERROR_SUCCESS) buffer[0] = L'\0';
    return lastResult_ == ERROR_SUCCESS;
}

int32_t REGW::ReadIntegerW(const wchar_t* name, int32_t defaultValue) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::ReadIntegerW);
        return defaultValue;
    }
    DWORD type = 0;
    std::string data;
    if (!queryValue(name, &type, &data)) return defaultValue;
    return integerFromRegistryData(type, std::vector<uint8_t>(data.begin(), data.end()), defaultValue);
}

bool REGW::WriteStringW(const wchar_t* name, const wchar_t* text) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::WriteStringW);
        return false;
    }
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (bytes > 0xFFFFFFF0u) return false;
    lastResult_ = RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(bytes));
    return lastResult_ == ERROR_SUCCESS;
}

bool REGW::WriteIntegerW(const wchar_t* name, int32_t value) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::WriteIntegerW);
        return false;
    }
    DWORD data = static_cast<DWORD>(value);
    lastResult_ = RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    return lastResult_ == ERROR_SUCCESS;
}

std::optional<std::wstring> REGW::newReadString(const wchar_t* name, int32_t* count) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::NewReadString);
        return std::nullopt;
    }
    int32_t size = ValueExistW(name);
    if (size <= 0) return std::nullopt;
    DWORD type = 0;
    std::string data;
    if (!queryValue(name, &type, &data)) return std::nullopt;
    std::u16string units = unitsOf(std::vector<uint8_t>(data.begin(), data.end()));
    if (count) *count = size / 2 + 1;
    return toWide(units);
}

bool REGW::ReadMultiStringW(const wchar_t* name, wchar_t* buffer, size_t capacity) {
    lastResult_ = 0;
    if (!buffer || capacity == 0) return false;
    if (!key_) {
        warn(Operation::ReadMultiStringW);
        return false;
    }
    buffer[0] = L'\0';
    auto text = newReadString(name);
    if (!text) return false;
    DWORD type = 0;
    queryValue(name, &type, nullptr);
    std::wstring result;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        result = text->substr(0, text->find(L'\0'));
        if (result.size() >= capacity) return false;
    } else if (type == REG_MULTI_SZ) {
        auto lines = multiStringAsLines(std::u16string(text->begin(), text->end()), capacity);
        if (!lines) return false;
        result.assign(lines->begin(), lines->end());
    } else {
        return false;
    }
    std::memcpy(buffer, result.c_str(), (result.size() + 1) * sizeof(wchar_t));
    return true;
}

std::optional<std::wstring> REGW::newReadMultiStringW(const wchar_t* name, int32_t* count) {
    lastResult_ = 0;
    if (!key_) {
        warn(Operation::NewReadMultiStringW);
        return std::nullopt;
    }
    DWORD type = 0;
    std::string data;
    if (!queryValue(name, &type, &data)) return std::nullopt;
    if (type == REG_SZ || type == REG_EXPAND_SZ) return newReadString(name, count);
    if (type != REG_MULTI_SZ) return std::nullopt;
    std::u16string units = unitsOf(std::vector<uint8_t>(data.begin(), data.end()));
    size_t nuls = 0;
    for (char16_t unit : units) nuls += unit == u'\0';
    size_t capacity = units.size() + nuls;
    std::vector<wchar_t> buffer(capacity + 1, L'\0');
    if (!ReadMultiStringW(name, buffer.data(), capacity)) return std::nullopt;
    if (count) *count = static_cast<int32_t>(capacity);
    return std::wstring(buffer.data());
}

}  // namespace wavelith
