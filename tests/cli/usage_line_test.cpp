// Bad usage is reported on exactly one line, even when the offending argument holds line
// breaks or other control characters: scripts read the first line of standard error.
#include <gtest/gtest.h>

#include "support/cli_json.h"

namespace quillon {
namespace {

using testkit::RunCli;

struct LineRow {
    const char* name;
    std::vector<std::string> args;
    const char* err;

    friend void PrintTo(const LineRow& row, std::ostream* os) { *os << row.name; }
};

class UsageLine : public testing::TestWithParam<LineRow> {};

TEST_P(UsageLine, ControlCharactersAreEscaped) {
    const auto r = RunCli(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageLine,
    testing::Values(
        LineRow{"MalformedStep",
                {"frmNoseR", "c\n."},
                "quillon-cli: malformed step 'c\\n.': expected KIND:ARGUMENT or paint\n"},
        LineRow{"UnknownControl",
                {"frmNoseR", "click:Text\r\n1"},
                "quillon-cli: frmNoseR has no control Text\\r\\n1\n"},
        LineRow{"UnknownWindow",
                {"frm\tX"},
                "quillon-cli: unknown window 'frm\\tX' (quillon-cli --list names them)\n"},
        LineRow{"UnknownOption",
                {"--x\x01", "frmNoseR"},
                "quillon-cli: unknown option --x\\x01; usage: quillon-cli [--on-control] "
                "[--control-root DIR] [--program-folder DIR] WINDOW [STEP ...] | quillon-cli "
                "--list\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
