#include "data/Format.h"

#include "data/DateTime.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace data;

struct NumberCase {
    const char* pattern;
    double value;
    const char* text;
};

TEST(Format, NumbersUseTheLocaleSeparatorAndRoundHalfAwayFromZero) {
    const FormatSettings ptBr = FormatSettings::ForLocale("pt-BR");
    const NumberCase cases[] = {
        {"######0.000", 2, "2,000"},
        {"###0.00", 0.5, "0,50"},
        {"###0.00", 1234.5, "1234,50"},
        {"###0.00", -3, "-3,00"},
        {"###0.00", 0.999, "1,00"},
        {"###0.00", 3 * 0.333, "1,00"},
        {"###0.00", -0.001, "0,00"},
        {"###0.00", 1.005, "1,01"},
        {"###0.00", 2.675, "2,68"},
        {"###0.00", -2.675, "-2,68"},
        {"###0.00", 0.125, "0,13"},
        {"######0.000", 0, "0,000"},
        {"###0.00", 999.995, "1000,00"},
        {"###0.00", 12345678.9, "12345678,90"},
        {"0", 2.5, "3"},
        {"0", -0.4, "0"},
        {"0.0#", 1.5, "1,5"},
        {"0.0#", 1.25, "1,25"},
        {"000.00", 7.1, "007,10"},
        {"###0.00", 1e-20, "0,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFloat(c.pattern, c.value, ptBr), c.text) << c.pattern << " " << c.value;
    }
    EXPECT_EQ(FormatFloat("###0.00", 1234.5, FormatSettings::ForLocale("en-US")), "1234.50");
    EXPECT_THROW(FormatFloat("#,##0.00", 1, ptBr), std::invalid_argument);
}

TEST(Format, PlainNumbersShowWhatAPersonExpectsWithoutExponent) {
    const FormatSettings ptBr = FormatSettings::ForLocale("pt-BR");
    const std::pair<double, const char*> cases[] = {
        {3 * 1.10, "3,3"}, // 3.3000000000000003 in binary
        {3 * 0.10, "0,3"}, // 0.30000000000000004
        {3 * 0.333, "0,999"},
        {0, "0"},
        {-2.5, "-2,5"},
        {1234567.5, "1234567,5"},
        {1e20, "100000000000000000000"},
        {1e-20, "0,00000000000000000001"},
        {0.1 + 0.2, "0,3"},
        {123456789012345678.0, "123456789012346000"},
        {-0.000001, "-0,000001"},
        {2, "2"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatNumber(value, ptBr), text) << value;
    EXPECT_EQ(FormatNumber(3 * 1.10, FormatSettings::ForLocale("en-US")), "3.3");
}

TEST(Format, UnknownLocaleIsRefused) {
    EXPECT_THROW(FormatSettings::ForLocale("xx-YY"), std::invalid_argument);
}

TEST(Format, DatesFollowTheShortDateFormatBothWays) {
    const FormatSettings ptBr = FormatSettings::ForLocale("pt-BR");
    const FormatSettings enUs = FormatSettings::ForLocale("en-US");
    const double date = EncodeDate(2024, 5, 10);
    EXPECT_EQ(FormatDate(date, ptBr), "10/05/2024");
    EXPECT_EQ(FormatDate(date, enUs), "05/10/2024");
    EXPECT_EQ(FormatDateTime(date + EncodeTime(14, 30, 0), ptBr), "10/05/2024 14:30:00");
    EXPECT_EQ(FormatDateTime(date, ptBr), "10/05/2024");
    EXPECT_EQ(ParseDate("10/05/2024", ptBr), date);
    EXPECT_EQ(ParseDate("05/10/2024", enUs), date);
    EXPECT_EQ(ParseDate("29/02/2024", ptBr), EncodeDate(2024, 2, 29));
    for (const char* bad :
         {"31/02/2024", "29/02/2023", "10/05/24", "10-05-2024", "10/05/2024 ", "", "aa/bb/cccc"}) {
        EXPECT_FALSE(ParseDate(bad, ptBr)) << bad;
    }
    EXPECT_EQ(ParseDateTime("10/05/2024 14:30", ptBr), date + EncodeTime(14, 30, 0));
    EXPECT_FALSE(ParseDateTime("10/05/2024 25:00", ptBr));
}

TEST(Format, ParseFloatAcceptsPointOrLocaleSeparator) {
    const FormatSettings ptBr = FormatSettings::ForLocale("pt-BR");
    EXPECT_EQ(ParseFloat("1234,5", ptBr), 1234.5);
    EXPECT_EQ(ParseFloat("1234.5", ptBr), 1234.5);
    EXPECT_EQ(ParseFloat("-3", ptBr), -3.0);
    EXPECT_FALSE(ParseFloat("12a", ptBr));
    EXPECT_FALSE(ParseFloat("", ptBr));
}
