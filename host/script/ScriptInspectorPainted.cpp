#include "script/ScriptError.h"
#include "script/ScriptInspector.h"
#include "script/ScriptNames.h"
#include "data/DataSet.h"
#include "ui/DBGrid.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/RecordingCanvas.h"

namespace host {

namespace {

// The name of the form's image whose picture was drawn; images are what a screen paints from,
// so the picture identifies its source.
std::string ImageName(const ui::Component& owner, const ui::Bitmap& picture) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        const ui::Component& component = owner.GetComponent(i);
        if (const auto* image = dynamic_cast<const ui::Image*>(&component);
            image && image->Bitmap() == picture)
            return image->Name();
        if (std::string inner = ImageName(component, picture); !inner.empty())
            return inner;
    }
    return {};
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        if (!joined.empty())
            joined += ' ';
        joined += text;
    }
    return joined;
}

} // namespace

std::string ScriptInspector::PaintedValue(const ExpectTarget& target, int line) const {
    ScriptNames names(m_app, line);
    auto& grid = names.As<ui::DBGrid>(target.Object, "a grid");
    const int column = grid.Columns().IndexOfField(target.Member);
    if (column < 0 || !grid.Columns().Item(column).Visible())
        names.Fail(grid.Name() + " shows no column of field " + target.Member);
    const int row = target.Row - 1;
    if (row < grid.TopRow() || row >= grid.TopRow() + grid.ShownRowCount())
        names.Fail(grid.Name() + " does not show row " + std::to_string(target.Row));
    ui::RecordingCanvas canvas;
    grid.PaintVisible(canvas);
    const ui::RecordingCanvas::Seen seen = canvas.SeenIn(grid.CellRect(row, column));
    if (target.Aspect == "text")
        return Joined(seen.Texts);
    if (target.Aspect == "color")
        return seen.TextColour ? seen.TextColour->Name() : "";
    if (target.Aspect == "brush")
        return seen.Brush ? seen.Brush->Name() : "";
    if (target.Aspect == "focus")
        return seen.Focus ? "true" : "false";
    if (!seen.Picture)
        return "";
    const ui::Form* form = grid.ParentForm();
    return form ? ImageName(*form, *seen.Picture) : "";
}

} // namespace host
