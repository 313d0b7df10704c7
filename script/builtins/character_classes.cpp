// CONVCHAR's tables and walk. ORDER: each family's pairs are tried in the order written, and a
// pair sees the text as earlier pairs left it; so the voiced letters precede their bases, and
// where several pairs share one side (ﾜ, ｲ, ｴ, the two escapes of a control character) the
// first of them is what the reverse direction produces.
#include "script/builtins/character_classes.h"

#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

#include <algorithm>

namespace wavelith::script {

namespace {

// Hiragana and katakana, U+3041 to U+3093 against the letter 0x60 above.
constexpr CharacterPair hiraganaKatakana[] = {
    {u"が", u"ガ"}, {u"ぎ", u"ギ"}, {u"ぐ", u"グ"}, {u"げ", u"ゲ"}, {u"ご", u"ゴ"}, {u"ざ", u"ザ"}, {u"じ", u"ジ"}, {u"ず", u"ズ"},
    {u"ぜ", u"ゼ"}, {u"ぞ", u"ゾ"}, {u"だ", u"ダ"}, {u"ぢ", u"ヂ"}, {u"づ", u"ヅ"}, {u"で", u"デ"}, {u"ど", u"ド"}, {u"ば", u"バ"},
    {u"ぱ", u"パ"}, {u"び", u"ビ"}, {u"ぴ", u"ピ"}, {u"ぶ", u"ブ"}, {u"ぷ", u"プ"}, {u"べ", u"ベ"}, {u"ぺ", u"ペ"}, {u"ぼ", u"ボ"},
    {u"ぽ", u"ポ"}, {u"ぁ", u"ァ"}, {u"あ", u"ア"}, {u"ぃ", u"ィ"}, {u"い", u"イ"}, {u"ぅ", u"ゥ"}, {u"う", u"ウ"}, {u"ぇ", u"ェ"},
    {u"え", u"エ"}, {u"ぉ", u"ォ"}, {u"お", u"オ"}, {u"か", u"カ"}, {u"き", u"キ"}, {u"く", u"ク"}, {u"け", u"ケ"}, {u"こ", u"コ"},
    {u"さ", u"サ"}, {u"し", u"シ"}, {u"す", u"ス"}, {u"せ", u"セ"}, {u"そ", u"ソ"}, {u"た", u"タ"}, {u"ち", u"チ"}, {u"っ", u"ッ"},
    {u"つ", u"ツ"}, {u"て", u"テ"}, {u"と", u"ト"}, {u"な", u"ナ"}, {u"に", u"ニ"}, {u"ぬ", u"ヌ"}, {u"ね", u"ネ"}, {u"の", u"ノ"},
    {u"は", u"ハ"}, {u"ひ", u"ヒ"}, {u"ふ", u"フ"}, {u"へ", u"ヘ"}, {u"ほ", u"ホ"}, {u"ま", u"マ"}, {u"み", u"ミ"}, {u"む", u"ム"},
    {u"め", u"メ"}, {u"も", u"モ"}, {u"ゃ", u"ャ"}, {u"や", u"ヤ"}, {u"ゅ", u"ュ"}, {u"ゆ", u"ユ"}, {u"ょ", u"ョ"}, {u"よ", u"ヨ"},
    {u"ら", u"ラ"}, {u"り", u"リ"}, {u"る", u"ル"}, {u"れ", u"レ"}, {u"ろ", u"ロ"}, {u"ゎ", u"ヮ"}, {u"わ", u"ワ"}, {u"ゐ", u"ヰ"},
    {u"ゑ", u"ヱ"}, {u"を", u"ヲ"}, {u"ん", u"ン"},
};

// Katakana full width and half width. ワ comes before ヮ so that ﾜ widens to the common letter;
// ヴ, ヵ and ヶ have no half-width form.
constexpr CharacterPair katakanaWidth[] = {
    {u"ガ", u"ｶﾞ"}, {u"ギ", u"ｷﾞ"}, {u"グ", u"ｸﾞ"}, {u"ゲ", u"ｹﾞ"}, {u"ゴ", u"ｺﾞ"}, {u"ザ", u"ｻﾞ"}, {u"ジ", u"ｼﾞ"},
    {u"ズ", u"ｽﾞ"}, {u"ゼ", u"ｾﾞ"}, {u"ゾ", u"ｿﾞ"}, {u"ダ", u"ﾀﾞ"}, {u"ヂ", u"ﾁﾞ"}, {u"ヅ", u"ﾂﾞ"}, {u"デ", u"ﾃﾞ"},
    {u"ド", u"ﾄﾞ"}, {u"バ", u"ﾊﾞ"}, {u"ビ", u"ﾋﾞ"}, {u"ブ", u"ﾌﾞ"}, {u"ベ", u"ﾍﾞ"}, {u"ボ", u"ﾎﾞ"}, {u"パ", u"ﾊﾟ"},
    {u"ピ", u"ﾋﾟ"}, {u"プ", u"ﾌﾟ"}, {u"ペ", u"ﾍﾟ"}, {u"ポ", u"ﾎﾟ"}, {u"ァ", u"ｧ"}, {u"ア", u"ｱ"}, {u"ィ", u"ｨ"},
    {u"イ", u"ｲ"}, {u"ゥ", u"ｩ"}, {u"ウ", u"ｳ"}, {u"ェ", u"ｪ"}, {u"エ", u"ｴ"}, {u"ォ", u"ｫ"}, {u"オ", u"ｵ"}, {u"カ", u"ｶ"},
    {u"キ", u"ｷ"}, {u"ク", u"ｸ"}, {u"ケ", u"ｹ"}, {u"コ", u"ｺ"}, {u"サ", u"ｻ"}, {u"シ", u"ｼ"}, {u"ス", u"ｽ"}, {u"セ", u"ｾ"},
    {u"ソ", u"ｿ"}, {u"タ", u"ﾀ"}, {u"チ", u"ﾁ"}, {u"ッ", u"ｯ"}, {u"ツ", u"ﾂ"}, {u"テ", u"ﾃ"}, {u"ト", u"ﾄ"}, {u"ナ", u"ﾅ"},
    {u"ニ", u"ﾆ"}, {u"ヌ", u"ﾇ"}, {u"ネ", u"ﾈ"}, {u"ノ", u"ﾉ"}, {u"ハ", u"ﾊ"}, {u"ヒ", u"ﾋ"}, {u"フ", u"ﾌ"}, {u"ヘ", u"ﾍ"},
    {u"ホ", u"ﾎ"}, {u"マ", u"ﾏ"}, {u"ミ", u"ﾐ"}, {u"ム", u"ﾑ"}, {u"メ", u"ﾒ"}, {u"モ", u"ﾓ"}, {u"ャ", u"ｬ"}, {u"ヤ", u"ﾔ"},
    {u"ュ", u"ｭ"}, {u"ユ", u"ﾕ"}, {u"ョ", u"ｮ"}, {u"ヨ", u"ﾖ"}, {u"ラ", u"ﾗ"}, {u"リ", u"ﾘ"}, {u"ル", u"ﾙ"}, {u"レ", u"ﾚ"},
    {u"ロ", u"ﾛ"}, {u"ワ", u"ﾜ"}, {u"ヮ", u"ﾜ"}, {u"ヰ", u"ｲ"}, {u"ヱ", u"ｴ"}, {u"ヲ", u"ｦ"}, {u"ン", u"ﾝ"}, {u"゛", u"ﾞ"},
    {u"゜", u"ﾟ"}, {u"ー", u"ｰ"},
};

// Latin letters full width and half width.
constexpr CharacterPair letterWidth[] = {
    {u"Ａ", u"A"}, {u"Ｂ", u"B"}, {u"Ｃ", u"C"}, {u"Ｄ", u"D"}, {u"Ｅ", u"E"}, {u"Ｆ", u"F"}, {u"Ｇ", u"G"}, {u"Ｈ", u"H"},
    {u"Ｉ", u"I"}, {u"Ｊ", u"J"}, {u"Ｋ", u"K"}, {u"Ｌ", u"L"}, {u"Ｍ", u"M"}, {u"Ｎ", u"N"}, {u"Ｏ", u"O"}, {u"Ｐ", u"P"},
    {u"Ｑ", u"Q"}, {u"Ｒ", u"R"}, {u"Ｓ", u"S"}, {u"Ｔ", u"T"}, {u"Ｕ", u"U"}, {u"Ｖ", u"V"}, {u"Ｗ", u"W"}, {u"Ｘ", u"X"},
    {u"Ｙ", u"Y"}, {u"Ｚ", u"Z"}, {u"ａ", u"a"}, {u"ｂ", u"b"}, {u"ｃ", u"c"}, {u"ｄ", u"d"}, {u"ｅ", u"e"}, {u"ｆ", u"f"},
    {u"ｇ", u"g"}, {u"ｈ", u"h"}, {u"ｉ", u"i"}, {u"ｊ", u"j"}, {u"ｋ", u"k"}, {u"ｌ", u"l"}, {u"ｍ", u"m"}, {u"ｎ", u"n"},
    {u"ｏ", u"o"}, {u"ｐ", u"p"}, {u"ｑ", u"q"}, {u"ｒ", u"r"}, {u"ｓ", u"s"}, {u"ｔ", u"t"}, {u"ｕ", u"u"}, {u"ｖ", u"v"},
    {u"ｗ", u"w"}, {u"ｘ", u"x"}, {u"ｙ", u"y"}, {u"ｚ", u"z"},
};

// Digits full width and half width.
constexpr CharacterPair digitWidth[] = {
    {u"０", u"0"}, {u"１", u"1"}, {u"２", u"2"}, {u"３", u"3"}, {u"４", u"4"}, {u"５", u"5"}, {u"６", u"6"}, {u"７", u"7"},
    {u"８", u"8"}, {u"９", u"9"},
};

// Symbols full width and half width, with the Japanese brackets and stops against their half-width forms.
constexpr CharacterPair symbolWidth[] = {
    {u"\u3000", u" "}, {u"\uFF01", u"!"}, {u"\u201D", u"\""}, {u"\uFF03", u"#"}, {u"\uFF04", u"$"}, {u"\uFF05", u"%"},
    {u"\uFF06", u"&"}, {u"\u2019", u"'"}, {u"\uFF08", u"("}, {u"\uFF09", u")"}, {u"\uFF0A", u"*"}, {u"\uFF0B", u"+"},
    {u"\uFF0C", u","}, {u"\uFF0D", u"-"}, {u"\uFF0E", u"."}, {u"\uFF0F", u"/"}, {u"\uFF1A", u":"}, {u"\uFF1B", u";"},
    {u"\uFF1C", u"<"}, {u"\uFF1D", u"="}, {u"\uFF1E", u">"}, {u"\uFF1F", u"?"}, {u"\uFF20", u"@"}, {u"\uFF3B", u"["},
    {u"\uFFE5", u"\\"}, {u"\uFF3D", u"]"}, {u"\uFF3E", u"^"}, {u"\uFF3F", u"_"}, {u"\uFF40", u"`"}, {u"\uFF5B", u"{"},
    {u"\uFF5C", u"|"}, {u"\uFF5D", u"}"}, {u"\uFF5E", u"~"}, {u"\u300C", u"｢"}, {u"\u300D", u"｣"}, {u"\u3002", u"｡"},
    {u"\u3001", u"､"},
};

// Full-width letters, upper case and lower case.
constexpr CharacterPair fullWidthCase[] = {
    {u"Ａ", u"ａ"}, {u"Ｂ", u"ｂ"}, {u"Ｃ", u"ｃ"}, {u"Ｄ", u"ｄ"}, {u"Ｅ", u"ｅ"}, {u"Ｆ", u"ｆ"}, {u"Ｇ", u"ｇ"}, {u"Ｈ", u"ｈ"},
    {u"Ｉ", u"ｉ"}, {u"Ｊ", u"ｊ"}, {u"Ｋ", u"ｋ"}, {u"Ｌ", u"ｌ"}, {u"Ｍ", u"ｍ"}, {u"Ｎ", u"ｎ"}, {u"Ｏ", u"ｏ"}, {u"Ｐ", u"ｐ"},
    {u"Ｑ", u"ｑ"}, {u"Ｒ", u"ｒ"}, {u"Ｓ", u"ｓ"}, {u"Ｔ", u"ｔ"}, {u"Ｕ", u"ｕ"}, {u"Ｖ", u"ｖ"}, {u"Ｗ", u"ｗ"}, {u"Ｘ", u"ｘ"},
    {u"Ｙ", u"ｙ"}, {u"Ｚ", u"ｚ"},
};

// Half-width letters, upper case and lower case.
constexpr CharacterPair halfWidthCase[] = {
    {u"A", u"a"}, {u"B", u"b"}, {u"C", u"c"}, {u"D", u"d"}, {u"E", u"e"}, {u"F", u"f"}, {u"G", u"g"}, {u"H", u"h"},
    {u"I", u"i"}, {u"J", u"j"}, {u"K", u"k"}, {u"L", u"l"}, {u"M", u"m"}, {u"N", u"n"}, {u"O", u"o"}, {u"P", u"p"},
    {u"Q", u"q"}, {u"R", u"r"}, {u"S", u"s"}, {u"T", u"t"}, {u"U", u"u"}, {u"V", u"v"}, {u"W", u"w"}, {u"X", u"x"},
    {u"Y", u"y"}, {u"Z", u"z"},
};

// Control characters and their escapes: the short escape first, where there is one.
constexpr CharacterPair controlEscape[] = {
    {u"\x01", u"\\x01"}, {u"\x02", u"\\x02"}, {u"\x03", u"\\x03"}, {u"\x04", u"\\x04"}, {u"\x05", u"\\x05"},
    {u"\x06", u"\\x06"}, {u"\x07", u"\\a"}, {u"\x07", u"\\x07"}, {u"\x08", u"\\b"}, {u"\x08", u"\\x08"},
    {u"\x09", u"\\t"}, {u"\x09", u"\\x09"}, {u"\x0a", u"\\n"}, {u"\x0a", u"\\x0a"}, {u"\x0b", u"\\x0b"},
    {u"\x0c", u"\\f"}, {u"\x0c", u"\\x0c"}, {u"\x0d", u"\\r"}, {u"\x0d", u"\\x0d"}, {u"\x0e", u"\\x0e"},
    {u"\x0f", u"\\x0f"}, {u"\x10", u"\\x10"}, {u"\x11", u"\\x11"}, {u"\x12", u"\\x12"}, {u"\x13", u"\\x13"},
    {u"\x14", u"\\x14"}, {u"\x15", u"\\x15"}, {u"\x16", u"\\x16"}, {u"\x17", u"\\x17"}, {u"\x18", u"\\x18"},
    {u"\x19", u"\\x19"}, {u"\x1a", u"\\x1a"},
};

// Control characters and their caret notation.
constexpr CharacterPair controlCaret[] = {
    {u"\x01", u"^A"}, {u"\x02", u"^B"}, {u"\x03", u"^C"}, {u"\x04", u"^D"}, {u"\x05", u"^E"}, {u"\x06", u"^F"},
    {u"\x07", u"^G"}, {u"\x08", u"^H"}, {u"\x09", u"^I"}, {u"\x0a", u"^J"}, {u"\x0b", u"^K"}, {u"\x0c", u"^L"},
    {u"\x0d", u"^M"}, {u"\x0e", u"^N"}, {u"\x0f", u"^O"}, {u"\x10", u"^P"}, {u"\x11", u"^Q"}, {u"\x12", u"^R"},
    {u"\x13", u"^S"}, {u"\x14", u"^T"}, {u"\x15", u"^U"}, {u"\x16", u"^V"}, {u"\x17", u"^W"}, {u"\x18", u"^X"},
    {u"\x19", u"^Y"}, {u"\x1a", u"^Z"},
};

template <size_t Size>
constexpr ConversionFamily family(uint32_t forwardFlag, uint32_t reverseFlag, const CharacterPair (&pairs)[Size]) {
    return {forwardFlag, reverseFlag, pairs, Size};
}

// ORDER: the order in which the families apply at one position.
constexpr ConversionFamily families[] = {
    family(0x10, 0x20, hiraganaKatakana),       // CC_HIRA_KATA, CC_KATA_HIRA
    family(0x40, 0x80, katakanaWidth),          // CC_KATA_FL_HF, CC_KATA_HF_FL
    family(0x100, 0x200, letterWidth),          // CC_ALPHA_FL_HF, CC_ALPHA_HF_FL
    family(0x400, 0x800, digitWidth),           // CC_NUM_FL_HF, CC_NUM_HF_FL
    family(0x1000, 0x2000, symbolWidth),        // CC_SYM_FL_HF, CC_SYM_HF_FL
    family(0x4000, 0x8000, fullWidthCase),      // CC_FALPHA_UP_LO, CC_FALPHA_LO_UP
    family(0x10000, 0x20000, halfWidthCase),    // CC_HALPHA_UP_LO, CC_HALPHA_LO_UP
    family(0x40000, 0x80000, controlEscape),    // CC_CTRL_ESC, CC_ESC_CTRL
    family(0x100000, 0x200000, controlCaret),   // CC_CTRL_CARET, CC_CARET_CTRL
};

// The text still to be examined: what replacements put back at the front, then the unread
// input. Replacements are short, so the walk stays linear however many there are.
class PendingText {
public:
    explicit PendingText(std::u16string_view input) : input_(input) {}

    bool empty() const { return front_.empty() && input_.empty(); }

    bool startsWith(std::u16string_view prefix) const {
        size_t inFront = std::min(prefix.size(), front_.size());
        if (prefix.substr(0, inFront) != std::u16string_view(front_).substr(0, inFront)) return false;
        std::u16string_view rest = prefix.substr(inFront);
        return input_.substr(0, rest.size()) == rest;
    }

    void replacePrefix(size_t length, std::u16string_view with) {
        if (length <= front_.size()) {
            front_.erase(0, length);
        } else {
            input_.remove_prefix(length - front_.size());
            front_.clear();
        }
        front_.insert(0, with.data(), with.size());
    }

    char16_t take() {
        char16_t unit;
        if (!front_.empty()) {
            unit = front_[0];
            front_.erase(0, 1);
        } else {
            unit = input_[0];
            input_.remove_prefix(1);
        }
        return unit;
    }

private:
    std::u16string front_;
    std::u16string_view input_;
};

// Half-width katakana and their punctuation take one column, like ASCII.
bool takesTwoColumns(char16_t unit) { return unit > 0xFF && !(unit >= 0xFF61 && unit <= 0xFF9F); }

std::u16string expandTabs(const std::u16string& text, uint32_t width) {
    std::u16string expanded;
    expanded.reserve(text.size());
    uint64_t column = 0;
    for (char16_t unit : text) {
        // Every unit is at least one byte of the script string this becomes.
        if (unit == u'\t') {
            uint64_t spaces = width - column % width;
            checkTextBytes(expanded.size() + spaces);
            expanded.append(static_cast<size_t>(spaces), u' ');
            column += spaces;
            continue;
        }
        checkTextBytes(expanded.size() + 1);
        expanded.push_back(unit);
        column = unit == u'\r' || unit == u'\n' ? 0 : column + (takesTwoColumns(unit) ? 2 : 1);
    }
    return expanded;
}

}  // namespace

ConversionFamilies conversionFamilies() { return {families, sizeof families / sizeof families[0]}; }

// At each position every chosen family tries its pairs in order; then the walk moves on by one
// unit, so the second unit of a replacement is examined in its turn.
std::u16string convertCharacterClasses(std::u16string_view text, uint32_t flags) {
    std::u16string converted;
    if ((flags & conversion_flag::AnyClass) == 0 || text.empty()) {
        converted = text;
    } else {
        converted.reserve(text.size());
        PendingText pending(text);
        while (!pending.empty()) {
            for (const ConversionFamily& conversion : families) {
                bool forward = (flags & conversion.forwardFlag) != 0;
                if (!forward && (flags & conversion.reverseFlag) == 0) continue;
                for (size_t i = 0; i < conversion.size; ++i) {
                    std::u16string_view from = forward ? conversion.pairs[i].first : conversion.pairs[i].second;
                    std::u16string_view to = forward ? conversion.pairs[i].second : conversion.pairs[i].first;
                    if (!from.empty() && pending.startsWith(from)) pending.replacePrefix(from.size(), to);
                }
            }
            if (pending.empty()) break;
            checkTextBytes(converted.size() + 1);
            converted.push_back(pending.take());
        }
    }
    if (flags & (conversion_flag::Tab4 | conversion_flag::Tab8))
        converted = expandTabs(converted, flags & conversion_flag::Tab4 ? 4 : 8);
    return converted;
}

void builtinConvChar(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::u16string text = utf8ToUtf16(Interpreter::asString(arguments[0]));
    auto flags = static_cast<uint32_t>(Interpreter::asInt(arguments[1]));
    result = ScriptValue::string(utf8WithinLimit(convertCharacterClasses(text, flags)));
}

}  // namespace wavelith::script
