// A whole quillon-cli run of frmNoseR with any steps (the input's NUL-separated pieces), or of
// another of the windows below when the first piece names it: the exit status is 0 with one JSON
// object and nothing on standard error, or 2 with one line on standard error and nothing on
// standard output. No result shows a non-finite number and every drawing coordinate is a number.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "fuzz_check.h"

namespace {

using quillon::fuzz::Require;
using quillon::fuzz::ShowsNonFinite;
using Json = nlohmann::json;

constexpr size_t kMaxSteps = 64;

// The windows a first piece may choose instead of frmNoseR.
constexpr const char* kOtherWindows[] = {"frmContourCheck"};

void CheckState(const Json& j, const std::string& window) {
    Require(j.is_object() && j["window"] == window, "not the window's state");
    const Json& texts = j["texts"];
    // Result fields and the clipboard hold only what the window wrote; typed fields may hold
    // anything the user typed.
    for (const auto& name : j["locked"]) {
        const Json& t = texts[name.get<std::string>()];
        Require(t.is_string() && !ShowsNonFinite(t.get<std::string>()),
                "result field " + name.get<std::string>() + " shows " + t.dump());
    }
    if (j["clipboard"].is_string()) {
        Require(!ShowsNonFinite(j["clipboard"].get<std::string>()),
                "the clipboard holds " + j["clipboard"].dump());
    }
    for (const auto& [picture, ops] : j["pictures"].items())
        for (const auto& op : ops)
            for (const auto& [key, value] : op.items())
                if (key != "op" && key != "text" && key != "color" && key != "style")
                    Require(value.is_number(), picture + ": " + op.dump());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"frmNoseR"};
    std::string piece;
    for (size_t i = 0; i < size && args.size() <= kMaxSteps; ++i) {
        if (data[i] == 0) {
            args.push_back(piece);
            piece.clear();
        } else {
            piece += static_cast<char>(data[i]);
        }
    }
    if (!piece.empty() && args.size() <= kMaxSteps) args.push_back(piece);
    for (const char* window : kOtherWindows)
        if (args.size() > 1 && args[1] == window) args.erase(args.begin());

    std::ostringstream out, err;
    const int status = quillon::cli::Run(args, ".", out, err);
    const std::string o = out.str(), e = err.str();
    if (status == 2) {
        Require(o.empty(), "bad usage printed on standard output");
        Require(e.rfind("quillon-cli: ", 0) == 0, "bad usage without the program's name: " + e);
        Require(e.find('\n') == e.size() - 1, "bad usage is not one line: " + e);
        return 0;
    }
    Require(status == 0, "exit status " + std::to_string(status));
    Require(e.empty(), "a successful run wrote on standard error: " + e);
    Json j;
    try {
        j = Json::parse(o);
    } catch (const Json::exception& x) {
        quillon::fuzz::Fail(std::string("not JSON: ") + x.what());
    }
    CheckState(j, args[0]);
    return 0;
}
