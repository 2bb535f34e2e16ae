#include "qt/HostStyle.h"

#include <QStyleOption>

namespace host {

namespace {

// Marks a focused element's option as focused by the keyboard while it is drawn. The options are
// the callers' own, of many derived types, so the mark is set in place and taken off again.
class KeyboardFocusMark {
public:
    explicit KeyboardFocusMark(const QStyleOption* option)
        : m_option(const_cast<QStyleOption*>(option)), m_saved(option ? option->state : QStyle::State_None) {
        if (m_option && (m_option->state & QStyle::State_HasFocus))
            m_option->state |= QStyle::State_KeyboardFocusChange;
    }
    ~KeyboardFocusMark() {
        if (m_option)
            m_option->state = m_saved;
    }
    KeyboardFocusMark(const KeyboardFocusMark&) = delete;
    KeyboardFocusMark& operator=(const KeyboardFocusMark&) = delete;

private:
    QStyleOption* m_option;
    QStyle::State m_saved;
};

} // namespace

void HostStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void HostStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawControl(element, option, painter, widget);
}

void HostStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

} // namespace host
