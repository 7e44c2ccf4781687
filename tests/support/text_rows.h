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

// The text control `name` shows in a window's state. A name the state does not list (a
// misspelt control) fails the test, naming it, and gives nothing.
inline std::optional<std::string> ShownText(const Json& state, const std::string& name) {
    const auto texts = state.find("texts");
    if (texts == state.end() || !texts->is_object()) {
        ADD_FAILURE() << "the window's state has no texts (looking for \"" << name << "\")";
        return std::nullopt;
    }
    const auto text = texts->find(name);
    if (text == texts->end() || !text->is_string()) {
        ADD_FAILURE() << "the window has no control named \"" << name << "\" that shows a text";
        return std::nullopt;
    }
    return text->get<std::string>();
}

// Runs the row's steps on `window` and expects every listed text, and the clipboard and the
// focus if given; returns the window's state for further checks.
inline Json ExpectTexts(const std::string& window, const TextRow& row) {
    const Json j = RunCli(window, row.steps);
    for (const std::string& t : row.texts) {
        const size_t eq = t.find('=');
        if (eq == std::string::npos) {
            ADD_FAILURE() << "row text \"" << t << "\" is not Control=text";
            continue;
        }
        if (const auto shown = ShownText(j, t.substr(0, eq))) {
            EXPECT_EQ(*shown, t.substr(eq + 1)) << t;
        }
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
