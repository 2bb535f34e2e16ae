#include "qt/MainWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace host {

namespace {

const QString ApplicationTitle = QStringLiteral("Pedidos");

} // namespace

MainWindow::MainWindow()
    : m_area(new QMdiArea(this)), m_screens(menuBar()->addMenu(QStringLiteral("&Telas"))),
      m_message(new QLabel(this)), m_summary(new QLabel(this)),
      m_busy(new QLabel(QStringLiteral("Aguarde..."), this)) { // all owned by the window
    setWindowTitle(ApplicationTitle);
    setObjectName(QStringLiteral("MainWindow"));
    setCentralWidget(m_area);
    m_message->setObjectName(QStringLiteral("lblStatusMensagem"));
    m_summary->setObjectName(QStringLiteral("lblStatusResumo"));
    statusBar()->addWidget(m_message, 1);
    statusBar()->addPermanentWidget(m_summary);
    statusBar()->addPermanentWidget(m_busy);
    m_busy->setVisible(false);
    // Room for a screen of 752 x 429 with the menu and status bars around it; a larger screen
    // makes more room when it opens.
    resize(800, 520);
    QObject::connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window && OnSubWindowActivated)
            OnSubWindowActivated(window);
    });
}

void MainWindow::AddScreen(const std::string& code, const std::string& caption, std::function<void()> open) {
    QString text = QString::fromStdString(caption.empty() ? code : code + " - " + caption);
    QAction* action = m_screens->addAction(text); // owned by the menu
    QObject::connect(action, &QAction::triggered, this, [open = std::move(open)] { open(); });
}

void MainWindow::SetBranch(const std::string& code, const std::string& name) {
    QString title = ApplicationTitle + QStringLiteral(" - Filial ") + QString::fromStdString(code);
    if (!name.empty())
        title += QStringLiteral(" - ") + QString::fromStdString(name);
    setWindowTitle(title);
}

void MainWindow::SetBusy(bool busy) {
    m_busy->setVisible(busy);
    statusBar()->showMessage(busy ? QStringLiteral("Processando...") : QString());
}

bool MainWindow::IsBusy() const {
    return !m_busy->isHidden();
}

void MainWindow::ShowStatus(const std::string& message, const std::string& summary) {
    m_message->setText(QString::fromStdString(message));
    m_summary->setText(QString::fromStdString(summary));
}

QString MainWindow::StatusMessage() const {
    return m_message->text();
}

QString MainWindow::StatusSummary() const {
    return m_summary->text();
}

void MainWindow::MakeRoomFor(const QSize& childWindow) {
    const QSize missing = childWindow - m_area->viewport()->size();
    if (missing.width() <= 0 && missing.height() <= 0)
        return;
    QSize wanted = size() + missing.expandedTo(QSize(0, 0));
    if (const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(desktop->availableSize());
    resize(wanted);
}

} // namespace host
