#pragma once

#include "data/ListenerList.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/Font.h"
#include "ui/Geometry.h"
#include "ui/Keys.h"
#include "ui/Property.h"

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace ui {

class Container;
class Form;

// A visible element of a form. It holds state only; a view shows it and keeps itself in step
// through the property notifications.
class Control : public Component {
public:
    using NotifyEvent = std::function<void(Control& sender)>;
    using KeyEvent = std::function<void(Control& sender, int& key, ShiftState shift)>;
    using PropertyListener = std::function<void(Control& sender, Property property)>;

    explicit Control(std::string name = {});
    ~Control() override;

    Container* Parent() const { return m_parent; }
    void SetParent(Container* parent);
    // The form this control lives on (itself for a form); nullptr while detached.
    virtual Form* ParentForm() const;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // The control and every container above it are enabled.
    bool IsEffectivelyEnabled() const;
    // The control and every container above it, the form included, are visible.
    bool IsShowing() const;

    int Left() const { return m_bounds.Left; }
    int Top() const { return m_bounds.Top; }
    int Width() const { return m_bounds.Width(); }
    int Height() const { return m_bounds.Height(); }
    Rect Bounds() const { return m_bounds; }
    void SetBounds(int left, int top, int width, int height);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    ui::Color Color() const { return m_color; }
    void SetColor(ui::Color color);
    const ui::Font& Font() const { return m_font; }
    void SetFont(const ui::Font& font);
    void SetFontColor(ui::Color color);

    // The position among the parent's children when tabbing; setting it renumbers the siblings.
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int tabOrder);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);

    // Whether this kind of control takes the focus at all (tool buttons and labels do not).
    virtual bool AcceptsFocus() const { return false; }
    // Takes the focus now: a focusing control, enabled and visible up to its form.
    bool CanFocus() const;
    // The form's focused control is this one.
    bool Focused() const;
    // Moves the form's focus here; does nothing when the control cannot take the focus.
    void SetFocus();

    // Acts as a click on the control (a check box toggles, a radio button checks itself).
    virtual void Click();
    // What the control itself does with a key nobody consumed (space toggles a check box, ...).
    virtual void HandleKey(int& key, ShiftState shift);
    // Keys the control types or edits with when nobody else took them (an edit's printable and
    // cursor keys); a desktop leaves them to the widget. None for most controls.
    virtual bool IsOwnKey(int, ShiftState) const { return false; }
    // The form's focus has just arrived here.
    virtual void FocusArrived() {}

    int Subscribe(PropertyListener listener);
    void Unsubscribe(int id);

    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    NotifyEvent OnClick;
    KeyEvent OnKeyDown;

protected:
    void Notify(Property property);
    // The body of a property setter: assigns and notifies only when the value changes, and
    // says whether it did, so a setter can follow a real change with more.
    template <class T> bool Update(T& member, const std::type_identity_t<T>& value, Property property) {
        if (member == value)
            return false;
        member = value;
        Notify(property);
        return true;
    }
    // Visible as far as this control's own place in its parent goes (a tab sheet is visible
    // only while it is the active page).
    virtual bool IsVisibleInParent() const { return m_visible; }
    // The next element up for the enabled and visible checks (a menu item's is the item above).
    virtual const Control* ChainParent() const;
    // Visible up to, not including, the given ancestor.
    bool IsShowingBelow(const Control* ancestor) const;
    void NameChanged() override { Notify(Property::Name); }

private:
    friend class Container;
    Container* m_parent = nullptr;
    bool m_enabled = true;
    bool m_visible = true;
    Rect m_bounds;
    std::string m_caption;
    std::string m_hint;
    ui::Color m_color = clWindow;
    ui::Font m_font;
    int m_tabOrder = 0;
    bool m_tabStop = true;
    data::ListenerList<Control&, Property> m_listeners;
};

} // namespace ui
