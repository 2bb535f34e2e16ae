#include "qt/ControlViewFactory.h"

#include "qt/ButtonView.h"
#include "qt/CheckableView.h"
#include "qt/ContainerView.h"
#include "qt/DataViews.h"
#include "qt/DateEditView.h"
#include "qt/EditView.h"
#include "qt/GridView.h"
#include "qt/LabelView.h"
#include "qt/PageControlView.h"
#include "qt/ToolButtonView.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/DBText.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace host {

namespace {

// Widgets belong to their Qt parent, which deletes them; the views only refer to them.
template <class W> W& Child(QWidget& parent) {
    return *new W(&parent);
}

std::unique_ptr<ControlView> MakeContainerView(ui::Control& control, QWidget& host, ControlView* parentView) {
    if (auto* pages = dynamic_cast<ui::PageControl*>(&control))
        return std::make_unique<PageControlView>(*pages, Child<QTabWidget>(host));
    if (auto* page = dynamic_cast<ui::TabSheet*>(&control)) {
        auto* pagesView = dynamic_cast<PageControlView*>(parentView);
        if (pagesView)
            return std::make_unique<TabSheetView>(*page, Child<QWidget>(host), *pagesView);
    }
    if (auto* group = dynamic_cast<ui::GroupBox*>(&control))
        return std::make_unique<ContainerView>(*group, Child<QGroupBox>(host));
    auto& container = dynamic_cast<ui::Container&>(control);
    return std::make_unique<ContainerView>(container, Child<QFrame>(host));
}

std::unique_ptr<ControlView> MakeButtonView(ui::Control& control, QWidget& host) {
    if (auto* speedButton = dynamic_cast<ui::SpeedButton*>(&control)) {
        auto& button = Child<QToolButton>(host);
        button.setAutoRaise(true);
        return std::make_unique<ToolButtonView>(*speedButton, button);
    }
    return std::make_unique<ButtonView>(control, Child<QPushButton>(host));
}

} // namespace

std::unique_ptr<ControlView> MakeControlView(ui::Control& control, QWidget& host, ControlView* parentView) {
    if (dynamic_cast<ui::Container*>(&control))
        return MakeContainerView(control, host, parentView);
    if (auto* mask = dynamic_cast<ui::MaskEdit*>(&control); mask && IsDateMask(mask->EditMask()))
        return std::make_unique<DateEditView>(*mask, host);
    if (auto* edit = dynamic_cast<ui::Edit*>(&control))
        return std::make_unique<EditView>(*edit, Child<QLineEdit>(host));
    if (auto* check = dynamic_cast<ui::CheckBox*>(&control))
        return std::make_unique<CheckableView<ui::CheckBox>>(*check, Child<QCheckBox>(host));
    if (auto* radio = dynamic_cast<ui::RadioButton*>(&control))
        return std::make_unique<CheckableView<ui::RadioButton>>(*radio, Child<QRadioButton>(host));
    if (dynamic_cast<ui::Button*>(&control) || dynamic_cast<ui::SpeedButton*>(&control))
        return MakeButtonView(control, host);
    if (auto* grid = dynamic_cast<ui::DBGrid*>(&control))
        return std::make_unique<GridView>(*grid, Child<QTableView>(host));
    if (auto* image = dynamic_cast<ui::Image*>(&control))
        return std::make_unique<ImageView>(*image, Child<QLabel>(host));
    if (auto* text = dynamic_cast<ui::DBText*>(&control))
        return std::make_unique<DBTextView>(*text, Child<QLabel>(host));
    if (auto* navigator = dynamic_cast<ui::DBNavigator*>(&control))
        return std::make_unique<NavigatorView>(*navigator, Child<QWidget>(host));
    if (dynamic_cast<ui::Label*>(&control))
        return std::make_unique<LabelView>(control, Child<QLabel>(host));
    // A control of a kind the view does not know still takes its place and state.
    return std::make_unique<ControlView>(control, Child<QWidget>(host));
}

} // namespace host
