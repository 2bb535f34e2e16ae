#include "TBtnPesquisa.h"

#include "SupportFixture.h"
#include "TDataSource.h"
#include "ui/Edit.h"
#include "ui/Form.h"

namespace {

class TBtnPesquisaTest : public SupportTest {
protected:
    TBtnPesquisaTest() {
        form.Show();
        button.SetAssociate(&edit);
        button.SetTitle("Filial");
        button.SetDataSource(&source);
        button.SetEmptyError("Não há filial cadastrada.");
        button.OnBeforePesq = [this](ui::Control&) { steps.push_back("before"); };
        button.OnAfterPesq = [this](ui::Control&) {
            steps.push_back("after " + branches.FieldByName("CODIGO").AsString());
        };
        branches.AfterOpen = [this](data::DataSet&) { steps.push_back("open"); };
    }

    ui::Form& form = app.CreateForm<ui::Form>("frmTeste");
    // First in tab order: the shown form's focus is there, and a click on the button leaves it.
    ui::Edit& other = form.Add<ui::Edit>("edtOutro");
    ui::Edit& edit = form.Add<ui::Edit>("medCdFilial");
    TBtnPesquisa& button = form.Add<TBtnPesquisa>("btnFilial");
    TMemDataSet& branches = form.Create<TMemDataSet>("qryFilial");
    TDataSource& source = form.Create<TDataSource>("dtsFilial", &branches);
    std::vector<std::string> steps;
};

} // namespace

TEST_F(TBtnPesquisaTest, AnEmptyListShowsTheEmptyErrorAfterOpeningAndPicksNothing) {
    branches.AddField("CODIGO", data::FieldType::String, 4);
    EXPECT_TRUE(user.Click(button));
    EXPECT_EQ(steps, (std::vector<std::string>{"before", "open"}));
    EXPECT_EQ(platform.Errors(), std::vector<std::string>{"Não há filial cadastrada."});
    EXPECT_EQ(platform.PendingAnswers(), 0u);
}

TEST_F(TBtnPesquisaTest, APickedRowBecomesTheCurrentRowAndRunsAfterPesq) {
    FillCodes(branches, {{"0001", "Matriz"}, {"0002", "Centro"}, {"0003", "Norte"}});
    steps.clear();
    platform.PickRow("0002");
    EXPECT_TRUE(user.Click(button));
    EXPECT_EQ(steps, (std::vector<std::string>{"before", "after 0002"}));
    EXPECT_EQ(branches.RecNo(), 2);
    ASSERT_EQ(platform.Events().back().Kind, ui::HeadlessPlatform::EventKind::Pick);
    EXPECT_EQ(platform.Events().back().Text, "Filial");
    EXPECT_FALSE(edit.Focused());
    EXPECT_TRUE(other.Focused());
}

TEST_F(TBtnPesquisaTest, ACancelledPickRunsNothingMore) {
    FillCodes(branches, {{"0001", "Matriz"}, {"0002", "Centro"}});
    branches.Last();
    steps.clear();
    platform.PickNone();
    EXPECT_TRUE(user.Click(button));
    EXPECT_EQ(steps, std::vector<std::string>{"before"});
    EXPECT_EQ(branches.RecNo(), 2);
}
