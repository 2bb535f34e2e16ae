#pragma once

#include "Consiste.h"
#include "ui/Control.h"

#include <string>

namespace Regra {

// Shows a broken rule's message and leaves the focus on the control the rule is about; the
// abort it raises ends the handler that ran the rule.
inline void Falha(const std::string& text, ui::Control& focus) {
    try {
        Consiste::MensErro(text, true);
    } catch (...) {
        focus.SetFocus();
        throw;
    }
}

} // namespace Regra
