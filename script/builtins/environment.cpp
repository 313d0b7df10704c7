// Environment variables, the interpreter options of DEFINE, the language version and TYPEOF.
#include "platform/desktop.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

namespace wavelith::script {

void builtinGetEnv(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::u16string value = interpreter.desktop().getEnvironmentVariable(utf8ToUtf16(arguments[0].toString()));
    result = ScriptValue::string(utf16ToUtf8(value));
}

void builtinSetEnv(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    bool set = interpreter.desktop().setEnvironmentVariable(utf8ToUtf16(arguments[0].toString()),
                                                            utf8ToUtf16(arguments[1].toString()));
    result = ScriptValue::integer(set ? 1 : 0);
}

// DEFINE(option, value): 1 for a known option.
void builtinDefine(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string option = upperAscii(arguments[0].toString());
    bool on = arguments[1].toInt() != 0;
    bool known = true;
    if (option == "MUSTVARDEF") {
        interpreter.setMustVarDef(on);
    } else if (option == "KEEPVAR") {
        interpreter.setKeepVar(on);
    } else if (option == "RSC_LANG") {
        interpreter.setJapanese(on);
    } else {
        known = false;
    }
    result = ScriptValue::integer(known ? 1 : 0);
}

void builtinGetQxScriptVersion(Interpreter&, ScriptValue& result, const Arguments&) {
    result = ScriptValue::integer(15702);
}

// TYPEOF(name) takes a name, not a value: an array variable passed itself works because its
// string form is its name.
void builtinTypeOf(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string name = Interpreter::arrayName(arguments[0]);
    const char* type = "invalid";
    if (!name.empty()) {
        const ScriptValue* variable = interpreter.variables().find(name);
        type = !variable ? "undefined" : variable->isArray ? "array" : variable->isString ? "string" : "int";
    }
    result = ScriptValue::string(type);
}

}  // namespace wavelith::script
