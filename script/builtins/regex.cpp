// The regular-expression built-ins over Boost.Regex. Text, pattern and replacement reach the
// library as UTF-16; positions come back as byte offsets into the script's own UTF-8 text.
// Whatever the library throws (a bad pattern, its complexity limit, memory) ends in the
// built-in's failure value, never in the run's error handler.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Must come before <boost/regex.hpp> to make the Win32 traits available.
#include <boost/regex/v5/w32_regex_traits.hpp>
#endif
#include <boost/regex.hpp>

#include "platform/text.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

#include <iterator>
#include <locale>
#include <new>

namespace wavelith::script {

namespace {
#ifdef _WIN32
using Traits = boost::regex_traits<wchar_t, boost::w32_regex_traits<wchar_t>>;
#else
using Traits = boost::regex_traits<wchar_t>;
#endif
using Regex = boost::basic_regex<wchar_t, Traits>;
using Iterator = boost::regex_iterator<std::wstring::const_iterator, wchar_t, Traits>;
namespace flags = boost::regex_constants;

// UTF-16 units held in wchar_t whatever its width, so both builds see the same units: a
// character beyond the BMP is two of them, as on Windows.
std::wstring toLibrary(std::string_view utf8) {
    std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string fromLibrary(const std::wstring& wide) {
    std::u16string units;
    units.reserve(wide.size());
    for (wchar_t unit : wide) units.push_back(static_cast<char16_t>(unit));
    return utf16ToUtf8(units);
}

// Walks the converted text alongside its UTF-8 source, turning unit indices into byte offsets.
// The indices asked for never decrease: a search's matches come in order. A byte that is no
// UTF-8 became one U+FFFD and counts as the one byte it is, so positions still fit the byte
// functions on such text. No byte boundary lies inside a surrogate pair: the character's four
// bytes count at its first half.
class ByteOffsets {
public:
    ByteOffsets(std::string_view utf8, const std::wstring& wide) : utf8_(utf8), wide_(wide) {}

    size_t at(size_t index) {
        for (; unit_ < index; ++unit_) {
            auto unit = static_cast<uint32_t>(wide_[unit_]);
            if (unit >= 0xD800 && unit <= 0xDBFF) byte_ += 4;
            else if (unit >= 0xDC00 && unit <= 0xDFFF) continue;
            else if (unit == 0xFFFD) byte_ += utf8_.compare(byte_, 3, "\xEF\xBF\xBD") == 0 ? 3 : 1;
            else byte_ += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        }
        return byte_;
    }

private:
    std::string_view utf8_;
    const std::wstring& wide_;
    size_t unit_ = 0, byte_ = 0;
};

struct Options {
    bool ignoreCase = false;
    flags::match_flag_type match = flags::match_default;
};

// I, S and G, in either case, anywhere in the text; anything else is ignored.
Options readOptions(const ScriptValue& argument) {
    Options options;
    for (char letter : upperAscii(argument.toString())) {
        if (letter == 'I') options.ignoreCase = true;
        if (letter == 'S') options.match |= flags::match_not_eol;
        if (letter == 'G') options.match |= flags::match_any;
    }
    return options;
}

Regex compile(const std::string& pattern, bool ignoreCase) {
    Regex regex;
#ifndef _WIN32
    // The classic locale folds only ASCII letters; a UTF-8 one folds like the Win32 traits.
    static const std::locale folding = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    regex.imbue(folding);
#endif
    regex.assign(toLibrary(pattern), ignoreCase ? flags::icase : flags::normal);
    return regex;
}

// Collects a replacement, no longer than any script text may be.
class BoundedOutput {
public:
    using iterator_category = std::output_iterator_tag;
    using value_type = void;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = void;

    explicit BoundedOutput(std::wstring& text) : text_(&text) {}
    BoundedOutput& operator=(wchar_t unit) {
        if (text_->size() >= MaxTextBytes) throw std::bad_alloc();
        text_->push_back(unit);
        return *this;
    }
    BoundedOutput& operator*() { return *this; }
    BoundedOutput& operator++() { return *this; }
    BoundedOutput& operator++(int) { return *this; }

private:
    std::wstring* text_;
};
}  // namespace

// REGEX_MATCH(text, pattern[, options]): 1 when the whole text matches, 0 when not, -1 on failure.
void builtinRegexMatch(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    try {
        Options options = arguments.size() > 2 ? readOptions(arguments[2]) : Options{};
        Regex regex = compile(arguments[1].toString(), options.ignoreCase);
        std::wstring text = toLibrary(arguments[0].toString());
        result = ScriptValue::integer(boost::regex_match(text, regex, options.match) ? 1 : 0);
    } catch (...) {
        result = ScriptValue::integer(-1);
    }
}

// REGEX_REPLACE(text, pattern, replacement[, options]): every match replaced, Perl-style format;
// the empty string on failure.
void builtinRegexReplace(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    try {
        Options options = arguments.size() > 3 ? readOptions(arguments[3]) : Options{};
        Regex regex = compile(arguments[1].toString(), options.ignoreCase);
        std::wstring text = toLibrary(arguments[0].toString()), format = toLibrary(arguments[2].toString());
        std::wstring replaced;
        boost::regex_replace(BoundedOutput(replaced), text.cbegin(), text.cend(), regex, format,
                             options.match | flags::format_default);
        result = ScriptValue::string(fromLibrary(replaced));
    } catch (...) {
        result = ScriptValue::string({});
    }
}

// REGEX_SEARCH(text, pattern[, options][, positions, lengths]): the number of matches, and with
// the two array names their byte positions and lengths; -1 on failure.
void builtinRegexSearch(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    bool withArrays = arguments.size() >= 4;
    bool withOptions = arguments.size() == 3 || arguments.size() == 5;
    std::string positionsName, lengthsName;
    if (withArrays) {
        positionsName = Interpreter::arrayName(arguments[arguments.size() - 2]);
        lengthsName = Interpreter::arrayName(arguments[arguments.size() - 1]);
        if (positionsName.empty() || lengthsName.empty()) {
            reportInvalidArrayName(interpreter, "Regex_Search");
            return void(result = ScriptValue::integer(-1));
        }
    }
    try {
        Options options = withOptions ? readOptions(arguments[2]) : Options{};
        Regex regex = compile(arguments[1].toString(), options.ignoreCase);
        std::string utf8 = arguments[0].toString();
        std::wstring text = toLibrary(utf8);
        Iterator match(text.cbegin(), text.cend(), regex, options.match), end;
        ByteOffsets offsets(utf8, text);
        ScriptValue *positions = nullptr, *lengths = nullptr;
        if (withArrays) {
            VariableTable& variables = interpreter.variables();
            writeElement(variables.getOrCreate(positionsName), positionsName, 0) = ScriptValue{};
            writeElement(variables.getOrCreate(lengthsName), lengthsName, 0) = ScriptValue{};
            // Both stay valid: nothing below adds or removes a variable.
            positions = variables.find(positionsName);
            lengths = variables.find(lengthsName);
        }
        size_t count = 0;
        for (; match != end; ++match, ++count) {
            if (!withArrays) continue;
            auto start = static_cast<size_t>(match->position());
            size_t first = offsets.at(start), last = offsets.at(start + static_cast<size_t>(match->length()));
            writeElement(*positions, positionsName, count) = ScriptValue::integer(static_cast<int32_t>(first));
            writeElement(*lengths, lengthsName, count) = ScriptValue::integer(static_cast<int32_t>(last - first));
        }
        result = ScriptValue::integer(static_cast<int32_t>(count));
    } catch (...) {
        result = ScriptValue::integer(-1);
    }
}

}  // namespace wavelith::script
