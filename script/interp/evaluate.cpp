// Expressions: literals are inline in syntax_tree.h; here variables, array elements, the
// operators, ?: and every assignment form.
#include "script/interp/interpreter.h"
#include "script/interp/operators.h"

#include <stdexcept>

namespace wavelith::script {


// factor: IDENTIFIER
ScriptValue VarNode::evaluate(Interpreter& interpreter) const { return interpreter.readVariable(name, line, cache); }

namespace {
// A name that is no variable (a constant, or unassigned): kept out of line, so that the reads
// of variables below stay a few instructions.
[[gnu::noinline]] ScriptValue readMissing(const VarNode& node, Interpreter& interpreter) {
    return interpreter.readVariable(node.name, node.line, node.cache);
}
}  // namespace

int32_t VarNode::evaluateInt(Interpreter& interpreter) const {
    if (const ScriptValue* slot = interpreter.findVariable(name, cache)) return slot->toInt();
    return readMissing(*this, interpreter).toInt();
}

bool VarNode::evaluateTruth(Interpreter& interpreter) const {
    if (const ScriptValue* slot = interpreter.findVariable(name, cache)) return slot->truth();
    return readMissing(*this, interpreter).truth();
}

const ScriptValue& VarNode::evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const {
    if (const ScriptValue* slot = interpreter.findVariable(name, cache)) return *slot;
    scratch = readMissing(*this, interpreter);
    return scratch;
}

namespace {
// An operand read without the virtual call when it is a plain variable or a literal, the two
// operands most expressions have. It only remembers which it is; the node is passed in.
class Operand {
public:
    explicit Operand(const Node& node)
        : form_(node.kind == kind::Var ? Form::Variable : node.kind == kind::Int ? Form::Integer
                : node.kind == kind::String                                  ? Form::Text
                                                                              : Form::Other),
          integer_(form_ == Form::Integer ? static_cast<const IntNode&>(node).value : 0) {}

    // The value in place, or null when it must be evaluated (see Node::evaluateRef).
    [[gnu::always_inline]] const ScriptValue* peek(Interpreter& interpreter, const Node& node) const {
        if (form_ == Form::Variable) {
            const auto& variable = static_cast<const VarNode&>(node);
            return interpreter.findVariable(variable.name, variable.cache);
        }
        return form_ == Form::Text ? &static_cast<const StringNode&>(node).literal() : nullptr;
    }
    [[gnu::always_inline]] int32_t readInt(Interpreter& interpreter, const Node& node) const {
        if (form_ == Form::Integer) return integer_;
        if (const ScriptValue* value = peek(interpreter, node)) return value->toInt();
        return node.evaluateInt(interpreter);
    }
    const ScriptValue& readRef(Interpreter& interpreter, const Node& node, ScriptValue& scratch) const {
        if (const ScriptValue* value = peek(interpreter, node)) return *value;
        return node.evaluateRef(interpreter, scratch);
    }

private:
    enum class Form : uint8_t { Other, Variable, Integer, Text };
    Form form_;
    int32_t integer_;
};

// "+" and the comparisons, which look at whether an operand is a string. Texts are read in
// place; a sum with a string on the left is a new text.
ScriptValue combine(int32_t op, const ScriptValue& l, const ScriptValue& r) {
    if (op == kind::Add) {
        if (l.isString) {
            ValueText more(r);
            checkTextBytes(l.text.size() + more.view().size());
            ScriptValue sum;
            sum.isString = true;
            sum.text.reserve(l.text.size() + more.view().size());
            sum.text += l.text;
            sum.text += more.view();
            return sum;
        }
        return ScriptValue::integer(wrapAdd(l.intValue, r.toInt()));
    }
    if (op == kind::StrictEq || op == kind::StrictNe) {
        bool equal = l.isString != r.isString ? false : l.isString ? l.text == r.text : l.intValue == r.intValue;
        return ScriptValue::integer(equal == (op == kind::StrictEq));
    }
    int order;
    if (l.isString || r.isString) {
        order = ValueText(l).view().compare(ValueText(r).view());
    } else {
        order = l.intValue < r.intValue ? -1 : l.intValue > r.intValue ? 1 : 0;
    }
    switch (op) {
    case kind::Eq: return ScriptValue::integer(order == 0);
    case kind::Ne: return ScriptValue::integer(order != 0);
    case kind::Less: return ScriptValue::integer(order < 0);
    case kind::Greater: return ScriptValue::integer(order > 0);
    case kind::LessEq: return ScriptValue::integer(order <= 0);
    default: return ScriptValue::integer(order >= 0);
    }
}

// The same with a left operand that is no longer needed: a sum appends to its text.
ScriptValue combine(int32_t op, ScriptValue&& l, const ScriptValue& r) {
    if (op != kind::Add || !l.isString) return combine(op, static_cast<const ScriptValue&>(l), r);
    ScriptValue sum;
    sum.isString = true;
    sum.text = std::move(l.text);
    appendText(sum.text, ValueText(r).view());
    return sum;
}

// "+" and the comparisons: integers take the short way, a string on either side the general one.
// Only the integer is needed from a left operand that is no string, so it is read in place before
// the right side runs (which could change that variable); a string or an array (which compares by
// its text) is kept as it was.
template <int32_t Op>
class MixedOperatorNode final : public BinaryNode {
public:
    MixedOperatorNode(NodePtr left, NodePtr right, int32_t line)
        : BinaryNode(Op, std::move(left), std::move(right), line),
          leftOperand_(*this->left),
          rightOperand_(*this->right),
          rightIsInteger_(this->right->alwaysInteger()),
          rightLeavesVariablesAlone_(this->right->leavesVariablesAlone()) {}

    ScriptValue evaluate(Interpreter& interpreter) const override {
        if constexpr (Op != kind::Add) {
            return ScriptValue::integer(evaluateInt(interpreter));
        } else {
            interpreter.checkStack(line);
            if (const ScriptValue* l = leftOperand_.peek(interpreter, *left)) {
                if (!l->isString && !l->isArray) return ScriptValue::integer(withInteger(interpreter, l->intValue));
                return withText(interpreter, *l);
            }
            return evaluateLeftFirst(interpreter);
        }
    }
    int32_t evaluateInt(Interpreter& interpreter) const override {
        interpreter.checkStack(line);
        if (const ScriptValue* l = leftOperand_.peek(interpreter, *left)) {
            if (!l->isString && !l->isArray) return withInteger(interpreter, l->intValue);
            return withText(interpreter, *l).toInt();
        }
        return evaluateLeftFirst(interpreter).toInt();
    }
    // Only "+" can yield a string, whose truth is not its integer reading.
    bool evaluateTruth(Interpreter& interpreter) const override {
        if constexpr (Op == kind::Add) return evaluate(interpreter).truth();
        return evaluateInt(interpreter) != 0;
    }
    const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const override {
        if constexpr (Op == kind::Add) {
            scratch = evaluate(interpreter);
        } else {
            scratch.intValue = evaluateInt(interpreter);
        }
        return scratch;
    }

private:
    // The integer result once the left operand has read as the integer a ("+" with a string on
    // the right is an integer sum too).
    [[gnu::always_inline]] int32_t withInteger(Interpreter& interpreter, int32_t a) const {
        if (rightIsInteger_) return integerOperation(Op, a, rightOperand_.readInt(interpreter, *right));
        if (const ScriptValue* r = rightOperand_.peek(interpreter, *right)) {
            if (!r->isString) return integerOperation(Op, a, r->intValue);
            return withTextOnTheRight(a, *r);
        }
        ScriptValue rightScratch;
        const ScriptValue& r = rightOperand_.readRef(interpreter, *right, rightScratch);
        if (!r.isString) return integerOperation(Op, a, r.intValue);
        return withTextOnTheRight(a, r);
    }
    [[gnu::noinline]] static int32_t withTextOnTheRight(int32_t a, const ScriptValue& r) {
        return combine(Op, ScriptValue::integer(a), r).toInt();
    }
    // A left operand that must be evaluated (a call, an expression): its value is kept in
    // scratch, or moved out of it when it is a string.
    [[gnu::noinline]] ScriptValue evaluateLeftFirst(Interpreter& interpreter) const {
        ScriptValue scratch;
        const ScriptValue& l = left->evaluateRef(interpreter, scratch);
        if (!l.isString && !l.isArray) {
            int32_t a = l.intValue;
            return ScriptValue::integer(withInteger(interpreter, a));
        }
        if (&l == &scratch) return withRight(interpreter, std::move(scratch));
        ScriptValue kept = l;
        return withRight(interpreter, std::move(kept));
    }
    // A string or an array on the left is kept as it was before the right side runs; where
    // nothing on the right can change it, it is read where it is.
    [[gnu::noinline]] ScriptValue withText(Interpreter& interpreter, const ScriptValue& l) const {
        if (rightLeavesVariablesAlone_) {
            ScriptValue rightScratch;
            return combine(Op, l, rightOperand_.readRef(interpreter, *right, rightScratch));
        }
        ScriptValue kept = l;
        return withRight(interpreter, std::move(kept));
    }
    ScriptValue withRight(Interpreter& interpreter, ScriptValue&& kept) const {
        ScriptValue rightScratch;
        return combine(Op, std::move(kept), rightOperand_.readRef(interpreter, *right, rightScratch));
    }
    const Operand leftOperand_, rightOperand_;
    const bool rightIsInteger_, rightLeavesVariablesAlone_;
};

// An operator whose value is always an integer: every reading comes from evaluateInt.
class IntegerBinaryNode : public BinaryNode {
public:
    ScriptValue evaluate(Interpreter& interpreter) const final { return ScriptValue::integer(evaluateInt(interpreter)); }
    bool evaluateTruth(Interpreter& interpreter) const final { return evaluateInt(interpreter) != 0; }
    const ScriptValue& evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const final {
        scratch.intValue = evaluateInt(interpreter);
        return scratch;
    }

protected:
    using BinaryNode::BinaryNode;
};

// The operators that read both operands as integers.
template <int32_t Op>
class IntegerOperatorNode final : public IntegerBinaryNode {
public:
    IntegerOperatorNode(NodePtr left, NodePtr right, int32_t line)
        : IntegerBinaryNode(Op, std::move(left), std::move(right), line),
          leftOperand_(*this->left),
          rightOperand_(*this->right) {}

    int32_t evaluateInt(Interpreter& interpreter) const override {
        interpreter.checkStack(line);
        if constexpr (Op == kind::And) {
            return leftOperand_.readInt(interpreter, *left) != 0 && rightOperand_.readInt(interpreter, *right) != 0;
        } else if constexpr (Op == kind::Or) {
            return leftOperand_.readInt(interpreter, *left) != 0 || rightOperand_.readInt(interpreter, *right) != 0;
        } else {
            int32_t a = leftOperand_.readInt(interpreter, *left);
            int32_t b = rightOperand_.readInt(interpreter, *right);
            if constexpr (Op == kind::Div || Op == kind::Mod) {
                if (b == 0) {
                    interpreter.fail(Op == kind::Div ? Message::DivisionByZero : Message::RemainderByZero, line, {line});
                    return 0;
                }
            }
            return integerOperation(Op, a, b);
        }
    }

private:
    const Operand leftOperand_, rightOperand_;
};

// x % n for an integer literal n other than 0, the common "i % 7": no division at run time.
class RemainderByLiteralNode final : public IntegerBinaryNode {
public:
    RemainderByLiteralNode(NodePtr left, NodePtr right, int32_t line)
        : IntegerBinaryNode(kind::Mod, std::move(left), std::move(right), line),
          leftOperand_(*this->left),
          remainder_(static_cast<const IntNode&>(*this->right).value) {}

    int32_t evaluateInt(Interpreter& interpreter) const override {
        interpreter.checkStack(line);
        return remainder_.of(leftOperand_.readInt(interpreter, *left));
    }

private:
    const Operand leftOperand_;
    const KnownRemainder remainder_;
};
}  // namespace

// expr: expr op expr (the left operand first; && and || may skip the right one)
std::unique_ptr<BinaryNode> makeBinary(int32_t op, NodePtr left, NodePtr right, int32_t line) {
    if (op == kind::Mod && right->kind == kind::Int && static_cast<const IntNode&>(*right).value != 0)
        return std::make_unique<RemainderByLiteralNode>(std::move(left), std::move(right), line);
    switch (op) {
#define WAVELITH_MIXED(Op) \
    case Op: return std::make_unique<MixedOperatorNode<Op>>(std::move(left), std::move(right), line);
#define WAVELITH_INTEGER(Op) \
    case Op: return std::make_unique<IntegerOperatorNode<Op>>(std::move(left), std::move(right), line);
        WAVELITH_MIXED(kind::Add)
        WAVELITH_MIXED(kind::Eq)
        WAVELITH_MIXED(kind::Ne)
        WAVELITH_MIXED(kind::StrictEq)
        WAVELITH_MIXED(kind::StrictNe)
        WAVELITH_MIXED(kind::Less)
        WAVELITH_MIXED(kind::Greater)
        WAVELITH_MIXED(kind::LessEq)
        WAVELITH_MIXED(kind::GreaterEq)
        WAVELITH_INTEGER(kind::Sub)
        WAVELITH_INTEGER(kind::Mul)
        WAVELITH_INTEGER(kind::Div)
        WAVELITH_INTEGER(kind::Mod)
        WAVELITH_INTEGER(kind::Pow)
        WAVELITH_INTEGER(kind::BitOr)
        WAVELITH_INTEGER(kind::BitAnd)
        WAVELITH_INTEGER(kind::BitXor)
        WAVELITH_INTEGER(kind::ShiftLeft)
        WAVELITH_INTEGER(kind::ShiftRight)
        WAVELITH_INTEGER(kind::And)
        WAVELITH_INTEGER(kind::Or)
#undef WAVELITH_MIXED
#undef WAVELITH_INTEGER
    default: throw std::logic_error("not a binary operator");
    }
}

// term: '-' term | '~' term;  logic_expr: '!' logic_expr
int32_t UnaryNode::evaluateInt(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    return unaryOperation(kind, operand->evaluateInt(interpreter));
}

// expr: expr '?' expr ':' expr
ScriptValue CondNode::evaluate(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    return condition->evaluateTruth(interpreter) ? whenTrue->evaluate(interpreter) : whenFalse->evaluate(interpreter);
}

// expr: IDENTIFIER op expr | INC IDENTIFIER | DEC IDENTIFIER | IDENTIFIER INC | IDENTIFIER DEC
bool AssignNode::assign(Interpreter& interpreter, int32_t& oldValue) const {
    interpreter.checkStack(line);
    const std::string& name = target->name;
    auto read = [&]() { return interpreter.readVariable(name, line, target->cache); };
    auto readInt = [&]() {
        if (const ScriptValue* slot = interpreter.findVariable(name, target->cache)) return slot->toInt();
        return read().toInt();
    };
    auto store = [&](ScriptValue stored) { interpreter.variableSlot(name, target->cache) = std::move(stored); };
    auto storeInt = [&](int32_t stored) { interpreter.variableSlot(name, target->cache).setInteger(stored); };

    switch (operation) {
    case kind::Assign:
        // An integer is stored as it is, without a value made and moved in.
        if (valueIsInteger_) {
            storeInt(value->evaluateInt(interpreter));
        } else {
            store(value->evaluate(interpreter));
        }
        return true;
    case kind::AddAssign: {
        // Reading an assigned variable has no effect but its copy, which for a long string is
        // all the cost: look at the slot instead.
        ScriptValue* current = interpreter.findVariable(name, target->cache);
        if (current ? current->isString : read().isString) {
            ScriptValue added = value->evaluate(interpreter);
            ScriptValue* slot = interpreter.findVariable(name, target->cache);
            if (slot && slot->isString && !slot->isArray) {
                // Appending in place is what storing "old text + added" amounts to; it keeps a
                // string built piece by piece from being copied at every step.
                appendText(slot->text, ValueText(added).view());
                slot->intValue = 0;
                return true;
            }
            std::string text = read().toString();
            appendText(text, ValueText(added).view());
            store(ScriptValue::string(std::move(text)));
            return true;
        }
        int32_t old = readInt();
        storeInt(wrapAdd(old, value->evaluateInt(interpreter)));
        return true;
    }
    case kind::DivAssign:
    case kind::ModAssign: {
        int32_t divisor = value->evaluateInt(interpreter);
        if (divisor == 0) {
            interpreter.fail(operation == kind::DivAssign ? Message::DivideAssignByZero : Message::RemainderAssignByZero,
                             line, {line});
            return false;
        }
        int32_t old = readInt();
        storeInt(operation == kind::DivAssign ? wrapDiv(old, divisor) : wrapMod(old, divisor));
        return true;
    }
    case kind::PostInc:
    case kind::PostDec: {
        oldValue = readInt();
        value->evaluateInt(interpreter);
        storeInt(operation == kind::PostInc ? wrapAdd(oldValue, 1) : wrapSub(oldValue, 1));
        return true;
    }
    default: break;
    }
    int32_t old = readInt();
    int32_t operand = value->evaluateInt(interpreter);
    switch (operation) {
    case kind::SubAssign: storeInt(wrapSub(old, operand)); break;
    case kind::MulAssign: storeInt(wrapMul(old, operand)); break;
    case kind::ShiftRightAssign: storeInt(shiftRight(old, operand)); break;
    case kind::ShiftLeftAssign: storeInt(shiftLeft(old, operand)); break;
    case kind::OrAssign: storeInt(old | operand); break;
    case kind::XorAssign: storeInt(old ^ operand); break;
    case kind::AndAssign: storeInt(old & operand); break;
    case kind::PowAssign: storeInt(power(old, operand)); break;
    default: break;
    }
    return true;
}

ScriptValue AssignNode::evaluate(Interpreter& interpreter) const {
    int32_t oldValue = 0;
    if (!assign(interpreter, oldValue)) return ScriptValue::integer(0);
    if (operation == kind::PostInc || operation == kind::PostDec) return ScriptValue::integer(oldValue);
    return interpreter.readVariable(target->name, line, target->cache);
}

[[gnu::always_inline]] inline bool AssignNode::executeShort(Interpreter& interpreter) const {
    if (operation == kind::Assign && valueIsInteger_) {
        interpreter.checkStack(line);
        int32_t stored = value->evaluateInt(interpreter);
        interpreter.variableSlot(target->name, target->cache).setInteger(stored);
        return true;
    }
    if (operation == kind::PostInc || operation == kind::PostDec) {
        // The step is the literal 1 the parser gives: nothing to evaluate.
        ScriptValue* slot = interpreter.findVariable(target->name, target->cache);
        if (!slot || !slot->isPlainInteger()) return false;
        slot->intValue = operation == kind::PostInc ? wrapAdd(slot->intValue, 1) : wrapSub(slot->intValue, 1);
        return true;
    }
    return false;
}

void AssignNode::execute(Interpreter& interpreter) const {
    if (executeShort(interpreter)) return;
    // As a statement the re-read is never used, and for a long string it would be a full copy.
    int32_t oldValue = 0;
    assign(interpreter, oldValue);
}

// factor: IDENTIFIER '[' expr ']'
namespace {
// The array variable, grown to hold the index, or null when the variable does not exist or the
// index is negative (reported).
ScriptValue* arrayToRead(const ArrayAccessNode& node, Interpreter& interpreter, size_t& index) {
    interpreter.checkStack(node.line);
    int32_t position = node.index->evaluateInt(interpreter);
    ScriptValue* entry = interpreter.findVariable(node.name, node.cache);
    if (entry && position >= 0) {
        index = static_cast<size_t>(position);
        VariableTable::growFor(*entry, index);
        return entry;
    }
    if (position < 0) interpreter.fail(Message::InvalidIndex, node.line, {std::string_view(node.name), position, node.line});
    return nullptr;
}
}  // namespace

ScriptValue ArrayAccessNode::evaluate(Interpreter& interpreter) const {
    size_t index = 0;
    const ScriptValue* array = arrayToRead(*this, interpreter, index);
    if (!array) return ScriptValue::defaultFor(name);
    int32_t number = 0;
    std::string_view text;
    if (array->elements.integerAt(index, number)) return ScriptValue::integer(number);
    if (array->elements.textAt(index, text)) return ScriptValue::string(std::string(text));
    return array->elements[index];
}

int32_t ArrayAccessNode::evaluateInt(Interpreter& interpreter) const {
    size_t index = 0;
    const ScriptValue* array = arrayToRead(*this, interpreter, index);
    if (!array) return ScriptValue::defaultFor(name).toInt();
    int32_t number = 0;
    std::string_view text;
    if (array->elements.integerAt(index, number)) return number;
    if (array->elements.textAt(index, text)) return readInteger(text);
    return array->elements[index].toInt();
}

const ScriptValue& ArrayAccessNode::evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const {
    size_t index = 0;
    const ScriptValue* array = arrayToRead(*this, interpreter, index);
    int32_t number = 0;
    std::string_view text;
    if (!array) {
        scratch = ScriptValue::defaultFor(name);
    } else if (array->elements.integerAt(index, number)) {
        scratch.intValue = number;  // scratch comes as the integer 0
    } else if (array->elements.textAt(index, text)) {
        scratch = ScriptValue::string(std::string(text));
    } else {
        return array->elements[index];
    }
    return scratch;
}

// expr: IDENTIFIER '[' expr ']' ASSIGN expr (the index before the value)
ScriptValue ArrayAssignNode::evaluate(Interpreter& interpreter) const { return store(interpreter, true); }

void ArrayAssignNode::execute(Interpreter& interpreter) const {
    if (!valueIsInteger_) {
        store(interpreter, false);
        return;
    }
    interpreter.checkStack(line);
    int32_t position = index->evaluateInt(interpreter);
    int32_t stored = value->evaluateInt(interpreter);
    if (position < 0) {
        interpreter.fail(Message::InvalidIndex, line, {std::string_view(name), position, line});
        position = 0;
    }
    ScriptValue& entry = interpreter.variableSlot(name, cache);
    VariableTable::storeElement(entry, static_cast<size_t>(position), stored);
    if (entry.text != name) entry.text = name;
}

ScriptValue ArrayAssignNode::store(Interpreter& interpreter, bool yieldValue) const {
    interpreter.checkStack(line);
    int32_t position = index->evaluateInt(interpreter);
    ScriptValue stored = value->evaluate(interpreter);
    if (position < 0) {
        interpreter.fail(Message::InvalidIndex, line, {std::string_view(name), position, line});
        position = 0;
    }
    ScriptValue result = yieldValue ? stored : ScriptValue{};
    ScriptValue& entry = interpreter.variableSlot(name, cache);
    VariableTable::storeElement(entry, static_cast<size_t>(position), std::move(stored));
    if (entry.text != name) entry.text = name;
    return result;
}

}  // namespace wavelith::script
