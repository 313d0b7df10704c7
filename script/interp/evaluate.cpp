// Expressions: literals are inline in syntax_tree.h; here variables, array elements, the
// operators, ?: and every assignment form.
#include "script/interp/interpreter.h"

namespace wavelith::script {

namespace {
int compareText(const std::string& left, const std::string& right) { return left.compare(right); }
}  // namespace


// factor: IDENTIFIER
ScriptValue VarNode::evaluate(Interpreter& interpreter) const { return interpreter.readVariable(name, line, cache); }

int32_t VarNode::evaluateInt(Interpreter& interpreter) const {
    if (const ScriptValue* slot = interpreter.findVariable(name, cache)) return slot->toInt();
    return interpreter.readVariable(name, line, cache).toInt();
}

bool VarNode::evaluateTruth(Interpreter& interpreter) const {
    if (const ScriptValue* slot = interpreter.findVariable(name, cache)) return slot->truth();
    return interpreter.readVariable(name, line, cache).truth();
}

namespace {
bool integerOperator(int32_t op) {
    return op != kind::Add && !(op >= kind::Eq && op <= kind::GreaterEq);
}

// "+" and the comparisons, which look at whether an operand is a string.
ScriptValue combine(int32_t op, ScriptValue& l, const ScriptValue& r) {
    if (op == kind::Add) {
        if (l.isString) {
            std::string text = std::move(l.text);
            appendText(text, r.toString());
            return ScriptValue::string(std::move(text));
        }
        return ScriptValue::integer(wrapAdd(l.intValue, r.toInt()));
    }
    if (op == kind::StrictEq || op == kind::StrictNe) {
        bool equal = l.isString != r.isString ? false : l.isString ? l.text == r.text : l.intValue == r.intValue;
        return ScriptValue::integer(equal == (op == kind::StrictEq));
    }
    int order;
    if (l.isString || r.isString) {
        order = compareText(l.toString(), r.toString());
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
}  // namespace

// expr: expr op expr (the left operand first; && and || may skip the right one)
ScriptValue BinaryNode::evaluate(Interpreter& interpreter) const {
    if (integerOperator(kind)) return ScriptValue::integer(evaluateInt(interpreter));
    interpreter.checkStack(line);
    ScriptValue l = left->evaluate(interpreter);
    ScriptValue r = right->evaluate(interpreter);
    return combine(kind, l, r);
}

int32_t BinaryNode::evaluateInt(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    if (!integerOperator(kind)) {
        ScriptValue l = left->evaluate(interpreter);
        ScriptValue r = right->evaluate(interpreter);
        if (!l.isString && !r.isString) {
            int32_t a = l.intValue, b = r.intValue;
            switch (kind) {
            case kind::Add: return wrapAdd(a, b);
            case kind::Eq: case kind::StrictEq: return a == b;
            case kind::Ne: case kind::StrictNe: return a != b;
            case kind::Less: return a < b;
            case kind::Greater: return a > b;
            case kind::LessEq: return a <= b;
            default: return a >= b;
            }
        }
        return combine(kind, l, r).toInt();
    }
    if (kind == kind::And) return left->evaluateInt(interpreter) != 0 && right->evaluateInt(interpreter) != 0;
    if (kind == kind::Or) return left->evaluateInt(interpreter) != 0 || right->evaluateInt(interpreter) != 0;
    int32_t a = left->evaluateInt(interpreter);
    int32_t b = right->evaluateInt(interpreter);
    switch (kind) {
    case kind::Sub: return wrapSub(a, b);
    case kind::Mul: return wrapMul(a, b);
    case kind::Div:
        if (b == 0) {
            interpreter.fail(Message::DivisionByZero, line, {line});
            return 0;
        }
        return wrapDiv(a, b);
    case kind::Mod:
        if (b == 0) {
            interpreter.fail(Message::RemainderByZero, line, {line});
            return 0;
        }
        return wrapMod(a, b);
    case kind::Pow: return power(a, b);
    case kind::BitOr: return a | b;
    case kind::BitAnd: return a & b;
    case kind::BitXor: return a ^ b;
    case kind::ShiftLeft: return shiftLeft(a, b);
    default: return shiftRight(a, b);
    }
}

// term: '-' term | '~' term;  logic_expr: '!' logic_expr
int32_t UnaryNode::evaluateInt(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    int32_t value = operand->evaluateInt(interpreter);
    switch (kind) {
    case kind::Negate: return wrapNeg(value);
    case kind::BitNot: return ~value;
    default: return value == 0;
    }
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
    auto store = [&](ScriptValue stored) -> ScriptValue& {
        ScriptValue* slot = interpreter.findVariable(name, target->cache);
        if (!slot) slot = &interpreter.variables().getOrCreate(name);
        *slot = std::move(stored);
        return *slot;
    };
    auto storeInt = [&](int32_t stored) {
        ScriptValue* slot = interpreter.findVariable(name, target->cache);
        if (!slot) slot = &interpreter.variables().getOrCreate(name);
        slot->isString = false;
        slot->isArray = false;
        slot->intValue = stored;
        slot->text.clear();
        slot->elements.clear();
    };

    switch (operation) {
    case kind::Assign: store(value->evaluate(interpreter)); return true;
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
                appendText(slot->text, added.toString());
                slot->intValue = 0;
                return true;
            }
            std::string text = read().toString();
            appendText(text, added.toString());
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
        value->evaluate(interpreter);
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

void AssignNode::execute(Interpreter& interpreter) const {
    // As a statement the re-read is never used, and for a long string it would be a full copy.
    int32_t oldValue = 0;
    assign(interpreter, oldValue);
}

// factor: IDENTIFIER '[' expr ']'
ScriptValue ArrayAccessNode::evaluate(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    int32_t position = index->evaluateInt(interpreter);
    ScriptValue* entry = interpreter.variables().find(name);
    if (entry && position >= 0) return VariableTable::elementSlot(*entry, static_cast<size_t>(position));
    if (position < 0) interpreter.fail(Message::InvalidIndex, line, {std::string_view(name), position, line});
    return ScriptValue::defaultFor(name);
}

// expr: IDENTIFIER '[' expr ']' ASSIGN expr (the index before the value)
ScriptValue ArrayAssignNode::evaluate(Interpreter& interpreter) const { return store(interpreter, true); }

ScriptValue ArrayAssignNode::store(Interpreter& interpreter, bool yieldValue) const {
    interpreter.checkStack(line);
    int32_t position = index->evaluateInt(interpreter);
    ScriptValue stored = value->evaluate(interpreter);
    if (position < 0) {
        interpreter.fail(Message::InvalidIndex, line, {std::string_view(name), position, line});
        position = 0;
    }
    ScriptValue result = yieldValue ? stored : ScriptValue{};
    ScriptValue& entry = interpreter.variables().getOrCreate(name);
    VariableTable::storeElement(entry, static_cast<size_t>(position), std::move(stored));
    entry.text = name;
    return result;
}

}  // namespace wavelith::script
