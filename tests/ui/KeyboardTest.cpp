#include "Fixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/MaskEdit.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/TabSheet.h"

#include <string>
#include <vector>

using namespace ui;

namespace {

// Keys pressed where the focus is, as a person types them.
struct Keys {
    std::vector<int> keys;
    ShiftState shift{};
};

} // namespace

// The focus arriving in an edit selects its text: the first key replaces it, later keys go where
// the cursor stands, and the editing keys move and delete as a line edit does.
TEST_F(UiTest, KeysTypedInAnEditReplaceTheSelectedTextThenEditAtTheCursor) {
    struct Case {
        const char* name;
        const char* start;
        std::vector<int> keys;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"first key replaces", "0001", {'2'}, "2"},
        {"later keys append", "", {'A', 'B', '1'}, "ab1"},
        {"Home then insert", "bc", {Key::Home, 'A'}, "abc"},
        {"Left collapses the selection to the start", "bc", {Key::Left, 'A'}, "abc"},
        {"Right collapses it to the end", "ab", {Key::Right, 'C'}, "abc"},
        {"Backspace over the selection empties", "abc", {Key::Back}, ""},
        {"Backspace at the cursor", "abc", {Key::End, Key::Back, Key::Back}, "a"},
        {"Delete at the cursor", "abc", {Key::Home, Key::Delete}, "bc"},
        {"space types", "", {'A', Key::Space, 'B'}, "a b"},
    };
    for (const Case& c : cases) {
        auto& form = app.CreateForm<Form>("frm");
        auto& other = form.Add<CheckBox>("chb");
        auto& edit = form.Add<Edit>("edt");
        form.Show();
        edit.SetText(c.start);
        other.SetFocus();
        user.Focus(edit);
        for (int key : c.keys)
            user.Press(key);
        EXPECT_EQ(edit.Text(), c.text) << c.name;
        form.Release();
        app.ProcessDeferredReleases();
    }
}

TEST_F(UiTest, WriteTypesIntoTheFocusedEditKeyByKeyWithItsCaseAndLengthAndIsRefusedElsewhere) {
    auto& form = app.CreateForm<Form>("frm");
    auto& check = form.Add<CheckBox>("chb");
    auto& edit = form.Add<Edit>("edtCdJust");
    edit.SetCharCase(CharCase::Upper);
    edit.SetMaxLength(4);
    std::vector<std::string> changes;
    edit.OnChange = [&](Control&) { changes.push_back(edit.Text()); };
    form.Show();
    EXPECT_TRUE(check.Focused()) << "a shown form focuses its first control";

    EXPECT_FALSE(user.Write("x"));
    EXPECT_EQ(platform.Refusals(), std::vector<std::string>{"write (the focus is not in an edit)"});
    user.Focus(edit);
    EXPECT_TRUE(user.Write("ação1"));
    EXPECT_EQ(edit.Text(), "AÇÃO");
    EXPECT_EQ(changes, (std::vector<std::string>{"A", "AÇ", "AÇÃ", "AÇÃO"}));
    edit.SetReadOnly(true);
    EXPECT_FALSE(user.Write("x"));
}

// A masked edit fills its editable positions from the cursor, steps over literals, and Backspace
// blanks the position before the cursor.
TEST_F(UiTest, KeysTypedInAMaskedEditFillItsPositionsAndBackspaceBlanksOne) {
    auto& form = app.CreateForm<Form>("frm");
    auto& date = form.Add<MaskEdit>("depDeEmissao");
    date.SetEditMask("!99/99/9999;1;_");
    auto& branch = form.Add<MaskEdit>("medCdFilial");
    branch.SetEditMask(">aaaa;0; ");
    form.Show();
    user.Focus(date);
    user.Write("01/05/2024");
    EXPECT_EQ(date.EditText(), "01/05/2024");
    user.Press(Key::Back);
    user.Press(Key::Back);
    EXPECT_EQ(date.EditText(), "01/05/20__");
    user.Write("19");
    EXPECT_EQ(date.EditText(), "01/05/2019");

    branch.SetText("0001");
    user.Focus(branch);
    user.Write("2a");
    EXPECT_EQ(branch.EditText(), "2A  ") << "the first key replaced the selected code";
    EXPECT_EQ(branch.Text(), "2A");
}

// The key preview and OnKeyDown see a typing key before the edit types it, and may keep it.
TEST_F(UiTest, APreviewedKeyThatIsTakenIsNotTyped) {
    auto& form = app.CreateForm<Form>("frm");
    auto& edit = form.Add<Edit>("edt");
    form.SetKeyPreview(true);
    std::vector<int> previewed;
    form.OnKeyDown = [&](Control&, int& key, ShiftState) {
        previewed.push_back(key);
        if (key == 'X')
            key = 0;
    };
    form.Show();
    user.Write("axb");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(previewed, (std::vector<int>{'A', 'X', 'B'}));
}

// Space checks a radio button; the arrows move to the previous or next radio button of the group,
// past disabled ones and around the end, and check it.
TEST_F(UiTest, RadioButtonsTakeTheSpaceBarAndTheArrowsWithinTheirGroup) {
    auto& form = app.CreateForm<Form>("frm");
    auto& todos = form.Add<RadioButton>("rbtTodos");
    auto& intervalo = form.Add<RadioButton>("rbtIntervalo");
    auto& lista = form.Add<RadioButton>("rbtLista");
    auto& outro = form.Add<Button>("btnOutro");
    intervalo.SetEnabled(false);
    std::vector<std::string> clicks;
    for (RadioButton* radio : {&todos, &intervalo, &lista})
        radio->OnClick = [&clicks](Control& sender) { clicks.push_back(sender.Name()); };
    form.Show();
    struct Step {
        int key;
        RadioButton* focused;
        RadioButton* checked;
    };
    const std::vector<Step> steps = {{Key::Space, &todos, &todos},
                                     {Key::Down, &lista, &lista},
                                     {Key::Right, &todos, &todos},
                                     {Key::Up, &lista, &lista}};
    for (const Step& step : steps) {
        user.Press(step.key);
        EXPECT_TRUE(step.focused->Focused()) << step.key;
        EXPECT_TRUE(step.checked->Checked()) << step.key;
    }
    EXPECT_FALSE(outro.Focused());
    EXPECT_EQ(clicks, (std::vector<std::string>{"rbtTodos", "rbtLista", "rbtTodos", "rbtLista"}));
}

// Alt with a menu's accelerator opens it; its keys then choose an entry, by the highlight or by
// the entry's accelerator, skipping disabled entries; Esc closes it; a click closes it only.
TEST_F(UiTest, AltAndAMenusAcceleratorOpenTheMenuWhoseKeysChooseAnEntry) {
    auto& form = app.CreateForm<Form>("frm");
    auto& edit = form.Add<Edit>("edt");
    auto& menu = form.Create<MainMenu>("mnuPrincipal");
    form.SetMenu(&menu);
    MenuItem& operacao = menu.Items().Add("mnuOperacao", "&Operação");
    MenuItem& pedidos = operacao.Add("mnuPedido", "&Pedidos");
    MenuItem& manutencao = menu.Items().Add("mnuManutencao", "&Manutenção");
    MenuItem& incluir = manutencao.Add("mnuIncluir", "&Incluir");
    manutencao.AddSeparator();
    MenuItem& confirmar = manutencao.Add("mnuConfirmar", "C&onfirmar");
    MenuItem& simular = manutencao.Add("mnuSimular", "&Simular");
    incluir.SetEnabled(false);
    std::vector<std::string> clicks;
    for (MenuItem* item : {&pedidos, &incluir, &confirmar, &simular})
        item->OnClick = [&clicks](Control& sender) { clicks.push_back(sender.Name()); };
    form.Show();
    MenuKeys& menus = app.MenuBarKeys();

    struct Case {
        std::vector<Keys> keys;
        const char* chosen; // "" for none
        MenuItem* openAfter;
    };
    const std::vector<Case> cases = {
        {{{{'M'}, {false, false, true}}, {{Key::Return}}}, "mnuConfirmar", nullptr},
        {{{{'M'}, {false, false, true}}, {{Key::Down, Key::Return}}}, "mnuSimular", nullptr},
        {{{{'M'}, {false, false, true}}, {{Key::Up, Key::Up, Key::Return}}}, "mnuConfirmar", nullptr},
        {{{{'M'}, {false, false, true}}, {{'S'}}}, "mnuSimular", nullptr},
        {{{{'M'}, {false, false, true}}, {{'I'}}}, "", &manutencao},
        {{{{'M'}, {false, false, true}}, {{Key::Right, Key::Return}}}, "mnuPedido", nullptr},
        {{{{'M'}, {false, false, true}}, {{Key::Escape}}}, "", nullptr},
        {{{{'X'}, {false, false, true}}}, "", nullptr},
    };
    for (const Case& c : cases) {
        clicks.clear();
        menus.Close();
        for (const Keys& keys : c.keys)
            for (int key : keys.keys)
                user.Press(key, keys.shift);
        EXPECT_EQ(clicks, c.chosen[0] ? std::vector<std::string>{c.chosen} : std::vector<std::string>{})
            << c.chosen;
        EXPECT_EQ(menus.OpenMenu(), c.openAfter) << c.chosen;
    }
    EXPECT_EQ(edit.Text(), "") << "no key of a menu reached the edit";
    user.Press('M', {false, false, true});
    EXPECT_TRUE(user.MouseClick(confirmar));
    EXPECT_EQ(menus.OpenMenu(), nullptr);
    EXPECT_EQ(clicks, std::vector<std::string>{}) << "the click only closed the menu";
}

// Ctrl+Page Down and Ctrl+Page Up choose the neighbouring enabled page of the page control holding
// the focus, running OnChange as a person's choice does; Ctrl+Tab belongs to the child windows.
TEST_F(UiTest, CtrlPageKeysChooseTheNeighbouringEnabledPage) {
    auto& form = app.CreateForm<Form>("frm");
    auto& pages = form.Add<PageControl>("pgcPadrao");
    auto& pedidos = pages.Add<TabSheet>("tshPadrao");
    auto& itens = pages.Add<TabSheet>("tshItemPedido");
    auto& just = pages.Add<TabSheet>("tshJustExcl");
    auto& edit = just.Add<Edit>("edtCdJust");
    pedidos.Add<Edit>("edtPedido");
    itens.SetEnabled(false);
    int changes = 0;
    pages.OnChange = [&](Control&) { ++changes; };
    form.Show();
    const ShiftState ctrl = ShiftState::WithCtrl();
    struct Step {
        int key;
        TabSheet* page;
    };
    const std::vector<Step> steps = {{Key::PageDown, &just},
                                     {Key::PageDown, &pedidos},
                                     {Key::PageUp, &just},
                                     {Key::Tab, &just},
                                     {Key::PageUp, &pedidos}};
    for (const Step& step : steps) {
        user.Press(step.key, ctrl);
        EXPECT_EQ(pages.ActivePage(), step.page) << step.key;
    }
    EXPECT_EQ(changes, 4);
    user.Press(Key::PageDown, ctrl);
    EXPECT_TRUE(pages.Focused()) << "the focus left the hidden page for the tabs";
    user.Focus(edit);
    user.Press(Key::PageUp, ctrl);
    EXPECT_EQ(pages.ActivePage(), &pedidos) << "from a control on a page too";
}

TEST_F(UiTest, CtrlTabBringsTheNextChildWindowToTheFrontInTheOrderTheyWereMade) {
    std::vector<Form*> windows;
    for (const char* name : {"frmUm", "frmDois", "frmTres"}) {
        Form& form = app.CreateForm<Form>(name);
        form.SetFormStyle(FormStyle::MDIChild);
        form.Add<Edit>("edt");
        form.Show();
        windows.push_back(&form);
    }
    const std::vector<std::pair<ShiftState, Form*>> steps = {{ShiftState::WithCtrl(), windows[0]},
                                                             {ShiftState::WithCtrl(), windows[1]},
                                                             {ShiftState{true, true, false}, windows[0]},
                                                             {ShiftState{true, true, false}, windows[2]}};
    for (const auto& [shift, active] : steps) {
        user.Press(Key::Tab, shift);
        EXPECT_EQ(app.ActiveForm(), active);
    }
}
