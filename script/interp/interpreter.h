// The one owner of interpreter state: variables, user functions, the run's control word, exit
// code, call depth, options and the host of the run in progress. qx_script() uses the
// process-wide instance; built-ins see only the public surface below.
#pragma once

#include "script/front/syntax_tree.h"
#include "script/interp/compiled.h"
#include "script/interp/messages.h"
#include "script/interp/run.h"
#include "script/interp/value.h"
#include "script/interp/variables.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith {
class Desktop;
}

namespace wavelith::script {

struct FunctionDef {
    std::string name;
    std::vector<std::string> params;
    std::unique_ptr<BlockNode> body;
    // The table slots of the parameters' variables, found again only when the table changes.
    mutable std::vector<SlotCache> paramSlots;
    // Whether a parameter name comes twice (f(x, x)), which calls must look out for.
    bool repeatedParams = false;
    // Its register code, made at the first call in each generation of the table; null when the
    // body needs the tree.
    mutable std::unique_ptr<CompiledFunction> compiled;
    mutable uint64_t compiledGeneration = 0;
};

class FunctionTable {
public:
    // A later definition of the same name replaces the earlier one.
    void define(std::string name, std::vector<std::string> params, std::unique_ptr<BlockNode> body);
    const FunctionDef* find(std::string_view name) const {
        auto found = map_.find(name);
        return found == map_.end() ? nullptr : &found->second;
    }
    void clear();
    size_t size() const { return map_.size(); }
    // Changes with every definition and clear, so call nodes know when to resolve again.
    uint64_t generation() const { return generation_; }

private:
    std::map<std::string, FunctionDef, std::less<>> map_;
    uint64_t generation_ = 1;
};

// Deeper calls end the run with the "too many function calls" message.
constexpr int32_t MaxCallDepth = 512;

// The stop request: what every block checks after each statement.
namespace stop {
constexpr int32_t None = 0, Break = 1, Continue = 2, Run = 3;
}

// GOTO travels as an exception: it may leave a call in the middle of an expression.
struct GotoException {
    std::string label;
};

// Thrown when the thread's stack is nearly used up; the run ends with a message.
struct NestingTooDeep {
    int32_t line;
};

class Interpreter {
public:
    static Interpreter& instance();

    // ---- argument readers and result helpers for built-ins ----
    static int32_t asInt(const ScriptValue& value) { return value.toInt(); }
    static std::string asString(const ScriptValue& value) { return value.toString(); }
    // An array argument names its variable: upper-cased, and empty when it is no identifier.
    static std::string arrayName(const ScriptValue& argument);
    VariableTable& variables() { return variables_; }
    Desktop& desktop();
    void* ownerWindow() const { return host_.ownerWindow; }
    bool japanese() const { return japanese_; }
    // The host's message box, or the desktop's when the host has none.
    int messageBox(const std::string& text, const std::string& caption, uint32_t style);
    // The line of the call being carried out.
    int32_t callLine() const { return callLine_; }
    // The name of the call being carried out, as written (upper case).
    const std::string& callName() const { return *callName_; }
    // Reports a message to the host's sink and tells the run to stop.
    void fail(Message message, int32_t line, std::initializer_list<MessageArgument> arguments);
    // Only reports it: the run goes on.
    void report(Message message, int32_t line, std::initializer_list<MessageArgument> arguments);
    void send(unsigned code, int32_t line, const std::u16string& text);
    void requestStop() { stopRequest = stop::Run; }

    // Whether calls may run on compiled code (on by default); off, every call walks the tree,
    // which is how the tests hold the two to the same results.
    void setCompiledCalls(bool on) { compiledCalls_ = on; }
    // How many calls from the tree have run on compiled code, ever.
    uint64_t compiledEntries() const { return compiledEntries_; }

    // ---- options set by DEFINE ----
    void setMustVarDef(bool on) { mustVarDef_ = on; }
    void setKeepVar(bool on) { keepVar_ = on; }
    void setJapanese(bool on) { japanese_ = on; }
    bool keepVar() const { return keepVar_; }

    // ---- run control, used by the run entry and the syntax tree ----
    int32_t stopRequest = stop::None;
    int32_t exitCode = 0;
    int32_t callDepth = 0;
    // RETURN does not throw: it sets this and every statement construct leaves at once.
    bool returning = false;
    ScriptValue returnValue;

    FunctionTable& functions() { return functions_; }
    // Clears functions, (unless KEEPVAR) variables, the control word, exit code, depth, MUSTVARDEF.
    void runReset();
    // Takes the host of a run: its callbacks and language; nothing when host is absent.
    void beginRun(const ScriptHostCallbacks* host);
    void endRun();
    const ScriptHostCallbacks& host() const { return host_; }

    // Variable read with the constant table and the unassigned default behind it.
    ScriptValue readVariable(const std::string& name, int32_t line, SlotCache& cache);
    ScriptValue* findVariable(const std::string& name, SlotCache& cache) {
        if (cache.slot && cache.generation == variables_.generation()) return cache.slot;
        return lookUpVariable(name, cache);
    }
    // The variable's slot, created (as the integer 0) when it does not exist yet.
    ScriptValue& variableSlot(const std::string& name, SlotCache& cache) {
        if (ScriptValue* slot = findVariable(name, cache)) return *slot;
        ScriptValue& created = variables_.getOrCreate(name);
        cache.slot = &created;
        cache.generation = variables_.generation();
        return created;
    }
    // After each statement of a block.
    void pollHost(int32_t line) {
        if (host_.stopPoll && host_.stopPoll(line) == 1) stopRequest = stop::Run;
    }
    // Guards recursion in the tree walk: throws NestingTooDeep when the stack is nearly gone.
    void checkStack(int32_t line) const {
        char marker;
        if (&marker < stackFloor_) throw NestingTooDeep{line};
    }
    // Leaves the call's value in returnValue, for the caller to take at once.
    void callFunction(const FuncCallNode& call);
    // returnValue read as a number; a text is not kept until the next call.
    int32_t takeReturnedNumber();
    ScriptValue callApplication(const CBCallNode& call);

private:
    Interpreter() = default;
    // The table search behind findVariable, kept out of line so the cached path stays small.
    ScriptValue* lookUpVariable(const std::string& name, SlotCache& cache);
    ScriptValue callBuiltin(const FuncCallNode& call);
    void reportTooManyCalls(const FuncCallNode& call);
    const CompiledFunction* compiledCode(const FunctionDef& function);
    const CompiledFunction* compiledEntry(const FunctionDef& function, const FuncCallNode& call);
    // The body of a call whose parameters are bound; its value.
    int32_t runCompiled(const FunctionDef& function, const CompiledFunction& entry);

    VariableTable variables_;
    FunctionTable functions_;
    bool mustVarDef_ = false;
    bool keepVar_ = false;
    bool japanese_ = false;
    bool compiledCalls_ = true;
    uint64_t compiledEntries_ = 0;
    std::vector<int32_t> registers_;
    std::vector<CompiledFrame> frames_;
    int32_t callLine_ = -1;
    const std::string* callName_ = &noName_;
    const std::string noName_;
    ScriptHostCallbacks host_;
    const char* stackFloor_ = nullptr;
    // What the calls in progress have saved of their parameters' variables: one stack for all of
    // them, each call's entries on top of its caller's. Entries stay for the next call once
    // emptied, so a call allocates and frees nothing once the stack has grown.
    struct SavedParameter {
        size_t param = 0;  // index into the function's parameters
        ScriptValue value;
    };
    class SavedStack {
    public:
        size_t top() const { return top_; }
        SavedParameter* at(size_t index) { return entries_.data() + index; }
        SavedParameter* end() { return entries_.data() + top_; }
        SavedParameter& push(size_t param) {
            if (top_ == entries_.size()) entries_.emplace_back();
            SavedParameter& entry = entries_[top_++];
            entry.param = param;
            return entry;
        }
        // Takes off the entries above frame, whose values have been moved out.
        void popTo(size_t frame) { top_ = frame; }
        // Takes them off with whatever they still hold.
        void dropTo(size_t frame) {
            while (top_ > frame) entries_[--top_].value = ScriptValue{};
        }
        void clear() {
            entries_.clear();
            top_ = 0;
        }

    private:
        std::vector<SavedParameter> entries_;
        size_t top_ = 0;
    };
    SavedStack savedStack_;
    ValueSize savedParameters_;
    void restoreParameters(const FunctionDef& function, size_t frame);
};

}  // namespace wavelith::script
