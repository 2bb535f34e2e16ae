#pragma once

#include "ui/Application.h"

// Shows the hourglass for a scope and puts the default cursor back on every way out.
class HourGlassCursor {
public:
    HourGlassCursor() { ui::Application::Instance().SetCursor(ui::Cursor::HourGlass); }
    ~HourGlassCursor() {
        if (ui::Application* app = ui::Application::Current())
            app->SetCursor(ui::Cursor::Default);
    }
    HourGlassCursor(const HourGlassCursor&) = delete;
    HourGlassCursor& operator=(const HourGlassCursor&) = delete;
};
