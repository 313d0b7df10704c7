// Calls: user functions (parameters made local by save and restore), built-in dispatch with its
// arity check and ASSERT, and CB. calls to the host's application function.
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

#include <algorithm>

namespace wavelith::script {

// Puts every value the call saved back, in the byte order of the names (which only a name given
// twice can tell), and takes them off the stack.
[[gnu::always_inline]] inline void Interpreter::restoreParameters(const FunctionDef& function, size_t frame) {
    SavedParameter *first = savedStack_.at(frame), *last = savedStack_.end();
    if (function.repeatedParams && last - first > 1) {
        std::sort(first, last, [&](const SavedParameter& a, const SavedParameter& b) {
            return function.params[a.param] < function.params[b.param];
        });
    }
    for (SavedParameter* entry = first; entry != last; ++entry) {
        const std::string& name = function.params[entry->param];
        variableSlot(name, function.paramSlots[entry->param]) = std::move(entry->value);
    }
    savedStack_.popTo(frame);
}

// factor: IDENTIFIER '(' args ')'
FuncCallNode::FuncCallNode(std::string name, NodeList arguments, int32_t line)
    : Node(kind::FuncCall, line), name(std::move(name)), arguments(std::move(arguments)) {
    forms.resize(this->arguments.size());
    bool restLeavesVariablesAlone = true;
    for (size_t i = this->arguments.size(); i-- > 0;) {
        const Node& argument = *this->arguments[i];
        forms[i] = {argument.alwaysInteger(), restLeavesVariablesAlone && argument.kind == kind::Var};
        integerArguments = integerArguments && forms[i].integer;
        restLeavesVariablesAlone = restLeavesVariablesAlone && argument.leavesVariablesAlone();
    }
}

void Interpreter::reportTooManyCalls(const FuncCallNode& call) {
    fail(Message::TooManyCalls, call.line, {call.line, std::string_view(call.name), static_cast<int32_t>(call.arguments.size())});
}

int32_t Interpreter::takeReturnedNumber() {
    int32_t value = returnValue.toInt();
    if (returnValue.holdsData()) returnValue = ScriptValue{};
    return value;
}

// The value is taken from where the call left it, before anything else can call again.
ScriptValue FuncCallNode::evaluate(Interpreter& interpreter) const {
    interpreter.callFunction(*this);
    return std::move(interpreter.returnValue);
}
int32_t FuncCallNode::evaluateInt(Interpreter& interpreter) const {
    interpreter.callFunction(*this);
    return interpreter.takeReturnedNumber();
}
const ScriptValue& FuncCallNode::evaluateRef(Interpreter& interpreter, ScriptValue& scratch) const {
    interpreter.callFunction(*this);
    // A number is read where it is; a text moves out, so a caller that keeps it need not copy it.
    if (!interpreter.returnValue.holdsData()) return interpreter.returnValue;
    scratch = std::move(interpreter.returnValue);
    return scratch;
}

// factor: CB '.' IDENTIFIER '(' args ')'
ScriptValue CBCallNode::evaluate(Interpreter& interpreter) const { return interpreter.callApplication(*this); }

[[gnu::always_inline]] inline void Interpreter::callFunction(const FuncCallNode& call) {
    checkStack(call.line);
    if (callDepth > MaxCallDepth) {
        reportTooManyCalls(call);
        returnValue = ScriptValue::defaultFor(call.name);
        return;
    }
    if (call.resolvedGeneration != functions_.generation()) {
        call.function = functions_.find(call.name);
        call.builtin = nullptr;
        call.resolvedGeneration = functions_.generation();
    }
    if (!call.function) {
        ScriptValue result = callBuiltin(call);
        returnValue = std::move(result);
        return;
    }

    const FunctionDef& function = *call.function;
    size_t bound = std::min(function.params.size(), call.arguments.size());
    size_t frame = savedStack_.top();
    // Whatever leaves the call without restoring (an error in an argument) still drops its
    // entries.
    struct FrameGuard {
        SavedStack& stack;
        size_t frame;
        ~FrameGuard() {
            if (stack.top() > frame) stack.dropTo(frame);
        }
    } guard{savedStack_, frame};
    // Saved values live outside the variable table, one set per call in progress: together they
    // are held to the limits of one value, or a deep recursion over a long text would keep a copy
    // of it at every level.
    ValueSize savedHere;
    for (size_t i = 0; i < bound; ++i) {
        const std::string& param = function.params[i];
        SlotCache& cache = function.paramSlots[i];
        const ScriptValue* existing = findVariable(param, cache);
        if (existing && existing->holdsData()) {
            savedHere += existing->size();
            savedParameters_ += existing->size();
            checkSize(savedParameters_);
        }
        // A name given twice keeps one entry: the value from before its last binding.
        SavedParameter* duplicate = savedStack_.end();
        if (function.repeatedParams) {
            duplicate = std::find_if(savedStack_.at(frame), savedStack_.end(),
                                     [&](const SavedParameter& entry) { return function.params[entry.param] == param; });
        }
        ScriptValue& saved = duplicate != savedStack_.end() ? duplicate->value : savedStack_.push(i).value;
        if (existing) {
            saved = *existing;
        } else {
            saved = ScriptValue::defaultFor(param);
        }
        const Node& argument = *call.arguments[i];
        if (call.forms[i].integer) {
            int32_t value = argument.evaluateInt(*this);
            variableSlot(param, cache).setInteger(value);
        } else {
            ScriptValue value = argument.evaluate(*this);
            variableSlot(param, cache) = std::move(value);
        }
    }

    ++callDepth;
    if (const CompiledFunction* compiled = compiledEntry(function, call)) {
        ++compiledEntries_;
        int32_t result = runCompiled(function, *compiled);
        --callDepth;
        savedParameters_ -= savedHere;
        returnValue.setInteger(result);
        restoreParameters(function, frame);
        return;
    }
    try {
        function.body->execute(*this);
    } catch (GotoException&) {
        --callDepth;
        savedParameters_ -= savedHere;
        restoreParameters(function, frame);
        throw;
    }
    --callDepth;
    savedParameters_ -= savedHere;
    if (returning) {
        returning = false;
    } else {
        returnValue.setInteger(0);
    }
    restoreParameters(function, frame);
}

namespace {
// Variables lent to a built-in for its call: planned while the arguments are evaluated, moved
// into the argument list when the call begins and moved back afterwards, however the call ends,
// so a long text is never copied to be read.
class LentVariables {
public:
    explicit LentVariables(Arguments& arguments) : arguments_(arguments) {}
    LentVariables(const LentVariables&) = delete;
    LentVariables& operator=(const LentVariables&) = delete;
    ~LentVariables() {
        if (!lent_) return;
        for (const Loan& loan : loans_) *loan.slot = std::move(arguments_[loan.index]);
    }
    // False when the variable is lent already (the same one twice): that argument is a copy.
    bool plan(size_t index, ScriptValue& slot) {
        if (std::any_of(loans_.begin(), loans_.end(), [&](const Loan& loan) { return loan.slot == &slot; })) return false;
        loans_.push_back({index, &slot});
        return true;
    }
    void lend() {
        for (const Loan& loan : loans_) arguments_[loan.index] = std::move(*loan.slot);
        lent_ = true;
    }

private:
    struct Loan {
        size_t index;
        ScriptValue* slot;
    };
    Arguments& arguments_;
    std::vector<Loan> loans_;
    bool lent_ = false;
};
}  // namespace

ScriptValue Interpreter::callBuiltin(const FuncCallNode& call) {
    if (!call.builtin) {
        std::string name = upperAscii(call.name);
        if (!name.empty() && name.back() == '$') name.pop_back();
        call.builtin = findBuiltin(name);
    }
    auto* entry = static_cast<const BuiltinEntry*>(call.builtin);

    Arguments arguments(call.arguments.size());
    LentVariables loans(arguments);
    // A built-in may make one value of all its arguments (ARRAYADD): together they are held to
    // the limits of one.
    ValueSize passed;
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        const Node& argument = *call.arguments[i];
        ScriptValue* slot = nullptr;
        if (entry && entry->argumentsOnly && call.forms[i].lendable) {
            const auto& variable = static_cast<const VarNode&>(argument);
            slot = findVariable(variable.name, variable.cache);
        }
        // Nothing after this argument can change the variable, so it is read when the call begins.
        if (slot && loans.plan(i, *slot)) {
            passed += slot->size();
        } else {
            arguments[i] = argument.evaluate(*this);
            passed += arguments[i].size();
        }
        checkSize(passed);
    }
    loans.lend();

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
    std::string name = upperAscii(call.name);
    if (!name.empty() && name.back() == '$') name.pop_back();
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
