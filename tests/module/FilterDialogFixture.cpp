#include "FilterDialogFixture.h"

#include "CLI_Ped01001/Cli_ped01001.h"
#include "data/DateTime.h"

TfrmCancelaPed& FilterDialogTest::Screen(const std::string& branch) {
    if (!screen)
        screen = &OpenScreenWithFixedBranch(branch);
    return *screen;
}

void FilterDialogTest::WithDialog(const std::function<void(TfrmFiltroCancelaPed&)>& operate) {
    TfrmCancelaPed& owner = Screen();
    platform.QueueModalAction([this, operate] {
        TfrmFiltroCancelaPed& dialog = *frmFiltroCancelaPed;
        operate(dialog);
        if (dialog.IsModal() && dialog.ModalResult() == ui::ModalResult::None)
            user.Click(dialog.sbtCancel);
    });
    ASSERT_TRUE(user.Click(owner.sbtFiltro)) << ::testing::PrintToString(platform.Refusals());
    ASSERT_EQ(platform.PendingModalActions(), 0u);
}

bool FilterDialogTest::Confirm(const std::function<void(TfrmFiltroCancelaPed&)>& prepare,
                               const std::function<void(TfrmFiltroCancelaPed&)>& inspect) {
    bool closed = false;
    WithDialog([&](TfrmFiltroCancelaPed& dialog) {
        if (prepare)
            prepare(dialog);
        user.Click(dialog.sbtConfirma);
        closed = dialog.ModalResult() == ui::ModalResult::Ok;
        if (inspect)
            inspect(dialog);
    });
    return closed;
}

void FilterDialogTest::LogInAs(const std::string& operatorCode) {
    host.OperatorCode = operatorCode;
    host.OperatorToken = server->Token(operatorCode);
}

double Date(int year, int month, int day) {
    return data::EncodeDate(year, month, day);
}
