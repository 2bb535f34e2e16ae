#include "ScreenFixture.h"
#include "ui/RecordingCanvas.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using Op = ui::RecordingCanvas::Op;

constexpr int cellLeft = 10;
constexpr int cellTop = 4;
constexpr int cellHeight = 18;

ui::Rect CellRect(const ui::Column& column) {
    return {cellLeft, cellTop, cellLeft + column.Width(), cellTop + cellHeight};
}

// Paints one cell as the view would and keeps only what the screen's handler drew: the grid's own
// drawing before it is dropped from the record (not from the raster).
ui::RecordingCanvas PaintCell(ui::DBGrid& grid, int row, int columnIndex) {
    ui::RecordingCanvas canvas(200, 30);
    auto handler = grid.OnDrawColumnCell;
    grid.OnDrawColumnCell = [&](ui::DBGrid& sender, const ui::Rect& rect, int dataCol, ui::Column& column,
                                ui::GridDrawState state) {
        canvas.Clear();
        handler(sender, rect, dataCol, column, state);
    };
    grid.PaintCell(canvas, row, columnIndex, CellRect(grid.Columns().Item(columnIndex)));
    grid.OnDrawColumnCell = handler;
    return canvas;
}

int ColumnOf(const ui::DBGrid& grid, const std::string& field) {
    for (int i = 0; i < grid.Columns().Count(); ++i)
        if (grid.Columns().Item(i).FieldName() == field)
            return i;
    throw std::runtime_error("no column " + field);
}

void SetRow(data::DataSet& dataSet, int row,
            const std::vector<std::pair<std::string, std::optional<std::string>>>& values) {
    dataSet.SetRecNo(row + 1);
    dataSet.Edit();
    for (const auto& [field, value] : values) {
        if (value)
            dataSet.FieldByName(field).SetAsString(*value);
        else
            dataSet.FieldByName(field).Clear();
    }
    dataSet.Post();
    dataSet.First();
}

std::vector<ui::RecordingCanvas::Call> TextsOf(const ui::RecordingCanvas& canvas) {
    return canvas.CallsOf(Op::TextOut);
}

} // namespace

class GridPaintingTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        screen = &OpenScreenWithFixedBranch();
        LoadAllOrders(*screen);
    }

    // The name of the check image a painted check cell shows, "none" without one.
    std::string ImageShown(const ui::RecordingCanvas& canvas) const {
        const auto bitmaps = canvas.CallsOf(Op::DrawBitmap);
        if (bitmaps.empty())
            return "none";
        const ui::Bitmap& picture = bitmaps.back().Picture;
        if (picture == screen->imgCheck.Bitmap())
            return "imgCheck";
        if (picture == screen->imgUncheck.Bitmap())
            return "imgUncheck";
        if (picture == screen->imgDescheck.Bitmap())
            return "imgDescheck";
        return "another picture";
    }

    void ShowItems() {
        ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshItemPedido));
        ASSERT_GT(screen->cdsItemPedido.RecordCount(), 1) << "the first demo order should have two items";
    }

    TfrmCancelaPed* screen = nullptr;
};

TEST_F(GridPaintingTest, OrderRowsShowTheirSituationColourAbbreviationAndCheckImage) {
    struct Case {
        std::string Situation;
        std::string Check;
        ui::Color Colour;
        std::vector<std::string> Abbreviation;
        std::string Image;
    };
    const Case cases[] = {
        {"1", "N", ui::clBlue, {"PE"}, "imgUncheck"},    {"2", "S", ui::clOlive, {"AN"}, "imgCheck"},
        {"4", "N", ui::clRed, {"CN"}, "imgUncheck"},     {"4", "S", ui::clRed, {"CN"}, "imgCheck"},
        {"3", "S", ui::clPurple, {"LQ"}, "imgDescheck"}, {"5", "N", ui::clPurple, {"LQ"}, "imgDescheck"},
        {"6", "N", ui::clTeal, {"PA"}, "imgDescheck"},   {"7", "N", ui::clRed, {}, "imgDescheck"},
        {"", "S", ui::clRed, {}, "imgDescheck"},         {"1", "", ui::clBlue, {"PE"}, "imgDescheck"},
        {"2", "X", ui::clOlive, {"AN"}, "none"},
    };
    ui::DBGrid& grid = screen->dbgPadrao;
    for (const Case& c : cases) {
        SCOPED_TRACE("situation '" + c.Situation + "', check '" + c.Check + "'");
        SetRow(screen->cdsPedido, 1, {{"IDSITPEDIDO", c.Situation}, {"IDCHECK", c.Check}});

        const ui::RecordingCanvas number = PaintCell(grid, 1, ColumnOf(grid, "NRPEDIDO"));
        ASSERT_EQ(TextsOf(number).size(), 1u);
        EXPECT_EQ(TextsOf(number)[0].TextColour, c.Colour);
        EXPECT_EQ(TextsOf(number)[0].Brush, ui::clInfoBk);
        EXPECT_EQ(TextsOf(number)[0].X, cellLeft + 2);
        EXPECT_EQ(TextsOf(number)[0].Y, cellTop + 2);
        screen->cdsPedido.SetRecNo(2);
        EXPECT_EQ(TextsOf(number)[0].Text, screen->cdsPedido.FieldByName("NRPEDIDO").AsString());
        screen->cdsPedido.First();

        EXPECT_EQ(PaintCell(grid, 1, ColumnOf(grid, "IDSITPEDIDO")).Texts(), c.Abbreviation);
        const ui::RecordingCanvas check = PaintCell(grid, 1, ColumnOf(grid, "IDCHECK"));
        EXPECT_EQ(ImageShown(check), c.Image);
    }
}

TEST_F(GridPaintingTest, CheckImageSitsOneBeyondTheCellsLeftOnItsBackgroundWithoutText) {
    ui::DBGrid& grid = screen->dbgPadrao;
    SetRow(screen->cdsPedido, 1, {{"IDSITPEDIDO", "1"}, {"IDCHECK", "S"}});
    const ui::RecordingCanvas canvas = PaintCell(grid, 1, 0);

    const auto bitmaps = canvas.CallsOf(Op::DrawBitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].Area, (ui::Rect{cellLeft + 1, cellTop, cellLeft + 17, cellTop + cellHeight}));
    EXPECT_EQ(bitmaps[0].Colour, ui::clOlive) << "olive is the transparent key";
    EXPECT_EQ(canvas.Pixel(cellLeft + 1, cellTop), ui::clInfoBk) << "olive drawn in the background";
    EXPECT_EQ(canvas.Pixel(cellLeft + 1 + 10, cellTop + 4), ui::clBlack) << "the tick";
    EXPECT_EQ(canvas.Pixel(cellLeft + 1 + 5, cellTop + 5), ui::clWhite) << "the box";
    EXPECT_EQ(canvas.Pixel(cellLeft, cellTop + 3), ui::clInfoBk);
    // The text drawn first is covered by the second fill of the whole cell.
    const auto fills = canvas.CallsOf(Op::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.back().Area, CellRect(grid.Columns().Item(0)));
}

TEST_F(GridPaintingTest, SelectedCellsAreHighlightedWhateverTheSituation) {
    ui::DBGrid& grid = screen->dbgPadrao;
    SetRow(screen->cdsPedido, 0, {{"IDSITPEDIDO", "4"}, {"IDCHECK", "N"}});
    ASSERT_EQ(grid.CurrentRow(), 0);

    const ui::RecordingCanvas client = PaintCell(grid, 0, ColumnOf(grid, "NMFANTCLIE"));
    ASSERT_EQ(TextsOf(client).size(), 1u);
    EXPECT_EQ(TextsOf(client)[0].TextColour, ui::clCaptionText);
    EXPECT_EQ(TextsOf(client)[0].Brush, ui::clHighlight);

    const ui::RecordingCanvas check = PaintCell(grid, 0, 0);
    EXPECT_EQ(ImageShown(check), "imgUncheck");
    EXPECT_EQ(check.Pixel(cellLeft + 1, cellTop), ui::clHighlight) << "the image keeps the highlight";
}

TEST_F(GridPaintingTest, FocusRectangleOnTheFocusedCellButNeverOnACheckCell) {
    ui::DBGrid& grid = screen->dbgPadrao;
    ASSERT_TRUE(user.Focus(grid));
    grid.SetSelectedIndex(ColumnOf(grid, "NRPEDIDO"));
    const ui::RecordingCanvas number = PaintCell(grid, 0, ColumnOf(grid, "NRPEDIDO"));
    ASSERT_EQ(number.CallsOf(Op::DrawFocusRect).size(), 1u);
    EXPECT_EQ(number.CallsOf(Op::DrawFocusRect)[0].Area, CellRect(grid.Columns().Item(2)));

    grid.SetSelectedIndex(0);
    const ui::RecordingCanvas check = PaintCell(grid, 0, 0);
    const auto& calls = check.Calls();
    const auto lastFocus = std::find_if(calls.rbegin(), calls.rend(),
                                        [](const auto& call) { return call.Kind == Op::DrawFocusRect; });
    ASSERT_NE(lastFocus, calls.rend());
    bool covered = false;
    for (auto i = static_cast<std::size_t>(calls.rend() - lastFocus); i < calls.size(); ++i)
        covered =
            covered || (calls[i].Kind == Op::FillRect && calls[i].Area == CellRect(grid.Columns().Item(0)));
    EXPECT_TRUE(covered) << "the focus rectangle is painted over";
}

TEST_F(GridPaintingTest, EmptyDatasetsPaintNothing) {
    screen->cdsPedido.Close();
    screen->cdsPedido.Open();
    ASSERT_TRUE(screen->cdsPedido.IsEmpty());
    for (int column : {0, 1, 2})
        EXPECT_TRUE(PaintCell(screen->dbgPadrao, 0, column).Calls().empty());
}

TEST_F(GridPaintingTest, ItemRowsShowTheirSituationColourAbbreviationAndCheckImage) {
    ShowItems();
    struct Case {
        std::string Situation;
        std::string Check;
        std::optional<ui::Color> Colour; // none: the column's font colour
        std::vector<std::string> Abbreviation;
        std::string Image;
    };
    const Case cases[] = {
        {"1", "N", ui::clBlue, {"PE"}, "imgUncheck"},  {"2", "S", ui::clOlive, {"CF"}, "imgCheck"},
        {"3", "N", ui::clGreen, {"AP"}, "imgUncheck"}, {"4", "N", ui::clPurple, {"LQ"}, "imgDescheck"},
        {"5", "N", ui::clRed, {"CN"}, "imgUncheck"},   {"6", "S", ui::clPurple, {"LQ"}, "imgDescheck"},
        {"7", "N", ui::clTeal, {"PA"}, "imgDescheck"}, {"9", "S", std::nullopt, {}, "imgCheck"},
        {"", "N", std::nullopt, {}, "imgUncheck"},     {"1", "", ui::clBlue, {"PE"}, "imgDescheck"},
    };
    // Without a commitment number the branch's commitment control does not matter.
    SetRow(screen->cdsPedido, 0, {{"NREMPENHO", std::nullopt}});
    ui::DBGrid& grid = screen->dbgItemPedido;
    const int nameColumn = ColumnOf(grid, "NMPRODUTO");
    for (const Case& c : cases) {
        SCOPED_TRACE("situation '" + c.Situation + "', check '" + c.Check + "'");
        SetRow(screen->cdsItemPedido, 1, {{"IDSITITEMPED", c.Situation}, {"IDCHECK", c.Check}});

        const ui::RecordingCanvas name = PaintCell(grid, 1, nameColumn);
        ASSERT_EQ(TextsOf(name).size(), 1u);
        EXPECT_EQ(TextsOf(name)[0].TextColour,
                  c.Colour.value_or(grid.Columns().Item(nameColumn).Font().Color));
        EXPECT_EQ(TextsOf(name)[0].Brush, ui::clInfoBk);
        EXPECT_EQ(PaintCell(grid, 1, ColumnOf(grid, "IDSITITEMPED")).Texts(), c.Abbreviation);
        EXPECT_EQ(ImageShown(PaintCell(grid, 1, 0)), c.Image);
    }
}

TEST_F(GridPaintingTest, ItemsOfAnOrderWithACommitmentCannotBeCheckedWhereTheBranchControlsCommitments) {
    ShowItems();
    SetRow(screen->cdsPedido, 0, {{"NREMPENHO", "2024NE000101"}});
    SetRow(screen->cdsItemPedido, 1, {{"IDSITITEMPED", "1"}, {"IDCHECK", "N"}});
    for (const auto& [control, image] : {std::pair{"S", "imgDescheck"}, std::pair{"N", "imgUncheck"}}) {
        SCOPED_TRACE(std::string("IDUTCTREMPEN ") + control);
        screen->cdsParamPedido.Edit();
        screen->cdsParamPedido.FieldByName("IDUTCTREMPEN").SetAsString(control);
        screen->cdsParamPedido.Post();
        EXPECT_EQ(ImageShown(PaintCell(screen->dbgItemPedido, 1, 0)), image);
    }
}

TEST_F(GridPaintingTest, ItemNumbersAreRightAlignedWithFixedDecimalsAndTheTreeCodeMasked) {
    ShowItems();
    struct Case {
        std::string Field;
        std::optional<std::string> Value;
        std::string Shown;
        bool Right;
    };
    const Case cases[] = {
        {"QTITEMPED", "2", "2,000", true},
        {"QTITEMPED", "1000", "1000,000", true},
        {"QTITEMPED", "-1.5", "-1,500", true},
        {"QTITEMPED", std::nullopt, "", false},
        {"VRPREUNITPED", "0.5", "0,50", true},
        {"VRPREUNITPED", "1234.5", "1234,50", true},
        {"VRPREUNITPED", std::nullopt, "", false},
        {"CDARVPROD", "101001", "1.01.001", false},
        {"CDARVPROD", "", "", false},
        {"NMPRODUTO", "ARROZ", "ARROZ", false},
        {"SGUNIDADE", std::nullopt, "", false},
    };
    ui::DBGrid& grid = screen->dbgItemPedido;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Field + " " + c.Value.value_or("(empty)"));
        SetRow(screen->cdsItemPedido, 1, {{c.Field, c.Value}});
        const int index = ColumnOf(grid, c.Field);
        const auto texts = TextsOf(PaintCell(grid, 1, index));
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, c.Shown);
        const int width = ui::RecordingCanvas::CharWidth * static_cast<int>(c.Shown.size());
        const int expectedX =
            c.Right ? cellLeft + grid.Columns().Item(index).Width() - 2 - width : cellLeft + 2;
        EXPECT_EQ(texts[0].X, expectedX);
    }
}

TEST_F(GridPaintingTest, TotalIsQuantityTimesPriceUnroundedAndShownWithTwoDecimals) {
    ShowItems();
    ui::DBGrid& grid = screen->dbgItemPedido;
    struct Case {
        std::optional<std::string> Quantity;
        std::optional<std::string> Price;
        double Total;
        std::string Shown;
    };
    const Case cases[] = {
        {"3", "0.333", 0.999, "1,00"}, {"2", "1500", 3000, "3000,00"}, {"4", std::nullopt, 0, "0,00"}};
    for (const Case& c : cases) {
        SetRow(screen->cdsItemPedido, 1, {{"QTITEMPED", c.Quantity}, {"VRPREUNITPED", c.Price}});
        screen->cdsItemPedido.SetRecNo(2);
        EXPECT_DOUBLE_EQ(screen->cdsItemPedido.FieldByName("VrTotal").AsFloat(), c.Total);
        screen->cdsItemPedido.First();
        EXPECT_EQ(PaintCell(grid, 1, ColumnOf(grid, "VrTotal")).Texts(), std::vector<std::string>{c.Shown});
    }
}

TEST_F(GridPaintingTest, TreeCodeDisplayTextGoesThroughTheMaskUnlessThereAreNoItems) {
    screen->cdsItemPedido.Close();
    screen->cdsItemPedido.Open();
    data::Field& field = screen->cdsItemPedido.FieldByName("CDARVPROD");
    std::string text = "untouched";
    screen->cdsItemPedidoCDARVPRODGetText(field, text, true);
    EXPECT_EQ(text, "untouched");

    ShowItems();
    SetRow(screen->cdsItemPedido, 0, {{"CDARVPROD", "201002"}});
    screen->cdsItemPedidoCDARVPRODGetText(field, text, true);
    EXPECT_EQ(text, "2.01.002");
    EXPECT_FALSE(field.OnGetText) << "the handler is not bound to the field";
}

TEST_F(GridPaintingTest, TitleClickOrdersTheOrdersAscendingBySortableColumnsOnly) {
    ui::DBGrid& grid = screen->dbgPadrao;
    auto firstOf = [this](const std::string& field) {
        screen->cdsPedido.First();
        return screen->cdsPedido.FieldByName(field).AsString();
    };
    const std::string before = screen->cdsPedido.IndexFieldNames();
    ASSERT_TRUE(user.ClickTitle(grid, 0));
    EXPECT_EQ(screen->cdsPedido.IndexFieldNames(), before) << "the check title never reorders";
    ASSERT_EQ(platform.Errors(), std::vector<std::string>{});

    for (const char* field : {"NMFANTCLIE", "IDSITPEDIDO", "DTPEDIDO", "DTENTPED", "NREMPENHO", "NRPEDIDO"}) {
        SCOPED_TRACE(field);
        ASSERT_TRUE(user.ClickTitle(grid, ColumnOf(grid, field)));
        EXPECT_EQ(screen->cdsPedido.IndexFieldNames(), field);
    }
    const std::string first = firstOf("NRPEDIDO");
    ASSERT_TRUE(user.ClickTitle(grid, ColumnOf(grid, "NRPEDIDO")));
    EXPECT_EQ(screen->cdsPedido.IndexFieldNames(), "NRPEDIDO");
    EXPECT_EQ(firstOf("NRPEDIDO"), first) << "a second click keeps the ascending order";
    screen->cdsPedido.Last();
    EXPECT_GT(screen->cdsPedido.FieldByName("NRPEDIDO").AsString(), first);
}
