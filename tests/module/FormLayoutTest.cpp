#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"
#include "ui/TabSheet.h"

#include <string>
#include <vector>

namespace {

bool Overlap(const ui::Rect& a, const ui::Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Every shown control of the container has a size, fits inside the container and overlaps none
// of its shown siblings, so no view has to invent a place for it. A page control's sheets share
// its area and each is checked against it.
void CollectLayoutFaults(const ui::Container& container, int width, int height,
                         std::vector<std::string>& faults) {
    std::vector<const ui::Control*> placed;
    for (const ui::Control* control : container.Controls()) {
        if (!control->Visible())
            continue;
        const auto* sheet = dynamic_cast<const ui::TabSheet*>(control);
        const ui::Rect bounds = control->Bounds();
        if (sheet) {
            CollectLayoutFaults(*sheet, width, height, faults);
            continue;
        }
        if (bounds.Width() <= 0 || bounds.Height() <= 0)
            faults.push_back(control->Name() + " has no size");
        if (bounds.Left < 0 || bounds.Top < 0 || bounds.Right > width || bounds.Bottom > height)
            faults.push_back(control->Name() + " sticks out of " + container.Name());
        for (const ui::Control* other : placed)
            if (Overlap(bounds, other->Bounds()))
                faults.push_back(control->Name() + " overlaps " + other->Name());
        placed.push_back(control);
        if (const auto* inner = dynamic_cast<const ui::Container*>(control))
            CollectLayoutFaults(*inner, bounds.Width(), bounds.Height(), faults);
    }
}

std::vector<std::string> LayoutFaults(const ui::Form& form, int clientWidth, int clientHeight) {
    std::vector<std::string> faults;
    CollectLayoutFaults(form, clientWidth, clientHeight, faults);
    return faults;
}

ui::Rect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

} // namespace

TEST_F(ScreenTest, TheScreensControlsAllHaveAPlaceAndNoneOverlaps) {
    TfrmCancelaPed& screen = OpenScreen();
    EXPECT_EQ(LayoutFaults(screen, 744, 382), std::vector<std::string>{});
}

TEST_F(ScreenTest, TheToolBarRunsAcrossTheTopWithItsButtonsLeftToRightAndTheScreenCodeAtTheEnd) {
    TfrmCancelaPed& screen = OpenScreen();
    EXPECT_EQ(screen.panMenu.Bounds(), At(0, 0, 744, 30));
    std::vector<ui::Control*> buttons{&screen.sbtAjuda,     &screen.sbtImprimir,  &screen.sbtFechar,
                                      &screen.sbtProcurar,  &screen.sbtVerificar, &screen.sbtCancelar,
                                      &screen.sbtConfirmar, &screen.sbtAlterar,   &screen.sbtFiltro};
    int previousRight = 0;
    for (ui::Control* button : buttons) {
        EXPECT_EQ(button->Parent(), &screen.panMenu) << button->Name();
        EXPECT_EQ(button->Bounds().Width(), 25) << button->Name();
        EXPECT_EQ(button->Bounds().Height(), 25) << button->Name();
        EXPECT_GT(button->Bounds().Left, previousRight)
            << button->Name() << " stands right of the one before";
        EXPECT_LE(button->Bounds().Left - previousRight, 4) << button->Name() << " leaves only a small gap";
        previousRight = button->Bounds().Right;
    }
    EXPECT_EQ(screen.lblCodTela.Parent(), &screen.panMenu);
    EXPECT_EQ(screen.lblCodTela.Bounds().Right, 740) << "the screen code ends at the tool bar's right end";
    EXPECT_GT(screen.lblCodTela.Bounds().Left, screen.imgUncheck.Bounds().Right);
}

TEST_F(ScreenTest, TheFilterDialogsControlsAllHaveAPlaceAndItsButtonsStandInAColumnOnTheRight) {
    OpenScreenWithFixedBranch();
    ASSERT_NE(frmFiltroCancelaPed, nullptr);
    TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
    EXPECT_EQ(LayoutFaults(dialog, 540, 298), std::vector<std::string>{});

    const int groupsRight = dialog.grbPrioridade.Bounds().Right;
    EXPECT_GT(dialog.panBotoes.Bounds().Left, groupsRight)
        << "the groups on the left, the buttons on the right";
    std::vector<ui::Control*> column{&dialog.sbtConfirma, &dialog.sbtCancel, &dialog.btfSaveOpc,
                                     &dialog.btfLoadOpc,  &dialog.sbtLimpa,  &dialog.sbtHelp};
    int previousBottom = 0;
    for (ui::Control* button : column) {
        EXPECT_EQ(button->Parent(), &dialog.panBotoes) << button->Name();
        EXPECT_EQ(button->Bounds().Left, column.front()->Bounds().Left) << button->Name() << " in the column";
        EXPECT_GT(button->Bounds().Top, previousBottom) << button->Name() << " below the one before";
        previousBottom = button->Bounds().Bottom;
    }
    EXPECT_GE(dialog.lblCodTela.Bounds().Top, dialog.panBotoes.Bounds().Bottom)
        << "the code under the buttons";
}
