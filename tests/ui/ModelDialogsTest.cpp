#include "Fixture.h"
#include "data/DataSet.h"
#include "ui/PickerForm.h"
#include "ui/QuestionForm.h"

#include <string>
#include <vector>

using namespace ui;

namespace {

// The questions and lists a person answers are windows of the model, answered here by keys and
// clicks run inside their modal loops.
class ModelDialogsTest : public UiTest {
protected:
    ModelDialogsTest() {
        sellers.AddField("CDVENDEDOR", data::FieldType::String, 4).SetDisplayLabel("Código");
        sellers.AddField("NMFANVEN", data::FieldType::String, 30).SetDisplayLabel("Nome");
        sellers.LoadFromPacket(
            {{{"CDVENDEDOR", data::FieldType::String, 4}, {"NMFANVEN", data::FieldType::String, 30}},
             {{std::string("0001"), std::string("Ana Souza")},
              {std::string("0002"), std::string("Bruno Araújo")},
              {std::string("0003"), std::string("Carla Lima")}}});
        request.Title = "Vendedor";
        request.DataSet = &sellers;
        request.Columns = {"CDVENDEDOR", "NMFANVEN"};
        request.KeyField = "CDVENDEDOR";
    }

    void Keys(std::initializer_list<int> keys) {
        for (int key : keys)
            platform.QueueModalAction([this, key] { user.Press(key); });
    }
    void Then(std::function<void()> action) { platform.QueueModalAction(std::move(action)); }
    PickerForm& Picker() const { return dynamic_cast<PickerForm&>(*app.ModalForm()); }

    data::DataSet sellers{"qryVendedor"};
    MultiPickRequest request;
};

} // namespace

TEST_F(ModelDialogsTest, TheQuestionStartsOnSimAndEnterAnswersTheFocusedButtonAndEscNao) {
    struct Case {
        std::vector<int> keys;
        bool yes;
    };
    const std::vector<Case> cases = {{{Key::Return}, true},
                                     {{Key::Escape}, false},
                                     {{Key::Tab, Key::Return}, false},
                                     {{Key::Tab, Key::Tab, Key::Space}, true}};
    for (const Case& c : cases) {
        for (int key : c.keys)
            platform.QueueModalAction([this, key] { user.Press(key); });
        EXPECT_EQ(QuestionForm::Ask("Confirma operação?"), c.yes) << c.keys.size();
        app.ProcessDeferredReleases();
        EXPECT_TRUE(app.Forms().empty()) << "the question's window is released";
    }
}

TEST_F(ModelDialogsTest, LongQuestionsBreakBetweenWordsInsideTheirWindow) {
    const std::string text =
        "Esta operação cancelará o(s) item(s) do(s) pedido(s) selecionado(s). Deseja continuar?";
    QuestionForm form(text);
    const std::string caption = form.lblPergunta.Caption();
    ASSERT_NE(caption.find('\n'), std::string::npos);
    std::string joined = caption;
    std::replace(joined.begin(), joined.end(), '\n', ' ');
    EXPECT_EQ(joined, text);
    EXPECT_LE(form.lblPergunta.Bounds().Right, form.Width());
    EXPECT_LE(form.btnNao.Bounds().Bottom, form.Height());
}

TEST_F(ModelDialogsTest, ArrowsInTheSearchLineMoveTheHighlightAndEnterTakesIt) {
    struct Case {
        std::vector<int> keys;
        std::optional<int> row;
    };
    const std::vector<Case> cases = {{{Key::Return}, 0},
                                     {{Key::Down, Key::Down, Key::Return}, 2},
                                     {{Key::End, Key::Up, Key::Return}, 1},
                                     {{Key::PageDown, Key::Home, Key::Return}, 0},
                                     {{Key::Down, Key::Escape}, std::nullopt}};
    for (const Case& c : cases) {
        Then([this] { EXPECT_TRUE(Picker().edtPesquisa.Focused()); });
        for (int key : c.keys)
            platform.QueueModalAction([this, key] { user.Press(key); });
        EXPECT_EQ(PickerForm::PickRow(request), c.row) << c.keys.size();
    }
}

// Typing keeps the rows holding the text in any column, without regard to case or accents; the
// highlight stays on its row while it is shown and goes to the first row otherwise.
TEST_F(ModelDialogsTest, TheSearchLineKeepsTheRowsHoldingTheTextAndTheHighlightFollows) {
    std::vector<int> shown;
    Keys({Key::Down, Key::Down});
    Then([this] { user.Write("ARAU"); });
    Then([&] {
        shown.push_back(Picker().dbgPesquisa.RowCount());
        shown.push_back(Picker().CurrentRow().value_or(-1));
    });
    Keys({Key::Back, Key::Back, Key::Back, Key::Back});
    Then([&] {
        shown.push_back(Picker().dbgPesquisa.RowCount());
        shown.push_back(Picker().CurrentRow().value_or(-1));
    });
    Then([this] { user.Write("zz"); });
    Keys({Key::Return});
    EXPECT_EQ(PickerForm::PickRow(request), std::nullopt) << "no row is shown, none is taken";
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 3, 1}));
}

TEST_F(ModelDialogsTest, SeveralRowsAreMarkedBySpaceCtrlSpaceOrAClickOnTheMarkAndOkTakesThem) {
    request.Marked = {2};
    Then([this] { user.Press(Key::Space, ShiftState::WithCtrl()); });
    Then([this] { user.ClickCell(Picker().dbgPesquisa, 1, 0); });
    Keys({Key::Down, Key::Space, Key::Return});
    EXPECT_EQ(PickerForm::PickRows(request), (std::vector<int>{0, 1}));
    EXPECT_EQ(platform.PendingModalActions(), 0u);

    request.Marked = {2};
    Keys({Key::Tab, Key::Space, Key::Escape});
    EXPECT_EQ(PickerForm::PickRows(request), std::nullopt) << "Cancelar keeps nothing";
    EXPECT_EQ(platform.PendingModalActions(), 0u);
}
