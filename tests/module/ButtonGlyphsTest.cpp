#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"
#include "ui/SpeedButton.h"

#include <map>
#include <string>

namespace {

using Glyphs = std::map<std::string, ui::Glyph>;

// Every tool button in the container's tree, by name, with the glyph it shows.
void CollectGlyphs(const ui::Container& container, Glyphs& glyphs) {
    for (const ui::Control* control : container.Controls()) {
        if (const auto* button = dynamic_cast<const ui::SpeedButton*>(control))
            glyphs[button->Name()] = button->Glyph();
        if (const auto* inner = dynamic_cast<const ui::Container*>(control))
            CollectGlyphs(*inner, glyphs);
    }
}

Glyphs GlyphsOf(const ui::Form& form) {
    Glyphs glyphs;
    CollectGlyphs(form, glyphs);
    return glyphs;
}

} // namespace

// The whole set, so a tool button added without a glyph (shown as a cut caption) fails here.
TEST_F(ScreenTest, EveryToolButtonOfTheScreenShowsTheGlyphThatFitsItsAction) {
    TfrmCancelaPed& screen = OpenScreen();
    const Glyphs expected = {
        {"sbtAjuda", ui::Glyph::Help},        {"sbtImprimir", ui::Glyph::Print},
        {"sbtFechar", ui::Glyph::Close},      {"sbtProcurar", ui::Glyph::Search},
        {"sbtVerificar", ui::Glyph::Refresh}, {"sbtCancelar", ui::Glyph::Cancel},
        {"sbtConfirmar", ui::Glyph::Confirm}, {"sbtAlterar", ui::Glyph::Edit},
        {"sbtFiltro", ui::Glyph::Filter},     {"btnFilial", ui::Glyph::Search},
        {"btnJust", ui::Glyph::Search},       {"sbtSimular", ui::Glyph::Simulate},
    };
    EXPECT_EQ(GlyphsOf(screen), expected);
}

TEST_F(ScreenTest, EveryToolButtonOfTheFilterDialogShowsTheGlyphThatFitsItsAction) {
    OpenScreenWithFixedBranch();
    ASSERT_NE(frmFiltroCancelaPed, nullptr);
    const Glyphs expected = {
        {"sbtConfirma", ui::Glyph::Confirm}, {"sbtCancel", ui::Glyph::Cancel},
        {"btfSaveOpc", ui::Glyph::Save},     {"btfLoadOpc", ui::Glyph::Load},
        {"sbtLimpa", ui::Glyph::Undo},       {"sbtHelp", ui::Glyph::Help},
        {"sbtNrPedido", ui::Glyph::Search},  {"sbtCliente", ui::Glyph::Search},
        {"sbtProduto", ui::Glyph::Search},   {"sbtVendedor", ui::Glyph::Search},
    };
    EXPECT_EQ(GlyphsOf(*frmFiltroCancelaPed), expected);
}

namespace {

void CollectMenuGlyphs(const ui::MenuItem& parent, Glyphs& glyphs) {
    for (const ui::MenuItem* item : parent.Items()) {
        if (item->Glyph() != ui::Glyph::None)
            glyphs[item->Name()] = item->Glyph();
        CollectMenuGlyphs(*item, glyphs);
    }
}

} // namespace

// A menu entry that does what a tool button does shows the button's picture, so both are greyed
// together when the command cannot be used.
TEST_F(ScreenTest, EveryMenuEntryOfAToolButtonsCommandShowsTheButtonsGlyph) {
    TfrmCancelaPed& screen = OpenScreen();
    Glyphs entries;
    CollectMenuGlyphs(screen.mnuPrincipal.Items(), entries);
    const Glyphs buttons = GlyphsOf(screen);
    const std::pair<const char*, const char*> sameCommand[] = {
        {"mnuProcurar", "sbtProcurar"}, {"mnuVerificar", "sbtVerificar"}, {"mnuAlterar", "sbtAlterar"},
        {"mnuCancelar", "sbtCancelar"}, {"mnuConfirmar", "sbtConfirmar"}, {"mnuFiltrar", "sbtFiltro"},
        {"mnuSimular", "sbtSimular"}};
    Glyphs expected;
    for (const auto& [entry, button] : sameCommand)
        expected[entry] = buttons.at(button);
    EXPECT_EQ(entries, expected);
}
