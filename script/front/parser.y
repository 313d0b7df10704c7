%{
// DO-Rozude's grammar. The rule groups carry their productions; precedence is declared below,
// loosest first. STRICT_EQ and STRICT_NE deliberately have none: the parser shifts over them,
// which is what existing scripts were written against.
#include "script/front/parse_context.h"
#include "script/front/syntax_tree.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace wavelith::script;
%}

%code requires {
#include <cstdint>
#include <string>
#include <vector>
namespace wavelith::script {
class Node;
struct ParseContext;
// A name's bytes in the source text, which outlives the parse.
struct SourceSpan {
    const char* data;
    size_t size;
};
}

// The value stack holds only pointers, ints and spans, so bison may grow it by copying bytes.
#define YYSTYPE_IS_TRIVIAL 1
// A construct's line is the line of its last token.
#define YYLLOC_DEFAULT(Current, Rhs, N) \
    do { (Current) = (N) ? YYRHSLOC(Rhs, N) : YYRHSLOC(Rhs, 0); } while (0)
#define LINE(location) ((location).first_line)
}

%code provides {
int lexToken(YYSTYPE* value, YYLTYPE* location, void* scanner);
}

%code {
namespace {
int yylex(YYSTYPE* value, YYLTYPE* location, ParseContext& context) {
    return lexToken(value, location, context.scanner);
}
void yyerror(YYLTYPE*, ParseContext& context, const char* message);

NodePtr own(Node* node) { return NodePtr(node); }
Node* binary(int32_t op, Node* left, Node* right, int32_t line) {
    return makeBinary(op, own(left), own(right), line).release();
}
// Names are case-insensitive: the tree holds them upper-cased.
std::string name(SourceSpan span) { return upperAscii(std::string_view(span.data, span.size)); }
Node* assignment(SourceSpan target, Node* value, int32_t operation, int32_t line) {
    return new AssignNode(std::make_unique<VarNode>(name(target), line), own(value), operation, line);
}
std::string take(std::string* text) {
    std::string result = std::move(*text);
    delete text;
    return result;
}
BlockNode* asBlock(Node* node) { return static_cast<BlockNode*>(node); }
}  // namespace
}

%define api.pure full
%define parse.error custom
%locations
%param {wavelith::script::ParseContext& context}

%union {
    int32_t integer;
    std::string* text;
    wavelith::script::SourceSpan name;
    wavelith::script::Node* node;
    std::vector<std::unique_ptr<wavelith::script::Node>>* list;
    std::vector<std::string>* names;
}

/* ORDER: token codes 258 and up. */
%token <integer> INTEGER
%token <name> IDENTIFIER LABEL_IDENT
%token <text> STRING_LITERAL
%token IF ELSE WHILE LOOP FOR REPEAT UNTIL BREAK CONTINUE EXIT CB
%token ASSIGN ADD_ASSIGN SUB_ASSIGN INC DEC MUL_ASSIGN DIV_ASSIGN MOD_ASSIGN RSHIFT_ASSIGN
%token LSHIFT_ASSIGN OR_ASSIGN XOR_ASSIGN AND_ASSIGN POW_ASSIGN EQ STRICT_EQ NE STRICT_NE LE GE
%token AND OR POW EOL FUNC RETURN GOTO LS RS

%type <node> stmt_list block stmt opt_else expr_or_empty logic_expr_or_empty logic_expr expr term factor
%type <list> args args_list
%type <names> param_list params

%destructor { delete $$; } <text> <node> <list> <names>

%left OR
%left AND
%right '!'
%right '?' ':'
%left '|'
%left '^'
%left '&'
%left EQ NE
%left '<' '>' LE GE
%left LS RS
%left '+' '-'
%left '*' '/' '%' POW

%expect 353

%%

program
    : stmt_list                 { context.root.reset(asBlock($1)); }
    ;

stmt_list
    : stmt                      { auto block = new BlockNode(LINE(@$)); if ($1) block->append(own($1)); $$ = block; }
    | stmt_list stmt            { if ($2) asBlock($1)->append(own($2)); $$ = $1; }
    ;

block
    : '{' stmt_list '}'         { $$ = $2; }
    | '{' '}'                   { $$ = new BlockNode(LINE(@$)); }
    ;

stmt
    : IF logic_expr block opt_else
                                { $$ = new IfNode(own($2), own($3), own($4), LINE(@$)); }
    | WHILE logic_expr block    { $$ = new WhileNode(own($2), own($3), false, LINE(@$)); }
    | LOOP block                { $$ = new WhileNode(nullptr, own($2), true, LINE(@$)); }
    | FOR '(' expr_or_empty ',' logic_expr_or_empty ',' expr_or_empty ')' block
                                { $$ = new ForNode(own($3), own($5), own($7), own($9), LINE(@$)); }
    | REPEAT block UNTIL logic_expr
                                { $$ = new DoWhileNode(own($2), own($4), LINE(@$)); }
    | BREAK EOL                 { $$ = new FlowNode(kind::Break, LINE(@$)); }
    | CONTINUE EOL              { $$ = new FlowNode(kind::Continue, LINE(@$)); }
    | EXIT logic_expr EOL       { $$ = new ExitNode(own($2), LINE(@$)); }
    | EXIT EOL                  { $$ = new ExitNode(nullptr, LINE(@$)); }
    | RETURN expr               { $$ = new ReturnNode(own($2), LINE(@$)); }
    | RETURN                    { $$ = new ReturnNode(nullptr, LINE(@$)); }
    | logic_expr EOL            { $$ = $1; }
    | EOL                       { $$ = nullptr; }
    | GOTO LABEL_IDENT          { $$ = new GotoNode(name($2), nullptr, LINE(@$)); }
    | GOTO expr                 { $$ = new GotoNode(std::string(), own($2), LINE(@$)); }
    | LABEL_IDENT               { $$ = new LabelNode(name($1), LINE(@$)); }
    ;

opt_else
    : %empty                    { $$ = nullptr; }
    | ELSE block                { $$ = $2; }
    | ELSE IF logic_expr block opt_else
                                { $$ = new IfNode(own($3), own($4), own($5), LINE(@$)); }
    ;

expr_or_empty
    : expr
    | %empty                    { $$ = new DummyNode(LINE(@$)); }
    ;

logic_expr_or_empty
    : logic_expr
    | %empty                    { $$ = new TrueNode(LINE(@$)); }
    ;

/* "&&", "||" and "!" live only here: conditions, statements, EXIT and parentheses. */
logic_expr
    : logic_expr AND logic_expr { $$ = binary(kind::And, $1, $3, LINE(@$)); }
    | logic_expr OR logic_expr  { $$ = binary(kind::Or, $1, $3, LINE(@$)); }
    | '!' logic_expr            { $$ = new UnaryNode(kind::Not, own($2), LINE(@$)); }
    | expr
    ;

expr
    : expr '+' expr             { $$ = binary(kind::Add, $1, $3, LINE(@$)); }
    | expr '-' expr             { $$ = binary(kind::Sub, $1, $3, LINE(@$)); }
    | expr '*' expr             { $$ = binary(kind::Mul, $1, $3, LINE(@$)); }
    | expr '/' expr             { $$ = binary(kind::Div, $1, $3, LINE(@$)); }
    | expr '%' expr             { $$ = binary(kind::Mod, $1, $3, LINE(@$)); }
    | expr POW expr             { $$ = binary(kind::Pow, $1, $3, LINE(@$)); }
    | expr '|' expr             { $$ = binary(kind::BitOr, $1, $3, LINE(@$)); }
    | expr '&' expr             { $$ = binary(kind::BitAnd, $1, $3, LINE(@$)); }
    | expr '^' expr             { $$ = binary(kind::BitXor, $1, $3, LINE(@$)); }
    | expr LS expr              { $$ = binary(kind::ShiftLeft, $1, $3, LINE(@$)); }
    | expr RS expr              { $$ = binary(kind::ShiftRight, $1, $3, LINE(@$)); }
    | expr EQ expr              { $$ = binary(kind::Eq, $1, $3, LINE(@$)); }
    | expr NE expr              { $$ = binary(kind::Ne, $1, $3, LINE(@$)); }
    | expr STRICT_EQ expr       { $$ = binary(kind::StrictEq, $1, $3, LINE(@$)); }
    | expr STRICT_NE expr       { $$ = binary(kind::StrictNe, $1, $3, LINE(@$)); }
    | expr '<' expr             { $$ = binary(kind::Less, $1, $3, LINE(@$)); }
    | expr '>' expr             { $$ = binary(kind::Greater, $1, $3, LINE(@$)); }
    | expr LE expr              { $$ = binary(kind::LessEq, $1, $3, LINE(@$)); }
    | expr GE expr              { $$ = binary(kind::GreaterEq, $1, $3, LINE(@$)); }
    /* Only a plain name is assigned to; the right side is a whole expr. */
    | IDENTIFIER ASSIGN expr        { $$ = assignment($1, $3, kind::Assign, LINE(@$)); }
    | IDENTIFIER ADD_ASSIGN expr    { $$ = assignment($1, $3, kind::AddAssign, LINE(@$)); }
    | IDENTIFIER SUB_ASSIGN expr    { $$ = assignment($1, $3, kind::SubAssign, LINE(@$)); }
    | IDENTIFIER MUL_ASSIGN expr    { $$ = assignment($1, $3, kind::MulAssign, LINE(@$)); }
    | IDENTIFIER DIV_ASSIGN expr    { $$ = assignment($1, $3, kind::DivAssign, LINE(@$)); }
    | IDENTIFIER MOD_ASSIGN expr    { $$ = assignment($1, $3, kind::ModAssign, LINE(@$)); }
    | IDENTIFIER POW_ASSIGN expr    { $$ = assignment($1, $3, kind::PowAssign, LINE(@$)); }
    | IDENTIFIER RSHIFT_ASSIGN expr { $$ = assignment($1, $3, kind::ShiftRightAssign, LINE(@$)); }
    | IDENTIFIER LSHIFT_ASSIGN expr { $$ = assignment($1, $3, kind::ShiftLeftAssign, LINE(@$)); }
    | IDENTIFIER OR_ASSIGN expr     { $$ = assignment($1, $3, kind::OrAssign, LINE(@$)); }
    | IDENTIFIER XOR_ASSIGN expr    { $$ = assignment($1, $3, kind::XorAssign, LINE(@$)); }
    | IDENTIFIER AND_ASSIGN expr    { $$ = assignment($1, $3, kind::AndAssign, LINE(@$)); }
    | INC IDENTIFIER            { $$ = assignment($2, new IntNode(1, LINE(@$)), kind::AddAssign, LINE(@$)); }
    | DEC IDENTIFIER            { $$ = assignment($2, new IntNode(1, LINE(@$)), kind::SubAssign, LINE(@$)); }
    | IDENTIFIER INC            { $$ = assignment($1, new IntNode(1, LINE(@$)), kind::PostInc, LINE(@$)); }
    | IDENTIFIER DEC            { $$ = assignment($1, new IntNode(1, LINE(@$)), kind::PostDec, LINE(@$)); }
    | IDENTIFIER '[' expr ']' ASSIGN expr
                                { $$ = new ArrayAssignNode(name($1), own($3), own($6), LINE(@$)); }
    | expr '?' expr ':' expr    { $$ = new CondNode(own($1), own($3), own($5), LINE(@$)); }
    | term
    ;

term
    : '-' term                  { $$ = new UnaryNode(kind::Negate, own($2), LINE(@$)); }
    | '~' term                  { $$ = new UnaryNode(kind::BitNot, own($2), LINE(@$)); }
    | factor
    ;

factor
    : INTEGER                   { $$ = new IntNode($1, LINE(@$)); }
    | IDENTIFIER                { $$ = new VarNode(name($1), LINE(@$)); }
    | STRING_LITERAL            { $$ = new StringNode(take($1), LINE(@$)); }
    | '(' logic_expr ')'        { $$ = $2; }
    | IDENTIFIER '(' args ')'   { $$ = new FuncCallNode(name($1), std::move(*$3), LINE(@$)); delete $3; }
    | CB '.' IDENTIFIER '(' args ')'
                                { $$ = new CBCallNode(name($3), std::move(*$5), LINE(@$)); delete $5; }
    | IDENTIFIER '[' expr ']'   { $$ = new ArrayAccessNode(name($1), own($3), LINE(@$)); }
    /* Takes effect when reduced, wherever it stands and whether or not it is ever reached. */
    | FUNC IDENTIFIER '(' param_list ')' block
                                {
                                    std::string functionName = name($2);
                                    std::vector<std::string> params = std::move(*$4);
                                    delete $4;
                                    std::unique_ptr<BlockNode> body(asBlock($6));
                                    if (context.hooks->defineFunction)
                                        context.hooks->defineFunction(std::move(functionName), std::move(params), std::move(body));
                                    $$ = new DummyNode(LINE(@$));
                                }
    ;

param_list
    : %empty                    { $$ = new std::vector<std::string>(); }
    | params
    ;

params
    : IDENTIFIER                { $$ = new std::vector<std::string>(); $$->push_back(name($1)); }
    | params ',' IDENTIFIER     { $1->push_back(name($3)); $$ = $1; }
    ;

args
    : %empty                    { $$ = new std::vector<std::unique_ptr<Node>>(); }
    | args_list
    ;

args_list
    : expr                      { $$ = new std::vector<std::unique_ptr<Node>>(); $$->push_back(own($1)); }
    | args_list ',' expr        { $1->push_back(own($3)); $$ = $1; }
    ;

%%

namespace {

std::string tokenName(yysymbol_kind_t symbol) {
    if (symbol == YYSYMBOL_YYEOF) return "$end";
    std::string name = yysymbol_name(symbol);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    return name;
}

void yyerror(YYLTYPE*, ParseContext& context, const char* message) {
    // Bison's only other message is that of stack exhaustion.
    (void)message;
    context.reportSyntaxError("parser stack overflow");
}

}  // namespace

static int yyreport_syntax_error(const yypcontext_t* parseState, ParseContext& context) {
    std::string message = "parse error";
    // More than four acceptable tokens make the list useless; bison then reports none.
    yysymbol_kind_t expected[4];
    int count = yypcontext_expected_tokens(parseState, expected, 4);
    for (int i = 0; i < count; ++i) {
        message += i == 0 ? ", expecting `" : " or `";
        message += tokenName(expected[i]);
        message += "'";
    }
    context.reportSyntaxError(message);
    return 0;
}

namespace wavelith::script {

void* startLexer(std::string_view text, LexerState* state);
void stopLexer(void* scanner);

void ParseContext::reportSyntaxError(const std::string& message) {
    if (reported) return;
    reported = true;
    std::string report = syntaxErrorReport(message, lexer.tokenLine, lexer.tokenColumn(), lexer.tokenText(),
                                           splitSourceLines(lexer.source));
    if (hooks->syntaxError) hooks->syntaxError(lexer.tokenLine, report);
}

ParseResult parseScript(std::string_view text, const ParseHooks& hooks) {
    ParseContext context;
    context.hooks = &hooks;
    context.scanner = startLexer(text, &context.lexer);
    ParseResult result;
    NodeArena::Scope nodeMemory;
    result.status = yyparse(context);
    stopLexer(context.scanner);
    if (result.status == 0) result.root = std::move(context.root);
    return result;
}

}  // namespace wavelith::script
