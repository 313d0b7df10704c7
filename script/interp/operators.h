// The integer meaning of the operators, shared by the tree walk and compiled functions.
#pragma once

#include "script/front/syntax_tree.h"
#include "script/interp/value.h"

#include <cstdint>

namespace wavelith::script {

// op applied to two integers. Division and remainder take a divisor other than 0 (the callers
// report 0 themselves); && and || are not here, since they may skip their right side.
inline int32_t integerOperation(int32_t op, int32_t a, int32_t b) {
    switch (op) {
    case kind::Add: return wrapAdd(a, b);
    case kind::Sub: return wrapSub(a, b);
    case kind::Mul: return wrapMul(a, b);
    case kind::Div: return wrapDiv(a, b);
    case kind::Mod: return wrapMod(a, b);
    case kind::Pow: return power(a, b);
    case kind::BitOr: return a | b;
    case kind::BitAnd: return a & b;
    case kind::BitXor: return a ^ b;
    case kind::ShiftLeft: return shiftLeft(a, b);
    case kind::ShiftRight: return shiftRight(a, b);
    case kind::Eq:
    case kind::StrictEq: return a == b;
    case kind::Ne:
    case kind::StrictNe: return a != b;
    case kind::Less: return a < b;
    case kind::Greater: return a > b;
    case kind::LessEq: return a <= b;
    default: return a >= b;  // kind::GreaterEq
    }
}

// A unary operator (negation, ~ or !) applied to an integer.
inline int32_t unaryOperation(int32_t op, int32_t value) {
    switch (op) {
    case kind::Negate: return wrapNeg(value);
    case kind::BitNot: return ~value;
    default: return value == 0;  // kind::Not
    }
}

}  // namespace wavelith::script
