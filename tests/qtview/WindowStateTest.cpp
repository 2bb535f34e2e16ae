#include "ViewFixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/MainMenu.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"
#include "ui/TabSheet.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QToolButton>

using namespace ui;

namespace {

// How many pixels of two pictures of one widget differ.
int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// Pixels of a clear colour, neither grey nor nearly transparent.
int ColouredPixels(const QImage& image) {
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            coloured += colour.alpha() > 60 && colour.hsvSaturation() > 80;
        }
    return coloured;
}

QImage Picture(QWidget& widget) {
    QApplication::processEvents();
    return widget.grab().toImage();
}

} // namespace

// Every glyph a tool bar shows is drawn greyed while its button is disabled, as the menu shows the
// same command disabled.
TEST_F(ViewTest, ADisabledToolButtonIsDrawnOtherwiseThanAnEnabledOneForEveryGlyph) {
    Form& form = MakeForm();
    auto& button = form.Add<SpeedButton>("sbtQualquer");
    button.SetBounds(4, 3, 25, 25);
    form.Show();
    QToolButton& widget = WidgetOf<QToolButton>(button);
    for (Glyph glyph : {Glyph::Filter, Glyph::Print, Glyph::Edit, Glyph::Close, Glyph::Search, Glyph::Confirm,
                        Glyph::Cancel, Glyph::Simulate, Glyph::Help, Glyph::Refresh}) {
        button.SetGlyph(glyph);
        button.SetEnabled(true);
        const QImage enabled = Picture(widget);
        button.SetEnabled(false);
        const QImage disabled = Picture(widget);
        EXPECT_GT(DifferingPixels(enabled, disabled), 20) << "glyph " << static_cast<int>(glyph);
        EXPECT_EQ(ColouredPixels(disabled), 0) << "glyph " << static_cast<int>(glyph) << " is greyed";
    }
}

// A menu entry's picture is greyed with its entry, as its tool button is.
TEST_F(ViewTest, ADisabledMenuEntryShowsItsGlyphGreyed) {
    Form& form = MakeForm();
    auto& menu = form.Create<MainMenu>("mnuPrincipal");
    form.SetMenu(&menu);
    MenuItem& filtrar = menu.Items().Add("mnuManutencao", "&Manutenção").Add("mnuFiltrar", "Fi&ltrar");
    filtrar.SetGlyph(Glyph::Filter);
    form.Show();
    Process();
    QAction* entry = ViewOf(form).Menu()->ActionOf(filtrar);
    ASSERT_NE(entry, nullptr);
    ASSERT_FALSE(entry->icon().isNull());
    filtrar.SetEnabled(false);
    EXPECT_FALSE(entry->isEnabled());
    const QImage normal = entry->icon().pixmap(16, QIcon::Normal).toImage();
    const QImage greyed = entry->icon().pixmap(16, QIcon::Disabled).toImage();
    EXPECT_GT(ColouredPixels(normal), 10) << "the funnel is blue";
    EXPECT_EQ(ColouredPixels(greyed), 0);
}

// A radio button, a check box and a push button holding the focus show a focus frame, whichever
// way the focus came.
TEST_F(ViewTest, TheFocusedRadioButtonCheckBoxAndButtonShowAFocusFrame) {
    Form& form = MakeForm();
    auto& other = form.Add<Button>("btnOutro");
    other.SetBounds(300, 10, 80, 25);
    other.SetCaption("Outro");
    auto& radio = form.Add<RadioButton>("rbtTodos");
    radio.SetBounds(10, 10, 120, 17);
    radio.SetCaption("Todos");
    auto& check = form.Add<CheckBox>("chbPendente");
    check.SetBounds(10, 40, 120, 17);
    check.SetCaption("Pendente");
    auto& push = form.Add<Button>("btnOk");
    push.SetBounds(10, 70, 80, 25);
    push.SetCaption("OK");
    form.Show();
    other.SetFocus();
    Process();
    for (Control* control : std::initializer_list<Control*>{&radio, &check, &push}) {
        QWidget& widget = *ViewOf(form).WidgetOf(*control);
        other.SetFocus();
        const QImage without = Picture(widget);
        control->SetFocus();
        const QImage with = Picture(widget);
        EXPECT_TRUE(widget.hasFocus()) << control->Name();
        EXPECT_GT(DifferingPixels(without, with), 10) << control->Name() << " shows no focus";
    }
}

// Qt's own file dialog, as "Salvar PDF" shows it on the desktop, reads in the host's Portuguese.
TEST_F(ViewTest, QtsOwnFileDialogReadsInPortuguese) {
    QFileDialog dialog(&window, QStringLiteral("Salvar PDF"), {}, QStringLiteral("PDF (*.pdf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QStringList texts;
    for (QAbstractButton* button : buttons->buttons())
        texts << button->text().remove('&');
    EXPECT_TRUE(texts.contains(QStringLiteral("Salvar"))) << texts.join(", ").toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Cancelar"))) << texts.join(", ").toStdString();
    auto* fileNameLabel = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    ASSERT_NE(fileNameLabel, nullptr);
    EXPECT_FALSE(fileNameLabel->text().contains(QStringLiteral("File name")))
        << fileNameLabel->text().toStdString();
}

// A dialog offers no minimise or maximise button, and its window holds every control whole, also
// when the form's size leaves the lowest one at its very edge.
TEST_F(ViewTest, ADialogHasNoMinimiseOrMaximiseAndCutsNoControl) {
    Form& dialog = MakeForm(FormStyle::Normal, 300, 120);
    auto& ok = dialog.Add<Button>("btnOk");
    ok.SetBounds(210, 98, 80, 25); // reaches 3 px below the form's height
    dialog.Show();
    Process();
    QWidget& dialogWindow = ViewOf(dialog).Window();
    const Qt::WindowFlags flags = dialogWindow.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    const QRect button = WidgetOf<QPushButton>(ok).geometry();
    EXPECT_TRUE(dialogWindow.rect().contains(button))
        << dialogWindow.height() << " high for a button to " << button.bottom();
    EXPECT_EQ(dialogWindow.width(), 300) << "a form whose controls fit keeps its size";
}

// The main window is titled after the application and the branch, and makes room for a screen
// larger than its area so that the screen is shown whole.
TEST_F(ViewTest, TheMainWindowNamesTheBranchAndShowsAWholeScreen) {
    window.SetBranch("0001", "MATRIZ SAO PAULO");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pedidos - Filial 0001 - MATRIZ SAO PAULO"));
    window.resize(400, 300);
    Process();
    Form& screen = MakeForm(FormStyle::MDIChild, 752, 429);
    screen.Show();
    Process();
    const QWidget& sub = ViewOf(screen).Window();
    const QRect area = window.Area().viewport()->rect();
    EXPECT_TRUE(area.contains(sub.geometry())) << area.width() << "x" << area.height();
}

// The bar shows the active screen's message and summary as they change; a dialog over the screen
// leaves them there.
TEST_F(ViewTest, TheStatusBarShowsTheActiveScreensMessageAndSummary) {
    Form& screen = MakeForm(FormStyle::MDIChild, 400, 300);
    screen.SetStatusText(StatusPart::Summary, "134 pedidos carregados");
    screen.Show();
    Process();
    EXPECT_EQ(window.StatusSummary(), QStringLiteral("134 pedidos carregados"));
    screen.SetStatusText(StatusPart::Message, "2 pedidos cancelados.");
    screen.SetStatusText(StatusPart::Summary, "132 pedidos carregados");
    EXPECT_EQ(window.StatusMessage(), QStringLiteral("2 pedidos cancelados."));
    EXPECT_EQ(window.StatusSummary(), QStringLiteral("132 pedidos carregados"));
    Form& dialog = app.CreateForm<Form>("frmDialogo");
    dialog.SetBounds(0, 0, 200, 100);
    dialog.Show();
    EXPECT_EQ(window.StatusMessage(), QStringLiteral("2 pedidos cancelados."));
}

// Qt's own focus chain is the model's tab order and passes over what cannot take the focus: the
// disabled, the hidden, what is no tab stop, and the parts of composite widgets.
TEST_F(ViewTest, QtsFocusChainFollowsTheModelsTabOrder) {
    Form& form = MakeForm();
    auto& nome = form.Add<Edit>("edtNome");
    auto& codigo = form.Add<Edit>("edtCodigo");
    auto& ativo = form.Add<CheckBox>("chbAtivo");
    auto& bloqueado = form.Add<Button>("btnBloqueado");
    auto& exibido = form.Add<Edit>("edtExibido");
    auto& pages = form.Add<PageControl>("pgcPaginas");
    pages.Add<TabSheet>("tshUm").Add<Edit>("edtNaPagina");
    codigo.SetTabOrder(0);
    bloqueado.SetEnabled(false);
    exibido.SetTabStop(false);
    form.Show();
    Process();
    // What Qt's Tab would visit inside the form: tab-focus widgets that are enabled and shown, a
    // widget with a focus proxy standing for it (the tab widget's tab bar).
    QWidget& formWindow = ViewOf(form).Window();
    auto tabStops = [&](QWidget& start) {
        std::vector<std::string> names;
        for (QWidget* w = start.nextInFocusChain(); w != &start && names.size() < 20;
             w = w->nextInFocusChain()) {
            const bool stop = (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() &&
                              w != &formWindow && formWindow.isAncestorOf(w) && w->isVisibleTo(&formWindow);
            if (stop)
                names.push_back(
                    (w->parentWidget() && w->parentWidget()->focusProxy() == w ? w->parentWidget() : w)
                        ->objectName()
                        .toStdString());
        }
        return names;
    };
    QWidget& first = WidgetOf<QLineEdit>(codigo);
    EXPECT_EQ(tabStops(first),
              (std::vector<std::string>{nome.Name(), ativo.Name(), pages.Name(), "edtNaPagina"}));
}
