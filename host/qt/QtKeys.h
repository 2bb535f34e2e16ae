#pragma once

#include "ui/Keys.h"

#include <QString>
#include <optional>

class QKeyEvent;

namespace host {

struct KeyPress {
    int Key = 0; // the model's key code
    ui::ShiftState Shift;
};

// The model's key for a Qt key event; nullopt for keys the model has no code for.
std::optional<KeyPress> TranslateKey(const QKeyEvent& event);

// What a keyboard sends for a model key: the Qt key (Shift+Tab is Backtab), its modifiers and the
// text it types (a letter in the case Shift gives, a digit, a blank, or none).
struct QtKeyStroke {
    Qt::Key Key = Qt::Key_unknown;
    Qt::KeyboardModifiers Modifiers;
    QString Text;
};
QtKeyStroke ToQtKeyStroke(int key, ui::ShiftState shift);
// The stroke that types one character.
QtKeyStroke TypedStroke(QChar character);

} // namespace host
