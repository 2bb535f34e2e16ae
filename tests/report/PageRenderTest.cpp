#include "report/Page.h"
#include "report/ReportFonts.h"
#include "report/TextFit.h"
#include "ui/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

using ui::RecordingCanvas;

struct CutCase {
    std::string text;
    int width;
    std::string expected;
};

class CutToWidthTest : public testing::TestWithParam<CutCase> {};

// The recording canvas measures 7 points per character; accented letters take two bytes, so a
// cut that counted bytes would split them.
TEST_P(CutToWidthTest, KeepsTheLongestWholeCharacterStartThatFits) {
    RecordingCanvas canvas;
    const auto& c = GetParam();
    EXPECT_EQ(report::CutToWidth(canvas, c.text, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CutToWidthTest,
    testing::Values(CutCase{"ABCDEFGHIJ", 70, "ABCDEFGHIJ"}, CutCase{"ABCDEFGHIJ", 30, "ABCD"},
                    CutCase{"ABCDEFGHIJ", 6, ""}, CutCase{"", 10, ""}, CutCase{"AÇÃO", 21, "AÇÃ"},
                    CutCase{"AÇÃO", 20, "AÇ"}, CutCase{"Justificação", 7 * 11, "Justificaçã"},
                    CutCase{"Justificação", 7 * 10 + 6, "Justificaç"}),
    [](const testing::TestParamInfo<CutCase>& instance) { return "Case" + std::to_string(instance.index); });

TEST(PageRenderTest, TextsAreAlignedInTheirBoxAndCutToIt) {
    report::Page page;
    page.AddText({100, 10, 170, 20}, "1.234,56", report::Regular(8), report::Align::Right);
    page.AddText({100, 30, 170, 40}, "A very long client name", report::Regular(8));
    page.AddText({100, 50, 170, 60}, "ab", report::Regular(8), report::Align::Center);
    page.AddLine(36, 559, 70, 1);
    RecordingCanvas canvas(600, 100);
    page.Render(canvas);
    const auto texts = canvas.CallsOf(RecordingCanvas::Op::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "1.234,56");
    EXPECT_EQ(texts[0].X, 170 - 8 * 7);
    EXPECT_EQ(texts[1].Text, "A very lon");
    EXPECT_EQ(texts[1].X, 100);
    EXPECT_EQ(texts[2].X, 100 + (70 - 14) / 2);
    EXPECT_EQ(canvas.Pixel(300, 70), ui::clBlack);
    EXPECT_NE(canvas.Pixel(300, 71), ui::clBlack);
}

} // namespace
