#include "script_runner.h"

#include "script/interp/interpreter.h"
#include "script/interp/value.h"
#include "script/interp/variables.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace wavelith::script;
using wavelith::script::testing::ScriptRunner;

namespace {

TEST(ScriptValue, Conversions) {
    EXPECT_EQ(ScriptValue::integer(-42).toString(), "-42");
    EXPECT_EQ(ScriptValue::integer(INT32_MIN).toString(), "-2147483648");
    EXPECT_EQ(ScriptValue::string(" \t-12abc").toInt(), -12);
    EXPECT_EQ(ScriptValue::string("+7").toInt(), 7);
    EXPECT_EQ(ScriptValue::string("abc").toInt(), 0);
    EXPECT_EQ(ScriptValue::string("99999999999").toInt(), INT32_MAX);
    EXPECT_EQ(ScriptValue::string("-99999999999").toInt(), INT32_MIN);
    EXPECT_EQ(ScriptValue::string("-2147483648").toInt(), INT32_MIN);
    EXPECT_TRUE(ScriptValue::string("0").truth());
    EXPECT_FALSE(ScriptValue::string("").truth());
    EXPECT_FALSE(ScriptValue::integer(0).truth());
    ScriptValue array;
    array.isArray = true;
    array.intValue = 7;
    array.text = "A";
    EXPECT_EQ(array.toString(), "A");
    EXPECT_EQ(array.toInt(), 7);
}

TEST(ScriptValue, WrappingArithmeticNeverTraps) {
    EXPECT_EQ(wrapAdd(INT32_MAX, 1), INT32_MIN);
    EXPECT_EQ(wrapNeg(INT32_MIN), INT32_MIN);
    EXPECT_EQ(wrapDiv(INT32_MIN, -1), INT32_MIN);
    EXPECT_EQ(wrapMod(INT32_MIN, -1), 0);
    EXPECT_EQ(power(2, 31), INT32_MIN);
    EXPECT_EQ(power(3, -1), 1);
    EXPECT_EQ(power(0, 0), 1);
    EXPECT_EQ(power(3, 5), 243);
    // Same wrapped product as multiplying a billion times over.
    uint32_t slow = 1;
    for (int i = 0; i < 1000; ++i) slow *= 7u;
    EXPECT_EQ(power(7, 1000), static_cast<int32_t>(slow));
}

// The remainder by a divisor known in advance is the remainder of %, for divisors and
// dividends at both ends of the range, powers of two and their neighbours, and random ones.
TEST(ScriptValue, KnownRemainderAgreesWithTheRemainderOperator) {
    std::mt19937 random(11);
    std::vector<int32_t> values = {0, 1, -1, 2, -2, 3, 7, -7, 10, 1000003, INT32_MAX, INT32_MIN, INT32_MIN + 1,
                                   INT32_MAX - 1};
    for (int bit = 2; bit < 31; ++bit)
        for (int32_t near : {-1, 0, 1}) values.push_back((int32_t{1} << bit) + near), values.push_back(-(int32_t{1} << bit) + near);
    for (int i = 0; i < 200; ++i) values.push_back(static_cast<int32_t>(random()));
    for (int32_t divisor : values) {
        if (divisor == 0) continue;
        KnownRemainder remainder(divisor);
        for (int32_t dividend : values) ASSERT_EQ(remainder.of(dividend), wrapMod(dividend, divisor)) << dividend << " % " << divisor;
        for (int i = 0; i < 2000; ++i) {
            auto dividend = static_cast<int32_t>(random());
            ASSERT_EQ(remainder.of(dividend), wrapMod(dividend, divisor)) << dividend << " % " << divisor;
        }
    }
}

TEST(VariableTable, ElementSlotsGrowAndMarkTheArray) {
    VariableTable table;
    ScriptValue& x = table.getOrCreate("X");
    x = ScriptValue::integer(7);
    VariableTable::elementSlot(x, 1);
    EXPECT_TRUE(x.isArray);
    EXPECT_EQ(x.elements.size(), 2u);
    EXPECT_EQ(x.intValue, 7);
    VariableTable::storeElement(x, 0, ScriptValue::integer(3));
    VariableTable::elementSlot(x, 4);
    EXPECT_EQ(x.elements.size(), 5u);
    EXPECT_EQ(x.elements[0].intValue, 3);  // growing keeps what was there
    uint64_t before = table.generation();
    table.getOrCreate("Y");
    EXPECT_EQ(table.generation(), before);
    table.erase("Y");
    EXPECT_NE(table.generation(), before);
}

TEST(Variables, NamesConstantsAndTheUnassignedDefault) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("X + x", "x = 2\n"), "4");
    EXPECT_EQ(runner.show("x$ + \"|\"", "x = 2\n"), "|");
    EXPECT_EQ(runner.show("nothing_here + 1"), "1");
    EXPECT_EQ(runner.show("vk_return + VK_RETURN$ + 0"), "13");
    EXPECT_EQ(runner.show("VK_RETURN$ + \"|\""), "|");
    EXPECT_EQ(runner.show("YES", "x = YES\nYES = 5\n"), "5");
    EXPECT_EQ(runner.show("MININTEGER"), "-2147483648");
    EXPECT_TRUE(runner.messages.empty());
}

TEST(Variables, MustVarDefReportsUnassignedReadsAndStops) {
    ScriptRunner runner;
    runner.run("DEFINE(\"mustvardef\", 1)\nx = y + 1\nMESSAGE(\"after\")\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 109u);
    EXPECT_EQ(runner.messages[0].line, 2);
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Unassigned variable(Y) at line 2\n");
    EXPECT_TRUE(runner.boxes().empty());
    // The read did not create y, and array reads of absent arrays are not reported.
    runner.run("DEFINE(\"MUSTVARDEF\", 1)\nt = b[3]\nMESSAGE(TYPEOF(\"b\") + TYPEOF(\"t\"))\n");
    EXPECT_TRUE(runner.messages.empty());
    EXPECT_EQ(runner.boxes(), std::vector<std::string>{"undefinedint"});
    // The option lasts for its run only.
    EXPECT_EQ(runner.show("z + 1"), "1");
    EXPECT_TRUE(runner.messages.empty());
}

TEST(Arrays, ElementReadsAndWrites) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + a + \"/\" + a[2] + a[0] + TYPEOF(a)", "a[2] = 5\n"), "A/50array");
    // Reading past the end grows the array; x = 7 then x[1] keeps the integer and loses the text.
    EXPECT_EQ(runner.show("\"\" + (x + 0) + \"|\" + x + \"|\" + TYPEOF(\"x\")", "x = 7\ny = x[1]\n"), "7||array");
    EXPECT_EQ(runner.show("s + \"|\" + s[0]", "s = \"abc\"\n"), "abc|0");
    EXPECT_EQ(runner.show("TYPEOF(\"a\") + (a + 1)", "a[0] = 1\na = 5\n"), "int6");
    EXPECT_EQ(runner.show("\"\" + c[1] + TYPEOF(\"c\") + c", "a[1] = 4\nc = a\n"), "4arrayA");
}

TEST(Arrays, NegativeIndexesAreReported) {
    ScriptRunner runner;
    runner.run("b[-1]\nMESSAGE(\"never\")\n");
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].code, 110u);
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: Invalid index value(B[-1]) at line 1\n");
    EXPECT_TRUE(runner.boxes().empty());
    runner.host.japanese = 1;
    runner.run("DEFINE(\"KEEPVAR\", 1)\na[-2] = 9\n");
    runner.host.japanese = 0;
    ASSERT_EQ(runner.messages.size(), 1u);
    EXPECT_EQ(runner.messages[0].text, "Runtime Error: 不正な配列要素番号指定(A[-2])。行番号:2\n");
    EXPECT_EQ(runner.show("a[0]"), "9");
}

TEST(Arrays, HugeIndexEndsTheRunWithOutOfMemory) {
    ScriptRunner runner;
    runner.run("a[0] = 1\nx = a[2000000000]\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{106});
    EXPECT_EQ(runner.messages[0].line, -1);
}

// What a value holds, counted the slow way.
ValueSize walk(const ScriptValue& value) {
    ValueSize size{value.text.size(), value.elements.size()};
    for (const ScriptValue& element : value.elements) size += walk(element);
    return size;
}

// The sizes that the limits are checked against are kept up to date at every change, never
// counted again: they must agree with a walk after each kind of change.
TEST(ValueSize, TrackedTotalsAgreeWithAWalkAfterEveryKindOfChange) {
    ScriptRunner runner;
    runner.run("DEFINE(\"KEEPVAR\", 1)\na[0] = \"xy\"\na[3] = 5\nb[0] = a\nb[1] = \"hello\"\nb[1] = a\nc = b\n"
               "ARRAYADD(\"c\", b, \"zz\", \"\")\nSORTARRAYDESC(\"c\")\nDELARRAYITEM(\"c\", 1)\nUNIQARRAY(\"c\")\n"
               "DELEMPTYARRAY(\"c\")\nRESIZE(\"c\", 2)\nRESIZE(\"c\", 6)\nSPLIT(\"a,b,,c\", \",\", \"d\")\nd[1] = c\n"
               "m = \"x\" + CHR(10) + \"yy\"\nm[5] = 1\nMULTILINETOSTRINGARRAY(\"m\")\n"
               "e[0] = a\ne[1] = \"text\"\ne[0] = 2 * 3\ne[1] = 4 - 1\ne[3] = 7 * 1\nx = a[6]\n"
               // Arrays of integers only, then of values, grown and cut on either side of the change.
               "f[3] = 1\nRESIZE(\"f\", 2)\nf[1] = \"ab\"\nf[4] = 2\nRESIZE(\"f\", 3)\n"
               "g[2] = 5\nARRAYADD(\"g\", 1, 2)\nh = g\nARRAYADD(\"g\", \"cd\", 3)\nRESIZE(\"h\", 2)\n"
               // Arrays of strings only, overwritten past the point where their texts are packed
               // again, copied, then changed into values by a cut and by an integer.
               "FOR (i = 0, i < 2000, i++) {\nt[i % 3] = \"t\" + i\n}\nu = t\nt[1] = \"longer text\"\n"
               "v = t\nRESIZE(\"v\", 2)\nw = u\nw[3] = 9\nk = u\nk[1] = \"" + std::string(65, 'k') + "\"\n");
    ASSERT_TRUE(runner.messages.empty());
    const auto& variables = Interpreter::instance().variables().entries();
    for (const char* name : {"A", "B", "C", "D", "M", "E", "F", "G", "H", "T", "U", "V", "W", "K"}) {
        ASSERT_TRUE(variables.count(name)) << name;
        const ScriptValue& value = variables.at(name);
        EXPECT_EQ(value.size().textBytes, walk(value).textBytes) << name;
        EXPECT_EQ(value.size().elements, walk(value).elements) << name;
    }
    // b is [a, a] with a = ["xy", 0, 0, 5] named A, copied before the read of a[6] grew a.
    EXPECT_EQ(variables.at("B").size().textBytes, 1u + 2 * 3);
    EXPECT_EQ(variables.at("B").size().elements, 2u + 2 * 4);
    // Integers written over an array and a text leave nothing of them in the totals: only the
    // array's own name is left.
    EXPECT_EQ(variables.at("E").size().textBytes, 1u);
    EXPECT_EQ(variables.at("E").size().elements, 4u);
    EXPECT_EQ(variables.at("G").size().textBytes, 1u + 2);
    EXPECT_EQ(variables.at("G").size().elements, 7u);
    EXPECT_EQ(variables.at("H").size().elements, 2u);
    // t is ["t1998", "longer text", "t1997"] named T.
    EXPECT_EQ(variables.at("T").size().textBytes, 1u + 5 + 11 + 5);
    EXPECT_EQ(variables.at("T").size().elements, 3u);
    EXPECT_EQ(variables.at("K").size().textBytes, 1u + 5 + 65 + 5);
    runner.run("x = 0\n");  // KEEPVAR was for one run: this one clears the table
}

TEST(RunReset, KeepVarCarriesVariablesIntoTheNextRunOnly) {
    ScriptRunner runner;
    runner.run("DEFINE(\"KEEPVAR\", 1)\nv = 1\n");
    EXPECT_EQ(runner.show("v"), "1");
    EXPECT_EQ(runner.show("v"), "0");
}

}  // namespace
