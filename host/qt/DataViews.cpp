#include "qt/DataViews.h"

#include "qt/QtColors.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/Image.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace host {

namespace {

QPixmap ToPixmap(const ui::Bitmap& bitmap) {
    if (bitmap.IsEmpty())
        return {};
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            image.setPixel(x, y, ToQColor(bitmap.Pixel(x, y), QApplication::palette()).rgb());
    return QPixmap::fromImage(image);
}

} // namespace

ImageView::ImageView(ui::Image& image, QLabel& widget)
    : ControlView(image, widget), m_image(image), m_label(widget) {
    widget.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageView::Apply(ui::Property property) {
    if (property == ui::Property::Bitmap)
        m_label.setPixmap(ToPixmap(m_image.Bitmap()));
    else
        ControlView::Apply(property);
}

DBTextView::DBTextView(ui::DBText& text, QLabel& widget)
    : ControlView(text, widget), m_text(text), m_label(widget) {}

void DBTextView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Data:
    case ui::Property::DataField:
    case ui::Property::DataSource:
        m_label.setText(QString::fromStdString(m_text.Text()));
        break;
    default:
        ControlView::Apply(property);
    }
}

NavigatorView::NavigatorView(ui::DBNavigator& navigator, QWidget& widget)
    : ControlView(navigator, widget), m_navigator(navigator) {
    static const char* const glyphs[] = {"|\u25C0", "\u25C0", "\u25B6", "\u25B6|"};
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        auto button = static_cast<ui::NavigateButton>(i);
        m_buttons[i] = new QToolButton(&widget); // owned by the navigator's widget
        m_buttons[i]->setText(QString::fromUtf8(glyphs[i]));
        m_buttons[i]->setFocusPolicy(Qt::NoFocus);
        QObject::connect(m_buttons[i], &QToolButton::clicked, &Context(), [this, button] {
            if (m_navigator.IsEffectivelyEnabled())
                Dispatch([&] { m_navigator.Click(button); });
        });
    }
}

void NavigatorView::Apply(ui::Property property) {
    switch (property) {
    case ui::Property::Data:
    case ui::Property::DataSource:
    case ui::Property::Enabled:
        for (std::size_t i = 0; i < m_buttons.size(); ++i)
            m_buttons[i]->setEnabled(m_navigator.IsButtonEnabled(static_cast<ui::NavigateButton>(i)));
        ControlView::Apply(property);
        break;
    case ui::Property::Bounds:
        ControlView::Apply(property);
        Layout();
        break;
    default:
        ControlView::Apply(property);
    }
}

void NavigatorView::Layout() {
    int width = std::max(1, m_navigator.Width() / 4);
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(static_cast<int>(i) * width, 0, width, std::max(1, m_navigator.Height()));
}

} // namespace host
