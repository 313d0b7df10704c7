// The built-in functions and named constants that scripts call and read by name. Both tables are
// sorted by name in unsigned byte order and searched by bisection.
#pragma once

#include "script/interp/value.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
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
    // Reads nothing but its arguments (no variable, no array by name): a variable passed to it
    // may be lent for the call instead of copied.
    bool argumentsOnly = false;
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
// strings.cpp
void builtinStrLen(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbStrLen(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrStr(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrStrI(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbStrStr(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbStrStrI(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrCmp(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrCmpI(Interpreter&, ScriptValue&, const Arguments&);
void builtinStartsWith(Interpreter&, ScriptValue&, const Arguments&);
void builtinEndsWith(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetAsciiCode(Interpreter&, ScriptValue&, const Arguments&);
void builtinLeft(Interpreter&, ScriptValue&, const Arguments&);
void builtinRight(Interpreter&, ScriptValue&, const Arguments&);
void builtinMid(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbLeft(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbRight(Interpreter&, ScriptValue&, const Arguments&);
void builtinMbMid(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrUpr(Interpreter&, ScriptValue&, const Arguments&);
void builtinStrLwr(Interpreter&, ScriptValue&, const Arguments&);
void builtinPadLeft(Interpreter&, ScriptValue&, const Arguments&);
void builtinPadRight(Interpreter&, ScriptValue&, const Arguments&);
void builtinTrimLeft(Interpreter&, ScriptValue&, const Arguments&);
void builtinTrimRight(Interpreter&, ScriptValue&, const Arguments&);
void builtinToInt(Interpreter&, ScriptValue&, const Arguments&);
void builtinToStr(Interpreter&, ScriptValue&, const Arguments&);
void builtinToStr2(Interpreter&, ScriptValue&, const Arguments&);
void builtinToStr16(Interpreter&, ScriptValue&, const Arguments&);
void builtinAsciiCode(Interpreter&, ScriptValue&, const Arguments&);
void builtinReplace(Interpreter&, ScriptValue&, const Arguments&);
void builtinLcLite(Interpreter&, ScriptValue&, const Arguments&);
void builtinDelCtrlC(Interpreter&, ScriptValue&, const Arguments&);
void builtinInsCrLf(Interpreter&, ScriptValue&, const Arguments&);
// format.cpp
void builtinFormat(Interpreter&, ScriptValue&, const Arguments&);
// character_classes.cpp
void builtinConvChar(Interpreter&, ScriptValue&, const Arguments&);
// arrays.cpp
// Message 115 for an array name that is no identifier, naming function by its display name
// (e.g. "SortArray"), and a stop request.
void reportInvalidArrayName(Interpreter& interpreter, const char* function);
// The upper-cased variable name of an array argument; empty, after reportInvalidArrayName, when
// it is no identifier.
std::string arrayNameOrReport(Interpreter& interpreter, const ScriptValue& argument, const char* function);
// A built-in's element write: the variable becomes an array named by its own name, grown to
// hold index, and value is stored there.
void writeElement(ScriptValue& variable, const std::string& name, size_t index, ScriptValue value);
void builtinArraySize(Interpreter&, ScriptValue&, const Arguments&);
void builtinArrayInit(Interpreter&, ScriptValue&, const Arguments&);
void builtinArrayAdd(Interpreter&, ScriptValue&, const Arguments&);
void builtinResize(Interpreter&, ScriptValue&, const Arguments&);
void builtinDelArrayItem(Interpreter&, ScriptValue&, const Arguments&);
void builtinDelEmptyArray(Interpreter&, ScriptValue&, const Arguments&);
void builtinUniqArray(Interpreter&, ScriptValue&, const Arguments&);
void builtinSortArray(Interpreter&, ScriptValue&, const Arguments&);
void builtinSortArrayDesc(Interpreter&, ScriptValue&, const Arguments&);
void builtinSplit(Interpreter&, ScriptValue&, const Arguments&);
void builtinJoin(Interpreter&, ScriptValue&, const Arguments&);
void builtinMultiLineToStringArray(Interpreter&, ScriptValue&, const Arguments&);
void builtinArrayToMultiLineString(Interpreter&, ScriptValue&, const Arguments&);
// regex.cpp
void builtinRegexMatch(Interpreter&, ScriptValue&, const Arguments&);
void builtinRegexReplace(Interpreter&, ScriptValue&, const Arguments&);
void builtinRegexSearch(Interpreter&, ScriptValue&, const Arguments&);
// input.cpp
void builtinMoveMouse(Interpreter&, ScriptValue&, const Arguments&);
void builtinSetCursorPos(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCursorPosX(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetCursorPosY(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseWheel(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseButtonLeft(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseButtonRight(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseButtonMiddle(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseButtonX1(Interpreter&, ScriptValue&, const Arguments&);
void builtinMouseButtonX2(Interpreter&, ScriptValue&, const Arguments&);
void builtinKeybdEvent(Interpreter&, ScriptValue&, const Arguments&);
void builtinSendInputUnicode(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetKeyState(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetImeState(Interpreter&, ScriptValue&, const Arguments&);
void builtinSetImeState(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetActiveWindowTitle(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetSystemMetrics(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetClipboardText(Interpreter&, ScriptValue&, const Arguments&);
void builtinSetClipboardText(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetKeyInputDeviceList(Interpreter&, ScriptValue&, const Arguments&);
void builtinGetMonitorsRect(Interpreter&, ScriptValue&, const Arguments&);

}  // namespace wavelith::script
