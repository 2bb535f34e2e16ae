#include "qt/QtView.h"

#include "app/HostOptions.h"
#include "app/ViewFactory.h"
#include "qt/DesktopLook.h"
#include "qt/SignInDialog.h"

#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <stdexcept>

namespace host {

QtView::QtView(int& argc, char** argv, const std::string& locale) : m_app(argc, argv), m_platform(m_window) {
    QApplication::setApplicationName(QStringLiteral("pedhost"));
    InstallDesktopLook(m_app, locale);
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
    AddOpenDialogs(picture);
    if (picture.isNull() || !picture.save(QString::fromStdString(file.string()), "PNG"))
        throw std::runtime_error("cannot save a picture of the main window to " + file.string());
}

void QtView::AddOpenDialogs(QPixmap& picture) const {
    // Dialogs are windows of their own; the picture shows them over the main window as a person
    // sees them, centred, each with a frame and its title.
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (!dialog || !dialog->isVisible())
            continue;
        QPixmap content = dialog->grab();
        int titleHeight = painter.fontMetrics().height() + 6;
        QRect frame(0, 0, content.width() + 2, content.height() + titleHeight + 2);
        frame.moveCenter(picture.rect().center());
        painter.fillRect(frame, dialog->palette().color(QPalette::Highlight));
        painter.setPen(dialog->palette().color(QPalette::HighlightedText));
        painter.drawText(frame.adjusted(4, 0, 0, 0).topLeft() + QPoint(0, titleHeight - 5),
                         dialog->windowTitle());
        painter.drawPixmap(frame.left() + 1, frame.top() + titleHeight + 1, content);
    }
}

int QtView::Exec() {
    return QApplication::exec();
}

void QtView::AddScreen(const std::string& code, const std::string& caption, std::function<void()> open) {
    m_window.AddScreen(code, caption, std::move(open));
}

std::optional<Credentials> QtView::AskSignIn(const std::string& operatorCode, const std::string& message) {
    return SignInDialog::Ask(m_window.isVisible() ? &m_window : nullptr, operatorCode, message);
}

void QtView::Later(std::function<void()> task) {
    QTimer::singleShot(0, &m_window, std::move(task));
}

std::unique_ptr<HostView> CreateQtView(const HostOptions& options, int& argc, char** argv) {
    return std::make_unique<QtView>(argc, argv, options.Locale);
}

} // namespace host
