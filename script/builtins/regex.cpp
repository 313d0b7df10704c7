// The regular-expression built-ins over Boost.Regex. Text, pattern and replacement reach the
// library as UTF-16; positions come back as byte offsets into the script's own UTF-8 text. When
// all of them are ASCII, where both forms hold the same units, they go as they are to the
// library's byte engine, which matches sets by table instead of by comparing ranges.
// Whatever the library throws (a bad pattern, its complexity limit, memory) ends in the
// built-in's failure value, never in the run's error handler; a match that grows too complex
// also tells the host why. Only a result beyond the engine's value limits ends the run (106).
// The patterns most scripts write (a row of bytes and sets with greedy counts) are matched by a
// simple matcher of our own on ASCII text, which gives the library's answers far faster.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Must come before <boost/regex.hpp> to make the Win32 traits available.
#include <boost/regex/v5/w32_regex_traits.hpp>
#endif
#include <boost/regex.hpp>

#include "script/builtins/simple_pattern.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

#include <algorithm>
#include <iterator>
#include <locale>
#include <map>
#include <mutex>
#include <optional>
#include <type_traits>

namespace wavelith::script {

namespace {
#ifdef _WIN32
template <typename Char>
using Traits = boost::regex_traits<Char, boost::w32_regex_traits<Char>>;
#else
template <typename Char>
using Traits = boost::regex_traits<Char>;
#endif
template <typename Char>
using Regex = boost::basic_regex<Char, Traits<Char>>;
namespace flags = boost::regex_constants;

// Every character the matcher reads costs a step. The library bounds the states it visits in one
// match, but neither the characters a back-reference or a repeat compares nor the matches of a
// whole search, so (?=(a*))\1b over a long text would keep one call busy for minutes, out of
// reach of the host's stop. A call that runs out of steps fails as the library's own
// complexity limit does. The budget grows with the text, so that every search that is linear in
// its text (a few dozen reads a character) still completes.
class StepBudget {
public:
    static constexpr size_t BaseSteps = 50'000'000, StepsPerUnit = 200;
    explicit StepBudget(size_t units) : left_(BaseSteps + StepsPerUnit * units) {}
    void spend() {
        if (left_-- == 0) throw boost::regex_error(flags::error_complexity);
    }

private:
    size_t left_;
};

// A pointer into the text that spends a step at every read.
template <typename Char>
class CountedIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Char;
    using difference_type = std::ptrdiff_t;
    using pointer = const Char*;
    using reference = const Char&;

    CountedIterator() = default;
    CountedIterator(const Char* at, StepBudget& budget) : at_(at), budget_(&budget) {}

    reference operator*() const {
        budget_->spend();
        return *at_;
    }
    reference operator[](difference_type offset) const { return *(*this + offset); }
    CountedIterator& operator++() { return ++at_, *this; }
    CountedIterator& operator--() { return --at_, *this; }
    CountedIterator operator++(int) { return {at_++, *budget_}; }
    CountedIterator operator--(int) { return {at_--, *budget_}; }
    CountedIterator& operator+=(difference_type offset) { return at_ += offset, *this; }
    CountedIterator& operator-=(difference_type offset) { return at_ -= offset, *this; }
    friend CountedIterator operator+(CountedIterator it, difference_type offset) { return it += offset; }
    friend CountedIterator operator+(difference_type offset, CountedIterator it) { return it += offset; }
    friend CountedIterator operator-(CountedIterator it, difference_type offset) { return it -= offset; }
    friend difference_type operator-(const CountedIterator& a, const CountedIterator& b) { return a.at_ - b.at_; }
    friend bool operator==(const CountedIterator& a, const CountedIterator& b) { return a.at_ == b.at_; }
    friend bool operator!=(const CountedIterator& a, const CountedIterator& b) { return a.at_ != b.at_; }
    friend bool operator<(const CountedIterator& a, const CountedIterator& b) { return a.at_ < b.at_; }
    friend bool operator>(const CountedIterator& a, const CountedIterator& b) { return a.at_ > b.at_; }
    friend bool operator<=(const CountedIterator& a, const CountedIterator& b) { return a.at_ <= b.at_; }
    friend bool operator>=(const CountedIterator& a, const CountedIterator& b) { return a.at_ >= b.at_; }

private:
    const Char* at_ = nullptr;
    StepBudget* budget_ = nullptr;
};
template <typename Char>
using Iterator = boost::regex_iterator<CountedIterator<Char>, Char, Traits<Char>>;

// UTF-16 units held in wchar_t whatever its width, so both builds see the same units: a
// character beyond the BMP is two of them, as on Windows. ASCII text goes to the byte engine as
// it is.
template <typename Char>
std::basic_string<Char> toLibrary(std::string_view utf8) {
    if constexpr (std::is_same_v<Char, char>) {
        return std::string(utf8);
    } else {
        std::u16string units = utf8ToUtf16(utf8);
        return std::wstring(units.begin(), units.end());
    }
}

// The text as the matcher sees it, with the budget of one built-in call. ASCII text is read where
// it is, which must outlive this.
template <typename Char>
struct CountedText {
    explicit CountedText(std::string_view utf8) {
        if constexpr (std::is_same_v<Char, char>) {
            text = utf8;
        } else {
            converted = toLibrary<Char>(utf8);
            text = converted;
        }
        budget = StepBudget(text.size());
    }
    CountedIterator<Char> begin() { return {text.data(), budget}; }
    CountedIterator<Char> end() { return {text.data() + text.size(), budget}; }
    std::basic_string<Char> converted;
    std::basic_string_view<Char> text;
    StepBudget budget{0};
};

bool isAscii(std::string_view text) {
    // Whole blocks at a time: the test runs over every text before each search.
    constexpr size_t Block = 256;
    size_t at = 0;
    for (; at + Block <= text.size(); at += Block) {
        unsigned char high = 0;
        for (size_t i = at; i < at + Block; ++i) high |= static_cast<unsigned char>(text[i]);
        if (high & 0x80) return false;
    }
    for (; at < text.size(); ++at)
        if (static_cast<unsigned char>(text[at]) & 0x80) return false;
    return true;
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

template <typename Char>
Regex<Char> compile(const std::string& pattern, bool ignoreCase) {
    Regex<Char> regex;
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
    regex.assign(toLibrary<Char>(pattern), ignoreCase ? flags::icase : flags::normal);
    return regex;
}

}  // namespace

// The ASCII bytes a one-byte class matches, asked of the byte engine itself, so that the simple
// matcher reads \w, \s, '.' and every set exactly as the library does on this build. Kept per
// class: scripts ask for the same few again and again.
std::optional<ByteSet> libraryClassBytes(std::string_view atom) {
    static std::mutex lock;
    static std::map<std::string, std::optional<ByteSet>, std::less<>> known;
    std::lock_guard<std::mutex> hold(lock);
    auto found = known.find(atom);
    if (found != known.end()) return found->second;
    std::optional<ByteSet> bytes;
    try {
        Regex<char> regex = compile<char>(std::string(atom), false);
        bytes.emplace();
        bytes->fill(false);
        for (int byte = 0; byte < 0x80; ++byte) {
            char unit = static_cast<char>(byte);
            (*bytes)[static_cast<size_t>(byte)] = boost::regex_match(&unit, &unit + 1, regex);
        }
    } catch (const boost::regex_error&) {
        bytes.reset();
    }
    if (known.size() == 256) known.clear();
    return known.emplace(std::string(atom), bytes).first->second;
}

namespace {

// Half the states the library allows one search, by its own rule: the square of the text left
// to search, at least 100000 and at most its cap. Half the steps of the budget for the call.
size_t librarySearchStates(size_t remaining) {
    constexpr size_t Cap = BOOST_REGEX_MAX_STATE_COUNT;
    size_t states = remaining >= 10'000 ? Cap : std::min<size_t>(remaining * remaining + 100'000, Cap);
    return states / 2;
}

WorkLimits workLimits(size_t textBytes) {
    return {(StepBudget::BaseSteps + StepBudget::StepsPerUnit * textBytes) / 2, librarySearchStates};
}

// Runs fast with the simple matcher when it can take the call: no case folding, no G (under
// which the library may settle for another match) and a simple pattern. False when it cannot or
// gave up, and the library has to make the call.
template <typename Fast>
bool simplyMatched(const std::string& pattern, const Options& options, Fast&& fast) {
    if (options.ignoreCase || (options.match & flags::match_any)) return false;
    std::optional<SimplePattern> simple = SimplePattern::parse(pattern, libraryClassBytes);
    if (!simple) return false;
    try {
        fast(*simple);
        return true;
    } catch (const TooMuchWork&) {
        return false;
    }
}

enum class Simple { Allowed, Refused };

// Runs the call with the simple matcher where the byte engine could take it (every text and the
// pattern ASCII), the built-in allows it and the matcher can (see simplyMatched); else body with
// the byte engine when the pattern compiles there, else with the UTF-16 one. The library's
// pattern is compiled only when it is used. Equivalence classes and collating elements ([=a=], [.a.]) follow the locale's collation,
// which differs between the two: they always take the UTF-16 engine.
template <typename Fast, typename Body>
void withEngine(std::initializer_list<std::string_view> texts, const std::string& pattern, const Options& options,
                Simple simple, Fast&& fast, Body&& body) {
    bool bytes = std::all_of(texts.begin(), texts.end(), isAscii) && isAscii(pattern) &&
                 pattern.find("[=") == std::string::npos && pattern.find("[.") == std::string::npos;
    if (bytes) {
        if (simple == Simple::Allowed && simplyMatched(pattern, options, fast)) return;
        std::optional<Regex<char>> regex;
        try {
            regex = compile<char>(pattern, options.ignoreCase);
        } catch (const boost::regex_error&) {
            // A pattern the byte engine refuses (\x{100}) gets its verdict from the other one.
        }
        if (regex) return body(*regex);
    }
    body(compile<wchar_t>(pattern, options.ignoreCase));
}

// ASCII text: every unit is one byte.
struct SameOffsets {
    size_t at(size_t index) const { return index; }
};

// Hands a replacement to put (see writeWithinLimit) as UTF-8, a few thousand units at a time;
// a surrogate pair is never cut in two.
template <typename Char, typename Put>
class Utf8Output {
public:
    using iterator_category = std::output_iterator_tag;
    using value_type = void;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = void;
    using Pending = std::conditional_t<std::is_same_v<Char, char>, std::string, std::u16string>;

    // The library copies output iterators: the units not yet handed on live in pending.
    Utf8Output(Pending& pending, Put& put) : pending_(&pending), put_(&put) {}
    Utf8Output& operator=(Char unit) {
        pending_->push_back(static_cast<typename Pending::value_type>(unit));
        if (pending_->size() >= 4096 && !(unit >= 0xD800 && unit <= 0xDBFF)) flush();
        return *this;
    }
    Utf8Output& operator*() { return *this; }
    Utf8Output& operator++() { return *this; }
    Utf8Output& operator++(int) { return *this; }
    void flush() {
        if constexpr (std::is_same_v<Char, char>) {
            (*put_)(std::string_view(*pending_));
        } else {
            (*put_)(utf16ToUtf8(*pending_));
        }
        pending_->clear();
    }

private:
    Pending* pending_;
    Put* put_;
};

// What every regular-expression built-in does with a failure: a result beyond the value limits
// ends the run; anything else gives the failure value, and a match that grew too complex also
// says so, since nothing else would tell the script's author why the call failed.
template <typename Body>
void guarded(Interpreter& interpreter, ScriptValue& result, ScriptValue failure, Body&& body) {
    try {
        body();
    } catch (const ValueTooLarge&) {
        throw;
    } catch (const boost::regex_error& error) {
        result = std::move(failure);
        if (error.code() == flags::error_complexity || error.code() == flags::error_stack)
            interpreter.report(Message::RegexTooComplex, interpreter.callLine(),
                               {interpreter.callLine(), std::string_view(interpreter.callName())});
    } catch (...) {
        result = std::move(failure);
    }
}
}  // namespace

// REGEX_MATCH(text, pattern[, options]): 1 when the whole text matches, 0 when not, -1 on failure.
void builtinRegexMatch(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    guarded(interpreter, result, ScriptValue::integer(-1), [&] {
        Options options = arguments.size() > 2 ? readOptions(arguments[2]) : Options{};
        ValueText subjectText(arguments[0]);
        std::string_view subject = subjectText.view();
        std::string pattern = arguments[1].toString();
        auto fast = [&](const SimplePattern& simple) {
            result = ScriptValue::integer(simple.matchesWhole(subject, workLimits(subject.size())) ? 1 : 0);
        };
        withEngine({subject}, pattern, options, Simple::Allowed, fast, [&](const auto& regex) {
            using Char = typename std::decay_t<decltype(regex)>::value_type;
            CountedText<Char> text(subject);
            result = ScriptValue::integer(boost::regex_match(text.begin(), text.end(), regex, options.match) ? 1 : 0);
        });
    });
}

// REGEX_REPLACE(text, pattern, replacement[, options]): every match replaced, Perl-style format;
// the empty string on failure.
void builtinRegexReplace(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    guarded(interpreter, result, ScriptValue::string({}), [&] {
        Options options = arguments.size() > 3 ? readOptions(arguments[3]) : Options{};
        std::string replacement = arguments[2].toString();
        ValueText subjectText(arguments[0]);
        std::string_view subject = subjectText.view();
        std::string pattern = arguments[1].toString();
        // Only $ and \ have a meaning in the library's default format: a replacement without them
        // is put in as it stands, and the simple matcher can make the call.
        bool literal = replacement.find_first_of("$\\") == std::string::npos;
        auto fast = [&](const SimplePattern& simple) {
            result = ScriptValue::string(writeWithinLimit([&](auto&& put) {
                SimpleSearch search(simple, subject, workLimits(subject.size()));
                size_t copied = 0;
                for (SimpleMatch match; search.next(match); copied = match.position + match.length) {
                    put(subject.substr(copied, match.position - copied));
                    put(replacement);
                }
                put(subject.substr(copied));
            }));
        };
        Simple simple = literal ? Simple::Allowed : Simple::Refused;
        withEngine({subject, replacement}, pattern, options, simple, fast, [&](const auto& regex) {
            using Char = typename std::decay_t<decltype(regex)>::value_type;
            CountedText<Char> text(subject);
            std::basic_string<Char> format = toLibrary<Char>(replacement);
            // Replaced once to measure and once to keep: a result beyond the limit is never built.
            result = ScriptValue::string(writeWithinLimit([&](auto&& put) {
                text.budget = StepBudget(text.text.size());
                using Output = Utf8Output<Char, std::remove_reference_t<decltype(put)>>;
                typename Output::Pending pending;
                Output output(pending, put);
                boost::regex_replace(output, text.begin(), text.end(), regex, format,
                                     options.match | flags::format_default);
                output.flush();
            }));
        });
    });
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
    guarded(interpreter, result, ScriptValue::integer(-1), [&] {
        Options options = withOptions ? readOptions(arguments[2]) : Options{};
        ValueText subjectText(arguments[0]);
        std::string_view utf8 = subjectText.view();
        std::string pattern = arguments[1].toString();
        // Element 0 of both arrays and their names, once the first search is done: one that
        // fails touches nothing.
        ScriptValue *positions = nullptr, *lengths = nullptr;
        auto start = [&] {
            if (!withArrays) return;
            VariableTable& variables = interpreter.variables();
            writeElement(variables.getOrCreate(positionsName), positionsName, 0, ScriptValue{});
            writeElement(variables.getOrCreate(lengthsName), lengthsName, 0, ScriptValue{});
            // Both stay valid, names included: nothing below adds or removes a variable.
            positions = variables.find(positionsName);
            lengths = variables.find(lengthsName);
        };
        auto record = [&](size_t count, size_t first, size_t last) {
            if (!withArrays) return;
            VariableTable::storeElement(*positions, count, static_cast<int32_t>(first));
            VariableTable::storeElement(*lengths, count, static_cast<int32_t>(last - first));
        };
        // Giving up half-way leaves the elements the library then writes again, the same.
        auto fast = [&](const SimplePattern& simple) {
            SimpleSearch search(simple, utf8, workLimits(utf8.size()));
            SimpleMatch match;
            bool found = search.next(match);
            start();
            size_t count = 0;
            for (; found; found = search.next(match), ++count) record(count, match.position, match.position + match.length);
            result = ScriptValue::integer(static_cast<int32_t>(count));
        };
        withEngine({utf8}, pattern, options, Simple::Allowed, fast, [&](const auto& regex) {
            using Char = typename std::decay_t<decltype(regex)>::value_type;
            CountedText<Char> text(utf8);
            Iterator<Char> match(text.begin(), text.end(), regex, options.match), end;
            auto offsets = [&] {
                if constexpr (std::is_same_v<Char, char>) {
                    return SameOffsets{};
                } else {
                    return ByteOffsets(utf8, text.converted);
                }
            }();
            start();
            size_t count = 0;
            for (; match != end; ++match, ++count) {
                if (!withArrays) continue;
                auto at = static_cast<size_t>(match->position());
                // In this order: offsets only move forward.
                size_t first = offsets.at(at);
                record(count, first, offsets.at(at + static_cast<size_t>(match->length())));
            }
            result = ScriptValue::integer(static_cast<int32_t>(count));
        });
    });
}

}  // namespace wavelith::script
