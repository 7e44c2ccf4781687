// The row helpers of the end-to-end tests report a row that cannot hold as a test failure
// naming what is wrong: a misspelt control, a wrong text, a row text without "=".
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/text_rows.h"

namespace quillon::testkit {
namespace {

struct HelperRow {
    const char* name;
    std::vector<std::string> texts;
    std::vector<std::string> failures;  // a part of each failure's message, in order
};
void PrintTo(const HelperRow& row, std::ostream* os) {
    *os << row.name;
}

class RowHelper : public testing::TestWithParam<HelperRow> {};

TEST_P(RowHelper, FailsExactlyWhereTheRowIsWrong) {
    const HelperRow& row = GetParam();
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter catcher(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        ExpectTexts("frmNoseR", TextRow{"Row", {"set:Text1=0.8"}, row.texts});
    }
    ASSERT_EQ(static_cast<size_t>(results.size()), row.failures.size());
    for (size_t i = 0; i < row.failures.size(); ++i) {
        const testing::TestPartResult& r = results.GetTestPartResult(static_cast<int>(i));
        EXPECT_TRUE(r.nonfatally_failed());
        EXPECT_NE(std::string(r.message()).find(row.failures[i]), std::string::npos) << r.message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowHelper,
    testing::Values(HelperRow{"RightTexts", {"Text1=0.8", "Label1=ノーズR"}, {}},
                    HelperRow{"MisspeltControl", {"Txet1=0.8"}, {"no control named \"Txet1\""}},
                    HelperRow{"WrongText", {"Text1=0.9"}, {"Text1=0.9"}},
                    HelperRow{
                        "NoEqualsSign", {"Text1"}, {"row text \"Text1\" is not Control=text"}},
                    HelperRow{"OneWrongAmongRight",
                              {"Text1=0.8", "Text99=1", "Text1=0.8"},
                              {"no control named \"Text99\""}}),
    [](const testing::TestParamInfo<HelperRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::testkit
