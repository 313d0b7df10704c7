#include "script_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using wavelith::script::testing::ScriptRunner;

namespace {

// Every element of an array in one line: "3:a,b,c" (the size, then the elements).
const std::string listOf = "FUNC list(n$) {\nRETURN \"\" + ARRAYSIZE(n$) + \":\" + JOIN(n$, \",\")\n}\n";

TEST(ArrayBuiltins, InvalidNamesReport115AndStopTheRun) {
    ScriptRunner runner;
    const std::pair<const char*, const char*> calls[] = {
        {"ARRAYADD(\"a$\", 1)", "ArrayAdd"},
        {"ARRAYINIT(\"1x\")", "ArrayInit"},
        {"ARRAYTOMULTILINESTRING(\"\")", "ArrayToMultiLineString"},
        {"DELARRAYITEM(\"a b\", 0)", "DelArrayItem"},
        {"DELEMPTYARRAY(5)", "DelEmptyArray"},
        {"MULTILINETOSTRINGARRAY(\"x-y\")", "MultiLineToStringArray"},
        {"RESIZE(\"a$\", 3)", "Resize"},
        {"SORTARRAY(\"a$\")", "SortArray"},
        {"SORTARRAYDESC(\"a$\")", "SortArrayDesc"},
        {"SPLIT(\"a,b\", \",\", \"a$\")", "split"},
        {"UNIQARRAY(\"a$\")", "UniqArray"},
    };
    for (auto [call, function] : calls) {
        runner.run(std::string("r = ") + call + "\nMESSAGE(\"not reached\")\n");
        ASSERT_EQ(runner.codes(), std::vector<unsigned>{115}) << call;
        EXPECT_EQ(runner.messages[0].line, -1);
        EXPECT_EQ(runner.messages[0].text, std::string("The array variable name is invalid in function ") + function + "().");
        EXPECT_TRUE(runner.boxes().empty()) << call;
        runner.run(std::string("MESSAGE(") + call + ")\n");
        EXPECT_EQ(runner.boxes(), std::vector<std::string>{"-1"}) << call;
    }
    // JOIN gives the empty string instead; the size functions -1 without a word.
    EXPECT_EQ(runner.show("JOIN(\"a$\") + \"|\""), "|");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{115});
    EXPECT_EQ(runner.messages[0].text, "The array variable name is invalid in function join().");
    EXPECT_EQ(runner.show("\"\" + LEN(\"a b\") + ARRAYSIZE(\"a$\")"), "-1-1");
    EXPECT_TRUE(runner.messages.empty());
    // The Japanese text names the function too, and says to give the name as a string.
    runner.host.japanese = 1;
    runner.run("SORTARRAY(\"a$\")\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_NE(runner.messages[0].text.find("SortArray()"), std::string::npos);
    EXPECT_NE(runner.messages[0].text.find("文字列"), std::string::npos);
}

TEST(ArrayBuiltins, NamesAreCaseInsensitiveAndAnArrayMayPassItself) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("list(\"B\")", listOf + "ARRAYINIT(\"b\", 3, 1, 2)\nSORTARRAY(b)\n"), "3:1,2,3");
    // The string form of an array is its name, so TYPEOF and the rest find it.
    EXPECT_EQ(runner.show("\"\" + b + TYPEOF(b)", "ARRAYADD(\"b\", 1)\n"), "Barray");
}

TEST(ArrayBuiltins, InitAddResizeAndDelete) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("list(\"a\")", listOf + "a[5] = 1\nARRAYINIT(\"a\", \"x\", 2)\n"), "2:x,2");
    // The name alone turns an array back into the integer 0; other variables stay as they are.
    EXPECT_EQ(runner.show("TYPEOF(\"a\") + a + \"|\" + TYPEOF(\"s\") + s + TYPEOF(\"none\")",
                          "a[1] = 1\nARRAYINIT(\"a\")\ns = \"text\"\nARRAYINIT(\"s\")\nARRAYINIT(\"none\")\n"),
              "int0|stringtextundefined");
    EXPECT_EQ(runner.show("list(\"a\") + \" \" + list(\"b\") + \" \" + list(\"c\")",
                          listOf + "ARRAYADD(\"a\", 1)\nARRAYADD(\"a\", 2, \"3\")\nb = 7\nARRAYADD(\"b\", 8)\n"
                                   "ARRAYADD(\"c\")\n"),
              "3:1,2,3 1:8 0:");
    EXPECT_EQ(runner.show("TYPEOF(\"c\") + ARRAYADD(\"c\")"), "undefined1");
    // RESIZE creates, cuts and extends with zeros; a count of 0 or less changes nothing.
    EXPECT_EQ(runner.show("list(\"r\")", listOf + "RESIZE(\"r\", 3)\n"), "3:0,0,0");
    EXPECT_EQ(runner.show("\"\" + RESIZE(\"r\", 0) + RESIZE(\"r\", -4) + \" \" + list(\"r\")",
                          listOf + "ARRAYINIT(\"r\", \"a\", \"b\", \"c\")\nRESIZE(\"r\", 2)\n"),
              "00 2:a,b");
    EXPECT_EQ(runner.show("list(\"r\")", listOf + "r = \"s\"\nRESIZE(\"r\", 2)\n"), "2:0,0");
    EXPECT_EQ(runner.show("\"\" + DELARRAYITEM(\"d\", -1) + DELARRAYITEM(\"d\", 3) + DELARRAYITEM(\"d\", 1) + "
                          "DELARRAYITEM(\"none\", 0) + \" \" + list(\"d\")",
                          listOf + "ARRAYINIT(\"d\", 1, 2, 3)\n"),
              "0010 2:1,3");
}

TEST(ArrayBuiltins, SortUniqueAndEmptiesCompareStringForms) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("list(\"n\")", listOf + "ARRAYINIT(\"n\", 10, 9, 100)\nSORTARRAY(\"n\")\n"), "3:10,100,9");
    // Unsigned bytes: a multi-byte character sorts after every ASCII one; shorter first on a tie.
    EXPECT_EQ(runner.show("list(\"s\")", listOf + "ARRAYINIT(\"s\", \"\xC3\xA9\", \"z\", \"ab\", \"a\", \"B\")\n"
                                                  "SORTARRAYDESC(\"s\")\n"),
              "5:\xC3\xA9,z,ab,a,B");
    EXPECT_EQ(runner.show("\"\" + SORTARRAY(\"none\") + SORTARRAYDESC(\"x\")", "x = 5\n"), "00");
    EXPECT_EQ(runner.show("list(\"u\")", listOf + "ARRAYINIT(\"u\", \"a\", \"a\", \"b\", \"a\", 5, \"5\", 6)\n"
                                                  "UNIQARRAY(\"u\")\n"),
              "5:a,b,a,5,6");
    EXPECT_EQ(runner.show("list(\"e\")", listOf + "ARRAYINIT(\"e\", \"\", \"\", \"\")\nDELEMPTYARRAY(\"e\")\n"), "0:");
    EXPECT_EQ(runner.show("list(\"e\") + DELEMPTYARRAY(\"none\")",
                          listOf + "ARRAYINIT(\"e\", \"\", 0, \"x\", \"\", \"\")\nDELEMPTYARRAY(\"e\")\n"),
              "2:0,x0");
}

// Many texts that share long starts, differ only in length, in a byte above 0x7F or beyond the
// sixteenth byte, with repeats and integers among them: both directions give the byte order.
TEST(ArrayBuiltins, SortsManyTextsInByteOrder) {
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"a", "b", "ab", "\xC3\xA9", "0", "9", "keykeykey"};
    std::vector<std::string> texts;
    std::string script;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        if (i % 5 == 0) {
            text = std::to_string(static_cast<int>(random() % 100000) - 50000);
            script += "a[" + std::to_string(i) + "] = " + text + "\n";
        } else {
            for (size_t length = random() % 7; length > 0; --length) text += pieces[random() % pieces.size()];
            script += "a[" + std::to_string(i) + "] = \"" + text + "\"\n";
        }
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());
    auto joined = [](auto first, auto last) {
        std::string all;
        for (auto text = first; text != last; ++text) all += (all.empty() && text == first ? "" : "|") + *text;
        return all;
    };
    ScriptRunner runner;
    EXPECT_EQ(runner.show("JOIN(\"a\", \"|\")", script + "SORTARRAY(\"a\")\n"), joined(texts.begin(), texts.end()));
    EXPECT_EQ(runner.show("JOIN(\"a\", \"|\")", script + "SORTARRAYDESC(\"a\")\n"),
              joined(texts.rbegin(), texts.rend()));
    // Strings only, as an array filled in order keeps them bare; each first written once with
    // another text, so the sort reads texts that were moved about by their overwrites.
    std::string strings;
    for (size_t i = 0; i < texts.size(); ++i) strings += "s[" + std::to_string(i) + "] = \"old " + std::to_string(i) + "\"\n";
    for (size_t i = 0; i < texts.size(); ++i) strings += "s[" + std::to_string(i) + "] = \"" + texts[i] + "\"\n";
    EXPECT_EQ(runner.show("JOIN(\"s\", \"|\")", strings + "SORTARRAY(\"s\")\n"), joined(texts.begin(), texts.end()));
    EXPECT_EQ(runner.show("JOIN(\"s\", \"|\") + s[0]", strings + "SORTARRAYDESC(\"s\")\n"),
              joined(texts.rbegin(), texts.rend()) + texts.back());
}

TEST(ArrayBuiltins, ElementsThatAreArraysCountByTheirName) {
    ScriptRunner runner;
    // A copied array keeps the name of its source as its string form.
    EXPECT_EQ(runner.show("JOIN(\"b\", \",\")", "ARRAYINIT(\"a\", 1, 2)\nARRAYINIT(\"b\", \"z\", a, \"B\", a)\n"
                                                 "SORTARRAY(\"b\")\nUNIQARRAY(\"b\")\nDELEMPTYARRAY(\"b\")\n"),
              "A,B,z");
    // And all its elements.
    EXPECT_EQ(runner.show("c[1]", "ARRAYINIT(\"a\", 1, 2)\nARRAYADD(\"b\", a)\nc = b[0]\n"), "2");
}

TEST(ArrayBuiltins, SplitAndJoin) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + n + \" \" + list(\"p\") + \"|\" + JOIN(\"p\", \",\")",
                          listOf + "n = SPLIT(\"a,,b,\", \",\", \"p\")\n"),
              "4 4:a,,b,|a,,b,");
    EXPECT_EQ(runner.show("\"\" + SPLIT(\"\", \",\", \"p\") + TYPEOF(\"p\") + \"[\" + p[0] + \"]\""), "1array[]");
    EXPECT_EQ(runner.show("\"\" + SPLIT(\"a,b\", \"\", \"p\") + p[0]"), "1a,b");
    // The delimiter is a byte substring of any length; the old value goes entirely.
    EXPECT_EQ(runner.show("list(\"q\")", listOf + "q[7] = 1\nSPLIT(\"1<>2<>\xE6\x97\xA5\", \"<>\", \"q\")\n"),
              "3:1,2,\xE6\x97\xA5");
    EXPECT_EQ(runner.show("JOIN(\"n\") + JOIN(\"none\", \"-\") + \"|\" + JOIN(\"w\")", "n = 5\nARRAYINIT(\"w\", 1, \"b\")\n"),
              "|1b");
}

TEST(ArrayBuiltins, LinesToArrayAndBack) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("list(\"t\") + TYPEOF(\"t\")",
                          listOf + "t = \"x\\r\\ny\\rz\\n\\n\"\nMULTILINETOSTRINGARRAY(\"t\")\n"),
              "5:x,y,z,,array");
    EXPECT_EQ(runner.show("list(\"t\")", listOf + "t = \"\"\nMULTILINETOSTRINGARRAY(\"t\")\n"), "1:");
    EXPECT_EQ(runner.show("list(\"t\")", listOf + "t = 42\nMULTILINETOSTRINGARRAY(\"t\")\n"), "1:42");
    // An array's string form is its name: that becomes line 0 and later elements stay.
    EXPECT_EQ(runner.show("list(\"t\")", listOf + "ARRAYINIT(\"t\", 1, 2, 3)\nMULTILINETOSTRINGARRAY(\"t\")\n"),
              "3:T,2,3");
    EXPECT_EQ(runner.show("\"\" + MULTILINETOSTRINGARRAY(\"none\") + TYPEOF(\"none\")"), "0undefined");

    EXPECT_EQ(runner.show("m + \"|\" + TYPEOF(\"m\") + ARRAYSIZE(\"m\")",
                          "ARRAYINIT(\"m\", 1, 2)\nARRAYTOMULTILINESTRING(\"m\")\n"),
              "1\r\n2\r\n|string0");
    EXPECT_EQ(runner.show("m", "ARRAYINIT(\"m\", \"a\", \"\")\nARRAYTOMULTILINESTRING(m, \";\")\n"), "a;;");
    EXPECT_EQ(runner.show("\"\" + ARRAYTOMULTILINESTRING(\"s\") + s", "s = \"keep\"\n"), "0keep");
}

TEST(ArrayBuiltins, HugeSizesEndTheRunWithTheOutOfMemoryMessage) {
    ScriptRunner runner;
    runner.run("RESIZE(\"a\", 2000000000)\nMESSAGE(\"not reached\")\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{106});
    EXPECT_TRUE(runner.boxes().empty());
    // And the interpreter is fine afterwards.
    EXPECT_EQ(runner.show("RESIZE(\"a\", 100000) + ARRAYSIZE(\"a\")"), "100001");
}

}  // namespace
