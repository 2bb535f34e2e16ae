#include "ViewFixture.h"
#include "qt/SignInDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace {

// The dialog open on the screen, once the event loop runs, made the active window so that keys
// go where a person's would.
host::SignInDialog* OpenDialog() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* dialog = dynamic_cast<host::SignInDialog*>(top); dialog && dialog->isVisible()) {
            QApplication::setActiveWindow(dialog);
            return dialog;
        }
    }
    return nullptr;
}

std::vector<QString> LabelTexts(QWidget& dialog) {
    std::vector<QString> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.push_back(label->text());
    return texts;
}

} // namespace

// Typing the password and Enter signs in; the operator's code comes filled in and the password
// is never shown.
TEST_F(ViewTest, TheSignInDialogAsksOperatorAndPasswordAndEnterSignsIn) {
    std::vector<QString> labels;
    bool hidden = false;
    QTimer::singleShot(0, [&] {
        host::SignInDialog* dialog = OpenDialog();
        ASSERT_TRUE(dialog);
        labels = LabelTexts(*dialog);
        auto edits = dialog->findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 2);
        hidden = edits[1]->echoMode() == QLineEdit::Password;
        if (const char* shot = std::getenv("PED_SIGNIN_SHOT"))
            dialog->grab().save(QString::fromLocal8Bit(shot), "PNG");
        ASSERT_EQ(QApplication::focusWidget(), edits[1]);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("senha-demo"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    const auto typed = host::SignInDialog::Ask(nullptr, "DEMO", "Sua sessão expirou. Entre novamente.");
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->OperatorCode, "DEMO");
    EXPECT_EQ(typed->Password, "senha-demo");
    EXPECT_TRUE(hidden);
    for (const char* text : {"Operador", "Senha", "Sua sessão expirou. Entre novamente."})
        EXPECT_NE(std::find(labels.begin(), labels.end(), QString::fromUtf8(text)), labels.end()) << text;
}

TEST_F(ViewTest, EscQuitsTheSignIn) {
    QTimer::singleShot(0, [] {
        host::SignInDialog* dialog = OpenDialog();
        ASSERT_TRUE(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(host::SignInDialog::Ask(nullptr, "", ""));
}
