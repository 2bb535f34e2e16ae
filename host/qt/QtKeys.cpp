#include "qt/QtKeys.h"

#include <QKeyEvent>

namespace host {

namespace {

// Qt's keys and the model's codes for the keys that are no letter or digit (whose codes agree).
struct KeyPair {
    int QtKey;
    int ModelKey;
};
constexpr KeyPair NamedKeys[] = {{Qt::Key_Backspace, ui::Key::Back},
                                 {Qt::Key_Tab, ui::Key::Tab},
                                 {Qt::Key_Return, ui::Key::Return},
                                 {Qt::Key_Escape, ui::Key::Escape},
                                 {Qt::Key_Space, ui::Key::Space},
                                 {Qt::Key_PageUp, ui::Key::PageUp},
                                 {Qt::Key_PageDown, ui::Key::PageDown},
                                 {Qt::Key_End, ui::Key::End},
                                 {Qt::Key_Home, ui::Key::Home},
                                 {Qt::Key_Left, ui::Key::Left},
                                 {Qt::Key_Up, ui::Key::Up},
                                 {Qt::Key_Right, ui::Key::Right},
                                 {Qt::Key_Down, ui::Key::Down},
                                 {Qt::Key_Insert, ui::Key::Insert},
                                 {Qt::Key_Delete, ui::Key::Delete},
                                 {Qt::Key_Backtab, ui::Key::Tab},
                                 {Qt::Key_Enter, ui::Key::Return}};

bool IsLetterOrDigit(int key) {
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

std::optional<int> KeyCode(int qtKey) {
    if (IsLetterOrDigit(qtKey))
        return qtKey; // Qt's codes for letters and digits are their upper-case ASCII codes too
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return ui::Key::F1 + (qtKey - Qt::Key_F1);
    for (const KeyPair& pair : NamedKeys)
        if (pair.QtKey == qtKey)
            return pair.ModelKey;
    return std::nullopt;
}

Qt::Key QtKeyOf(int key) {
    if (IsLetterOrDigit(key))
        return static_cast<Qt::Key>(key);
    if (key >= ui::Key::F1 && key < ui::Key::F1 + 12)
        return static_cast<Qt::Key>(Qt::Key_F1 + (key - ui::Key::F1));
    for (const KeyPair& pair : NamedKeys)
        if (pair.ModelKey == key)
            return static_cast<Qt::Key>(pair.QtKey);
    return Qt::Key_unknown;
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

QtKeyStroke ToQtKeyStroke(int key, ui::ShiftState shift) {
    QtKeyStroke stroke;
    stroke.Key = key == ui::Key::Tab && shift.Shift ? Qt::Key_Backtab : QtKeyOf(key);
    stroke.Modifiers.setFlag(Qt::ShiftModifier, shift.Shift);
    stroke.Modifiers.setFlag(Qt::ControlModifier, shift.Ctrl);
    stroke.Modifiers.setFlag(Qt::AltModifier, shift.Alt);
    if (key >= 'A' && key <= 'Z')
        stroke.Text = QChar(shift.Shift ? key : key - 'A' + 'a');
    else if ((key >= '0' && key <= '9') || key == ui::Key::Space)
        stroke.Text = QChar(key);
    return stroke;
}

QtKeyStroke TypedStroke(QChar character) {
    QtKeyStroke stroke;
    const QChar upper = character.toUpper();
    stroke.Key = upper.unicode() < 0x80 && IsLetterOrDigit(upper.unicode())
                     ? static_cast<Qt::Key>(upper.unicode())
                     : Qt::Key_unknown;
    if (character == ' ')
        stroke.Key = Qt::Key_Space;
    stroke.Modifiers.setFlag(Qt::ShiftModifier, character.isUpper());
    stroke.Text = character;
    return stroke;
}

} // namespace host
