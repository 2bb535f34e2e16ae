#include "ui/WindowUpdateLock.h"

#include "ui/Form.h"

namespace ui {

WindowUpdateLock::WindowUpdateLock(Form& form) : m_form(form) {
    m_form.LockWindowUpdate();
}

WindowUpdateLock::~WindowUpdateLock() {
    // The platform's unlock may fail; a destructor must not throw.
    try {
        m_form.UnlockWindowUpdate();
    } catch (...) {
    }
}

} // namespace ui
