// Message and question boxes, the beep, and the one-line INPUT dialog.
#include "platform/desktop.h"
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

namespace wavelith::script {

namespace mb = message_box;

namespace {
// (text[, caption]): a given caption is used even when empty.
int32_t showBox(Interpreter& interpreter, const Arguments& arguments, const char* defaultCaption, uint32_t style) {
    std::string caption = arguments.size() > 1 ? arguments[1].toString() : std::string(defaultCaption);
    return interpreter.messageBox(arguments[0].toString(), caption, style);
}
}  // namespace

void builtinMessage(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    showBox(interpreter, arguments, "Message", mb::Ok);
    result = ScriptValue::integer(0);
}

void builtinQuestion(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    int32_t chosen = showBox(interpreter, arguments, "Question", mb::YesNo | mb::IconQuestion);
    result = ScriptValue::integer(chosen == mb::IdYes);
}

void builtinQuestionOkCancel(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    int32_t chosen = showBox(interpreter, arguments, "Question", mb::OkCancel | mb::IconQuestion);
    result = ScriptValue::integer(chosen == mb::IdOk);
}

void builtinQuestionYesNoCancel(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    int32_t chosen = showBox(interpreter, arguments, "Question", mb::YesNoCancel | mb::IconQuestion);
    result = ScriptValue::integer(chosen == mb::IdYes ? 1 : chosen == mb::IdNo ? 0 : -1);
}

void builtinWarning(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    showBox(interpreter, arguments, "Warning", mb::IconWarning);
    result = ScriptValue::integer(0);
}

void builtinInformation(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    showBox(interpreter, arguments, "Information", mb::IconInformation);
    result = ScriptValue::integer(0);
}

void builtinError(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    showBox(interpreter, arguments, "Error", mb::IconError);
    result = ScriptValue::integer(0);
}

void builtinMessageBeep(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    bool played = interpreter.desktop().messageBeep(static_cast<uint32_t>(arguments[0].toInt()));
    result = ScriptValue::integer(played ? 1 : 0);
}

// INPUT(prompt[, title]): the line typed, or "" when cancelled.
void builtinInput(Interpreter& interpreter, ScriptValue& result, const Arguments& arguments) {
    std::string title = arguments.size() > 1 ? arguments[1].toString() : std::string();
    if (title.empty()) title = "Input";
    auto typed = interpreter.desktop().inputDialog(interpreter.ownerWindow(), utf8ToUtf16(arguments[0].toString()),
                                                   utf8ToUtf16(title), interpreter.japanese());
    result = ScriptValue::string(typed ? utf16ToUtf8(*typed) : std::string());
}

}  // namespace wavelith::script
