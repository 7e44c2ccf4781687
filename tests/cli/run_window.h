// Runs quillon-cli in-process and hands back its JSON, for the end-to-end tables.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/cli_json.h"

namespace quillon::test {

using testing_support::RunWindow;

// The steps that type each NAME=TEXT into its field and then leave `last`.
inline std::vector<std::string> TypeAndLeave(const std::vector<std::string>& fields,
                                             const std::string& last) {
    std::vector<std::string> steps;
    for (const auto& f : fields) steps.push_back("set:" + f);
    steps.push_back("leave:" + last);
    return steps;
}

}  // namespace quillon::test
