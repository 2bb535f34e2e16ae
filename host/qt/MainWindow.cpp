#include "qt/MainWindow.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace host {

MainWindow::MainWindow()
    : m_area(new QMdiArea(this)), m_screens(menuBar()->addMenu(QStringLiteral("&Telas"))),
      m_busy(new QLabel(QStringLiteral("Aguarde..."), this)) { // all owned by the window
    setWindowTitle(QStringLiteral("Pedidos"));
    setObjectName(QStringLiteral("MainWindow"));
    setCentralWidget(m_area);
    statusBar()->addPermanentWidget(m_busy);
    m_busy->setVisible(false);
    // Room for a screen of 752 x 429 with the menu and status bars around it.
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

void MainWindow::SetBusy(bool busy) {
    m_busy->setVisible(busy);
    statusBar()->showMessage(busy ? QStringLiteral("Processando...") : QString());
}

bool MainWindow::IsBusy() const {
    return !m_busy->isHidden();
}

} // namespace host
