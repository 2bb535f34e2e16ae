#include "ui/Form.h"

#include "Fixture.h"
#include "ui/Abort.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/MainMenu.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/WindowUpdateLock.h"

#include <stdexcept>
#include <string>
#include <vector>

using namespace ui;

namespace {

class BuiltForm : public Form {
public:
    explicit BuiltForm(std::vector<std::string>& log) : Form("frmBuilt"), edt(Add<Edit>("edt")) {
        log.push_back("constructed");
        OnCreate = [&log, this](Control&) { log.push_back("created with " + edt.Name()); };
    }
    Edit& edt;
};

} // namespace

TEST_F(UiTest, CreateFormRunsOnCreateAfterTheConstructorBuiltTheControls) {
    std::vector<std::string> log;
    auto& form = app.CreateForm<BuiltForm>(log);
    EXPECT_EQ(log, (std::vector<std::string>{"constructed", "created with edt"}));
    EXPECT_EQ(form.Owner(), &app);
    EXPECT_EQ(app.Forms().size(), 1u);
}

TEST_F(UiTest, OnActivateRunsOnEveryActivationIncludingWhenAModalDialogCloses) {
    auto& screen = app.CreateForm<Form>("frmScreen");
    auto& dialog = app.CreateForm<Form>("frmDialog");
    auto& ok = dialog.Add<Button>("btnOk");
    ok.SetModalResult(ModalResult::Ok);
    std::vector<std::string> log;
    screen.OnActivate = [&](Control&) { log.push_back("screen"); };
    dialog.OnActivate = [&](Control&) { log.push_back("dialog"); };
    auto& edt = screen.Add<Edit>("edt");
    edt.OnExit = [&](Control&) { log.push_back("edt exit"); };
    edt.OnEnter = [&](Control&) { log.push_back("edt enter"); };
    screen.Show();
    edt.SetFocus();
    log.clear();

    platform.QueueModalAction([&] { user.Click(ok); });
    ModalResult result = dialog.ShowModal();

    EXPECT_EQ(result, ModalResult::Ok);
    EXPECT_EQ(log, (std::vector<std::string>{"dialog", "screen"})) << "switching forms runs no enter/exit";
    EXPECT_EQ(app.ActiveForm(), &screen);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(edt.Focused());
}

TEST_F(UiTest, ModalCloseRunsOnCloseOnceAndActionNoneKeepsTheDialogOpen) {
    auto& dialog = app.CreateForm<Form>("frmFiltro");
    int closes = 0;
    dialog.OnClose = [&](Form&, CloseAction& action) {
        if (++closes == 1)
            action = CloseAction::None;
    };
    platform.QueueModalAction([&] { user.CloseForm(dialog); });
    platform.QueueModalAction([&] {
        EXPECT_TRUE(dialog.Visible());
        user.CloseForm(dialog);
    });

    EXPECT_EQ(dialog.ShowModal(), ModalResult::Cancel);
    EXPECT_EQ(closes, 2);
}

TEST_F(UiTest, FormFreedFromItsOwnHandlerIsDeletedAfterTheHandlerReturns) {
    auto& form = app.CreateForm<Form>("frmCancelaPed");
    form.SetFormStyle(FormStyle::MDIChild);
    auto& sbtFechar = form.Add<SpeedButton>("sbtFechar");
    bool aliveAfterClose = false;
    form.OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
    sbtFechar.OnClick = [&](Control&) {
        form.Close();
        aliveAfterClose = app.FindComponent("frmCancelaPed") != nullptr && !form.Visible();
    };
    form.Show();

    EXPECT_TRUE(user.Click(sbtFechar));

    EXPECT_TRUE(aliveAfterClose);
    EXPECT_EQ(app.FindComponent("frmCancelaPed"), nullptr);
    EXPECT_TRUE(app.Forms().empty());
    EXPECT_EQ(app.ActiveForm(), nullptr);
}

TEST_F(UiTest, MdiChildCloseMinimisesByDefault) {
    auto& form = app.CreateForm<Form>("frmChild");
    form.SetFormStyle(FormStyle::MDIChild);
    form.Show();
    user.CloseForm(form);
    EXPECT_EQ(form.WindowState(), WindowState::Minimized);
    EXPECT_TRUE(form.Visible());
}

TEST_F(UiTest, KeysGoToShortcutThenKeyPreviewThenTheControl) {
    auto& form = app.CreateForm<Form>("frm");
    auto& edt = form.Add<Edit>("edt");
    auto& menu = form.Create<MainMenu>("mnuMain");
    auto& mnuFiltrar = menu.Items().Add("mnuManutencao", "&Manutenção").Add("mnuFiltrar", "Fi&ltrar");
    mnuFiltrar.SetShortCut("Ctrl+L");
    form.SetMenu(&menu);
    std::vector<std::string> log;
    mnuFiltrar.OnClick = [&](Control&) { log.push_back("filtrar"); };
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](Control& sender, int& key, ShiftState) {
        log.push_back("form " + sender.Name() + " " + std::to_string(key));
        if (key == 'D')
            key = 0;
    };
    edt.OnKeyDown = [&](Control&, int& key, ShiftState) { log.push_back("edt " + std::to_string(key)); };
    form.Show();

    user.PressKey(edt, 'L', ShiftState::WithCtrl());
    user.PressKey(edt, 'D', ShiftState::WithCtrl());
    user.PressKey(edt, 'X');
    mnuFiltrar.SetEnabled(false);
    user.PressKey(edt, 'L', ShiftState::WithCtrl());

    EXPECT_EQ(log, (std::vector<std::string>{"filtrar", "form frm 68", "form frm 88", "edt 88", "form frm 76",
                                             "edt 76"}));
    EXPECT_EQ(mnuFiltrar.PlainCaption(), "Filtrar");
    EXPECT_EQ(mnuFiltrar.Accelerator(), 'L');
}

TEST_F(UiTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    auto& dialog = app.CreateForm<Form>("dlg");
    auto& edt = dialog.Add<Edit>("edt");
    auto& ok = dialog.Add<Button>("btnOk");
    auto& cancel = dialog.Add<Button>("btnCancel");
    ok.SetDefault(true);
    ok.SetModalResult(ModalResult::Ok);
    cancel.SetCancel(true);
    cancel.SetModalResult(ModalResult::Cancel);
    dialog.Show();
    dialog.Hide();

    platform.QueueModalAction([&] { user.PressKey(edt, Key::Return); });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::Ok);
    platform.QueueModalAction([&] { user.PressKey(edt, Key::Escape); });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::Cancel);
}

TEST_F(UiTest, UserActionsOnUnreachableControlsAreRefusedAndRunNothing) {
    auto& screen = app.CreateForm<Form>("frmScreen");
    auto& pan = screen.Add<Panel>("panFilial");
    auto& btn = pan.Add<Button>("btn");
    auto& edt = screen.Add<Edit>("edt");
    int clicks = 0;
    btn.OnClick = [&](Control&) { ++clicks; };
    screen.Show();

    struct Case {
        const char* why;
        std::function<void()> arrange;
    };
    const std::vector<Case> cases = {
        {"disabled", [&] { btn.SetEnabled(false); }},
        {"disabled", [&] { pan.SetEnabled(false); }},
        {"hidden", [&] { pan.SetVisible(false); }},
        {"its form is not shown", [&] { screen.Hide(); }},
    };
    for (const Case& c : cases) {
        c.arrange();
        EXPECT_FALSE(user.Click(btn)) << c.why;
        EXPECT_FALSE(user.PressKey(btn, Key::Space)) << c.why;
        btn.SetEnabled(true);
        pan.SetEnabled(true);
        pan.SetVisible(true);
        screen.Show();
    }
    edt.SetReadOnly(true);
    EXPECT_FALSE(user.Type(edt, "x"));

    EXPECT_EQ(clicks, 0);
    ASSERT_EQ(platform.Refusals().size(), 9u);
    EXPECT_EQ(platform.Refusals().front(), "click btn (disabled)");
    EXPECT_EQ(platform.Refusals().back(), "type into edt (read-only)");
}

TEST_F(UiTest, FormBehindAModalDialogRefusesUserActions) {
    auto& screen = app.CreateForm<Form>("frmScreen");
    auto& btn = screen.Add<Button>("btn");
    auto& dialog = app.CreateForm<Form>("frmDialog");
    screen.Show();
    bool refused = false;
    platform.QueueModalAction([&] {
        refused = !user.Click(btn);
        dialog.Close();
    });
    dialog.ShowModal();
    EXPECT_TRUE(refused);
}

TEST_F(UiTest, DispatchShowsFailuresAbortsSilentlyAndLetsHeadlessErrorsThrough) {
    EXPECT_FALSE(app.Dispatch([] { throw std::runtime_error("Justificativa deve ser informada."); }));
    EXPECT_FALSE(app.Dispatch([] { throw Abort(); }));
    EXPECT_TRUE(app.Dispatch([] {}));
    EXPECT_THROW(app.Dispatch([] { throw HeadlessError("unanswered"); }), HeadlessError);

    EXPECT_EQ(platform.Errors(), (std::vector<std::string>{"Justificativa deve ser informada."}));
}

TEST_F(UiTest, HandlerFailureDuringAClickIsShownAndTheApplicationGoesOn) {
    auto& form = app.CreateForm<Form>("frm");
    auto& btn = form.Add<Button>("btn");
    btn.OnClick = [](Control&) { throw std::runtime_error("Filial deve ser informada."); };
    form.Show();

    EXPECT_TRUE(user.Click(btn));
    EXPECT_TRUE(user.Click(form, "btn"));

    EXPECT_EQ(platform.Errors().size(), 2u);
    EXPECT_TRUE(platform.Saw("Filial deve ser informada."));
}

TEST_F(UiTest, WindowUpdateLocksNestAndReachThePlatformOnce) {
    auto& form = app.CreateForm<Form>("frm");
    {
        WindowUpdateLock outer(form);
        {
            WindowUpdateLock inner(form);
            EXPECT_EQ(platform.UpdateLockDepth(), 1);
        }
        EXPECT_EQ(platform.UpdateLockDepth(), 1);
    }
    EXPECT_EQ(platform.UpdateLockDepth(), 0);
}

TEST_F(UiTest, PopupRunsTheChosenItemsClickBeforeReturning) {
    auto& form = app.CreateForm<Form>("frm");
    auto& ppm = form.Create<PopupMenu>("ppmItemPedido");
    auto& mnuCanc = ppm.Items().Add("mnuCanc", "Cancelamento");
    ppm.Items().Add("mnuExclCanc", "Exclusão do Cancelamento");
    int clicks = 0;
    mnuCanc.OnClick = [&](Control&) { ++clicks; };
    platform.ChoosePopupItem("mnuCanc");
    platform.ChooseNothing();
    platform.SetMousePos({40, 50});

    ppm.Popup(app.MousePos().X, app.MousePos().Y);
    EXPECT_EQ(clicks, 1);
    ppm.Popup(0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.FindComponent("mnuExclCanc")->Name(), "mnuExclCanc");
}
