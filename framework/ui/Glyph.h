#pragma once

namespace ui {

// The picture a tool button shows instead of a caption; a view chooses how to draw each one.
enum class Glyph {
    None,
    Help,
    Print,
    Close,
    Search,
    Refresh,
    Cancel,
    Confirm,
    Edit,
    Filter,
    Undo,
    Save,
    Load,
    Simulate // a trial run that changes nothing
};

} // namespace ui
