// Compiled functions against the tree walk: the same scripts, run both ways, must give the same
// exit code, messages, host polls, boxes and variables.
#include "script_runner.h"

#include "script/interp/interpreter.h"
#include "script/interp/stack_limit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

using wavelith::script::Interpreter;
using wavelith::script::testing::ScriptRunner;

namespace {

struct Outcome {
    int code;
    std::vector<std::tuple<unsigned, int32_t, std::string>> messages;
    std::vector<int32_t> polls;
    std::vector<std::string> boxes;
    bool operator==(const Outcome& other) const {
        return code == other.code && messages == other.messages && polls == other.polls && boxes == other.boxes;
    }
};

Outcome runOnce(const std::string& script, bool compiled, int stopAtPoll, uint64_t& entries) {
    ScriptRunner runner;
    runner.stopAtPoll = stopAtPoll;
    Interpreter& interpreter = Interpreter::instance();
    interpreter.setCompiledCalls(compiled);
    uint64_t before = interpreter.compiledEntries();
    Outcome outcome;
    outcome.code = runner.run(script);
    entries = interpreter.compiledEntries() - before;
    interpreter.setCompiledCalls(true);
    for (const auto& message : runner.messages) outcome.messages.emplace_back(message.code, message.line, message.text);
    outcome.polls = runner.polledLines;
    outcome.boxes = runner.boxes();
    return outcome;
}

// Both ways on a stack deep enough for the tree at the depth limit; the number of calls that
// ran compiled.
uint64_t expectSameBothWays(const std::string& script, int stopAtPoll = 0) {
    uint64_t entries = 0, none = 0;
    wavelith::script::runWithStack(64u * 1024 * 1024, [&]() {
        Outcome tree = runOnce(script, false, stopAtPoll, none);
        Outcome code = runOnce(script, true, stopAtPoll, entries);
        EXPECT_EQ(none, 0u);
        for (const auto& message : tree.messages) EXPECT_NE(std::get<0>(message), 101u) << script;
        EXPECT_TRUE(tree == code) << script << "stop at poll " << stopAtPoll << "\ntree exit " << tree.code
                                  << ", compiled exit " << code.code << "; polls " << tree.polls.size() << " / "
                                  << code.polls.size() << "; messages " << tree.messages.size() << " / "
                                  << code.messages.size();
    });
    return entries;
}

// Random functions of the subset and just outside it (a global read). Every call passes d - 1
// first and every body starts by returning when d < 1, so each run ends; the shared parameter
// names make later arguments read earlier bindings and callees hide their callers' parameters.
class ProgramMaker {
public:
    explicit ProgramMaker(uint32_t seed) : random_(seed) {}

    std::string program() {
        functions_ = 1 + pick(3);
        readsGlobal_ = pick(4) == 0;
        arity_.clear();
        for (int f = 0; f < functions_; ++f) arity_.push_back(1 + pick(3));
        std::string text;
        for (int f = 0; f < functions_; ++f) {
            text += "FUNC F" + std::to_string(f) + "(" + params(f) + ") {\n";
            text += "IF D < 1 {\nRETURN " + expression(f, 2, false) + "\n}\n";
            text += statements(f, 2);
            text += "}\n";
        }
        text += "G = " + std::to_string(pick(7) - 3) + "\n";
        text += "MESSAGE(" + topCall(0) + ")\n";
        text += "MESSAGE(TYPEOF(\"A\") + TYPEOF(\"B\") + TYPEOF(\"D\"))\n";
        text += "EXIT " + topCall(pick(functions_)) + "\n";
        return text;
    }

private:
    int pick(int count) { return static_cast<int>(random_() % static_cast<uint32_t>(count)); }
    std::string params(int f) {
        static const char* const names[] = {"D", "A", "B"};
        std::string list;
        for (int i = 0; i < arity_[f]; ++i) list += std::string(i ? ", " : "") + names[i];
        return list;
    }
    std::string name(int f) {
        if (readsGlobal_ && pick(10) == 0) return "G";  // a global: the function stays on the tree
        static const char* const names[] = {"D", "A", "B"};
        return names[pick(arity_[f])];
    }
    std::string call(int callee, const std::string& first, int f) {
        std::string text = "F" + std::to_string(callee) + "(" + first;
        for (int i = 1; i < arity_[callee]; ++i) text += ", " + expression(f, 1, false);
        return text + ")";
    }
    // From outside, with integer arguments, as a call must be to run compiled.
    std::string topCall(int callee) {
        std::string text = "F" + std::to_string(callee) + "(" + std::to_string(pick(5));
        for (int i = 1; i < arity_[callee]; ++i) text += ", " + std::to_string(pick(11) - 5);
        return text + ")";
    }
    std::string expression(int f, int depth, bool calls) {
        int choice = pick(depth > 0 ? 10 : 3);
        switch (choice) {
        case 0: return std::to_string(pick(9) - 2 + (pick(20) == 0 ? 2147483640 : 0));
        case 1:
        case 2: return name(f);
        case 3: return "-(" + expression(f, depth - 1, calls) + ")";
        case 4: return std::string(pick(2) ? "(!(" : "(~(") + expression(f, depth - 1, calls) + "))";
        case 5: return "(" + expression(f, depth - 1, calls) + " ? " + expression(f, depth - 1, calls) + " : " +
                       expression(f, depth - 1, calls) + ")";
        case 6:
            if (calls) return call(pick(functions_), "D - 1", f);
            [[fallthrough]];
        default: {
            static const char* const operators[] = {"+", "-", "*", "/ 3", "% -4", "&", "|", "^", "<<", ">>", "**",
                                                    "==", "!=", "===", "<", ">", "<=", ">=", "&&", "||"};
            std::string op = operators[pick(20)];
            std::string left = expression(f, depth - 1, calls);
            if (op == "/ 3" || op == "% -4") return "(" + left + " " + op + ")";
            return "(" + left + " " + op + " " + expression(f, depth - 1, calls) + ")";
        }
        }
    }
    std::string statements(int f, int depth) {
        std::string text;
        int count = 1 + pick(2);
        for (int i = 0; i < count; ++i) {
            if (depth > 0 && pick(2) == 0) {
                text += "IF " + expression(f, 2, true) + " {\n" + statements(f, depth - 1) + "}";
                if (pick(3) == 0) text += " ELSE IF " + expression(f, 1, true) + " {\n" + statements(f, depth - 1) + "}";
                if (pick(2) == 0) text += " ELSE {\n" + statements(f, depth - 1) + "}";
                text += "\n";
            } else if (pick(8) == 0) {
                text += "RETURN\n";
            } else {
                text += "RETURN " + expression(f, 3, true) + "\n";
            }
        }
        return text;
    }

    std::mt19937 random_;
    int functions_ = 1;
    bool readsGlobal_ = false;
    std::vector<int> arity_;
};

TEST(CompiledFunctions, GiveTheTreesResultsOnRandomFunctions) {
    uint64_t compiledRuns = 0;
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
        std::string script = ProgramMaker(seed).program();
        if (expectSameBothWays(script) > 0) ++compiledRuns;
        // The host stopping the run part way, at a poll inside the recursion.
        expectSameBothWays(script, 1 + static_cast<int>(seed % 40));
        if (HasFailure()) break;
    }
    // Most programs are compiled; a global read keeps some on the tree.
    EXPECT_GT(compiledRuns, 500u);
}

TEST(CompiledFunctions, KeepTheTreesLimitsAndErrors) {
    // The depth limit: the message, then every enclosing call finishes its statement and the
    // run ends; the second call of each level still runs its first statement.
    const std::string fib = "FUNC FIB(n) {\nIF n < 2 {\nRETURN n\n}\nRETURN FIB(n - 1) + FIB(n - 2)\n}\n";
    EXPECT_GT(expectSameBothWays(fib + "EXIT FIB(20)\n"), 0u);
    EXPECT_GT(expectSameBothWays(fib + "FUNC DOWN(n) {\nRETURN DOWN(n + 1) + FIB(3)\n}\nEXIT DOWN(0)\n"), 0u);
    // Entered below the limit, from a tree call several levels deep.
    EXPECT_GT(expectSameBothWays(fib + "FUNC T(k) {\nIF k > 0 {\nMESSAGE(\"\" + T(k - 1))\n}\nRETURN FIB(k)\n}\nEXIT T(15)\n"), 0u);
    // An error earlier in the statement: the call still runs, and stops after one statement.
    EXPECT_GT(expectSameBothWays(fib + "x = 1 / 0 + FIB(10)\nEXIT x\n"), 0u);
    // A parameter's variable holding a text is saved by the tree at every call, and counted
    // against the limits: the tree keeps those calls. The call's own binding is the tree's.
    EXPECT_GT(expectSameBothWays(fib + "n = \"long text\"\nEXIT FIB(10) + STRLEN(n)\n"), 0u);
    EXPECT_EQ(expectSameBothWays("FUNC F(a) {\nRETURN G(a) + 1\n}\nFUNC G(q) {\nRETURN q\n}\nq = \"text\"\nEXIT F(1)\n"), 0u);
    // Parameter variables are made by the calls that bind them, even the ones only the code ran.
    EXPECT_GT(expectSameBothWays("FUNC F(a) {\nRETURN G(a, a)\n}\nFUNC G(PI, q) {\nRETURN PI + q\n}\n"
                                 "DEFINE(\"MUSTVARDEF\", 1)\nx = F(2)\nMESSAGE(\"\" + PI + q + TYPEOF(\"q\"))\n"),
              0u);
    // A later argument reads the parameter an earlier one bound.
    EXPECT_GT(expectSameBothWays("FUNC ACK(m, n) {\nIF m == 0 {\nRETURN n + 1\n} ELSE IF n == 0 {\nRETURN ACK(m - 1, 1)\n}\n"
                                 "RETURN ACK(m - 1, ACK(m, n - 1))\n}\nEXIT ACK(2, 3)\n"),
              0u);
}

}  // namespace
