#include "qt/DateEditView.h"

#include "data/EditMask.h"
#include "ui/MaskEdit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QStyle>

namespace host {

namespace {

QLineEdit& NewLineEdit(QWidget& host) {
    return *new QLineEdit(&host); // owned by `host`
}

} // namespace

bool IsDateMask(const std::string& maskText) {
    data::EditMask mask(maskText);
    if (mask.Length() != 10)
        return false;
    for (std::size_t i = 0; i < mask.Length(); ++i) {
        bool slash = i == 2 || i == 5;
        const auto& position = mask.At(i);
        if (slash != (position.Class == data::EditMask::CharClass::Literal && position.Literal == U'/'))
            return false;
        if (!slash && position.Class != data::EditMask::CharClass::Digit)
            return false;
    }
    return true;
}

DateEditView::DateEditView(ui::MaskEdit& edit, QWidget& host) : DateEditView(edit, NewLineEdit(host)) {}

DateEditView::DateEditView(ui::MaskEdit& edit, QLineEdit& line)
    : EditView(edit, line), m_date(edit), m_line(line) {
    QAction* button =
        line.addAction(line.style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    button->setToolTip(QStringLiteral("Calendário"));
    QObject::connect(button, &QAction::triggered, &Context(), [this] { ShowCalendar(); });
}

void DateEditView::ShowCalendar() {
    if (!m_date.IsEffectivelyEnabled() || m_date.ReadOnly())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(&m_line); // owned by the line edit
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setFirstDayOfWeek(Qt::Sunday);
        QObject::connect(m_calendar, &QCalendarWidget::clicked, &Context(), [this](QDate day) {
            m_calendar->hide();
            Actions().Type(m_date, day.toString(QStringLiteral("dd/MM/yyyy")).toStdString());
        });
    }
    QDate shown = QDate::fromString(QString::fromStdString(m_date.EditText()), QStringLiteral("dd/MM/yyyy"));
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_calendar->move(m_line.mapToGlobal(QPoint(0, m_line.height())));
    m_calendar->show();
}

} // namespace host
