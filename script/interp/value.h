// ScriptValue: DO-Rozude's one value type, and the three conversions every part of the
// interpreter and every built-in shares.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith::script {

struct ScriptValue;

// The elements of an array value, with the value semantics of a vector (copies are deep). Most
// values are no array at all, so the list is allocated only once it holds something: an empty
// one costs a null pointer, and every evaluation result is cheap to make and drop.
class ElementList {
public:
    using Items = std::vector<ScriptValue>;

    ElementList() = default;
    ElementList(const ElementList& other);
    ElementList(ElementList&& other) noexcept = default;
    ElementList& operator=(const ElementList& other);
    ElementList& operator=(ElementList&& other) noexcept = default;
    ~ElementList();

    size_t size() const;
    bool empty() const { return size() == 0; }
    ScriptValue& operator[](size_t index);
    const ScriptValue& operator[](size_t index) const;
    void clear() { items_.reset(); }
    void resize(size_t count);
    void push_back(ScriptValue value);
    // The underlying vector, for algorithms (created when absent).
    Items& items();
    const Items& items() const;
    Items::iterator begin() { return items().begin(); }
    Items::iterator end() { return items().end(); }
    Items::const_iterator begin() const { return items().begin(); }
    Items::const_iterator end() const { return items().end(); }

private:
    std::unique_ptr<Items> items_;
};

struct ScriptValue {
    bool isString = false;
    // Set once a variable has been indexed or filled as an array; only variables carry it.
    bool isArray = false;
    int32_t intValue = 0;
    std::string text;
    ElementList elements;

    ScriptValue() = default;
    static ScriptValue integer(int32_t value) {
        ScriptValue result;
        result.intValue = value;
        return result;
    }
    static ScriptValue string(std::string value) {
        ScriptValue result;
        result.isString = true;
        result.text = std::move(value);
        return result;
    }
    // The empty string for a name ending in '$', else the integer 0: what unassigned names read as.
    static ScriptValue defaultFor(std::string_view name) {
        return !name.empty() && name.back() == '$' ? string({}) : ScriptValue{};
    }

    // Strings and arrays give their text; integers their decimal form.
    std::string toString() const;
    // Strings are read as strtol reads base 10, saturating at the 32-bit range.
    int32_t toInt() const;
    // The test of IF, loops and ?: (not of &&, || and !, which use toInt).
    bool truth() const { return isString ? !text.empty() : intValue != 0; }
};

inline ElementList::~ElementList() = default;
inline ElementList::ElementList(const ElementList& other)
    : items_(other.items_ && !other.items_->empty() ? std::make_unique<Items>(*other.items_) : nullptr) {}
inline ElementList& ElementList::operator=(const ElementList& other) {
    if (this != &other) items_ = other.items_ && !other.items_->empty() ? std::make_unique<Items>(*other.items_) : nullptr;
    return *this;
}
inline size_t ElementList::size() const { return items_ ? items_->size() : 0; }
inline ScriptValue& ElementList::operator[](size_t index) { return (*items_)[index]; }
inline const ScriptValue& ElementList::operator[](size_t index) const { return (*items_)[index]; }
inline void ElementList::resize(size_t count) { items().resize(count); }
inline void ElementList::push_back(ScriptValue value) { items().push_back(std::move(value)); }
inline ElementList::Items& ElementList::items() {
    if (!items_) items_ = std::make_unique<Items>();
    return *items_;
}
inline const ElementList::Items& ElementList::items() const {
    static const Items none;
    return items_ ? *items_ : none;
}

// Beyond these an element list or a text counts as one that cannot be allocated: the run ends
// with the out-of-memory message instead of the machine paging itself to a halt. No keep-awake
// script needs four million elements or a quarter of a gigabyte of text.
constexpr size_t MaxElements = size_t{1} << 22;
constexpr size_t MaxTextBytes = size_t{1} << 28;

// strtol in base 10, saturated to 32 bits whatever the width of long.
int32_t readInteger(std::string_view text);
// strtol over text that is all digits of the base (the lexer's literals): saturates at 2^31-1.
int32_t readUnsignedLiteral(std::string_view digits, int base);

// Wrapping 32-bit arithmetic: DO-Rozude integers overflow silently.
inline int32_t wrapAdd(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
inline int32_t wrapSub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
inline int32_t wrapMul(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
inline int32_t wrapNeg(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }
// INT_MIN / -1 has no 32-bit quotient; it wraps to INT_MIN (and the remainder is 0) instead of
// trapping the process.
inline int32_t wrapDiv(int32_t a, int32_t b) { return b == -1 ? wrapNeg(a) : a / b; }
inline int32_t wrapMod(int32_t a, int32_t b) { return b == -1 ? 0 : a % b; }
int32_t power(int32_t base, int32_t exponent);
inline int32_t shiftLeft(int32_t a, int32_t count) { return static_cast<int32_t>(static_cast<uint32_t>(a) << (count & 31)); }
// Arithmetic: the sign bit is copied.
inline int32_t shiftRight(int32_t a, int32_t count) { return a >> (count & 31); }

// ASCII letters only, as the lexer does.
std::string upperAscii(std::string_view text);
// A letter or '_' first, then letters, digits or '_'; no '$'.
bool isIdentifier(std::string_view name);

}  // namespace wavelith::script
