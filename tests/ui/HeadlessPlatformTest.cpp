#include "Fixture.h"
#include "data/DataSet.h"
#include "ui/Form.h"
#include "ui/PopupMenu.h"

#include <string>

using namespace ui;

namespace {

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HeadlessError& e) {
        return e.what();
    }
    return "no HeadlessError";
}

} // namespace

TEST_F(UiTest, UnansweredQuestionFailsAtOnceNamingTheQuestion) {
    EXPECT_EQ(FailureOf([&] { app.AskYesNo("Confirma operação?"); }),
              "unanswered question \"Confirma operação?\": the script gave no answer");
    platform.ChooseNothing();
    EXPECT_EQ(FailureOf([&] { app.AskYesNo("Cancelar operação?"); }),
              "unanswered question \"Cancelar operação?\": the next scripted answer is a popup choice");
}

TEST_F(UiTest, QuestionsTakeScriptedAnswersInOrderAndAreRecorded) {
    platform.AnswerYes();
    platform.AnswerNo();
    EXPECT_TRUE(app.AskYesNo("Confirma operação?"));
    EXPECT_FALSE(app.AskYesNo("Cancelar operação?"));
    ASSERT_EQ(platform.Events().size(), 2u);
    EXPECT_EQ(platform.Events()[1].Answer, "No");
    EXPECT_TRUE(platform.Saw("Cancelar operação?"));
}

TEST_F(UiTest, ModalLoopWithNothingLeftFailsAtOnceAndTheFormIsHiddenAgain) {
    auto& dialog = app.CreateForm<Form>("frmFiltroCancelaPed");
    dialog.SetCaption("Filtro de Cancelamento");
    // Inside a dispatched handler, too: the failure must reach the test.
    EXPECT_EQ(
        FailureOf([&] { app.Dispatch([&] { dialog.ShowModal(); }); }),
        "modal loop of 'frmFiltroCancelaPed' (\"Filtro de Cancelamento\") has nothing left to run while the "
        "form is open");
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(app.ModalForm(), nullptr);
}

TEST_F(UiTest, PopupChoiceOfAMissingItemFails) {
    auto& form = app.CreateForm<Form>("frm");
    auto& ppm = form.Create<PopupMenu>("ppm");
    ppm.Items().Add("mnuCanc", "Cancelamento");
    platform.ChoosePopupItem("mnuOther");
    EXPECT_EQ(FailureOf([&] { ppm.Popup(0, 0); }), "popup menu 'ppm' offers no item 'mnuOther'");
}

TEST_F(UiTest, PickersAnswerByKeyFieldValueInDatasetOrder) {
    data::DataSet sellers("qryVendedor");
    sellers.AddField("CDVENDEDOR", data::FieldType::String, 4);
    sellers.LoadFromPacket({{{"CDVENDEDOR", data::FieldType::String, 4}}, {{"0001"}, {"0002"}, {"0003"}}});
    MultiPickRequest many;
    many.Title = "Vendedor";
    many.DataSet = &sellers;
    many.KeyField = "CDVENDEDOR";
    PickRequest one = many;

    platform.PickRow("0002");
    platform.PickNone();
    platform.PickRows("0003_0001");
    platform.PickRowsCancel();
    platform.PickRows("0009");

    EXPECT_EQ(platform.PickRow(one), 1);
    EXPECT_EQ(platform.PickRow(one), std::nullopt);
    EXPECT_EQ(platform.PickRows(many), (std::vector<int>{0, 2}));
    EXPECT_EQ(platform.PickRows(many), std::nullopt);
    EXPECT_EQ(FailureOf([&] { platform.PickRows(many); }),
              "the list 'qryVendedor' has no row whose CDVENDEDOR is '0009'");
    EXPECT_EQ(sellers.RecNo(), 1) << "picking reads rows without moving the cursor";
}
