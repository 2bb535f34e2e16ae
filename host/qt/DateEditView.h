#pragma once

#include "qt/EditView.h"

#include <string>

class QCalendarWidget;
class QLineEdit;

namespace ui {
class MaskEdit;
}

namespace host {

// Whether a mask is a date's (dd/mm/yyyy), which the support library's date edit uses.
bool IsDateMask(const std::string& mask);

// A masked date edit with a calendar button; a day chosen in the calendar is typed into the
// edit as a person would type it.
class DateEditView : public EditView {
public:
    DateEditView(ui::MaskEdit& edit, QWidget& host);

private:
    DateEditView(ui::MaskEdit& edit, QLineEdit& line);
    void ShowCalendar();

    ui::MaskEdit& m_date;
    QLineEdit& m_line;
    QCalendarWidget* m_calendar = nullptr;
};

} // namespace host
