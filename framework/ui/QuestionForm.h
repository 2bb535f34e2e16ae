#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <string>

namespace ui {

// A question with the buttons "Sim" and "Não", the same window on every platform. The focus
// starts on "Sim"; Enter answers with the focused button, Esc with "Não".
class QuestionForm : public Form {
public:
    explicit QuestionForm(const std::string& text);

    // Asks modally; true for "Sim". The window is released when it closes.
    static bool Ask(const std::string& text);

    Label& lblPergunta;
    Button& btnSim;
    Button& btnNao;
};

} // namespace ui
