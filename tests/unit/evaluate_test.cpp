#include "script_runner.h"

#include <gtest/gtest.h>

using wavelith::script::testing::ScriptRunner;

namespace {

TEST(Evaluate, IntegerArithmetic) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("7 / 2"), "3");
    EXPECT_EQ(runner.show("-7 / 2"), "-3");
    EXPECT_EQ(runner.show("-7 % 2"), "-1");
    EXPECT_EQ(runner.show("7 % -2"), "1");
    EXPECT_EQ(runner.show("2 ** 31"), "-2147483648");
    EXPECT_EQ(runner.show("3 ** -1"), "1");
    EXPECT_EQ(runner.show("2147483647 + 1"), "-2147483648");
    EXPECT_EQ(runner.show("-8 >> 1"), "-4");
    EXPECT_EQ(runner.show("1 << 33"), "2");
    EXPECT_EQ(runner.show("-MININTEGER"), "-2147483648");
    EXPECT_EQ(runner.show("~5"), "-6");
    EXPECT_EQ(runner.show("7 ** 1000000000"), "-833851391");  // squaring, not a billion multiplications
    EXPECT_TRUE(runner.messages.empty());
}

TEST(Evaluate, SmallestIntegerByMinusOneDoesNotTrap) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("MININTEGER / -1"), "-2147483648");
    EXPECT_EQ(runner.show("MININTEGER % -1"), "0");
    EXPECT_EQ(runner.show("x", "x = MININTEGER\nx /= -1\n"), "-2147483648");
    EXPECT_EQ(runner.show("x", "x = MININTEGER\nx %= -1\n"), "0");
    EXPECT_TRUE(runner.messages.empty());
}

TEST(Evaluate, StringsAndComparisons) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("1 + \"2\""), "3");
    EXPECT_EQ(runner.show("\"1\" + 2"), "12");
    EXPECT_EQ(runner.show("\"abc\" < \"abd\""), "1");
    EXPECT_EQ(runner.show("\"ab\" < \"abc\""), "1");
    EXPECT_EQ(runner.show("\"B\" < \"a\""), "1");
    EXPECT_EQ(runner.show("10 < 9"), "0");
    EXPECT_EQ(runner.show("\"10\" < 9"), "1");
    EXPECT_EQ(runner.show("\"\xC3\xA9\" > \"z\""), "1");  // unsigned bytes
    EXPECT_EQ(runner.show("5 == \"5\""), "1");
    EXPECT_EQ(runner.show("5 == \"05\""), "0");
    EXPECT_EQ(runner.show("5 === \"5\""), "0");
    EXPECT_EQ(runner.show("\"5\" === \"5\""), "1");
    EXPECT_EQ(runner.show("5 !== 5"), "0");
    EXPECT_EQ(runner.show("a == 0", "a[1] = 3\n"), "1");
    EXPECT_EQ(runner.show("a == \"A\"", "a[1] = 3\n"), "1");
}

TEST(Evaluate, LogicalOperatorsReadIntegersAndShortCircuit) {
    ScriptRunner runner;
    const std::string f = "FUNC f() {\nMESSAGE(\"called\")\nRETURN 1\n}\n";
    EXPECT_EQ(runner.show("0 && f()", f), "0");
    EXPECT_EQ(runner.boxes().size(), 1u);
    EXPECT_EQ(runner.show("1 || f()", f), "1");
    EXPECT_EQ(runner.boxes().size(), 1u);
    EXPECT_EQ(runner.show("1 && f()", f), "1");
    EXPECT_EQ(runner.boxes().size(), 2u);
    EXPECT_EQ(runner.show("\"abc\" && 1"), "0");
    EXPECT_EQ(runner.show("\"7\" && 1"), "1");
    EXPECT_EQ(runner.show("!\"abc\""), "1");
}

TEST(Evaluate, Assignments) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("s$", "s$ += \"x\"\n"), "x");
    EXPECT_EQ(runner.show("n", "n += 5\n"), "5");
    EXPECT_EQ(runner.show("\"\" + t + \"|\" + s + (s + 1)", "s = \"5\"\nt = s++\n"), "5|67");
    EXPECT_EQ(runner.show("a", "a = \"a\"\n++a\n"), "a1");
    EXPECT_EQ(runner.show("b$", "++b$\n"), "1");
    EXPECT_EQ(runner.show("(x = 4) + x"), "8");
    EXPECT_EQ(runner.show("\"\" + (x -= 1) + (x *= 3) + (x **= 2) + (x >>= 1) + (x <<= 2) + (x |= 1) + (x ^= 3) + "
                          "(x &= 6) + (x %= 4) + x",
                          "x = 4\n"),
              "398140160161162222");
    EXPECT_EQ(runner.show("\"\" + x-- + x", "x = 3\n"), "32");
    EXPECT_EQ(runner.show("s", "s = \"ab\"\ns *= 2\n"), "0");
}

TEST(Evaluate, DivisionByZeroReportsAndTheStatementFinishes) {
    ScriptRunner runner;
    runner.run("DEFINE(\"KEEPVAR\", 1)\nx = 10\ny = (x /= 0)\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 102u);
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Division by zero(/=0) at line 3\n");
    EXPECT_EQ(runner.show("\"\" + x + \"/\" + y"), "10/0");
    runner.run("z = 5 % 0\n");
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Division by zero(%0) at line 1\n");
    runner.run("z = 5\nz %= 0\n");
    EXPECT_EQ(runner.messages[0].code, 103u);
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Division by zero(%=0) at line 2\n");
    runner.host.japanese = 1;
    runner.run("q = 1 / 0\n");
    runner.host.japanese = 0;
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: 0による除算(/0)。行番号:1\n");
}

TEST(Evaluate, LongStringsBuiltPieceByPiece) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("LEN_", "s = \"\"\nFOR (i = 0, i < 20000, i++) {\ns += \"ab\"\n}\nLEN_ = s === s\n"), "1");
    EXPECT_EQ(runner.show("s", "s = \"x\"\nt = (s += \"y\")\ns += t\n"), "xyxy");
}

}  // namespace
