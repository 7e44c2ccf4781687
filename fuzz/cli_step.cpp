// The step parser of quillon-cli on any text: a Step or a UsageError with a message, never
// another exception. A parsed step written back in the step syntax parses to the same step.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/steps.h"
#include "fuzz_check.h"

namespace {

using namespace quillon;
using quillon::fuzz::Require;

std::string Number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

bool PlainName(const std::string& name) {
    return !name.empty() && name.find('=') == std::string::npos;
}

// The step in the syntax quillon-cli takes, after checking what every parsed step promises.
std::string Written(const Step& step) {
    return std::visit(
        [](const auto& s) -> std::string {
            using T = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<T, SetStep>) {
                Require(PlainName(s.name), "set: bad name");
                return "set:" + s.name + "=" + s.text;
            } else if constexpr (std::is_same_v<T, FocusStep>) {
                Require(PlainName(s.name), "focus: bad name");
                return "focus:" + s.name;
            } else if constexpr (std::is_same_v<T, LeaveStep>) {
                Require(PlainName(s.name), "leave: bad name");
                return "leave:" + s.name;
            } else if constexpr (std::is_same_v<T, ClickStep>) {
                Require(PlainName(s.name), "click: bad name");
                return "click:" + s.name + (s.index ? "=" + std::to_string(*s.index) : "");
            } else if constexpr (std::is_same_v<T, KeyStep>) {
                Require(s.key.keyCode != 0 || s.key.ascii != 0, "key: no key");
                return "key:" + quillon::KeyName(s.key);
            } else if constexpr (std::is_same_v<T, SelectStep>) {
                Require(PlainName(s.name), "select: bad name");
                return "select:" + s.name + "=" + std::to_string(s.start) + "," +
                       std::to_string(s.length);
            } else if constexpr (std::is_same_v<T, MouseStep>) {
                Require(std::isfinite(s.x) && std::isfinite(s.y), "mouse: non-finite position");
                if (s.name == "Form") return "mouse:Form";
                Require(PlainName(s.name), "mouse: bad name");
                return "mouse:" + s.name + "=" + Number(s.x) + "," + Number(s.y);
            } else if constexpr (std::is_same_v<T, PaintStep>) {
                return "paint";
            } else if constexpr (std::is_same_v<T, ClockStep>) {
                Require(std::isfinite(s.seconds), "clock: non-finite time");
                return "clock:" + Number(s.seconds);
            } else if constexpr (std::is_same_v<T, DblClickStep>) {
                Require(PlainName(s.name), "dblclick: bad name");
                return "dblclick:" + s.name + (s.index ? "=" + std::to_string(*s.index) : "");
            } else if constexpr (std::is_same_v<T, MenuStep>) {
                Require(!s.entry.empty(), "menu: no entry");
                return "menu:" + s.entry;
            } else if constexpr (std::is_same_v<T, OpenStep>) {
                Require(PlainName(s.window), "open: bad name");
                return "open:" + s.window;
            } else if constexpr (std::is_same_v<T, AnswerStep>) {
                return std::string(s.yes ? "answer:yes" : "answer:no");
            } else {
                static_assert(std::is_same_v<T, TickStep>, "every kind of step is written back");
                Require(PlainName(s.name), "tick: bad name");
                return "tick:" + s.name;
            }
        },
        step);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string first;
    try {
        first = Written(ParseStep(text));
    } catch (const quillon::UsageError& e) {
        Require(e.what()[0] != '\0', "a usage error without a message");
        return 0;
    }
    std::string second;
    try {
        second = Written(ParseStep(first));
    } catch (const quillon::UsageError& e) {
        quillon::fuzz::Fail("'" + text + "' parsed, but not as written back: " + e.what());
    }
    Require(first == second,
            "'" + text + "' reads as '" + first + "', which reads as '" + second + "'");
    return 0;
}
