// NcNumber and ResultText on any double (the input's first eight bytes). The text is never
// empty, is a plain decimal with at most three decimals (an exponent only from 10^15 on),
// reads back within 0.0005 of the value, and the only fault is the overflow of the rounding.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "shell/checked.h"
#include "shell/numtext.h"

namespace {

using quillon::fuzz::Require;

std::string Show(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// A plain decimal: an optional minus, no leading zeros, no trailing zeros or point after the
// decimal point, "0" for zero; returns the number of decimals, or -1 for anything else.
int PlainDecimals(const std::string& t) {
    size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
    const size_t intStart = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    const size_t intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && t[intStart] == '0')) return -1;
    if (i == t.size()) return t == "-0" ? -1 : 0;
    if (t[i] != '.') return -1;
    const size_t fracStart = ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i != t.size() || i == fracStart || t.back() == '0') return -1;
    return static_cast<int>(i - fracStart);
}

// An exponent form "d[.ddd]E+dd" / "E-dd" with an optional minus.
bool IsExponentForm(const std::string& t) {
    const size_t e = t.find('E');
    if (e == std::string::npos || e + 2 >= t.size()) return false;
    if (t[e + 1] != '+' && t[e + 1] != '-') return false;
    for (size_t i = e + 2; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    return PlainDecimals(t.substr(0, e)) >= 0;
}

// Checks the text that NcNumber made of `value` (already shifted, for ResultText).
void CheckText(const std::string& what, double value, const std::string& text) {
    const std::string ctx = what + "(" + Show(value) + ") = \"" + text + "\": ";
    Require(!text.empty(), ctx + "empty");
    double back = 0;
    try {
        back = quillon::ReadNumber(text);
    } catch (const quillon::ArithmeticFault&) {
        quillon::fuzz::Fail(ctx + "does not read back");
    }
    const double mag = std::fabs(back);
    if (IsExponentForm(text)) {
        Require(mag >= 1e15 * (1 - 1e-15), ctx + "an exponent below 10^15");
    } else {
        const int decimals = PlainDecimals(text);
        Require(decimals >= 0, ctx + "not a plain decimal");
        Require(decimals <= 3, ctx + "more than three decimals");
    }
    // Three decimals, then at most 15 significant digits for the very large.
    const double tolerance = 0.0005 * (1 + 1e-12) + std::fabs(value) * 1e-14;
    Require(std::fabs(back - value) <= tolerance, ctx + "reads back as " + Show(back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    unsigned char bytes[sizeof(double)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double v;
    std::memcpy(&v, bytes, sizeof v);

    // NcNumber leaves its argument alone.
    const double constant = v;
    const bool overflows = !std::isfinite(v * 1000.0);
    try {
        const std::string text = quillon::NcNumber(constant);
        Require(!overflows, "NcNumber(" + Show(v) + ") did not fault");
        CheckText("NcNumber", v, text);

        // Of a variable it leaves the rounded value, which the text reads as exactly while it
        // has three decimals, and which gives the same text again.
        double variable = v;
        Require(quillon::NcNumberInPlace(variable) == text,
                "NcNumberInPlace gave another text than NcNumber");
        if (std::fabs(variable) < 1e12) {
            Require(quillon::ReadNumber(text) == variable,
                    "NcNumber(" + Show(v) + ") left " + Show(variable) + " but wrote " + text);
            double again = variable;
            Require(quillon::NcNumberInPlace(again) == text && again == variable,
                    "NcNumber of its own rounded value changed it: " + Show(variable));
        }
    } catch (const quillon::ArithmeticFault&) {
        Require(overflows, "NcNumber(" + Show(v) + ") faulted");
    }
    Require(std::memcmp(&constant, bytes, sizeof constant) == 0, "NcNumber changed a constant");

    const double shifted = v + 0.0001;
    const bool shiftedOverflows = !std::isfinite(shifted * 1000.0);
    try {
        const std::string text = quillon::ResultText(v);
        Require(!shiftedOverflows, "ResultText(" + Show(v) + ") did not fault");
        CheckText("ResultText", shifted, text);
    } catch (const quillon::ArithmeticFault&) {
        Require(shiftedOverflows, "ResultText(" + Show(v) + ") faulted");
    }
    return 0;
}
