#pragma once

#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"

#include <functional>
#include <string>

// The screen opened with its branch fixed by the host (its first filter dialog cancelled), and
// the filter dialog opened again from the screen's filter button as the operator would.
class FilterDialogTest : public ScreenTest {
protected:
    TfrmCancelaPed& Screen(const std::string& branch = "0001");
    // Opens the dialog and runs `operate` while it is shown. A dialog still open afterwards is
    // cancelled.
    void WithDialog(const std::function<void(TfrmFiltroCancelaPed&)>& operate);
    // Opens the dialog, runs `prepare`, clicks the confirm button and then `inspect` while the
    // dialog may still be open. True when the confirmation closed the dialog.
    bool Confirm(const std::function<void(TfrmFiltroCancelaPed&)>& prepare,
                 const std::function<void(TfrmFiltroCancelaPed&)>& inspect = {});
    // The operator is someone else than the fixture's default.
    void LogInAs(const std::string& operatorCode);

    TfrmCancelaPed* screen = nullptr;
};

// Date values from the calendar.
double Date(int year, int month, int day);
