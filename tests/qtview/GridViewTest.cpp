#include "ViewFixture.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/Canvas.h"
#include "ui/DBGrid.h"

#include <QHeaderView>
#include <QImage>
#include <QTableView>
#include <string>
#include <vector>

using namespace ui;

namespace {

class GridViewTest : public ViewTest {
protected:
    GridViewTest() : form(MakeForm(FormStyle::MDIChild, 500, 300)), grid(form.Add<DBGrid>("dbgPadrao")) {
        orders.AddField("NRPEDIDO", data::FieldType::String, 10);
        orders.AddField("IDSITPEDIDO", data::FieldType::String, 1);
        Load({"0000000001", "0000000002", "0000000003"});
        source.SetDataSet(&orders);
        grid.SetBounds(0, 0, 300, 200);
        grid.SetDataSource(&source);
        for (const char* field : {"NRPEDIDO", "IDSITPEDIDO"}) {
            Column& column = grid.Columns().Add();
            column.SetFieldName(field);
            column.SetWidth(std::string(field) == "NRPEDIDO" ? 80 : 24);
        }
        grid.Columns()[1].SetTitleCaption("Sit.");
        grid.Columns()[1].SetTitleAlignment(data::Alignment::Right);
        grid.Columns()[0].SetColor(clTeal);
        grid.OnDrawColumnCell = [this](DBGrid&, const Rect&, int, Column& column, GridDrawState state) {
            painted.push_back(orders.FieldByName("NRPEDIDO").AsString() + "/" + column.FieldName() +
                              (state.Selected ? "/selected" : ""));
        };
        form.Show();
        Process();
    }

    void Load(const std::vector<std::string>& numbers) {
        data::Packet packet{
            {{"NRPEDIDO", data::FieldType::String, 10}, {"IDSITPEDIDO", data::FieldType::String, 1}}, {}};
        for (const std::string& number : numbers)
            packet.Rows.push_back({number, std::string("1")});
        orders.LoadFromPacket(packet);
    }

    QTableView& Table() { return WidgetOf<QTableView>(grid); }

    data::DataSet orders{"cdsPedido"};
    data::DataSource source{"dtsPedido"};
    Form& form;
    DBGrid& grid;
    std::vector<std::string> painted;
};

} // namespace

TEST_F(GridViewTest, RowsColumnsAndTitlesFollowTheGridAndItsDataset) {
    QAbstractItemModel& model = *Table().model();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(Table().columnWidth(0), 80);
    EXPECT_EQ(Table().columnWidth(1), 24);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString().toStdString(), "NRPEDIDO");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString().toStdString(), "Sit.");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignRight,
              Qt::AlignRight);

    Load({"1", "2", "3", "4", "5"});
    EXPECT_EQ(model.rowCount(), 5);
    Load({});
    EXPECT_EQ(model.rowCount(), 1) << "an empty dataset still shows one blank row";
    grid.Columns().Remove(1);
    EXPECT_EQ(model.columnCount(), 1);
}

TEST_F(GridViewTest, SymbolFontTitleShowsACheckMark) {
    Font symbol;
    symbol.Name = "Monotype Sorts";
    symbol.Charset = Charset::Symbol;
    grid.Columns()[1].SetTitleCaption("4");
    grid.Columns()[1].SetTitleFont(symbol);
    EXPECT_EQ(Table().model()->headerData(1, Qt::Horizontal).toString(), QString(QChar(0x2714)));
}

TEST_F(GridViewTest, TitlesFitTheFormsWidthsAndOnlyThoseThatCannotAreCutAtTheEnd) {
    grid.Columns()[0].SetTitleCaption("Nº Item Pedido");
    grid.Columns()[1].SetTitleCaption("Preço Unitário");
    grid.Columns()[1].SetWidth(74);
    EXPECT_EQ(Table().model()->headerData(0, Qt::Horizontal).toString(), QString("Nº Item Pedido"));
    EXPECT_EQ(Table().model()->headerData(1, Qt::Horizontal).toString(), QString("Preço Unitário"));
    grid.Columns()[1].SetWidth(40);
    const QString cut = Table().model()->headerData(1, Qt::Horizontal).toString();
    EXPECT_TRUE(cut.startsWith("Pr") && cut.endsWith(QChar(0x2026))) << cut.toStdString();
}

TEST_F(GridViewTest, CellDrawingIsClippedToTheCell) {
    orders.FieldByName("NRPEDIDO").SetAlignment(data::Alignment::Right);
    grid.Columns()[1].SetWidth(24);
    grid.Columns()[0].SetWidth(30); // far too narrow for the right-aligned number
    grid.OnDrawColumnCell = [](DBGrid& sender, const Rect& rect, int, Column&, GridDrawState) {
        sender.Canvas().FillRect({rect.Left - 50, rect.Top, rect.Right + 50, rect.Bottom}, clRed);
    };
    Process();
    QImage picture = Table().viewport()->grab().toImage();
    const int y = Table().rowHeight(0) + Table().rowHeight(0) / 2;
    EXPECT_EQ(picture.pixelColor(15, y), QColor(255, 0, 0));
    EXPECT_NE(picture.pixelColor(80, y), QColor(255, 0, 0)) << "nothing reaches beyond the last column";
}

TEST_F(GridViewTest, VisibleCellsArePaintedThroughTheGridsPaintingAndItsHandler) {
    grid.SetOptions({true, true, true}); // row select, selection always shown
    painted.clear();
    QImage picture = Table().viewport()->grab().toImage();

    EXPECT_NE(std::find(painted.begin(), painted.end(), "0000000002/NRPEDIDO"), painted.end())
        << "the handler reads the painted row";
    EXPECT_NE(std::find(painted.begin(), painted.end(), "0000000001/IDSITPEDIDO/selected"), painted.end())
        << "the current row is drawn selected";
    int rowHeight = Table().rowHeight(0);
    QColor second = picture.pixelColor(77, rowHeight + rowHeight / 2); // right of the text
    EXPECT_EQ(second, QColor(0, 0x80, 0x80)) << "the column's colour fills an unselected cell";
    QColor first = picture.pixelColor(60, rowHeight / 2);
    EXPECT_EQ(first, QApplication::palette().color(QPalette::Highlight))
        << "the selected row in the highlight";
}

TEST_F(GridViewTest, OnlyTheRowsInViewArePainted) {
    std::vector<std::string> many;
    for (int i = 0; i < 500; ++i)
        many.push_back(std::to_string(i));
    Load(many);
    painted.clear();
    (void)Table().viewport()->grab();
    EXPECT_GT(painted.size(), 2u);
    EXPECT_LT(painted.size(), 2u * 20) << "a 200-pixel viewport shows about a dozen rows of two columns";
}

TEST_F(GridViewTest, CurrentRowFollowsTheCursorAndCellClicksMoveIt) {
    std::vector<std::string> cellClicks;
    grid.OnCellClick = [&](Column& column) {
        cellClicks.push_back(orders.FieldByName("NRPEDIDO").AsString() + "/" + column.FieldName());
    };
    orders.Last();
    EXPECT_EQ(Table().currentIndex().row(), 2);

    emit Table().clicked(Table().model()->index(1, 1));
    EXPECT_EQ(orders.RecNo(), 2);
    EXPECT_EQ(cellClicks, (std::vector<std::string>{"0000000002/IDSITPEDIDO"}));
    EXPECT_EQ(Table().currentIndex().row(), 1);
    EXPECT_TRUE(grid.Focused()) << "clicking a cell focuses the grid";
}

TEST_F(GridViewTest, TitleClicksAndKeysGoToTheGridsEvents) {
    std::vector<std::string> titles;
    grid.OnTitleClick = [&](Column& column) { titles.push_back(column.FieldName()); };
    std::vector<std::string> keys;
    grid.OnKeyDown = [&](Control&, int& key, ShiftState shift) {
        keys.push_back(std::to_string(key) + (shift.Ctrl ? "+ctrl" : ""));
    };

    emit Table().horizontalHeader()->sectionClicked(1);
    PressKey(Table(), Qt::Key_Down);
    PressKey(Table(), Qt::Key_Space, Qt::ControlModifier, " ");

    EXPECT_EQ(titles, (std::vector<std::string>{"IDSITPEDIDO"}));
    EXPECT_EQ(keys, (std::vector<std::string>{"40", "32+ctrl"}));
    EXPECT_EQ(orders.RecNo(), 2) << "the arrow moved the cursor through the grid";
}
