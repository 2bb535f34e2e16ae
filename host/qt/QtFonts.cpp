#include "qt/QtFonts.h"

namespace host {

namespace {

QString Family(const std::string& name) {
    if (name == "Tahoma" || name == "MS Sans Serif")
        return QStringLiteral("DejaVu Sans Condensed");
    return QString::fromStdString(name);
}

} // namespace

QFont ToQFont(const ui::Font& font) {
    QFont result(Family(font.Name));
    result.setPixelSize(font.Size > 0 ? font.Size : 11);
    result.setBold(font.Bold);
    return result;
}

QString DisplayText(const ui::Font& font, const std::string& text) {
    if (font.Charset == ui::Charset::Symbol && text == "4")
        return QString(QChar(0x2714));
    return QString::fromStdString(text);
}

} // namespace host
