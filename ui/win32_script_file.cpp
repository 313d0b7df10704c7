#include "ui/win32_script_file.h"

#include <windows.h>

#include <mlang.h>

#include <algorithm>
#include <climits>
#include <new>

namespace wavelith {

namespace {

// Not in mingw's libuuid.
constexpr CLSID kMultiLanguageClass = {0x275C23E2, 0x3747, 0x11D0, {0x9F, 0xEA, 0x00, 0xAA, 0x00, 0x3F, 0x86, 0x46}};
constexpr IID kMultiLanguage2Interface = {0xDCCFC164, 0x2B38, 0x11D2, {0xB7, 0xEC, 0x00, 0xC0, 0x4F, 0x8F, 0x5D, 0x9A}};

// MLang when the system has it; a system without it still loads files, by the portable
// guesses and MultiByteToWideChar.
class Win32CodePages : public CodePageService {
public:
    Win32CodePages() {
        void* object = nullptr;
        if (SUCCEEDED(CoCreateInstance(kMultiLanguageClass, nullptr, CLSCTX_INPROC_SERVER, kMultiLanguage2Interface,
                                       &object)))
            multiLanguage_ = static_cast<IMultiLanguage2*>(object);
    }
    ~Win32CodePages() override {
        if (multiLanguage_) multiLanguage_->Release();
    }
    Win32CodePages(const Win32CodePages&) = delete;
    Win32CodePages& operator=(const Win32CodePages&) = delete;

    std::optional<uint32_t> detectCodePage(std::string_view bytes) override {
        if (!multiLanguage_ || bytes.size() > INT_MAX) return std::nullopt;
        INT size = static_cast<INT>(bytes.size());
        DetectEncodingInfo candidate{};
        INT candidates = 1;
        // S_FALSE: it cannot tell. Wine answers E_NOTIMPL.
        if (multiLanguage_->DetectInputCodepage(MLDETECTCP_NONE, 0, const_cast<CHAR*>(bytes.data()), &size, &candidate,
                                                &candidates) != S_OK ||
            candidates < 1)
            return std::nullopt;
        return candidate.nCodePage;
    }

    std::optional<std::u16string> convert(std::string_view bytes, uint32_t codePage) override {
        if (bytes.size() >= INT_MAX) return std::nullopt;
        // No code page makes more UTF-16 units than it has bytes.
        std::u16string text(bytes.size() + 1, u'\0');
        auto* target = reinterpret_cast<wchar_t*>(text.data());
        if (multiLanguage_) {
            DWORD mode = 0;
            UINT sourceSize = static_cast<UINT>(bytes.size()), size = static_cast<UINT>(text.size());
            if (multiLanguage_->ConvertStringToUnicodeEx(&mode, codePage, const_cast<CHAR*>(bytes.data()), &sourceSize,
                                                         target, &size, 0, nullptr) != S_OK)
                return std::nullopt;
            text.resize(size);
            return text;
        }
        int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), target,
                                         static_cast<int>(text.size()));
        if (length <= 0) return std::nullopt;
        text.resize(static_cast<size_t>(length));
        return text;
    }

    bool convertsCleanly(std::string_view bytes, uint32_t codePage) override {
        return !bytes.empty() && bytes.size() < INT_MAX &&
               MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                   0) > 0;
    }

    uint32_t ansiCodePage() override { return GetACP(); }

private:
    IMultiLanguage2* multiLanguage_ = nullptr;
};

ScriptReadResult readWholeFile(HANDLE file, std::string& bytes) {
    // A pipe or a device could keep us waiting for ever.
    if (GetFileType(file) != FILE_TYPE_DISK) return ScriptReadResult::CannotRead;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return ScriptReadResult::CannotRead;
    if (static_cast<uint64_t>(size.QuadPart) > kMaxScriptFileBytes) return ScriptReadResult::OutOfMemory;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return ScriptReadResult::OutOfMemory;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) || read == 0)
            return ScriptReadResult::CannotRead;
        done += read;
    }
    return ScriptReadResult::Ok;
}

bool writeWholeFile(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

DecodedScript readScriptFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {ScriptReadResult::CannotOpen, {}};
    std::string bytes;
    ScriptReadResult result = readWholeFile(file, bytes);
    CloseHandle(file);
    if (result != ScriptReadResult::Ok) return {result, {}};
    Win32CodePages service;
    return decodeScriptFile(bytes, service);
}

ScriptSaveResult saveScriptFile(const std::wstring& path, std::u16string_view text) {
    std::string bytes;
    try {
        bytes = encodeScriptFile(text);
    } catch (const std::bad_alloc&) {
        return ScriptSaveResult::OutOfMemory;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ScriptSaveResult::CannotOpenForWrite;
    bool written = writeWholeFile(file, bytes);
    CloseHandle(file);
    return written ? ScriptSaveResult::Ok : ScriptSaveResult::CannotWrite;
}

}  // namespace wavelith
