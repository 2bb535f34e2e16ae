#include "qt/ContainerView.h"

#include "qt/QtColors.h"
#include "ui/Container.h"

#include <QApplication>
#include <QGroupBox>
#include <QWidget>

namespace host {

ContainerView::ContainerView(ui::Container& container, QWidget& widget)
    : ControlView(container, widget), m_container(container) {}

void ContainerView::Apply(ui::Property property) {
    if (property == ui::Property::Items) {
        if (OnChildrenChanged)
            OnChildrenChanged(m_container);
        return;
    }
    ControlView::Apply(property);
}

void ContainerView::ApplyCaption() {
    if (auto* group = qobject_cast<QGroupBox*>(&Widget()))
        group->setTitle(QString::fromStdString(m_container.Caption()));
}

void ContainerView::ApplyColor() {
    // The model's default colour means "as the desktop draws it"; only a chosen colour is painted.
    if (m_container.Color() == ui::clWindow)
        return;
    QPalette palette = Widget().palette();
    palette.setColor(QPalette::Window, ToQColor(m_container.Color(), QApplication::palette()));
    Widget().setPalette(palette);
    Widget().setAutoFillBackground(true);
}

} // namespace host
