#include "ViewFixture.h"
#include "ui/Button.h"
#include "ui/SpeedButton.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <vector>

using namespace ui;

// A button without a glyph shows its caption, or its hint without one, cut at the end to what its
// width takes, and the whole hint as its tool tip.
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

TEST_F(ViewTest, AToolButtonWithAGlyphShowsAnIconInsideItsBoundsAndNoText) {
    Form& form = MakeForm();
    struct Case {
        const char* name;
        Glyph glyph;
        int width, height;
    };
    const Case cases[] = {
        {"sbtAjuda", Glyph::Help, 25, 25},        {"sbtImprimir", Glyph::Print, 25, 25},
        {"sbtFechar", Glyph::Close, 25, 25},      {"sbtProcurar", Glyph::Search, 25, 25},
        {"sbtVerificar", Glyph::Refresh, 25, 25}, {"sbtCancelar", Glyph::Cancel, 25, 25},
        {"sbtConfirmar", Glyph::Confirm, 25, 25}, {"sbtAlterar", Glyph::Edit, 25, 25},
        {"sbtFiltro", Glyph::Filter, 25, 25},     {"sbtLimpa", Glyph::Undo, 40, 40},
        {"btfSaveOpc", Glyph::Save, 40, 40},      {"btfLoadOpc", Glyph::Load, 40, 40},
        {"btnFilial", Glyph::Search, 23, 22},
    };
    std::vector<SpeedButton*> buttons;
    for (const Case& c : cases) {
        auto& button = form.Add<SpeedButton>(c.name);
        button.SetBounds(4, 3, c.width, c.height);
        button.SetHint(c.name);
        button.SetGlyph(c.glyph);
        buttons.push_back(&button);
    }
    form.Show();

    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        QToolButton& widget = WidgetOf<QToolButton>(*buttons[i]);
        EXPECT_FALSE(widget.icon().isNull());
        EXPECT_TRUE(widget.text().isEmpty());
        EXPECT_EQ(widget.toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_EQ(widget.toolTip(), QString::fromLatin1(cases[i].name));
        EXPECT_GE(widget.iconSize().width(), 12);
        EXPECT_LE(widget.iconSize().width(), std::min(cases[i].width, cases[i].height) - 6);
        EXPECT_FALSE(widget.icon().pixmap(widget.iconSize()).isNull());
    }
}

TEST_F(ViewTest, ChangingOrClearingAToolButtonsGlyphUpdatesItsIconAndBringsBackItsText) {
    Form& form = MakeForm();
    auto& button = form.Add<SpeedButton>("sbtFiltro");
    button.SetBounds(4, 3, 25, 25);
    button.SetHint("Filtrar");
    form.Show();
    QToolButton& widget = WidgetOf<QToolButton>(button);
    EXPECT_TRUE(widget.icon().isNull()) << "no glyph, no icon";
    EXPECT_FALSE(widget.text().isEmpty());

    button.SetGlyph(Glyph::Filter);
    const qint64 filterIcon = widget.icon().cacheKey();
    EXPECT_FALSE(widget.icon().isNull());
    EXPECT_TRUE(widget.text().isEmpty());
    button.SetGlyph(Glyph::Print);
    EXPECT_NE(widget.icon().cacheKey(), filterIcon);

    button.SetGlyph(Glyph::None);
    EXPECT_TRUE(widget.icon().isNull());
    EXPECT_TRUE(QStringLiteral("Filtrar").startsWith(widget.text()));
    EXPECT_FALSE(widget.text().isEmpty());
}
