#include "script_runner.h"

#include "script/interp/stack_limit.h"

#include <gtest/gtest.h>

using wavelith::script::testing::ScriptRunner;

namespace {

TEST(Calls, ParametersAreSavedAndRestored) {
    ScriptRunner runner;
    const std::string f = "FUNC f(a, b) {\nRETURN a * 10 + b\n}\n";
    // Arguments beyond the parameters are never evaluated.
    EXPECT_EQ(runner.show("f(1, 2, g())", f + "FUNC g() {\nMESSAGE(\"g\")\n}\n"), "12");
    EXPECT_EQ(runner.boxes().size(), 1u);
    // A parameter without an argument is the outside variable of that name.
    EXPECT_EQ(runner.show("f(1)", f + "b = 7\n"), "17");
    EXPECT_EQ(runner.show("\"\" + a + \"/\" + b + \"/\" + TYPEOF(\"b\")", f + "a = 5\nx = f(1, 2)\n"), "5/0/int");
    EXPECT_EQ(runner.show("TYPEOF(\"s$\") + s$ + \"|\"", "FUNC h(s$) {\n}\nh(\"x\")\n"), "invalid|");
    EXPECT_EQ(runner.show("c", "FUNC k(c) {\n}\nk(3)\n"), "0");
    // A later argument sees an earlier parameter already bound.
    EXPECT_EQ(runner.show("f(3, a)", f + "a = 1\n"), "33");
    // Globals written inside a function stay written: there are no scopes.
    EXPECT_EQ(runner.show("g", "FUNC w() {\ng = 9\n}\nw()\n"), "9");
}

TEST(Calls, RecursionToTheDepthLimit) {
    ScriptRunner runner;
    const std::string down = "FUNC d(n) {\nIF n > 1 {\nRETURN d(n - 1) + 1\n}\nRETURN 1\n}\n";
    wavelith::script::runWithStack(64u * 1024 * 1024, [&]() {
        EXPECT_EQ(runner.show("d(513)", down), "513");
        EXPECT_TRUE(runner.messages.empty());
        runner.show("d(514)", down);
        ASSERT_EQ(runner.codes(), std::vector<unsigned>{108});
        EXPECT_EQ(runner.messages[0].line, 3);
        EXPECT_EQ(runner.messages[0].text, "Runtime error at line 3: Too many function call:D(args:1)\n");
    });
}

TEST(Calls, RunawayNestingEndsTheRunInsteadOfTheProcess) {
    ScriptRunner runner;
    // Each call waits inside a deep expression: far more stack than any thread has.
    std::string deep = std::string(6000, '~');
    std::string script = "FUNC r(n) {\nIF n < 500 {\nRETURN " + deep + "r(n + 1)\n}\nRETURN 0\n}\nx = r(0)\n";
    wavelith::script::runWithStack(1024 * 1024, [&]() { runner.run(script); });
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{108});
    EXPECT_NE(runner.messages[0].text.find("nested too deeply"), std::string::npos);
    EXPECT_EQ(runner.show("1 + 1"), "2");  // and the interpreter is ready for the next run
}

TEST(Calls, BuiltinDispatch) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("abs(-3) + Abs$(-4) + ABS(5)"), "12");
    runner.run("x = ABS(1, 2)\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{105});
    EXPECT_EQ(runner.messages[0].text,
              "Runtime error at line 1: Unknown Function Call or arguments not valid:ABS(args:2)\n");
    EXPECT_EQ(runner.show("nosuch$(MESSAGE(\"evaluated\")) + \"|\""), "|");
    EXPECT_EQ(runner.boxes().front(), "evaluated");
    // A user function shadows a built-in unless the call is written with '$'.
    EXPECT_EQ(runner.show("\"\" + abs(-1) + abs$(-1)", "FUNC ABS(n) {\nRETURN 99\n}\n"), "991");
}

TEST(Calls, Assert) {
    ScriptRunner runner;
    runner.run("ASSERT(1, \"fine\")\nASSERT(0, \"broken \" + 42)\nMESSAGE(\"no\")\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 114u);
    EXPECT_EQ(runner.messages[0].line, 2);
    EXPECT_EQ(runner.messages[0].text, "broken 42");
    EXPECT_TRUE(runner.boxes().empty());
    runner.run("ASSERT(0)\n");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{105});
}

TEST(Calls, ApplicationFunctions) {
    ScriptRunner runner;
    std::vector<std::u16string> seen;
    runner.host.appFunction = [&](wavelith::script::AppCallRecord& call) {
        seen.push_back(call.name);
        ASSERT_EQ(call.argCount, 2);
        EXPECT_EQ(call.args[0].isString, 1);
        EXPECT_EQ(call.args[0].text, u"\u65E5");
        EXPECT_EQ(call.args[1].isString, 0);
        EXPECT_EQ(call.args[1].intValue, 3);
        call.result->isString = 1;
        call.result->text = u"done";
    };
    EXPECT_EQ(runner.show("cb.ShellNotify(\"\xE6\x97\xA5\", 3)"), "done");
    EXPECT_EQ(seen, std::vector<std::u16string>{u"SHELLNOTIFY"});
    runner.host.appFunction = nullptr;
    runner.run("x = CB.Notify(MESSAGE(\"no\"))\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{105});
    EXPECT_EQ(runner.messages[0].text,
              "Runtime error at line 1: Unknown application provided function call:CB.NOTIFY(args:1)\n");
    EXPECT_TRUE(runner.boxes().empty());
}

TEST(RunEntry, TextIntakeAndRefusals) {
    ScriptRunner runner;
    // A byte-order mark is skipped; a missing final line end is supplied.
    std::u16string withMark = u"\uFEFFEXIT 3";
    EXPECT_EQ(wavelith::script::qx_script(withMark.c_str(), &runner.host), 3);
    runner.messages.clear();
    EXPECT_EQ(wavelith::script::qx_script(nullptr, &runner.host), -1);
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{107});
    EXPECT_EQ(runner.messages[0].text, "Invalid Parameter.");
    // Refusing once does not leave the interpreter busy; no host at all is fine too.
    EXPECT_EQ(wavelith::script::qx_script(u"EXIT 4\n", nullptr), 4);
    // A run started from inside a run is refused.
    int inner = 0;
    runner.host.messageBox = [&](void*, const std::u16string&, const std::u16string&, uint32_t) {
        inner = wavelith::script::qx_script(u"EXIT 9\n", nullptr);
        return 1;
    };
    EXPECT_EQ(runner.run("MESSAGE(1)\nEXIT 2\n"), 2);
    EXPECT_EQ(inner, -1);
}

TEST(RunEntry, EachRunStartsFresh) {
    ScriptRunner runner;
    runner.run("FUNC f() {\nRETURN 1\n}\nv = 5\nEXIT 8\n");
    EXPECT_EQ(runner.show("\"\" + f() + v"), "00");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{105});
    EXPECT_EQ(runner.run("x = 1\n"), 0);
}

TEST(RunEntry, JapaneseTextsAndRscLang) {
    ScriptRunner runner;
    runner.host.japanese = 1;
    runner.run("x = nosuch()\n");
    EXPECT_EQ(runner.messages[0].text.find("Runtime error 行番号:1"), 0u);
    runner.run("DEFINE(\"RSC_LANG\", 0)\nx = 1 / 0\n");
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Division by zero(/0) at line 2\n");
    runner.host.japanese = 0;
    runner.run("DEFINE(\"rsc_lang\", 1)\nDEFINE(\"MUSTVARDEF\", 1)\nx = y\n");
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: 未代入の変数(Y)を参照しました。行番号：3\n");
}

}  // namespace
