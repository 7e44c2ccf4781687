// The contour check on any bytes as the text of its blocks: no list line shows a non-finite
// number, every move's geometry is finite, no more lines are listed than the text has, and
// the window's figure of the same text (a whole quillon-cli run) is drawn to the end with only
// finite numbers.
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/runner.h"
#include "fuzz_check.h"
#include "geometry/contour_check.h"

namespace {

using quillon::fuzz::Require;
using quillon::fuzz::ShowsNonFinite;

bool Finite(quillon::contour::Point p) {
    return std::isfinite(p.z) && std::isfinite(p.r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const quillon::contour::Result r = quillon::contour::Check(text);
    Require(r.list.size() <= quillon::contour::SplitLines(text).size(), "more lines than text");
    for (const std::string& line : r.list) Require(!ShowsNonFinite(line), "list line " + line);
    Require(!ShowsNonFinite(r.Summary()), "summary " + r.Summary());
    for (const quillon::contour::Move& m : r.drawn) {
        Require(Finite(m.from) && Finite(m.to) && Finite(m.centre), "a point not finite");
        Require(std::isfinite(m.radius) && m.radius >= 0, "a radius not finite");
        Require(std::isfinite(m.start) && std::isfinite(m.sweep) && std::fabs(m.sweep) <= 360,
                "a sweep not finite");
    }

    // The window: typed text, the field left; every drawing coordinate a finite number.
    std::ostringstream out, err;
    const int status =
        quillon::cli::Run({"frmContourCheck", "set:Text1=" + text, "leave:Text1"}, ".", out, err);
    Require(status == 0, "exit status " + std::to_string(status) + ": " + err.str());
    const auto j = nlohmann::json::parse(out.str());
    Require(j["lists"]["List1"].size() == r.list.size(), "the window lists other lines");
    for (const auto& op : j["pictures"]["Picture1"]) {
        Require(op["op"] != "print", "the figure faulted: " + op.dump());
        for (const auto& [key, value] : op.items())
            if (key != "op" && key != "text" && key != "color" && key != "style")
                Require(value.is_number(), "drawing " + op.dump());
    }
    return 0;
}
