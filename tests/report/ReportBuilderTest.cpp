#include "report/ReportBuilder.h"

#include "report/ReportFonts.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

report::PageHeader Header() {
    return {
        "Empresa",          "Filial 0001", "Impressão de Pedidos", "Período 01/01/2024 a 31/12/2024", "DEMO",
        "08/12/2026 14:05", "Rodapé"};
}

// The row texts of a page: those starting with "row ".
std::vector<std::string> RowTexts(const report::Page& page) {
    std::vector<std::string> rows;
    for (const auto& text : page.Texts()) {
        if (text.rfind("row ", 0) == 0)
            rows.push_back(text);
    }
    return rows;
}

struct PaginationCase {
    int rows;
    int height;
};

class PaginationTest : public testing::TestWithParam<PaginationCase> {};

TEST_P(PaginationTest, EveryRowOnceWholeOnOnePageAndEveryPageNumbered) {
    const auto [rows, height] = GetParam();
    report::ReportBuilder builder(Header());
    for (int i = 0; i < rows; ++i) {
        builder.AddRow(height, [&, i](report::Page& page, int top) {
            page.AddText({builder.Left(), top, builder.Right(), top + height}, "row " + std::to_string(i),
                         report::Regular(8));
        });
    }
    const auto document = builder.Finish("vazio");
    const int body = 842 - 36 - 36 - report::PageHeader::Height - report::PageHeader::FooterHeight;
    const int perPage = body / height;
    const int expectedPages = std::max(1, (rows + perPage - 1) / perPage);
    ASSERT_EQ(document.PageCount(), expectedPages);
    int next = 0;
    for (int p = 0; p < document.PageCount(); ++p) {
        const auto& page = document.Pages[static_cast<std::size_t>(p)];
        const auto texts = page.Texts();
        const auto pageText = "Página " + std::to_string(p + 1) + " de " + std::to_string(expectedPages);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), pageText), 2) << "header and foot of page " << p + 1;
        for (const auto& text : RowTexts(page))
            EXPECT_EQ(text, "row " + std::to_string(next++));
        for (const auto& element : page.Elements()) {
            const auto* text = std::get_if<report::TextElement>(&element);
            if (text && text->Text.rfind("row ", 0) == 0) {
                EXPECT_GE(text->Box.Top, 36 + report::PageHeader::Height);
                EXPECT_LE(text->Box.Bottom, 842 - 36 - report::PageHeader::FooterHeight) << text->Text;
            }
        }
    }
    EXPECT_EQ(next, rows);
}

INSTANTIATE_TEST_SUITE_P(Rows, PaginationTest,
                         testing::Values(PaginationCase{1, 12}, PaginationCase{58, 12},
                                         PaginationCase{59, 12}, PaginationCase{200, 12},
                                         PaginationCase{40, 50}, PaginationCase{7, 600}),
                         [](const testing::TestParamInfo<PaginationCase>& instance) {
                             return std::to_string(instance.param.rows) + "RowsOf" +
                                    std::to_string(instance.param.height);
                         });

TEST(ReportBuilderTest, AnEmptyReportIsOnePageWithItsHeaderAndTheEmptyText) {
    report::ReportBuilder builder(Header());
    const auto document = builder.Finish("Nenhum pedido no período.");
    ASSERT_EQ(document.PageCount(), 1);
    const auto texts = document.Pages[0].Texts();
    for (const std::string expected :
         {"Nenhum pedido no período.", "Página 1 de 1", "Impressão de Pedidos", "Empresa", "Filial 0001",
          "Operador: DEMO", "Emitido em 08/12/2026 14:05"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
}

TEST(ReportBuilderTest, ThePageBandStandsOnEveryPageAboveTheRows) {
    report::ReportBuilder builder(Header());
    builder.SetPageBand(14, [&](report::Page& page, int top) {
        page.AddText({builder.Left(), top, builder.Right(), top + 12}, "band", report::Bold(8));
    });
    for (int i = 0; i < 120; ++i)
        builder.AddRow(12, [&](report::Page& page, int top) {
            page.AddText({builder.Left(), top, builder.Right(), top + 12}, "row", report::Regular(8));
        });
    const auto document = builder.Finish("vazio");
    ASSERT_GT(document.PageCount(), 1);
    for (const auto& page : document.Pages) {
        const auto texts = page.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "band"), 1);
    }
}

TEST(ReportBuilderTest, KeepTogetherMovesAGroupThatWouldBeSplitToTheNextPage) {
    report::ReportBuilder builder(Header());
    const auto row = [&](report::Page& page, int top) {
        page.AddText({builder.Left(), top, builder.Right(), top + 12}, "row", report::Regular(8));
    };
    builder.AddRow(12, row);
    while (builder.Remaining() >= 24)
        builder.AddRow(12, row);
    builder.KeepTogether(24);
    builder.AddRow(12, row);
    const auto document = builder.Finish("vazio");
    ASSERT_EQ(document.PageCount(), 2);
    const auto texts = document.Pages[1].Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "row"), 1);
}

TEST(ReportBuilderTest, ABlockTallerThanAPageFlowsOnWithoutAnEmptyPage) {
    report::ReportBuilder builder(Header());
    const auto row = [&](report::Page& page, int top) {
        page.AddText({builder.Left(), top, builder.Right(), top + 12}, "row", report::Regular(8));
    };
    builder.AddRow(12, row);
    builder.KeepTogether(5000);
    for (int i = 0; i < 3; ++i)
        builder.AddRow(12, row);
    const auto document = builder.Finish("vazio");
    ASSERT_EQ(document.PageCount(), 1) << "the block starts where it is";
    const auto texts = document.Pages[0].Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "row"), 4);
}

TEST(ReportBuilderTest, ARowTallerThanAPageIsRefused) {
    report::ReportBuilder builder(Header());
    EXPECT_THROW(builder.AddRow(800, [](report::Page&, int) {}), std::invalid_argument);
}

} // namespace
