#pragma once

#include "ui/Color.h"
#include "ui/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace data {
class DataSet;
}

namespace ui {

class Control;
class Form;
class MenuItem;
class PopupMenu;

enum class MessageKind { Error, Information };
enum class Cursor { Default, HourGlass };

// One row to choose from a dataset's rows. Rows are counted from 0 in dataset order.
struct PickRequest {
    std::string Title;
    data::DataSet* DataSet = nullptr;
    std::vector<std::string> Columns; // field names to show, in order
    std::string KeyField;             // how a script names a row
};

// Several rows to mark; Marked holds the rows marked when the list opens.
struct MultiPickRequest : PickRequest {
    std::vector<int> Marked;
};

// Everything that needs a person or a screen. The headless platform answers from a script and
// records; the desktop view shows real windows. The model never knows which one it talks to.
class Platform {
public:
    virtual ~Platform() = default;

    // Returns when the form's modal loop is done (Form::IsModalLoopDone).
    virtual void RunModalLoop(Form& form) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
    // The chosen item, or nullptr when the operator chose nothing. The caller runs its click.
    virtual MenuItem* ShowPopup(PopupMenu& menu, Point screen) = 0;
    virtual std::optional<int> PickRow(const PickRequest& request) = 0;
    // The marked rows in dataset order, or nullopt when the operator cancelled.
    virtual std::optional<std::vector<int>> PickRows(const MultiPickRequest& request) = 0;
    virtual void SetBusy(bool on, int kind) = 0;
    virtual void SetCursor(ui::Cursor cursor) = 0;
    virtual void RepaintForm(Form& form) = 0;
    virtual void LockWindowUpdate(Form& form) = 0;
    virtual void UnlockWindowUpdate(Form& form) = 0;
    // The RGB value of a colour; system colours follow the desktop's scheme.
    virtual Color ResolveColor(Color color) const = 0;
    virtual Point MousePos() const = 0;
    // A user action was refused because a person could not have done it.
    virtual void Refused(const std::string& what) = 0;

    // Notifications for views; the model does not wait for anything in return.
    virtual void FormShown(Form&) {}
    virtual void FormHidden(Form&) {}
    virtual void FormDestroyed(Form&) {}
    virtual void ActiveFormChanged(Form*) {}
    virtual void FocusChanged(Form&, Control*) {}
};

} // namespace ui
