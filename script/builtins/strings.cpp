// String built-ins over bytes and over UTF-8 characters: length, search, comparison, substrings,
// case, padding and trimming, number conversions, replacement and line-break clean-up.
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace wavelith::script {

namespace {

std::string stringArgument(const Arguments& arguments, size_t index) { return Interpreter::asString(arguments[index]); }

int32_t integerArgument(const Arguments& arguments, size_t index) { return Interpreter::asInt(arguments[index]); }

// The character rule of the MB family: the lead byte alone decides the length, a stray
// continuation byte or 0xF8 and up is a character by itself, and none runs past the end.
size_t characterLength(std::string_view text, size_t at) {
    auto lead = static_cast<unsigned char>(text[at]);
    size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
    return std::min(length, text.size() - at);
}

int64_t countCharacters(std::string_view text) {
    int64_t count = 0;
    for (size_t at = 0; at < text.size(); at += characterLength(text, at)) ++count;
    return count;
}

// Byte offset of character number `count` (0-based), or the end.
size_t characterOffset(std::string_view text, int64_t count) {
    size_t at = 0;
    for (; count > 0 && at < text.size(); --count) at += characterLength(text, at);
    return at;
}

char lowerByte(char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte; }

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), lowerByte);
    return text;
}

// Byte index of find in text, -1 when absent; an empty find is found at 0.
// Horspool's search keyed on the pair of bytes at the end of the window: in a text of short
// tokens the needle's last byte comes every few bytes, a pair of its bytes far more rarely, so the
// window mostly moves by nearly the needle's length. Pairs share the 256 entries of the table by
// a hash; a shared entry keeps the smaller move, which only costs a comparison. The move for a
// pair the needle lacks does not depend on the table, so those steps run without waiting on it.
int64_t findByPairs(std::string_view text, std::string_view find) {
    const size_t length = find.size();  // at least 3
    auto pair = [](std::string_view bytes, size_t end) {
        return (static_cast<unsigned char>(bytes[end - 1]) * 33u + static_cast<unsigned char>(bytes[end])) & 0xFFu;
    };
    // Where in the needle the last pair of each hash ends; 0: nowhere.
    size_t lastEnd[256] = {};
    for (size_t end = 1; end < length; ++end) lastEnd[pair(find, end)] = end;
    // After a window ending in the needle's own last pair did not match: the next pair before it
    // with the same hash.
    const unsigned lastPair = pair(find, length - 1);
    size_t afterCandidate = length - 1;
    for (size_t end = length - 2; end >= 1; --end) {
        if (pair(find, end) == lastPair) {
            afterCandidate = length - 1 - end;
            break;
        }
    }
    for (size_t end = length - 1; end < text.size();) {
        size_t at = lastEnd[pair(text, end)];
        if (at == 0) {
            end += length - 1;
        } else if (at < length - 1) {
            end += length - 1 - at;
        } else {
            size_t start = end + 1 - length;
            if (text.compare(start, length, find) == 0) return static_cast<int64_t>(start);
            end += afterCandidate;
        }
    }
    return -1;
}

int64_t findBytes(std::string_view text, std::string_view find) {
    if (find.size() >= 3 && text.size() >= 256) return findByPairs(text, find);
    size_t at = text.find(find);
    return at == std::string_view::npos ? -1 : static_cast<int64_t>(at);
}

int32_t characterIndex(std::string_view text, int64_t byteIndex) {
    return byteIndex < 0 ? -1 : static_cast<int32_t>(countCharacters(std::string_view(text).substr(0, byteIndex)));
}

// PADLEFT and PADRIGHT: how many pad bytes, and which (the first of pad, else a space).
struct Padding {
    size_t count;
    char byte;
};
Padding padding(const Arguments& arguments, const std::string& text) {
    int64_t width = integerArgument(arguments, 1);
    std::string pad = arguments.size() > 2 ? stringArgument(arguments, 2) : std::string();
    auto length = static_cast<int64_t>(text.size());
    return {width >= length ? static_cast<size_t>(width - length) : 0, pad.empty() ? ' ' : pad[0]};
}

// A 1-based start as a 0-based position; 0 and below mean the first.
int64_t startPosition(const Arguments& arguments) {
    return std::max<int64_t>(int64_t{integerArgument(arguments, 1)} - 1, 0);
}

// The trim set: a space when absent or empty.
std::string trimSet(const Arguments& arguments) {
    std::string set = arguments.size() > 1 ? stringArgument(arguments, 1) : std::string();
    return set.empty() ? std::string(" ") : set;
}

}  // namespace

// ---- length, search and comparison ----

void builtinStrLen(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(static_cast<int32_t>(ValueText(arguments[0]).view().size()));
}

void builtinMbStrLen(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(static_cast<int32_t>(countCharacters(ValueText(arguments[0]).view())));
}

void builtinStrStr(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int64_t at = findBytes(ValueText(arguments[0]).view(), ValueText(arguments[1]).view());
    result = ScriptValue::integer(static_cast<int32_t>(at));
}

void builtinStrStrI(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int64_t at = findBytes(upperAscii(stringArgument(arguments, 0)), upperAscii(stringArgument(arguments, 1)));
    result = ScriptValue::integer(static_cast<int32_t>(at));
}

void builtinMbStrStr(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    ValueText text(arguments[0]);
    result = ScriptValue::integer(characterIndex(text.view(), findBytes(text.view(), ValueText(arguments[1]).view())));
}

// Upper-casing keeps every byte where it was, so the byte index holds for the original text.
void builtinMbStrStrI(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int64_t at = findBytes(upperAscii(text), upperAscii(stringArgument(arguments, 1)));
    result = ScriptValue::integer(characterIndex(text, at));
}

void builtinStrCmp(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int order = std::strcmp(stringArgument(arguments, 0).c_str(), stringArgument(arguments, 1).c_str());
    result = ScriptValue::integer(order < 0 ? -1 : order > 0 ? 1 : 0);
}

// The difference of the first differing pair after lower-casing, not just its sign.
void builtinStrCmpI(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string left = lowerAscii(stringArgument(arguments, 0));
    std::string right = lowerAscii(stringArgument(arguments, 1));
    auto a = reinterpret_cast<const unsigned char*>(left.c_str());
    auto b = reinterpret_cast<const unsigned char*>(right.c_str());
    while (*a != 0 && *a == *b) ++a, ++b;
    result = ScriptValue::integer(*a - *b);
}

void builtinStartsWith(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    ValueText text(arguments[0]), prefix(arguments[1]);
    result = ScriptValue::integer(text.view().substr(0, prefix.view().size()) == prefix.view() ? 1 : 0);
}

void builtinEndsWith(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    ValueText textArgument(arguments[0]), suffixArgument(arguments[1]);
    std::string_view text = textArgument.view(), suffix = suffixArgument.view();
    bool ends = text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
    result = ScriptValue::integer(ends ? 1 : 0);
}

void builtinGetAsciiCode(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t position = integerArgument(arguments, 1);
    bool inside = position >= 0 && static_cast<size_t>(position) < text.size();
    result = ScriptValue::integer(inside ? static_cast<signed char>(text[static_cast<size_t>(position)]) : -1);
}

// ---- substrings ----

void builtinLeft(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t count = integerArgument(arguments, 1);
    if (count >= 0 && static_cast<size_t>(count) < text.size()) text.resize(static_cast<size_t>(count));
    result = ScriptValue::string(std::move(text));
}

// A negative count asks for a start beyond the end; like the string library's range check, that
// ends the run (message 199) rather than handing back a made-up part.
void builtinRight(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t count = integerArgument(arguments, 1);
    if (count < 0) throw std::out_of_range("RIGHT: start beyond the end");
    if (static_cast<size_t>(count) < text.size()) text.erase(0, text.size() - static_cast<size_t>(count));
    result = ScriptValue::string(std::move(text));
}

void builtinMid(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int64_t start = startPosition(arguments);
    int32_t count = integerArgument(arguments, 2);
    std::string part;
    if (start < static_cast<int64_t>(text.size()))
        part = text.substr(static_cast<size_t>(start), count < 0 ? std::string::npos : static_cast<size_t>(count));
    result = ScriptValue::string(std::move(part));
}

void builtinMbLeft(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t count = integerArgument(arguments, 1);
    result = ScriptValue::string(count <= 0 ? std::string() : text.substr(0, characterOffset(text, count)));
}

void builtinMbRight(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t count = integerArgument(arguments, 1);
    int64_t characters = countCharacters(text);
    std::string part;
    if (count > 0) part = count < characters ? text.substr(characterOffset(text, characters - count)) : text;
    result = ScriptValue::string(std::move(part));
}

// Unlike MID, a negative count gives nothing.
void builtinMbMid(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int64_t start = startPosition(arguments);
    int32_t count = integerArgument(arguments, 2);
    std::string part;
    if (count >= 0 && start < countCharacters(text)) {
        size_t from = characterOffset(text, start);
        part = text.substr(from, characterOffset(std::string_view(text).substr(from), count));
    }
    result = ScriptValue::string(std::move(part));
}

// ---- case, padding and trimming ----

void builtinStrUpr(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::string(upperAscii(stringArgument(arguments, 0)));
}

void builtinStrLwr(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::string(lowerAscii(stringArgument(arguments, 0)));
}

void builtinPadLeft(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    Padding pad = padding(arguments, text);
    std::string padded;
    appendText(padded, pad.count, pad.byte);
    appendText(padded, text);
    result = ScriptValue::string(std::move(padded));
}

void builtinPadRight(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    Padding pad = padding(arguments, text);
    appendText(text, pad.count, pad.byte);
    result = ScriptValue::string(std::move(text));
}

// A text made only of set bytes comes back whole, not emptied.
void builtinTrimLeft(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    size_t first = text.find_first_not_of(trimSet(arguments));
    result = ScriptValue::string(first == std::string::npos ? text : text.substr(first));
}

void builtinTrimRight(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    size_t last = text.find_last_not_of(trimSet(arguments));
    result = ScriptValue::string(last == std::string::npos ? text : text.substr(0, last + 1));
}

// ---- conversions ----

void builtinToInt(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(integerArgument(arguments, 0));
}

void builtinToStr(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::string(stringArgument(arguments, 0));
}

void builtinToStr2(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    auto bits = static_cast<uint32_t>(integerArgument(arguments, 0));
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (bits & 1)));
        bits >>= 1;
    } while (bits != 0);
    result = ScriptValue::string(std::move(digits));
}

void builtinToStr16(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    static const char hexDigits[] = "0123456789ABCDEF";
    auto byte = static_cast<uint32_t>(integerArgument(arguments, 0)) & 0xFF;
    std::string digits;
    if (byte >= 16) digits.push_back(hexDigits[byte >> 4]);
    digits.push_back(hexDigits[byte & 15]);
    result = ScriptValue::string(std::move(digits));
}

// A zero byte would end the text for every C-string reader, so it gives the empty string.
void builtinAsciiCode(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    auto byte = static_cast<char>(static_cast<uint32_t>(integerArgument(arguments, 0)) & 0xFF);
    result = ScriptValue::string(byte == 0 ? std::string() : std::string(1, byte));
}

// ---- replacement and clean-up ----

namespace {
// Where a piece to replace starts and how long it is (0: the text is inserted there).
using Piece = std::pair<size_t, size_t>;
constexpr Piece noPiece{std::string_view::npos, 0};

// text with every piece that next(from) finds at or after from replaced by with.
template <typename Next>
std::string replacePieces(std::string_view text, std::string_view with, Next&& next) {
    return writeWithinLimit([&](auto&& put) {
        size_t from = 0;
        for (Piece piece = next(from); piece != noPiece; piece = next(from)) {
            put(text.substr(from, piece.first - from));
            put(with);
            from = piece.first + piece.second;
        }
        put(text.substr(from));
    });
}
}  // namespace

// The search goes on behind each inserted text, so a replacement is never matched again. An
// empty search text would be found at the same place forever: it matches nothing instead.
void builtinReplace(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0), find = stringArgument(arguments, 1);
    std::string with = arguments.size() > 2 ? stringArgument(arguments, 2) : std::string();
    if (find.empty()) return void(result = ScriptValue::string(std::move(text)));
    result = ScriptValue::string(replacePieces(text, with, [&](size_t from) {
        size_t at = text.find(find, from);
        return at == std::string::npos ? noPiece : Piece{at, find.size()};
    }));
}

// CR LF, a lone CR and a lone LF are one line break each.
void builtinLcLite(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0), newline = stringArgument(arguments, 1);
    result = ScriptValue::string(replacePieces(text, newline, [&](size_t from) {
        size_t at = text.find_first_of("\r\n", from);
        if (at == std::string::npos) return noPiece;
        return Piece{at, text.compare(at, 2, "\r\n") == 0 ? 2 : 1};
    }));
}

// TAB, LF and CR are layout, not clutter: they stay.
void builtinDelCtrlC(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0), with = stringArgument(arguments, 1);
    result = ScriptValue::string(replacePieces(text, with, [&](size_t from) {
        for (size_t at = from; at < text.size(); ++at) {
            char byte = text[at];
            bool layout = byte == '\t' || byte == '\n' || byte == '\r';
            if ((static_cast<unsigned char>(byte) < 0x20 && !layout) || byte == 0x7F) return Piece{at, 1};
        }
        return noPiece;
    }));
}

// Inserts after every n-th character only where more text follows, so nothing trails the end.
void builtinInsCrLf(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string text = stringArgument(arguments, 0);
    int32_t every = integerArgument(arguments, 1);
    std::string insert = stringArgument(arguments, 2);
    if (every <= 0) return void(result = ScriptValue::string(std::move(text)));
    result = ScriptValue::string(replacePieces(text, insert, [&](size_t from) {
        size_t at = from;
        for (int32_t count = 0; count < every && at < text.size(); ++count) at += characterLength(text, at);
        return at < text.size() ? Piece{at, 0} : noPiece;
    }));
}

}  // namespace wavelith::script
