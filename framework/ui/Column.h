#pragma once

#include "data/FieldType.h"
#include "ui/Color.h"
#include "ui/Font.h"

#include <optional>
#include <string>

namespace data {
class Field;
}

namespace ui {

class DBGrid;

struct ColumnTitle {
    std::string Caption; // empty: the field's display label
    data::Alignment Alignment = data::Alignment::Left;
    ui::Font Font;

    bool operator==(const ColumnTitle&) const = default;
};

// One column of a data grid: which field it shows and how.
class Column {
public:
    explicit Column(DBGrid& grid);

    DBGrid& Grid() const { return m_grid; }
    int Index() const;

    const std::string& FieldName() const { return m_fieldName; }
    void SetFieldName(const std::string& fieldName);
    // The field of the grid's dataset, or nullptr.
    data::Field* Field() const;
    int Width() const { return m_width; }
    void SetWidth(int width);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    const ColumnTitle& Title() const { return m_title; }
    void SetTitle(const ColumnTitle& title);
    void SetTitleCaption(const std::string& caption);
    void SetTitleAlignment(data::Alignment alignment);
    void SetTitleFont(const ui::Font& font);
    // The title's caption, or the field's display label when the caption is empty.
    std::string DisplayTitle() const;
    // Cell font and colour; the grid's until set.
    ui::Font Font() const;
    void SetFont(const ui::Font& font);
    ui::Color Color() const;
    void SetColor(ui::Color color);
    // Where the cell's text stands; the field's alignment until set.
    data::Alignment Alignment() const;
    void SetAlignment(data::Alignment alignment);

private:
    void Changed();

    DBGrid& m_grid;
    std::string m_fieldName;
    int m_width = 64;
    bool m_visible = true;
    ColumnTitle m_title;
    std::optional<ui::Font> m_font;
    std::optional<ui::Color> m_color;
    std::optional<data::Alignment> m_alignment;
};

} // namespace ui
