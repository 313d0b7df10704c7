// Compiled functions: the compiler from the tree, the entry from a tree call and the loop that
// runs the code.
#include "script/interp/compiled.h"

#include "script/interp/interpreter.h"
#include "script/interp/operators.h"

#include <algorithm>

namespace wavelith::script {

namespace {
using Op = Instruction::Op;

// Bounds that keep the code small and leave to the tree anything unusual: statements or an
// expression nested deeper than this, or a function needing more registers. They also bound the
// compiler's own recursion.
constexpr int MaxNesting = 64;
constexpr int32_t MaxRegisters = 1024;

bool isComparison(int32_t op) { return op >= kind::Eq && op <= kind::GreaterEq; }

// A literal, or - or ~ before one (the parser makes "-4" a negation of 4).
bool literal(const Node& node, int32_t& value, int depth = 0) {
    if (node.kind == kind::Int) {
        value = static_cast<const IntNode&>(node).value;
        return true;
    }
    const auto* unary = dynamic_cast<const UnaryNode*>(&node);
    if (!unary || unary->kind == kind::Not || depth > MaxNesting || !literal(*unary->operand, value, depth + 1))
        return false;
    value = unaryOperation(unary->kind, value);
    return true;
}
bool endsInDollar(const std::string& name) { return !name.empty() && name.back() == '$'; }

class Compiler {
public:
    Compiler(const FunctionDef& function, const FunctionTable& functions) : function_(function), functions_(functions) {}

    std::unique_ptr<CompiledFunction> compile() {
        if (endsInDollar(function_.name) || function_.repeatedParams) return nullptr;
        for (const std::string& param : function_.params) {
            if (endsInDollar(param)) return nullptr;
            bind(param, next_++);
        }
        result_->frameSize = next_;
        Label end = newLabel();
        if (!block(*function_.body, end, 0)) return nullptr;
        place(end);
        emit({Op::ReturnZero});
        if (result_->frameSize > MaxRegisters) return nullptr;
        for (Instruction& instruction : result_->code) {
            if (isJump(instruction.op)) instruction.to = result_->code.data() + labels_[instruction.target];
        }
        return std::move(result_);
    }

private:
    using Label = int32_t;
    // An operand in place: a register that holds it already, or a constant.
    struct Operand {
        bool constant;
        int32_t value;
    };

    static bool isJump(Op op) {
        return op == Op::Jump || op == Op::JumpIfZero || op == Op::JumpIfNonZeroSetOne || op == Op::JumpUnless ||
               op == Op::JumpUnlessConstant || op == Op::Poll || op == Op::Enter;
    }
    Label newLabel() {
        labels_.push_back(-1);
        return static_cast<Label>(labels_.size() - 1);
    }
    void place(Label label) { labels_[label] = static_cast<int32_t>(result_->code.size()); }
    void emit(Instruction instruction) { result_->code.push_back(instruction); }
    void jump(Op op, Label label, int32_t a = 0, int32_t b = 0, int32_t operation = 0) {
        Instruction instruction{op};
        instruction.a = a;
        instruction.b = b;
        instruction.operation = operation;
        instruction.target = label;
        emit(instruction);
    }
    int32_t temporary() {
        int32_t reg = next_++;
        result_->frameSize = std::max(result_->frameSize, next_);
        return reg;
    }
    // Names are bound dynamically: the innermost binding of a name is the one read.
    void bind(const std::string& name, int32_t reg) { bindings_.push_back({&name, reg}); }
    const int32_t* bound(const std::string& name) const {
        for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding)
            if (*binding->first == name) return &binding->second;
        return nullptr;
    }

    // After each statement, as a block does: the host's poll, and a stop leaves the block.
    bool block(const BlockNode& body, Label exit, int depth) {
        if (++depth > MaxNesting) return false;
        for (const NodePtr& statement : body.statements) {
            if (statement->kind == kind::Return) return returnStatement(static_cast<const ReturnNode&>(*statement));
            if (statement->kind != kind::If || !ifStatement(static_cast<const IfNode&>(*statement), depth)) return false;
            jump(Op::Poll, exit, statement->line);
        }
        return true;
    }
    bool ifStatement(const IfNode& node, int depth) {
        if (++depth > MaxNesting) return false;
        Label otherwise = newLabel(), end = newLabel();
        if (!branchUnless(*node.condition, otherwise, 0)) return false;
        if (node.then->kind != kind::Block || !block(static_cast<const BlockNode&>(*node.then), end, depth)) return false;
        if (node.otherwise) {
            jump(Op::Jump, end);
            place(otherwise);
            if (node.otherwise->kind == kind::If) {
                if (!ifStatement(static_cast<const IfNode&>(*node.otherwise), depth)) return false;
            } else if (node.otherwise->kind != kind::Block ||
                       !block(static_cast<const BlockNode&>(*node.otherwise), end, depth)) {
                return false;
            }
        } else {
            place(otherwise);
        }
        place(end);
        return true;
    }
    bool returnStatement(const ReturnNode& node) {
        if (!node.value) {
            emit({Op::ReturnZero});
            return true;
        }
        Operand value{};
        if (!operand(*node.value, value, 0)) return false;
        if (value.constant) {
            int32_t reg = temporary();
            load(reg, value);
            value = {false, reg};
        }
        Instruction instruction{Op::Return};
        instruction.a = value.value;
        emit(instruction);
        return true;
    }

    void load(int32_t dst, Operand from) {
        Instruction instruction{from.constant ? Op::Constant : Op::Move};
        instruction.a = dst;
        instruction.b = from.value;
        if (from.constant || from.value != dst) emit(instruction);
    }
    // A variable or a literal is read where it is; anything else is computed into a register.
    bool operand(const Node& node, Operand& result, int depth) {
        int32_t constant = 0;
        if (literal(node, constant)) {
            result = {true, constant};
            return true;
        }
        if (node.kind == kind::Var) {
            const int32_t* reg = bound(static_cast<const VarNode&>(node).name);
            if (!reg) return false;  // another function's variable, or a global
            result = {false, *reg};
            return true;
        }
        int32_t reg = temporary();
        result = {false, reg};
        return value(node, reg, depth);
    }

    bool value(const Node& node, int32_t dst, int depth) {
        if (++depth > MaxNesting) return false;
        int32_t mark = next_;
        bool done = valueOf(node, dst, depth);
        next_ = mark;
        return done;
    }
    bool valueOf(const Node& node, int32_t dst, int depth) {
        int32_t constant = 0;
        if (literal(node, constant)) {
            load(dst, {true, constant});
            return true;
        }
        // Negation shares its kind code with subtraction.
        if (const auto* unary = dynamic_cast<const UnaryNode*>(&node)) {
            if (!value(*unary->operand, dst, depth)) return false;
            Instruction instruction{Op::Unary};
            instruction.a = dst;
            instruction.operation = node.kind;
            emit(instruction);
            return true;
        }
        switch (node.kind) {
        case kind::Var: {
            Operand in{};
            if (!operand(node, in, depth)) return false;
            load(dst, in);
            return true;
        }
        case kind::FuncCall: return call(static_cast<const FuncCallNode&>(node), dst, depth);
        case kind::Cond: {
            const auto& choice = static_cast<const CondNode&>(node);
            Label otherwise = newLabel(), end = newLabel();
            if (!branchUnless(*choice.condition, otherwise, depth) || !value(*choice.whenTrue, dst, depth)) return false;
            jump(Op::Jump, end);
            place(otherwise);
            if (!value(*choice.whenFalse, dst, depth)) return false;
            place(end);
            return true;
        }
        default: break;
        }
        const auto* binary = dynamic_cast<const BinaryNode*>(&node);
        if (!binary) return false;
        if (node.kind == kind::And || node.kind == kind::Or) {
            Label end = newLabel();
            if (!value(*binary->left, dst, depth)) return false;
            jump(node.kind == kind::And ? Op::JumpIfZero : Op::JumpIfNonZeroSetOne, end, dst);
            if (!value(*binary->right, dst, depth)) return false;
            Instruction truth{Op::Truth};
            truth.a = dst;
            emit(truth);
            place(end);
            return true;
        }
        // A division by a computed divisor could fail, which is the tree's to report.
        int32_t divisor = 0;
        if ((node.kind == kind::Div || node.kind == kind::Mod) && (!literal(*binary->right, divisor) || divisor == 0))
            return false;
        Operand left{}, right{};
        if (!leftOperand(*binary->left, dst, left, depth) || !operand(*binary->right, right, depth)) return false;
        Instruction instruction{Op::Operate};
        instruction.a = dst;
        instruction.b = left.value;
        instruction.c = right.value;
        instruction.operation = node.kind;
        if (right.constant && (node.kind == kind::Add || node.kind == kind::Sub)) {
            instruction.op = Op::AddConstant;
            instruction.c = node.kind == kind::Add ? right.value : wrapNeg(right.value);
        } else if (right.constant) {
            instruction.op = Op::OperateConstant;
        }
        emit(instruction);
        return true;
    }
    // The left operand in a register: its variable's, or computed into dst, which nothing on
    // the right side can reach.
    bool leftOperand(const Node& node, int32_t dst, Operand& result, int depth) {
        if (node.kind == kind::Var) return operand(node, result, depth);
        result = {false, dst};
        return value(node, dst, depth);
    }

    // Jumps to whenFalse when the condition's truth is false; a comparison becomes one jump.
    bool branchUnless(const Node& condition, Label whenFalse, int depth) {
        if (isComparison(condition.kind)) {
            const auto& binary = static_cast<const BinaryNode&>(condition);
            int32_t mark = next_;
            Operand left{}, right{};
            bool done = operand(*binary.left, left, depth) && operand(*binary.right, right, depth);
            if (done && left.constant) {
                int32_t reg = temporary();
                load(reg, left);
                left = {false, reg};
            }
            if (done) jump(right.constant ? Op::JumpUnlessConstant : Op::JumpUnless, whenFalse, left.value, right.value, condition.kind);
            next_ = mark;
            return done;
        }
        int32_t reg = temporary();
        bool done = value(condition, reg, depth);
        if (done) jump(Op::JumpIfZero, whenFalse, reg);
        --next_;
        return done;
    }

    // The arguments go straight into the callee's parameter registers, above everything live;
    // each is bound as soon as it is evaluated, so a later argument reads it, as in the tree.
    bool call(const FuncCallNode& node, int32_t dst, int depth) {
        const FunctionDef* callee = functions_.find(node.name);
        if (!callee || callee->params.size() != node.arguments.size() || callee->repeatedParams) return false;
        if (std::find(result_->callees.begin(), result_->callees.end(), callee) == result_->callees.end())
            result_->callees.push_back(callee);
        Label skip = newLabel();
        Instruction enter{Op::Enter};
        enter.a = dst;
        enter.target = skip;
        enter.call = &node;
        emit(enter);
        int32_t base = next_;
        next_ += static_cast<int32_t>(callee->params.size());
        result_->frameSize = std::max(result_->frameSize, next_);
        size_t outer = bindings_.size();
        for (size_t i = 0; i < node.arguments.size(); ++i) {
            if (!value(*node.arguments[i], base + static_cast<int32_t>(i), depth)) return false;
            bind(callee->params[i], base + static_cast<int32_t>(i));
        }
        bindings_.resize(outer);
        Instruction instruction{Op::Call};
        instruction.a = dst;
        instruction.b = base;
        instruction.callee = callee;
        emit(instruction);
        place(skip);
        return true;
    }

    const FunctionDef& function_;
    const FunctionTable& functions_;
    std::unique_ptr<CompiledFunction> result_ = std::make_unique<CompiledFunction>();
    std::vector<int32_t> labels_;
    std::vector<std::pair<const std::string*, int32_t>> bindings_;
    int32_t next_ = 0;
};

}  // namespace

std::unique_ptr<CompiledFunction> compileFunction(const FunctionDef& function, const FunctionTable& functions) {
    return Compiler(function, functions).compile();
}

// The function's code for this generation of the table, compiled once, with every function it
// can reach; null when any of them has none.
const CompiledFunction* Interpreter::compiledCode(const FunctionDef& function) {
    auto codeOf = [&](const FunctionDef& def) {
        if (def.compiledGeneration != functions_.generation()) {
            def.compiled = compileFunction(def, functions_);
            def.compiledGeneration = functions_.generation();
        }
        return def.compiled.get();
    };
    CompiledFunction* compiled = codeOf(function);
    if (!compiled) return nullptr;
    if (!compiled->reachKnown) {
        compiled->reachKnown = true;
        compiled->reach = {&function};
        compiled->enterable = true;
        for (size_t i = 0; i < compiled->reach.size(); ++i) {
            const CompiledFunction* reached = codeOf(*compiled->reach[i]);
            if (!reached) {
                compiled->enterable = false;
                break;
            }
            compiled->reachFrameSize = std::max(compiled->reachFrameSize, reached->frameSize);
            for (const FunctionDef* callee : reached->callees) {
                if (std::find(compiled->reach.begin(), compiled->reach.end(), callee) == compiled->reach.end())
                    compiled->reach.push_back(callee);
            }
        }
    }
    return compiled->enterable ? compiled : nullptr;
}

// A call from the tree may run on the code when its arguments are integers, one for each
// parameter, and no parameter variable of any function it can reach holds a text or an array:
// those the tree would save at each call and count against the limits.
const CompiledFunction* Interpreter::compiledEntry(const FunctionDef& function, const FuncCallNode& call) {
    if (!compiledCalls_ || !call.integerArguments || call.arguments.size() != function.params.size()) return nullptr;
    const CompiledFunction* compiled = compiledCode(function);
    if (!compiled) return nullptr;
    for (const FunctionDef* reached : compiled->reach) {
        bool missing = false;
        for (size_t i = 0; i < reached->params.size(); ++i) {
            const ScriptValue* slot = findVariable(reached->params[i], reached->paramSlots[i]);
            if (!slot) {
                missing = true;
            } else if (slot->holdsData()) {
                return nullptr;
            }
        }
        reached->compiled->needsSlots = missing;
    }
    return compiled;
}

// The parameters, bound by the tree's call, are read from their variables. Inside, parameters
// live in registers only: nothing the code runs can read a variable, and each call would leave
// its parameters' variables as it found them. It does make the ones that did not exist, as a
// call on the tree does.
int32_t Interpreter::runCompiled(const FunctionDef& function, const CompiledFunction& entry) {
    size_t room = static_cast<size_t>(MaxCallDepth + 2) * static_cast<size_t>(entry.reachFrameSize);
    if (registers_.size() < room) registers_.resize(room);
    int32_t* r = registers_.data();
    for (size_t i = 0; i < function.params.size(); ++i) r[i] = variableSlot(function.params[i], function.paramSlots[i]).intValue;
    frames_.clear();
    const Instruction* pc = entry.code.data();
    for (;;) {
        const Instruction& in = *pc++;
        switch (in.op) {
        case Op::Constant: r[in.a] = in.b; break;
        case Op::Move: r[in.a] = r[in.b]; break;
        case Op::AddConstant: r[in.a] = wrapAdd(r[in.b], in.c); break;
        case Op::Operate: r[in.a] = integerOperation(in.operation, r[in.b], r[in.c]); break;
        case Op::OperateConstant: r[in.a] = integerOperation(in.operation, r[in.b], in.c); break;
        case Op::Unary: r[in.a] = unaryOperation(in.operation, r[in.a]); break;
        case Op::Truth: r[in.a] = r[in.a] != 0; break;
        case Op::Jump: pc = in.to; break;
        case Op::JumpIfZero:
            if (r[in.a] == 0) pc = in.to;
            break;
        case Op::JumpIfNonZeroSetOne:
            if (r[in.a] != 0) {
                r[in.a] = 1;
                pc = in.to;
            }
            break;
        case Op::JumpUnless:
            if (!integerOperation(in.operation, r[in.a], r[in.b])) pc = in.to;
            break;
        case Op::JumpUnlessConstant:
            if (!integerOperation(in.operation, r[in.a], in.b)) pc = in.to;
            break;
        case Op::Poll:
            pollHost(in.a);
            if (stopRequest != stop::None) pc = in.to;
            break;
        case Op::Enter:
            if (callDepth > MaxCallDepth) {
                reportTooManyCalls(*in.call);
                r[in.a] = 0;
                pc = in.to;
            }
            break;
        case Op::Call: {
            const FunctionDef& callee = *in.callee;
            const CompiledFunction& code = *callee.compiled;
            if (code.needsSlots) {
                for (size_t i = 0; i < callee.params.size(); ++i) variableSlot(callee.params[i], callee.paramSlots[i]);
                callee.compiled->needsSlots = false;
            }
            frames_.push_back({pc, r, r + in.a});
            ++callDepth;
            r += in.b;
            pc = code.code.data();
            break;
        }
        case Op::Return:
        case Op::ReturnZero: {
            int32_t value = in.op == Op::Return ? r[in.a] : 0;
            if (frames_.empty()) return value;
            --callDepth;
            CompiledFrame back = frames_.back();
            frames_.pop_back();
            *back.result = value;
            r = back.registers;
            pc = back.resume;
            break;
        }
        }
    }
}

}  // namespace wavelith::script
