#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <QColor>
#include <QImage>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

// The screen as a person sees it: opened, the filter dialog answered, the orders loaded, with a
// picture at each step. The same script runs headless for the transcript to compare.
constexpr const char* Script = R"(today 2024-05-15
open PED01000
expect focus medCdFilial
shot {DIR}/opened.png
click mnuPedido
expect frmFiltroCancelaPed.Visible true
shot {DIR}/filter.png
click sbtConfirma
expect frmFiltroCancelaPed.Visible false
tab pgcPadrao tshPadrao
shot {DIR}/orders.png
tab pgcPadrao tshItemPedido
shot {DIR}/items.png
)";

class OffscreenHost : public ::testing::Test {
protected:
    testkit::ProcessResult RunHost(const std::string& platform) {
        std::string text = Script;
        for (std::size_t at; (at = text.find("{DIR}")) != std::string::npos;)
            text.replace(at, 5, folder.Path().string());
        auto file = folder.Path() / "screen.script";
        std::ofstream(file) << text;
        return RunScript(platform, file.string(), {});
    }

    testkit::ProcessResult RunScript(const std::string& platform, const std::string& file,
                                     std::vector<std::string> extra) {
        testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
        run.platform = platform;
        run.script = file;
        run.more = std::move(extra);
        return run.Run(std::chrono::seconds(120));
    }

    QImage Shot(const char* name) const {
        return QImage(QString::fromStdString((folder.Path() / name).string()));
    }

    static int DistinctColours(const QImage& image) {
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        return static_cast<int>(colours.size());
    }

    testkit::ServerProcess server{testkit::ServerProcessOptions{}};
    testkit::TempDir folder{"pedhost-qt"};
};

} // namespace

TEST_F(OffscreenHost, QtRunGivesTheHeadlessTranscriptAndPicturesOfTheScreen) {
    testkit::ProcessResult qt = RunHost("qt");
    testkit::ProcessResult headless = RunHost("headless");

    EXPECT_EQ(qt.exitStatus, 0) << qt.out << qt.err;
    EXPECT_EQ(qt.out, headless.out) << qt.err;
    for (const char* name : {"opened.png", "filter.png", "orders.png", "items.png"}) {
        QImage picture = Shot(name);
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_GE(picture.width(), 752) << name << ": the screen's window fits in the main window";
        EXPECT_GE(picture.height(), 429) << name;
        EXPECT_GT(DistinctColours(picture), 8) << name << " is not blank";
    }
    QImage opened = Shot("opened.png");
    QImage filter = Shot("filter.png");
    ASSERT_EQ(opened.size(), filter.size());
    int changed = 0;
    for (int y = 0; y < opened.height(); ++y)
        for (int x = 0; x < opened.width(); ++x)
            changed += opened.pixel(x, y) != filter.pixel(x, y);
    EXPECT_GT(changed, 540 * 298 / 2) << "the open filter dialog is in the picture";
}

// What the grids paint, read by the script through the model, is the same on the desktop: the
// scenario's transcript holds on the Qt platform too.
TEST_F(OffscreenHost, GridPaintingScenarioPassesOnTheQtPlatform) {
    const std::string base = std::string(PED_SCRIPTS_DIR) + "/grid_painting";
    server.Database().Connect()->ExecuteScript(testkit::ReadTextFile(base + ".sql"));
    testkit::ProcessResult qt = RunScript("qt", base + ".script", {"--fixed-branch"});
    EXPECT_EQ(qt.exitStatus, 0) << qt.out << qt.err;
    EXPECT_EQ(qt.out, testkit::ReadTextFile(base + ".expected")) << qt.err;
}
