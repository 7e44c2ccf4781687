// Number texts are what the operator copies into a part program: every row compares the exact
// text the user sees.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/checked.h"
#include "shell/numtext.h"

namespace quillon {
namespace {

struct TextRow {
    const char* name;
    double value;
    const char* text;
};

class NcNumberTest : public testing::TestWithParam<TextRow> {};

TEST_P(NcNumberTest, RoundsHalvesToEvenAndPrintsPlainDecimals) {
    const TextRow& row = GetParam();
    EXPECT_EQ(NcNumber(row.value + 0.0), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, NcNumberTest,
    testing::Values(
        TextRow{"ThreeDecimals", 12.3456, "12.346"}, TextRow{"Whole", 12, "12"},
        TextRow{"OneDecimal", 100.1, "100.1"}, TextRow{"Half", 0.5, "0.5"},
        TextRow{"Hundredth", 0.05, "0.05"}, TextRow{"BelowHalfThousandth", 0.0004, "0"},
        TextRow{"HalfThousandthToEvenZero", 0.0005, "0"},
        TextRow{"HalfUpToEvenTwo", 0.0015, "0.002"}, TextRow{"HalfDownToEvenTwo", 0.0025, "0.002"},
        TextRow{"HalfUpToEvenFourteen", 0.0135, "0.014"},
        TextRow{"HalfToEvenThousand", 1.0005, "1"}, TextRow{"JustAboveHalf", 2.0005, "2.001"},
        TextRow{"RoundsUpToOne", 0.9996, "1"}, TextRow{"NegativeFraction", -0.25, "-0.25"},
        TextRow{"NegativeHalfThousandthIsZero", -0.0005, "0"},
        TextRow{"RoundsDownToMinusOne", -0.9996, "-1"},
        TextRow{"NegativeThreeDecimals", -12.3456, "-12.346"},
        TextRow{"SevenDigits", 1234.5678, "1234.568"}, TextRow{"MinusHalf", -0.5, "-0.5"},
        TextRow{"SevenWhole", 7, "7"}, TextRow{"Zero", 0, "0"}, TextRow{"NegativeZero", -0.0, "0"},
        TextRow{"SmallestStep", 0.001, "0.001"}, TextRow{"NegativeSmallestStep", -0.001, "-0.001"},
        TextRow{"NegativeWhole", -40, "-40"}, TextRow{"Large", 123456789012.5, "123456789012.5"},
        TextRow{"NoExponentBelowTenToFifteen", 999999999999999, "999999999999999"},
        TextRow{"FloatingNoise", 0.1 + 0.2, "0.3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NcNumber, OnlyTheInPlaceFormRoundsItsVariable) {
    double v = 12.3456;
    EXPECT_EQ(NcNumberInPlace(v), "12.346");
    EXPECT_EQ(v, 12.346);

    double c = 2.0005;
    EXPECT_EQ(NcNumber(c), "2.001");
    EXPECT_EQ(c, 2.0005);
}

TEST(NcNumber, FaultsInsteadOfPrintingInfinityOrNan) {
    EXPECT_THROW(NcNumber(std::numeric_limits<double>::infinity()), ArithmeticFault);
    EXPECT_THROW(NcNumber(std::nan("")), ArithmeticFault);
    EXPECT_THROW(NcNumber(1e307), ArithmeticFault);  // v * 1000 overflows
}

class ResultTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(ResultTextTest, ShiftsUpByATenThousandthBeforeRounding) {
    EXPECT_EQ(ResultText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ResultTextTest,
                         testing::Values(TextRow{"ShiftCrossesHalf", 2.0004, "2.001"},
                                         TextRow{"ShiftCrossesHalfAgain", 12.3445, "12.345"},
                                         TextRow{"TinyBecomesThousandth", 0.00045, "0.001"},
                                         TextRow{"SmallNegativeIsZero", -0.0004, "0"},
                                         TextRow{"Whole", 44, "44"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadRow {
    const char* name;
    std::string text;
    double value;
};

class ReadNumberTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadNumberTest, TakesTheLongestLeadingNumber) {
    EXPECT_EQ(ReadNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    LenientReading, ReadNumberTest,
    testing::Values(ReadRow{"LeadingBlank", " 12.5", 12.5}, ReadRow{"BlankInside", "1 2", 12},
                    ReadRow{"PointFirst", "-.5", -0.5}, ReadRow{"Unit", "3mm", 3},
                    ReadRow{"Letters", "abc", 0}, ReadRow{"CommaIsNoSeparator", "1,5", 1},
                    ReadRow{"TrailingLetters", "12abc", 12}, ReadRow{"OnlyBlank", " ", 0},
                    ReadRow{"Empty", "", 0}, ReadRow{"TabAndLineFeed", "\t1\n2.5", 12.5},
                    ReadRow{"PlusSign", "+7", 7}, ReadRow{"Exponent", "1.5E2", 150},
                    ReadRow{"LowerExponent", "2e-3", 0.002}, ReadRow{"DExponent", "1D3", 1000},
                    ReadRow{"ExponentWithoutDigits", "4e", 4},
                    ReadRow{"ExponentSignWithoutDigits", "4e+", 4},
                    ReadRow{"SecondPointEnds", "1.2.3", 1.2}, ReadRow{"LoneMinus", "-", 0},
                    ReadRow{"LonePoint", ".", 0}, ReadRow{"FullWidthDigits", "１２", 0},
                    ReadRow{"Underflow", "1e-999", 0}, ReadRow{"CarriageReturnEnds", "1\r2", 1},
                    ReadRow{"UnderflowWrittenOut", "-0." + std::string(400, '0') + "1", 0},
                    ReadRow{"UnderflowOfManyDigits", std::string(300, '7') + "e-700", 0},
                    ReadRow{"LongText",
                            std::string(10000, '9').substr(0, 20) + std::string(9980, 'x'),
                            99999999999999999999.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadNumber, OverflowIsAFaultNotInfinity) {
    EXPECT_THROW(ReadNumber("1e999"), ArithmeticFault);
    EXPECT_THROW(ReadNumber("-1e400"), ArithmeticFault);
    EXPECT_THROW(ReadNumber(std::string(400, '9')), ArithmeticFault);
    // A negative exponent does not make a number small.
    EXPECT_THROW(ReadNumber("1" + std::string(400, '0') + "e-5"), ArithmeticFault);
    EXPECT_NO_THROW(ReadNumber(std::string(10000, 'a')));
}

TEST(PlainDecimal, HasNoExponentAndAZeroBeforeThePoint) {
    EXPECT_EQ(PlainDecimal(38.4), "38.4");
    EXPECT_EQ(PlainDecimal(-20.8), "-20.8");
    EXPECT_EQ(PlainDecimal(0.25), "0.25");
    EXPECT_EQ(PlainDecimal(-0.0001), "-0.0001");
    EXPECT_EQ(PlainDecimal(0.1 + 0.2), "0.3");
    EXPECT_EQ(PlainDecimal(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(PlainDecimal(123456.789), "123456.789");
    EXPECT_THROW(PlainDecimal(std::numeric_limits<double>::infinity()), ArithmeticFault);
}

TEST(PrintSingle, PrintsSignPlaceAndTrailingBlank) {
    EXPECT_EQ(PrintSingle(40.5f), " 40.5 ");
    EXPECT_EQ(PrintSingle(-0.001f), "-0.001 ");
    EXPECT_EQ(PrintSingle(0.0f), " 0 ");
    EXPECT_EQ(PrintSingle(12.345678f), " 12.34568 ");
    EXPECT_EQ(PrintSingle(12345678.0f), " 1.234568E+07 ");
}

}  // namespace
}  // namespace quillon
