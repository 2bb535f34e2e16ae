#pragma once

#include "data/DataSource.h"
#include "ui/Component.h"

// A data source that is also a component of its form, so that the form finds it by name.
class TDataSource : public ui::Component, public data::DataSource {
public:
    explicit TDataSource(std::string name = {}, data::DataSet* dataSet = nullptr);

    using ui::Component::Name;
    using ui::Component::SetName;

protected:
    void NameChanged() override { data::DataSource::SetName(ui::Component::Name()); }
};
