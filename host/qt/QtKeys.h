#pragma once

#include "ui/Keys.h"

#include <optional>

class QKeyEvent;

namespace host {

struct KeyPress {
    int Key = 0; // the model's key code
    ui::ShiftState Shift;
};

// The model's key for a Qt key event; nullopt for keys the model has no code for.
std::optional<KeyPress> TranslateKey(const QKeyEvent& event);

} // namespace host
