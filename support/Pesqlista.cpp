#include "Pesqlista.h"

#include "DataSetPicking.h"
#include "data/DataSource.h"
#include "data/PaintedRowScope.h"
#include "ui/Application.h"

#include <algorithm>
#include <set>

namespace Pesqlista {
namespace {

std::set<std::string> SplitList(const std::string& list) {
    std::set<std::string> keys;
    if (list.empty())
        return keys;
    std::size_t start = 0;
    for (std::size_t end = list.find('_'); end != std::string::npos; end = list.find('_', start)) {
        keys.insert(list.substr(start, end - start));
        start = end + 1;
    }
    keys.insert(list.substr(start));
    return keys;
}

std::string JoinRows(const std::vector<std::string>& keys, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    std::string joined;
    for (std::size_t i = 0; i < rows.size(); ++i)
        joined += (i == 0 ? "" : "_") + keys.at(static_cast<std::size_t>(rows[i]));
    return joined;
}

std::string WindowTitle(const std::string& title) {
    std::size_t bar = title.find('|');
    if (bar == std::string::npos || bar + 1 == title.size())
        return title.substr(0, bar);
    return title.substr(0, bar) + " - " + title.substr(bar + 1);
}

// The key of each row in display order, read without moving the cursor.
std::vector<std::string> RowKeys(data::DataSet& dataSet, const std::string& keyField) {
    data::Field& field = dataSet.FieldByName(keyField);
    std::vector<std::string> keys;
    for (int row = 0; row < dataSet.RecordCount(); ++row) {
        data::PaintedRowScope scope(dataSet, row);
        keys.push_back(field.AsString());
    }
    return keys;
}

} // namespace

void PesquisaLista(data::DataSource& source, const std::string& keyField, const std::string& title,
                   bool singleRow, std::string& list) {
    data::DataSet& dataSet = support::OpenedDataSetOf(&source, "PesquisaLista");
    std::vector<std::string> keys = RowKeys(dataSet, keyField);
    ui::MultiPickRequest request;
    request.Title = WindowTitle(title);
    request.DataSet = &dataSet;
    request.Columns = support::VisibleFieldNames(dataSet);
    request.KeyField = keyField;
    ui::Platform& platform = ui::Application::Instance().Platform();
    if (singleRow) {
        if (std::optional<int> row = platform.PickRow(request))
            list = keys.at(static_cast<std::size_t>(*row));
        return;
    }
    std::set<std::string> current = SplitList(list);
    for (std::size_t row = 0; row < keys.size(); ++row) {
        if (current.count(keys[row]))
            request.Marked.push_back(static_cast<int>(row));
    }
    if (std::optional<std::vector<int>> marked = platform.PickRows(request))
        list = JoinRows(keys, *marked);
}

} // namespace Pesqlista
