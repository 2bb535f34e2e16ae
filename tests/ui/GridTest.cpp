#include "Fixture.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/Form.h"
#include "ui/RecordingCanvas.h"

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
