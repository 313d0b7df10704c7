// Script files as the script editor loads and saves them: a byte-order mark or the platform's
// code-page detection decides the encoding on load; saving always writes UTF-8 with a mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavelith {

// The codes are the ones users quote back to us: keep them.
enum class ScriptReadResult {
    Ok = 0,
    CannotOpen = 1,
    CannotRead = 2,
    OutOfMemory = 4,
    ConversionUnavailable = 5,
    ConversionFailed = 6,
};

enum class ScriptSaveResult {
    Ok = 0,
    CannotOpenForWrite = 1,
    CannotWrite = 3,
    OutOfMemory = 4,
};

// Larger than any script anyone writes by hand; refused before anything is allocated for it.
constexpr uint64_t kMaxScriptFileBytes = uint64_t(64) << 20;

constexpr uint32_t kCodePageUtf8 = 65001;
constexpr uint32_t kCodePageShiftJis = 932;

// What the platform offers for text without a byte-order mark.
class CodePageService {
public:
    virtual ~CodePageService() = default;
    // The code page the platform's detector sees in `bytes`; nothing when it cannot tell.
    virtual std::optional<uint32_t> detectCodePage(std::string_view bytes) = 0;
    // `bytes` read in `codePage`; nothing when the conversion fails.
    virtual std::optional<std::u16string> convert(std::string_view bytes, uint32_t codePage) = 0;
    // Whether every byte sequence of `bytes` is valid in `codePage`.
    virtual bool convertsCleanly(std::string_view bytes, uint32_t codePage) = 0;
    // The system's ANSI code page, the last guess.
    virtual uint32_t ansiCodePage() = 0;
};

struct DecodedScript {
    ScriptReadResult result = ScriptReadResult::Ok;
    std::u16string text;  // CR LF line ends, except for UTF-16LE files, which keep theirs
};

bool isValidUtf8(std::string_view bytes);
// The whole content of a script file as the editor's text.
DecodedScript decodeScriptFile(std::string_view bytes, CodePageService& service);
// The bytes a save writes: EF BB BF and the text in UTF-8.
std::string encodeScriptFile(std::u16string_view text);

std::u16string_view readResultMessage(ScriptReadResult result, bool japanese);
// Ok has its message too: the information that the file was saved.
std::u16string_view saveResultMessage(ScriptSaveResult result, bool japanese);

}  // namespace wavelith
