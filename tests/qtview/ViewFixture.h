#pragma once

#include "qt/FormView.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/UserActions.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

// The model's application on the Qt platform, with the main window shown offscreen.
class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        app.SetPlatform(platform);
        window.show();
    }

    // A shown form of the given style, `width` x `height`.
    ui::Form& MakeForm(ui::FormStyle style = ui::FormStyle::MDIChild, int width = 400, int height = 300) {
        ui::Form& form = app.CreateForm<ui::Form>("frmTest");
        form.SetFormStyle(style);
        form.SetBounds(0, 0, width, height);
        return form;
    }
    host::FormView& ViewOf(ui::Form& form) {
        host::FormView* view = platform.ViewOf(form);
        if (!view)
            throw std::logic_error("the form has no view");
        return *view;
    }
    template <class W> W& WidgetOf(ui::Control& control) {
        auto* widget = qobject_cast<W*>(ViewOf(*control.ParentForm()).WidgetOf(control));
        if (!widget)
            throw std::logic_error("no widget of that kind for " + control.Name());
        return *widget;
    }
    static void PressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                         const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&widget, &press);
    }
    static void Process() { QApplication::processEvents(); }

    host::MainWindow window;
    host::QtPlatform platform{window};
    ui::Application app;
    ui::UserActions user{app};
};
