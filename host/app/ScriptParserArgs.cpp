#include "app/ScriptError.h"
#include "app/ScriptParser.h"

#include <map>
#include <optional>

namespace host {

namespace {

std::optional<int> KeyCode(const std::string& name) {
    static const std::map<std::string, int> named = {{"SPACE", ui::Key::Space},
                                                     {"ENTER", ui::Key::Return},
                                                     {"ESC", ui::Key::Escape},
                                                     {"TAB", ui::Key::Tab}};
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

KeyPress ScriptParser::ParseKey(const std::vector<std::string>& args, int line) {
    std::optional<int> code = KeyCode(args.at(1));
    if (!code)
        throw ScriptError(line, "unknown key '" + args[1] + "'");
    KeyPress press{*code, {}};
    for (std::size_t i = 2; i < args.size(); ++i) {
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
    const std::string& first = args.at(0);
    ExpectTarget target;
    std::size_t wanted = 2;
    if (first == "focus") {
        target.What = ExpectTarget::Kind::Focus;
    } else if (first == "message") {
        target.What = ExpectTarget::Kind::Message;
    } else if (first == "page") {
        target.What = ExpectTarget::Kind::Page;
        target.Object = args.size() > 1 ? args[1] : "";
        wanted = 3;
    } else {
        target = MemberTarget(first, line);
    }
    if (args.size() != wanted)
        throw ScriptError(line, "expect " + first + " takes " + (wanted == 3 ? "a page control and " : "") +
                                    "one value");
    return target;
}

} // namespace host
