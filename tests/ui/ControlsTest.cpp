#include "Fixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/MainMenu.h"
#include "ui/MaskEdit.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <functional>
#include <string>
#include <vector>

using namespace ui;

namespace {

class ControlsTest : public UiTest {
protected:
    ControlsTest() : form(app.CreateForm<Form>("frm")) { form.Show(); }

    Form& form;
};

} // namespace

TEST_F(ControlsTest, RadioButtonsAreExclusiveAndOnlyCheckingRunsTheClickHandler) {
    auto& group = form.Add<GroupBox>("grb");
    auto& rbtA = group.Add<RadioButton>("rbtA");
    auto& rbtB = group.Add<RadioButton>("rbtB");
    auto& other = form.Add<RadioButton>("rbtOtherGroup");
    std::vector<std::string> clicks;
    for (RadioButton* r : {&rbtA, &rbtB, &other})
        r->OnClick = [&](Control& s) { clicks.push_back(s.Name()); };
    other.SetChecked(true);

    rbtA.SetChecked(true);
    EXPECT_TRUE(rbtA.Checked());
    rbtB.SetChecked(true);
    EXPECT_FALSE(rbtA.Checked()) << "checking a sibling unchecks it";
    EXPECT_TRUE(other.Checked()) << "radio buttons of another parent are not touched";
    rbtB.SetChecked(true); // already checked: nothing
    rbtB.SetChecked(false);
    EXPECT_FALSE(rbtB.Checked());

    EXPECT_EQ(clicks, (std::vector<std::string>{"rbtOtherGroup", "rbtA", "rbtB"}));
}

TEST_F(ControlsTest, UserClickOnRadioButtonChecksItAndFocusesIt) {
    auto& rbtA = form.Add<RadioButton>("rbtA");
    auto& rbtB = form.Add<RadioButton>("rbtB");
    int clicks = 0;
    rbtB.OnClick = [&](Control&) { ++clicks; };
    rbtA.SetChecked(true);

    user.Click(rbtB);
    user.Click(rbtB);

    EXPECT_TRUE(rbtB.Checked());
    EXPECT_FALSE(rbtA.Checked());
    EXPECT_TRUE(rbtB.Focused());
    EXPECT_EQ(clicks, 1);
}

// "Todos" clears both interval edits, whose change handlers check "Intervalo", and then checks
// "Todos" again: the end state must be stable and reached without endless recursion.
TEST_F(ControlsTest, RadioClickHandlerClearingEditsThatCheckASiblingEndsStable) {
    auto& group = form.Add<GroupBox>("grbNrPedido");
    auto& rbtTodos = group.Add<RadioButton>("rbtTNrPedido");
    auto& rbtIntervalo = group.Add<RadioButton>("rbtIntervalo");
    auto& medDe = group.Add<MaskEdit>("medDeIntervalo");
    auto& medAte = group.Add<MaskEdit>("medAteIntervalo");
    medDe.SetEditMask("9999999999;0; ");
    medAte.SetEditMask("9999999999;0; ");
    int todosClicks = 0;
    int intervaloClicks = 0;
    rbtTodos.OnClick = [&](Control&) {
        ASSERT_LT(++todosClicks, 10) << "endless recursion";
        medDe.Clear();
        medAte.Clear();
        rbtTodos.SetChecked(true);
    };
    rbtIntervalo.OnClick = [&](Control&) { ++intervaloClicks; };
    medDe.OnChange = [&](Control&) { rbtIntervalo.SetChecked(true); };
    medAte.OnChange = [&](Control&) { rbtIntervalo.SetChecked(true); };
    medDe.SetText("0000000012");
    medAte.SetText("0000000020");
    ASSERT_TRUE(rbtIntervalo.Checked());

    EXPECT_TRUE(user.Click(rbtTodos));

    EXPECT_TRUE(rbtTodos.Checked());
    EXPECT_FALSE(rbtIntervalo.Checked());
    EXPECT_EQ(medDe.Text(), "");
    EXPECT_EQ(medAte.Text(), "");
    EXPECT_EQ(todosClicks, 2);
    EXPECT_TRUE(platform.Errors().empty());
}

TEST_F(ControlsTest, CheckBoxRunsOnClickOnEveryChangeByCodeOrUserIncludingSpace) {
    auto& chb = form.Add<CheckBox>("chb");
    int clicks = 0;
    chb.OnClick = [&](Control&) { ++clicks; };

    chb.SetChecked(true);
    chb.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    user.Click(chb);
    EXPECT_FALSE(chb.Checked());
    user.PressKey(chb, Key::Space);
    EXPECT_TRUE(chb.Checked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsTest, EditRunsOnChangeOnlyOnARealChange) {
    auto& edt = form.Add<Edit>("edt");
    std::vector<std::string> seen;
    edt.OnChange = [&](Control&) { seen.push_back(edt.Text()); };

    edt.SetText("abc");
    edt.SetText("abc");
    edt.Clear();
    edt.Clear();

    EXPECT_EQ(seen, (std::vector<std::string>{"abc", ""}));
}

TEST_F(ControlsTest, TypingReplacesTheTextKeyByKeyWithCaseAndCharacterLimit) {
    struct Case {
        CharCase charCase;
        int maxLength;
        std::string typed;
        std::string expected;
        int changes;
    };
    const std::vector<Case> cases = {
        {CharCase::Normal, 0, "abc", "abc", 3},
        {CharCase::Upper, 4, "ação", "AÇÃO", 4},
        {CharCase::Upper, 4, "açãozinho", "AÇÃO", 4},
        {CharCase::Normal, 2, "ééé", "éé", 2},
        {CharCase::Normal, 0, "", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto& edt = form.Add<Edit>({});
        edt.SetText("old");
        edt.SetCharCase(c.charCase);
        edt.SetMaxLength(c.maxLength);
        int changes = 0;
        edt.OnChange = [&](Control&) { ++changes; };

        EXPECT_TRUE(user.Type(edt, c.typed));

        EXPECT_EQ(edt.Text(), c.expected);
        EXPECT_EQ(changes, c.changes);
        EXPECT_TRUE(edt.Focused());
    }
}

TEST_F(ControlsTest, EditCharCaseAlsoAppliesToTextSetByCode) {
    auto& edt = form.Add<Edit>("edtCdJust");
    edt.SetCharCase(CharCase::Upper);
    edt.SetText("ab1ç");
    EXPECT_EQ(edt.Text(), "AB1Ç");
}

TEST_F(ControlsTest, MaskedEditTypingFollowsTheMask) {
    struct Case {
        std::string mask;
        std::string typed;
        std::string editText;
        std::string text;
    };
    const std::vector<Case> cases = {
        {">aaaa;0; ", "ab1", "AB1 ", "AB1"},     {">aaaa;0; ", "a-b", "AB  ", "AB"},
        {">aaaa;0; ", "abcdef", "ABCD", "ABCD"}, {"9999999999;0; ", "12a3", "123       ", "123"},
        {"99.99;1;_", "1234", "12.34", "12.34"}, {"99.99;0;_", "12.34", "12.34", "1234"},
        {"99.99;0;_", "", "__.__", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask + " <- " + c.typed);
        auto& med = form.Add<MaskEdit>({});
        med.SetEditMask(c.mask);
        med.SetText("99");

        EXPECT_TRUE(user.Type(med, c.typed));

        EXPECT_EQ(med.EditText(), c.editText);
        EXPECT_EQ(med.Text(), c.text);
    }
}

TEST_F(ControlsTest, MaskedEditTextFromCodeIsFormattedIntoTheMaskAndChangesOnlyOnce) {
    auto& med = form.Add<MaskEdit>("medCdFilial");
    med.SetEditMask(">aaaa;0; ");
    int changes = 0;
    med.OnChange = [&](Control&) { ++changes; };

    med.SetText("ab");
    med.SetText("AB");
    EXPECT_EQ(med.EditText(), "AB  ");
    EXPECT_EQ(med.Text(), "AB");
    med.Clear();
    med.Clear();

    EXPECT_EQ(med.Text(), "");
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, PageControlRunsOnChangeOnlyForAUserChoiceAfterThePageChanged) {
    auto& pgc = form.Add<PageControl>("pgcPadrao");
    auto& tshPadrao = pgc.Add<TabSheet>("tshPadrao");
    auto& tshItem = pgc.Add<TabSheet>("tshItemPedido");
    auto& tshJust = pgc.Add<TabSheet>("tshJustExcl");
    std::vector<std::string> changes;
    pgc.OnChange = [&](Control&) { changes.push_back(pgc.ActivePage()->Name()); };
    EXPECT_EQ(pgc.ActivePage(), &tshPadrao);

    pgc.SetActivePage(&tshJust);
    EXPECT_TRUE(changes.empty());

    EXPECT_TRUE(user.SelectTab(pgc, tshItem));
    EXPECT_EQ(changes, (std::vector<std::string>{"tshItemPedido"}));

    tshPadrao.SetEnabled(false);
    EXPECT_FALSE(user.SelectTab(pgc, tshPadrao));
    EXPECT_EQ(pgc.ActivePage(), &tshItem);
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(platform.Refusals().size(), 1u);
}

TEST_F(ControlsTest, SettersNotifyOnlyWhenTheValueChanges) {
    auto& edt = form.Add<Edit>("edt");
    std::vector<Property> seen;
    int id = edt.Subscribe([&](Control&, Property p) { seen.push_back(p); });

    edt.SetEnabled(true);
    edt.SetEnabled(false);
    edt.SetColor(clInfoBk);
    edt.SetColor(clInfoBk);
    edt.SetText("x");
    edt.SetText("x");
    edt.Unsubscribe(id);
    edt.SetText("y");

    EXPECT_EQ(seen, (std::vector<Property>{Property::Enabled, Property::Color, Property::Text}));
}

TEST_F(ControlsTest, EveryPropertySetterNotifiesItsPropertyOnceForANewValueAndNotAgainForTheSame) {
    auto& edt = form.Add<Edit>("edt");
    auto& chb = form.Add<CheckBox>("chb");
    auto& btn = form.Add<Button>("btn");
    auto& img = form.Add<Image>("img");
    auto& sbt = form.Add<SpeedButton>("sbt");
    auto& grid = form.Add<DBGrid>("dbg");
    auto& tsh = form.Add<PageControl>("pgc").Add<TabSheet>("tsh");
    auto& mni = form.Create<MainMenu>("mnu").Items().Add("mni", "&Item");
    struct Case {
        const char* name;
        Control& control;
        Property property;
        std::function<void()> set;
    };
    const std::vector<Case> cases = {
        {"Enabled", edt, Property::Enabled, [&] { edt.SetEnabled(false); }},
        {"Visible", edt, Property::Visible, [&] { edt.SetVisible(false); }},
        {"Bounds", edt, Property::Bounds, [&] { edt.SetBounds(1, 2, 30, 40); }},
        {"Caption", edt, Property::Caption, [&] { edt.SetCaption("Filial"); }},
        {"Hint", edt, Property::Hint, [&] { edt.SetHint("Código da filial"); }},
        {"Color", edt, Property::Color, [&] { edt.SetColor(clInfoBk); }},
        {"Font", edt, Property::Font, [&] { edt.SetFontColor(clBlue); }},
        {"TabStop", edt, Property::TabStop, [&] { edt.SetTabStop(false); }},
        {"MaxLength", edt, Property::MaxLength, [&] { edt.SetMaxLength(4); }},
        {"CharCase", edt, Property::CharCase, [&] { edt.SetCharCase(CharCase::Upper); }},
        {"ReadOnly", edt, Property::ReadOnly, [&] { edt.SetReadOnly(true); }},
        {"Text", edt, Property::Text, [&] { edt.SetText("X"); }},
        {"CheckBox.Checked", chb, Property::Checked, [&] { chb.SetChecked(true); }},
        {"Button.ModalResult", btn, Property::ModalResult, [&] { btn.SetModalResult(ModalResult::Ok); }},
        {"Form.FormStyle", form, Property::FormStyle, [&] { form.SetFormStyle(FormStyle::MDIChild); }},
        {"Form.WindowState", form, Property::WindowState,
         [&] { form.SetWindowState(WindowState::Maximized); }},
        {"Form.ModalResult", form, Property::ModalResult, [&] { form.SetModalResult(ModalResult::Cancel); }},
        {"SpeedButton.Glyph", sbt, Property::Glyph, [&] { sbt.SetGlyph(Glyph::Print); }},
        {"Image.Bitmap", img, Property::Bitmap, [&] { img.SetBitmap(Bitmap(2, 2, clRed)); }},
        {"DBGrid.ReadOnly", grid, Property::ReadOnly, [&] { grid.SetReadOnly(true); }},
        {"DBGrid.Options", grid, Property::Options,
         [&] {
             grid.SetOptions({true, true, false});
         }},
        {"TabSheet.TabVisible", tsh, Property::TabVisible, [&] { tsh.SetTabVisible(false); }},
        {"MenuItem.Checked", mni, Property::Checked, [&] { mni.SetChecked(true); }},
        {"MenuItem.ShortCut", mni, Property::ShortCut, [&] { mni.SetShortCut("Ctrl+L"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int notified = 0;
        const int id = c.control.Subscribe([&](Control&, Property p) { notified += p == c.property; });
        c.set();
        c.set();
        c.control.Unsubscribe(id);
        EXPECT_EQ(notified, 1);
    }
}
