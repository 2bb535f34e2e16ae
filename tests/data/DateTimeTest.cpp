#include "data/DateTime.h"

#include "data/Clock.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace data;

struct DateCase {
    int y, m, d;
    double value;
};

TEST(DateTime, EncodesAndDecodesDaysAroundTheEpochAndLeapDays) {
    const DateCase cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1899, 12, 29, -1},      {1900, 1, 1, 2},
        {1900, 3, 1, 61},     {1800, 1, 1, -36522}, {2000, 2, 29, 36585},    {2024, 2, 29, 45351},
        {2024, 5, 10, 45422}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value);
        int y = 0, m = 0, d = 0;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
    }
}

TEST(DateTime, RejectsDatesThatDoNotExist) {
    const int invalid[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 2, 30}, {2024, 4, 31},
                              {2024, 13, 1}, {2024, 0, 1},  {0, 1, 1},     {2024, 1, 0}};
    for (const auto& date : invalid) {
        double out = 0;
        EXPECT_FALSE(TryEncodeDate(date[0], date[1], date[2], out))
            << date[0] << "-" << date[1] << "-" << date[2];
        EXPECT_THROW(EncodeDate(date[0], date[1], date[2]), std::invalid_argument);
    }
}

TEST(DateTime, TimeOfDayCountsForwardBeforeAndAfterTheEpoch) {
    const double after = EncodeDateTime(2024, 5, 10, 6, 0, 0);
    EXPECT_DOUBLE_EQ(after, 45422.25);
    const double before = EncodeDateTime(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(before, -1.25);
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    DecodeDate(before, y, m, d);
    DecodeTime(before, hh, mm, ss);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(hh, 6);
    EXPECT_EQ(DateTimeToIso(EncodeDateTime(2024, 12, 31, 23, 59, 59)), "2024-12-31T23:59:59");
    EXPECT_EQ(DateTimeToIso(before), "1899-12-29T06:00:00");
}

TEST(DateTime, IsoTextIsParsedStrictly) {
    EXPECT_EQ(IsoToDate("2024-02-29"), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IsoToDate("1899-12-30"), 0.0);
    EXPECT_EQ(DateToIso(-1), "1899-12-29");
    for (const char* bad :
         {"2024-02-30", "2023-02-29", "2024-2-09", "2024/02/09", "garbage", "", "2024-02-09x"}) {
        EXPECT_FALSE(IsoToDate(bad)) << bad;
    }
    EXPECT_EQ(IsoToDateTime("2024-05-10T14:30:15"), EncodeDateTime(2024, 5, 10, 14, 30, 15));
    for (const char* bad : {"2024-05-10", "2024-05-10 14:30:15", "2024-05-10T24:00:00", "2024-05-10T10:60:00",
                            "2023-02-29T10:00:00"}) {
        EXPECT_FALSE(IsoToDateTime(bad)) << bad;
    }
}

TEST(Clock, TodayFollowsTheInjectedSourceUntilReset) {
    Clock::SetSource([] { return EncodeDateTime(2024, 5, 10, 15, 45, 0); });
    EXPECT_EQ(Clock::Today(), EncodeDate(2024, 5, 10));
    EXPECT_DOUBLE_EQ(Clock::Now(), EncodeDateTime(2024, 5, 10, 15, 45, 0));
    Clock::Reset();
    EXPECT_GT(Clock::Today(), EncodeDate(2024, 1, 1));
}
