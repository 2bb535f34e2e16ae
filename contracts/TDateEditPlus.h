#pragma once

#include "ui/Color.h"
#include "ui/MaskEdit.h"

#include <array>
#include <string>

// A date edit with the mask of the locale's short date format ("!99/99/9999;1;_" for
// dd/mm/yyyy). No date is the empty text and the date 0, both ways. A text that is a valid date
// is shown in ValidDateColor; dates keep no time of day.
class TDateEditPlus : public ui::MaskEdit {
public:
    using WeekDayNames = std::array<std::string, 7>; // Sunday first

    explicit TDateEditPlus(std::string name = {});

    // The date shown, or 0 when the text is not a valid date.
    double GetDate() const;
    // Shows the date without its time of day; 0 clears the edit.
    void SetDate(double date);
    bool IsDateValid() const;

    // The empty text while no digit is typed, otherwise the text with its separators.
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void TypeText(const std::string& text) override;

    ui::Color ValidDateColor() const { return m_validColor; }
    void SetValidDateColor(ui::Color color);
    const WeekDayNames& DayNames() const { return m_dayNames; }
    void SetDayNames(const WeekDayNames& names) { m_dayNames = names; }
    // The weekday of the date shown, from DayNames(); empty without a valid date.
    std::string WeekDayName() const;

private:
    void UpdateColor();

    ui::Color m_validColor = ui::clBlue;
    ui::Color m_normalColor = ui::clWindowText;
    WeekDayNames m_dayNames{"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
};
