#include "script/ScriptRunner.h"

#include "RemoteCallLog.h"
#include "data/Clock.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/DateTime.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/HeadlessPlatform.h"
#include "ui/PageControl.h"
#include "ui/TabSheet.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace ui;
using host::ScriptRunner;

// A small screen with a modal dialog, enough to drive every kind of script command.
class ScriptRunnerTest : public testing::Test {
protected:
    ScriptRunnerTest() {
        app.SetPlatform(fallback);
        BuildDialog();
        BuildScreen();
        BuildGrid();
        screen->Show();
        runner.SetScreenOpener([this](const std::string& code) {
            if (code != "TELA")
                throw std::runtime_error("Módulo da tela " + code + " não encontrado.");
            opened.push_back(code);
        });
    }
    ~ScriptRunnerTest() override { data::Clock::Reset(); }

    void BuildDialog() {
        dialog = &app.CreateForm<Form>("frmDialogo");
        dialog->Add<Edit>("edtFiltro");
        dialog->Add<Button>("btnOk").SetModalResult(ModalResult::Ok);
    }

    void BuildScreen() {
        screen = &app.CreateForm<Form>("frmTela");
        auto& nome = screen->Add<Edit>("edtNome");
        nome.OnExit = [](Control&) { Application::Instance().ShowInfo("saiu de edtNome"); };
        screen->Add<CheckBox>("chbAtivo");
        screen->Add<Button>("btnBloqueado").SetEnabled(false);
        screen->Add<Button>("btnFiltro").OnClick = [this](Control&) { dialog->ShowModal(); };
        screen->Add<Button>("btnPergunta").OnClick = [](Control&) {
            Application& current = Application::Instance();
            current.ShowInfo(current.AskYesNo("Confirma?") ? "Sim" : "Não");
        };
        screen->Add<Button>("btnHoje").OnClick = [](Control&) {
            Application::Instance().ShowInfo(data::DateToIso(Application::Instance().Today()));
        };
        auto& pages = screen->Add<PageControl>("pgcPrincipal");
        // First in tab order, so the focus a shown screen places is not in the edit whose exit speaks.
        pages.SetTabOrder(0);
        pages.Add<TabSheet>("tshUm");
        pages.Add<TabSheet>("tshDois");
        pages.SetActivePageIndex(0);
    }

    void BuildGrid() {
        cds.AddField("NOME", data::FieldType::String, 20);
        cds.AddField("DATA", data::FieldType::Date);
        double day = data::EncodeDate(2024, 5, 10);
        cds.LoadFromPacket(data::Packet{
            {{"NOME", data::FieldType::String, 20}, {"DATA", data::FieldType::Date, 0}},
            {{std::string("Ana"), day}, {std::string("Bia"), day + 1}, {std::string("Caio"), day + 2}}});
        source.SetDataSet(&cds);
        auto& grid = screen->Add<DBGrid>("dbgNomes");
        grid.SetDataSource(&source);
        grid.Columns().Add().SetFieldName("NOME");
        grid.Columns().Add().SetFieldName("DATA");
    }

    int Run(const std::string& script) { return runner.Run(script); }
    bool Saw(const std::string& line) const { return out.str().find(line + "\n") != std::string::npos; }

    HeadlessPlatform fallback;
    Application app;
    data::DataSet cds{"cdsNomes"};
    data::DataSource source{"dtsNomes"};
    Form* screen = nullptr;
    Form* dialog = nullptr;
    std::ostringstream out;
    ScriptRunner runner{app, out};
    std::vector<std::string> opened;
};

TEST_F(ScriptRunnerTest, PassingScriptEchoesCommandsAndMessagesAndExitsZero) {
    int status = Run("type edtNome \"Maria  Silva\"   # typed\n"
                     "expect edtNome.Text \"Maria  Silva\"\n"
                     "click chbAtivo\n"
                     "expect chbAtivo.Checked true\n"
                     "expect focus chbAtivo\n"
                     "expect message \"saiu de edtNome\"\n");
    EXPECT_EQ(status, ScriptRunner::Passed);
    EXPECT_EQ(out.str(), "> type edtNome \"Maria  Silva\"\n"
                         "> expect edtNome.Text \"Maria  Silva\"\n"
                         "> click chbAtivo\n"
                         "info: saiu de edtNome\n"
                         "> expect chbAtivo.Checked true\n"
                         "> expect focus chbAtivo\n"
                         "> expect message \"saiu de edtNome\"\n");
}

TEST_F(ScriptRunnerTest, FailedExpectationIsReportedWithItsLineAndTheScriptGoesOn) {
    int status =
        Run("type edtNome Ana\nexpect edtNome.Text Bia\nexpect chbAtivo.Checked TRUE\nclick chbAtivo\n");
    EXPECT_EQ(status, ScriptRunner::ExpectationFailed);
    EXPECT_TRUE(Saw("FAILED line 2: expect edtNome.Text: expected \"Bia\", got \"Ana\""));
    EXPECT_TRUE(Saw("FAILED line 3: expect chbAtivo.Checked: expected \"TRUE\", got \"false\""));
    EXPECT_TRUE(Saw("> click chbAtivo"));
}

TEST_F(ScriptRunnerTest, ClickOnADisabledControlIsRefusedAndTheScriptGoesOn) {
    int status = Run("click btnBloqueado\nexpect btnBloqueado.Enabled False\n");
    EXPECT_EQ(status, ScriptRunner::Passed);
    EXPECT_TRUE(Saw("refused: click btnBloqueado (disabled)"));
}

TEST_F(ScriptRunnerTest, QuestionsTakeTheQueuedAnswerAndShowIt) {
    EXPECT_EQ(Run("answer no\nclick btnPergunta\nexpect message Não\n"), ScriptRunner::Passed);
    EXPECT_TRUE(Saw("question: Confirma? -> no"));
    EXPECT_TRUE(Saw("info: Não"));
}

// Without a queued answer the question is a window of its own: the next lines run inside it, as a
// person's keys and clicks, and a script that ends with it open is a script error naming it.
TEST_F(ScriptRunnerTest, UnansweredQuestionOpensItsWindowForTheNextLinesAndLeftOpenIsAScriptError) {
    EXPECT_EQ(Run("click btnPergunta\nexpect focus btnSim\npress TAB\npress ENTER\nexpect message Não\n"),
              ScriptRunner::Passed)
        << out.str();
    EXPECT_TRUE(Saw("question: Confirma? -> no")) << out.str();
    out.str("");
    EXPECT_EQ(Run("type edtNome x\nclick btnPergunta\nexpect question Confirma?\n"),
              ScriptRunner::ScriptFault);
    EXPECT_NE(out.str().find("script error: line 3: modal loop of 'frmPergunta' (\"Confirmação\")"),
              std::string::npos)
        << out.str();
}

TEST_F(ScriptRunnerTest, AnswersLeftUnusedAtTheEndAreAScriptError) {
    EXPECT_EQ(Run("answer yes\nclick chbAtivo\n"), ScriptRunner::ScriptFault);
    EXPECT_NE(out.str().find("1 queued answer(s) left unused"), std::string::npos);
}

TEST_F(ScriptRunnerTest, LinesAfterAModalCommandRunInsideTheDialogUntilItCloses) {
    int status = Run("click btnFiltro\n"
                     "expect frmDialogo.Visible true\n"
                     "type edtFiltro abc\n"
                     "click edtNome\n"
                     "click btnOk\n"
                     "expect frmDialogo.Visible false\n"
                     "expect edtFiltro.Text abc\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
    EXPECT_TRUE(Saw("refused: click edtNome (the modal form frmDialogo is open)"));
    EXPECT_EQ(app.ActiveForm(), screen);
}

TEST_F(ScriptRunnerTest, ScriptEndingWhileADialogIsOpenIsAScriptError) {
    EXPECT_EQ(Run("click btnFiltro\ntype edtFiltro abc\n"), ScriptRunner::ScriptFault);
    EXPECT_NE(out.str().find("frmDialogo"), std::string::npos) << out.str();
}

TEST_F(ScriptRunnerTest, UnknownNamesAreScriptErrorsWithTheirLine) {
    EXPECT_EQ(Run("click chbAtivo\nclick btnNaoExiste\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 2: no control named btnNaoExiste"));
    out.str("");
    EXPECT_EQ(Run("type chbAtivo x\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 1: chbAtivo is not an edit"));
    out.str("");
    EXPECT_EQ(Run("expect chbAtivo.Tamanho 3\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 1: chbAtivo has no property Tamanho"));
}

TEST_F(ScriptRunnerTest, BadSyntaxStopsTheScriptBeforeAnythingRuns) {
    EXPECT_EQ(Run("click chbAtivo\nanswer talvez\n"), ScriptRunner::ScriptFault);
    EXPECT_EQ(out.str(), "script error: line 2: answer takes yes or no\n");
    EXPECT_FALSE(dynamic_cast<CheckBox&>(*screen->FindComponent("chbAtivo")).Checked());
}

TEST_F(ScriptRunnerTest, DatasetsAreReadByCurrentAndDisplayRow) {
    int status = Run("expect cdsNomes.RecordCount 3\n"
                     "expect cdsNomes.NOME Ana\n"
                     "expect cdsNomes[3].DATA 12/05/2024\n"
                     "cell dbgNomes 2 NOME\n"
                     "expect cdsNomes.NOME Bia\n"
                     "row dbgNomes 3\n"
                     "expect cdsNomes.NOME Caio\n"
                     "expect cdsNomes[1].NOME Ana\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
    EXPECT_EQ(Run("expect cdsNomes[4].NOME x\n"), ScriptRunner::ScriptFault);
    EXPECT_EQ(Run("cell dbgNomes 1 IDADE\n"), ScriptRunner::ScriptFault);
}

TEST_F(ScriptRunnerTest, ColoursCompareByValueWhicheverWayTheyAreWritten) {
    auto& nome = dynamic_cast<Edit&>(*screen->FindComponent("edtNome"));
    nome.SetColor(clBlue);
    nome.SetFontColor(clInfoBk);
    EXPECT_EQ(Run("expect edtNome.Color #0000FF\nexpect edtNome.Color clBlue\nexpect edtNome.Font.Color "
                  "clInfoBk\n"),
              ScriptRunner::Passed)
        << out.str();
    EXPECT_EQ(Run("expect edtNome.Color #0000FE\n"), ScriptRunner::ExpectationFailed);
}

TEST_F(ScriptRunnerTest, TabsKeysAndTodayActAsAPersonWould) {
    int status = Run("tab pgcPrincipal tshDois\n"
                     "expect page pgcPrincipal tshDois\n"
                     "key chbAtivo SPACE\n"
                     "expect chbAtivo.Checked true\n"
                     "today 2024-02-29\n"
                     "click btnHoje\n"
                     "expect message 2024-02-29\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
}

TEST_F(ScriptRunnerTest, OpenRunsTheOpenerAndShowsItsFailureAsAMessage) {
    EXPECT_EQ(Run("open TELA\nopen PED01100\nexpect message \"Módulo da tela PED01100 não encontrado.\"\n"),
              ScriptRunner::Passed);
    EXPECT_EQ(opened, std::vector<std::string>{"TELA"});
    EXPECT_TRUE(Saw("error: Módulo da tela PED01100 não encontrado."));
}

TEST_F(ScriptRunnerTest, DumpListsAFormsControlsAndADatasetsRows) {
    EXPECT_EQ(Run("dump frmTela\ndump cdsNomes\n"), ScriptRunner::Passed);
    EXPECT_TRUE(Saw("    chbAtivo: Enabled=true Visible=true Focused=false Caption=\"\" Checked=\"false\""));
    EXPECT_TRUE(Saw("  cdsNomes: RecordCount=3 RecNo=1 fields NOME DATA"));
    EXPECT_TRUE(Saw("    [2] \"Bia\" \"11/05/2024\""));
}

TEST_F(ScriptRunnerTest, PaintedCellsAndColumnsAreReadFromTheGridsOwnPainting) {
    auto& grid = dynamic_cast<DBGrid&>(*screen->FindComponent("dbgNomes"));
    grid.Columns()[0].SetWidth(30); // "Caio" fits, a longer name would be cut
    grid.OnDrawColumnCell = [](DBGrid& sender, const Rect& rect, int, Column& column, GridDrawState) {
        if (column.FieldName() != "NOME")
            return;
        sender.Canvas().FillRect(rect, clInfoBk);
        sender.Canvas().SetTextColor(clRed);
        sender.Canvas().TextOut(rect.Left + 2, rect.Top + 2, column.Field()->AsString() + "!");
    };
    int status = Run("expect columns dbgNomes \"NOME DATA\"\n"
                     "expect painted dbgNomes 2 NOME text Bia!\n"
                     "expect painted dbgNomes 2 NOME color #FF0000\n"
                     "expect painted dbgNomes 2 NOME brush clInfoBk\n"
                     "expect painted dbgNomes 2 DATA text 11/05/2024\n"
                     "expect painted dbgNomes 2 DATA image \"\"\n"
                     "expect painted dbgNomes 2 DATA focus false\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
    grid.Columns()[1].SetVisible(false);
    EXPECT_EQ(Run("expect columns dbgNomes NOME\n"), ScriptRunner::Passed) << out.str();
    EXPECT_EQ(Run("expect painted dbgNomes 2 DATA text x\n"), ScriptRunner::ScriptFault);
    EXPECT_EQ(Run("expect painted dbgNomes 4 NOME text x\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 1: dbgNomes does not show row 4"));
}

TEST_F(ScriptRunnerTest, QuestionsMessagesBusyStateAndModuleVariablesAreSeen) {
    screen->Add<Button>("btnOcupado").OnClick = [](Control&) {
        Application::Instance().Platform().SetBusy(true, 0);
    };
    runner.SetVariableReader([](const std::string& name) -> std::optional<std::string> {
        if (name == "inContPedidoCh")
            return "2";
        return std::nullopt;
    });
    int status = Run("expect messages 0\n"
                     "expect busy false\n"
                     "answer yes\n"
                     "click btnPergunta\n"
                     "expect question Confirma?\n"
                     "expect messages 1\n"
                     "click btnOcupado\n"
                     "expect busy true\n"
                     "expect var inContPedidoCh 2\n"
                     "expect picktitle \"\"\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
    EXPECT_EQ(Run("expect var boNaoExiste true\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 1: no module exports a variable named boNaoExiste"));
}

TEST_F(ScriptRunnerTest, RemoteCallsAreCountedPerMethodAndForgottenOnReset) {
    RemoteCallLog& log = RemoteCallLog::Instance();
    log.Reset();
    log.Record("GetItemPedido", {std::string("0001"), std::string("0000000001")});
    log.Record("GetItemPedido", {std::string("0001"), std::string("0000000002")});
    log.Record("GetPedido", {RemoteDate{data::EncodeDate(2024, 5, 15)}, RemoteDate{0},
                             data::Packet{{{"NRPEDIDO", data::FieldType::String, 10}},
                                          {{std::string("1")}, {std::string("2")}}}});
    int status = Run("expect calls GetItemPedido 2\n"
                     "expect calls * 3\n"
                     "expect arg GetItemPedido 2 0000000002\n"
                     "expect arg GetPedido 1 2024-05-15\n"
                     "expect arg GetPedido 2 \"\"\n"
                     "expect arg GetPedido 3 2\n"
                     "calls reset\n"
                     "expect calls * 0\n");
    EXPECT_EQ(status, ScriptRunner::Passed) << out.str();
    EXPECT_EQ(Run("expect arg GetPedido 1 x\n"), ScriptRunner::ScriptFault);
    EXPECT_TRUE(Saw("script error: line 1: GetPedido was not called since the last reset"));
}

TEST_F(ScriptRunnerTest, TheApplicationGetsItsPlatformBackAfterTheRun) {
    Run("click chbAtivo\n");
    EXPECT_EQ(&app.Platform(), &fallback);
}

} // namespace
