// The number texts of a calculator display: the standard text of a double, the strict reading
// of a display, and format pictures of zeros. Rows compare the exact texts the user sees.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "shell/checked.h"
#include "shell/numtext.h"

namespace quillon {
namespace {

struct ShownRow {
    const char* name;
    double value;
    const char* text;
};

class NumberTextTest : public testing::TestWithParam<ShownRow> {};

TEST_P(NumberTextTest, FifteenDigitsAndExponentsAtTheEdges) {
    EXPECT_EQ(NumberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberTextTest,
    testing::Values(ShownRow{"Whole", 14, "14"}, ShownRow{"NegativeZero", -0.0, "0"},
                    ShownRow{"FifteenDigits", 1.0 / 3, "0.333333333333333"},
                    ShownRow{"TrailingZerosDropped", 1.4142135623730951, "1.4142135623731"},
                    ShownRow{"LargestPlain", 999999999999999, "999999999999999"},
                    ShownRow{"LargeInExponentForm", 1e15, "1E+15"},
                    ShownRow{"RoundedMantissa", 123456789012345678.0, "1.23456789012346E+17"},
                    ShownRow{"SmallestPlain", 0.0001, "0.0001"},
                    ShownRow{"SmallInExponentForm", -0.00001234, "-1.234E-05"},
                    ShownRow{"ThreeDigitExponent", 1e-300, "1E-300"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberText, InfinityIsAFault) {
    EXPECT_THROW(NumberText(std::numeric_limits<double>::infinity()), ArithmeticFault);
    EXPECT_THROW(NumberText(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
}

struct ReadRow {
    const char* text;
    std::optional<double> value;  // nothing: not a number
};

class StrictNumberTest : public testing::TestWithParam<ReadRow> {};

TEST_P(StrictNumberTest, TakesOnlyAWholeNumber) {
    const ReadRow& row = GetParam();
    if (row.value)
        EXPECT_EQ(StrictNumber(row.text), *row.value);
    else
        EXPECT_THROW(StrictNumber(row.text), ArithmeticFault);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrictNumberTest,
    testing::Values(ReadRow{"53.", 53}, ReadRow{"-0.", 0}, ReadRow{" -2.5 ", -2.5},
                    ReadRow{".5", 0.5}, ReadRow{"1E+15", 1e15}, ReadRow{"1.5D2", 150},
                    ReadRow{"Error", {}}, ReadRow{"-", {}}, ReadRow{"", {}}, ReadRow{".", {}},
                    ReadRow{"01:02:05.0", {}}, ReadRow{"30'15'36", {}}, ReadRow{"1.2.3", {}},
                    ReadRow{"1E", {}}, ReadRow{"--1", {}}, ReadRow{"1E999", {}}));

struct FixedRow {
    double value;
    int whole, decimals;
    const char* text;
};

class FixedTextTest : public testing::TestWithParam<FixedRow> {};

TEST_P(FixedTextTest, PadsAndRoundsHalvesAwayFromZero) {
    const FixedRow& row = GetParam();
    EXPECT_EQ(FixedText(row.value, row.whole, row.decimals), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FixedTextTest,
    testing::Values(FixedRow{5, 2, 0, "05"}, FixedRow{125, 2, 0, "125"}, FixedRow{2.5, 2, 0, "03"},
                    FixedRow{-2.5, 2, 0, "-03"}, FixedRow{5.0000000000005, 2, 1, "05.0"},
                    FixedRow{59.96, 2, 1, "60.0"}, FixedRow{9.96, 1, 1, "10.0"},
                    // 0.15 is stored just below the half; its 15-digit text is not.
                    FixedRow{0.15, 1, 1, "0.2"}, FixedRow{-0.01, 2, 1, "00.0"},
                    FixedRow{0, 2, 1, "00.0"}, FixedRow{1e20, 2, 0, "100000000000000000000"}));

}  // namespace
}  // namespace quillon
