#pragma once

namespace ui {
class Form;
}

// The busy animation over the host's main window while a remote call runs. Starts are counted:
// the platform is told busy on the first start and idle on the last stop; an extra stop does
// nothing.
namespace Showavi {

enum Kind { Running = 1, Fetching = 6 };

void ActiveShowAvi(ui::Form* mainForm, int kind);
void DeactiveShowAvi();
// Starts not yet stopped.
int ActiveCount();

// Starts the animation and stops it again on every path; Stop() ends it early, once.
class Guard {
public:
    Guard(ui::Form* mainForm, int kind);
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    void Stop();

private:
    bool m_active = true;
};

} // namespace Showavi
