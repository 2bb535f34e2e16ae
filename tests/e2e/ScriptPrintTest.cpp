#include "script/ScriptRunner.h"
#include "report/PrintService.h"
#include "report/ReportBuilder.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/HeadlessPlatform.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using host::ScriptRunner;

// Records what it was asked to write; the desktop's PDF writer is exercised by the print
// screen's end-to-end runs.
class RecordingPdfWriter : public host::ReportPdfWriter {
public:
    void Write(const report::Document& document, const std::string& file) override {
        written.push_back(file + ":" + std::to_string(document.PageCount()));
    }
    std::vector<std::string> written;
};

// A screen whose buttons hand a two-page report to the print service.
class ScriptPrintTest : public testing::Test {
protected:
    ScriptPrintTest() {
        app.SetPlatform(fallback);
        auto& screen = app.CreateForm<ui::Form>("frmTela");
        const std::pair<const char*, report::PrintAction> buttons[] = {
            {"btnVer", report::PrintAction::Preview},
            {"btnImprimir", report::PrintAction::Print},
            {"btnPdf", report::PrintAction::SavePdf}};
        for (const auto& [name, action] : buttons) {
            screen.Add<ui::Button>(name).OnClick = [action = action](ui::Control&) {
                report::CurrentPrintService().Output(Report(), action, "tela.pdf");
            };
        }
        screen.Show();
        runner.Printer().SetPdfWriter(&writer);
    }

    static report::Document Report() {
        report::ReportBuilder builder({"Empresa", "Filial", "Relatório", "", "DEMO", "", ""});
        for (int i = 0; i < 80; ++i)
            builder.AddRow(12, [](report::Page&, int) {});
        return builder.Finish("vazio");
    }

    int Run(const std::string& script) { return runner.Run(script); }
    bool Saw(const std::string& line) const { return out.str().find(line + "\n") != std::string::npos; }

    ui::HeadlessPlatform fallback;
    ui::Application app;
    std::ostringstream out;
    ScriptRunner runner{app, out};
    RecordingPdfWriter writer;
};

TEST_F(ScriptPrintTest, PreviewIsWrittenToTheTranscriptAndPrintAndSaveWriteTheQueuedFilesInOrder) {
    EXPECT_EQ(Run("click btnVer\npdf a.pdf\npdf b.pdf\nclick btnImprimir\nclick btnPdf\n"),
              ScriptRunner::Passed)
        << out.str();
    EXPECT_TRUE(Saw("preview: Relatório (2 páginas)")) << out.str();
    EXPECT_TRUE(Saw("print: Relatório (2 páginas) -> a.pdf")) << out.str();
    EXPECT_TRUE(Saw("save: Relatório (2 páginas) -> b.pdf")) << out.str();
    EXPECT_EQ(writer.written, (std::vector<std::string>{"a.pdf:2", "b.pdf:2"}));
}

// Without a queued file the name is asked in a window that the next lines fill in: the offered name
// is selected, so writing replaces it; "Cancelar" writes nothing.
TEST_F(ScriptPrintTest, APrintWithoutAPdfAnswerAsksTheFileNameInAWindowTheNextLinesFill) {
    EXPECT_EQ(Run("click btnPdf\nexpect edtArquivo.Text tela.pdf\nwrite c.pdf\npress ENTER\n"
                  "click btnImprimir\npress ESC\n"),
              ScriptRunner::Passed)
        << out.str();
    EXPECT_TRUE(Saw("save: Relatório (2 páginas) -> c.pdf")) << out.str();
    EXPECT_TRUE(Saw("print: Relatório (2 páginas) -> none")) << out.str();
    EXPECT_EQ(writer.written, std::vector<std::string>{"c.pdf:2"});
    out.str("");
    EXPECT_EQ(Run("click btnPdf\n"), ScriptRunner::ScriptFault);
    EXPECT_NE(out.str().find("'frmArquivoPdf' (\"Salvar PDF\")"), std::string::npos) << out.str();
}

TEST_F(ScriptPrintTest, APdfAnswerLeftUnusedIsAScriptError) {
    EXPECT_EQ(Run("pdf a.pdf\nclick btnVer\n"), ScriptRunner::ScriptFault);
    EXPECT_NE(out.str().find("1 queued answer(s) left unused at the end"), std::string::npos) << out.str();
}

TEST_F(ScriptPrintTest, PdfTakesOneFileNameEndingInPdf) {
    for (const char* line : {"pdf a.png\n", "pdf\n", "pdf a.pdf b.pdf\n"}) {
        out.str("");
        EXPECT_EQ(Run(line), ScriptRunner::ScriptFault) << line;
        EXPECT_NE(out.str().find("script error: line 1:"), std::string::npos) << out.str();
    }
}

TEST_F(ScriptPrintTest, OutsideAScriptRunThePrintServiceIsGone) {
    EXPECT_EQ(Run("click btnVer\n"), ScriptRunner::Passed);
    EXPECT_THROW(report::CurrentPrintService(), std::runtime_error);
}

} // namespace
