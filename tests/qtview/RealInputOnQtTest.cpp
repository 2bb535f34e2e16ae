#include "testkit/Scenario.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace {

// The operator's whole path by real key events and by real mouse clicks to the widgets: the
// transcript the headless run gives, and the pictures the keyboard path takes on the way.
class RealInputOnQt : public testing::TestWithParam<const char*> {
protected:
    testkit::ServerProcess server{testkit::ServerProcessOptions{}};
    testkit::TempDir folder{"pedhost-qt-input"};
};

int DistinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST_P(RealInputOnQt, ThePathByRealInputGivesTheHeadlessTranscript) {
    const testkit::Scenario scenario(std::string(PED_SCRIPTS_DIR) + "/" + GetParam(), folder.Path());
    const testkit::ProcessResult qt = scenario.Run(server, PED_PEDHOST_PATH, "qt", false);
    EXPECT_EQ(qt.exitStatus, 0) << qt.out << qt.err;
    EXPECT_EQ(qt.out, scenario.Expected()) << qt.err;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        if (entry.path().extension() != ".png")
            continue;
        const QImage shot(QString::fromStdString(entry.path().string()));
        ASSERT_FALSE(shot.isNull()) << entry.path();
        EXPECT_GT(DistinctColours(shot), 8) << entry.path() << " is not blank";
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, RealInputOnQt, testing::Values("keyboard_only", "mouse_only"));

} // namespace
