#include "ui/TabSheet.h"

#include "ui/PageControl.h"

namespace ui {

ui::PageControl* TabSheet::PageControl() const {
    return dynamic_cast<ui::PageControl*>(Parent());
}

int TabSheet::PageIndex() const {
    ui::PageControl* pages = PageControl();
    if (!pages)
        return -1;
    for (int i = 0; i < pages->PageCount(); ++i) {
        if (&pages->Page(i) == this)
            return i;
    }
    return -1;
}

void TabSheet::SetTabVisible(bool tabVisible) {
    Update(m_tabVisible, tabVisible, Property::TabVisible);
}

bool TabSheet::IsVisibleInParent() const {
    ui::PageControl* pages = PageControl();
    return Visible() && (!pages || pages->ActivePage() == this);
}

} // namespace ui
