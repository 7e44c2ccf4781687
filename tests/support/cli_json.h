// Runs quillon-cli in-process and parses its JSON, for end-to-end rows.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace quillon::testing_support {

struct CliResult {
    int status = 0;
    nlohmann::json json;  // null unless status is 0
    std::string out, err;
};

inline CliResult RunCli(const std::vector<std::string>& args,
                        const std::string& programFolder = ".") {
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

}  // namespace quillon::testing_support
