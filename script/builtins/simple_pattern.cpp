#include "script/builtins/simple_pattern.h"

#include <algorithm>
#include <cstring>

namespace wavelith::script {

namespace {
constexpr std::string_view Classes = "dwsDWS";
// Punctuation the library takes as itself after a backslash; \< \> \` \' are anchors there.
constexpr std::string_view EscapedLiterals = ".*+?()[]{}|\\^$/-,:;=!@#%&~\"";
// Outside a set these mean more than themselves.
constexpr std::string_view Special = ".[]{}()\\*+?|^$";
// Beyond these a pattern is left to the library: nobody writes them, and the estimates of the
// library's work below stay small.
constexpr size_t MaxAtoms = 64;
constexpr uint32_t MaxCount = 1000;

bool printable(char c) { return c >= 0x20 && c <= 0x7E; }
bool contains(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

ByteSet only(char c) {
    ByteSet bytes{};
    bytes[static_cast<unsigned char>(c)] = true;
    return bytes;
}

bool overlap(const ByteSet& a, const ByteSet& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] && b[i]) return true;
    return false;
}

// The length of the bracket set that starts at pattern[at], or 0 when it holds more than bytes,
// ranges, classes and escaped punctuation. What it means is the library's business (classBytes);
// this only has to find where it ends, so a leading ']', a '[' (POSIX classes) and other
// escapes, which the library reads in ways of its own, are refused.
size_t setLength(std::string_view pattern, size_t at) {
    size_t i = at + 1;
    if (i < pattern.size() && pattern[i] == '^') ++i;
    if (i < pattern.size() && pattern[i] == ']') return 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == ']') return i + 1 - at;
        if (c == '[' || !printable(c)) return 0;
        if (c == '\\') {
            if (i + 1 == pattern.size()) return 0;
            char escaped = pattern[i + 1];
            if (!contains(Classes, escaped) && !contains(EscapedLiterals, escaped)) return 0;
            i += 2;
        } else {
            ++i;
        }
    }
    return 0;
}

bool readNumber(std::string_view pattern, size_t& at, uint32_t& number) {
    size_t start = at;
    number = 0;
    while (at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9' && at - start < 5)
        number = number * 10 + static_cast<uint32_t>(pattern[at++] - '0');
    return at > start && number <= MaxCount;
}

// The count after an atom, if any: *, +, ?, {n}, {n,}, {n,m}. False for a lazy or possessive
// count, a count of a count, or braces the library might read otherwise.
bool readCount(std::string_view pattern, size_t& at, uint32_t& min, uint32_t& max) {
    min = max = 1;
    if (at == pattern.size()) return true;
    switch (pattern[at]) {
    case '*': min = 0, max = SimplePattern::Unbounded, ++at; break;
    case '+': max = SimplePattern::Unbounded, ++at; break;
    case '?': min = 0, ++at; break;
    case '{':
        ++at;
        if (!readNumber(pattern, at, min)) return false;
        max = min;
        if (at < pattern.size() && pattern[at] == ',') {
            ++at;
            max = SimplePattern::Unbounded;
            if (at < pattern.size() && pattern[at] != '}' && !readNumber(pattern, at, max)) return false;
        }
        if (at == pattern.size() || pattern[at] != '}' || max < min || max == 0) return false;
        ++at;
        break;
    default: return true;
    }
    return at == pattern.size() || !contains("*+?{", pattern[at]);
}

// One try at one start: each atom takes what it can, up to its count.
struct Attempt {
    bool matched = false;
    size_t end = 0;
    // Where the next try may start after a failure.
    size_t resume = 0;
    // Atoms tried, bytes they took, bytes they could have given back, bytes read.
    size_t atoms = 0, taken = 0, spare = 0, reads = 0;
};

// What the library spends on the same try, at most. Its counted repeats spend a state per byte;
// on a failure it gives back the bytes one at a time, and where the rest of the pattern could
// start after a byte given back it tries that rest again (atoms + 2 states, twice with lazy
// repeats). Whole-text matching makes every repeat lazy and so tries the rest after each byte
// even when it succeeds.
size_t searchStates(const Attempt& attempt, size_t atoms) {
    size_t states = 2 + attempt.atoms + 2 * attempt.taken;
    if (!attempt.matched) states += attempt.spare * (2 * atoms + 4);
    return states;
}
size_t wholeStates(const Attempt& attempt, size_t atoms) {
    return 2 + attempt.atoms + 2 * attempt.taken + (attempt.spare + atoms) * (2 * atoms + 4);
}
}  // namespace

SimplePattern::SimplePattern(std::vector<Atom> atoms) : atoms_(std::move(atoms)) {
    for (const Atom& atom : atoms_) {
        for (size_t byte = 0; byte < first_.size(); ++byte) first_[byte] = first_[byte] || atom.takes[byte];
        if (atom.min > 0) break;
    }
    if (std::count(first_.begin(), first_.end(), true) == 1)
        firstByte_ = static_cast<int>(std::find(first_.begin(), first_.end(), true) - first_.begin());
}

std::optional<SimplePattern> SimplePattern::parse(std::string_view pattern, ClassBytes classBytes) {
    std::vector<Atom> atoms;
    for (size_t at = 0; at < pattern.size();) {
        char c = pattern[at];
        size_t length = 1;
        std::optional<ByteSet> bytes;
        if (c == '[') {
            length = setLength(pattern, at);
            if (length == 0) return std::nullopt;
            bytes = classBytes(pattern.substr(at, length));
        } else if (c == '.') {
            bytes = classBytes(".");
        } else if (c == '\\') {
            if (at + 1 == pattern.size()) return std::nullopt;
            char escaped = pattern[at + 1];
            length = 2;
            if (contains(Classes, escaped)) bytes = classBytes(pattern.substr(at, 2));
            else if (contains(EscapedLiterals, escaped)) bytes = only(escaped);
        } else if (printable(c) && !contains(Special, c)) {
            bytes = only(c);
        }
        if (!bytes || atoms.size() == MaxAtoms) return std::nullopt;
        at += length;
        Atom atom{*bytes, 1, 1};
        if (!readCount(pattern, at, atom.min, atom.max)) return std::nullopt;
        atoms.push_back(atom);
    }
    // The iterator's rules for empty matches are the library's own.
    if (std::none_of(atoms.begin(), atoms.end(), [](const Atom& atom) { return atom.min > 0; })) return std::nullopt;
    // A variable count keeps all it can take when no atom it could give a byte to comes before
    // the next one that must take a byte (or the end): what follows can then never start on a
    // byte it took, so giving bytes back never helps.
    for (size_t i = 0; i < atoms.size(); ++i) {
        if (atoms[i].min == atoms[i].max) continue;
        for (size_t j = i + 1; j < atoms.size(); ++j) {
            if (overlap(atoms[i].takes, atoms[j].takes)) return std::nullopt;
            if (atoms[j].min > 0) break;
        }
    }
    return SimplePattern(std::move(atoms));
}

namespace {
Attempt attemptAt(const std::vector<SimplePattern::Atom>& atoms, std::string_view text, size_t start) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t end = text.size(), at = start;
    Attempt attempt;
    attempt.resume = start + 1;
    for (const SimplePattern::Atom& atom : atoms) {
        ++attempt.atoms;
        size_t room = std::min<size_t>(atom.max, end - at), taken = 0;
        while (taken < room && atom.takes[bytes[at + taken]]) ++taken;
        at += taken;
        attempt.taken += taken;
        attempt.reads += taken + 1;
        // Every later start within an unbounded leading run reaches the same byte after it.
        if (attempt.atoms == 1 && atom.max == SimplePattern::Unbounded) attempt.resume = at + 1;
        if (taken < atom.min) return attempt;
        attempt.spare += taken - atom.min;
    }
    attempt.matched = true;
    attempt.end = at;
    return attempt;
}
}  // namespace

bool SimplePattern::matchesWhole(std::string_view text, const WorkLimits& limits) const {
    Attempt attempt = attemptAt(atoms_, text, 0);
    size_t states = wholeStates(attempt, atoms_.size());
    if (states > limits.searchStates(text.size()) || attempt.reads + states > limits.steps) throw TooMuchWork{};
    return attempt.matched && attempt.end == text.size();
}

bool SimpleSearch::next(SimpleMatch& match) {
    const std::vector<SimplePattern::Atom>& atoms = pattern_.atoms_;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
    size_t end = text_.size(), at = from_, states = 0;
    size_t stateLimit = limits_.searchStates(end - from_);
    while (at < end) {
        // The library skips bytes no match starts with for a read each, and no state.
        size_t candidate = end;
        if (pattern_.firstByte_ >= 0) {
            if (const void* found = std::memchr(bytes + at, pattern_.firstByte_, end - at))
                candidate = static_cast<size_t>(static_cast<const unsigned char*>(found) - bytes);
        } else {
            candidate = at;
            while (candidate < end && !pattern_.first_[bytes[candidate]]) ++candidate;
        }
        steps_ += candidate - at;
        if (candidate == end) break;
        Attempt attempt = attemptAt(atoms, text_, candidate);
        size_t spent = searchStates(attempt, atoms.size());
        states += spent;
        steps_ += attempt.reads + spent;
        if (states > stateLimit || steps_ > limits_.steps) throw TooMuchWork{};
        if (attempt.matched) {
            match = {candidate, attempt.end - candidate};
            from_ = attempt.end;
            return true;
        }
        at = attempt.resume;
    }
    from_ = end;
    return false;
}

}  // namespace wavelith::script
