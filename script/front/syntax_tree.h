// The syntax tree: what the parser builds and the interpreter walks. Every node knows the line of
// its construct's last token; evaluate computes its value, execute runs it as a statement (the
// value dropped, which lets assignments skip re-reading a long string).
#pragma once

#include "script/front/node_arena.h"
#include "script/interp/value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wavelith::script {

class Interpreter;

// Kind codes. ORDER: operator codes of BinaryNode and operation codes of AssignNode are the
// language's own numbering and appear in messages of no kind; keep them as they are.
namespace kind {
constexpr int32_t Block = 0, Assign = 1, If = 2, While = 3, DoWhile = 4, For = 5, Exit = 6, Break = 7,
                  Continue = 8, Int = 9, String = 10, Var = 11, Cond = 12, FuncCall = 13, CBCall = 14;
constexpr int32_t Add = 15, Sub = 16, Mul = 17, Div = 18, Mod = 19, Pow = 20, BitOr = 21, BitAnd = 22,
                  BitXor = 23, BitNot = 24, ShiftLeft = 25, ShiftRight = 26, Eq = 27, Ne = 28, StrictEq = 29,
                  StrictNe = 30, Less = 31, Greater = 32, LessEq = 33, GreaterEq = 34, And = 35, Or = 36, Not = 37;
constexpr int32_t Negate = Sub;
constexpr int32_t AddAssign = 38, SubAssign = 39, MulAssign = 40, DivAssign = 41, ModAssign = 42,
                  ShiftRightAssign = 43, ShiftLeftAssign = 44, OrAssign = 45, XorAssign = 46, AndAssign = 47,
                  PowAssign = 48, PostInc = 49, PostDec = 50;
constexpr int32_t ArrayAccess = 51, ArrayAssign = 52, True = 55, Dummy = 55, Return = 54, Label = 56, Goto = 57;
}  // namespace kind

class Node {
public:
    Node(int32_t kind, int32_t line) : kind(kind), line(line) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    // Nodes made during a parse share its arena's blocks.
    static void* operator new(size_t size) { return NodeArena::allocate(size); }
    static void operator delete(void* node, size_t size) noexcept { NodeArena::release(node, size); }

    virtual ScriptValue evaluate(Interpreter& interpreter) const = 0;
    virtual void execute(Interpreter& interpreter) const { evaluate(interpreter); }
    // The integer reading and the condition truth of the value, which many nodes can give
    // without building the value.
    virtual int32_t evaluateInt(Interpreter& interpreter) const { return evaluate(interpreter).toInt(); }
    virtual bool evaluateTruth(Interpreter& interpreter) const { return evaluate(interpreter).truth(); }
    // The value without a copy where the node can point at it (a variable, a literal); else it is
    // evaluated into scratch, which the caller passes as a default value. The reference holds
    // only until the next evaluation: a caller that evaluates anything else first must copy what
    // it still needs.
    virtual const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const {
        if (alwaysInteger()) {
            scratch.intValue = evaluateInt(interpreter);
        } else {
            scratch = evaluate(interpreter);
        }
        return scratch;
    }
    // Whether every evaluation yields an integer (never a string), known from the tree alone.
    virtual bool alwaysInteger() const { return false; }
    // Whether evaluating it can change no variable (no assignment, no call, no array read, which
    // grows the array), known from the tree alone.
    virtual bool leavesVariablesAlone() const { return false; }

    const int32_t kind;
    const int32_t line;
};

// A node that is only ever run, whose value is always the integer 0.
class StatementNode : public Node {
public:
    using Node::Node;
    ScriptValue evaluate(Interpreter& interpreter) const final {
        execute(interpreter);
        return {};
    }
    void execute(Interpreter& interpreter) const override = 0;
};

using NodePtr = std::unique_ptr<Node>;
using NodeList = std::vector<NodePtr>;

class IntNode : public Node {
public:
    IntNode(int32_t value, int32_t line) : Node(kind::Int, line), value(value) {}
    ScriptValue evaluate(Interpreter&) const override { return ScriptValue::integer(value); }
    int32_t evaluateInt(Interpreter&) const override { return value; }
    bool evaluateTruth(Interpreter&) const override { return value != 0; }
    bool alwaysInteger() const override { return true; }
    bool leavesVariablesAlone() const override { return true; }
    const int32_t value;
};

class StringNode : public Node {
public:
    StringNode(std::string text, int32_t line) : Node(kind::String, line), constant(ScriptValue::string(std::move(text))) {}
    ScriptValue evaluate(Interpreter&) const override { return constant; }
    const ScriptValue& evaluateRef(Interpreter&, ScriptValue&) const override { return constant; }
    bool leavesVariablesAlone() const override { return true; }
    const ScriptValue& literal() const { return constant; }

private:
    const ScriptValue constant;
};

// A variable read remembers its table slot while the table's generation holds.
struct SlotCache {
    ScriptValue* slot = nullptr;
    uint64_t generation = 0;
};

class VarNode : public Node {
public:
    VarNode(std::string name, int32_t line) : Node(kind::Var, line), name(std::move(name)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    int32_t evaluateInt(Interpreter& interpreter) const override;
    bool evaluateTruth(Interpreter& interpreter) const override;
    const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const override;
    bool leavesVariablesAlone() const override { return true; }
    const std::string name;
    mutable SlotCache cache;
};

// Each operator has a node class of its own, so an evaluation runs only its own operation:
// makeBinary makes them.
class BinaryNode : public Node {
public:
    bool alwaysInteger() const override { return kind != kind::Add; }
    bool leavesVariablesAlone() const override { return left->leavesVariablesAlone() && right->leavesVariablesAlone(); }
    const NodePtr left, right;

protected:
    BinaryNode(int32_t op, NodePtr left, NodePtr right, int32_t line)
        : Node(op, line), left(std::move(left)), right(std::move(right)) {}
};

std::unique_ptr<BinaryNode> makeBinary(int32_t op, NodePtr left, NodePtr right, int32_t line);

class UnaryNode : public Node {
public:
    UnaryNode(int32_t op, NodePtr operand, int32_t line) : Node(op, line), operand(std::move(operand)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override { return ScriptValue::integer(evaluateInt(interpreter)); }
    int32_t evaluateInt(Interpreter& interpreter) const override;
    bool evaluateTruth(Interpreter& interpreter) const override { return evaluateInt(interpreter) != 0; }
    bool alwaysInteger() const override { return true; }
    bool leavesVariablesAlone() const override { return operand->leavesVariablesAlone(); }
    const NodePtr operand;
};

class AssignNode : public Node {
public:
    AssignNode(std::unique_ptr<VarNode> target, NodePtr value, int32_t operation, int32_t line)
        : Node(kind::Assign, line),
          target(std::move(target)),
          value(std::move(value)),
          operation(operation),
          valueIsInteger_(this->value->alwaysInteger()) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    void execute(Interpreter& interpreter) const override;
    const std::unique_ptr<VarNode> target;
    const NodePtr value;
    const int32_t operation;

private:
    const bool valueIsInteger_;
    // The common statements "x = integer expression", "x++" and "x--" on a variable that holds a
    // plain integer, without the general path; false when they need it.
    bool executeShort(Interpreter& interpreter) const;
    // Performs the assignment; false when a division by zero left the target alone. The post
    // forms leave the value they read in oldValue.
    bool assign(Interpreter& interpreter, int32_t& oldValue) const;
};

class ArrayAccessNode : public Node {
public:
    ArrayAccessNode(std::string name, NodePtr index, int32_t line)
        : Node(kind::ArrayAccess, line), name(std::move(name)), index(std::move(index)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    int32_t evaluateInt(Interpreter& interpreter) const override;
    const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const override;
    const std::string name;
    const NodePtr index;
    mutable SlotCache cache;
};

class ArrayAssignNode : public Node {
public:
    ArrayAssignNode(std::string name, NodePtr index, NodePtr value, int32_t line)
        : Node(kind::ArrayAssign, line),
          name(std::move(name)),
          index(std::move(index)),
          value(std::move(value)),
          valueIsInteger_(this->value->alwaysInteger()) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    // As a statement the value is moved into the array, never copied a second time; an integer
    // is written into the element as it is.
    void execute(Interpreter& interpreter) const override;
    const std::string name;
    const NodePtr index, value;
    mutable SlotCache cache;

private:
    const bool valueIsInteger_;
    ScriptValue store(Interpreter& interpreter, bool yieldValue) const;
};

class CondNode : public Node {
public:
    CondNode(NodePtr condition, NodePtr whenTrue, NodePtr whenFalse, int32_t line)
        : Node(kind::Cond, line),
          condition(std::move(condition)),
          whenTrue(std::move(whenTrue)),
          whenFalse(std::move(whenFalse)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    bool leavesVariablesAlone() const override {
        return condition->leavesVariablesAlone() && whenTrue->leavesVariablesAlone() && whenFalse->leavesVariablesAlone();
    }
    const NodePtr condition, whenTrue, whenFalse;
};

class BlockNode : public StatementNode {
public:
    explicit BlockNode(int32_t line) : StatementNode(kind::Block, line) {}
    void execute(Interpreter& interpreter) const override;
    void append(NodePtr statement) { statements.push_back(std::move(statement)); }
    NodeList statements;

private:
    const std::map<std::string, size_t>& labels() const;
    mutable std::map<std::string, size_t> labels_;
    mutable bool labelsScanned_ = false;
};

class IfNode : public StatementNode {
public:
    IfNode(NodePtr condition, NodePtr then, NodePtr otherwise, int32_t line)
        : StatementNode(kind::If, line), condition(std::move(condition)), then(std::move(then)), otherwise(std::move(otherwise)) {}
    void execute(Interpreter& interpreter) const override;
    const NodePtr condition, then, otherwise;  // otherwise: a block, a nested IfNode or none
};

class WhileNode : public StatementNode {
public:
    WhileNode(NodePtr condition, NodePtr body, bool endless, int32_t line)
        : StatementNode(kind::While, line), condition(std::move(condition)), body(std::move(body)), endless(endless) {}
    void execute(Interpreter& interpreter) const override;
    const NodePtr condition, body;
    const bool endless;
};

class DoWhileNode : public StatementNode {
public:
    DoWhileNode(NodePtr body, NodePtr condition, int32_t line)
        : StatementNode(kind::DoWhile, line), body(std::move(body)), condition(std::move(condition)) {}
    void execute(Interpreter& interpreter) const override;
    const NodePtr body, condition;
    // REPEAT ... UNTIL repeats while the condition's truth equals this.
    const bool repeatWhile = false;
};

class ForNode : public StatementNode {
public:
    ForNode(NodePtr start, NodePtr condition, NodePtr step, NodePtr body, int32_t line)
        : StatementNode(kind::For, line),
          start(std::move(start)),
          condition(std::move(condition)),
          step(std::move(step)),
          body(std::move(body)) {}
    void execute(Interpreter& interpreter) const override;
    const NodePtr start, condition, step, body;
};

class ExitNode : public Node {
public:
    ExitNode(NodePtr value, int32_t line) : Node(kind::Exit, line), value(std::move(value)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    const NodePtr value;  // or none
};

class FlowNode : public StatementNode {
public:
    FlowNode(int32_t kind, int32_t line) : StatementNode(kind, line) {}  // kind::Break or kind::Continue
    void execute(Interpreter& interpreter) const override;
};

class ReturnNode : public StatementNode {
public:
    ReturnNode(NodePtr value, int32_t line)
        : StatementNode(kind::Return, line),
          value(std::move(value)),
          valueIsInteger_(this->value && this->value->alwaysInteger()),
          valueIsVariable_(this->value && this->value->kind == kind::Var) {}
    void execute(Interpreter& interpreter) const override;
    const NodePtr value;  // or none

private:
    const bool valueIsInteger_, valueIsVariable_;
};

class GotoNode : public Node {
public:
    GotoNode(std::string label, NodePtr target, int32_t line)
        : Node(kind::Goto, line), label(std::move(label)), target(std::move(target)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    const std::string label;  // ":NAME", or empty when the target is computed
    const NodePtr target;
};

class LabelNode : public Node {
public:
    LabelNode(std::string label, int32_t line) : Node(kind::Label, line), label(std::move(label)) {}
    ScriptValue evaluate(Interpreter&) const override { return {}; }
    const std::string label;
};

class TrueNode : public Node {
public:
    explicit TrueNode(int32_t line) : Node(kind::True, line) {}
    ScriptValue evaluate(Interpreter&) const override { return ScriptValue::integer(1); }
    bool alwaysInteger() const override { return true; }
};

class DummyNode : public Node {
public:
    explicit DummyNode(int32_t line) : Node(kind::Dummy, line) {}
    ScriptValue evaluate(Interpreter&) const override { return {}; }
};

struct FunctionDef;

class FuncCallNode : public Node {
public:
    FuncCallNode(std::string name, NodeList arguments, int32_t line);
    ScriptValue evaluate(Interpreter& interpreter) const override;
    int32_t evaluateInt(Interpreter& interpreter) const override;
    const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const override;
    const std::string name;
    const NodeList arguments;
    // Resolved once per function-table generation: the user function, or the built-in row.
    mutable const FunctionDef* function = nullptr;
    mutable const void* builtin = nullptr;
    mutable uint64_t resolvedGeneration = 0;
    // What the tree says of each argument, worked out once.
    struct ArgumentForm {
        bool integer;  // always an integer
        // For a built-in that reads only its arguments: a variable that may be lent to it
        // (nothing evaluated after it can change a variable).
        bool lendable;
    };
    std::vector<ArgumentForm> forms;
    bool integerArguments = true;  // every argument always an integer
};

class CBCallNode : public Node {
public:
    CBCallNode(std::string name, NodeList arguments, int32_t line)
        : Node(kind::CBCall, line), name(std::move(name)), arguments(std::move(arguments)) {}
    ScriptValue evaluate(Interpreter& interpreter) const override;
    const std::string name;
    const NodeList arguments;
};

}  // namespace wavelith::script
