#include "script_runner.h"

#include "script/front/parse.h"
#include "script/front/syntax_tree.h"

#include <gtest/gtest.h>

using wavelith::script::testing::ScriptRunner;

namespace {

TEST(Parser, PrecedenceAndAssociativity) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("2 ** 3 ** 2"), "64");
    EXPECT_EQ(runner.show("2 * 3 ** 2"), "36");
    EXPECT_EQ(runner.show("-2 ** 2"), "4");
    EXPECT_EQ(runner.show("1 + 2 * 3 - 4"), "3");
    EXPECT_EQ(runner.show("1 | 6 & 3 ^ 1"), "3");
    EXPECT_EQ(runner.show("1 << 2 + 1"), "8");
    EXPECT_EQ(runner.show("1 < 2 == 1"), "1");
    EXPECT_EQ(runner.show("0 ? 1 : 0 ? 2 : 3"), "3");
    EXPECT_EQ(runner.show("1 + x = 2 + 3"), "6");
}

TEST(Parser, StrictComparisonsTakeEverythingToTheirRight) {
    ScriptRunner runner;
    // a + b === c + d is a + (b === (c + d))
    EXPECT_EQ(runner.show("1 + 2 === 1 + 1"), "2");
    // a === b ? c : d is a === (b ? c : d)
    EXPECT_EQ(runner.show("5 === 0 ? 4 : 5"), "1");
    EXPECT_EQ(runner.show("2 == 1 === 1"), "0");
}

TEST(Parser, LogicalOperatorsOnlyAtTheConditionLevel) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("f((1 && 0))", "FUNC f(a) {\nRETURN a\n}\n"), "0");
    for (const char* bad : {"x = !y\n", "f(a && b)\n", "a[0] += 1\n", "a[0]++\n", "{ x = 1 }\n"}) {
        runner.run(bad);
        EXPECT_EQ(runner.codes(), std::vector<unsigned>{101}) << bad;
    }
    // x = a && b is (x = a) && b
    EXPECT_EQ(runner.show("x", "x = 5 && 0\n"), "5");
    // ! a == b is !(a == b); ! a && b is (!a) && b
    EXPECT_EQ(runner.show("! 1 == 2"), "1");
    EXPECT_EQ(runner.show("! 0 && 0"), "0");
}

TEST(Parser, StatementsAndLineEnds) {
    ScriptRunner runner;
    EXPECT_EQ(runner.run("\n\n\r\n"), 0);
    EXPECT_TRUE(runner.messages.empty());
    EXPECT_EQ(runner.run("RETURN 1 x = 2\n"), 1);
    EXPECT_TRUE(runner.messages.empty());
    runner.run("x = 1 y = 2\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{101});
    EXPECT_EQ(runner.show("s", "FOR (i = 0, , i++) {\nIF i == 4 {\nBREAK\n}\ns = i\n}\n"), "3");
}

TEST(Parser, SyntaxErrorReportLayout) {
    ScriptRunner runner;
    runner.run("x = 1\nIF c { x = 1 }\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 101u);
    EXPECT_EQ(runner.messages[0].line, 2);
    EXPECT_EQ(runner.messages[0].text,
              "line 2, col 14: parse error, expecting `AND' or `OR' or `EOL' (got '}')\n"
              "   2 | IF c { x = 1 }\n"
              "                    ^");
    runner.run("FOR x\n");
    EXPECT_EQ(runner.messages[0].text,
              "line 1, col 5: parse error, expecting `'('' (got 'x')\n"
              "   1 | FOR x\n"
              "           ^");
    runner.run("REPEAT {\n}\nx = 1\n");
    EXPECT_EQ(runner.messages[0].text.substr(0, runner.messages[0].text.find('\n')),
              "line 2, col 2: parse error, expecting `UNTIL'");
    // Tildes mark the rest of a long token; more than four choices are not listed.
    runner.run("x = 1 + \"abc\" \"def\"\n");
    EXPECT_EQ(runner.messages[0].text,
              "line 1, col 19: parse error, expecting `AND' or `OR' or `EOL' (got '\"')\n"
              "   1 | x = 1 + \"abc\" \"def\"\n"
              "                         ^");
    runner.run("x = 1 + ELSEWHERE ELSE\n");
    EXPECT_EQ(runner.messages[0].text.substr(runner.messages[0].text.rfind('\n') + 1),
              std::string(1 + 5 + 19, ' ') + "^~~~");
}

TEST(Parser, ReportLimits) {
    std::vector<std::string_view> lines{std::string_view("short")};
    std::string longToken(500, 'A');
    std::string report = wavelith::script::syntaxErrorReport("parse error", 1, 300, longToken, lines);
    auto firstBreak = report.find('\n');
    // got part at most 127 bytes, marker line at most 254 with its caret at column 252 at most.
    EXPECT_EQ(report.substr(0, firstBreak).size(), std::string("line 1, col 300: parse error").size() + 127);
    std::string marker = report.substr(report.rfind('\n') + 1);
    EXPECT_EQ(marker.find('^'), 252u);
    EXPECT_EQ(marker.size(), 254u);
    std::vector<std::string_view> longLine{std::string_view(longToken)};
    report = wavelith::script::syntaxErrorReport("parse error", 1, 1, "A", longLine);
    EXPECT_LE(report.size(), 1023u);
    EXPECT_EQ(report.substr(report.find('\n') + 1, 256).find('\n'), 255u);
}

TEST(Parser, FunctionsAreDefinedWhenReducedAndAFailedParseFreesItsWork) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("f()", "FUNC f() {\nRETURN 1\n}\nFUNC f() {\nRETURN 2\n}\n"), "2");
    // Callable before the text that defines it; even from inside an expression.
    EXPECT_EQ(runner.show("g(2) + h", "h = FUNC g(a) {\nRETURN a * 3\n} + 1\n"), "7");
    runner.run("FUNC early() {\nRETURN 1\n}\nIF 1 {\n x = \n}\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{101});
    EXPECT_EQ(runner.show("early()"), "0");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{105});
}

TEST(Parser, NestingLimits) {
    ScriptRunner runner;
    std::string deep = std::string(3000, '(') + "1" + std::string(3000, ')');
    EXPECT_EQ(runner.show(deep), "1");
    std::string tooDeep = "x = " + std::string(10000, '(') + "1" + std::string(10000, ')') + "\n";
    runner.run(tooDeep);
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{101});
    EXPECT_NE(runner.messages[0].text.find("parser stack overflow"), std::string::npos);
}

// A parse's nodes share blocks of memory that go only with the last of those nodes, wherever the
// tree went; a node made outside any parse is a heap node of its own.
TEST(Parser, NodesOutliveTheParseThatMadeThem) {
    using namespace wavelith::script;
    auto loose = std::make_unique<IntNode>(-1, 1);
    std::vector<NodePtr> kept;
    {
        NodeArena::Scope parse;
        for (int i = 0; i < 5000; ++i) {
            NodePtr node = std::make_unique<IntNode>(i, i);
            if (i % 1000 == 0) kept.push_back(std::move(node));
        }
    }
    {
        // Memory freed too early would be handed to these.
        NodeArena::Scope next;
        std::vector<NodePtr> others;
        for (int i = 0; i < 5000; ++i) others.push_back(std::make_unique<IntNode>(7, 7));
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(static_cast<IntNode&>(*kept[i]).value, i * 1000);
    EXPECT_EQ(loose->value, -1);
}

}  // namespace
