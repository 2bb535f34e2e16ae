#include "TDateEditPlus.h"

#include "data/DateTime.h"
#include "data/Format.h"
#include "data/FormatSettings.h"

#include <cctype>
#include <cmath>

namespace {

// "dd/mm/yyyy" -> "!99/99/9999;1;_": every day, month and year letter is a required digit.
std::string MaskForShortDate(const data::FormatSettings& settings) {
    std::string body = "!";
    for (char ch : settings.ShortDateFormat) {
        char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        body += (lower == 'd' || lower == 'm' || lower == 'y') ? '9' : ch;
    }
    return body + ";1;_";
}

bool HasDigit(const std::string& text) {
    for (char ch : text) {
        if (std::isdigit(static_cast<unsigned char>(ch)))
            return true;
    }
    return false;
}

} // namespace

TDateEditPlus::TDateEditPlus(std::string name) : ui::MaskEdit(std::move(name)) {
    SetEditMask(MaskForShortDate(data::FormatSettings::Current()));
}

double TDateEditPlus::GetDate() const {
    return data::ParseDate(EditText()).value_or(0.0);
}

void TDateEditPlus::SetDate(double date) {
    SetText(date == 0.0 ? std::string() : data::FormatDate(data::DateOf(date)));
}

bool TDateEditPlus::IsDateValid() const {
    return data::ParseDate(EditText()).has_value();
}

std::string TDateEditPlus::Text() const {
    return HasDigit(EditText()) ? ui::MaskEdit::Text() : std::string();
}

void TDateEditPlus::SetText(const std::string& text) {
    ui::MaskEdit::SetText(text);
    UpdateColor();
}

void TDateEditPlus::TypeText(const std::string& text) {
    ui::MaskEdit::TypeText(text);
    UpdateColor();
}

void TDateEditPlus::SetValidDateColor(ui::Color color) {
    if (color == m_validColor)
        return;
    m_validColor = color;
    UpdateColor();
}

std::string TDateEditPlus::WeekDayName() const {
    if (!IsDateValid())
        return {};
    // Day 0 (1899-12-30) was a Saturday; Sunday is index 0 of the names.
    auto days = static_cast<long long>(std::floor(GetDate()));
    long long index = ((days + 6) % 7 + 7) % 7;
    return m_dayNames[static_cast<std::size_t>(index)];
}

void TDateEditPlus::UpdateColor() {
    SetFontColor(IsDateValid() ? m_validColor : m_normalColor);
}
