#include "Showavi.h"

#include "ui/Application.h"

namespace Showavi {
namespace {

int activeCount = 0;

} // namespace

void ActiveShowAvi(ui::Form* /*mainForm*/, int kind) {
    // The platform draws the animation over the main window itself; only the first start and the
    // last stop reach it, so nested calls show one uninterrupted animation.
    if (activeCount == 0)
        ui::Application::Instance().Platform().SetBusy(true, kind);
    ++activeCount;
}

void DeactiveShowAvi() {
    if (activeCount == 0)
        return;
    --activeCount;
    if (activeCount == 0)
        ui::Application::Instance().Platform().SetBusy(false, 0);
}

int ActiveCount() {
    return activeCount;
}

Guard::Guard(ui::Form* mainForm, int kind) {
    ActiveShowAvi(mainForm, kind);
}

Guard::~Guard() {
    Stop();
}

void Guard::Stop() {
    if (!m_active)
        return;
    m_active = false;
    DeactiveShowAvi();
}

} // namespace Showavi
