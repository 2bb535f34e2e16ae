#pragma once

#include "script/ScriptCommand.h"

#include <string>
#include <vector>

namespace host {

// Reads a script: one command per line, words separated by blanks, double quotes around a word
// with blanks ("" is the empty word, a doubled quote inside quotes is a quote), and '#' starting a
// comment when it begins a line or stands alone as a word (so "#FF0000" stays a colour). Every
// line is checked before anything runs; a fault throws ScriptError with its line number.
class ScriptParser {
public:
    static std::vector<ScriptCommand> Parse(const std::string& text);
    // The words of one line; throws ScriptError for an unterminated or misplaced quote.
    static std::vector<std::string> SplitWords(const std::string& line, int lineNumber);
    static ExpectTarget ParseTarget(const std::vector<std::string>& args, int lineNumber);
    // The key word at `first` (after the control of `key CONTROL KEY`) and the modifiers after it.
    static KeyPress ParseKey(const std::vector<std::string>& args, int lineNumber, std::size_t first = 1);
    // 1 or more, as a row number of the script.
    static int ParseRow(const std::string& word, int lineNumber);

private:
    static void Check(const ScriptCommand& command);
};

} // namespace host
