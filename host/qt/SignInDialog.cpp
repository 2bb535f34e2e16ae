#include "qt/SignInDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace host {

SignInDialog::SignInDialog(QWidget* parent, const std::string& operatorCode, const std::string& message)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_operator(new QLineEdit(QString::fromStdString(operatorCode), this)), m_password(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Entrar no sistema de pedidos"));
    setModal(true);
    m_operator->setMaxLength(12);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(128);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Operador"), m_operator);
    form->addRow(QStringLiteral("Senha"), m_password);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* enter = buttons->addButton(QStringLiteral("Entrar"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Sair"), QDialogButtonBox::RejectRole);
    enter->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    if (!message.empty()) {
        auto* reason = new QLabel(QString::fromStdString(message), this);
        reason->setWordWrap(true);
        reason->setObjectName(QStringLiteral("lblMotivo"));
        layout->addWidget(reason);
    }
    layout->addLayout(form);
    layout->addWidget(buttons);
    (operatorCode.empty() ? m_operator : m_password)->setFocus();
    setMinimumWidth(360);
}

std::optional<Credentials> SignInDialog::Ask(QWidget* parent, const std::string& operatorCode,
                                             const std::string& message) {
    SignInDialog dialog(parent, operatorCode, message);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Credentials{dialog.m_operator->text().trimmed().toStdString(),
                       dialog.m_password->text().toStdString()};
}

} // namespace host
