// Rows of end-to-end examples: steps run on a window through quillon-cli and the texts (and
// clipboard) the user then sees.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testkit {

struct TextRow {
    const char* name;
    std::vector<std::string> steps;
    std::vector<std::string> texts;  // "Control=exact text"
    std::optional<std::string> clipboard = std::nullopt;
    std::optional<std::string> focus = std::nullopt;  // the control with the focus afterwards
};

inline void PrintTo(const TextRow& row, std::ostream* os) {
    *os << row.name;
}

// Runs the row's steps on `window` and expects every listed text, and the clipboard and the
// focus if given; returns the window's state for further checks.
inline Json ExpectTexts(const std::string& window, const TextRow& row) {
    const Json j = RunCli(window, row.steps);
    for (const std::string& t : row.texts) {
        const size_t eq = t.find('=');
        EXPECT_EQ(j["texts"][t.substr(0, eq)], t.substr(eq + 1)) << t;
    }
    if (row.clipboard) {
        EXPECT_EQ(j["clipboard"], *row.clipboard);
    }
    if (row.focus) {
        EXPECT_EQ(j["focus"], *row.focus);
    }
    return j;
}

// The name gtest gives a row's test.
inline std::string RowName(const ::testing::TestParamInfo<TextRow>& info) {
    return info.param.name;
}

}  // namespace quillon::testkit
