// The run entry: UTF-16 text in, exit code out. Whatever escapes evaluation is reported to the
// host here, and every run, however it ends, leaves the interpreter reset and not busy.
#include "script/interp/run.h"

#include "script/front/parse.h"
#include "script/interp/interpreter.h"
#include "script/interp/text.h"

#include <boost/regex/pattern_except.hpp>

#include <exception>
#include <new>
#include <stdexcept>

namespace wavelith::script {

namespace {
bool busy = false;

// Clears the busy mark on every way out: a run that could not even start must not refuse all
// later ones.
struct BusyMark {
    BusyMark() { busy = true; }
    ~BusyMark() { busy = false; }
};

void evaluateRoot(Interpreter& interpreter, const BlockNode& root) {
    auto report = [&](Message message, std::initializer_list<MessageArgument> arguments) {
        interpreter.fail(message, -1, arguments);
        interpreter.exitCode = 0;
    };
    try {
        root.execute(interpreter);
        if (interpreter.returning) {
            // A RETURN outside any function ends the run with its value.
            interpreter.exitCode = interpreter.returnValue.toInt();
            interpreter.returning = false;
        }
    } catch (const GotoException& jump) {
        report(Message::UnknownLabel, {std::string_view(jump.label)});
    } catch (const NestingTooDeep& deep) {
        interpreter.fail(Message::NestingTooDeep, deep.line, {deep.line});
        interpreter.exitCode = 0;
    } catch (const boost::regex_error& error) {
        report(Message::RegexError, {std::string_view(error.what())});
    } catch (const std::runtime_error& error) {
        report(Message::RuntimeError, {std::string_view(error.what())});
    } catch (const std::bad_alloc& error) {
        report(Message::BadAlloc, {std::string_view(error.what())});
    } catch (...) {
        report(Message::UnknownError, {});
    }
}
}  // namespace

int qx_script(const char16_t* text, const ScriptHostCallbacks* host) {
    if (busy) return -1;
    BusyMark mark;
    Interpreter& interpreter = Interpreter::instance();
    interpreter.runReset();
    interpreter.setKeepVar(false);
    interpreter.beginRun(host);
    struct EndRun {
        Interpreter& interpreter;
        ~EndRun() { interpreter.endRun(); }
    } endRun{interpreter};

    if (!text) {
        interpreter.fail(Message::InvalidParameter, -1, {});
        return -1;
    }
    std::u16string_view wide(text);
    if (!wide.empty() && wide.front() == u'\xFEFF') wide.remove_prefix(1);
    std::string source;
    try {
        // Room for the closing line feed too, so adding it does not copy the whole text again.
        source.reserve(wide.size() + 1);
        appendUtf8(source, wide);
        source += '\n';
    } catch (const std::bad_alloc&) {
        interpreter.fail(Message::OutOfMemoryTranslating, -1, {});
        return -1;
    }

    ParseHooks hooks;
    hooks.defineFunction = [&](std::string name, std::vector<std::string> params, std::unique_ptr<BlockNode> body) {
        interpreter.functions().define(std::move(name), std::move(params), std::move(body));
    };
    hooks.syntaxError = [&](int32_t line, const std::string& report) { interpreter.send(101, line, utf8ToUtf16(report)); };
    ParseResult parsed;
    try {
        parsed = parseScript(source, hooks);
    } catch (const std::bad_alloc& error) {
        interpreter.fail(Message::BadAlloc, -1, {std::string_view(error.what())});
    }
    if (parsed.status == 0 && parsed.root) evaluateRoot(interpreter, *parsed.root);

    int result = interpreter.exitCode;
    parsed.root.reset();
    interpreter.runReset();
    return result;
}

}  // namespace wavelith::script
