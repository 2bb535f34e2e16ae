#pragma once

#include "ui/Control.h"
#include "ui/DataLink.h"

#include <string>

namespace data {
class DataSource;
}

namespace ui {

// Shows one field of the current row as a label.
class DBText : public Control {
public:
    explicit DBText(std::string name = {});

    data::DataSource* DataSource() const { return m_link.Source(); }
    void SetDataSource(data::DataSource* source);
    const std::string& DataField() const { return m_dataField; }
    void SetDataField(const std::string& dataField);
    // The field's display text on the current row; empty without a row or field.
    std::string Text() const;

private:
    std::string m_dataField;
    DataLink m_link;
};

} // namespace ui
