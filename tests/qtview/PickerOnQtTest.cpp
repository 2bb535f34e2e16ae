#include "ViewFixture.h"
#include "data/DataSet.h"
#include "ui/PickerForm.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

using namespace ui;

namespace {

// Five justifications, the list a picker of the order screen shows.
class PickerOnQt : public ViewTest {
protected:
    PickerOnQt() {
        rows.AddField("CDJUSTEXCHIS", data::FieldType::String, 4).SetDisplayLabel("Código");
        rows.AddField("DSJUSTEXCHIS", data::FieldType::String, 40).SetDisplayLabel("Descrição");
        data::Packet packet{
            {{"CDJUSTEXCHIS", data::FieldType::String, 4}, {"DSJUSTEXCHIS", data::FieldType::String, 40}},
            {}};
        for (const char* row : {"0001 Cliente desistiu", "0002 Preço", "0003 Prazo de entrega",
                                "0004 Duplicado", "0005 Sem estoque"}) {
            std::string text = row;
            packet.Rows.push_back({text.substr(0, 4), text.substr(5)});
        }
        rows.LoadFromPacket(packet);
        request.Title = "Justificativa de Exclusão do Historico";
        request.DataSet = &rows;
        request.Columns = {"CDJUSTEXCHIS", "DSJUSTEXCHIS"};
        request.KeyField = "CDJUSTEXCHIS";
    }

    // The picker's window once shown, found through the active form.
    PickerForm& Shown() const { return dynamic_cast<PickerForm&>(*app.ModalForm()); }
    QWindow& WindowOf(PickerForm& picker) { return *ViewOf(picker).Window().windowHandle(); }

    // Runs `steps` inside the picker's modal loop, as a person at the desktop would act.
    std::optional<int> PickWhile(const std::function<void(PickerForm&)>& steps) {
        QTimer::singleShot(0, [&] {
            QApplication::processEvents();
            steps(Shown());
        });
        return PickerForm::PickRow(request);
    }

    data::DataSet rows{"qryJustExcl"};
    MultiPickRequest request;
};

} // namespace

// Down, Down, Enter typed in the search line pick the third row; Home, End, Page Down and Up move
// the list from the search line too, and the table shows the model's current row.
TEST_F(PickerOnQt, ArrowKeysTypedInTheSearchLineMoveTheCurrentRowAndEnterTakesIt) {
    struct Step {
        Qt::Key key;
        int row; // the current row after the key, from 0
    };
    const std::vector<Step> steps = {{Qt::Key_Down, 1},   {Qt::Key_Down, 2}, {Qt::Key_End, 4},
                                     {Qt::Key_Up, 3},     {Qt::Key_Home, 0}, {Qt::Key_PageDown, 4},
                                     {Qt::Key_PageUp, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}};
    std::vector<int> seen;
    std::vector<int> shownByTheTable;
    bool focusInSearchLine = false;
    const std::optional<int> picked = PickWhile([&](PickerForm& picker) {
        auto& table = dynamic_cast<QTableView&>(*ViewOf(picker).WidgetOf(picker.dbgPesquisa));
        focusInSearchLine = QApplication::focusWidget() == ViewOf(picker).WidgetOf(picker.edtPesquisa);
        for (const Step& step : steps) {
            QTest::keyClick(&WindowOf(picker), step.key);
            seen.push_back(picker.CurrentRow().value_or(-1));
            shownByTheTable.push_back(table.currentIndex().row());
        }
        QTest::keyClick(&WindowOf(picker), Qt::Key_Return);
    });

    EXPECT_TRUE(focusInSearchLine) << "the list opens with the focus in its search line";
    std::vector<int> wanted;
    for (const Step& step : steps)
        wanted.push_back(step.row);
    EXPECT_EQ(seen, wanted);
    EXPECT_EQ(shownByTheTable, wanted);
    EXPECT_EQ(picked, 2) << "Enter takes the highlighted row, the third";
}

// A list of several rows shows its titles and a mark column, starts with the marked rows, and
// marks with the space bar in the grid and Ctrl+Space in the search line.
TEST_F(PickerOnQt, SeveralRowsListStartsWithTheMarkedRowsAndTheSpaceBarMarks) {
    request.Marked = {4};
    QStringList titles;
    QTimer::singleShot(0, [&] {
        QApplication::processEvents();
        PickerForm& picker = Shown();
        auto& table = dynamic_cast<QTableView&>(*ViewOf(picker).WidgetOf(picker.dbgPesquisa));
        for (int column = 0; column < table.model()->columnCount(); ++column)
            titles << table.model()->headerData(column, Qt::Horizontal).toString();
        QTest::keyClick(&WindowOf(picker), Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(&WindowOf(picker), Qt::Key_Tab);
        QTest::keyClick(&WindowOf(picker), Qt::Key_Down);
        QTest::keyClick(&WindowOf(picker), Qt::Key_Space);
        QTest::keyClick(&WindowOf(picker), Qt::Key_Return);
    });
    const std::optional<std::vector<int>> marked = PickerForm::PickRows(request);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("\u2714"), "Código", "Descrição"}));
    EXPECT_EQ(marked, (std::vector<int>{0, 1, 4}));
}
