// help_pages: turns the sources of the help file into the pages that chmcmd compiles into
// quellix.chm. The lists of built-ins, named constants and messages are printed from the
// interpreter's own tables, so the reference cannot drift from the program. What the tables do
// not hold (what each built-in does, what each message code means) is hand-written in
// reference.txt, keyed by name; a built-in or message code without a text there, or a text for
// a name that does not exist, fails the build. The sample scripts are corpus cases: they are
// shown as they stand, with what wavelith-script prints when it runs them.
//
//   help_pages --names
//       every built-in and constant name, one a line (for the help test)
//   help_pages SOURCES REFERENCE SAMPLES WAVELITH_SCRIPT OUTPUT
//       copies SOURCES to OUTPUT, filling in the <!--@...--> placeholders of the .html and
//       .hhk files
#include "platform/text.h"
#include "script/builtins/table.h"
#include "script/interp/messages.h"
#include "script/interp/run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace wavelith;
using script::BuiltinEntry;

[[noreturn]] void fail(const std::string& problem) {
    std::fprintf(stderr, "help_pages: %s\n", problem.c_str());
    std::exit(1);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    if (!(out << text)) fail("cannot write " + path.string());
}

std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

bool japanese(const std::string& language) { return language == "ja"; }

// Every mismatch at once, so that one build names them all.
void failOnProblems(const std::vector<std::string>& problems, const std::string& table) {
    if (problems.empty()) return;
    std::string all;
    for (const std::string& problem : problems) all += "\n  " + problem;
    fail("reference.txt does not match the " + table + " table:" + all);
}

// Japanese has no spaces between words, so a line break next to a Japanese character (any
// non-ASCII byte) must not turn into one: the source text is wrapped, the rendered text not.
bool joinsWithoutSpace(char before, char after) {
    return static_cast<unsigned char>(before) >= 0x80 || static_cast<unsigned char>(after) >= 0x80;
}

// Drops such line breaks, with the indentation after them, outside <pre> blocks.
std::string joinJapaneseLines(const std::string& text) {
    std::string out;
    bool preformatted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 4, "<pre") == 0) preformatted = true;
        if (text.compare(i, 6, "</pre>") == 0) preformatted = false;
        if (text[i] == '\n' && !preformatted && !out.empty()) {
            size_t next = text.find_first_not_of(" \t", i + 1);
            if (next != std::string::npos && text[next] != '\n' && joinsWithoutSpace(out.back(), text[next])) {
                i = next - 1;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// ---- reference.txt ------------------------------------------------------------------------------

struct Description {
    std::string signature;  // "MID(s, start, count)"
    std::string family;
    std::string result;  // "int" or "string"
    std::map<std::string, std::string> texts;  // "en", "ja", "errors.en", "errors.ja"
};

struct Reference {
    std::map<std::string, Description> builtins;
    std::map<unsigned, std::map<std::string, std::string>> messages;  // code -> "en"/"ja"
};

// "@NAME(arguments) family result" starts a built-in, "@@CODE" a message code; "key: text"
// lines follow, continued on lines that start with white space.
Reference readReference(const fs::path& path) {
    Reference reference;
    std::istringstream in(readFile(path));
    std::map<std::string, std::string>* texts = nullptr;
    std::string* open = nullptr;
    std::string where;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        where = path.filename().string() + ":" + std::to_string(number);
        if (line.empty() || line[0] == '#') {
            open = nullptr;
            continue;
        }
        if (line[0] == ' ' || line[0] == '\t') {
            if (!open) fail(where + ": continuation line without a text above it");
            std::string more = line.substr(line.find_first_not_of(" \t"));
            if (open->empty() || !joinsWithoutSpace(open->back(), more[0])) *open += " ";
            *open += more;
            continue;
        }
        if (line.rfind("@@", 0) == 0) {
            unsigned code = static_cast<unsigned>(std::strtoul(line.c_str() + 2, nullptr, 10));
            if (reference.messages.count(code)) fail(where + ": message " + std::to_string(code) + " twice");
            texts = &reference.messages[code];
            open = nullptr;
            continue;
        }
        if (line[0] == '@') {
            size_t close = line.find(')');
            size_t paren = line.find('(');
            if (paren == std::string::npos || close == std::string::npos || close < paren)
                fail(where + ": expected @NAME(arguments) family result");
            std::string name = line.substr(1, paren - 1);
            std::istringstream rest(line.substr(close + 1));
            Description description;
            description.signature = line.substr(1, close);
            rest >> description.family >> description.result;
            if (description.result != "int" && description.result != "string")
                fail(where + ": the result of " + name + " must be int or string");
            if (!reference.builtins.emplace(name, description).second) fail(where + ": " + name + " twice");
            texts = &reference.builtins[name].texts;
            open = nullptr;
            continue;
        }
        size_t colon = line.find(':');
        if (!texts || colon == std::string::npos) fail(where + ": expected key: text");
        std::string key = line.substr(0, colon);
        if (key != "en" && key != "ja" && key != "errors.en" && key != "errors.ja")
            fail(where + ": unknown key " + key);
        size_t start = line.find_first_not_of(" \t", colon + 1);
        open = &(*texts)[key];
        *open = start == std::string::npos ? "" : line.substr(start);
    }
    return reference;
}

// ---- built-ins --------------------------------------------------------------------------------

struct Family {
    const char* key;
    const char* english;
    const char* japanese;
};
// ORDER: the order of the sections in the reference.
const Family families[] = {
    {"input", "Mouse, keyboard and screen", "マウス・キーボード・画面"},
    {"strings", "Strings", "文字列"},
    {"arrays", "Arrays", "配列"},
    {"regex", "Regular expressions", "正規表現"},
    {"dialogs", "Message boxes and input", "メッセージボックスと入力"},
    {"clock", "Waiting, clock and random numbers", "待機・時計・乱数"},
    {"math", "Integer math", "整数の計算"},
    {"interpreter", "Environment and interpreter", "環境変数とインタープリター"},
};

// The rows that share one function: the first of them carries the description.
struct Group {
    std::string described;
    std::vector<const BuiltinEntry*> rows;
};

std::vector<Group> builtinGroups(const Reference& reference) {
    script::BuiltinTable table = script::builtinTable();
    std::map<script::BuiltinFunction, Group> byFunction;
    std::vector<script::BuiltinFunction> order;
    for (size_t i = 0; i < table.size; ++i) {
        const BuiltinEntry& row = table.rows[i];
        auto [slot, fresh] = byFunction.try_emplace(row.function);
        if (fresh) order.push_back(row.function);
        slot->second.rows.push_back(&row);
    }
    std::vector<std::string> problems;
    std::set<std::string> names;
    std::vector<Group> groups;
    for (script::BuiltinFunction function : order) {
        Group group = byFunction[function];
        std::vector<std::string> described;
        for (const BuiltinEntry* row : group.rows) {
            names.insert(row->name);
            if (reference.builtins.count(row->name)) described.push_back(row->name);
        }
        if (described.empty()) {
            problems.push_back("no description for the built-in " + std::string(group.rows[0]->name));
            continue;
        }
        if (described.size() > 1)
            problems.push_back(described[0] + " and " + described[1] + " are one function: describe it once");
        group.described = described[0];
        const Description& description = reference.builtins.at(group.described);
        for (const char* key : {"en", "ja"})
            if (!description.texts.count(key)) problems.push_back(group.described + " has no text \"" + key + "\"");
        if (description.texts.count("errors.en") != description.texts.count("errors.ja"))
            problems.push_back(group.described + ": errors in one language only");
        if (std::none_of(std::begin(families), std::end(families),
                         [&](const Family& family) { return description.family == family.key; }))
            problems.push_back(group.described + ": unknown family " + description.family);
        groups.push_back(group);
    }
    for (const auto& [name, description] : reference.builtins)
        if (!names.count(name)) problems.push_back("a description for " + name + ", which is no built-in");
    failOnProblems(problems, "built-in");
    return groups;
}

std::string argumentCount(const BuiltinEntry& row, const std::string& language) {
    bool ja = japanese(language);
    if (row.maxArgs == 65535) return std::to_string(row.minArgs) + (ja ? " 個以上" : " or more");
    if (row.maxArgs == 0) return ja ? "なし" : "none";
    if (row.minArgs == row.maxArgs) return std::to_string(row.minArgs);
    return std::to_string(row.minArgs) + (ja ? "～" : " to ") + std::to_string(row.maxArgs);
}

std::string anchorPrefix(const std::string& language) { return japanese(language) ? "ja-fn-" : "fn-"; }

std::string builtinsSection(const Reference& reference, const std::vector<Group>& groups,
                            const std::string& language) {
    bool ja = japanese(language);
    std::string out;
    // A list of every name first: the quickest way to find one.
    out += ja ? "<h2>名前順の一覧</h2>\n<p class=\"names\">" : "<h2>All built-ins by name</h2>\n<p class=\"names\">";
    script::BuiltinTable table = script::builtinTable();
    for (size_t i = 0; i < table.size; ++i)
        out += std::string(i ? " · " : "") + "<a href=\"#" + anchorPrefix(language) + table.rows[i].name + "\">" +
               table.rows[i].name + "</a>";
    out += "</p>\n";
    for (const Family& family : families) {
        out += "<h2><a name=\"" + language + "-family-" + family.key + "\"></a>" +
               (ja ? family.japanese : family.english) + "</h2>\n";
        std::vector<const Group*> members;
        for (const Group& group : groups)
            if (reference.builtins.at(group.described).family == family.key) members.push_back(&group);
        std::sort(members.begin(), members.end(),
                  [](const Group* a, const Group* b) { return a->described < b->described; });
        for (const Group* group : members) {
            const Description& description = reference.builtins.at(group->described);
            const BuiltinEntry* described = nullptr;
            std::string aliases, anchors;
            for (const BuiltinEntry* row : group->rows) {
                anchors += "<a name=\"" + anchorPrefix(language) + row->name + "\"></a>";
                if (row->name == group->described) {
                    described = row;
                } else {
                    aliases += std::string(aliases.empty() ? "" : ", ") + "<code>" + row->name + "</code>";
                }
            }
            out += "<div class=\"fn\">\n<h3>" + anchors + "<code>" + escape(description.signature) + "</code></h3>\n";
            out += "<p class=\"meta\">";
            out += (ja ? "引数の数: " : "Arguments: ") + argumentCount(*described, language);
            out += ja ? "　結果: " : " &middot; Result: ";
            out += description.result == "int" ? (ja ? "整数" : "integer") : (ja ? "文字列" : "string");
            if (!aliases.empty()) out += (ja ? "　別名（同じ関数）: " : " &middot; Same function: ") + aliases;
            out += "</p>\n<p>" + description.texts.at(language) + "</p>\n";
            auto errors = description.texts.find("errors." + language);
            out += ja ? "<p class=\"errors\"><b>エラー:</b> " : "<p class=\"errors\"><b>Errors:</b> ";
            if (errors != description.texts.end()) {
                out += errors->second + " ";
            } else {
                out += ja ? "メッセージは出しません。" : "no message of its own. ";
            }
            out += ja ? "引数の数が合わないときはメッセージ 105 で実行が止まります。</p>\n"
                      : "A call with a wrong number of arguments reports message 105 and stops the run.</p>\n";
            out += "</div>\n";
        }
    }
    return out;
}

// ---- constants --------------------------------------------------------------------------------

struct ConstantGroup {
    const char* prefix;  // "" for the plain constants
    const char* english;
    const char* japanese;
    bool hex;
};
const ConstantGroup constantGroups[] = {
    {"", "Plain constants", "一般の定数", false},
    {"CC_", "Conversion flags of CONVCHAR", "CONVCHAR の変換フラグ", true},
    {"SM_", "System-metric indices of GETSYSTEMMETRICS", "GETSYSTEMMETRICS の指標", false},
    {"VK_", "Virtual-key codes", "仮想キーコード", true},
};

const ConstantGroup& groupOf(const script::ConstantEntry& row) {
    std::string_view name = row.name;
    for (size_t i = 1; i < std::size(constantGroups); ++i)
        if (name.rfind(constantGroups[i].prefix, 0) == 0) return constantGroups[i];
    return constantGroups[0];
}

std::string hexText(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<uint32_t>(value));
    return text;
}

// One table for both languages: names and numbers read the same in either.
std::string constantsSection() {
    script::ConstantTable table = script::constantTable();
    std::string out;
    for (const ConstantGroup& group : constantGroups) {
        std::string rows;
        size_t count = 0;
        for (size_t i = 0; i < table.size; ++i) {
            const script::ConstantEntry& row = table.rows[i];
            if (&groupOf(row) != &group) continue;
            ++count;
            rows += "<tr><td><a name=\"c-" + std::string(row.name) + "\"></a><code>" + row.name + "</code></td><td>" +
                    std::to_string(row.value) + "</td><td>" + hexText(row.value) + "</td></tr>\n";
        }
        out += "<h2><a name=\"group-" + std::string(*group.prefix ? group.prefix : "plain") + "\"></a>" +
               group.english + " / " + group.japanese + " (" + std::to_string(count) + ")</h2>\n";
        out += "<table class=\"constants\">\n<tr><th>Name / 名前</th><th>Value / 値</th><th>Hex / 16 進</th></tr>\n" +
               rows + "</table>\n";
    }
    return out;
}

// ---- messages ---------------------------------------------------------------------------------

// What the engine sends for a script, in one language: the real text, never a copy of it.
std::string messageOf(const char* scriptText, bool inJapanese) {
    std::u16string received;
    script::ScriptHostCallbacks host;
    host.japanese = inJapanese ? 1 : 0;
    host.messageSink = [&](unsigned, int32_t, const std::u16string& text) {
        if (received.empty()) received = text;
    };
    script::qx_script(utf8ToUtf16(scriptText).c_str(), &host);
    if (received.empty()) fail(std::string("no message from the script ") + scriptText);
    return utf16ToUtf8(received);
}

std::string messageCell(const std::string& text) {
    std::string shown = text;
    while (!shown.empty() && shown.back() == '\n') shown.pop_back();
    // The rows are format strings: the reader sees a doubled percent sign as one.
    shown = replaceAll(shown, "%%", "%");
    return "<code class=\"message\">" + escape(shown) + "</code>";
}

std::string messagesSection(const Reference& reference) {
    // The texts that are not rows of the message table: shown as the engine produces them.
    const std::pair<unsigned, const char*> made[] = {
        {101, "IF 1 { x = 1 }"},
        {114, "ASSERT(0, \"x must be positive\")"},
        {115, "SORTARRAY(\"not a name\")"},
    };
    std::multimap<unsigned, std::pair<std::string, std::string>> rows;
    for (size_t i = 0; i < static_cast<size_t>(script::Message::Count); ++i) {
        const script::MessageText& text = script::messageText(static_cast<script::Message>(i));
        rows.emplace(text.code, std::make_pair(messageCell(text.english), messageCell(text.japanese)));
    }
    for (const auto& [code, scriptText] : made) {
        std::string example = "<br><span class=\"example\">" + escape(scriptText) + "</span>";
        auto cell = [&](bool inJapanese) {
            return "<pre class=\"message\">" + escape(messageOf(scriptText, inJapanese)) + "</pre>" + example;
        };
        rows.emplace(code, std::make_pair(cell(false), cell(true)));
    }
    std::vector<std::string> problems;
    for (const auto& [code, texts] : rows)
        if (!reference.messages.count(code)) problems.push_back("no meaning for message " + std::to_string(code));
    for (const auto& [code, meaning] : reference.messages) {
        if (!rows.count(code)) problems.push_back("a meaning for message " + std::to_string(code) + ", which is none");
        if (!meaning.count("en") || !meaning.count("ja"))
            problems.push_back("message " + std::to_string(code) + " needs en and ja");
    }
    failOnProblems(problems, "message");
    std::string out =
        "<table class=\"messages\">\n<tr><th>Code / 番号</th><th>Meaning / 意味</th><th>English text / 英語の文面</th>"
        "<th>Japanese text / 日本語の文面</th></tr>\n";
    for (auto row = rows.begin(); row != rows.end();) {
        unsigned code = row->first;
        auto [first, last] = rows.equal_range(code);
        std::string english, japaneseText;
        for (auto it = first; it != last; ++it) {
            english += std::string(english.empty() ? "" : "<br>") + it->second.first;
            japaneseText += std::string(japaneseText.empty() ? "" : "<br>") + it->second.second;
        }
        const auto& meaning = reference.messages.at(code);
        out += "<tr><td><a name=\"m" + std::to_string(code) + "\"></a>" + std::to_string(code) + "</td><td>" +
               meaning.at("en") + "<br><span lang=\"ja\">" + meaning.at("ja") + "</span></td><td>" + english +
               "</td><td>" + japaneseText + "</td></tr>\n";
        row = last;
    }
    return out + "</table>\n";
}

// ---- samples ----------------------------------------------------------------------------------

struct Sample {
    std::string script;
    std::string output;
    bool shown = false;
};

// The runs of a case in number order, as the corpus runner takes them.
std::vector<std::string> runsOf(const fs::path& folder) {
    std::vector<std::string> runs;
    for (int i = 1; fs::exists(folder / ("run" + std::to_string(i) + ".rsc")); ++i)
        runs.push_back("run" + std::to_string(i) + ".rsc");
    return runs;
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// What a person sees from wavelith-script for the case, run as the corpus runs it.
std::string humanOutput(const fs::path& folder, const fs::path& host) {
    std::string command = "cd " + shellQuoted(folder.string()) + " && " + shellQuoted(host.string());
    if (fs::exists(folder / "args")) {
        std::istringstream words(readFile(folder / "args"));
        std::string word;
        while (words >> word) command += " " + shellQuoted(word);
    }
    for (const std::string& run : runsOf(folder)) command += " " + run;
    command += " </dev/null 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) fail("cannot run " + host.string());
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    if (pclose(pipe) != 0) fail("wavelith-script failed on the sample " + folder.string() + ":\n" + output);
    // "== run 2: run2.rsc": the reader sees one script run again, not the corpus's file names.
    std::istringstream lines(output);
    std::string line, shown;
    while (std::getline(lines, line)) {
        if (line.rfind("== run ", 0) == 0) line = line.substr(0, line.find(':'));
        shown += line + "\n";
    }
    return shown;
}

std::map<std::string, Sample> readSamples(const fs::path& folder, const fs::path& host) {
    std::map<std::string, Sample> samples;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!fs::exists(entry.path() / "run1.rsc")) continue;
        Sample sample;
        sample.script = readFile(entry.path() / "run1.rsc");
        if (sample.script.rfind("\xEF\xBB\xBF", 0) == 0) sample.script.erase(0, 3);
        sample.output = humanOutput(entry.path(), host);
        samples.emplace(entry.path().filename().string(), sample);
    }
    if (samples.empty()) fail("no samples in " + folder.string());
    return samples;
}

std::string sampleBlock(Sample& sample, const std::string& name, const std::string& language) {
    bool ja = japanese(language);
    sample.shown = true;
    return "<pre class=\"sample\" data-case=\"" + escape(name) + "\">" + escape(sample.script) + "</pre>\n" +
           (ja ? "<p class=\"output-label\">wavelith-script での実行結果:</p>\n"
               : "<p class=\"output-label\">What wavelith-script shows for it:</p>\n") +
           "<pre class=\"output\">" + escape(sample.output) + "</pre>";
}

// ---- the index of the help file -------------------------------------------------------------

std::string indexEntries() {
    std::string out;
    auto entry = [&](const std::string& name, const std::string& local) {
        out += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
               "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
    };
    script::BuiltinTable builtins = script::builtinTable();
    for (size_t i = 0; i < builtins.size; ++i)
        entry(builtins.rows[i].name, "_RESOURCE/HLP000031.html#fn-" + std::string(builtins.rows[i].name));
    script::ConstantTable constants = script::constantTable();
    for (size_t i = 0; i < constants.size; ++i)
        entry(constants.rows[i].name, "_RESOURCE/HLP000032.html#c-" + std::string(constants.rows[i].name));
    return out;
}

// ---- the frame of every page -------------------------------------------------------------------

// A page in _RESOURCE/ or the start page at the top: where the style sheet and contents are.
bool inSubfolder(const std::string& where) { return where.find('/') != std::string::npos; }

// Everything up to the English part: the head, and a bar with the way to the contents and to
// the Japanese part.
std::string pageHead(const std::string& title, const std::string& where) {
    bool sub = inSubfolder(where);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n<title>" +
           title + "</title>\n<link rel=\"stylesheet\" href=\"" + (sub ? "" : "_RESOURCE/") +
           "style.css\">\n</head>\n<body>\n<div class=\"top\">" + (sub ? "<a href=\"../index.html\">Contents</a>" : "&nbsp;") +
           "<span class=\"langbar\"><a href=\"#ja\">日本語</a></span></div>\n<div lang=\"en\"><a name=\"en\"></a>";
}

// Ends the English part and opens the Japanese one (which the page closes with </div>).
std::string japanesePart(const std::string& where) {
    return std::string("</div>\n\n<div lang=\"ja\" class=\"part-ja\"><a name=\"ja\"></a>\n<div class=\"top\">") +
           (inSubfolder(where) ? "<a href=\"../index.html#ja\">目次</a>" : "&nbsp;") +
           "<span class=\"langbar\"><a href=\"#en\">English</a></span></div>";
}

// The viewer lists the index in file order: the hand-written keywords and the generated names
// go in alphabetically, ignoring case.
std::string sortedIndex(const std::string& text) {
    std::istringstream lines(text);
    std::vector<std::string> before, entries, after;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("<LI>", 0) == 0) {
            entries.push_back(line);
        } else {
            (entries.empty() ? before : after).push_back(line);
        }
    }
    auto key = [](const std::string& entry) {
        std::string name = entry.substr(entry.find("value=\"") + 7);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    std::string out;
    for (const auto* part : {&before, &entries, &after})
        for (const std::string& one : *part) out += one + "\n";
    return out;
}

// ---- the pages --------------------------------------------------------------------------------

struct Generator {
    Reference reference;
    std::vector<Group> groups;
    std::map<std::string, Sample> samples;

    std::string expand(const std::string& key, const std::string& where) {
        std::string argument;
        size_t colon = key.find(':');
        std::string name = key.substr(0, colon);
        if (colon != std::string::npos) argument = key.substr(colon + 1);
        if (name == "head") return pageHead(argument, where);
        if (name == "ja") return japanesePart(where);
        if (name == "builtins" && (argument == "en" || argument == "ja"))
            return builtinsSection(reference, groups, argument);
        if (name == "constants") return constantsSection();
        if (name == "messages") return messagesSection(reference);
        if (name == "index") return indexEntries();
        if (name == "builtin-count") return std::to_string(script::builtinTable().size);
        if (name == "constant-count") return std::to_string(script::constantTable().size);
        if (name == "sample") {
            size_t second = argument.find(':');
            std::string sampleName = argument.substr(0, second);
            std::string language = second == std::string::npos ? "" : argument.substr(second + 1);
            auto found = samples.find(sampleName);
            if (found == samples.end()) fail(where + ": no corpus case help-samples/" + sampleName);
            if (language != "en" && language != "ja") fail(where + ": sample " + sampleName + " needs :en or :ja");
            return sampleBlock(found->second, sampleName, language);
        }
        fail(where + ": unknown placeholder <!--@" + key + "-->");
    }

    std::string fill(const std::string& text, const std::string& where) {
        std::string out;
        size_t at = 0;
        for (;;) {
            size_t open = text.find("<!--@", at);
            if (open == std::string::npos) break;
            size_t close = text.find("-->", open);
            if (close == std::string::npos) fail(where + ": unclosed placeholder");
            out += text.substr(at, open - at);
            out += expand(text.substr(open + 5, close - open - 5), where);
            at = close + 3;
        }
        return out + text.substr(at);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--names") {
        script::BuiltinTable builtins = script::builtinTable();
        for (size_t i = 0; i < builtins.size; ++i) std::printf("builtin %s\n", builtins.rows[i].name);
        script::ConstantTable constants = script::constantTable();
        for (size_t i = 0; i < constants.size; ++i) std::printf("constant %s\n", constants.rows[i].name);
        return 0;
    }
    if (argc != 6) {
        std::fprintf(stderr, "usage: help_pages --names\n"
                             "       help_pages SOURCES REFERENCE SAMPLES WAVELITH_SCRIPT OUTPUT\n");
        return 2;
    }
    fs::path sources = argv[1], output = argv[5];
    Generator generator;
    generator.reference = readReference(argv[2]);
    generator.groups = builtinGroups(generator.reference);
    generator.samples = readSamples(argv[3], fs::absolute(argv[4]));

    fs::remove_all(output);
    for (const auto& entry : fs::recursive_directory_iterator(sources)) {
        if (!entry.is_regular_file()) continue;
        fs::path relative = fs::relative(entry.path(), sources);
        std::string text = readFile(entry.path());
        std::string extension = entry.path().extension().string();
        if (extension == ".html") text = joinJapaneseLines(text);
        if (extension == ".html" || extension == ".hhk") text = generator.fill(text, relative.string());
        if (extension == ".hhk") text = sortedIndex(text);
        // chmcmd takes href="#x" in a page of a subfolder for a link to the folder: name the page.
        if (extension == ".html") text = replaceAll(text, "href=\"#", "href=\"" + relative.filename().string() + "#");
        writeFile(output / relative, text);
    }
    for (const auto& [name, sample] : generator.samples)
        if (!sample.shown) fail("the help sample " + name + " is shown on no page");
    return 0;
}
