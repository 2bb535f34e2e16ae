#include "qt/DesktopLook.h"

#include <QApplication>
#include <gtest/gtest.h>

// One Qt application for the whole run, on the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The host's look and language, as pedhost installs them.
    host::InstallDesktopLook(app, "pt-BR");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
