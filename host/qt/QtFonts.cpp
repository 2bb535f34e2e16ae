#include "qt/QtFonts.h"

namespace host {

QFont ToQFont(const ui::Font& font) {
    QFont result(QString::fromStdString(font.Name));
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
