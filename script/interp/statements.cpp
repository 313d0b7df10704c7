// Statements and control flow. BREAK, CONTINUE, EXIT, errors and the host's stop travel out
// through the stop request, which every block checks after each statement; RETURN through the
// returning flag, which every statement construct honours at once; GOTO as an exception that
// each enclosing block may catch by its labels.
#include "script/interp/interpreter.h"

namespace wavelith::script {

const std::map<std::string, size_t>& BlockNode::labels() const {
    if (!labelsScanned_) {
        for (size_t i = 0; i < statements.size(); ++i) {
            if (statements[i]->kind == kind::Label)
                labels_[static_cast<const LabelNode&>(*statements[i]).label] = i;  // a later duplicate wins
        }
        labelsScanned_ = true;
    }
    return labels_;
}

// block: '{' stmt_list '}'   program: stmt_list
void BlockNode::execute(Interpreter& interpreter) const {
    interpreter.checkStack(line);
    size_t i = 0;
    while (i < statements.size()) {
        const Node& statement = *statements[i];
        try {
            statement.execute(interpreter);
            ++i;
        } catch (GotoException& jump) {
            const auto& targets = labels();
            auto found = targets.find(jump.label);
            if (found == targets.end()) throw;
            i = found->second + 1;
        }
        if (interpreter.returning) break;
        interpreter.pollHost(statement.line);
        if (interpreter.stopRequest != stop::None) break;
    }
}

// stmt: IF logic_expr block opt_else
void IfNode::execute(Interpreter& interpreter) const {
    if (condition->evaluateTruth(interpreter)) {
        then->execute(interpreter);
    } else if (otherwise) {
        otherwise->execute(interpreter);
    }
}

namespace {
// After a loop body: whether the loop goes on. A break or continue request ends here.
bool loopGoesOn(Interpreter& interpreter, const Node& loop, const Node& body) {
    if (interpreter.returning) return false;
    // A body without statements is never polled by its block; without this the host could not
    // stop LOOP { } at all.
    if (body.kind == kind::Block && static_cast<const BlockNode&>(body).statements.empty() &&
        interpreter.stopRequest == stop::None)
        interpreter.pollHost(loop.line);
    switch (interpreter.stopRequest) {
    case stop::Break: interpreter.stopRequest = stop::None; return false;
    case stop::Continue: interpreter.stopRequest = stop::None; return true;
    case stop::None: return true;
    default: return false;
    }
}
}  // namespace

// stmt: WHILE logic_expr block | LOOP block
void WhileNode::execute(Interpreter& interpreter) const {
    for (;;) {
        if (!endless && !condition->evaluateTruth(interpreter)) break;
        body->execute(interpreter);
        if (!loopGoesOn(interpreter, *this, *body)) break;
    }
}

// stmt: REPEAT block UNTIL logic_expr
void DoWhileNode::execute(Interpreter& interpreter) const {
    for (;;) {
        body->execute(interpreter);
        if (!loopGoesOn(interpreter, *this, *body)) break;
        if (condition->evaluateTruth(interpreter) != repeatWhile) break;
    }
}

// stmt: FOR '(' expr_or_empty ',' logic_expr_or_empty ',' expr_or_empty ')' block
void ForNode::execute(Interpreter& interpreter) const {
    start->execute(interpreter);
    for (;;) {
        if (!condition->evaluateTruth(interpreter)) break;
        body->execute(interpreter);
        if (!loopGoesOn(interpreter, *this, *body)) break;
        step->execute(interpreter);  // a CONTINUE still runs the step
    }
}

// stmt: BREAK EOL | CONTINUE EOL
void FlowNode::execute(Interpreter& interpreter) const {
    // An error, EXIT or the host's stop (which the host asks for only once) earlier in the same
    // statement must still end the run: a loop would take a break or continue and go on.
    if (interpreter.stopRequest != stop::Run)
        interpreter.stopRequest = kind == kind::Break ? stop::Break : stop::Continue;
}

// stmt: EXIT logic_expr EOL | EXIT EOL
ScriptValue ExitNode::evaluate(Interpreter& interpreter) const {
    // The value first: with the stop already requested, a function called in it would end
    // after its first statement and EXIT f() would return the wrong code.
    int32_t code = value ? value->evaluate(interpreter).toInt() : 0;
    interpreter.stopRequest = stop::Run;
    interpreter.exitCode = code;
    return ScriptValue::integer(interpreter.exitCode);
}

// stmt: RETURN expr | RETURN
void ReturnNode::execute(Interpreter& interpreter) const {
    if (valueIsInteger_) {
        int32_t result = value->evaluateInt(interpreter);
        interpreter.returnValue.setInteger(result);
    } else if (const ScriptValue* slot = valueIsVariable_ ? interpreter.findVariable(
                                                                 static_cast<const VarNode&>(*value).name,
                                                                 static_cast<const VarNode&>(*value).cache)
                                                           : nullptr) {
        interpreter.returnValue = *slot;
    } else {
        ScriptValue result = value ? value->evaluate(interpreter) : ScriptValue{};
        interpreter.returnValue = std::move(result);
    }
    interpreter.returning = true;
}

// stmt: GOTO LABEL_IDENT | GOTO expr
ScriptValue GotoNode::evaluate(Interpreter& interpreter) const {
    // A computed target must yield the colon too: labels are held as ":NAME".
    throw GotoException{target ? upperAscii(target->evaluate(interpreter).toString()) : label};
}

}  // namespace wavelith::script
