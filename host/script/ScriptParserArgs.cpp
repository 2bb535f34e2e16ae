#include "script/ScriptError.h"
#include "script/ScriptParser.h"

#include <algorithm>
#include <map>
#include <optional>

namespace host {

namespace {

std::optional<int> KeyCode(const std::string& name) {
    static const std::map<std::string, int> named = {
        {"SPACE", ui::Key::Space},   {"ENTER", ui::Key::Return},  {"ESC", ui::Key::Escape},
        {"TAB", ui::Key::Tab},       {"UP", ui::Key::Up},         {"DOWN", ui::Key::Down},
        {"LEFT", ui::Key::Left},     {"RIGHT", ui::Key::Right},   {"HOME", ui::Key::Home},
        {"END", ui::Key::End},       {"PGUP", ui::Key::PageUp},   {"PGDN", ui::Key::PageDown},
        {"INSERT", ui::Key::Insert}, {"DELETE", ui::Key::Delete}, {"BACKSPACE", ui::Key::Back}};
    if (auto found = named.find(name); found != named.end())
        return found->second;
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' &&
        name.find_first_not_of("0123456789", 1) == std::string::npos) {
        int number = std::stoi(name.substr(1));
        if (number >= 1 && number <= 12)
            return ui::Key::F1 + number - 1;
    }
    return std::nullopt;
}

// "NAME.MEMBER" or "NAME[N].MEMBER"; the member may hold dots of its own (Font.Color).
ExpectTarget MemberTarget(const std::string& word, int line) {
    std::size_t dot = word.find('.');
    std::size_t bracket = word.find('[');
    ExpectTarget target;
    if (bracket != std::string::npos && bracket < dot) {
        std::size_t close = word.find(']', bracket);
        if (close == std::string::npos || close + 1 >= word.size() || word[close + 1] != '.')
            throw ScriptError(line, "expected DATASET[N].FIELD, got '" + word + "'");
        target.Row = ScriptParser::ParseRow(word.substr(bracket + 1, close - bracket - 1), line);
        target.Object = word.substr(0, bracket);
        dot = close + 1;
    } else {
        target.Object = word.substr(0, dot);
    }
    if (dot == std::string::npos || target.Object.empty() || dot + 1 == word.size())
        throw ScriptError(line, "expected NAME.PROPERTY, got '" + word + "'");
    target.Member = word.substr(dot + 1);
    return target;
}

} // namespace

KeyPress ScriptParser::ParseKey(const std::vector<std::string>& args, int line, std::size_t first) {
    std::optional<int> code = KeyCode(args.at(first));
    if (!code)
        throw ScriptError(line, "unknown key '" + args[first] + "'");
    KeyPress press{*code, {}};
    for (std::size_t i = first + 1; i < args.size(); ++i) {
        if (args[i] == "ctrl")
            press.Shift.Ctrl = true;
        else if (args[i] == "shift")
            press.Shift.Shift = true;
        else if (args[i] == "alt")
            press.Shift.Alt = true;
        else
            throw ScriptError(line, "unknown key modifier '" + args[i] + "'");
    }
    return press;
}

ExpectTarget ScriptParser::ParseTarget(const std::vector<std::string>& args, int line) {
    using Kind = ExpectTarget::Kind;
    // The word after expect, what it looks at and the words it takes.
    struct Shape {
        Kind kind;
        std::vector<const char*> words;
    };
    static const std::map<std::string, Shape> shapes = {
        {"focus", {Kind::Focus, {"CONTROL"}}},
        {"message", {Kind::Message, {"TEXT"}}},
        {"messages", {Kind::Messages, {"N"}}},
        {"question", {Kind::Question, {"TEXT"}}},
        {"picktitle", {Kind::PickTitle, {"TEXT"}}},
        {"busy", {Kind::Busy, {"true|false"}}},
        {"page", {Kind::Page, {"PAGECONTROL", "PAGE"}}},
        {"columns", {Kind::Columns, {"GRID", "\"FIELD ...\""}}},
        {"var", {Kind::Var, {"NAME", "VALUE"}}},
        {"calls", {Kind::Calls, {"METHOD", "N"}}},
        {"arg", {Kind::Arg, {"METHOD", "I", "VALUE"}}},
        {"painted", {Kind::Painted, {"GRID", "ROW", "FIELD", "text|color|brush|image|focus", "VALUE"}}},
    };
    const std::string& first = args.at(0);
    const auto shape = shapes.find(first);
    ExpectTarget target;
    std::size_t wanted = 2;
    if (shape == shapes.end()) {
        target = MemberTarget(first, line);
    } else {
        target.What = shape->second.kind;
        wanted = shape->second.words.size() + 1;
    }
    if (args.size() != wanted) {
        std::string usage = "expect " + first;
        for (const char* word :
             shape == shapes.end() ? std::vector<const char*>{"VALUE"} : shape->second.words)
            usage += std::string(" ") + word;
        throw ScriptError(line, "wrong number of words, the form is: " + usage);
    }
    if (wanted > 2)
        target.Object = args[1];
    if (target.What == Kind::Arg)
        target.Index = ParseRow(args[2], line);
    if (target.What == Kind::Painted) {
        target.Row = ParseRow(args[2], line);
        target.Member = args[3];
        target.Aspect = args[4];
        static const std::vector<std::string> aspects = {"text", "color", "brush", "image", "focus"};
        if (std::find(aspects.begin(), aspects.end(), target.Aspect) == aspects.end())
            throw ScriptError(line, "a painted cell shows text, color, brush, image or focus, not '" +
                                        target.Aspect + "'");
    }
    return target;
}

} // namespace host
