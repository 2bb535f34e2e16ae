#include "ViewFixture.h"
#include "ui/Button.h"
#include "ui/MainMenu.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace ui;

TEST_F(ViewTest, ModalFormRunsInAModalDialogUntilTheModelEndsItsLoop) {
    Form& dialog = MakeForm(FormStyle::Normal, 540, 298);
    auto& ok = dialog.Add<Button>("sbtConfirma");
    ok.SetModalResult(ModalResult::Ok);
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(&ViewOf(dialog).Window());
        wasModal = shown && shown->isVisible() && shown->windowModality() == Qt::ApplicationModal;
        WidgetOf<QAbstractButton>(ok).click();
    });

    ModalResult result = dialog.ShowModal();

    EXPECT_EQ(result, ModalResult::Ok);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(ViewOf(dialog).Window().isVisible());
}

TEST_F(ViewTest, ClosingADialogWindowAsksTheModel) {
    Form& dialog = MakeForm(FormStyle::Normal);
    QTimer::singleShot(0, [&] { ViewOf(dialog).Window().close(); });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::Cancel);
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(ViewTest, ActiveFormsMenuIsMergedAndItsEntriesAndShortcutsClickTheItems) {
    Form& form = MakeForm();
    auto& menu = form.Create<MainMenu>("mnuPadrao");
    form.SetMenu(&menu);
    MenuItem& group = menu.Items().Add("mnuManutencao", "&Manutenção");
    MenuItem& filter = group.Add("mnuFiltrar", "Fi&ltrar");
    filter.SetShortCut("Ctrl+L");
    int clicks = 0;
    filter.OnClick = [&](Control&) { ++clicks; };
    auto& edit = form.Add<Button>("btnQualquer");
    form.Show();
    Process();

    QAction* top = nullptr;
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == "&Manutenção")
            top = action;
    ASSERT_NE(top, nullptr) << "the form's menu is in the main window's menu bar";
    EXPECT_TRUE(top->isVisible());
    QAction* entry = top->menu()->actions().at(0);
    EXPECT_EQ(entry->text().toStdString(), "Fi&ltrar\tCtrl+L");

    entry->trigger();
    EXPECT_EQ(clicks, 1);
    filter.SetEnabled(false);
    EXPECT_FALSE(entry->isEnabled());
    filter.SetEnabled(true);
    PressKey(WidgetOf<QAbstractButton>(edit), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(clicks, 2) << "Ctrl+L on a widget of the form runs the shortcut's item";

    form.Hide();
    EXPECT_FALSE(top->isVisible()) << "no active form, no merged menu";
}

// Alt and a menu's accelerator, sent as real keys, open the menu in Qt's own menu bar (the model
// knows it is open), and the entry's accelerator chooses it.
TEST_F(ViewTest, AltAndTheAcceleratorOpenTheMenuBarsMenuAndALetterChoosesItsEntry) {
    Form& form = MakeForm();
    auto& menu = form.Create<MainMenu>("mnuPrincipal");
    form.SetMenu(&menu);
    MenuItem& manutencao = menu.Items().Add("mnuManutencao", "&Manutenção");
    MenuItem& simular = manutencao.Add("mnuSimular", "&Simular");
    int clicks = 0;
    simular.OnClick = [&](Control&) { ++clicks; };
    form.Add<Button>("btnQualquer");
    form.Show();
    Process();
    QWindow* main = window.windowHandle();
    ASSERT_NE(main, nullptr);

    QTest::keyClick(main, Qt::Key_M, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "the menu bar opened the menu";
    EXPECT_EQ(app.MenuBarKeys().OpenMenu(), &manutencao);
    QTest::keyClick(popup->windowHandle(), Qt::Key_S);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(app.MenuBarKeys().OpenMenu(), nullptr);
}
