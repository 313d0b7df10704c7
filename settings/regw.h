// REGW: one open handle to the settings key, for one access. Created on the stack, the key is
// opened, one value is read or written, the key is closed. Misuse (an operation without an open
// key, a second open, a second close) is refused with a warning box naming the operation.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wavelith {

class REGW {
public:
    static constexpr const wchar_t* kKeyPath = L"Software\\Harvenlock\\QUELLIX\\CurrentVersion";
    static constexpr DWORD kCreate = 1;    // create the key when it cannot be opened
    static constexpr DWORD kReadOnly = 2;  // open with read access only

    REGW() = default;
    REGW(const REGW&) = delete;
    REGW& operator=(const REGW&) = delete;
    ~REGW();

    bool OpenKey(DWORD mode);
    bool CloseKey();

    // Size of the value's data in bytes, or -1 when it does not exist.
    int32_t ValueExistW(const wchar_t* name);
    // Registry type code of the value, 0 when it does not exist.
    int32_t ValueTypeW(const wchar_t* name);
    // Reads the value's data raw into a buffer of 1029 characters, emptied first.
    bool ReadStringW(const wchar_t* name, wchar_t* buffer);
    int32_t ReadIntegerW(const wchar_t* name, int32_t defaultValue);
    bool WriteStringW(const wchar_t* name, const wchar_t* text);
    bool WriteIntegerW(const wchar_t* name, int32_t value);
    // The whole value as text (size/2 characters); count receives size/2 + 1.
    std::optional<std::wstring> newReadString(const wchar_t* name, int32_t* count = nullptr);
    // Text as stored, or a multi-string list as lines ended by CR LF, in a buffer of capacity.
    bool ReadMultiStringW(const wchar_t* name, wchar_t* buffer, size_t capacity);
    std::optional<std::wstring> newReadMultiStringW(const wchar_t* name, int32_t* count = nullptr);

    static LONG lastResult() { return lastResult_; }
    // The warnings follow the user-interface language; Japanese until told otherwise.
    static void setJapanese(bool japanese) { japanese_ = japanese; }

    static constexpr size_t kStringBufferCharacters = 1029;

private:
    enum class Operation;
    void warn(Operation operation) const;
    bool queryValue(const wchar_t* name, DWORD* type, std::string* data);

    HKEY key_ = nullptr;
    static inline LONG lastResult_ = 0;
    static inline bool japanese_ = true;
};

}  // namespace wavelith
