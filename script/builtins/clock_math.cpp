// Waiting, the local clock, pseudo-random numbers and integer math, including the K family
// (results scaled by 1000, angles in degrees).
#include "platform/desktop.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

#include <cmath>

namespace wavelith::script {

namespace {
// The generator of the C runtime the language grew up with, kept here so that a seed gives the
// same sequence on every build (0 to 32767, seed 1 until SRAND).
uint32_t randomState = 1;

// A result that does not fit (or is not a number) reads as the smallest integer.
int32_t scaledToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(std::trunc(value));
}

double radians(int32_t degrees) { return degrees * 3.1415926535 * 0.005555555555555556; }

LocalTime now(Interpreter& interpreter) { return interpreter.desktop().getLocalTime(); }
}  // namespace

void builtinSleep(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    // A negative count would reach Sleep as an endless wait that no stop request can end; it
    // waits not at all instead.
    int32_t milliseconds = arguments[0].toInt();
    interpreter.desktop().sleep(milliseconds < 0 ? 0u : static_cast<uint32_t>(milliseconds));
    result = ScriptValue::integer(0);
}

void builtinGetCurrentYear(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).year);
}
void builtinGetCurrentMonth(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).month);
}
void builtinGetCurrentDay(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).day);
}
void builtinGetCurrentDayOfWeek(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).dayOfWeek);
}
void builtinGetCurrentHour(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).hour);
}
void builtinGetCurrentMinute(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).minute);
}
void builtinGetCurrentSecond(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).second);
}
void builtinGetCurrentMilliseconds(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(now(interpreter).milliseconds);
}
void builtinGetTickCount(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(static_cast<int32_t>(interpreter.desktop().getTickCount()));
}

void builtinRand(Interpreter&, ScriptValue& result, const Arguments&) {
    randomState = randomState * 214013u + 2531011u;
    result = ScriptValue::integer(static_cast<int32_t>((randomState >> 16) & 0x7FFF));
}

void builtinSrand(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    int32_t seed = arguments.empty() ? static_cast<int32_t>(interpreter.desktop().getTickCount()) : arguments[0].toInt();
    randomState = static_cast<uint32_t>(seed);
    result = ScriptValue::integer(seed);
}

void builtinAbs(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t n = arguments[0].toInt();
    result = ScriptValue::integer(n >= 0 ? n : wrapNeg(n));
}

void builtinMax(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t largest = arguments[0].toInt();
    for (size_t i = 1; i < arguments.size(); ++i) largest = std::max(largest, arguments[i].toInt());
    result = ScriptValue::integer(largest);
}

void builtinMin(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t smallest = arguments[0].toInt();
    for (size_t i = 1; i < arguments.size(); ++i) smallest = std::min(smallest, arguments[i].toInt());
    result = ScriptValue::integer(smallest);
}

// CLAMP(v, low, high): low wins when the range is upside down.
void builtinClamp(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t value = arguments[0].toInt(), low = arguments[1].toInt(), high = arguments[2].toInt();
    result = ScriptValue::integer(value < low ? low : value > high ? high : value);
}

void builtinSqrt(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t n = arguments[0].toInt();
    result = ScriptValue::integer(n < 0 ? INT32_MIN : scaledToInt(std::sqrt(static_cast<double>(n))));
}

void builtinKSqrt(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    int32_t n = arguments[0].toInt();
    result = ScriptValue::integer(n < 0 ? INT32_MIN : scaledToInt(std::sqrt(static_cast<double>(n)) * 1000));
}

void builtinKSin(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(scaledToInt(std::sin(radians(arguments[0].toInt())) * 1000));
}

void builtinKCos(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(scaledToInt(std::cos(radians(arguments[0].toInt())) * 1000));
}

void builtinKTan(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    result = ScriptValue::integer(scaledToInt(std::tan(radians(arguments[0].toInt())) * 1000));
}

}  // namespace wavelith::script
