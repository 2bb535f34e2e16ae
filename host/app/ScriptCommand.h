#pragma once

#include "ui/Keys.h"

#include <string>
#include <vector>

namespace host {

// What an expectation looks at.
struct ExpectTarget {
    enum class Kind { Focus, Message, Page, Member };
    Kind What = Kind::Member;
    std::string Object; // control, form, dataset or page control name
    int Row = 0;        // DATASET[N].FIELD: display row from 1; 0 for the current row
    std::string Member; // property or field name
};

struct KeyPress {
    int Key = 0;
    ui::ShiftState Shift;
};

// One script line: its number, the command word and its arguments, unquoted.
struct ScriptCommand {
    int Line = 0;
    std::string Name;
    std::vector<std::string> Args;
    std::string Source; // the words written back as one line, without the comment
};

} // namespace host
