#pragma once

#include "ui/Control.h"
#include "ui/Glyph.h"
#include "ui/ShortCut.h"

#include <string>
#include <vector>

namespace ui {

// A menu entry. The caption's '&' marks the accelerator letter ("&Pedidos"); a caption of "-" is
// a separator. Items own nothing themselves: sub-items are owned by the item's owner, so the form
// finds every item by name.
class MenuItem : public Control {
public:
    explicit MenuItem(std::string name = {});

    bool Checked() const { return m_checked; }
    // Changing the mark runs nothing.
    void SetChecked(bool checked);
    const ui::ShortCut& ShortCut() const { return m_shortCut; }
    void SetShortCut(const ui::ShortCut& shortCut);
    void SetShortCut(const std::string& text) { SetShortCut(ShortCut::FromText(text)); }
    // The picture beside the entry: the glyph of the tool button that does the same.
    ui::Glyph Glyph() const { return m_glyph; }
    void SetGlyph(ui::Glyph glyph) { Update(m_glyph, glyph, Property::Glyph); }

    bool IsSeparator() const { return Caption() == "-"; }
    // The caption without its '&' marks ("&&" stands for one '&').
    std::string PlainCaption() const;
    // The accelerator letter, upper case; 0 when there is none.
    char Accelerator() const;

    MenuItem* ParentItem() const { return m_parentItem; }
    int Count() const { return static_cast<int>(m_items.size()); }
    MenuItem& Item(int index) const;
    const std::vector<MenuItem*>& Items() const { return m_items; }
    MenuItem& Add(std::string name, const std::string& caption);
    MenuItem& Insert(int index, std::string name, const std::string& caption);
    MenuItem& AddSeparator(std::string name = {}) { return Add(std::move(name), "-"); }
    // The first enabled, visible item below this one whose shortcut matches; nullptr otherwise.
    MenuItem* FindShortCut(int key, ShiftState shift);

    // Runs OnClick when the item is enabled.
    void Click() override;

protected:
    const Control* ChainParent() const override { return m_parentItem; }

private:
    MenuItem* m_parentItem = nullptr;
    std::vector<MenuItem*> m_items;
    bool m_checked = false;
    ui::ShortCut m_shortCut;
    ui::Glyph m_glyph = Glyph::None;
};

} // namespace ui
