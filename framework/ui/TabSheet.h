#pragma once

#include "ui/Container.h"

namespace ui {

class PageControl;

// One page of a page control; its controls show only while it is the active page.
class TabSheet : public Container {
public:
    explicit TabSheet(std::string name = {}) : Container(std::move(name)) {}

    ui::PageControl* PageControl() const;
    int PageIndex() const;
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool tabVisible);

protected:
    bool IsVisibleInParent() const override;

private:
    bool m_tabVisible = true;
};

} // namespace ui
