#pragma once

#include <QProxyStyle>

namespace host {

// The desktop's style, with the focus shown on whatever holds the focus. Qt's styles show it only
// after the keyboard moved the focus; the model moves the focus itself (Tab, Enter, a rule that
// puts it back), so showing it must not depend on how it came.
class HostStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

} // namespace host
