#pragma once

namespace ui {

class Form;

// Keeps a form's window from repainting for a scope; locks nest and the last one out releases.
class WindowUpdateLock {
public:
    explicit WindowUpdateLock(Form& form);
    ~WindowUpdateLock();
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;

private:
    Form& m_form;
};

} // namespace ui
