#include "qt/QtColors.h"

#include <optional>

namespace host {

namespace {

std::optional<QPalette::ColorRole> RoleOf(int systemIndex) {
    switch (systemIndex) {
    case 5: // clWindow
        return QPalette::Base;
    case 8: // clWindowText
        return QPalette::Text;
    case 9:  // clCaptionText: drawn over the highlight in grids, so the text that reads there
    case 14: // clHighlightText
        return QPalette::HighlightedText;
    case 13: // clHighlight
        return QPalette::Highlight;
    case 15: // clBtnFace
        return QPalette::Button;
    case 18: // clBtnText
        return QPalette::ButtonText;
    case 23: // clInfoText
        return QPalette::ToolTipText;
    case 24: // clInfoBk
        return QPalette::ToolTipBase;
    default:
        return std::nullopt;
    }
}

} // namespace

ui::Color FromQColor(const QColor& color) {
    return ui::Color::Rgb(color.red(), color.green(), color.blue());
}

ui::Color ResolveColor(ui::Color color, const QPalette& palette) {
    if (!color.IsSystem())
        return color;
    if (auto role = RoleOf(color.SystemIndex()))
        return FromQColor(palette.color(QPalette::Active, *role));
    return color.DefaultRgb();
}

QColor ToQColor(ui::Color color, const QPalette& palette) {
    ui::Color rgb = ResolveColor(color, palette);
    return QColor(rgb.Red(), rgb.Green(), rgb.Blue());
}

} // namespace host
