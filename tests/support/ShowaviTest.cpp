#include "Showavi.h"

#include "SupportFixture.h"

#include <stdexcept>

using ShowaviTest = SupportTest;
using Kind = ui::HeadlessPlatform::EventKind;

namespace {

std::vector<Kind> BusyEvents(const ui::HeadlessPlatform& platform) {
    std::vector<Kind> kinds;
    for (const auto& event : platform.Events()) {
        if (event.Kind == Kind::BusyOn || event.Kind == Kind::BusyOff)
            kinds.push_back(event.Kind);
    }
    return kinds;
}

} // namespace

TEST_F(ShowaviTest, NestedStartsNeedAsManyStopsAndTheFirstKindIsShown) {
    Showavi::ActiveShowAvi(app.MainForm(), Showavi::Fetching);
    Showavi::ActiveShowAvi(app.MainForm(), Showavi::Running);
    EXPECT_TRUE(platform.IsBusy());
    EXPECT_EQ(platform.Events().front().Answer, "6");
    Showavi::DeactiveShowAvi();
    EXPECT_TRUE(platform.IsBusy());
    Showavi::DeactiveShowAvi();
    EXPECT_FALSE(platform.IsBusy());
    EXPECT_EQ(BusyEvents(platform), (std::vector<Kind>{Kind::BusyOn, Kind::BusyOff}));
}

TEST_F(ShowaviTest, AnExtraStopNeverUnderflows) {
    Showavi::DeactiveShowAvi();
    EXPECT_EQ(Showavi::ActiveCount(), 0);
    EXPECT_TRUE(BusyEvents(platform).empty());
    Showavi::ActiveShowAvi(nullptr, Showavi::Running);
    EXPECT_TRUE(platform.IsBusy());
    Showavi::DeactiveShowAvi();
    EXPECT_FALSE(platform.IsBusy());
}

TEST_F(ShowaviTest, GuardStopsOnTheFailurePathAndStopsOnlyOnce) {
    EXPECT_THROW(
        {
            Showavi::Guard busy(nullptr, Showavi::Fetching);
            EXPECT_TRUE(platform.IsBusy());
            throw std::runtime_error("servidor fora do ar");
        },
        std::runtime_error);
    EXPECT_FALSE(platform.IsBusy());

    Showavi::ActiveShowAvi(nullptr, Showavi::Fetching);
    {
        Showavi::Guard inner(nullptr, Showavi::Running);
        inner.Stop();
        inner.Stop();
        EXPECT_EQ(Showavi::ActiveCount(), 1);
    }
    EXPECT_EQ(Showavi::ActiveCount(), 1);
    EXPECT_TRUE(platform.IsBusy());
}
