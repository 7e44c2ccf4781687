// ReadNumber on any bytes: it gives a finite number, or raises the overflow fault for a number
// too large and for nothing else (a number too small reads 0); it never looks past the number
// it reads; blanks, tabs and line feeds anywhere do not change what a text reads; "D" and "E"
// introduce the exponent alike.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/checked.h"
#include "shell/numtext.h"

namespace {

using quillon::fuzz::Require;

// The value read, or nothing when the reading raised the overflow fault.
std::optional<double> Read(std::string_view text) {
    try {
        return quillon::ReadNumber(text);
    } catch (const quillon::ArithmeticFault&) {
        return std::nullopt;
    }
}

// The power of ten of the leading digit of the number that `text` (without blanks) starts
// with, by the grammar of a field: sign, digits, one point, exponent after E or D with digits.
// Nothing when the text starts with no number or the number is zero.
std::optional<long> Magnitude(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    long intDigits = 0, fracZeros = 0;
    bool any = false, nonZero = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, any = true) {
        if (s[i] != '0') nonZero = true;
        if (nonZero) ++intDigits;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, any = true) {
            if (s[i] != '0') nonZero = true;
            if (!nonZero) ++fracZeros;
        }
    }
    if (!any || !nonZero) return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        long sign = 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) sign = s[j++] == '-' ? -1 : 1;
        for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j)
            exponent = std::min(exponent * 10 + (s[j] - '0'), 100000000L);
        exponent *= sign;
    }
    return (intDigits > 0 ? intDigits - 1 : -(fracZeros + 1)) + exponent;
}

bool Same(const std::optional<double>& a, const std::optional<double>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || (*a == *b && std::signbit(*a) == std::signbit(*b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = Read(text);
    if (value) Require(std::isfinite(*value), "ReadNumber gave a non-finite value");

    bool hasDigit = false;
    std::string squeezed, withE;
    for (char c : text) {
        if (c >= '0' && c <= '9') hasDigit = true;
        if (c != ' ' && c != '\t' && c != '\n') squeezed += c;
        withE += c == 'D' ? 'E' : c == 'd' ? 'e' : c;
    }
    if (!hasDigit) Require(value && *value == 0, "a text without a digit did not read 0");
    // Doubles reach 1.8e308; the fault is for numbers beyond, and only for them.
    const std::optional<long> magnitude = Magnitude(squeezed);
    if (!value)
        Require(magnitude && *magnitude >= 308, "ReadNumber faulted on a number within range");
    if (magnitude && *magnitude >= 309) Require(!value, "ReadNumber read a number beyond range");
    Require(Same(value, Read(squeezed)), "blanks, tabs or line feeds changed the reading");
    Require(Same(value, Read(withE)), "a D exponent read differently from an E exponent");
    // A letter after the text can only end the number, never change it.
    Require(Same(value, Read(text + "x")), "ReadNumber looked past the end of the text");
    return 0;
}
