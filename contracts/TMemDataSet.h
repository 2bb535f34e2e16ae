#pragma once

#include "data/DataSet.h"
#include "ui/Component.h"

// An in-memory dataset that is also a component of its form, so that the form finds it by name.
class TMemDataSet : public ui::Component, public data::DataSet {
public:
    explicit TMemDataSet(std::string name = {}) : ui::Component(name), data::DataSet(std::move(name)) {}

    using ui::Component::Name;
    using ui::Component::SetName;

protected:
    void NameChanged() override { data::DataSet::SetName(ui::Component::Name()); }
};
