#pragma once

#include <string>

namespace data {
class DataSet;
}

namespace ui {
class Application;
class Component;
class DBGrid;
class Form;
} // namespace ui

namespace host {

// Finds what a script names: a name is looked up in the active form first, then in every other
// form the application holds. Anything not found is a ScriptError on the given line.
class ScriptNames {
public:
    ScriptNames(ui::Application& app, int line) : m_app(app), m_line(line) {}

    ui::Form& Form(const std::string& name) const;
    ui::Component& Component(const std::string& name) const;
    // The component, which must be a T; `what` names T in the error ("an edit").
    template <class T> T& As(const std::string& name, const char* what) const {
        auto* found = dynamic_cast<T*>(&Component(name));
        if (!found)
            Fail(name + " is not " + what);
        return *found;
    }
    // A dataset component of some form, or a dataset shown by a data-aware control.
    data::DataSet* FindDataSet(const std::string& name) const;
    ui::Component* FindComponent(const std::string& name) const;
    // The index of the grid's column showing the field.
    int ColumnOf(const ui::DBGrid& grid, const std::string& field) const;
    [[noreturn]] void Fail(const std::string& message) const;

private:
    template <class Visit> void ForEachForm(Visit visit) const;

    ui::Application& m_app;
    int m_line;
};

} // namespace host
