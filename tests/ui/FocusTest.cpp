#include "Fixture.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <stdexcept>
#include <string>
#include <vector>

using namespace ui;

namespace {

// A form with two nested branches: panA > grbA > edtA and panB > grbB > edtB, plus panC > edtC.
class FocusTest : public UiTest {
protected:
    FocusTest()
        : form(app.CreateForm<Form>("frm")), panA(form.Add<Panel>("panA")), grbA(panA.Add<GroupBox>("grbA")),
          edtA(grbA.Add<Edit>("edtA")), panB(form.Add<Panel>("panB")), grbB(panB.Add<GroupBox>("grbB")),
          edtB(grbB.Add<Edit>("edtB")), panC(form.Add<Panel>("panC")), edtC(panC.Add<Edit>("edtC")) {
        for (Control* c : std::vector<Control*>{&panA, &grbA, &edtA, &panB, &grbB, &edtB, &panC, &edtC}) {
            c->OnEnter = [this](Control& s) { Record("enter " + s.Name()); };
            c->OnExit = [this](Control& s) { Record("exit " + s.Name()); };
        }
        form.Show();
    }

    void Record(const std::string& entry) {
        log.push_back(entry);
        focusedDuringHandlers.push_back(form.ActiveControl() ? form.ActiveControl()->Name() : "");
    }

    Form& form;
    Panel& panA;
    GroupBox& grbA;
    Edit& edtA;
    Panel& panB;
    GroupBox& grbB;
    Edit& edtB;
    Panel& panC;
    Edit& edtC;
    std::vector<std::string> log;
    std::vector<std::string> focusedDuringHandlers;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(FocusTest, MoveExitsInnermostFirstThenEntersOutermostFirstWithTheTargetAlreadyFocused) {
    edtA.SetFocus();
    log.clear();
    focusedDuringHandlers.clear();

    edtB.SetFocus();

    EXPECT_EQ(log, (Lines{"exit edtA", "exit grbA", "exit panA", "enter panB", "enter grbB", "enter edtB"}));
    EXPECT_EQ(focusedDuringHandlers, Lines(6, "edtB"));
    EXPECT_TRUE(edtB.Focused());
    EXPECT_FALSE(edtA.Focused());
}

TEST_F(FocusTest, MoveWithinACommonContainerLeavesThatContainerAlone) {
    auto& edtA2 = grbA.Add<Edit>("edtA2");
    edtA2.OnEnter = [this](Control& s) { Record("enter " + s.Name()); };
    edtA.SetFocus();
    log.clear();

    edtA2.SetFocus();

    EXPECT_EQ(log, (Lines{"exit edtA", "enter edtA2"}));
}

TEST_F(FocusTest, ThrowingExitHandlerKeepsTheFocusAndRunsNoEnterHandler) {
    edtA.SetFocus();
    log.clear();
    grbA.OnExit = [](Control&) { throw std::runtime_error("Filial deve ser informada."); };

    EXPECT_THROW(edtB.SetFocus(), std::runtime_error);

    EXPECT_EQ(form.ActiveControl(), &edtA);
    EXPECT_EQ(log, (Lines{"exit edtA"}));
}

TEST_F(FocusTest, ThrowingExitHandlerFailureIsShownWhenTheUserMovesTheFocus) {
    edtA.SetFocus();
    edtA.OnExit = [](Control&) { throw std::runtime_error("Filial não cadastrada."); };

    EXPECT_TRUE(user.Focus(edtB));

    EXPECT_EQ(platform.Errors(), (Lines{"Filial não cadastrada."}));
    EXPECT_TRUE(edtA.Focused());
}

TEST_F(FocusTest, ExitHandlerThatRefocusesAndThrowsLeavesTheFocusWhereItPutIt) {
    edtA.SetFocus();
    log.clear();
    edtA.OnExit = [this](Control&) {
        edtC.SetFocus();
        throw std::runtime_error("invalid");
    };

    EXPECT_THROW(edtB.SetFocus(), std::runtime_error);

    EXPECT_EQ(form.ActiveControl(), &edtC);
    EXPECT_TRUE(log.empty()) << "no enter or exit handler of the redirect target may run";
}

TEST_F(FocusTest, FocusCallDuringAMoveRedirectsWhereTheMoveEnds) {
    edtA.SetFocus();
    log.clear();
    edtA.OnExit = [this](Control& s) {
        Record("exit " + s.Name());
        edtC.SetFocus();
    };

    edtB.SetFocus();

    EXPECT_EQ(form.ActiveControl(), &edtC);
    EXPECT_EQ(log, (Lines{"exit edtA", "exit grbA", "exit panA", "enter panC", "enter edtC"}));
}

TEST_F(FocusTest, FocusCallBackToTheSourceDuringAMoveCancelsItsEnterHandlers) {
    edtA.SetFocus();
    log.clear();
    edtA.OnExit = [this](Control& s) {
        Record("exit " + s.Name());
        edtA.SetFocus();
    };

    edtB.SetFocus();

    EXPECT_EQ(form.ActiveControl(), &edtA);
    EXPECT_EQ(log, (Lines{"exit edtA", "exit grbA", "exit panA"}));
}

TEST_F(FocusTest, FocusCallFromAnEnterHandlerBecomesAMoveOfItsOwn) {
    panB.OnEnter = [this](Control& s) {
        Record("enter " + s.Name());
        edtC.SetFocus();
    };
    edtA.SetFocus();
    log.clear();

    edtB.SetFocus();

    EXPECT_EQ(form.ActiveControl(), &edtC);
    EXPECT_EQ(log, (Lines{"exit edtA", "exit grbA", "exit panA", "enter panB", "enter grbB", "enter edtB",
                          "exit edtB", "exit grbB", "exit panB", "enter panC", "enter edtC"}));
}

TEST_F(FocusTest, ControlsThatCannotTakeTheFocusIgnoreFocusCalls) {
    auto& pages = form.Add<PageControl>("pgc");
    pages.Add<TabSheet>("tsh1");
    auto& tsh2 = pages.Add<TabSheet>("tsh2");
    auto& edtOnInactivePage = tsh2.Add<Edit>("edtPage");
    auto& sbt = form.Add<SpeedButton>("sbt");
    std::vector<std::pair<Control*, std::function<void()>>> cases = {
        {&edtB, [&] { edtB.SetEnabled(false); }},
        {&edtB, [&] { grbB.SetEnabled(false); }},
        {&edtB, [&] { panB.SetVisible(false); }},
        {&edtB, [&] { edtB.SetVisible(false); }},
        {&edtOnInactivePage, [] {}},
        {&sbt, [] {}},
    };
    for (auto& [target, disable] : cases) {
        panB.SetVisible(true);
        grbB.SetEnabled(true);
        edtB.SetEnabled(true);
        edtB.SetVisible(true);
        edtA.SetFocus();
        log.clear();
        disable();
        SCOPED_TRACE(target->Name());
        EXPECT_FALSE(target->CanFocus());
        target->SetFocus();
        EXPECT_TRUE(edtA.Focused());
        EXPECT_TRUE(log.empty());
    }
    EXPECT_TRUE(edtB.Enabled()) << "a container's state does not change its children's own property";
}

TEST_F(FocusTest, ContainerStateIsEffectiveForChildrenWithoutChangingTheirProperty) {
    grbB.SetEnabled(false);
    EXPECT_TRUE(edtB.Enabled());
    EXPECT_FALSE(edtB.IsEffectivelyEnabled());
    grbB.SetEnabled(true);
    EXPECT_TRUE(edtB.IsEffectivelyEnabled());
    panB.SetVisible(false);
    EXPECT_TRUE(edtB.Visible());
    EXPECT_FALSE(edtB.IsShowing());
}

TEST_F(FocusTest, SpeedButtonClickKeepsTheFocusAndRunsNoExitHandler) {
    auto& sbt = panB.Add<SpeedButton>("sbtFiltro");
    std::string focusedInClick;
    sbt.OnClick = [&](Control&) { focusedInClick = form.ActiveControl()->Name(); };
    edtA.SetFocus();
    log.clear();

    EXPECT_TRUE(user.Click(sbt));

    EXPECT_EQ(focusedInClick, "edtA");
    EXPECT_TRUE(edtA.Focused());
    EXPECT_FALSE(sbt.Focused());
    EXPECT_TRUE(log.empty());
}

TEST_F(FocusTest, TabMovesByTabOrderAcrossContainersAndShiftTabGoesBack) {
    panA.SetTabOrder(2); // panA after panB and panC
    edtB.SetFocus();

    user.PressKey(edtB, Key::Tab);
    EXPECT_TRUE(edtC.Focused());
    user.PressKey(edtC, Key::Tab);
    EXPECT_TRUE(edtA.Focused());
    user.PressKey(edtA, Key::Tab);
    EXPECT_TRUE(edtB.Focused()) << "Tab wraps around";
    user.PressKey(edtB, Key::Tab, ShiftState::WithShift());
    EXPECT_TRUE(edtA.Focused());
}

TEST_F(FocusTest, FocusedControlGoneLeavesTheFormWithoutOne) {
    edtB.SetFocus();
    form.DestroyComponent(edtB);
    EXPECT_EQ(form.ActiveControl(), nullptr);
}
