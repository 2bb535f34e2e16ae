#include "ui/Column.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/DBGrid.h"

namespace ui {

Column::Column(DBGrid& grid) : m_grid(grid) {}

int Column::Index() const {
    return m_grid.Columns().IndexOf(*this);
}

void Column::SetFieldName(const std::string& fieldName) {
    if (fieldName == m_fieldName)
        return;
    m_fieldName = fieldName;
    Changed();
}

data::Field* Column::Field() const {
    data::DataSource* source = m_grid.DataSource();
    data::DataSet* dataSet = source ? source->GetDataSet() : nullptr;
    return dataSet && !m_fieldName.empty() ? dataSet->FindField(m_fieldName) : nullptr;
}

void Column::SetWidth(int width) {
    if (width == m_width)
        return;
    m_width = width;
    Changed();
}

void Column::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    Changed();
}

void Column::SetTitle(const ColumnTitle& title) {
    if (title == m_title)
        return;
    m_title = title;
    Changed();
}

void Column::SetTitleCaption(const std::string& caption) {
    ColumnTitle title = m_title;
    title.Caption = caption;
    SetTitle(title);
}

void Column::SetTitleAlignment(data::Alignment alignment) {
    ColumnTitle title = m_title;
    title.Alignment = alignment;
    SetTitle(title);
}

void Column::SetTitleFont(const ui::Font& font) {
    ColumnTitle title = m_title;
    title.Font = font;
    SetTitle(title);
}

std::string Column::DisplayTitle() const {
    if (!m_title.Caption.empty())
        return m_title.Caption;
    if (data::Field* field = Field())
        return field->DisplayLabel();
    return m_fieldName;
}

ui::Font Column::Font() const {
    return m_font.value_or(m_grid.Font());
}

void Column::SetFont(const ui::Font& font) {
    if (m_font == font)
        return;
    m_font = font;
    Changed();
}

ui::Color Column::Color() const {
    return m_color.value_or(m_grid.Color());
}

void Column::SetColor(ui::Color color) {
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

data::Alignment Column::Alignment() const {
    if (m_alignment)
        return *m_alignment;
    const data::Field* field = Field();
    return field ? field->Alignment() : data::Alignment::Left;
}

void Column::SetAlignment(data::Alignment alignment) {
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    Changed();
}

void Column::Changed() {
    m_grid.Columns().Changed();
}

} // namespace ui
