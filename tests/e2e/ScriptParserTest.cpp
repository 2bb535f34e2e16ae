#include "script/ScriptParser.h"

#include "script/ScriptError.h"

#include <gtest/gtest.h>

namespace {

using host::ExpectTarget;
using host::ScriptError;
using host::ScriptParser;

struct WordsCase {
    const char* line;
    std::vector<std::string> words;
};

class ScriptWords : public testing::TestWithParam<WordsCase> {};

TEST_P(ScriptWords, SplitsBlanksQuotesAndComments) {
    EXPECT_EQ(ScriptParser::SplitWords(GetParam().line, 1), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptWords,
    testing::Values(
        WordsCase{"click sbtFiltro", {"click", "sbtFiltro"}},
        WordsCase{"  type\tedtNome   \"Maria da Silva\"  ", {"type", "edtNome", "Maria da Silva"}},
        WordsCase{"type edtNome \"\"", {"type", "edtNome", ""}},
        WordsCase{"expect lbl.Caption \"diz \"\"oi\"\"\"", {"expect", "lbl.Caption", "diz \"oi\""}},
        WordsCase{"# a whole comment line", {}}, WordsCase{"#click sbtFiltro", {}}, WordsCase{"", {}},
        WordsCase{"click sbtFiltro # why we click", {"click", "sbtFiltro"}},
        WordsCase{"click sbtFiltro #", {"click", "sbtFiltro"}},
        WordsCase{"expect lbl.Color #FF0000", {"expect", "lbl.Color", "#FF0000"}},
        WordsCase{"type edt \"a # b\"", {"type", "edt", "a # b"}}));

struct ErrorCase {
    const char* script;
    int line;
    const char* message; // a part of the error text
};

class ScriptErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrors, NameTheLineAndTheFault) {
    try {
        ScriptParser::Parse(GetParam().script);
        FAIL() << "no error for: " << GetParam().script;
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Line(), GetParam().line);
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(GetParam().line) + ": ", 0), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ScriptErrors,
    testing::Values(
        ErrorCase{"open PED01000\n\n# fine so far\ntype edt \"abc", 4, "unterminated quote"},
        ErrorCase{"type edt ab\"c", 1, "a quote may only start a word"},
        ErrorCase{"type edt \"ab\"c", 1, "closing quote must end its word"},
        ErrorCase{"open A\nlaunch PED01000", 2, "unknown command 'launch'"},
        ErrorCase{"click", 1, "wrong number of arguments"},
        ErrorCase{"type edt a b", 1, "wrong number of arguments"}, ErrorCase{"answer maybe", 1, "yes or no"},
        ErrorCase{"today 2024-02-30", 1, "YYYY-MM-DD"}, ErrorCase{"today 15/05/2024", 1, "YYYY-MM-DD"},
        ErrorCase{"cell dbg 0 NRPEDIDO", 1, "counts from 1"}, ErrorCase{"row dbg x", 1, "counts from 1"},
        ErrorCase{"key edt F13", 1, "unknown key 'F13'"}, ErrorCase{"key edt a", 1, "unknown key 'a'"},
        ErrorCase{"key edt A meta", 1, "unknown key modifier 'meta'"},
        ErrorCase{"expect edt.Text", 1, "wrong number of arguments"},
        ErrorCase{"expect edtText 1", 1, "NAME.PROPERTY"},
        ErrorCase{"expect cds[0].NRPEDIDO 1", 1, "counts from 1"},
        ErrorCase{"expect cds[2]NRPEDIDO 1", 1, "DATASET[N].FIELD"},
        ErrorCase{"expect page pgc", 1, "the form is: expect page PAGECONTROL PAGE"},
        ErrorCase{"expect focus a b", 1, "the form is: expect focus CONTROL"},
        ErrorCase{"expect edt.Text a b", 1, "the form is: expect edt.Text VALUE"},
        ErrorCase{"expect painted dbg 1 NRPEDIDO text", 1, "expect painted GRID ROW FIELD"},
        ErrorCase{"expect painted dbg 1 NRPEDIDO font x", 1, "not 'font'"},
        ErrorCase{"expect painted dbg 0 NRPEDIDO text x", 1, "counts from 1"},
        ErrorCase{"expect arg GetPedido 0 x", 1, "counts from 1"},
        ErrorCase{"expect calls GetPedido", 1, "expect calls METHOD N"},
        ErrorCase{"calls clear", 1, "calls takes reset"}, ErrorCase{"key dbg PAGEDOWN", 1, "unknown key"},
        ErrorCase{"shot window.jpg", 1, ".png"}, ErrorCase{"press", 1, "wrong number of arguments"},
        ErrorCase{"press ESCAPE", 1, "unknown key 'ESCAPE'"}, ErrorCase{"press TAB shift win", 1, "'win'"},
        ErrorCase{"write", 1, "wrong number of arguments"},
        ErrorCase{"write a b", 1, "wrong number of arguments"},
        ErrorCase{"mouse dbg 1", 1, "a GRID with a ROW and a FIELD"},
        ErrorCase{"mouse dbg 0 NRPEDIDO", 1, "counts from 1"},
        ErrorCase{"mousetitle dbg", 1, "wrong number of arguments"}));

TEST(ScriptParse, PressTakesTheKeyFirstAndItsModifiersAfterIt) {
    const auto commands = ScriptParser::Parse("press TAB shift\npress L ctrl\nwrite \"01/05/2024\"\n");
    const host::KeyPress backTab = ScriptParser::ParseKey(commands[0].Args, 1, 0);
    EXPECT_EQ(backTab.Key, ui::Key::Tab);
    EXPECT_EQ(backTab.Shift, ui::ShiftState::WithShift());
    EXPECT_EQ(ScriptParser::ParseKey(commands[1].Args, 2, 0).Shift, ui::ShiftState::WithCtrl());
    EXPECT_EQ(commands[2].Args, std::vector<std::string>{"01/05/2024"});
}

TEST(ScriptParse, KeepsLineNumbersAcrossBlankAndCommentLines) {
    auto commands = ScriptParser::Parse("# heading\n\nopen PED01000\n   \nclick  sbtFiltro   # comment\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].Line, 3);
    EXPECT_EQ(commands[1].Line, 5);
    EXPECT_EQ(commands[1].Name, "click");
    EXPECT_EQ(commands[1].Args, std::vector<std::string>{"sbtFiltro"});
}

TEST(ScriptParse, WritesCommandsBackWithQuotesOnlyWhereNeeded) {
    auto commands = ScriptParser::Parse(
        "type  edt   \"a b\"\ntype edt \"\"\nexpect lbl.Caption \"x\"\"y\"\nexpect x.Color #00FF00 # c");
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].Source, "type edt \"a b\"");
    EXPECT_EQ(commands[1].Source, "type edt \"\"");
    EXPECT_EQ(commands[2].Source, "expect lbl.Caption \"x\"\"y\"");
    EXPECT_EQ(commands[3].Source, "expect x.Color #00FF00");
    // What is written back reads the same again.
    EXPECT_EQ(ScriptParser::Parse(commands[2].Source)[0].Args, commands[2].Args);
}

TEST(ScriptParse, ReadsKeysWithModifiers) {
    auto press = ScriptParser::ParseKey({"dbgPedido", "SPACE"}, 1);
    EXPECT_EQ(press.Key, ui::Key::Space);
    EXPECT_EQ(press.Shift, ui::ShiftState{});
    press = ScriptParser::ParseKey({"edt", "D", "ctrl", "shift"}, 1);
    EXPECT_EQ(press.Key, 'D');
    EXPECT_TRUE(press.Shift.Ctrl && press.Shift.Shift && !press.Shift.Alt);
    EXPECT_EQ(ScriptParser::ParseKey({"edt", "F12"}, 1).Key, ui::Key::F1 + 11);
    EXPECT_EQ(ScriptParser::ParseKey({"edt", "ENTER", "alt"}, 1).Key, ui::Key::Return);
    EXPECT_EQ(ScriptParser::ParseKey({"edt", "7"}, 1).Key, '7');
    const std::vector<std::pair<std::string, int>> named = {
        {"UP", ui::Key::Up},         {"DOWN", ui::Key::Down},     {"LEFT", ui::Key::Left},
        {"RIGHT", ui::Key::Right},   {"HOME", ui::Key::Home},     {"END", ui::Key::End},
        {"PGUP", ui::Key::PageUp},   {"PGDN", ui::Key::PageDown}, {"INSERT", ui::Key::Insert},
        {"DELETE", ui::Key::Delete}, {"BACKSPACE", ui::Key::Back}};
    for (const auto& [name, code] : named)
        EXPECT_EQ(ScriptParser::ParseKey({"dbg", name}, 1).Key, code) << name;
}

TEST(ScriptParse, ReadsEveryKindOfExpectationTarget) {
    ExpectTarget row = ScriptParser::ParseTarget({"cdsPedido[12].NRPEDIDO", "0000000001"}, 1);
    EXPECT_EQ(row.What, ExpectTarget::Kind::Member);
    EXPECT_EQ(row.Object, "cdsPedido");
    EXPECT_EQ(row.Row, 12);
    EXPECT_EQ(row.Member, "NRPEDIDO");
    ExpectTarget font = ScriptParser::ParseTarget({"lblTotal.Font.Color", "clRed"}, 1);
    EXPECT_EQ(font.Object, "lblTotal");
    EXPECT_EQ(font.Row, 0);
    EXPECT_EQ(font.Member, "Font.Color");
    ExpectTarget page = ScriptParser::ParseTarget({"page", "pgcPrincipal", "tshPedido"}, 1);
    EXPECT_EQ(page.What, ExpectTarget::Kind::Page);
    EXPECT_EQ(page.Object, "pgcPrincipal");
    EXPECT_EQ(ScriptParser::ParseTarget({"focus", "edtCdFilial"}, 1).What, ExpectTarget::Kind::Focus);
    EXPECT_EQ(ScriptParser::ParseTarget({"message", ""}, 1).What, ExpectTarget::Kind::Message);
    ExpectTarget painted =
        ScriptParser::ParseTarget({"painted", "dbgItem", "3", "VrTotal", "brush", "clInfoBk"}, 1);
    EXPECT_EQ(painted.What, ExpectTarget::Kind::Painted);
    EXPECT_EQ(painted.Object, "dbgItem");
    EXPECT_EQ(painted.Row, 3);
    EXPECT_EQ(painted.Member, "VrTotal");
    EXPECT_EQ(painted.Aspect, "brush");
    ExpectTarget arg = ScriptParser::ParseTarget({"arg", "GetPedido", "20", "0001"}, 1);
    EXPECT_EQ(arg.What, ExpectTarget::Kind::Arg);
    EXPECT_EQ(arg.Object, "GetPedido");
    EXPECT_EQ(arg.Index, 20);
    EXPECT_EQ(ScriptParser::ParseTarget({"calls", "*", "3"}, 1).Object, "*");
    EXPECT_EQ(ScriptParser::ParseTarget({"var", "inContPedidoCh", "2"}, 1).What, ExpectTarget::Kind::Var);
    EXPECT_EQ(ScriptParser::ParseTarget({"columns", "dbg", "A B"}, 1).What, ExpectTarget::Kind::Columns);
    for (const char* word : {"question", "messages", "picktitle", "busy"})
        EXPECT_NE(ScriptParser::ParseTarget({word, "x"}, 1).What, ExpectTarget::Kind::Member) << word;
}

} // namespace
