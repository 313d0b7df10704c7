// A matcher for the patterns most scripts write: a row of one-byte atoms (a byte, a class, a
// bracket set), each with an optional greedy count, over ASCII text. It takes only patterns whose
// backtracking never has to give a byte back to find a match, so one forward pass finds what the
// library's Perl-mode matcher finds, in time linear in the text; every other pattern stays with
// the library.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace wavelith::script {

using ByteSet = std::array<bool, 256>;
// The bytes a one-byte class ("[a-z]", "\\d", ".") matches, as the library reads it; nothing
// when the library cannot use it.
using ClassBytes = std::optional<ByteSet> (*)(std::string_view atom);

// The library's own reading, on the byte engine (regex.cpp); kept per class.
std::optional<ByteSet> libraryClassBytes(std::string_view atom);

struct SimpleMatch {
    size_t position = 0, length = 0;
};

// How much the library would do before giving up, from its own rules: the caller hands a call
// over to it at half of either, so that a scan finishing here means the library would finish too.
struct WorkLimits {
    // Bytes read and states entered in one built-in call.
    size_t steps;
    // States entered by one search that starts `remaining` bytes before the end of the text.
    size_t (*searchStates)(size_t remaining);
};

// Thrown by a scan that went beyond its limits.
struct TooMuchWork {};

class SimplePattern {
public:
    static constexpr uint32_t Unbounded = UINT32_MAX;
    struct Atom {
        ByteSet takes;
        uint32_t min, max;
    };

    // The pattern, or nothing when it is not simple: any syntax beyond the atoms and counts
    // above, a pattern that can match the empty string, or one where a variable count could
    // have to give back a byte.
    static std::optional<SimplePattern> parse(std::string_view pattern, ClassBytes classBytes);

    // Whether the whole text matches. Throws TooMuchWork.
    bool matchesWhole(std::string_view text, const WorkLimits& limits) const;

private:
    friend class SimpleSearch;
    explicit SimplePattern(std::vector<Atom> atoms);

    std::vector<Atom> atoms_;
    // The bytes a match can start with.
    ByteSet first_{};
    // The one byte a match starts with, or -1.
    int firstByte_ = -1;
};

// The successive non-overlapping matches, leftmost first, as the library's iterator gives them.
class SimpleSearch {
public:
    SimpleSearch(const SimplePattern& pattern, std::string_view text, const WorkLimits& limits)
        : pattern_(pattern), text_(text), limits_(limits) {}
    // The next match; false at the end. Throws TooMuchWork.
    bool next(SimpleMatch& match);

private:
    const SimplePattern& pattern_;
    std::string_view text_;
    WorkLimits limits_;
    size_t from_ = 0, steps_ = 0;
};

}  // namespace wavelith::script
