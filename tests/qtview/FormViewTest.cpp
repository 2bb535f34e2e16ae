#include "ViewFixture.h"
#include "qt/EditView.h"
#include "ui/Abort.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <string>
#include <vector>

using namespace ui;

TEST_F(ViewTest, MdiChildFormIsASubWindowOfItsSizeWithItsCaption) {
    Form& form = MakeForm(FormStyle::MDIChild, 752, 429);
    form.SetCaption("Cancelamento do Pedido");
    form.Show();
    Process();

    auto* sub = qobject_cast<QMdiSubWindow*>(&ViewOf(form).Window());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->mdiArea(), &window.Area());
    EXPECT_EQ(sub->size(), QSize(752, 429));
    EXPECT_EQ(sub->windowTitle().toStdString(), "Cancelamento do Pedido");
    EXPECT_TRUE(sub->isVisible());
    form.Hide();
    EXPECT_FALSE(sub->isVisible());
}

TEST_F(ViewTest, ModelPropertyChangesReachTheWidgets) {
    Form& form = MakeForm();
    auto& edit = form.Add<Edit>("edtNome");
    auto& check = form.Add<CheckBox>("chbAtivo");
    auto& label = form.Add<Label>("lblNome");
    auto& group = form.Add<GroupBox>("grbGrupo");
    auto& inGroup = group.Add<Button>("btnDentro");
    form.Show();

    edit.SetBounds(10, 20, 120, 21);
    edit.SetText("abc");
    edit.SetColor(clInfoBk);
    check.SetCaption("Ativo");
    check.SetChecked(true);
    label.SetCaption("Nome");
    Font red;
    red.Color = clRed;
    label.SetFont(red);
    group.SetCaption("Grupo");
    inGroup.SetCaption("&Ok");
    group.SetEnabled(false);
    label.SetVisible(false);

    auto& line = WidgetOf<QLineEdit>(edit);
    EXPECT_EQ(line.geometry(), QRect(10, 20, 120, 21));
    EXPECT_EQ(line.text().toStdString(), "abc");
    EXPECT_EQ(line.palette().color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_TRUE(WidgetOf<QCheckBox>(check).isChecked());
    EXPECT_EQ(WidgetOf<QCheckBox>(check).text().toStdString(), "Ativo");
    EXPECT_EQ(WidgetOf<QLabel>(label).text().toStdString(), "Nome");
    EXPECT_EQ(WidgetOf<QLabel>(label).palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(WidgetOf<QLabel>(label).isHidden());
    EXPECT_EQ(WidgetOf<QGroupBox>(group).title().toStdString(), "Grupo");
    EXPECT_EQ(WidgetOf<QPushButton>(inGroup).parentWidget(), &WidgetOf<QGroupBox>(group));
    EXPECT_FALSE(WidgetOf<QPushButton>(inGroup).isEnabled()) << "a disabled container disables what it holds";
    EXPECT_TRUE(inGroup.Enabled()) << "while the model keeps the child's own property";
}

TEST_F(ViewTest, WidgetClicksRunTheModelsHandlersAndTheModelDecidesTheState) {
    Form& form = MakeForm();
    auto& button = form.Add<Button>("btnOk");
    auto& check = form.Add<CheckBox>("chbA");
    auto& radioA = form.Add<RadioButton>("rbtA");
    auto& radioB = form.Add<RadioButton>("rbtB");
    auto& tool = form.Add<SpeedButton>("sbtFiltro");
    std::vector<std::string> clicks;
    for (Control* c : std::vector<Control*>{&button, &check, &radioA, &radioB, &tool})
        c->OnClick = [&](Control& s) { clicks.push_back(s.Name()); };
    radioA.SetChecked(true);
    clicks.clear();
    form.Show();

    WidgetOf<QPushButton>(button).click();
    WidgetOf<QCheckBox>(check).click();
    WidgetOf<QRadioButton>(radioB).click();
    WidgetOf<QRadioButton>(radioB).click(); // already checked: the model runs nothing
    WidgetOf<QToolButton>(tool).click();

    EXPECT_EQ(clicks, (std::vector<std::string>{"btnOk", "chbA", "rbtB", "sbtFiltro"}));
    EXPECT_TRUE(check.Checked());
    EXPECT_TRUE(WidgetOf<QRadioButton>(radioB).isChecked());
    EXPECT_FALSE(WidgetOf<QRadioButton>(radioA).isChecked()) << "the model's exclusivity shows";
    EXPECT_EQ(form.ActiveControl(), &radioB) << "the tool button did not take the focus";
    EXPECT_EQ(WidgetOf<QToolButton>(tool).focusPolicy(), Qt::NoFocus);
}

TEST_F(ViewTest, DisabledModelControlGivesADisabledWidgetThatCannotBeClicked) {
    Form& form = MakeForm();
    auto& button = form.Add<Button>("btnOk");
    int clicks = 0;
    button.OnClick = [&](Control&) { ++clicks; };
    button.SetEnabled(false);
    form.Show();

    auto& widget = WidgetOf<QPushButton>(button);
    EXPECT_FALSE(widget.isEnabled());
    widget.click();
    EXPECT_EQ(clicks, 0);
    button.SetEnabled(true);
    EXPECT_TRUE(widget.isEnabled());
    widget.click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ViewTest, TypingGoesThroughTheModelsCaseAndLengthRules) {
    Form& form = MakeForm();
    auto& edit = form.Add<Edit>("edtCdJust");
    edit.SetCharCase(CharCase::Upper);
    edit.SetMaxLength(4);
    auto& masked = form.Add<MaskEdit>("medCdFilial");
    masked.SetEditMask(">aaaa;0; ");
    std::vector<std::string> changes;
    edit.OnChange = [&](Control&) { changes.push_back(edit.Text()); };
    form.Show();

    auto& line = WidgetOf<QLineEdit>(edit);
    for (const char* key : {"a", "b", "c", "d", "e"})
        PressKey(line, Qt::Key_A + (key[0] - 'a'), Qt::NoModifier, key);
    EXPECT_EQ(edit.Text(), "ABCD");
    EXPECT_EQ(line.text().toStdString(), "ABCD") << "the widget shows the model's text";
    EXPECT_EQ(line.maxLength(), 4);
    EXPECT_EQ(changes, (std::vector<std::string>{"A", "AB", "ABC", "ABCD"}));
    EXPECT_TRUE(edit.Focused()) << "typing into the widget focused the model's edit";

    auto& maskLine = WidgetOf<QLineEdit>(masked);
    maskLine.setCursorPosition(0);
    PressKey(maskLine, Qt::Key_X, Qt::NoModifier, "x");
    PressKey(maskLine, Qt::Key_1, Qt::NoModifier, "1");
    EXPECT_EQ(masked.Text(), "X1");
    EXPECT_EQ(masked.EditText(), "X1  ");
}

TEST_F(ViewTest, ModelMaskIsTranslatedToQtsInputMask) {
    struct Case {
        const char* model;
        const char* qt;
    };
    for (auto [model, qt] : {Case{">aaaa;0; ", ">nnnn; "}, Case{"9999999999;0; ", "0000000000; "},
                             Case{"!99/99/9999;1;_", "00\\/00\\/0000;_"}, Case{"", ""}}) {
        EXPECT_EQ(host::QtInputMask(model).toStdString(), qt) << model;
    }
}

TEST_F(ViewTest, FocusFollowsTheModelAndTabGoesThroughTheModelsHandlers) {
    Form& form = MakeForm();
    auto& first = form.Add<Edit>("edtA");
    auto& second = form.Add<Edit>("edtB");
    auto& disabled = form.Add<Edit>("edtC");
    disabled.SetEnabled(false);
    std::vector<std::string> events;
    first.OnExit = [&](Control&) { events.push_back("exit A"); };
    second.OnEnter = [&](Control&) { events.push_back("enter B"); };
    form.Show();
    QApplication::setActiveWindow(&window);
    first.SetFocus();
    Process();
    EXPECT_EQ(ViewOf(form).Window().focusWidget(), &WidgetOf<QLineEdit>(first));

    PressKey(WidgetOf<QLineEdit>(first), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControl(), &second);
    EXPECT_EQ(events, (std::vector<std::string>{"exit A", "enter B"}));
    EXPECT_EQ(ViewOf(form).Window().focusWidget(), &WidgetOf<QLineEdit>(second));

    PressKey(WidgetOf<QLineEdit>(second), Qt::Key_Tab);
    EXPECT_EQ(form.ActiveControl(), &first) << "the disabled edit is skipped";
}

TEST_F(ViewTest, QtFocusArrivingOnAWidgetMovesTheModelsFocusUnlessAHandlerRefuses) {
    Form& form = MakeForm();
    auto& first = form.Add<Edit>("edtA");
    auto& second = form.Add<Edit>("edtB");
    bool refuse = true;
    first.OnExit = [&](Control&) {
        if (refuse)
            throw Abort(); // silent, as a validation that already showed its message
    };
    form.Show();
    QApplication::setActiveWindow(&window);
    first.SetFocus();
    Process();

    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(&WidgetOf<QLineEdit>(second), &in);
    EXPECT_EQ(form.ActiveControl(), &first) << "the exit handler kept the focus";
    refuse = false;
    QApplication::sendEvent(&WidgetOf<QLineEdit>(second), &in);
    EXPECT_EQ(form.ActiveControl(), &second);
}

TEST_F(ViewTest, TabsFollowThePagesAndADisabledPageCannotBeChosen) {
    Form& form = MakeForm();
    auto& pages = form.Add<PageControl>("pgcPadrao");
    auto& orders = pages.Add<TabSheet>("tshPadrao");
    auto& items = pages.Add<TabSheet>("tshItemPedido");
    auto& just = pages.Add<TabSheet>("tshJustExcl");
    orders.SetCaption("Pedidos");
    items.SetCaption("Itens do Pedido");
    just.SetCaption("Justificativa");
    auto& inItems = items.Add<Edit>("edtItem");
    int changes = 0;
    pages.OnChange = [&](Control&) { ++changes; };
    just.SetEnabled(false);
    form.Show();

    auto& tabs = WidgetOf<QTabWidget>(pages);
    ASSERT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.tabText(1).toStdString(), "Itens do Pedido");
    EXPECT_FALSE(tabs.isTabEnabled(2));
    EXPECT_EQ(WidgetOf<QLineEdit>(inItems).parentWidget(), tabs.widget(1));

    tabs.setCurrentIndex(1); // as a click on the tab
    EXPECT_EQ(pages.ActivePage(), &items);
    EXPECT_EQ(changes, 1);
    tabs.setCurrentIndex(2);
    EXPECT_EQ(pages.ActivePage(), &items) << "the model refused the disabled page";
    EXPECT_EQ(tabs.currentIndex(), 1);
    pages.SetActivePage(&orders); // from code: no event
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(changes, 1);
}
