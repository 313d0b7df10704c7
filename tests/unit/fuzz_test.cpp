// Hostile and broken scripts: random token soup and mutations of real scripts must always end
// with an exit code and a known message code, never a crash or a hang.
#include "script_runner.h"

#include "script/interp/stack_limit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using wavelith::script::testing::ScriptRunner;

namespace {

const char* const seeds[] = {
    "x = 1\nWHILE x < 10 {\nx = x * 2 + 1\n}\nMESSAGE(x)\n",
    "FUNC f(n) {\nIF n < 2 {\nRETURN n\n}\nRETURN f(n - 1) + f(n - 2)\n}\nEXIT f(10)\n",
    "s$ = \"ab\"\nFOR (i = 0, i < 5, i++) {\ns$ += s$\n}\nt = s$ < \"b\"\n",
    "a[3] = 4\nb = a\nc = b[3] + a[-1]\n",
    ":top\nn++\nIF n < 20 {\nGOTO :top\n} ELSE IF n == 20 {\nEXIT n\n}\n",
    "REPEAT {\nk = k + 1\nIF k % 2 {\nCONTINUE\n}\n} UNTIL k > 9\n",
    "r = QUESTIONYESNOCANCEL(\"?\")\nv$ = INPUT(\"x\")\nSLEEP(-5)\nCB.ShellNotify(v$, r)\n",
    "x = 0b101 ** 3 >> 1 << 2 | 7 & 3 ^ ~1 === \"s\" ? -2 : 3\n",
    "DEFINE(\"MUSTVARDEF\", 1)\nq = KSIN(y) / 0 % 0\nASSERT(0, \"no\")\n",
    "LOOP {\n}\n",
    "FUNC g() {\nBREAK\n}\nFOR (, , ) {\ng()\n}\n",
};

const char* const vocabulary[] = {
    "IF", "ELSE", "WHILE", "LOOP", "FOR", "REPEAT", "UNTIL", "BREAK", "CONTINUE", "EXIT", "CB.", "FUNC", "RETURN",
    "GOTO", ":L", "x", "y$", "a[", "]", "f(", "g", "(", ")", "{", "}", ",", "=", "+=", "-=", "/=", "%=", "**=",
    "++", "--", "+", "-", "*", "/", "%", "**", "==", "===", "!=", "<", ">=", "<<", ">>", "&&", "||", "!", "~",
    "?", ":", "&", "|", "^", "0", "1", "2147483647", "0x80000000", "\"s\"", "'t'", "@\"v\\\"", "\n", "\r\n", ";",
    "#", " ", "\t", "MESSAGE(", "INPUT(", "SLEEP(", "ABS(", "MAX(", "STRLEN(", "TYPEOF(", "MININTEGER", "-1",
    "\xE6\x97\xA5", "$", "@", "`", "\\",
};

std::string tokenSoup(std::mt19937& random) {
    std::string script;
    int length = std::uniform_int_distribution<int>(1, 60)(random);
    std::uniform_int_distribution<size_t> pick(0, sizeof vocabulary / sizeof vocabulary[0] - 1);
    for (int i = 0; i < length; ++i) {
        script += vocabulary[pick(random)];
        script += ' ';
    }
    return script;
}

std::string mutated(std::mt19937& random) {
    std::string script = seeds[std::uniform_int_distribution<size_t>(0, sizeof seeds / sizeof seeds[0] - 1)(random)];
    int edits = std::uniform_int_distribution<int>(1, 6)(random);
    const std::string bytes = "(){}[]\"'\n:;,=+-*/%!~<>&|^?$@#\\0123456789xyzIF \x80\xFF";
    for (int i = 0; i < edits && !script.empty(); ++i) {
        size_t at = std::uniform_int_distribution<size_t>(0, script.size() - 1)(random);
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0: script.erase(at, std::uniform_int_distribution<size_t>(1, 8)(random)); break;
        case 1: script.insert(at, 1, bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)]); break;
        case 2: script.insert(at, script.substr(at, std::uniform_int_distribution<size_t>(1, 30)(random))); break;
        default: script[at] = bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)]; break;
        }
    }
    return script;
}

TEST(Fuzz, RandomAndMutatedScriptsAlwaysEndWithKnownMessages) {
    const std::vector<unsigned> known = {101, 102, 103, 105, 106, 107, 108, 109, 110, 111, 112, 114, 115, 199};
    ScriptRunner runner;
    runner.stopAtPoll = 300;  // the host's stop ends every endless loop
    runner.host.appFunction = [](wavelith::script::AppCallRecord&) {};
    std::mt19937 random(20240601);
    int runs = 0, clean = 0;
    wavelith::script::runWithStack(64u * 1024 * 1024, [&]() {
        for (; runs < 4000; ++runs) {
            std::string script = runs % 2 ? tokenSoup(random) : mutated(random);
            runner.run(script);
            if (runner.messages.empty()) ++clean;
            for (const auto& message : runner.messages) {
                ASSERT_NE(std::find(known.begin(), known.end(), message.code), known.end())
                    << "code " << message.code << " for:\n" << script;
            }
        }
    });
    EXPECT_EQ(runs, 4000);
    EXPECT_GT(clean, 0);  // some mutations still run cleanly
    // Whatever came before, the next run starts from a clean interpreter.
    runner.stopAtPoll = 0;
    EXPECT_EQ(runner.run("x = 2\nEXIT x * 21\n"), 42);
}

}  // namespace
