#include "ViewFixture.h"
#include "ui/Button.h"
#include "ui/SpeedButton.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QToolButton>

using namespace ui;

// The model carries no glyphs: a button shows its caption, or its hint without one, cut at the
// end to what its width takes, and the whole hint as its tool tip.
TEST_F(ViewTest, AButtonShowsAsMuchOfItsTextAsItsWidthTakesAndTheWholeHintAsItsToolTip) {
    Form& form = MakeForm();
    auto& narrow = form.Add<SpeedButton>("sbtImprimir");
    narrow.SetBounds(4, 3, 25, 25);
    narrow.SetHint("Imprimir");
    auto& wide = form.Add<SpeedButton>("sbtFiltro");
    wide.SetBounds(40, 3, 120, 25);
    wide.SetHint("Filtrar");
    auto& push = form.Add<Button>("btnOk");
    push.SetBounds(200, 3, 30, 25);
    push.SetCaption("Confirmar");
    form.Show();

    QToolButton& narrowWidget = WidgetOf<QToolButton>(narrow);
    const QString shown = narrowWidget.text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(QStringLiteral("Imprimir").startsWith(shown)) << shown.toStdString();
    EXPECT_LT(shown.size(), 8);
    EXPECT_LE(narrowWidget.fontMetrics().horizontalAdvance(shown), 25);
    EXPECT_EQ(narrowWidget.toolTip(), QStringLiteral("Imprimir"));
    EXPECT_EQ(WidgetOf<QToolButton>(wide).text(), QStringLiteral("Filtrar")) << "a text that fits is whole";
    EXPECT_TRUE(QStringLiteral("Confirmar").startsWith(WidgetOf<QPushButton>(push).text()));

    wide.SetBounds(40, 3, 25, 25);
    EXPECT_NE(WidgetOf<QToolButton>(wide).text(), QStringLiteral("Filtrar"))
        << "a new width cuts the text again";
    narrow.SetBounds(4, 3, 120, 25);
    EXPECT_EQ(narrowWidget.text(), QStringLiteral("Imprimir"));
}
