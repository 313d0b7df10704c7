// The array built-ins. A built-in cannot receive an array as a value, so each takes the array's
// variable name and works on the variable table's entry in place.
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace wavelith::script {

namespace {
bool sameStringForm(const ScriptValue& a, const ScriptValue& b) { return ValueText(a).view() == ValueText(b).view(); }

ScriptValue* findArray(Interpreter& interpreter, const std::string& name) {
    ScriptValue* variable = interpreter.variables().find(name);
    return variable && variable->isArray ? variable : nullptr;
}

// The variable (created if absent) becomes an array of copies of values, as element writes make it.
void initialise(Interpreter& interpreter, const std::string& name, Arguments::const_iterator first,
                Arguments::const_iterator last) {
    ScriptValue& variable = interpreter.variables().getOrCreate(name);
    variable.elements.clear();
    variable.isArray = true;
    variable.text = name;
    variable.elements.append(first, last);
}

// The array named by the first argument, for the built-ins that answer -1 for a bad name and 0
// when the variable is absent or no array: nothing then, with result set.
ScriptValue* arrayArgument(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments,
                           const char* function) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], function);
    ScriptValue* array = name.empty() ? nullptr : findArray(interpreter, name);
    if (!array) result = ScriptValue::integer(name.empty() ? -1 : 0);
    return array;
}

// Every element's string form followed by (or, with terminated false, between) separator.
std::string concatenate(const ScriptValue& array, const std::string& separator, bool terminated) {
    const ElementList& elements = array.elements;
    size_t count = elements.size();
    auto write = [&](auto&& put) {
        for (size_t i = 0; i < count; ++i) {
            put(ValueText(elements, i).view());
            if (terminated || i + 1 < count) put(separator);
        }
    };
    // Bare texts have their bytes counted already.
    if (elements.holdsTexts() && count > 0)
        return writeSized(elements.held().textBytes + (terminated ? count : count - 1) * separator.size(), write);
    return writeWithinLimit(write);
}

inline void prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// The sort keys of an array's elements: each element's first sixteen bytes of text as two
// numbers that order as the bytes do (a shorter text padded with zero bytes), and its place. The
// texts themselves are read from the elements, only where sixteen bytes do not decide.
class SortKeys {
public:
    explicit SortKeys(const ElementList& elements) : elements_(elements) {
        keys_.reserve(elements.size());
        nexts_.reserve(elements.size());
        for (size_t i = 0; i < elements.size(); ++i) {
            ValueText text(elements, i);
            keys_.push_back({prefixOf(text.view()), static_cast<uint32_t>(i)});
            nexts_.push_back(prefixOf(text.view(), 8));
        }
    }

    // What the sort moves is kept small: bytes 8 to 15 stay by the element's place.
    struct Key {
        uint64_t prefix;  // bytes 0 to 7
        uint32_t index;
    };
    std::vector<Key>& keys() { return keys_; }
    uint64_t next(const Key& key) const { return nexts_[key.index]; }
    // Back to the order of the elements, as before any sort.
    void restoreElementOrder() {
        std::vector<Key> original(keys_.size());
        for (const Key& key : keys_) original[key.index] = key;
        keys_.swap(original);
    }
    // Byte order of two texts with the same prefix: the rest decides, then the length (a text
    // that is the start of the other comes first).
    int compare(const Key& a, const Key& b) const {
        if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
        ValueText first(elements_, a.index), second(elements_, b.index);
        std::string_view x = first.view(), y = second.view();
        size_t known = std::min({size_t{8}, x.size(), y.size()});
        return x.substr(known).compare(y.substr(known));
    }

    // Eight bytes from at as one number, padded with zero bytes.
    static uint64_t prefixOf(std::string_view text, size_t at = 0) {
        unsigned char bytes[8] = {};
        if (at < text.size()) std::memcpy(bytes, text.data() + at, std::min<size_t>(8, text.size() - at));
        uint64_t prefix = 0;
        for (unsigned char byte : bytes) prefix = prefix << 8 | byte;
        return prefix;
    }

private:
    const ElementList& elements_;
    std::vector<Key> keys_;
    std::vector<uint64_t> nexts_;
};

// Whether two elements with the same text could be told apart: an integer and a string with the
// same digits, or an array.
bool distinguishable(const ScriptValue& a, const ScriptValue& b) { return a.isArray || b.isArray || a.isString != b.isString; }

// Ascending: stable byte-wise radix passes over the prefixes, skipping the bytes all keys share,
// then each run of equal prefixes by the next eight bytes and the rest. False when elements with
// the same text could be told apart (tieShows): their order must then be the one std::sort gives.
template <typename TieShows>
bool radixSort(SortKeys& keys, TieShows&& tieShows) {
    std::vector<SortKeys::Key>& order = keys.keys();
    size_t counts[8][256] = {};
    for (const SortKeys::Key& key : order)
        for (int byte = 0; byte < 8; ++byte) ++counts[byte][key.prefix >> (8 * byte) & 0xFF];
    std::vector<SortKeys::Key> moved(order.size());
    for (int byte = 0; byte < 8; ++byte) {
        size_t* count = counts[byte];
        if (std::any_of(count, count + 256, [&](size_t n) { return n == order.size(); })) continue;
        size_t next = 0;
        for (int value = 0; value < 256; ++value) next += std::exchange(count[value], next);
        for (const SortKeys::Key& key : order) moved[count[key.prefix >> (8 * byte) & 0xFF]++] = key;
        order.swap(moved);
    }
    // The texts themselves are read only where sixteen bytes do not decide.
    auto less = [&](const SortKeys::Key& a, const SortKeys::Key& b) {
        if (keys.next(a) != keys.next(b)) return keys.next(a) < keys.next(b);
        return keys.compare(a, b) < 0;
    };
    for (auto first = order.begin(); first != order.end();) {
        auto last = std::find_if(first, order.end(), [&](const SortKeys::Key& key) { return key.prefix != first->prefix; });
        if (last - first > 1) {
            std::sort(first, last, less);
            for (auto key = first + 1; key != last; ++key) {
                if (keys.next(key[-1]) == keys.next(*key) && keys.compare(key[-1], *key) == 0 &&
                    tieShows(key[-1].index, key->index))
                    return false;
            }
        }
        first = last;
    }
    return true;
}

// The keys in the order of their texts. A radix sort orders them; elements with the same text
// are then the same value, so their order does not show. Where it would (tieShows), std::sort
// orders them instead: it does the same steps whatever it sorts, so such elements end in the same
// order as when sorted themselves.
template <typename TieShows>
void sortByText(SortKeys& keys, bool descending, TieShows&& tieShows) {
    if (radixSort(keys, tieShows)) {
        if (descending) std::reverse(keys.keys().begin(), keys.keys().end());
        return;
    }
    keys.restoreElementOrder();
    std::sort(keys.keys().begin(), keys.keys().end(), [&](const SortKeys::Key& a, const SortKeys::Key& b) {
        int comparison = keys.compare(a, b);
        return descending ? comparison > 0 : comparison < 0;
    });
}

// SORTARRAY and SORTARRAYDESC: by string form, unsigned bytes; not stable.
void sortArray(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments, const char* function,
               bool descending) {
    ScriptValue* array = arrayArgument(interpreter, result, arguments, function);
    if (!array) return;
    ElementList& elements = array->elements;
    if (elements.holdsTexts()) {
        // Bare texts with the same bytes are the same value; only where each text lies moves.
        SortKeys keys(elements);
        sortByText(keys, descending, [](size_t, size_t) { return false; });
        elements.reorderTexts([&](size_t place) { return keys.keys()[place].index; });
    } else {
        // The sort runs on small keys, then the elements move once to their places.
        elements.reorder([&](ElementList::Items& items) {
            SortKeys keys(elements);
            sortByText(keys, descending, [&](size_t a, size_t b) { return distinguishable(items[a], items[b]); });
            ElementList::Items sorted;
            sorted.reserve(items.size());
            const std::vector<SortKeys::Key>& order = keys.keys();
            for (size_t i = 0; i < order.size(); ++i) {
                // The elements are read in a random order: ask for the coming ones early.
                if (i + 16 < order.size()) prefetch(&items[order[i + 16].index]);
                sorted.push_back(std::move(items[order[i].index]));
            }
            items.swap(sorted);
        });
    }
    result = ScriptValue::integer(1);
}
}  // namespace

void reportInvalidArrayName(Interpreter& interpreter, const char* function) {
    const char* format = interpreter.japanese()
                             ? "関数%S()の配列変数名が正しくありません。配列変数名は文字列で指定してください。"
                             : "The array variable name is invalid in function %S().";
    interpreter.send(115, -1, formatMessage(format, {std::string_view(function)}));
    interpreter.requestStop();
}

std::string arrayNameOrReport(Interpreter& interpreter, const ScriptValue& argument, const char* function) {
    std::string name = Interpreter::arrayName(argument);
    if (name.empty()) reportInvalidArrayName(interpreter, function);
    return name;
}

void writeElement(ScriptValue& variable, const std::string& name, size_t index, ScriptValue value) {
    variable.text = name;
    VariableTable::storeElement(variable, index, std::move(value));
}

// ARRAYSIZE(name), LEN(name): a bad name is -1 without a message.
void builtinArraySize(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = Interpreter::arrayName(arguments[0]);
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    const ScriptValue* array = findArray(interpreter, name);
    result = ScriptValue::integer(array ? static_cast<int32_t>(array->elements.size()) : 0);
}

// ARRAYINIT(name[, values...]): the name alone turns an array back into the integer 0.
void builtinArrayInit(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "ArrayInit");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    if (arguments.size() > 1) {
        initialise(interpreter, name, arguments.begin() + 1, arguments.end());
    } else if (ScriptValue* array = findArray(interpreter, name)) {
        *array = ScriptValue{};
    }
    result = ScriptValue::integer(1);
}

// ARRAYADD(name[, values...]): appends to an array; anything else is initialised as by ARRAYINIT.
void builtinArrayAdd(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "ArrayAdd");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    if (arguments.size() > 1) {
        if (ScriptValue* array = findArray(interpreter, name)) {
            array->elements.append(arguments.begin() + 1, arguments.end());
        } else {
            initialise(interpreter, name, arguments.begin() + 1, arguments.end());
        }
    }
    result = ScriptValue::integer(1);
}

// RESIZE(name, n)
void builtinResize(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "Resize");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    int32_t count = arguments[1].toInt();
    if (count <= 0) return void(result = ScriptValue::integer(0));
    ScriptValue& variable = interpreter.variables().getOrCreate(name);
    variable.text = name;
    VariableTable::growFor(variable, static_cast<size_t>(count) - 1);
    variable.elements.resize(static_cast<size_t>(count));
    result = ScriptValue::integer(1);
}

// DELARRAYITEM(name, index)
void builtinDelArrayItem(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    ScriptValue* array = arrayArgument(interpreter, result, arguments, "DelArrayItem");
    if (!array) return;
    int32_t index = arguments[1].toInt();
    if (index < 0 || static_cast<size_t>(index) >= array->elements.size()) return void(result = ScriptValue::integer(0));
    array->elements.edit([index](ElementList::Items& items) { items.erase(items.begin() + index); });
    result = ScriptValue::integer(1);
}

// DELEMPTYARRAY(name): drops every element whose string form is empty.
void builtinDelEmptyArray(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    ScriptValue* array = arrayArgument(interpreter, result, arguments, "DelEmptyArray");
    if (!array) return;
    // An integer's string form is never empty.
    auto empty = [](const ScriptValue& element) { return (element.isString || element.isArray) && element.text.empty(); };
    array->elements.edit([&](ElementList::Items& items) {
        items.erase(std::remove_if(items.begin(), items.end(), empty), items.end());
    });
    result = ScriptValue::integer(1);
}

// UNIQARRAY(name): each run of neighbours with equal string forms shrinks to its first element.
void builtinUniqArray(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    ScriptValue* array = arrayArgument(interpreter, result, arguments, "UniqArray");
    if (!array) return;
    array->elements.edit([](ElementList::Items& items) {
        items.erase(std::unique(items.begin(), items.end(), sameStringForm), items.end());
    });
    result = ScriptValue::integer(1);
}

void builtinSortArray(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    sortArray(interpreter, result, arguments, "SortArray", false);
}

void builtinSortArrayDesc(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    sortArray(interpreter, result, arguments, "SortArrayDesc", true);
}

// SPLIT(text, delimiter, name): every piece counts, empty ones too; an empty delimiter gives the
// whole text as the one piece.
void builtinSplit(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[2], "split");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    std::string text = arguments[0].toString(), delimiter = arguments[1].toString();
    ScriptValue& variable = interpreter.variables().getOrCreate(name);
    variable = ScriptValue{};
    variable.isArray = true;
    variable.text = name;
    ElementList& pieces = variable.elements;
    size_t count = 1;
    if (!delimiter.empty())
        for (size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, at + delimiter.size()))
            ++count;
    pieces.reserve(count);
    size_t start = 0;
    if (!delimiter.empty()) {
        for (size_t found; (found = text.find(delimiter, start)) != std::string::npos; start = found + delimiter.size())
            pieces.push_back(ScriptValue::string(text.substr(start, found - start)));
    }
    pieces.push_back(ScriptValue::string(text.substr(start)));
    result = ScriptValue::integer(static_cast<int32_t>(pieces.size()));
}

// JOIN(name[, separator]): a bad name gives the empty string.
void builtinJoin(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "join");
    const ScriptValue* array = name.empty() ? nullptr : findArray(interpreter, name);
    std::string separator = arguments.size() > 1 ? arguments[1].toString() : std::string();
    result = ScriptValue::string(array ? concatenate(*array, separator, false) : std::string());
}

// MULTILINETOSTRINGARRAY(name): lines end at CR LF, lone CR or lone LF; the piece after the last
// break is always a line. An array's string form is its name, so that becomes its first line.
void builtinMultiLineToStringArray(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = arrayNameOrReport(interpreter, arguments[0], "MultiLineToStringArray");
    if (name.empty()) return void(result = ScriptValue::integer(-1));
    ScriptValue* variable = interpreter.variables().find(name);
    if (!variable) return void(result = ScriptValue::integer(0));
    std::string text = variable->toString();
    // A CR LF pair is one break.
    size_t lines = 1;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    variable->elements.reserve(std::max(variable->elements.size(), lines));
    size_t line = 0, start = 0;
    for (size_t i = 0;; ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        writeElement(*variable, name, line++, ScriptValue::string(text.substr(start, i - start)));
        if (i >= text.size()) break;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    result = ScriptValue::integer(1);
}

// ARRAYTOMULTILINESTRING(name[, separator]): the array becomes a string, every element followed
// by the separator (CR LF by default), the last one too.
void builtinArrayToMultiLineString(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    ScriptValue* array = arrayArgument(interpreter, result, arguments, "ArrayToMultiLineString");
    if (!array) return;
    std::string separator = arguments.size() > 1 ? arguments[1].toString() : std::string("\r\n");
    *array = ScriptValue::string(concatenate(*array, separator, true));
    result = ScriptValue::integer(1);
}

}  // namespace wavelith::script
