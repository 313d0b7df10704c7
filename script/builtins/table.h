// The built-in functions and named constants that scripts call and read by name. Both tables are
// sorted by name in unsigned byte order and searched by bisection.
#pragma once

#include "script/interp/value.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavelith::script {

class Interpreter;

using Arguments = std::vector<ScriptValue>;
// Fills result from the evaluated arguments; the table has already checked their number.
using BuiltinFunction = void (*)(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments);

struct BuiltinEntry {
    const char* name;  // upper case, no '$'
    uint16_t minArgs;
    uint16_t maxArgs;  // 65535: any number
    BuiltinFunction function;
};

struct ConstantEntry {
    const char* name;
    int32_t value;
};

struct BuiltinTable {
    const BuiltinEntry* rows;
    size_t size;
};
struct ConstantTable {
    const ConstantEntry* rows;
    size_t size;
};

BuiltinTable builtinTable();
ConstantTable constantTable();

// Bisection over a table sorted by name in unsigned byte order.
template <typename Row>
const Row* findByName(const Row* rows, size_t size, std::string_view name) {
    const Row* end = rows + size;
    const Row* found = std::lower_bound(rows, end, name, [](const Row& row, std::string_view key) {
        return std::string_view(row.name) < key;
    });
    return found != end && std::string_view(found->name) == name ? found : nullptr;
}

// name: upper case, without '$'.
const BuiltinEntry* findBuiltin(std::string_view name);
const ConstantEntry* findConstant(std::string_view name);

// ---- the families (one file each) ----
// dialogs.cpp
void builtinMessage(Interpreter&, ScriptValue&, const Arguments&);
void builtinQuestion(Interpreter&, ScriptValue&, const Arguments&);
void builtinQuestionOkCancel(Interpreter&, ScriptValue&, const Arguments&);
void builtinQuestionYesNoCancel(Interpreter&, ScriptValue&, const Arguments&);
void builtinWarning(Interpreter&, ScriptValue&, const Arguments&);
void builtinInformation(Interpreter&, ScriptValue&, const Arguments&);
void builtinError(Interpreter&, ScriptValue&, const Arguments&);
void builtinMessageBeep(Interpreter&, ScriptValue&, const Arguments&);
void builtinInput(Interpreter&, ScriptValue&, const Arguments&);
// clock_math.cpp
void builtinSleep(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentYear(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentMonth(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentDay(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentDayOfWeek(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentHour(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentMinute(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentSecond(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCurrentMilliseconds(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetTickCount(Interpreter&, ScriptValue&, const Arguments&);
void builtinRand(Interpreter&, ScriptValue&, const Arguments&);
void builtinSrand(Interpreter&, ScriptValue&, const Arguments&);
void builtinAbs(Interpreter&, ScriptValue&, const Arguments&);
void builtinMax(Interpreter&, ScriptValue&, const Arguments&);
void builtinMin(Interpreter&, ScriptValue&, const Arguments&);
void builtinClamp(Interpreter&, ScriptValue&, const Arguments&);
void builtinSqrt(Interpreter&, ScriptValue&, const Arguments&);
void builtinKSqrt(Interpreter&, ScriptValue&, const Arguments&);
void builtinKSin(Interpreter&, ScriptValue&, const Arguments&);
void builtinKCos(Interpreter&, ScriptValue&, const Arguments&);
void builtinKTan(Interpreter&, ScriptValue&, const Arguments&);
// environment.cpp
void builtinGetEnv(Interpreter&, ScriptValue&, const Arguments&);
void builtinSetEnv(Interpreter&, ScriptValue&, const Arguments&);
void builtinDefine(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetQxScriptVersion(Interpreter&, ScriptValue&, const Arguments&);
void builtinTypeOf(Interpreter&, ScriptValue&, const Arguments&);
// The families of the next stage answer with a message until they arrive.
void builtinNotAvailable(Interpreter&, ScriptValue&, const Arguments&);

}  // namespace wavelith::script
