// The built-in table: every function a script calls by name. ORDER: strictly ascending unsigned
// byte order of the names ("_" sorts after the letters); dispatch bisects it and a unit test
// checks it. Rows of the families still to come answer with a message until they arrive.
#include "script/builtins/table.h"

#include "script/interp/interpreter.h"


namespace wavelith::script {

namespace {
constexpr uint16_t Any = 65535;

const BuiltinEntry builtins[] = {
    {"ABS", 1, 1, builtinAbs},
    {"ARRAYADD", 1, Any, builtinNotAvailable},
    {"ARRAYINIT", 1, Any, builtinNotAvailable},
    {"ARRAYSIZE", 1, 1, builtinNotAvailable},
    {"ARRAYTOMULTILINESTRING", 1, 2, builtinNotAvailable},
    {"ASCIICODE", 1, 1, builtinNotAvailable},
    {"CHR", 1, 1, builtinNotAvailable},
    {"CLAMP", 3, 3, builtinClamp},
    {"CONVCHAR", 2, 2, builtinNotAvailable},
    {"DEFINE", 2, 2, builtinDefine},
    {"DELARRAYITEM", 2, 2, builtinNotAvailable},
    {"DELCTRLC", 2, 2, builtinNotAvailable},
    {"DELEMPTYARRAY", 1, 1, builtinNotAvailable},
    {"ENDSWITH", 2, 2, builtinNotAvailable},
    {"ERROR", 1, 2, builtinError},
    {"FORMAT", 1, Any, builtinNotAvailable},
    {"GETACTIVEWINDOWTITLE", 0, 0, builtinNotAvailable},
    {"GETASCIICODE", 2, 2, builtinNotAvailable},
    {"GETCLIPBOARDTEXT", 0, 0, builtinNotAvailable},
    {"GETCURRENTDAY", 0, 0, builtinGetCurrentDay},
    {"GETCURRENTDAYOFWEEK", 0, 0, builtinGetCurrentDayOfWeek},
    {"GETCURRENTHOUR", 0, 0, builtinGetCurrentHour},
    {"GETCURRENTMILLISECONDS", 0, 0, builtinGetCurrentMilliseconds},
    {"GETCURRENTMINUTE", 0, 0, builtinGetCurrentMinute},
    {"GETCURRENTMONTH", 0, 0, builtinGetCurrentMonth},
    {"GETCURRENTSECOND", 0, 0, builtinGetCurrentSecond},
    {"GETCURRENTYEAR", 0, 0, builtinGetCurrentYear},
    {"GETCURSORPOSX", 0, 0, builtinNotAvailable},
    {"GETCURSORPOSY", 0, 0, builtinNotAvailable},
    {"GETENV", 1, 1, builtinGetEnv},
    {"GETIMESTATE", 0, 0, builtinNotAvailable},
    {"GETKEYINPUTDEVICELIST", 1, 1, builtinNotAvailable},
    {"GETKEYSTATE", 1, 1, builtinNotAvailable},
    {"GETMONITORSRECT", 4, 6, builtinNotAvailable},
    {"GETQX_SCRIPTVERSION", 0, 0, builtinGetQxScriptVersion},
    {"GETSYSTEMMETRICS", 1, 1, builtinNotAvailable},
    {"GETTICKCOUNT", 0, 0, builtinGetTickCount},
    {"INFORMATION", 1, 2, builtinInformation},
    {"INPUT", 1, 2, builtinInput},
    {"INSCRLF", 3, 3, builtinNotAvailable},
    {"JOIN", 1, 2, builtinNotAvailable},
    {"KCOS", 1, 1, builtinKCos},
    {"KEYBDEVENT", 2, 2, builtinNotAvailable},
    {"KSIN", 1, 1, builtinKSin},
    {"KSQRT", 1, 1, builtinKSqrt},
    {"KTAN", 1, 1, builtinKTan},
    {"LCLITE", 2, 2, builtinNotAvailable},
    {"LEFT", 2, 2, builtinNotAvailable},
    {"LEN", 1, 1, builtinNotAvailable},
    {"MAX", 1, Any, builtinMax},
    {"MBLEFT", 2, 2, builtinNotAvailable},
    {"MBMID", 3, 3, builtinNotAvailable},
    {"MBRIGHT", 2, 2, builtinNotAvailable},
    {"MBSTRLEN", 1, 1, builtinNotAvailable},
    {"MBSTRSTR", 2, 2, builtinNotAvailable},
    {"MBSTRSTRI", 2, 2, builtinNotAvailable},
    {"MBSUBSTR", 3, 3, builtinNotAvailable},
    {"MBSUBSTRING", 3, 3, builtinNotAvailable},
    {"MESSAGE", 1, 2, builtinMessage},
    {"MESSAGEBEEP", 1, 1, builtinMessageBeep},
    {"MESSAGEBOX", 1, 2, builtinMessage},
    {"MID", 3, 3, builtinNotAvailable},
    {"MIN", 1, Any, builtinMin},
    {"MOUSEBUTTONLEFT", 1, 1, builtinNotAvailable},
    {"MOUSEBUTTONMIDDLE", 1, 1, builtinNotAvailable},
    {"MOUSEBUTTONRIGHT", 1, 1, builtinNotAvailable},
    {"MOUSEBUTTONX1", 1, 1, builtinNotAvailable},
    {"MOUSEBUTTONX2", 1, 1, builtinNotAvailable},
    {"MOUSEWHEEL", 1, 1, builtinNotAvailable},
    {"MOVEMOUSE", 2, 2, builtinNotAvailable},
    {"MULTILINETOSTRINGARRAY", 1, 1, builtinNotAvailable},
    {"PADLEFT", 2, 3, builtinNotAvailable},
    {"PADRIGHT", 2, 3, builtinNotAvailable},
    {"QUESTION", 1, 2, builtinQuestion},
    {"QUESTIONOKCANCEL", 1, 2, builtinQuestionOkCancel},
    {"QUESTIONYESNO", 1, 2, builtinQuestion},
    {"QUESTIONYESNOCANCEL", 1, 2, builtinQuestionYesNoCancel},
    {"QUESTION_OKCANCEL", 1, 2, builtinQuestionOkCancel},
    {"QUESTION_YESNO", 1, 2, builtinQuestion},
    {"QUESTION_YESNOCANCEL", 1, 2, builtinQuestionYesNoCancel},
    {"RAND", 0, 0, builtinRand},
    {"REGEX_MATCH", 2, 3, builtinNotAvailable},
    {"REGEX_REPLACE", 3, 4, builtinNotAvailable},
    {"REGEX_SEARCH", 2, 5, builtinNotAvailable},
    {"REPLACE", 2, 3, builtinNotAvailable},
    {"RESIZE", 2, 2, builtinNotAvailable},
    {"RIGHT", 2, 2, builtinNotAvailable},
    {"SENDINPUTUNICODE", 1, 2, builtinNotAvailable},
    {"SETCLIPBOARDTEXT", 1, 1, builtinNotAvailable},
    {"SETCURSORPOS", 2, 2, builtinNotAvailable},
    {"SETENV", 2, 2, builtinSetEnv},
    {"SETIMESTATE", 1, 1, builtinNotAvailable},
    {"SLEEP", 1, 1, builtinSleep},
    {"SORTARRAY", 1, 1, builtinNotAvailable},
    {"SORTARRAYDESC", 1, 1, builtinNotAvailable},
    {"SPLIT", 3, 3, builtinNotAvailable},
    {"SQRT", 1, 1, builtinSqrt},
    {"SRAND", 0, 1, builtinSrand},
    {"STARTSWITH", 2, 2, builtinNotAvailable},
    {"STRCMP", 2, 2, builtinNotAvailable},
    {"STRCMPI", 2, 2, builtinNotAvailable},
    {"STRLEN", 1, 1, builtinNotAvailable},
    {"STRLWR", 1, 1, builtinNotAvailable},
    {"STRSTR", 2, 2, builtinNotAvailable},
    {"STRSTRI", 2, 2, builtinNotAvailable},
    {"STRUPR", 1, 1, builtinNotAvailable},
    {"SUBSTR", 3, 3, builtinNotAvailable},
    {"SUBSTRING", 3, 3, builtinNotAvailable},
    {"TEXTOUT", 1, 2, builtinMessage},
    {"TOINT", 1, 1, builtinNotAvailable},
    {"TOSTR", 1, 1, builtinNotAvailable},
    {"TOSTR16", 1, 1, builtinNotAvailable},
    {"TOSTR2", 1, 1, builtinNotAvailable},
    {"TRIMLEFT", 1, 2, builtinNotAvailable},
    {"TRIMRIGHT", 1, 2, builtinNotAvailable},
    {"TYPEOF", 1, 1, builtinTypeOf},
    {"UNIQARRAY", 1, 1, builtinNotAvailable},
    {"WARNING", 1, 2, builtinWarning},
};
}  // namespace

BuiltinTable builtinTable() { return {builtins, sizeof builtins / sizeof builtins[0]}; }

const BuiltinEntry* findBuiltin(std::string_view name) {
    return findByName(builtins, sizeof builtins / sizeof builtins[0], name);
}

void builtinNotAvailable(Interpreter& interpreter, ScriptValue& result, const Arguments&) {
    interpreter.fail(Message::NotAvailableYet, interpreter.callLine(),
                     {interpreter.callLine(), std::string_view(interpreter.callName())});
    result = ScriptValue::defaultFor(interpreter.callName());
}

}  // namespace wavelith::script
