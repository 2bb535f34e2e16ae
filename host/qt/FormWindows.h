#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <QMdiSubWindow>
#include <functional>

namespace host {

// The windows of forms. Closing one (close box, Esc in a dialog) asks the model, which decides
// whether and how the form closes; the window itself never closes on its own.
class MdiFormWindow : public QMdiSubWindow {
public:
    std::function<void()> OnCloseRequest;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (OnCloseRequest)
            OnCloseRequest();
    }
};

class DialogFormWindow : public QDialog {
public:
    std::function<void()> OnCloseRequest;

    void reject() override {
        if (OnCloseRequest)
            OnCloseRequest();
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        reject();
    }
};

} // namespace host
