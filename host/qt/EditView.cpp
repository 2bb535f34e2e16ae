#include "qt/EditView.h"

#include "data/EditMask.h"
#include "data/Utf8.h"
#include "qt/QtColors.h"
#include "ui/MaskEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>

namespace host {

namespace {

QChar QtMaskChar(const data::EditMask::Position& position) {
    using Class = data::EditMask::CharClass;
    switch (position.Class) {
    case Class::Digit:
        return position.Required ? '9' : '0';
    case Class::DigitOrSign:
        return '#';
    case Class::Letter:
        return position.Required ? 'A' : 'a';
    case Class::LetterOrDigit:
        return position.Required ? 'N' : 'n';
    case Class::Any:
    case Class::Literal:
        break;
    }
    return position.Required ? 'X' : 'x';
}

QString QtCaseMark(data::EditMask::CaseMode mode) {
    switch (mode) {
    case data::EditMask::CaseMode::Upper:
        return ">";
    case data::EditMask::CaseMode::Lower:
        return "<";
    case data::EditMask::CaseMode::None:
        break;
    }
    return "!";
}

} // namespace

QString QtInputMask(const std::string& maskText) {
    data::EditMask mask(maskText);
    if (mask.IsEmpty())
        return {};
    QString result;
    auto caseMode = data::EditMask::CaseMode::None;
    for (const auto& position : mask.Positions()) {
        if (position.Class == data::EditMask::CharClass::Literal) {
            result += '\\';
            result += QString::fromStdString(data::utf8::Encode(std::u32string(1, position.Literal)));
            continue;
        }
        if (position.Case != caseMode) {
            result += QtCaseMark(position.Case);
            caseMode = position.Case;
        }
        result += QtMaskChar(position);
    }
    result += ';';
    result += QString::fromStdString(data::utf8::Encode(std::u32string(1, mask.Blank())));
    return result;
}

EditView::EditView(ui::Edit& edit, QLineEdit& widget)
    : ControlView(edit, widget), m_edit(edit), m_maskEdit(dynamic_cast<ui::MaskEdit*>(&edit)),
      m_line(widget) {
    QObject::connect(&widget, &QLineEdit::textEdited, &Context(),
                     [this](const QString& text) { Edited(text); });
}

void EditView::FocusArrived() {
    // Arriving in an edit selects its text, so typing replaces it, as the model types.
    m_line.selectAll();
}

void EditView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Text:
        ShowText();
        break;
    case ui::Property::MaxLength:
        m_line.setMaxLength(m_edit.MaxLength() > 0 ? m_edit.MaxLength() : 32767);
        break;
    case ui::Property::ReadOnly:
        m_line.setReadOnly(m_edit.ReadOnly());
        break;
    case ui::Property::EditMask:
        if (m_maskEdit) {
            QSignalBlocker block(m_line);
            m_line.setInputMask(QtInputMask(m_maskEdit->EditMask()));
            ShowText();
        }
        break;
    default:
        ControlView::Apply(property);
    }
}

void EditView::ApplyColor() {
    QPalette palette = m_line.palette();
    palette.setColor(QPalette::Base, ToQColor(m_edit.Color(), QApplication::palette()));
    m_line.setPalette(palette);
}

void EditView::ShowText() {
    std::string shown = m_maskEdit ? m_maskEdit->EditText() : m_edit.Text();
    QString text = QString::fromStdString(shown);
    if (m_line.displayText() == text || (!m_maskEdit && m_line.text() == text))
        return;
    QSignalBlocker block(m_line);
    int cursor = m_line.cursorPosition();
    m_line.setText(text);
    m_line.setCursorPosition(std::min<int>(cursor, static_cast<int>(text.size())));
}

void EditView::Edited(const QString& text) {
    // A masked line edit's display text has the literals and blanks in place, which is the
    // model's edit text position by position.
    std::string typed = (m_maskEdit ? m_line.displayText() : text).toStdString();
    Dispatch([&] {
        if (!m_edit.Focused())
            m_edit.SetFocus();
        if (m_edit.Focused())
            m_edit.SetText(typed);
    });
    if (!IsDetached())
        ShowText();
}

} // namespace host
