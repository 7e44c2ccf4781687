// Runs quillon-cli in-process and hands back its JSON, for the end-to-end tables.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace quillon::test {

// The state that `quillon-cli WINDOW STEP...` prints; a failed run fails the test and gives an
// empty object.
inline nlohmann::json RunWindow(const std::string& window, const std::vector<std::string>& steps) {
    std::vector<std::string> args{window};
    args.insert(args.end(), steps.begin(), steps.end());
    std::ostringstream out, err;
    const int status = quillon::cli::Run(args, ".", out, err);
    EXPECT_EQ(status, 0) << err.str();
    if (status != 0) return nlohmann::json::object();
    return nlohmann::json::parse(out.str());
}

// The steps that type each NAME=TEXT into its field and then leave `last`.
inline std::vector<std::string> TypeAndLeave(const std::vector<std::string>& fields,
                                             const std::string& last) {
    std::vector<std::string> steps;
    for (const auto& f : fields) steps.push_back("set:" + f);
    steps.push_back("leave:" + last);
    return steps;
}

}  // namespace quillon::test
