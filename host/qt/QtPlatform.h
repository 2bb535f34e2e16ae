#pragma once

#include "ui/Platform.h"

#include <map>
#include <memory>

class QWidget;

namespace host {

class FormView;
class MainWindow;

// The platform on Qt: each shown form gets a window with widgets that mirror it, dialogs ask
// the person at the desktop, and a form's modal loop is a nested event loop that ends when the
// model says the loop is done.
class QtPlatform : public ui::Platform {
public:
    explicit QtPlatform(MainWindow& mainWindow);
    ~QtPlatform() override;

    void RunModalLoop(ui::Form& form) override;
    bool AskYesNo(const std::string& text) override;
    void ShowMessage(ui::MessageKind kind, const std::string& text) override;
    ui::MenuItem* ShowPopup(ui::PopupMenu& menu, ui::Point screen) override;
    std::optional<int> PickRow(const ui::PickRequest& request) override;
    std::optional<std::vector<int>> PickRows(const ui::MultiPickRequest& request) override;
    void SetBusy(bool on, int kind) override;
    void SetCursor(ui::Cursor cursor) override;
    void RepaintForm(ui::Form& form) override;
    void LockWindowUpdate(ui::Form& form) override;
    void UnlockWindowUpdate(ui::Form& form) override;
    ui::Color ResolveColor(ui::Color color) const override;
    ui::Point MousePos() const override;
    void Refused(const std::string& what) override;

    void FormShown(ui::Form& form) override;
    void FormHidden(ui::Form& form) override;
    void FormDestroyed(ui::Form& form) override;
    void ActiveFormChanged(ui::Form* form) override;
    void FocusChanged(ui::Form& form, ui::Control* control) override;

    // The view of a form that has been shown, or nullptr.
    FormView* ViewOf(const ui::Form& form) const;

private:
    FormView& EnsureView(ui::Form& form);
    void ShowStatusOf(const ui::Form& form);
    QWidget* DialogParent() const;

    MainWindow& m_main;
    std::map<const ui::Form*, std::unique_ptr<FormView>> m_views;
    ui::Form* m_active = nullptr;
    // The screen whose status the main window shows: the last active child window.
    const ui::Form* m_statusForm = nullptr;
    bool m_busy = false;
    bool m_hourGlass = false;
};

} // namespace host
