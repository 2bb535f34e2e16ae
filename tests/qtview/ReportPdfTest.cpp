#include "app/ReportPdfWriter.h"
#include "report/ReportBuilder.h"
#include "report/ReportFonts.h"
#include "testkit/ChildProcess.h"
#include "testkit/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

report::Document ThreePages() {
    report::ReportBuilder builder({"Filial 0001 - MATRIZ", "PED01100", "Relatório de teste", "filtro", "DEMO",
                                   "15/05/2024 10:00", "rodapé"});
    for (int i = 0; i < 150; ++i) {
        builder.AddRow(12, [&, i](report::Page& page, int top) {
            page.AddText({builder.Left(), top, builder.Left() + 80, top + 10},
                         "linha " + std::to_string(i) + " com um texto que não cabe", report::Regular(8));
        });
    }
    return builder.Finish("vazio");
}

// Qt's writer, with the application object of the desktop view already there: one A4 sheet
// per page, the texts searchable and cut to their column.
TEST(ReportPdfTest, EveryPageBecomesAnA4SheetWithItsTexts) {
    testkit::TempDir folder("report-pdf");
    const auto file = (folder.Path() / "teste.pdf").string();
    const auto document = ThreePages();
    ASSERT_EQ(document.PageCount(), 3);
    host::CreateQtPdfWriter()->Write(document, file);

    const auto info = testkit::ChildProcess::Run({"/usr/bin/pdfinfo", file});
    ASSERT_EQ(info.exitStatus, 0) << info.err;
    EXPECT_TRUE(std::regex_search(info.out, std::regex("Pages:\\s+3\n"))) << info.out;
    EXPECT_TRUE(std::regex_search(info.out, std::regex("Page size:\\s+595(\\.[0-9]+)? x 842"))) << info.out;
    const auto text = testkit::ChildProcess::Run({"/usr/bin/pdftotext", "-layout", file, "-"});
    ASSERT_EQ(text.exitStatus, 0) << text.err;
    for (const char* expected : {"Página 1 de 3", "Página 3 de 3", "Relatório de teste", "linha 149"})
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.out.find("não cabe"), std::string::npos) << "texts are cut to their column";
}

TEST(ReportPdfTest, AFileThatCannotBeWrittenIsAnOperatorMessage) {
    try {
        host::CreateQtPdfWriter()->Write(ThreePages(), "/nonexistent/folder/teste.pdf");
        ADD_FAILURE() << "written";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Não foi possível gravar o arquivo /nonexistent/folder/teste.pdf.");
    }
}

} // namespace
