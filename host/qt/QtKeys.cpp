#include "qt/QtKeys.h"

#include <QKeyEvent>

namespace host {

namespace {

std::optional<int> KeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt's codes for letters and digits are their upper-case ASCII codes too
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return ui::Key::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return ui::Key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return ui::Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ui::Key::Return;
    case Qt::Key_Escape:
        return ui::Key::Escape;
    case Qt::Key_Space:
        return ui::Key::Space;
    case Qt::Key_PageUp:
        return ui::Key::PageUp;
    case Qt::Key_PageDown:
        return ui::Key::PageDown;
    case Qt::Key_End:
        return ui::Key::End;
    case Qt::Key_Home:
        return ui::Key::Home;
    case Qt::Key_Left:
        return ui::Key::Left;
    case Qt::Key_Up:
        return ui::Key::Up;
    case Qt::Key_Right:
        return ui::Key::Right;
    case Qt::Key_Down:
        return ui::Key::Down;
    case Qt::Key_Insert:
        return ui::Key::Insert;
    case Qt::Key_Delete:
        return ui::Key::Delete;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<KeyPress> TranslateKey(const QKeyEvent& event) {
    std::optional<int> code = KeyCode(event.key());
    if (!code)
        return std::nullopt;
    Qt::KeyboardModifiers modifiers = event.modifiers();
    KeyPress press;
    press.Key = *code;
    press.Shift.Shift = modifiers.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
    press.Shift.Ctrl = modifiers.testFlag(Qt::ControlModifier);
    press.Shift.Alt = modifiers.testFlag(Qt::AltModifier);
    return press;
}

} // namespace host
