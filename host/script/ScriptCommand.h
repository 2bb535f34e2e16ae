#pragma once

#include "ui/Keys.h"

#include <string>
#include <vector>

namespace host {

// What an expectation looks at.
struct ExpectTarget {
    enum class Kind {
        Focus,     // the focused control of the active form
        Message,   // the text of the last message
        Messages,  // how many messages were shown
        Question,  // the text of the last question
        PickTitle, // the title of the last pick list
        Busy,      // whether the busy animation runs
        Page,      // a page control's active page
        Columns,   // a grid's visible columns
        Painted,   // what a grid cell shows
        Var,       // a module variable
        Calls,     // remote calls of a method since the last reset
        Arg,       // an argument of a method's last remote call
        Member     // a control's property or a dataset's field
    };
    Kind What = Kind::Member;
    std::string Object; // control, form, dataset, page control, grid, variable or method name
    int Row = 0;        // DATASET[N].FIELD and painted rows: display row from 1; 0 for the current row
    std::string Member; // property or field name
    std::string Aspect; // painted: text, color, brush, image or focus
    int Index = 0;      // arg: argument position from 1
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
