#include "numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "checked.h"

namespace quillon {
namespace {

// Decimal digits and exponent of |v| rounded to `digits` significant digits.
struct Decimal {
    std::string digits;  // no leading zeros, trailing zeros removed, at least "0"
    int exponent = 0;    // value = 0.d1d2d3... * 10^exponent
};

Decimal Decompose(double v, int digits) {
    // The standard library's exact conversion gives the same correctly rounded digits as
    // printf's "%.*e" (ties to even), several times faster: number texts were the larger part
    // of a window's recomputation.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                   std::chars_format::scientific, digits - 1);
    // buf holds "d.dddde+XX" (or "de+XX" for one digit)
    const std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = s.find('e');
    Decimal d;
    d.digits.reserve(e);
    for (char c : s.substr(0, e))
        if (c != '.') d.digits += c;
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    int exp10 = 0;
    const char* first = s.data() + e + 1;
    if (*first == '+') ++first;  // from_chars takes no plus sign
    std::from_chars(first, s.data() + s.size(), exp10);
    d.exponent = exp10 + 1;
    return d;
}

// Fixed-point text of a finite non-zero |v| with at most `digits` significant digits, or an
// exponent form ("1.5E+15") at and beyond 10^15 and below 10^-15, where no field of a lathe
// program can take it anyway.
std::string Unsigned(double v, int digits) {
    const Decimal d = Decompose(v, digits);
    if (d.digits == "0") return "0";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > 16 || d.exponent < -14) {
        std::string t = d.digits.substr(0, 1);
        if (n > 1) t += "." + d.digits.substr(1);
        const int e = d.exponent - 1;
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return t + eb;
    }
    if (d.exponent <= 0)
        return "0." + std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    if (d.exponent >= n) return d.digits + std::string(static_cast<size_t>(d.exponent - n), '0');
    return d.digits.substr(0, static_cast<size_t>(d.exponent)) + "." +
           d.digits.substr(static_cast<size_t>(d.exponent));
}

// True when a number text that does not fit a double ("-0.000...01", "12e-400") lies below
// the range rather than above it: its leading significant digit, moved by the exponent, stands
// right of the point. Only the side matters, as such texts are hundreds of places out.
bool BelowRange(const std::string& num) {
    size_t i = num[0] == '+' || num[0] == '-' ? 1 : 0;
    long intDigits = 0, fracZeros = 0;
    bool point = false, significant = false;
    for (; i < num.size() && num[i] != 'e'; ++i) {
        if (num[i] == '.') {
            point = true;
        } else if (significant || num[i] != '0') {
            significant = true;
            if (!point) ++intDigits;
        } else if (point) {
            ++fracZeros;
        }
    }
    long exponent = 0, sign = 1;
    if (i < num.size()) {
        if (++i < num.size() && (num[i] == '+' || num[i] == '-')) sign = num[i++] == '-' ? -1 : 1;
        for (; i < num.size(); ++i) exponent = std::min(exponent * 10 + (num[i] - '0'), 100000000L);
    }
    return (intDigits > 0 ? intDigits - 1 : -(fracZeros + 1)) + sign * exponent < 0;
}

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string PlainDecimal(double v) {
    if (!std::isfinite(v)) throw ArithmeticFault("overflow");
    if (v == 0.0) return "0";
    const std::string t = Unsigned(v, 15);
    if (t == "0") return "0";
    return v < 0 ? "-" + t : t;
}

std::string NcNumberInPlace(double& v) {
    const double scaled = v * 1000.0;
    if (!std::isfinite(scaled)) throw ArithmeticFault("overflow");
    // nearbyint follows the default rounding mode, round-half-to-even.
    const double r = std::nearbyint(scaled) / 1000.0;
    v = r;
    return PlainDecimal(r);
}

std::string NcNumber(double v) {
    return NcNumberInPlace(v);
}

std::string ResultText(double v) {
    return NcNumber(v + 0.0001);
}

double ReadNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsIgnored(c)) s += c;

    size_t i = 0;
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) num += s[i++];
    size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) num += s[i++], ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        num += s[i++];
        while (i < s.size() && IsDigit(s[i])) num += s[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return 0.0;

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string ex = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ex += s[j++];
        const size_t digitsStart = j;
        while (j < s.size() && IsDigit(s[j])) ex += s[j++];
        if (j > digitsStart) num += ex;
    }

    const char* first = num.data();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double value = 0.0;
    const auto res = std::from_chars(first, num.data() + num.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to represent reads 0; too large is an overflow, which has no result.
        if (BelowRange(num)) return num[0] == '-' ? -0.0 : 0.0;
        throw ArithmeticFault("overflow");
    }
    if (!std::isfinite(value)) throw ArithmeticFault("overflow");
    return value;
}

std::string PrintSingle(float v) {
    std::string t;
    if (!std::isfinite(v)) {
        t = std::isnan(v) ? "NaN" : "Inf";  // only for absurd scales; never in a field
    } else if (v == 0.0f) {
        t = "0";
    } else {
        t = Unsigned(static_cast<double>(v), 7);
        // Single precision prints in exponent form from 10^7 on, as the print statement does.
        const double a = std::fabs(static_cast<double>(v));
        if (a >= 1e7 && t.find('E') == std::string::npos) {
            const Decimal d = Decompose(a, 7);
            std::string m = d.digits.substr(0, 1);
            if (d.digits.size() > 1) m += "." + d.digits.substr(1);
            char eb[16];
            std::snprintf(eb, sizeof eb, "E+%02d", d.exponent - 1);
            t = m + eb;
        }
    }
    return (v < 0 ? "-" : " ") + t + " ";
}

}  // namespace quillon

namespace quillon {

std::string NumberText(double v) {
    if (!std::isfinite(v)) throw ArithmeticFault("overflow");
    if (v == 0.0) return "0";
    const Decimal d = Decompose(v, 15);
    const int n = static_cast<int>(d.digits.size());
    std::string t;
    if (d.exponent > 15 || d.exponent < -3) {
        t = d.digits.substr(0, 1);
        if (n > 1) t += "." + d.digits.substr(1);
        const int e = d.exponent - 1;
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        t += eb;
    } else if (d.exponent <= 0) {
        t = "0." + std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    } else if (d.exponent >= n) {
        t = d.digits + std::string(static_cast<size_t>(d.exponent - n), '0');
    } else {
        t = d.digits.substr(0, static_cast<size_t>(d.exponent)) + "." +
            d.digits.substr(static_cast<size_t>(d.exponent));
    }
    return v < 0 ? "-" + t : t;
}

double StrictNumber(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    const std::string_view s = text.substr(first, last - first);
    size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) throw ArithmeticFault("not a number");
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t exponentStart = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        if (i == exponentStart) throw ArithmeticFault("not a number");
    }
    if (i != s.size()) throw ArithmeticFault("not a number");
    // The lenient reading takes the same number once the text is known to be one.
    return ReadNumber(s);
}

std::string FixedText(double v, int wholeDigits, int decimals) {
    if (!std::isfinite(v)) throw ArithmeticFault("overflow");
    // The digits of |v| at 15 significant places, as a whole part and a fraction.
    std::string whole = "0", fraction;
    if (v != 0.0) {
        const Decimal d = Decompose(v, 15);
        const int n = static_cast<int>(d.digits.size());
        if (d.exponent <= 0) {
            fraction = std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
        } else if (d.exponent >= n) {
            whole = d.digits + std::string(static_cast<size_t>(d.exponent - n), '0');
        } else {
            whole = d.digits.substr(0, static_cast<size_t>(d.exponent));
            fraction = d.digits.substr(static_cast<size_t>(d.exponent));
        }
    }
    const auto places = static_cast<size_t>(decimals);
    const bool roundUp = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    std::string all = whole + fraction;
    if (roundUp) {
        size_t k = all.size();
        while (k > 0 && all[k - 1] == '9') all[--k] = '0';
        if (k == 0)
            all.insert(all.begin(), '1');
        else
            ++all[k - 1];
    }
    whole = all.substr(0, all.size() - places);
    fraction = all.substr(all.size() - places);
    if (static_cast<int>(whole.size()) < wholeDigits)
        whole.insert(0, static_cast<size_t>(wholeDigits) - whole.size(), '0');
    const bool zero = all.find_first_not_of('0') == std::string::npos;
    std::string t = (v < 0 && !zero ? "-" : "") + whole;
    if (places > 0) t += "." + fraction;
    return t;
}

}  // namespace quillon
