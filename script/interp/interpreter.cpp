#include "script/interp/interpreter.h"

#include "platform/simulated_desktop.h"
#include "script/builtins/table.h"
#include "script/interp/stack_limit.h"
#include "script/interp/text.h"

#include <algorithm>

namespace wavelith::script {

void FunctionTable::define(std::string name, std::vector<std::string> params, std::unique_ptr<BlockNode> body) {
    FunctionDef& definition = map_[name];
    definition.name = std::move(name);
    definition.params = std::move(params);
    definition.body = std::move(body);
    definition.paramSlots.assign(definition.params.size(), SlotCache{});
    std::vector<std::string> sorted = definition.params;
    std::sort(sorted.begin(), sorted.end());
    definition.repeatedParams = std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
    ++generation_;
}

void FunctionTable::clear() {
    map_.clear();
    ++generation_;
}

Interpreter& Interpreter::instance() {
    static Interpreter interpreter;
    return interpreter;
}

std::string Interpreter::arrayName(const ScriptValue& argument) {
    std::string name = upperAscii(argument.toString());
    return isIdentifier(name) ? name : std::string();
}

Desktop& Interpreter::desktop() {
    if (host_.desktop) return *host_.desktop;
    // Without a desktop from the host, input and dialogs go nowhere and boxes take their default.
    static SimulatedDesktop nowhere;
    nowhere.clearEvents();
    return nowhere;
}

int Interpreter::messageBox(const std::string& text, const std::string& caption, uint32_t style) {
    std::u16string wideText = utf8ToUtf16(text), wideCaption = utf8ToUtf16(caption);
    if (host_.messageBox) return host_.messageBox(host_.ownerWindow, wideText, wideCaption, style);
    return desktop().messageBox(host_.ownerWindow, wideText, wideCaption, style);
}

void Interpreter::send(unsigned code, int32_t line, const std::u16string& text) {
    if (host_.messageSink) host_.messageSink(code, line, text);
}

void Interpreter::report(Message message, int32_t line, std::initializer_list<MessageArgument> arguments) {
    const MessageText& row = messageText(message);
    send(row.code, line, formatMessage(japanese_ ? row.japanese : row.english, arguments));
}

void Interpreter::fail(Message message, int32_t line, std::initializer_list<MessageArgument> arguments) {
    report(message, line, arguments);
    requestStop();
}

void Interpreter::runReset() {
    functions_.clear();
    if (!keepVar_) variables_.clear();
    stopRequest = stop::None;
    exitCode = 0;
    callDepth = 0;
    savedParameters_ = {};
    savedStack_.clear();
    returning = false;
    returnValue = ScriptValue{};
    mustVarDef_ = false;
}

void Interpreter::beginRun(const ScriptHostCallbacks* host) {
    host_ = host ? *host : ScriptHostCallbacks{};
    japanese_ = host && host->japanese != 0;
    // Keep a margin below the deepest point the walk may reach for what runs under it: built-ins,
    // the host's callbacks, a message box.
    char marker;
    const char* low = currentStackLow();
    if (low && low < &marker) {
        size_t available = static_cast<size_t>(&marker - low);
        stackFloor_ = low + std::min<size_t>(256 * 1024, available / 4);
    } else {
        stackFloor_ = nullptr;
    }
}

void Interpreter::endRun() {
    host_ = ScriptHostCallbacks{};
    // A run that ended by an exception inside a built-in never got to put these back.
    callLine_ = -1;
    callName_ = &noName_;
    stackFloor_ = nullptr;
}

ScriptValue* Interpreter::lookUpVariable(const std::string& name, SlotCache& cache) {
    ScriptValue* slot = variables_.find(name);
    if (slot) {
        cache.slot = slot;
        cache.generation = variables_.generation();
    }
    return slot;
}

// factor: IDENTIFIER (a variable, else a named constant, else unassigned)
ScriptValue Interpreter::readVariable(const std::string& name, int32_t line, SlotCache& cache) {
    if (ScriptValue* slot = findVariable(name, cache)) return *slot;
    if (const ConstantEntry* constant = findConstant(upperAscii(name))) return ScriptValue::integer(constant->value);
    if (mustVarDef_) fail(Message::UnassignedVariable, line, {std::string_view(name), line});
    return ScriptValue::defaultFor(name);
}

}  // namespace wavelith::script
