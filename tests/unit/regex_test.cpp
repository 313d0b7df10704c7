// Runs in both builds: natively over the default traits, under Wine over the Win32 traits.
#include "script_runner.h"

#include "script/builtins/simple_pattern.h"

#include <gtest/gtest.h>

#include <random>

using wavelith::script::testing::ScriptRunner;

namespace {

// A DO-Rozude string literal that holds text.
std::string literalOf(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        if (c == '\n') {
            literal += "\\n";
            continue;
        }
        if (c == '\\' || c == '"') literal += '\\';
        literal += c;
    }
    return literal + "\"";
}

TEST(RegexBuiltins, MatchIsWholeTextWithOptions) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + REGEX_MATCH(\"abc\", \"b\") + REGEX_MATCH(\"abc\", \".b.\")"), "01");
    EXPECT_EQ(runner.show("\"\" + REGEX_MATCH(\"ABC\", \"abc\") + REGEX_MATCH(\"ABC\", \"abc\", \"i\") + "
                          "REGEX_MATCH(\"ABC\", \"abc\", \"xgIz\")"),
              "011");
    // S: the end of the text is no end of line.
    EXPECT_EQ(runner.show("\"\" + REGEX_MATCH(\"abc\", \"abc$\") + REGEX_MATCH(\"abc\", \"abc$\", \"s\")"), "10");
    // Case folding reaches beyond ASCII, and a character is one unit however many bytes it has.
    EXPECT_EQ(runner.show("\"\" + REGEX_MATCH(\"\xC3\x89T\xC3\x89\", \"\xC3\xA9t\xC3\xA9\", \"I\") + "
                          "REGEX_MATCH(\"\xE6\x97\xA5\xE6\x9C\xAC\", \"..\")"),
              "11");
}

TEST(RegexBuiltins, LibraryFailuresGiveTheFailureValueAndTheRunGoesOn) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + REGEX_MATCH(\"abc\", \"(\") + \"|\" + REGEX_REPLACE(\"abc\", \"[\", \"x\") + \"|\" + "
                          "REGEX_SEARCH(\"abc\", \"a{2,1}\")"),
              "-1||-1");
    EXPECT_TRUE(runner.messages.empty());
    // The library's complexity limit on a pattern that backtracks without end: the failure value
    // too, but the host is told why; the run goes on.
    std::string as(40, 'a');
    EXPECT_EQ(runner.show("REGEX_MATCH(\"" + as + "\", \"(a*)*b\")"), "-1");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{112});
    EXPECT_EQ(runner.messages[0].line, 1);
}

// Each character compared costs a step: a back-reference that the library's state count lets
// through runs out of them too, while a linear search over a megabyte does not.
TEST(RegexBuiltins, StepBudgetEndsQuadraticMatchesButNotLinearOnes) {
    ScriptRunner runner;
    const std::string text = "t = PADLEFT(\"\", 100000, \"a\")\n";
    // The first match fails while the iterator is set up, before the arrays are written.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(t, \"(?=(a*))\\\\1b\", \"p\", \"l\") + ARRAYSIZE(\"p\") + \"|\" + "
                          "REGEX_REPLACE(t, \"(?=(a*))\\\\1b\", \"x\") + \"|\"",
                          text),
              "-10||");
    EXPECT_EQ(runner.codes(), (std::vector<unsigned>{112, 112}));
    EXPECT_EQ(runner.messages[0].text,
              "Runtime error at line 2: The complexity of matching the regular expression exceeded predefined bounds in "
              "REGEX_SEARCH(); it gave its failure value\n");
    EXPECT_EQ(runner.show("REGEX_SEARCH(t + t + t + t + t + t + t + t + t + t, \"a\")", text), "1000000");
    EXPECT_TRUE(runner.messages.empty());
    // A simple pattern whose search would be quadratic is handed to the library half-way, and
    // it gives up there as before: the elements found first stay.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"xb yb \" + t, \".a*b\", \"p\", \"l\") + \":\" + JOIN(\"p\", \",\") + \"/\" + "
                          "JOIN(\"l\", \",\")",
                          text),
              "-1:0,3/2,2");
    EXPECT_EQ(runner.codes(), std::vector<unsigned>{112});
}

TEST(RegexBuiltins, ReplaceEveryMatchWithPerlFormat) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("REGEX_REPLACE(\"a1b22\", \"[0-9]+\", \"#\")"), "a#b#");
    EXPECT_EQ(runner.show("REGEX_REPLACE(\"2024-05-06\", \"(\\\\d+)-(\\\\d+)-(\\\\d+)\", \"$3/$2/$1 [$&]\")"),
              "06/05/2024 [2024-05-06]");
    EXPECT_EQ(runner.show("REGEX_REPLACE(\"aAa\", \"a\", \"-\", \"I\") + REGEX_REPLACE(\"aAa\", \"a\", \"-\", \"G\")"),
              "----A-");
    EXPECT_EQ(runner.show("REGEX_REPLACE(\"\xE6\x97\xA5 x \xE6\x9C\xAC\", \"\\\\s\", \"\xE3\x83\xBB\")"),
              "\xE6\x97\xA5\xE3\x83\xBBx\xE3\x83\xBB\xE6\x9C\xAC");
}

TEST(RegexBuiltins, SearchCountsAndStoresBytePositions) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"a1b22c333\", \"[0-9]+\") + REGEX_SEARCH(\"aAa\", \"a\", \"i\") + "
                          "REGEX_SEARCH(\"abc\", \"x\")"),
              "330");
    // A 3-byte and a 4-byte character before the matches: positions and lengths are in bytes,
    // so MID with position + 1 and length takes out the match.
    const std::string text = "\xE6\x97\xA5x\xF0\x9F\x98\x80yy";
    EXPECT_EQ(runner.show("\"\" + n + \":\" + p[0] + \",\" + l[0] + \",\" + p[1] + \",\" + l[1] + \",\" + "
                          "ARRAYSIZE(\"p\")",
                          "n = REGEX_SEARCH(\"" + text + "\", \"[xy]+\", \"p\", \"l\")\n"),
              "2:3,1,8,2,2");
    // A dot matches one UTF-16 unit, here the second half of the 4-byte character: no byte
    // boundary lies there, so the match counts from the character's end.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"" + text + "\", \".y\", \"p\", \"l\") + \":\" + p[0] + \",\" + l[0]"),
              "1:8,1");
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"" + text + "\", \"\xF0\x9F\x98\x80\", \"p\", \"l\") + \":\" + p[0] + "
                          "\",\" + l[0]"),
              "1:4,4");
    // With four arguments the third is the positions array, even when it reads like options.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"aAa\", \"a\", \"I\", \"L\") + \":\" + JOIN(\"I\", \",\") + \"/\" + "
                          "JOIN(\"L\", \",\")"),
              "2:0,2/1,1");
    // Empty matches: before every character and at the end, each of length 0.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"\xE6\x97\xA5x\", \"\", \"p\", \"l\") + \":\" + JOIN(\"p\", \",\") + \"/\" + "
                          "JOIN(\"l\", \",\")"),
              "3:0,3,4/0,0,0");
    // Five arguments: options first.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"aAa\", \"a\", \"i\", \"p\", \"l\") + JOIN(\"p\", \",\")"), "30,1,2");
}

TEST(RegexBuiltins, SearchArraysAreWrittenOnlyAsFarAsTheSearchGot) {
    ScriptRunner runner;
    // No match: element 0 is set to 0, later elements of an existing array stay.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"abc\", \"x\", \"p\", \"l\") + \":\" + JOIN(\"p\", \",\") + \"/\" + "
                          "JOIN(\"l\", \",\") + TYPEOF(\"l\") + l",
                          "ARRAYINIT(\"p\", 7, 8, 9)\n"),
              "0:0,8,9/0arrayL");
    // A bad pattern fails before any array is touched.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(\"abc\", \"(\", \"p\", \"l\") + TYPEOF(\"p\") + TYPEOF(\"l\")", "p = 5\n"),
              "-1intundefined");
    // A bad name is the one failure with a message; nothing is touched either.
    runner.run("p = 5\nx = REGEX_SEARCH(\"abc\", \"b\", \"p\", \"l$\")\nMESSAGE(\"not reached\")\n");
    ASSERT_EQ(runner.codes(), std::vector<unsigned>{115});
    EXPECT_EQ(runner.messages[0].text, "The array variable name is invalid in function Regex_Search().");
    EXPECT_EQ(runner.messages[0].line, -1);
    EXPECT_TRUE(runner.boxes().empty());
    EXPECT_EQ(runner.show("REGEX_SEARCH(\"abc\", \"b\", \"i\", \"1p\", \"l\")"), "-1");
}

TEST(RegexBuiltins, PositionsFitTheBytesOfTextThatIsNoUtf8) {
    ScriptRunner runner;
    // A lone byte 0xE6 is no UTF-8: it counts as the one byte it is, not as a replacement character.
    EXPECT_EQ(runner.show("\"\" + REGEX_SEARCH(t, \"x\", \"p\", \"l\") + \":\" + p[0] + \",\" + l[0] + \",\" + "
                          "MID(t, p[0] + 1, l[0])",
                          "t = CHR(230) + \"ab\xEF\xBF\xBDx\"\n"),
              "1:6,1,x");
}

// Random patterns over atoms the simple matcher takes, and some it must leave to the library,
// against the library itself: wrapped in (?:...) a pattern means the same and is never simple.
// Texts are built from what the pattern matches, so matches are frequent and often whole.
TEST(RegexBuiltins, SimplePatternsGiveTheLibrarysAnswers) {
    struct Piece {
        const char* atom;
        const char* takes;  // bytes of the texts' alphabet that it matches
    };
    const Piece pieces[] = {
        {"a", "a"}, {"b", "b"}, {"1", "1"}, {" ", " "}, {"-", "-"}, {"\\.", "."}, {"\\-", "-"}, {"\\\\", "\\"},
        {"\\|", "|"}, {"\\{", "{"}, {".", "ab1 ._-|{\\"}, {"\\d", "1"}, {"\\w", "ab1_"}, {"\\s", " \n"},
        {"\\D", "ab ._-\n"}, {"\\W", " .-\n|"}, {"\\S", "ab1._-"}, {"[ab]", "ab"}, {"[^a]", "b1 ._-\n"},
        {"[a-c]", "ab"}, {"[-1]", "-1"}, {"[\\d.]", "1."}, {"[^\\s]", "ab1._"}, {"[\\]\\\\]", "\\"},
        // Left to the library.
        {"\\b", ""}, {"\\<", ""}, {"\\'", ""}, {"^", ""}, {"$", ""}, {"(a|1)", "a1"}, {"[[:alpha:]]", "ab"},
        {"[]a]", "a"}, {"\\x61", "a"}, {"\\n", "\n"}};
    struct Count {
        const char* text;
        int least, most;  // repeats written into a text
    };
    const Count counts[] = {{"", 1, 1},      {"", 1, 1},      {"*", 0, 3},     {"+", 1, 3},    {"?", 0, 1},
                            {"{2}", 2, 2},   {"{1,3}", 1, 3}, {"{2,}", 2, 4},  {"{0,2}", 0, 2}, {"*?", 0, 3},
                            {"++", 1, 3},    {"{1,2}?", 1, 2}};
    const std::string noise = "ab1_ .-\n|{\\<'";
    const std::string calls =
        "\"\" + REGEX_SEARCH(t, p, o, \"at\", \"span\") + \":\" + JOIN(\"at\", \",\") + \"/\" + JOIN(\"span\", \",\") + "
        "\"|\" + REGEX_MATCH(t, p, o) + REGEX_MATCH(w, p, o) + \"|\" + REGEX_REPLACE(t, p, \"<>\", o)";
    std::mt19937 random(11);
    auto pick = [&](size_t size) { return static_cast<size_t>(random() % size); };
    ScriptRunner runner;
    int simple = 0, found = 0, whole = 0;
    for (int round = 0; round < 3000; ++round) {
        // Mostly atoms the matcher takes, so that most patterns are simple.
        std::string pattern, sample;
        for (size_t atoms = 1 + pick(4); atoms > 0; --atoms) {
            const Piece& piece = pieces[round % 5 == 0 ? pick(std::size(pieces)) : pick(24)];
            const Count& count = counts[round % 5 == 0 ? pick(std::size(counts)) : pick(9)];
            pattern += std::string(piece.atom) + count.text;
            std::string takes = piece.takes;
            for (int repeats = count.least + static_cast<int>(pick(count.most - count.least + 1)); repeats > 0 && !takes.empty(); --repeats)
                sample += takes[pick(takes.size())];
        }
        std::string text;
        for (size_t part = pick(4); part > 0; --part) {
            for (size_t bytes = pick(4); bytes > 0; --bytes) text += noise[pick(noise.size())];
            text += sample;
        }
        std::string before = "t = " + literalOf(text) + "\nw = " + literalOf(sample) + "\no = " + literalOf(pick(3) ? "" : "s") +
                             "\np = " + literalOf(pattern) + "\n";
        std::string ours = runner.show(calls, before);
        std::string library = runner.show(calls, before + "p = \"(?:\" + p + \")\"\n");
        ASSERT_EQ(ours, library) << "pattern " << pattern << " text " << literalOf(text);
        if (wavelith::script::SimplePattern::parse(pattern, wavelith::script::libraryClassBytes)) {
            ++simple;
            found += ours[0] != '0' && ours[0] != '-';
            whole += ours.compare(ours.find('|') + 2, 1, "1") == 0;
        }
    }
    // The comparison means something only if the matcher took many of them, with matches.
    EXPECT_GT(simple, 1000);
    EXPECT_GT(found, simple / 2);
    EXPECT_GT(whole, simple / 2);
}

}  // namespace
