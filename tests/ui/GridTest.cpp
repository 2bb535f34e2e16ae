#include "Fixture.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/Form.h"
#include "ui/RecordingCanvas.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace ui;

namespace {

class GridTest : public UiTest {
protected:
    GridTest() : form(app.CreateForm<Form>("frm")), grid(form.Add<DBGrid>("dbgPadrao")) {
        orders.AddField("NRPEDIDO", data::FieldType::String, 10);
        orders.AddField("QTITEMPED", data::FieldType::Float).SetAlignment(data::Alignment::Right);
        orders.LoadFromPacket(
            {{{"NRPEDIDO", data::FieldType::String, 10}, {"QTITEMPED", data::FieldType::Float, 0}},
             {{"0000000001", 1.0}, {"0000000002", 2.0}, {"0000000003", 3.0}}});
        source.SetDataSet(&orders);
        grid.SetDataSource(&source);
        grid.Columns().Add().SetFieldName("NRPEDIDO");
        grid.Columns().Add().SetFieldName("QTITEMPED");
        orders.AfterScroll = [this](data::DataSet&) { ++scrolls; };
        form.Show();
    }

    data::DataSet orders{"cdsPedido"};
    data::DataSource source{"dtsPedido"};
    Form& form;
    DBGrid& grid;
    int scrolls = 0;
};

} // namespace

TEST_F(GridTest, PaintingARowGivesTheHandlerThatRowsValuesWithoutMovingTheCursor) {
    std::vector<std::string> painted;
    grid.OnDrawColumnCell = [&](DBGrid&, const Rect&, int dataCol, Column& column, GridDrawState) {
        painted.push_back(std::to_string(dataCol) + ":" + column.Field()->AsString());
    };
    RecordingCanvas canvas;

    for (int row = 0; row < grid.RowCount(); ++row)
        grid.PaintCell(canvas, row, 0, {0, row * 18, 80, row * 18 + 18});
    grid.PaintCell(canvas, 2, 1, {80, 36, 160, 54});

    EXPECT_EQ(painted, (std::vector<std::string>{"0:0000000001", "0:0000000002", "0:0000000003", "1:3"}));
    EXPECT_EQ(orders.RecNo(), 1);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(orders.FieldByName("NRPEDIDO").AsString(), "0000000001");
}

TEST_F(GridTest, PaintHandlersDrawOnTheGridsCanvasOnlyWhileACellIsPainted) {
    grid.SetDefaultDrawing(false);
    grid.OnDrawColumnCell = [](DBGrid& sender, const Rect& rect, int, Column&, GridDrawState) {
        sender.Canvas().TextOut(rect.Left + 2, rect.Top + 2, "PE");
    };
    RecordingCanvas canvas;

    grid.PaintCell(canvas, 1, 0, {0, 18, 80, 36});

    const auto texts = canvas.CallsOf(RecordingCanvas::Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "PE");
    EXPECT_EQ(texts[0].Y, 20);
    EXPECT_THROW(grid.Canvas(), std::logic_error);
}

TEST_F(GridTest, DefaultDrawingFillsAndDrawsTheDisplayTextAlignedBeforeTheHandler) {
    grid.SetOptions({.RowSelect = true, .AlwaysShowSelection = true});
    Font font;
    font.Color = clBlue;
    grid.Columns()[1].SetFont(font);
    grid.OnDrawColumnCell = [&](DBGrid&, const Rect&, int, Column&, GridDrawState state) {
        EXPECT_TRUE(state.Selected);
        EXPECT_FALSE(state.Focused) << "the grid does not have the focus";
    };
    RecordingCanvas canvas;

    grid.PaintCell(canvas, 0, 1, {100, 20, 180, 38});

    auto fills = canvas.CallsOf(RecordingCanvas::Op::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Colour, clHighlight);
    auto texts = canvas.CallsOf(RecordingCanvas::Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "1");
    EXPECT_EQ(texts[0].X, 180 - 2 - RecordingCanvas::CharWidth);
    EXPECT_EQ(texts[0].Y, 22);
    EXPECT_EQ(texts[0].TextColour, clHighlightText);
    EXPECT_EQ(texts[0].Font.Color, clBlue);
}

TEST_F(GridTest, EveryDrawingOfACellStaysInsideTheCell) {
    grid.Columns()[0].SetWidth(40);
    orders.FieldByName("NRPEDIDO").SetAlignment(data::Alignment::Right);
    grid.OnDrawColumnCell = [](DBGrid& sender, const Rect& rect, int, Column&, GridDrawState) {
        sender.Canvas().FillRect({rect.Left - 20, rect.Top, rect.Right + 20, rect.Bottom}, clRed);
    };
    RecordingCanvas canvas(200, 40);
    canvas.FillRect({0, 0, 200, 40}, clWhite);

    grid.PaintCell(canvas, 0, 0, grid.CellRect(0, 0));

    const Rect cell = grid.CellRect(0, 0);
    EXPECT_EQ(canvas.Pixel(cell.Left, cell.Top), clRed);
    EXPECT_EQ(canvas.Pixel(cell.Right, cell.Top), clWhite) << "the handler's fill ends at the cell";
    const auto texts = canvas.CallsOf(RecordingCanvas::Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_LT(texts[0].X, cell.Left) << "a right-aligned text wider than its cell starts left of it";
    EXPECT_EQ(texts[0].Clip, cell) << "and is cut to the cell";
    EXPECT_EQ(canvas.ClipRect(), std::nullopt) << "the clip is given back after the cell";
}

TEST_F(GridTest, DefaultCellTextIsTheFieldsDisplayTextAlignedAsTheColumnSays) {
    data::Field& quantity = orders.FieldByName("QTITEMPED");
    const auto shown = [&](int row) {
        RecordingCanvas canvas;
        grid.PaintCell(canvas, row, 1, grid.CellRect(row, 1));
        return canvas.CallsOf(RecordingCanvas::Op::TextOut).at(0);
    };
    orders.SetRecNo(2);
    orders.Edit();
    quantity.SetAsFloat(3 * 1.10);
    orders.Post();
    EXPECT_EQ(shown(1).Text, "3,3") << "the locale's separator and no binary noise";
    EXPECT_EQ(shown(1).X, grid.CellRect(1, 1).Right - 2 - 3 * RecordingCanvas::CharWidth);
    quantity.SetDisplayFormat("###0.00");
    EXPECT_EQ(shown(1).Text, "3,30");
    quantity.OnGetText = [](data::Field&, std::string& text, bool) { text = "<" + text + ">"; };
    EXPECT_EQ(shown(1).Text, "<3,30>");
    grid.Columns()[1].SetAlignment(data::Alignment::Left);
    EXPECT_EQ(shown(1).X, grid.CellRect(1, 1).Left + 2);
}

TEST_F(GridTest, VisibleCellsLieSideBySideBelowTheTitlesFromTheTopRow) {
    grid.Columns()[0].SetWidth(40);
    grid.Columns()[1].SetWidth(30);
    EXPECT_EQ(grid.CellRect(0, 0), (Rect{0, DBGrid::RowHeight, 40, 2 * DBGrid::RowHeight}));
    EXPECT_EQ(grid.CellRect(2, 1), (Rect{40, 3 * DBGrid::RowHeight, 70, 4 * DBGrid::RowHeight}));
    grid.SetVisibleRowCount(2);
    grid.SetTopRow(1);
    EXPECT_EQ(grid.CellRect(1, 0).Top, DBGrid::RowHeight);
    int painted = 0;
    grid.OnDrawColumnCell = [&](DBGrid&, const Rect&, int, Column&, GridDrawState) { ++painted; };
    RecordingCanvas canvas;
    grid.PaintVisible(canvas);
    EXPECT_EQ(painted, 4) << "two visible rows of two columns";
}

TEST_F(GridTest, EmptyDatasetStillAsksTheHandlerForItsOneBlankRow) {
    orders.LoadFromPacket(
        {{{"NRPEDIDO", data::FieldType::String, 10}, {"QTITEMPED", data::FieldType::Float, 0}}, {}});
    int calls = 0;
    grid.OnDrawColumnCell = [&](DBGrid&, const Rect&, int, Column&, GridDrawState) { ++calls; };
    RecordingCanvas canvas;
    grid.PaintCell(canvas, 0, 0, {0, 0, 80, 18});
    grid.PaintCell(canvas, 1, 0, {0, 18, 80, 36});
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(canvas.Texts().empty());
}

TEST_F(GridTest, ColumnsAreInsertedAtAPositionAndRemovedAtRunTime) {
    int notified = 0;
    grid.Subscribe([&](Control&, Property p) { notified += p == Property::Columns; });

    Column& empenho = grid.Columns().Insert(1);
    empenho.SetFieldName("NREMPENHO");
    EXPECT_EQ(grid.Columns().IndexOfField("nrempenho"), 1);
    EXPECT_EQ(grid.Columns()[2].FieldName(), "QTITEMPED");
    EXPECT_EQ(empenho.Index(), 1);
    grid.Columns().Remove(grid.Columns().IndexOfField("NREMPENHO"));

    EXPECT_EQ(grid.Columns().IndexOfField("NREMPENHO"), -1);
    EXPECT_EQ(grid.Columns().Count(), 2);
    EXPECT_EQ(notified, 3);
}

TEST_F(GridTest, GridNeverRepaintsWhileTheDatasetsControlsAreDisabled) {
    int before = grid.DataRepaints();
    orders.DisableControls();
    orders.Next();
    orders.Next();
    orders.First();
    EXPECT_EQ(grid.DataRepaints(), before);
    orders.EnableControls();
    EXPECT_EQ(grid.DataRepaints(), before + 1);
    orders.Last();
    EXPECT_EQ(grid.DataRepaints(), before + 2);
}

TEST_F(GridTest, CellClickMovesToTheRowBeforeOnCellClickAndTitleClickNamesTheColumn) {
    std::string seen;
    grid.OnCellClick = [&](Column& column) {
        seen = column.FieldName() + "@" + orders.FieldByName("NRPEDIDO").AsString();
    };
    grid.OnTitleClick = [&](Column& column) { seen = "title " + column.FieldName(); };

    EXPECT_TRUE(user.ClickCell(grid, 2, 1));
    EXPECT_EQ(seen, "QTITEMPED@0000000003");
    EXPECT_EQ(scrolls, 1);
    EXPECT_TRUE(grid.Focused());
    EXPECT_TRUE(user.ClickTitle(grid, 0));
    EXPECT_EQ(seen, "title NRPEDIDO");
    EXPECT_FALSE(user.ClickCell(grid, 7, 0));
}

TEST_F(GridTest, ArrowKeysMoveTheCursorAfterTheGridsOnKeyDown) {
    std::vector<int> keys;
    grid.OnKeyDown = [&](Control&, int& key, ShiftState) { keys.push_back(key); };
    user.PressKey(grid, Key::Down);
    user.PressKey(grid, Key::Space);
    EXPECT_EQ(orders.RecNo(), 2);
    EXPECT_EQ(keys, (std::vector<int>{Key::Down, Key::Space}));
}

TEST_F(GridTest, NavigatorButtonsFollowTheCursorAndDbTextShowsTheCurrentRow) {
    auto& nav = form.Add<DBNavigator>("dbnPadrao");
    auto& text = form.Add<DBText>("dbtNome");
    nav.SetDataSource(&source);
    text.SetDataSource(&source);
    text.SetDataField("NRPEDIDO");

    EXPECT_FALSE(nav.IsButtonEnabled(NavigateButton::First));
    EXPECT_TRUE(nav.IsButtonEnabled(NavigateButton::Next));
    nav.Click(NavigateButton::Last);
    EXPECT_EQ(text.Text(), "0000000003");
    EXPECT_TRUE(nav.IsButtonEnabled(NavigateButton::Prior));
    EXPECT_FALSE(nav.IsButtonEnabled(NavigateButton::Last));
    nav.SetEnabled(false);
    EXPECT_FALSE(nav.IsButtonEnabled(NavigateButton::First));
}

TEST_F(GridTest, DataSourceDestroyedBeforeTheGridLeavesItUnbound) {
    auto other = std::make_unique<data::DataSource>("dtsOther");
    other->SetDataSet(&orders);
    grid.SetDataSource(other.get());
    other.reset();
    EXPECT_EQ(grid.DataSource(), nullptr);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST(CanvasTest, BitmapIsCopiedUnscaledWithKeyPixelsInTheCurrentFillColour) {
    Bitmap check = Bitmap::FromRows({"ok", "kk"}, {{'o', clOlive}, {'k', clBlack}});
    RecordingCanvas canvas(4, 4);
    canvas.FillRect({0, 0, 4, 4}, clInfoBk);

    canvas.DrawBitmap({1, 0, 4, 1}, check, clOlive);

    EXPECT_EQ(canvas.Pixel(1, 0), clInfoBk) << "key colour drawn in the fill colour";
    EXPECT_EQ(canvas.Pixel(2, 0), clBlack);
    EXPECT_EQ(canvas.Pixel(3, 0), clInfoBk) << "beyond the bitmap nothing is drawn";
    EXPECT_EQ(canvas.Pixel(1, 1), clInfoBk) << "clipped to the destination";
}

TEST(CanvasTest, ClipKeepsFillsAndBitmapsInsideIt) {
    RecordingCanvas canvas(6, 2);
    canvas.SetClipRect(Rect{1, 0, 3, 2});
    canvas.FillRect({0, 0, 6, 2}, clRed);
    canvas.DrawBitmap({2, 0, 6, 1}, Bitmap::FromRows({"kk"}, {{'k', clBlack}}), clOlive);
    canvas.SetClipRect(std::nullopt);
    canvas.FillRect({5, 1, 6, 2}, clBlue);
    EXPECT_EQ(canvas.Pixel(0, 0), clWindow);
    EXPECT_EQ(canvas.Pixel(1, 0), clRed);
    EXPECT_EQ(canvas.Pixel(2, 0), clBlack);
    EXPECT_EQ(canvas.Pixel(3, 0), clWindow) << "the bitmap is cut at the clip";
    EXPECT_EQ(canvas.Pixel(5, 1), clBlue) << "without a clip the whole canvas is reached";
}

TEST(CanvasTest, SeenInCountsOnlyWhatIsLeftVisibleInTheArea) {
    const Rect cell{100, 0, 160, 18};
    const Bitmap tick = Bitmap::FromRows({"k"}, {{'k', clBlack}});
    struct Case {
        const char* what;
        std::function<void(RecordingCanvas&)> draw;
        std::vector<std::string> texts;
        std::optional<Color> brush;
        bool focus;
        bool picture;
    };
    const Case cases[] = {
        {"text inside", [](RecordingCanvas& c) { c.TextOut(102, 2, "PE"); }, {"PE"}, {}, false, false},
        {"text from the left neighbour runs in",
         [](RecordingCanvas& c) { c.TextOut(60, 2, "3.3000000000000003"); },
         {"3.3000000000000003"},
         {},
         false,
         false},
        {"the same text cut to its own cell",
         [](RecordingCanvas& c) {
             c.SetClipRect(Rect{40, 0, 100, 18});
             c.TextOut(60, 2, "3.3000000000000003");
         },
         {},
         {},
         false,
         false},
        {"a later fill hides text and focus",
         [&](RecordingCanvas& c) {
             c.TextOut(102, 2, "X");
             c.DrawFocusRect(cell);
             c.FillRect(cell, clInfoBk);
             c.TextOut(104, 2, "Y");
         },
         {"Y"},
         clInfoBk,
         false,
         false},
        {"focus and picture stay over the fill",
         [&](RecordingCanvas& c) {
             c.FillRect(cell, clHighlight);
             c.DrawBitmap({101, 0, 117, 18}, tick, clOlive);
             c.DrawFocusRect(cell);
         },
         {},
         clHighlight,
         true,
         true},
        {"a fill over part of the cell is no brush",
         [](RecordingCanvas& c) {
             c.FillRect({100, 0, 120, 18}, clRed);
         },
         {},
         {},
         false,
         false},
    };
    for (const Case& test : cases) {
        RecordingCanvas canvas;
        test.draw(canvas);
        const RecordingCanvas::Seen seen = canvas.SeenIn(cell);
        EXPECT_EQ(seen.Texts, test.texts) << test.what;
        EXPECT_EQ(seen.Brush, test.brush) << test.what;
        EXPECT_EQ(seen.Focus, test.focus) << test.what;
        EXPECT_EQ(seen.Picture.has_value(), test.picture) << test.what;
    }
}

TEST(ColorTest, NamesRoundTripAndSystemColoursResolveThroughThePlatform) {
    for (Color c : {clInfoBk, clHighlight, clCaptionText, clWindow, clOlive, Color::Rgb(1, 2, 3)})
        EXPECT_EQ(Color::FromName(c.Name()), c) << c.Name();
    EXPECT_EQ(clInfoBk.SystemIndex(), 24);
    EXPECT_EQ(clHighlight.SystemIndex(), 13);
    EXPECT_EQ(clCaptionText.SystemIndex(), 9);
    EXPECT_EQ(clWindow.SystemIndex(), 5);
    EXPECT_EQ(clTeal.Name(), "clTeal");
    EXPECT_EQ(Color::Rgb(0x12, 0xAB, 0xEF).Name(), "#12ABEF");
    HeadlessPlatform platform;
    EXPECT_FALSE(platform.ResolveColor(clInfoBk).IsSystem());
    EXPECT_EQ(Color::FromName("nonsense"), std::nullopt);
}
