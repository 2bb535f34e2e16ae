#pragma once

#include "qt/ControlView.h"

#include <array>

class QLabel;
class QToolButton;

namespace ui {
class DBNavigator;
class DBText;
class Image;
} // namespace ui

namespace host {

// An image control showing its bitmap unscaled.
class ImageView : public ControlView {
public:
    ImageView(ui::Image& image, QLabel& widget);

protected:
    void Apply(ui::Property property) override;

private:
    ui::Image& m_image;
    QLabel& m_label;
};

// One field of the current row, in the control's font and colour.
class DBTextView : public ControlView {
public:
    DBTextView(ui::DBText& text, QLabel& widget);

protected:
    void Apply(ui::Property property) override;

private:
    ui::DBText& m_text;
    QLabel& m_label;
};

// First, prior, next and last, each enabled where the cursor stands.
class NavigatorView : public ControlView {
public:
    NavigatorView(ui::DBNavigator& navigator, QWidget& widget);

protected:
    void Apply(ui::Property property) override;

private:
    void Layout();

    ui::DBNavigator& m_navigator;
    std::array<QToolButton*, 4> m_buttons{};
};

} // namespace host
