// Running quillon-cli in-process for the figure windows' tests, and reading its display lists.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "support/cli_json.h"

namespace quillon::testing {

using Json = nlohmann::json;

// Runs `quillon-cli WINDOW STEP...`; fails the test unless it exits 0 with JSON.
inline Json RunCli(const std::string& window, const std::vector<std::string>& steps) {
    return testing_support::RunWindow(window, steps);
}

// The steps of a user typing each value and leaving the field.
inline std::vector<std::string> TypeAndLeave(
    std::initializer_list<std::pair<const char*, const char*>> fields) {
    std::vector<std::string> steps;
    for (const auto& [name, text] : fields) {
        steps.push_back(std::string("set:") + name + "=" + text);
        steps.push_back(std::string("leave:") + name);
    }
    return steps;
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The kinds and colours of a display list, one "op color" entry per element, for comparing
// the order of what is drawn.
inline std::vector<std::string> Outline(const Json& ops) {
    std::vector<std::string> out;
    for (const auto& op : ops) {
        std::string s = op["op"].get<std::string>();
        if (op.contains("color")) s += " " + op["color"].get<std::string>();
        if (op.contains("text")) s += " " + op["text"].get<std::string>();
        out.push_back(s);
    }
    return out;
}

}  // namespace quillon::testing
