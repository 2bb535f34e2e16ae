#pragma once

namespace ui {

// What changed on a control; views subscribe and keep their widgets in step.
enum class Property {
    Name,
    Parent,
    Caption,
    Text,
    Enabled,
    Visible,
    Bounds,
    Hint,
    Color,
    Font,
    TabOrder,
    TabStop,
    Checked,
    ReadOnly,
    MaxLength,
    CharCase,
    EditMask,
    ModalResult,
    ActivePage,
    TabVisible,
    ShortCut,
    Items,
    Bitmap,
    Glyph,
    Columns,
    Options,
    DataSource,
    DataField,
    Data, // the data shown changed: repaint
    Status,
    WindowState,
    FormStyle,
};

} // namespace ui
