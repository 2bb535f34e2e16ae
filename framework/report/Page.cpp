#include "report/Page.h"

#include "report/TextFit.h"
#include "ui/Canvas.h"

namespace report {
namespace {

void Draw(ui::Canvas& canvas, const TextElement& text) {
    canvas.SetFont(text.Font);
    // Text cells are opaque on every canvas: draw them over the paper's white.
    canvas.SetBrushColor(ui::clWhite);
    const std::string shown = CutToWidth(canvas, text.Text, text.Box.Width());
    if (shown.empty())
        return;
    const int free = text.Box.Width() - canvas.TextWidth(shown);
    int x = text.Box.Left;
    if (text.Align == Align::Right)
        x += free;
    else if (text.Align == Align::Center)
        x += free / 2;
    canvas.TextOut(x, text.Box.Top, shown);
}

} // namespace

void Page::AddText(const ui::Rect& box, std::string text, const ui::Font& font, Align align) {
    m_elements.emplace_back(TextElement{box, std::move(text), font, align});
}

void Page::AddFill(const ui::Rect& box, ui::Color color) {
    m_elements.emplace_back(FillElement{box, color});
}

void Page::AddLine(int left, int right, int y, int thickness, ui::Color color) {
    AddFill({left, y, right, y + thickness}, color);
}

void Page::AddImage(const ui::Rect& box, ui::Bitmap picture) {
    m_elements.emplace_back(ImageElement{box, std::move(picture)});
}

std::vector<std::string> Page::Texts() const {
    std::vector<std::string> texts;
    for (const auto& element : m_elements) {
        if (const auto* text = std::get_if<TextElement>(&element))
            texts.push_back(text->Text);
    }
    return texts;
}

void Page::Render(ui::Canvas& canvas) const {
    for (const auto& element : m_elements) {
        if (const auto* text = std::get_if<TextElement>(&element))
            Draw(canvas, *text);
        else if (const auto* fill = std::get_if<FillElement>(&element))
            canvas.FillRect(fill->Box, fill->Color);
        else if (const auto* image = std::get_if<ImageElement>(&element))
            canvas.DrawBitmap(image->Box, image->Picture, ui::clWhite);
    }
}

} // namespace report
