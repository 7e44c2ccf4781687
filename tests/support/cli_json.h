// Runs quillon-cli in-process and parses its JSON, for end-to-end rows.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/runner.h"
#include "support/cli_calls.h"

namespace quillon::testkit {

struct CliResult {
    int status = 0;
    nlohmann::json json;  // null unless status is 0
    std::string out, err;
};

inline CliResult RunCli(const std::vector<std::string>& args,
                        const std::string& programFolder = ".") {
    LogCliCall(args, programFolder);
    std::ostringstream out, err;
    CliResult r;
    r.status = quillon::cli::Run(args, programFolder, out, err);
    r.out = out.str();
    r.err = err.str();
    if (r.status == 0) r.json = nlohmann::json::parse(r.out);
    return r;
}

// The state that `quillon-cli WINDOW STEP...` prints; a failed run fails the test and gives an
// empty object.
inline nlohmann::json RunWindow(const std::string& window, const std::vector<std::string>& steps) {
    std::vector<std::string> args{window};
    args.insert(args.end(), steps.begin(), steps.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json : nlohmann::json::object();
}

// The texts of a window after the steps, or a failed expectation.
inline nlohmann::json Texts(const CliResult& r) {
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json["texts"] : nlohmann::json::object();
}

using Json = nlohmann::json;

// Runs `quillon-cli WINDOW STEP...`; fails the test unless it exits 0 with JSON.
inline Json RunCli(const std::string& window, const std::vector<std::string>& steps) {
    return RunWindow(window, steps);
}

// The steps of a user typing each value and leaving the field, field by field.
inline std::vector<std::string> TypeAndLeave(
    std::initializer_list<std::pair<const char*, const char*>> fields) {
    std::vector<std::string> steps;
    for (const auto& [name, text] : fields) {
        steps.push_back(std::string("set:") + name + "=" + text);
        steps.push_back(std::string("leave:") + name);
    }
    return steps;
}

// The steps that type each NAME=TEXT into its field and then leave only `last`.
inline std::vector<std::string> TypeThenLeave(const std::vector<std::string>& fields,
                                              const std::string& last) {
    std::vector<std::string> steps;
    for (const auto& f : fields) steps.push_back("set:" + f);
    steps.push_back("leave:" + last);
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

}  // namespace quillon::testkit
