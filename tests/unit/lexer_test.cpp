#include "script_runner.h"

#include <gtest/gtest.h>

using wavelith::script::testing::ScriptRunner;

namespace {

TEST(Lexer, CommentsEndStatementsAndHideTheRestOfTheLine) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("x + y", "x=1;y=2\n"), "1");
    EXPECT_EQ(runner.show("x", "x = 4 # note\n// whole line\n"), "4");
    EXPECT_TRUE(runner.messages.empty());
}

TEST(Lexer, IntegerNotations) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("0b101"), "5");
    EXPECT_EQ(runner.show("0x1F + 0XaB"), "202");
    EXPECT_EQ(runner.show("0xFFFFFFFF"), "2147483647");
    EXPECT_EQ(runner.show("0x80000000"), "2147483647");
    EXPECT_EQ(runner.show("99999999999"), "2147483647");
    // A digit run followed by letters splits: 0B2 is 0 then B2, 1e5 is 1 then E5.
    for (const char* split : {"x = 1e5\n", "x = 0B2\n", "x = 0x\n"}) {
        runner.run(split);
        EXPECT_EQ(runner.codes(), std::vector<unsigned>{101}) << split;
    }
}

TEST(Lexer, StringLiteralsAndEscapes) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show(R"("a\tb")"), "a\tb");
    EXPECT_EQ(runner.show(R"(@"a\tb")"), "a\\tb");
    EXPECT_EQ(runner.show(R"(@"say \"hi")"), "say \\\"hi");
    EXPECT_EQ(runner.show(R"("\x41\q\0")"), "x41q0");
    EXPECT_EQ(runner.show(R"('it"s' + "it's")"), "it\"sit's");
    EXPECT_EQ(runner.show(R"("\a\b\n\v\f\r\\\'")"), std::string("\a\b\n\v\f\r\\'"));
    // A line break inside a literal joins the parts; a backslash before it stays.
    EXPECT_EQ(runner.show("\"ab\ncd\""), "abcd");
    EXPECT_EQ(runner.show("\"ab\\\ncd\""), "ab\\cd");
    EXPECT_EQ(runner.show("\"\xE6\x97\xA5\xE6\x9C\xAC\""), "\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST(Lexer, NamesAreCaseInsensitiveAndDollarIsPartOfTheName) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("ABC$ + abc$ + \"/\" + abc", "Abc$ = \"s\"\nabc = 5\n"), "ss/5");
    for (const char* keyword : {"loop", "Cb", "Exit", "IF", "goto"}) {
        runner.run(std::string(keyword) + " = 1\n");
        EXPECT_EQ(runner.codes(), std::vector<unsigned>{101}) << keyword;
    }
    EXPECT_EQ(runner.show("iffy + else1", "else1 = 3\niffy = 2\n"), "5");
    // The white space before a name that starts with ELSE is swallowed like that before ELSE.
    runner.run("iffy = 2\nelse1 = 3\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{101});
}

TEST(Lexer, ElseAndBraceMayStartTheirOwnLines) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("r", "IF 0 {\n r = 1\n}\nelse\n{\n r = 2\n}\n"), "2");
    EXPECT_EQ(runner.show("r", "IF 1\n\n{\n r = 3\n}\n"), "3");
}

TEST(Lexer, OpenParenthesisSwallowsABareLineFeedOnly) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("f(\n1)", "FUNC f(a) {\nRETURN a + 1\n}\n"), "2");
    runner.run("FUNC f(a) {\nRETURN a\n}\nx = f( \r\n1)\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{101});
}

TEST(Lexer, CarriageReturnsAreLineEndsButNotLines) {
    ScriptRunner runner;
    EXPECT_EQ(runner.run("x = 1\r\ny = 1 / 0\r\n"), 0);
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].line, 2);
    // A lone CR ends a statement, yet does not count as a line.
    runner.run("x = 1\ry = 1 / 0\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].line, 1);
}

TEST(Lexer, LabelsKeepTheirColonAndAreUpperCased) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("n", "n = 0\n:Start\nn++\nIF n < 3 {\nGOTO :start\n}\n"), "3");
    // In a ? b :c the :c is a label, so the conditional needs a space after its colon.
    runner.run("c = 1\nx = 1 ? 2 :c\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{101});
}

TEST(Lexer, UnterminatedStringFailsAndTheNextRunStartsClean) {
    ScriptRunner runner;
    runner.run("x = \"open\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{101});
    // At the end of input: no got part and no source quote.
    EXPECT_EQ(runner.messages[0].text, "line 3, col 1: parse error");
    EXPECT_EQ(runner.show("\"fine\""), "fine");
}

TEST(Lexer, ColumnsRestartAfterCommentsAndCountEveryByte) {
    ScriptRunner runner;
    runner.run("# comment\n\tx = = 1\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].text.substr(0, 17), "line 2, col 6: pa");
}

// Runs of blank lines are split once, not searched for ELSE again at every line feed (that cost
// grew with the square of the run: see bench/run.sh). Each break is still one EOL at its own
// line and column, and a run before ELSE or "{" still vanishes.
TEST(Lexer, LongRunsOfBlankLinesKeepLinesColumnsAndElse) {
    std::string blank;
    for (int i = 0; i < 20000; ++i) blank += i % 3 == 0 ? " \t\r\n" : "\n";
    ScriptRunner runner;
    runner.run("x = 1\n" + blank + "  y = = 2\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{101});
    EXPECT_EQ(runner.messages[0].line, 20002);
    EXPECT_EQ(runner.messages[0].text.substr(0, 22), "line 20002, col 7: par");
    // A stray byte right after a run: the run's last break still counts.
    runner.run(blank + "`\n");
    EXPECT_EQ(runner.messages[0].text.substr(0, 22), "line 20001, col 1: par");
    EXPECT_EQ(runner.show("r", "IF 0 {\n}" + blank + "ELSE" + blank + "{\n r = 2\n}\n"), "2");
    EXPECT_EQ(runner.show("r", "IF 1" + blank + "{\n r = 3\n}\n"), "3");
}

// Names and the reported token are read from the script text itself, not copied at each match.
TEST(Lexer, LongNamesAndReportsAfterManyStatements) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("Sum_Of_All_The_Values$(Long_Array_Name_Here[2], 2)",
                          "FUNC sum_of_all_the_values$(The_First_Long_Parameter, n) {\n"
                          "RETURN the_first_long_parameter + N * THE_FIRST_LONG_PARAMETER\n}\n"
                          "LONG_array_name_here[2] = 7\nGOTO :long_label_name_x\nlong_array_name_here[2] = 0\n"
                          ":Long_Label_Name_X\n"),
              "21");

    std::string script = "Very_Long_Name_Of_A_Counter$ = 0\n# comment\r\n";
    for (int i = 1; i <= 3000; ++i) script += "very_long_name_of_a_counter$ += " + std::to_string(i) + " ; note\n";
    script += "x = \"\xE6\x97\xA5\\\"\xE6\x9C\xAC\" + @\"a\\tb\" + Very_Long_Name_Of_A_Counter$ Another_Long_Name_Here\n";
    runner.run(script);
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].line, 3003);
    EXPECT_EQ(runner.messages[0].text,
              "line 3003, col 57: parse error, expecting `AND' or `OR' or `EOL' (got 'Another_Long_Name_Here')\n"
              "   3003 | x = \"\xE6\x97\xA5\\\"\xE6\x9C\xAC\" + @\"a\\tb\" + Very_Long_Name_Of_A_Counter$ "
              "Another_Long_Name_Here\n" +
                  std::string(66, ' ') + "^" + std::string(21, '~'));
}

}  // namespace
