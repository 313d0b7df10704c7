// ScriptValue: DO-Rozude's one value type, and the three conversions every part of the
// interpreter and every built-in shares.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith::script {

struct ScriptValue;

// Beyond these a value counts as one that cannot be allocated: the run ends with the
// out-of-memory message (106) instead of the machine paging itself to a halt. No keep-awake
// script needs four million elements or a quarter of a gigabyte of text. A text is bounded on
// its own, an array by everything it holds (its elements' texts and nested arrays included), so
// an array stored into itself cannot double without end.
constexpr size_t MaxElements = size_t{1} << 22;
constexpr size_t MaxTextBytes = size_t{1} << 28;

// What a value holds: the bytes of its texts and its elements, nested arrays included.
struct ValueSize {
    size_t textBytes = 0;
    size_t elements = 0;

    ValueSize& operator+=(const ValueSize& more) {
        textBytes += more.textBytes;
        elements += more.elements;
        return *this;
    }
    ValueSize& operator-=(const ValueSize& less) {
        textBytes -= less.textBytes;
        elements -= less.elements;
        return *this;
    }
};

// The one check of the limits, made before anything is allocated: it throws ValueTooLarge, a
// std::bad_alloc, which the run entry reports as message 106 exactly as when memory really runs
// out. Code that turns the library's failures into a failure value lets this one pass.
struct ValueTooLarge : std::bad_alloc {};
[[noreturn]] void limitExceeded();
inline void checkTextBytes(size_t bytes) {
    if (bytes > MaxTextBytes) limitExceeded();
}
inline void checkSize(const ValueSize& size) {
    if (size.textBytes > MaxTextBytes || size.elements > MaxElements) limitExceeded();
}
// text += more, or count copies of byte, within the text limit.
inline void appendText(std::string& text, std::string_view more) {
    checkTextBytes(text.size() + more.size());
    text += more;
}
inline void appendText(std::string& text, size_t count, char byte) {
    checkTextBytes(count);
    checkTextBytes(text.size() + count);
    text.append(count, byte);
}
// The text that write(put) puts together piece by piece (put takes a string_view), for a writer
// whose size in bytes is known: refused before anything is allocated when it is over the limit.
template <typename Write>
std::string writeSized(size_t bytes, Write&& write) {
    checkTextBytes(bytes);
    std::string text;
    text.reserve(bytes);
    write([&](std::string_view piece) { text += piece; });
    return text;
}
// The same for any writer: write runs once to measure it, and only if it fits the limit once more
// to fill a string reserved to the exact size, so a hostile result fails at once without ever
// being allocated.
template <typename Write>
std::string writeWithinLimit(Write&& write) {
    size_t bytes = 0;
    write([&](std::string_view piece) {
        bytes += piece.size();
        checkTextBytes(bytes);
    });
    return writeSized(bytes, write);
}

// The elements of an array value, with the value semantics of a vector (copies are deep). Most
// values are no array at all, so the list is allocated only once it holds something: an empty
// one costs a null pointer, and every evaluation result is cheap to make and drop.
// The list keeps the total size of what it holds up to date at every change, so the limits are
// checked in constant time, never by walking a value; that is why elements change only through
// the members below.
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
    bool allocated() const { return block_ != nullptr; }
    const ScriptValue& operator[](size_t index) const;
    // The element's number when it is a plain integer, read without making a value.
    bool integerAt(size_t index, int32_t& value) const;
    // The element's text when the list keeps bare texts, read in place; it holds until the list
    // changes.
    bool textAt(size_t index, std::string_view& text) const;
    const Items& items() const;
    Items::const_iterator begin() const { return items().begin(); }
    Items::const_iterator end() const { return items().end(); }
    // Every element and text inside, the elements themselves counted too.
    ValueSize held() const;

    // Each change checks the limits on the list it would make before it changes anything.
    void clear() { block_.reset(); }
    // Room for count elements, refused at once when that many could never fit.
    void reserve(size_t count);
    // New elements are the integer 0.
    void resize(size_t count);
    void set(size_t index, ScriptValue&& value);
    void setInteger(size_t index, int32_t value);
    void push_back(ScriptValue&& value);
    void append(Items::const_iterator first, Items::const_iterator last);
    // For algorithms that only reorder or remove elements; the totals are counted again after.
    template <typename Edit>
    void edit(Edit&& change);
    // For algorithms that only reorder them: the totals stand.
    template <typename Reorder>
    void reorder(Reorder&& change);
    // Whether the list keeps bare texts, which textAt reads; reorderTexts puts element order(i)
    // at place i without making a value: it only moves where each text lies.
    bool holdsTexts() const;
    template <typename Order>
    void reorderTexts(Order&& order);

private:
    struct Block;
    Block& block();
    std::unique_ptr<Block> block_;
};

struct ScriptValue {
    bool isString = false;
    // Set once a variable has been indexed or filled as an array; only variables carry it.
    bool isArray = false;
    int32_t intValue = 0;
    std::string text;
    ElementList elements;

    ScriptValue() = default;
    // Most values are integers: copies and moves of a value without text or elements only take
    // its three fields, and the rest is out of line so that the short way is inlined.
    ScriptValue(const ScriptValue& other) : isString(other.isString), isArray(other.isArray), intValue(other.intValue) {
        if (other.holdsData()) copyDataFrom(other);
    }
    ScriptValue(ScriptValue&& other) noexcept
        : isString(other.isString), isArray(other.isArray), intValue(other.intValue) {
        if (other.holdsData()) moveDataFrom(other);
    }
    ScriptValue& operator=(const ScriptValue& other) {
        if (this == &other) return *this;
        isString = other.isString;
        isArray = other.isArray;
        intValue = other.intValue;
        if (holdsData() || other.holdsData()) copyDataFrom(other);
        return *this;
    }
    ScriptValue& operator=(ScriptValue&& other) noexcept {
        isString = other.isString;
        isArray = other.isArray;
        intValue = other.intValue;
        if (holdsData() || other.holdsData()) moveDataFrom(other);
        return *this;
    }
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

    // Holds an integer and nothing else, as an assignment of an integer leaves it.
    bool isPlainInteger() const { return !isString && !isArray && text.empty() && !elements.allocated(); }
    void setInteger(int32_t value) {
        if (!isPlainInteger()) {
            isString = false;
            isArray = false;
            text.clear();
            elements.clear();
        }
        intValue = value;
    }

    // Strings and arrays give their text; integers their decimal form.
    std::string toString() const;
    // Strings are read as strtol reads base 10, saturating at the 32-bit range.
    int32_t toInt() const;  // inline below
    // The test of IF, loops and ?: (not of &&, || and !, which use toInt).
    bool truth() const { return isString ? !text.empty() : intValue != 0; }
    // Whether it has a text or an element block, what copies and moves must carry over.
    bool holdsData() const { return !text.empty() || elements.allocated(); }
    void copyDataFrom(const ScriptValue& other);
    void moveDataFrom(ScriptValue& other) noexcept;

    // Its text and everything its elements hold, in constant time.
    ValueSize size() const {
        ValueSize inside = elements.held();
        inside.textBytes += text.size();
        return inside;
    }
};

// While every element is a plain integer the list keeps bare numbers, a twelfth of the memory of
// values; while every element is a plain string, their bytes one after another in one text. The
// first element of any other kind turns the list into values for good. Readers that want a value
// (operator[], items) get the list turned first; integerAt and textAt read the bare forms.
struct ElementList::Block {
    enum class Form : uint8_t { Integers, Texts, Values };
    // Where an element's bytes lie in texts.
    struct Span {
        uint32_t offset, length;
    };
    Form form = Form::Integers;
    std::vector<int32_t> integers;  // the elements while Integers
    std::string texts;              // the elements' bytes while Texts, with ones overwritten
    std::vector<Span> spans;        //   and where each lies
    size_t overwritten = 0;         //   the bytes no span points at any more
    Items items;                    // the elements once Values
    ValueSize held;

    size_t size() const {
        switch (form) {
        case Form::Integers: return integers.size();
        case Form::Texts: return spans.size();
        default: return items.size();
        }
    }
    std::string_view text(size_t index) const {
        return std::string_view(texts).substr(spans[index].offset, spans[index].length);
    }
    // A string that keeps bare: no integer reading and no array beside its text, and short, since
    // a read makes a copy of it where the values would lend it.
    static bool bareText(const ScriptValue& value) {
        constexpr size_t Longest = 64;
        return value.isString && !value.isArray && value.intValue == 0 && !value.elements.allocated() &&
               value.text.size() <= Longest;
    }
    void unpack() {
        if (form == Form::Values) return;
        items.reserve(size());
        for (int32_t value : integers) items.push_back(ScriptValue::integer(value));
        for (size_t i = 0; i < spans.size(); ++i) items.push_back(ScriptValue::string(std::string(text(i))));
        std::vector<int32_t>().swap(integers);
        std::string().swap(texts);
        std::vector<Span>().swap(spans);
        overwritten = 0;
        form = Form::Values;
    }
    // The texts a bare string list keeps stay within twice what its elements hold.
    void putText(size_t index, std::string_view text) {
        if (index == spans.size()) {
            spans.push_back({});
        } else {
            overwritten += spans[index].length;
        }
        spans[index] = {static_cast<uint32_t>(texts.size()), static_cast<uint32_t>(text.size())};
        texts += text;
        if (overwritten > texts.size() / 2 && overwritten > 4096) compact();
    }
    void compact() {
        std::string kept;
        kept.reserve(texts.size() - overwritten);
        for (Span& span : spans) {
            std::string_view bytes = std::string_view(texts).substr(span.offset, span.length);
            span.offset = static_cast<uint32_t>(kept.size());
            kept += bytes;
        }
        texts.swap(kept);
        overwritten = 0;
    }
    // What one element adds to its list: itself and what it holds.
    static ValueSize weight(const ScriptValue& value) {
        ValueSize size = value.size();
        ++size.elements;
        return size;
    }
    void recount() {
        held = {};
        held.elements = integers.size() + spans.size();
        for (const Span& span : spans) held.textBytes += span.length;
        for (const ScriptValue& item : items) held += weight(item);
    }
};

// A long list grows fourfold instead of twofold: room not filled yet is never touched, so each
// growth moves fewer elements into fewer fresh pages.
template <typename Vector>
void growForOneMore(Vector& list) {
    constexpr size_t Long = size_t{1} << 16;
    if (list.size() == list.capacity() && list.size() >= Long) list.reserve(std::min(MaxElements, list.size() * 4));
}

inline ElementList::~ElementList() = default;
inline ElementList::ElementList(const ElementList& other)
    : block_(other.block_ && other.block_->size() != 0 ? std::make_unique<Block>(*other.block_) : nullptr) {}
inline ElementList& ElementList::operator=(const ElementList& other) {
    if (this != &other)
        block_ = other.block_ && other.block_->size() != 0 ? std::make_unique<Block>(*other.block_) : nullptr;
    return *this;
}
inline size_t ElementList::size() const { return block_ ? block_->size() : 0; }
inline const ScriptValue& ElementList::operator[](size_t index) const {
    block_->unpack();
    return block_->items[index];
}
inline bool ElementList::integerAt(size_t index, int32_t& value) const {
    if (block_->form == Block::Form::Integers) {
        value = block_->integers[index];
        return true;
    }
    if (block_->form == Block::Form::Texts) return false;
    const ScriptValue& item = block_->items[index];
    value = item.intValue;
    return item.isPlainInteger();
}
inline bool ElementList::textAt(size_t index, std::string_view& text) const {
    if (block_->form != Block::Form::Texts) return false;
    text = block_->text(index);
    return true;
}
inline const ElementList::Items& ElementList::items() const {
    static const Items none;
    if (!block_) return none;
    block_->unpack();
    return block_->items;
}
inline ValueSize ElementList::held() const { return block_ ? block_->held : ValueSize{}; }
inline ElementList::Block& ElementList::block() {
    if (!block_) block_ = std::make_unique<Block>();
    return *block_;
}
inline void ElementList::reserve(size_t count) {
    if (count > MaxElements) limitExceeded();
    Block& list = block();
    switch (list.form) {
    case Block::Form::Integers: list.integers.reserve(count); break;
    case Block::Form::Texts: list.spans.reserve(count); break;
    default: list.items.reserve(count); break;
    }
}
inline void ElementList::resize(size_t count) {
    size_t now = size();
    if (count > now) {
        if (count > MaxElements) limitExceeded();
        ValueSize after = held();
        after.elements += count - now;
        checkSize(after);
        Block& list = block();
        // New elements are integers: a list of texts turns into values.
        if (list.form == Block::Form::Texts) list.unpack();
        // Writing past the end one element at a time is the common way to fill an array.
        if (count == now + 1 && list.form == Block::Form::Integers) {
            list.integers.emplace_back();
        } else if (count == now + 1) {
            list.items.emplace_back();
        } else if (list.form == Block::Form::Integers) {
            list.integers.resize(count);
        } else {
            list.items.resize(count);
        }
        list.held = after;
    } else if (count < now) {
        Block& list = *block_;
        if (list.form == Block::Form::Integers) {
            list.integers.resize(count);
            list.held.elements = count;
            return;
        }
        list.unpack();
        for (size_t i = count; i < now; ++i) list.held -= Block::weight(list.items[i]);
        list.items.resize(count);
    }
}
inline void ElementList::set(size_t index, ScriptValue&& value) {
    Block& list = *block_;
    if (list.form == Block::Form::Integers) {
        // A plain integer weighs one element and no text, before as after: the totals stand.
        if (value.isPlainInteger()) return void(list.integers[index] = value.intValue);
        list.unpack();
    }
    if (list.form == Block::Form::Texts) {
        if (Block::bareText(value)) {
            ValueSize after = list.held;
            after.textBytes -= list.spans[index].length;
            after.textBytes += value.text.size();
            checkSize(after);
            list.putText(index, value.text);
            list.held = after;
            return;
        }
        list.unpack();
    }
    ValueSize after = list.held;
    after -= Block::weight(list.items[index]);
    after += Block::weight(value);
    checkSize(after);
    list.items[index] = std::move(value);
    list.held = after;
}
inline void ElementList::setInteger(size_t index, int32_t value) {
    Block& list = *block_;
    if (list.form == Block::Form::Integers) return void(list.integers[index] = value);
    if (list.form == Block::Form::Values && list.items[index].isPlainInteger()) {
        list.items[index].intValue = value;
        return;
    }
    set(index, ScriptValue::integer(value));
}
inline void ElementList::push_back(ScriptValue&& value) {
    ValueSize after = held();
    after += Block::weight(value);
    checkSize(after);
    Block& list = block();
    // The first element decides whether the list starts as bare integers or bare texts.
    if (list.form == Block::Form::Integers && list.integers.empty() && Block::bareText(value))
        list.form = Block::Form::Texts;
    if (list.form == Block::Form::Integers && value.isPlainInteger()) {
        list.integers.push_back(value.intValue);
    } else if (list.form == Block::Form::Texts && Block::bareText(value)) {
        growForOneMore(list.spans);
        list.putText(list.spans.size(), value.text);
    } else {
        list.unpack();
        growForOneMore(list.items);
        list.items.push_back(std::move(value));
    }
    list.held = after;
}
inline void ElementList::append(Items::const_iterator first, Items::const_iterator last) {
    ValueSize after = held();
    for (auto item = first; item != last; ++item) {
        after += Block::weight(*item);
        checkSize(after);
    }
    Block& list = block();
    if (list.form == Block::Form::Integers &&
        std::all_of(first, last, [](const ScriptValue& item) { return item.isPlainInteger(); })) {
        for (auto item = first; item != last; ++item) list.integers.push_back(item->intValue);
    } else {
        list.unpack();
        list.items.insert(list.items.end(), first, last);
    }
    list.held = after;
}
template <typename Edit>
void ElementList::edit(Edit&& change) {
    if (!block_) return;
    block_->unpack();
    change(block_->items);
    block_->recount();
}
template <typename Reorder>
void ElementList::reorder(Reorder&& change) {
    if (!block_) return;
    block_->unpack();
    change(block_->items);
}
inline bool ElementList::holdsTexts() const { return block_ && block_->form == Block::Form::Texts; }
template <typename Order>
void ElementList::reorderTexts(Order&& order) {
    std::vector<Block::Span>& spans = block_->spans;
    std::vector<Block::Span> placed(spans.size());
    for (size_t i = 0; i < spans.size(); ++i) placed[i] = spans[order(i)];
    spans.swap(placed);
}

// A value's text as toString gives it, read in place where the value has one (a string or an
// array); only an integer's decimal form is written, into the holder. It may point into the
// value: keep it where it is made.
class ValueText {
public:
    explicit ValueText(const ScriptValue& value) { read(value); }
    // An element's, read without turning a list of bare numbers or texts into values; it may
    // point into the list.
    ValueText(const ElementList& elements, size_t index);
    ValueText(const ValueText&) = delete;
    ValueText& operator=(const ValueText&) = delete;
    std::string_view view() const { return view_; }

private:
    void read(const ScriptValue& value);
    char digits_[12];
    std::string_view view_;
};

inline ValueText::ValueText(const ElementList& elements, size_t index) {
    int32_t number = 0;
    if (elements.textAt(index, view_)) return;
    if (!elements.integerAt(index, number)) {
        read(elements[index]);
        return;
    }
    char* end = std::to_chars(digits_, digits_ + sizeof digits_, number).ptr;
    view_ = std::string_view(digits_, static_cast<size_t>(end - digits_));
}

// strtol in base 10, saturated to 32 bits whatever the width of long.
int32_t readInteger(std::string_view text);
inline int32_t ScriptValue::toInt() const { return isString ? readInteger(text) : intValue; }
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
// a % divisor for a divisor known in advance (not 0), by two multiplications instead of a
// division: the magnitude's remainder by the inverse ceil(2^64 / |divisor|), exact for every
// 32-bit magnitude; the sign is the dividend's, as for %.
class KnownRemainder {
public:
    explicit KnownRemainder(int32_t divisor)
        : divisor_(magnitude(divisor)), inverse_(UINT64_MAX / divisor_ + 1) {}
    int32_t of(int32_t a) const {
        uint64_t fraction = inverse_ * magnitude(a);
        // The top 64 bits of fraction * divisor, in 64-bit pieces.
        uint64_t low = (fraction & 0xFFFFFFFFu) * divisor_;
        uint64_t high = (fraction >> 32) * divisor_ + (low >> 32);
        auto remainder = static_cast<int32_t>(high >> 32);  // below |divisor|, at most 2^31 - 1
        return a < 0 ? -remainder : remainder;
    }

private:
    static uint32_t magnitude(int32_t value) {
        return value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    }
    uint32_t divisor_;
    uint64_t inverse_;
};
int32_t power(int32_t base, int32_t exponent);
inline int32_t shiftLeft(int32_t a, int32_t count) { return static_cast<int32_t>(static_cast<uint32_t>(a) << (count & 31)); }
// Arithmetic: the sign bit is copied.
inline int32_t shiftRight(int32_t a, int32_t count) { return a >> (count & 31); }

// ASCII letters only, as the lexer does.
std::string upperAscii(std::string_view text);
// A letter or '_' first, then letters, digits or '_'; no '$'.
bool isIdentifier(std::string_view name);

}  // namespace wavelith::script
