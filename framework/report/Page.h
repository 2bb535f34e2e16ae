#pragma once

#include "report/Element.h"

#include <vector>

namespace ui {
class Canvas;
}

namespace report {

// One sheet of a report: what is drawn on it, in drawing order, in points.
class Page {
public:
    void AddText(const ui::Rect& box, std::string text, const ui::Font& font, Align align = Align::Left);
    void AddFill(const ui::Rect& box, ui::Color color);
    // A horizontal line of the given thickness from left to right at y.
    void AddLine(int left, int right, int y, int thickness = 1, ui::Color color = ui::clBlack);
    void AddImage(const ui::Rect& box, ui::Bitmap picture);

    const std::vector<Element>& Elements() const { return m_elements; }
    // The texts as they stand on the page, in drawing order, before any cut.
    std::vector<std::string> Texts() const;

    // Draws every element; texts are cut to their box with the canvas's own measure.
    void Render(ui::Canvas& canvas) const;

private:
    std::vector<Element> m_elements;
};

} // namespace report
