#pragma once

#include "ui/Edit.h"

namespace ui {

// The search line of a list: Home and End belong to the list below it, not to the text.
class SearchEdit : public Edit {
public:
    explicit SearchEdit(std::string name = {}) : Edit(std::move(name)) {}

    bool EditsWithKey(int key) const override {
        return key != Key::Home && key != Key::End && Edit::EditsWithKey(key);
    }
};

} // namespace ui
