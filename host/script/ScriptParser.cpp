#include "script/ScriptParser.h"

#include "script/ScriptError.h"
#include "data/DateTime.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace host {

namespace {

struct Arity {
    std::size_t min;
    std::size_t max;
};

const std::map<std::string, Arity>& Commands() {
    static const std::map<std::string, Arity> commands = {
        {"open", {1, 1}},     {"focus", {1, 1}},  {"type", {2, 2}},   {"click", {1, 1}},
        {"key", {2, 5}},      {"tab", {2, 2}},    {"cell", {3, 3}},   {"title", {2, 2}},
        {"row", {2, 2}},      {"answer", {1, 1}}, {"choose", {1, 1}}, {"pick", {1, 1}},
        {"picklist", {1, 1}}, {"today", {1, 1}},  {"close", {1, 1}},  {"expect", {2, 6}},
        {"dump", {1, 1}},     {"shot", {1, 1}},   {"calls", {1, 1}},  {"pdf", {1, 1}},
        {"press", {1, 4}},    {"write", {1, 1}},  {"mouse", {1, 3}},  {"mousetitle", {2, 2}},
        {"login", {2, 2}},    {"pause", {0, 0}},
    };
    return commands;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A quoted word starting at `pos` (on the opening quote); leaves `pos` after the closing quote.
std::string QuotedWord(const std::string& line, std::size_t& pos, int lineNumber) {
    std::string word;
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] != '"') {
            word += line[pos];
        } else if (pos + 1 < line.size() && line[pos + 1] == '"') {
            word += '"';
            ++pos;
        } else {
            ++pos;
            if (pos < line.size() && !IsBlank(line[pos]))
                throw ScriptError(lineNumber, "a closing quote must end its word");
            return word;
        }
    }
    throw ScriptError(lineNumber, "unterminated quote");
}

bool StartsComment(const std::string& line, std::size_t pos, bool firstWord) {
    return line[pos] == '#' && (firstWord || pos + 1 == line.size() || IsBlank(line[pos + 1]));
}

// The words as a script would write them, so the transcript shows each command the same way
// however it was spaced or commented.
std::string JoinWords(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        bool quote = word.empty() || word == "#" || word.find_first_of(" \t\"") != std::string::npos;
        if (!line.empty())
            line += ' ';
        if (quote)
            line += '"';
        for (char c : word) {
            line += c;
            if (c == '"')
                line += '"';
        }
        if (quote)
            line += '"';
    }
    return line;
}

} // namespace

std::vector<std::string> ScriptParser::SplitWords(const std::string& line, int lineNumber) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos == line.size() || StartsComment(line, pos, words.empty()))
            return words;
        if (line[pos] == '"') {
            words.push_back(QuotedWord(line, pos, lineNumber));
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && !IsBlank(line[end])) {
            if (line[end] == '"')
                throw ScriptError(lineNumber, "a quote may only start a word");
            ++end;
        }
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
}

std::vector<ScriptCommand> ScriptParser::Parse(const std::string& text) {
    std::vector<ScriptCommand> commands;
    std::istringstream in(text);
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::vector<std::string> words = SplitWords(line, lineNumber);
        if (words.empty())
            continue;
        // A password is never written back, not even to the transcript.
        std::vector<std::string> shown = words;
        if (shown.front() == "login" && shown.size() == 3)
            shown[2] = "********";
        ScriptCommand command{lineNumber, words.front(), {words.begin() + 1, words.end()}, JoinWords(shown)};
        Check(command);
        commands.push_back(std::move(command));
    }
    return commands;
}

int ScriptParser::ParseRow(const std::string& word, int lineNumber) {
    bool digits = !word.empty() && word.size() < 9 &&
                  std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(word) < 1)
        throw ScriptError(lineNumber, "a row number counts from 1, got '" + word + "'");
    return std::stoi(word);
}

void ScriptParser::Check(const ScriptCommand& command) {
    const int line = command.Line;
    auto found = Commands().find(command.Name);
    if (found == Commands().end())
        throw ScriptError(line, "unknown command '" + command.Name + "'");
    const auto& args = command.Args;
    if (args.size() < found->second.min || args.size() > found->second.max)
        throw ScriptError(line, "wrong number of arguments for '" + command.Name + "'");
    if (args.empty())
        return;
    const std::string& first = args.front();
    if (command.Name == "answer" && first != "yes" && first != "no")
        throw ScriptError(line, "answer takes yes or no");
    if (command.Name == "today" && !data::IsoToDate(first))
        throw ScriptError(line, "today takes a date as YYYY-MM-DD, got '" + first + "'");
    if (command.Name == "shot" && (first.size() < 5 || first.substr(first.size() - 4) != ".png"))
        throw ScriptError(line, "shot takes a file name ending in .png");
    if (command.Name == "calls" && first != "reset")
        throw ScriptError(line, "calls takes reset");
    if (command.Name == "pdf" && (first.size() < 5 || first.substr(first.size() - 4) != ".pdf"))
        throw ScriptError(line, "pdf takes a file name ending in .pdf");
    if (command.Name == "cell" || command.Name == "row" || (command.Name == "mouse" && args.size() == 3))
        ParseRow(args[1], line);
    if (command.Name == "mouse" && args.size() == 2)
        throw ScriptError(line, "mouse takes a CONTROL, or a GRID with a ROW and a FIELD");
    if (command.Name == "key")
        ParseKey(args, line);
    if (command.Name == "press")
        ParseKey(args, line, 0);
    if (command.Name == "expect")
        ParseTarget(args, line);
}

} // namespace host
