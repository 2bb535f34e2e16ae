#include "qt/QtView.h"

#include "app/HostOptions.h"
#include "app/ViewFactory.h"

#include <QPixmap>

#include <stdexcept>

namespace host {

QtView::QtView(int& argc, char** argv) : m_app(argc, argv), m_platform(m_window) {
    QApplication::setApplicationName(QStringLiteral("pedhost"));
}

void QtView::ShowMainWindow() {
    m_window.show();
    ProcessEvents();
}

void QtView::ProcessEvents() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

void QtView::SaveShot(const std::filesystem::path& file) {
    ProcessEvents();
    QPixmap picture = m_window.grab();
    if (picture.isNull() || !picture.save(QString::fromStdString(file.string()), "PNG"))
        throw std::runtime_error("cannot save a picture of the main window to " + file.string());
}

int QtView::Exec() {
    return QApplication::exec();
}

void QtView::AddScreen(const std::string& code, const std::string& caption, std::function<void()> open) {
    m_window.AddScreen(code, caption, std::move(open));
}

std::unique_ptr<HostView> CreateQtView(const HostOptions&, int& argc, char** argv) {
    return std::make_unique<QtView>(argc, argv);
}

} // namespace host
