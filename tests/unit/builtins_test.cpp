#include "script_runner.h"

#include "script/builtins/table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

using namespace wavelith;
using wavelith::script::testing::ScriptRunner;

namespace {

TEST(BuiltinTables, SortedStrictlyAndComplete) {
    auto builtins = script::builtinTable();
    ASSERT_EQ(builtins.size, 118u);
    for (size_t i = 1; i < builtins.size; ++i)
        EXPECT_LT(std::strcmp(builtins.rows[i - 1].name, builtins.rows[i].name), 0) << builtins.rows[i].name;
    auto constants = script::constantTable();
    ASSERT_EQ(constants.size, 327u);
    for (size_t i = 1; i < constants.size; ++i)
        EXPECT_LT(std::strcmp(constants.rows[i - 1].name, constants.rows[i].name), 0) << constants.rows[i].name;
    // Every row is reachable by bisection, and a name with '_' sorts after the letters.
    for (size_t i = 0; i < builtins.size; ++i)
        EXPECT_EQ(script::findBuiltin(builtins.rows[i].name), &builtins.rows[i]);
    for (size_t i = 0; i < constants.size; ++i)
        EXPECT_EQ(script::findConstant(constants.rows[i].name), &constants.rows[i]);
    EXPECT_LT(script::findBuiltin("QUESTIONYESNOCANCEL"), script::findBuiltin("QUESTION_OKCANCEL"));
    EXPECT_EQ(script::findBuiltin("ASSERT"), nullptr);
    EXPECT_EQ(script::findConstant("VK_RETURN$"), nullptr);
}

TEST(BuiltinTables, ArityAndConstantValues) {
    auto max = script::findBuiltin("MAX");
    ASSERT_NE(max, nullptr);
    EXPECT_EQ(max->minArgs, 1);
    EXPECT_EQ(max->maxArgs, 65535);
    EXPECT_EQ(script::findBuiltin("REGEX_SEARCH")->maxArgs, 5);
    EXPECT_EQ(script::findBuiltin("SRAND")->minArgs, 0);
    const std::pair<const char*, int32_t> known[] = {
        {"VK_A", 0x41},         {"VK_9", 0x39},          {"VK_KANA", 0x15},         {"VK_HANGEUL", 0x15},
        {"VK_KANJI", 0x19},     {"VK_OEM_FJ_JISHO", 0x92}, {"VK_RETURN", 13},         {"VK_ZOOM", 0xFB},
        {"SM_CXFIXEDFRAME", 7}, {"SM_CXSIZEFRAME", 32},  {"SM_CMETRICS", 97},       {"SM_REMOTESESSION", 0x1000},
        {"SM_CARETBLINKINGENABLED", 0x2002},             {"CC_TAB_8SP", 0x800000},  {"MININTEGER", INT32_MIN},
        {"ISNT", 1}};
    for (auto [name, value] : known) {
        auto row = script::findConstant(name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->value, value) << name;
    }
}

TEST(DialogBuiltins, BoxesCaptionsStylesAndResults) {
    ScriptRunner runner;
    runner.desktop.boxAnswers = {7, 6, 2, 1, 7, 2};
    runner.run("a = QUESTION(\"q\")\nb = QUESTION_YESNO(\"q\", \"\")\nc = QUESTIONOKCANCEL(\"q\")\n"
               "d = QUESTIONOKCANCEL(\"q\")\ne = QUESTIONYESNOCANCEL(\"q\")\nf = QUESTION_YESNOCANCEL(\"q\")\n"
               "WARNING(\"w\")\nINFORMATION(\"i\", \"cap\")\nERROR(\"e\")\nTEXTOUT(5)\n"
               "MESSAGE(\"\" + a + b + c + d + e + f)\n");
    std::vector<MessageBoxRecord> boxes;
    for (auto& event : runner.desktop.events())
        if (auto* box = std::get_if<MessageBoxRecord>(&event)) boxes.push_back(*box);
    ASSERT_EQ(boxes.size(), 11u);
    EXPECT_EQ(boxes[0].caption, u"Question");
    EXPECT_EQ(boxes[0].style, 0x24u);
    EXPECT_EQ(boxes[1].caption, u"");
    EXPECT_EQ(boxes[2].style, 0x21u);
    EXPECT_EQ(boxes[4].style, 0x23u);
    EXPECT_EQ(boxes[6].style, 0x30u);
    EXPECT_EQ(boxes[6].caption, u"Warning");
    EXPECT_EQ(boxes[7].caption, u"cap");
    EXPECT_EQ(boxes[7].style, 0x40u);
    EXPECT_EQ(boxes[8].style, 0x10u);
    EXPECT_EQ(boxes[9].text, u"5");
    EXPECT_EQ(boxes[9].caption, u"Message");
    EXPECT_EQ(boxes[10].text, u"01010-1");
}

TEST(DialogBuiltins, InputDialog) {
    ScriptRunner runner;
    runner.desktop.inputAnswers = {u"\u65E5\u672C"};
    runner.run("a$ = INPUT(\"Name?\", \"\")\nb$ = INPUT(\"Again?\", \"T\")\nMESSAGE(a$ + \"|\" + b$)\n");
    auto& events = runner.desktop.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(std::get<InputDialogRecord>(events[0]),
              (InputDialogRecord{u"Name?", u"Input", std::u16string(u"\u65E5\u672C")}));
    EXPECT_EQ(std::get<InputDialogRecord>(events[1]), (InputDialogRecord{u"Again?", u"T", std::nullopt}));
    EXPECT_EQ(runner.boxes().back(), "\xE6\x97\xA5\xE6\x9C\xAC|");
}

TEST(ClockBuiltins, SleepClockAndRandom) {
    ScriptRunner runner;
    runner.desktop.fixedTickCount = 0xFFFFFFF0u;
    runner.desktop.fixedLocalTime = LocalTime{2024, 2, 4, 29, 23, 59, 58, 999};
    runner.run("SLEEP(25)\nSLEEP(-1)\nMESSAGE(\"\" + GETCURRENTYEAR() + \"-\" + GETCURRENTMONTH() + \"-\" + GETCURRENTDAY() + "
               "\" \" + GETCURRENTDAYOFWEEK() + \" \" + GETCURRENTHOUR() + \":\" + GETCURRENTMINUTE() + \":\" + "
               "GETCURRENTSECOND() + \".\" + GETCURRENTMILLISECONDS() + \" \" + GETTICKCOUNT())\n"
               "MESSAGE(SRAND())\n");
    auto& events = runner.desktop.events();
    EXPECT_EQ(std::get<SleepRecord>(events[0]).milliseconds, 25u);
    EXPECT_EQ(std::get<SleepRecord>(events[1]).milliseconds, 0u);  // never an endless wait
    EXPECT_EQ(runner.boxes()[0], "2024-2-29 4 23:59:58.999 -16");
    EXPECT_EQ(runner.boxes()[1], "-16");
    // The same seed gives the same sequence on every build.
    EXPECT_EQ(runner.show("\"\" + SRAND(1) + \" \" + RAND() + \" \" + RAND() + \" \" + RAND()"), "1 41 18467 6334");
    EXPECT_EQ(runner.show("RAND()"), "26500");  // the sequence lives across runs
}

TEST(MathBuiltins, IntegerAndKMath) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + ABS(-5) + \" \" + ABS(MININTEGER)"), "5 -2147483648");
    EXPECT_EQ(runner.show("\"\" + MAX(4) + MAX(\"7\", 3) + MIN(3, -2, 9)"), "47-2");
    EXPECT_EQ(runner.show("\"\" + CLAMP(5, 10, 0) + \" \" + CLAMP(-5, 10, 0) + \" \" + CLAMP(15, 10, 0) + \" \" + "
                          "CLAMP(5, 0, 10)"),
              "10 10 0 5");
    EXPECT_EQ(runner.show("\"\" + SQRT(10) + \" \" + SQRT(-1) + \" \" + KSQRT(2) + \" \" + KSQRT(-4)"),
              "3 -2147483648 1414 -2147483648");
    EXPECT_EQ(runner.show("\"\" + KSIN(30) + \" \" + KCOS(60) + \" \" + KTAN(45) + \" \" + KSIN(90) + \" \" + KCOS(90) + "
                          "\" \" + KTAN(90) + \" \" + KSIN(-30)"),
              "499 500 999 1000 0 -2147483648 -499");
}

TEST(EnvironmentBuiltins, EnvironmentDefineVersionAndTypeOf) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("SETENV(\"WAVELITH_TEST_ENV\", \"\xE6\x97\xA5 v\")"), "1");
    EXPECT_EQ(runner.show("GETENV(\"WAVELITH_TEST_ENV\")"), "\xE6\x97\xA5 v");
    EXPECT_EQ(runner.show("GETENV(\"WAVELITH_TEST_UNSET_\") + \"|\""), "|");
    EXPECT_EQ(runner.show("SETENV(\"A=B\", \"x\")"), "0");
    EXPECT_EQ(runner.show("\"\" + DEFINE(\"keepvar\", 0) + DEFINE(\"nonsense\", 1)"), "10");
    EXPECT_EQ(runner.show("GETQX_SCRIPTVERSION()"), "15702");
    EXPECT_EQ(runner.show("TYPEOF(\"s\") + TYPEOF(\"nope\") + TYPEOF(\"A$\") + TYPEOF(\"1x\") + TYPEOF(\"n\") + "
                          "TYPEOF(arr) + TYPEOF(n)",
                          "s = \"t\"\nn = 3\narr[0] = 1\n"),
              "stringundefinedinvalidinvalidintarrayinvalid");
    EXPECT_EQ(runner.show("MESSAGEBEEP(48)"), "1");
}

}  // namespace

namespace {

TEST(SimulatedDesktopForScripts, OneMonitorAndDefaultButtons) {
    SimulatedDesktop desktop({5, 5}, 800, 600);
    EXPECT_EQ(desktop.getSystemMetrics(0), 800);   // SM_CXSCREEN
    EXPECT_EQ(desktop.getSystemMetrics(79), 600);  // SM_CYVIRTUALSCREEN
    EXPECT_EQ(desktop.getSystemMetrics(80), 1);    // SM_CMONITORS
    EXPECT_EQ(desktop.getSystemMetrics(43), 3);    // SM_CMOUSEBUTTONS
    EXPECT_EQ(desktop.getSystemMetrics(4), 0);
    EXPECT_EQ(desktop.messageBox(nullptr, u"t", u"c", message_box::Ok), message_box::IdOk);
    EXPECT_EQ(desktop.messageBox(nullptr, u"t", u"c", message_box::OkCancel | message_box::IconQuestion),
              message_box::IdOk);
    EXPECT_EQ(desktop.messageBox(nullptr, u"t", u"c", message_box::YesNoCancel), message_box::IdYes);
    desktop.boxAnswers = {message_box::IdNo};
    EXPECT_EQ(desktop.messageBox(nullptr, u"t", u"c", message_box::YesNo), message_box::IdNo);
    EXPECT_EQ(desktop.messageBox(nullptr, u"t", u"c", message_box::YesNo), message_box::IdYes);
    int seen = 0;
    desktop.onEvent = [&](const DesktopEvent&) { ++seen; };
    desktop.sleep(3);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(desktop.events().size(), 6u);
}

}  // namespace
