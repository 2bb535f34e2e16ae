#include "script/ScriptNames.h"

#include "script/ScriptError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "ui/Application.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/Form.h"

namespace host {

namespace {

data::DataSet* ShownDataSet(const ui::Component& component) {
    data::DataSource* source = nullptr;
    if (auto* grid = dynamic_cast<const ui::DBGrid*>(&component))
        source = grid->DataSource();
    else if (auto* text = dynamic_cast<const ui::DBText*>(&component))
        source = text->DataSource();
    else if (auto* navigator = dynamic_cast<const ui::DBNavigator*>(&component))
        source = navigator->DataSource();
    return source ? source->GetDataSet() : nullptr;
}

data::DataSet* FindShownDataSet(const ui::Component& owner, const std::string& name) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        const ui::Component& child = owner.GetComponent(i);
        if (data::DataSet* dataSet = ShownDataSet(child); dataSet && dataSet->Name() == name)
            return dataSet;
        if (data::DataSet* inner = FindShownDataSet(child, name))
            return inner;
    }
    return nullptr;
}

} // namespace

template <class Visit> void ScriptNames::ForEachForm(Visit visit) const {
    ui::Form* active = m_app.ActiveForm();
    if (active && visit(*active))
        return;
    for (ui::Form* form : m_app.Forms()) {
        if (form != active && visit(*form))
            return;
    }
}

int ScriptNames::ColumnOf(const ui::DBGrid& grid, const std::string& field) const {
    const int column = grid.Columns().IndexOfField(field);
    if (column < 0)
        Fail(grid.Name() + " has no column of field " + field);
    return column;
}

void ScriptNames::Fail(const std::string& message) const {
    throw ScriptError(m_line, message);
}

ui::Form& ScriptNames::Form(const std::string& name) const {
    ui::Form* found = nullptr;
    ForEachForm([&](ui::Form& form) {
        found = form.Name() == name ? &form : nullptr;
        return found != nullptr;
    });
    if (!found)
        Fail("no form named " + name);
    return *found;
}

ui::Component* ScriptNames::FindComponent(const std::string& name) const {
    ui::Component* found = nullptr;
    ForEachForm([&](ui::Form& form) {
        found = form.Name() == name ? &form : form.FindComponent(name);
        return found != nullptr;
    });
    return found;
}

ui::Component& ScriptNames::Component(const std::string& name) const {
    ui::Component* found = FindComponent(name);
    if (!found)
        Fail("no control named " + name);
    return *found;
}

data::DataSet* ScriptNames::FindDataSet(const std::string& name) const {
    // A form's own datasets are components; a dataset made elsewhere is found through the
    // controls that show it.
    if (auto* component = dynamic_cast<data::DataSet*>(FindComponent(name)))
        return component;
    data::DataSet* found = nullptr;
    ForEachForm([&](ui::Form& form) {
        found = FindShownDataSet(form, name);
        return found != nullptr;
    });
    return found;
}

} // namespace host
