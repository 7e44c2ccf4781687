// A whole quillon-cli run of any built window with any steps. The input's NUL-separated pieces
// are the window, then the steps: a first piece that names a window of the registry picks it,
// any other picks the window whose index is its first byte (modulo their number), so that every
// window's steps are fuzzed and the corpus stays readable ("frmRPM", "set:Text1=100", ...). The
// exit status is 0 with one JSON object and nothing on standard error, or 2 with one line on
// standard error and nothing on standard output. No result shows a non-finite number and
// every drawing coordinate is a number.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/registry.h"
#include "cli/runner.h"
#include "fuzz_check.h"

namespace {

using quillon::fuzz::Require;
using quillon::fuzz::ShowsNonFinite;
using Json = nlohmann::json;

constexpr size_t kMaxSteps = 64;

// The window the first piece picks.
std::string PickWindow(const std::string& piece) {
    static const std::vector<std::string> windows = quillon::BuiltWindowClasses();
    for (const std::string& w : windows)
        if (w == piece) return w;
    const size_t index = piece.empty() ? 0 : static_cast<unsigned char>(piece[0]);
    return windows[index % windows.size()];
}

// True when the run typed a letter of "inf" or "nan": a copy button may copy a typed field as
// it stands ("X" and the typed X), so the clipboard can then show those letters although the
// window computed nothing non-finite.
bool TypedNonFiniteLetters(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        std::string typed;
        if (step.rfind("set:", 0) == 0) {
            const size_t eq = step.find('=');
            if (eq != std::string::npos) typed = step.substr(eq + 1);
        } else if (step.rfind("key:", 0) == 0) {
            typed = step.substr(4);
        }
        for (char c : typed) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c == 'i' || c == 'n' || c == 'f' || c == 'a') return true;
        }
    }
    return false;
}

// The window the run ends in: the first, or the last one an `open:` step opened.
bool EndsIn(const Json& shown, const std::vector<std::string>& args) {
    if (!shown.is_string()) return false;
    if (shown == args.front()) return true;
    for (const std::string& step : args)
        if (step.rfind("open:", 0) == 0 && shown == step.substr(5)) return true;
    return false;
}

void CheckState(const Json& j, const std::vector<std::string>& args, bool judgeClipboard) {
    Require(j.is_object() && EndsIn(j["window"], args), "not the state of " + args.front());
    const Json& texts = j["texts"];
    // Result fields and the clipboard hold only what the window wrote; typed fields may hold
    // anything the user typed.
    for (const auto& name : j["locked"]) {
        const Json& t = texts[name.get<std::string>()];
        Require(t.is_string() && !ShowsNonFinite(t.get<std::string>()),
                "result field " + name.get<std::string>() + " shows " + t.dump());
    }
    if (judgeClipboard && j["clipboard"].is_string()) {
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
    std::vector<std::string> pieces;
    std::string piece;
    for (size_t i = 0; i < size && pieces.size() <= kMaxSteps; ++i) {
        if (data[i] == 0) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += static_cast<char>(data[i]);
        }
    }
    if (!piece.empty() && pieces.size() <= kMaxSteps) pieces.push_back(piece);
    const std::string window = PickWindow(pieces.empty() ? std::string() : pieces.front());
    std::vector<std::string> args{window};
    if (!pieces.empty()) args.insert(args.end(), pieces.begin() + 1, pieces.end());

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
    CheckState(j, args, !TypedNonFiniteLetters(args));
    return 0;
}
