#include "TDataSource.h"

TDataSource::TDataSource(std::string name, data::DataSet* dataSet)
    : ui::Component(name), data::DataSource(std::move(name)) {
    SetDataSet(dataSet);
}
