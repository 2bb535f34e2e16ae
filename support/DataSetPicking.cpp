#include "DataSetPicking.h"

#include "data/DataSource.h"
#include "ui/Application.h"

#include <stdexcept>

namespace support {

data::DataSet& OpenedDataSetOf(data::DataSource* source, const std::string& caller) {
    data::DataSet* dataSet = source ? source->GetDataSet() : nullptr;
    if (!dataSet)
        throw std::invalid_argument(caller + ": the data source has no dataset");
    if (!dataSet->Active())
        dataSet->Open();
    return *dataSet;
}

std::vector<std::string> VisibleFieldNames(const data::DataSet& dataSet) {
    std::vector<std::string> names;
    for (const auto& field : dataSet.Fields()) {
        if (field->Visible())
            names.push_back(field->FieldName());
    }
    return names;
}

bool PickOneRow(data::DataSet& dataSet, const std::string& title) {
    ui::PickRequest request;
    request.Title = title;
    request.DataSet = &dataSet;
    request.Columns = VisibleFieldNames(dataSet);
    if (!request.Columns.empty())
        request.KeyField = request.Columns.front();
    std::optional<int> row = ui::Application::Instance().Platform().PickRow(request);
    if (!row)
        return false;
    dataSet.SetRecNo(*row + 1);
    return true;
}

} // namespace support
