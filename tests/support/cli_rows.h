// Table rows of end-to-end checks: steps for quillon-cli and the exact texts the user then sees.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {

struct CliRow {
    const char* name;
    std::vector<std::string> steps;
    std::map<std::string, std::string> texts;  // control -> its text afterwards
    std::optional<std::string> clipboard = std::nullopt;
    std::optional<std::string> focus = std::nullopt;

    friend void PrintTo(const CliRow& row, std::ostream* os) { *os << row.name; }
};

// Runs the row's steps on the window and checks every text, the clipboard and the focus the
// row names.
inline void ExpectRow(const std::string& window, const CliRow& row) {
    const Json j = RunWindow(window, row.steps);
    for (const auto& [name, text] : row.texts) EXPECT_EQ(j["texts"][name], text) << name;
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
    }
    if (row.focus) {
        EXPECT_EQ(j["focus"], *row.focus);
    }
}

// The name of a parameterised test: the row's name.
inline std::string RowName(const ::testing::TestParamInfo<CliRow>& info) {
    return info.param.name;
}

}  // namespace quillon::testkit
