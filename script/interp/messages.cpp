#include "script/interp/messages.h"

#include "script/interp/text.h"

#include <cstdio>

namespace wavelith::script {

namespace {
// ORDER: enum Message.
const MessageText table[] = {
    {109, "Runtime Error: Unassigned variable(%S) at line %d\n",
     "Runtime Error: 未代入の変数(%S)を参照しました。行番号：%d\n"},
    {110, "Runtime Error: Invalid index value(%S[%d]) at line %d\n",
     "Runtime Error: 不正な配列要素番号指定(%S[%d])。行番号:%d\n"},
    {102, "Runtime Error: Division by zero(/0) at line %d\n", "Runtime Error: 0による除算(/0)。行番号:%d\n"},
    {103, "Runtime Error: Division by zero(%%0) at line %d\n", "Runtime Error: 0による除算(%%0)。行番号:%d\n"},
    {102, "Runtime Error: Division by zero(/=0) at line %d\n", "Runtime Error: 0による除算(/=0)。行番号:%d\n"},
    {103, "Runtime Error: Division by zero(%%=0) at line %d\n", "Runtime Error: 0による除算(%%=0)。行番号:%d\n"},
    {105, "Runtime error at line %d: Unknown Function Call or arguments not valid:%S(args:%d)\n",
     "Runtime error 行番号:%d: 不明な関数の呼び出しか、引数が正しくありません:%S(引数:%d)\n"},
    {105, "Runtime error at line %d: Unknown application provided function call:CB.%S(args:%d)\n",
     "Runtime error 行番号:%d: アプリケーションにない関数の呼び出しです:CB.%S(引数:%d)\n"},
    {108, "Runtime error at line %d: Too many function call:%S(args:%d)\n",
     "Runtime error 行番号:%d: 関数の呼び出しが深すぎます:%S(引数:%d)\n"},
    {108, "Runtime error at line %d: Script nested too deeply to run\n",
     "Runtime error 行番号:%d: スクリプトの入れ子が深すぎて実行できません\n"},
    {111, "Runtime error: Unknown Label(GOTO %S)\n", "Runtime error: 不明なラベルです(GOTO %S)\n"},
    {112, "Runtime error: An error occurred during regular expression processing: %S\n",
     "Runtime error: 正規表現の処理中にエラーが発生しました: %S\n"},
    {112,
     "Runtime error at line %d: The complexity of matching the regular expression exceeded predefined bounds in "
     "%S(); it gave its failure value\n",
     "Runtime error 行番号:%d: 正規表現の照合が複雑すぎて上限を超えたため、%S() は失敗の値を返しました\n"},
    {106, "Runtime error: std::runtime_error: %S\n", "Runtime error: 実行時エラー std::runtime_error: %S\n"},
    {106, "Runtime error: std::bad_alloc: %S\n", "Runtime error: メモリ不足 std::bad_alloc: %S\n"},
    {199, "Runtime error: Unknown error.\n", "Runtime error: 不明なエラーです。\n"},
    {107, "Invalid Parameter.", "パラメータが正しくありません。"},
    {106, "Out of memory while translating script.", "スクリプトの変換中にメモリが不足しました。"},
    {107, "Script Convert Error.", "スクリプトを変換できません。"},
};
static_assert(sizeof table / sizeof table[0] == static_cast<size_t>(Message::Count), "one row per message");
}  // namespace

const MessageText& messageText(Message message) { return table[static_cast<size_t>(message)]; }

std::u16string formatMessage(const char* format, std::initializer_list<MessageArgument> arguments) {
    std::string text;
    auto next = arguments.begin();
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            text.push_back(*p);
            continue;
        }
        char directive = *++p;
        if (directive == '%') {
            text.push_back('%');
        } else if (next != arguments.end()) {
            if (auto number = std::get_if<int32_t>(&*next)) {
                text += std::to_string(*number);
            } else {
                text += std::get<std::string_view>(*next);
            }
            ++next;
        }
    }
    return utf8ToUtf16(text);
}

}  // namespace wavelith::script
