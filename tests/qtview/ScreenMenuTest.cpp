#include "Morvale.h"
#include "ViewFixture.h"
#include "app/AppHostValues.h"
#include "app/ModuleLoader.h"
#include "ui/DBGrid.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableView>

namespace {

// The real module, loaded from the build's library folder, offers its screens in the main
// window's "Telas" menu the way pedhost fills it.
class ScreenMenuTest : public ViewTest {
protected:
    ScreenMenuTest() {
        Morvale::InstallHostValues(&values);
        loader.LoadAll();
        for (const host::OfferedScreen& screen : loader.Screens())
            window.AddScreen(screen.Code, screen.Title,
                             [this, code = screen.Code] { app.Dispatch([&] { loader.Open(code); }); });
    }
    ~ScreenMenuTest() override {
        // The forms are the module's code: they go before it is unloaded.
        for (ui::Form* form : std::vector<ui::Form*>(app.Forms()))
            form->Release();
        app.ProcessDeferredReleases();
        loader.UnloadAll();
        Morvale::InstallHostValues(nullptr);
    }

    ui::Form* FindForm(const std::string& name) const {
        for (ui::Form* form : app.Forms())
            if (form->Name() == name)
                return form;
        return nullptr;
    }
    QMenu* ScreensMenu() const {
        for (QAction* action : window.menuBar()->actions())
            if (action->text() == QStringLiteral("&Telas"))
                return action->menu();
        return nullptr;
    }

    host::HostOptions options;
    host::AppHostValues values{options, [this](const std::string& code) { loader.Open(code); }};
    host::ModuleLoader loader{PED_MODULES_DIR};
};

} // namespace

TEST_F(ScreenMenuTest, TheScreensMenuListsTheModulesScreenAndChoosingItOpensTheScreen) {
    QMenu* menu = ScreensMenu();
    ASSERT_NE(menu, nullptr);
    QAction* entry = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("PED01000")))
            entry = action;
    ASSERT_NE(entry, nullptr) << "the menu offers PED01000";
    EXPECT_EQ(entry->text(), QStringLiteral("PED01000 - Cancelamento do Pedido"));
    EXPECT_TRUE(window.Area().subWindowList().isEmpty());

    entry->trigger();
    Process();

    ui::Form* screen = FindForm("frmCancelaPed");
    ASSERT_NE(screen, nullptr) << "choosing the entry opened the screen";
    EXPECT_TRUE(screen->Visible());
    ASSERT_EQ(window.Area().subWindowList().size(), 1);
    EXPECT_EQ(window.Area().subWindowList().front()->windowTitle(), QStringLiteral("Cancelamento do Pedido"));
}

// The orders grid is as wide as its columns and the vertical scroll bar beside them, so no column
// is cut and no sideways scroll bar appears.
TEST_F(ScreenMenuTest, TheOrdersGridShowsEveryColumnWithoutScrollingSideways) {
    ASSERT_TRUE(app.Dispatch([this] { loader.Open("PED01000"); }));
    Process();
    ui::Form* screen = FindForm("frmCancelaPed");
    ASSERT_NE(screen, nullptr);
    auto& grid = *screen->Find<ui::DBGrid>("dbgPadrao");
    auto& table = WidgetOf<QTableView>(grid);
    ASSERT_GE(grid.Columns().IndexOfField("NREMPENHO"), 0);
    const int needed = table.horizontalHeader()->length() + table.verticalScrollBar()->sizeHint().width() +
                       2 * table.frameWidth();
    EXPECT_LE(needed, table.width());
}
