#pragma once

namespace ui {

enum class ModalResult { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// What closing a form does with it.
enum class CloseAction { None, Hide, Free, Minimize };

enum class WindowState { Normal, Minimized, Maximized };

// A normal form is a top-level window; an MDI child lives inside the host's main window.
enum class FormStyle { Normal, MDIChild };

// The two parts of what a form tells in the status bar: a standing summary of its state, and a
// message about the last thing that happened.
enum class StatusPart { Summary, Message };

} // namespace ui
