// Calls: user functions (parameters made local by save and restore), built-in dispatch with its
// arity check and ASSERT, and CB. calls to the host's application function.
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

#include <algorithm>

namespace wavelith::script {

namespace {
constexpr int32_t MaxCallDepth = 512;

struct SavedVariable {
    size_t param;  // index into the function's parameters
    ScriptValue value;
};

// The values of a call's parameter variables from before the call. Most functions have a few
// parameters, so they are kept on the stack.
class SaveList {
public:
    explicit SaveList(size_t count) {
        if (count > Inline) spill_.reserve(count);
    }
    SavedVariable* find(const FunctionDef& function, const std::string& name) {
        for (size_t i = 0; i < size_; ++i)
            if (function.params[at(i).param] == name) return &at(i);
        return nullptr;
    }
    void add(SavedVariable entry) {
        if (size_ < Inline) {
            inline_[size_] = std::move(entry);
        } else {
            spill_.push_back(std::move(entry));
        }
        ++size_;
    }
    // Puts every saved value back, in the byte order of the names.
    void restore(Interpreter& interpreter, const FunctionDef& function) {
        if (size_ > 1) {
            auto byName = [&](const SavedVariable& a, const SavedVariable& b) {
                return function.params[a.param] < function.params[b.param];
            };
            if (size_ <= Inline) {
                std::sort(inline_, inline_ + size_, byName);
            } else {
                spill_.insert(spill_.begin(), std::make_move_iterator(inline_), std::make_move_iterator(inline_ + Inline));
                std::sort(spill_.begin(), spill_.end(), byName);
                for (size_t i = 0; i < Inline; ++i) inline_[i] = std::move(spill_[i]);
                spill_.erase(spill_.begin(), spill_.begin() + Inline);
            }
        }
        for (size_t i = 0; i < size_; ++i) {
            SavedVariable& entry = at(i);
            const std::string& name = function.params[entry.param];
            ScriptValue* slot = interpreter.findVariable(name, function.paramSlots[entry.param]);
            if (!slot) slot = &interpreter.variables().getOrCreate(name);
            *slot = std::move(entry.value);
        }
    }

private:
    static constexpr size_t Inline = 4;
    SavedVariable& at(size_t i) { return i < Inline ? inline_[i] : spill_[i - Inline]; }
    SavedVariable inline_[Inline];
    std::vector<SavedVariable> spill_;
    size_t size_ = 0;
};
}  // namespace

// factor: IDENTIFIER '(' args ')'
ScriptValue FuncCallNode::evaluate(Interpreter& interpreter) const { return interpreter.callFunction(*this); }

// factor: CB '.' IDENTIFIER '(' args ')'
ScriptValue CBCallNode::evaluate(Interpreter& interpreter) const { return interpreter.callApplication(*this); }

ScriptValue Interpreter::callFunction(const FuncCallNode& call) {
    checkStack(call.line);
    auto argumentCount = static_cast<int32_t>(call.arguments.size());
    if (callDepth > MaxCallDepth) {
        fail(Message::TooManyCalls, call.line, {call.line, std::string_view(call.name), argumentCount});
        return ScriptValue::defaultFor(call.name);
    }
    if (call.resolvedGeneration != functions_.generation()) {
        call.function = functions_.find(call.name);
        call.builtin = nullptr;
        call.resolvedGeneration = functions_.generation();
    }
    if (!call.function) return callBuiltin(call);

    const FunctionDef& function = *call.function;
    size_t bound = std::min(function.params.size(), call.arguments.size());
    SaveList saved(bound);
    // Saved values live outside the variable table, one set per call in progress: together they
    // are held to the limits of one value, or a deep recursion over a long text would keep a copy
    // of it at every level.
    ValueSize savedHere;
    for (size_t i = 0; i < bound; ++i) {
        const std::string& param = function.params[i];
        SlotCache& cache = function.paramSlots[i];
        const ScriptValue* existing = findVariable(param, cache);
        if (existing) {
            savedHere += existing->size();
            savedParameters_ += existing->size();
            checkSize(savedParameters_);
        }
        ScriptValue old = existing ? *existing : ScriptValue::defaultFor(param);
        if (SavedVariable* duplicate = saved.find(function, param)) {
            duplicate->value = std::move(old);
        } else {
            saved.add({i, std::move(old)});
        }
        ScriptValue argument = call.arguments[i]->evaluate(*this);
        ScriptValue* slot = findVariable(param, cache);
        if (!slot) slot = &variables_.getOrCreate(param);
        *slot = std::move(argument);
    }

    ++callDepth;
    try {
        function.body->execute(*this);
    } catch (GotoException&) {
        --callDepth;
        savedParameters_ -= savedHere;
        saved.restore(*this, function);
        throw;
    }
    --callDepth;
    savedParameters_ -= savedHere;
    ScriptValue result;
    if (returning) {
        returning = false;
        result = std::move(returnValue);
        returnValue = ScriptValue{};
    }
    saved.restore(*this, function);
    return result;
}

ScriptValue Interpreter::callBuiltin(const FuncCallNode& call) {
    Arguments arguments;
    arguments.reserve(call.arguments.size());
    // A built-in may make one value of all its arguments (ARRAYADD): together they are held to
    // the limits of one.
    ValueSize passed;
    for (const NodePtr& argument : call.arguments) {
        arguments.push_back(argument->evaluate(*this));
        passed += arguments.back().size();
        checkSize(passed);
    }

    std::string name = upperAscii(call.name);
    if (!name.empty() && name.back() == '$') name.pop_back();
    if (!call.builtin) call.builtin = findBuiltin(name);
    auto* entry = static_cast<const BuiltinEntry*>(call.builtin);
    if (entry && arguments.size() >= entry->minArgs && arguments.size() <= entry->maxArgs) {
        ScriptValue result;
        int32_t outerLine = callLine_;
        const std::string* outerName = callName_;
        callLine_ = call.line;
        callName_ = &call.name;
        entry->function(*this, result, arguments);
        callLine_ = outerLine;
        callName_ = outerName;
        return result;
    }
    if (name == "ASSERT" && arguments.size() == 2) {
        if (arguments[0].toInt() == 0) {
            // The script's own text, unchanged: no prefix, no line.
            send(114, call.line, utf8ToUtf16(arguments[1].toString()));
            requestStop();
        }
    } else {
        fail(Message::UnknownFunction, call.line,
             {call.line, std::string_view(call.name), static_cast<int32_t>(arguments.size())});
    }
    return ScriptValue::defaultFor(call.name);
}

ScriptValue Interpreter::callApplication(const CBCallNode& call) {
    checkStack(call.line);
    auto argumentCount = static_cast<int32_t>(call.arguments.size());
    if (!host_.appFunction) {
        fail(Message::UnknownAppFunction, call.line, {call.line, std::string_view(call.name), argumentCount});
        return {};
    }
    std::vector<AppValue> values;
    values.reserve(call.arguments.size());
    ValueSize passed;
    for (const NodePtr& argument : call.arguments) {
        ScriptValue value = argument->evaluate(*this);
        passed += value.size();
        checkSize(passed);
        AppValue appValue;
        appValue.isString = value.isString ? 1 : 0;
        appValue.intValue = value.intValue;
        if (value.isString) appValue.text = utf8ToUtf16(value.text);
        values.push_back(std::move(appValue));
    }
    AppValue result;
    AppCallRecord record;
    record.name = utf8ToUtf16(call.name);
    record.args = values.empty() ? nullptr : values.data();
    record.argCount = argumentCount;
    record.result = &result;
    host_.appFunction(record);
    if (result.isString) return ScriptValue::string(utf16ToUtf8(result.text));
    return ScriptValue::integer(result.intValue);
}

}  // namespace wavelith::script
