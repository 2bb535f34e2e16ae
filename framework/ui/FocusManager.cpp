#include "ui/FocusManager.h"

#include "ui/Application.h"
#include "ui/Container.h"
#include "ui/Form.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// Containment as the focus rules read it: a control contains itself.
bool Holds(const Control& outer, const Control& inner) {
    if (&outer == &inner)
        return true;
    const auto* container = dynamic_cast<const Container*>(&outer);
    return container && container->ContainsControl(inner);
}

// The control and its containers below the form, innermost first, up to the first one that holds
// `other` (exclusive).
std::vector<Control*> ChainNotHolding(Control& start, const Control* other, const Form& form) {
    std::vector<Control*> chain;
    for (Control* c = &start; c && c != &form; c = c->Parent()) {
        if (other && Holds(*c, *other))
            break;
        chain.push_back(c);
    }
    return chain;
}

class MovingFlag {
public:
    explicit MovingFlag(bool& flag) : m_flag(flag), m_saved(flag) { m_flag = true; }
    ~MovingFlag() { m_flag = m_saved; }
    MovingFlag(const MovingFlag&) = delete;
    MovingFlag& operator=(const MovingFlag&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

} // namespace

void FocusManager::Focus(Control& target) {
    if (!target.CanFocus() || target.ParentForm() != &m_form)
        return;
    if (m_moving) {
        // Inside a move: only where the move ends changes.
        SetFocused(&target);
        return;
    }
    if (m_focused == &target)
        return;
    Move(m_focused, target);
}

void FocusManager::Move(Control* from, Control& to) {
    SetFocused(&to);
    {
        MovingFlag moving(m_moving);
        try {
            RunExits(from, to);
        } catch (...) {
            if (m_focused == &to)
                SetFocused(from);
            throw;
        }
    }
    Control* end = m_focused;
    if (!end || end == from)
        return;
    {
        MovingFlag moving(m_moving);
        RunEnters(from, *end);
    }
    // A focus call made by an enter handler becomes a move of its own from where this one ended.
    Control* redirected = m_focused;
    if (redirected && redirected != end) {
        m_focused = end;
        Move(end, *redirected);
    }
}

void FocusManager::RunExits(Control* from, Control& to) {
    if (!from)
        return;
    for (Control* c : ChainNotHolding(*from, &to, m_form)) {
        if (c->OnExit)
            c->OnExit(*c);
    }
}

void FocusManager::RunEnters(Control* from, Control& to) {
    std::vector<Control*> chain = ChainNotHolding(to, from, m_form);
    std::reverse(chain.begin(), chain.end());
    for (Control* c : chain) {
        if (c->OnEnter)
            c->OnEnter(*c);
    }
}

void FocusManager::SelectNext(bool forward) {
    std::vector<Control*> candidates = m_form.TabChain();
    std::erase_if(candidates, [](const Control* c) { return !c->TabStop() || !c->CanFocus(); });
    if (candidates.empty())
        return;
    auto current = std::find(candidates.begin(), candidates.end(), m_focused);
    std::ptrdiff_t count = static_cast<std::ptrdiff_t>(candidates.size());
    std::ptrdiff_t index =
        current == candidates.end() ? (forward ? -1 : count) : current - candidates.begin();
    index = ((forward ? index + 1 : index - 1) % count + count) % count;
    Focus(*candidates[static_cast<std::size_t>(index)]);
}

void FocusManager::Forget(Control& control) {
    if (m_focused && Holds(control, *m_focused))
        SetFocused(nullptr);
}

void FocusManager::SetFocused(Control* control) {
    if (control == m_focused)
        return;
    m_focused = control;
    if (control)
        control->FocusArrived();
    if (Application* app = Application::Current(); app && app->HasPlatform())
        app->Platform().FocusChanged(m_form, control);
}

} // namespace ui
