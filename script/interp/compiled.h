// Compiled functions. A user function whose every value is an integer made from its own
// parameters (IF, RETURN, the integer operators, ?:, calls of other such functions) also gets
// register code, which one loop runs without a machine frame per script call: the tree walk
// spends most of a recursive call on its own recursion. The tree stays the definition of the
// language; the code keeps its order of evaluation, its host polls after each statement, its
// depth limit and message. A function the code cannot express runs on the tree, as before.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace wavelith::script {

struct FunctionDef;
class FuncCallNode;
class FunctionTable;

struct Instruction {
    enum class Op : uint8_t {
        Constant,             // r[a] = b
        Move,                 // r[a] = r[b]
        AddConstant,          // r[a] = r[b] + c, wrapping
        Operate,              // r[a] = operation(r[b], r[c])
        OperateConstant,      // r[a] = operation(r[b], c)
        Unary,                // r[a] = operation(r[a]): negation, ~ or !
        Truth,                // r[a] = r[a] != 0
        Jump,                 // always
        JumpIfZero,           // when r[a] == 0
        JumpIfNonZeroSetOne,  // when r[a] != 0, which becomes 1
        JumpUnless,           // when !operation(r[a], r[b])
        JumpUnlessConstant,   // when !operation(r[a], b)
        Poll,                 // after the statement of line a: the host's poll; a stop jumps
        Enter,                // before a call's arguments: past the depth limit, r[a] = 0 and jump
        Call,                 // callee's registers from r + b; its value into r[a]
        Return,               // r[a]
        ReturnZero,
    };
    Op op;
    int32_t operation = 0;  // an operator's kind code
    int32_t a = 0, b = 0, c = 0;
    int32_t target = 0;                // a jump's instruction index, while compiling
    const Instruction* to = nullptr;   // the same, once the code is complete
    const FuncCallNode* call = nullptr;  // Enter's, for its message
    const FunctionDef* callee = nullptr;  // Call's
};

struct CompiledFunction {
    std::vector<Instruction> code;
    int32_t frameSize = 0;  // registers, the parameters first
    std::vector<const FunctionDef*> callees;
    // Worked out at the first entry: every function a call can reach, this one first, and
    // whether each of them compiled; the register room for the deepest recursion among them.
    bool reachKnown = false;
    bool enterable = false;
    std::vector<const FunctionDef*> reach;
    int32_t reachFrameSize = 0;
    // For the run in progress: the parameters' variables are still to be made, at its next call.
    bool needsSlots = false;
};

// Null when the body holds anything the code does not express.
std::unique_ptr<CompiledFunction> compileFunction(const FunctionDef& function, const FunctionTable& functions);

// Where a call is to go back to.
struct CompiledFrame {
    const Instruction* resume;
    int32_t* registers;
    int32_t* result;
};

}  // namespace wavelith::script
