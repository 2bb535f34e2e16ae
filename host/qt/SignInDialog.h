#pragma once

#include "app/Credentials.h"

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace host {

// The sign-in: "Operador" and "Senha", with the reason it is asked (the last try refused, the
// session ended). Enter signs in, Esc quits.
class SignInDialog : public QDialog {
public:
    SignInDialog(QWidget* parent, const std::string& operatorCode, const std::string& message);

    // What the operator typed, or nothing when he quit.
    static std::optional<Credentials> Ask(QWidget* parent, const std::string& operatorCode, const std::string& message);

private:
    QLineEdit* m_operator;
    QLineEdit* m_password;
};

} // namespace host
