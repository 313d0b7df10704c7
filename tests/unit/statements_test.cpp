#include "script_runner.h"

#include <gtest/gtest.h>

using wavelith::script::testing::ScriptRunner;

namespace {

TEST(Statements, LoopsAndTheirControlWord) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + s + \"/\" + t", "s = 0\nLOOP {\ns++\nIF s == 3 {\nBREAK\n}\nt += 10\n}\n"), "3/20");
    EXPECT_EQ(runner.show("\"\" + s + \"/\" + i",
                          "FOR (i = 0, i < 5, i++) {\nIF i % 2 {\nCONTINUE\n}\ns += i\n}\n"),
              "6/5");
    EXPECT_EQ(runner.show("n", "n = 0\nREPEAT {\nn++\nIF n < 3 {\nCONTINUE\n}\n} UNTIL 1\n"), "1");
    EXPECT_EQ(runner.show("n", "n = 0\nREPEAT {\nn++\n} UNTIL n == 4\n"), "4");
    EXPECT_EQ(runner.show("n", "n = 0\nWHILE 0 {\nn = 1\n}\n"), "0");
    EXPECT_EQ(runner.show("n", "n = 0\nWHILE \"0\" {\nn++\nBREAK\n}\n"), "1");
    EXPECT_EQ(runner.show("r", "IF \"0\" {\nr = 1\n}\nIF !\"0\" {\nr += 2\n}\nIF \"\" {\nr += 4\n}\n"), "3");
    EXPECT_EQ(runner.show("r", "x = 2\nIF x == 1 {\nr = 1\n} ELSE IF x == 2 {\nr = 2\n} ELSE {\nr = 3\n}\n"), "2");
}

TEST(Statements, ExitAndReturnAtTopLevel) {
    ScriptRunner runner;
    EXPECT_EQ(runner.run("FOR (i = 0, , i++) {\nWHILE 1 {\nEXIT 5\n}\n}\n"), 5);
    EXPECT_EQ(runner.run("EXIT\n"), 0);
    EXPECT_EQ(runner.run("EXIT \"12abc\"\n"), 12);
    EXPECT_EQ(runner.run("RETURN 7\nMESSAGE(\"no\")\n"), 7);
    EXPECT_TRUE(runner.boxes().empty());
    EXPECT_EQ(runner.run("x = 1\n"), 0);
    // A top-level BREAK leaves its request set: the run ends there.
    EXPECT_EQ(runner.run("BREAK\nMESSAGE(\"no\")\n"), 0);
    EXPECT_TRUE(runner.boxes().empty());
}

TEST(Statements, GotoWithinAndOutOfBlocks) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("n", "n = 0\n:again\nn++\nIF n < 5 {\nGOTO :again\n}\n"), "5");
    EXPECT_EQ(runner.show("n", "n = 0\nt = \":done\"\nLOOP {\nn++\nGOTO t\n}\n:DONE\n"), "1");
    runner.run("GOTO \"again\"\n:again\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{111});
    EXPECT_EQ(runner.messages[0].line, -1);
    EXPECT_EQ(runner.messages[0].text, "Runtime error: Unknown Label(GOTO AGAIN)\n");
    runner.run("GOTO :inner\nIF 1 {\n:inner\n}\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{111});
}

TEST(Statements, StopPollAfterEveryStatement) {
    ScriptRunner runner;
    runner.run("x = 1\n\n\ny = 2\nIF 1 {\nz = 3\n}\n");
    EXPECT_EQ(runner.polledLines, (std::vector<int32_t>{1, 4, 6, 7}));
    // An endless GOTO loop still ends when the host says so.
    runner.stopAtPoll = 1000;
    EXPECT_EQ(runner.run(":top\nGOTO :top\n"), 0);
    EXPECT_EQ(runner.polledLines.size(), 1000u);
}

TEST(Statements, ErrorInALoopConditionStillRunsTheFirstBodyStatement) {
    ScriptRunner runner;
    runner.run("WHILE (1 / 0) + 1 {\nMESSAGE(\"one\")\nMESSAGE(\"two\")\n}\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{102});
    EXPECT_EQ(runner.boxes(), std::vector<std::string>{"one"});
}

}  // namespace
