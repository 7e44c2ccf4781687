#include "exact_math.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace quillon::exact {
namespace {

// A double-double: the unevaluated sum hi + lo with |lo| <= ulp(hi) / 2.
struct DD {
    double hi = 0, lo = 0;
};

DD QuickTwoSum(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Dekker's split and product: exact without a fused multiply-add, for |a|, |b| < 2^996.
void Split(double a, double& hi, double& lo) {
    const double t = 134217729.0 * a;  // 2^27 + 1
    hi = t - (t - a);
    lo = a - hi;
}

DD TwoProd(double a, double b) {
    const double p = a * b;
    double ah, al, bh, bl;
    Split(a, ah, al);
    Split(b, bh, bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD Add(DD a, DD b) {
    DD s = TwoSum(a.hi, b.hi);
    const DD t = TwoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = QuickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return QuickTwoSum(s.hi, s.lo);
}

// Addition where the two do not nearly cancel (a Horner step whose term is far smaller than
// the coefficient): half the work of Add at the same accuracy there.
DD AddNoCancel(DD a, DD b) {
    DD s = TwoSum(a.hi, b.hi);
    s.lo += a.lo + b.lo;
    return QuickTwoSum(s.hi, s.lo);
}

DD Neg(DD a) {
    return {-a.hi, -a.lo};
}

DD Sub(DD a, DD b) {
    return Add(a, Neg(b));
}

DD Mul(DD a, DD b) {
    DD p = TwoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return QuickTwoSum(p.hi, p.lo);
}

DD Mul(DD a, double b) {
    DD p = TwoProd(a.hi, b);
    p.lo += a.lo * b;
    return QuickTwoSum(p.hi, p.lo);
}

DD Div(DD a, DD b) {
    const double q1 = a.hi / b.hi;
    DD r = Sub(a, Mul(b, q1));
    const double q2 = r.hi / b.hi;
    r = Sub(r, Mul(b, q2));
    const double q3 = r.hi / b.hi;
    return Add(QuickTwoSum(q1, q2), DD{q3, 0});
}

DD Sqrt(DD a) {
    if (a.hi <= 0) return {0, 0};
    const double s = std::sqrt(a.hi);
    const DD e = Sub(a, TwoProd(s, s));
    return QuickTwoSum(s, e.hi / (2 * s));
}

// Pi / 2 and pi as double-doubles, and pi / 2 in four pieces for the reduction: the first
// three carry 33 bits each, so that k times each is exact for k < 2^20.
constexpr DD kHalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr DD kPi{0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
constexpr double kHalfPi1 = 0x1.921fb54400000p+0;
constexpr double kHalfPi2 = 0x1.0b4611a600000p-34;
constexpr double kHalfPi3 = 0x1.3198a2e000000p-69;
constexpr double kHalfPi4 = 0x1.b839a252049c1p-104;
constexpr double kLargest = 1e6;  // k stays below 2^20

// x = k * pi / 2 + r with |r| <= pi / 4 (a little more where x is just beyond).
DD Reduce(double x, long& k) {
    const double n = std::nearbyint(x * 0x1.45f306dc9c883p-1);  // x * 2 / pi
    k = static_cast<long>(n);
    DD r = TwoSum(x - n * kHalfPi1, -(n * kHalfPi2));
    r = Sub(r, TwoProd(n, kHalfPi3));
    return Sub(r, TwoProd(n, kHalfPi4));
}

constexpr int kSeriesTerms = 15;

// The series' coefficients 1 / n! for n = 0 .. 2 * kSeriesTerms + 1, made once.
const DD& InverseFactorial(int n) {
    static const auto table = [] {
        std::array<DD, 2 * kSeriesTerms + 2> t{};
        t[0] = {1, 0};
        for (size_t i = 1; i < t.size(); ++i) t[i] = Div(t[i - 1], DD{static_cast<double>(i), 0});
        return t;
    }();
    return table[static_cast<size_t>(n)];
}

// sin r and cos r for |r| <= about pi / 4, from their series to below 2^-110, each summed
// from its smallest term (Horner's scheme in -r^2).
DD SinSeries(DD r) {
    const DD u = Neg(Mul(r, r));
    DD s = InverseFactorial(2 * kSeriesTerms + 1);
    for (int n = kSeriesTerms - 1; n >= 0; --n)
        s = AddNoCancel(InverseFactorial(2 * n + 1), Mul(s, u));
    return Mul(s, r);
}

DD CosSeries(DD r) {
    const DD u = Neg(Mul(r, r));
    DD c = InverseFactorial(2 * kSeriesTerms);
    for (int n = kSeriesTerms - 1; n >= 0; --n) c = AddNoCancel(InverseFactorial(2 * n), Mul(c, u));
    return c;
}

// sin x as the series of the reduced angle: quadrant k picks sine or cosine and the sign.
DD SinOfReduced(DD r, long k) {
    switch (k & 3) {
        case 0:
            return SinSeries(r);
        case 1:
            return CosSeries(r);
        case 2:
            return Neg(SinSeries(r));
        default:
            return Neg(CosSeries(r));
    }
}

constexpr int kAtanTerms = 11;  // |z| <= 1/64: z^23 / 23 is below 2^-140

// 1 / (2n + 1) for the arc tangent's series, made once.
const DD& InverseOdd(int n) {
    static const auto table = [] {
        std::array<DD, kAtanTerms + 1> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = Div(DD{1, 0}, DD{static_cast<double>(2 * i + 1), 0});
        return t;
    }();
    return table[static_cast<size_t>(n)];
}

// atan(j / 32) for j = 0 .. 7, made once from the plain series (60 terms: below 2^-280).
const DD& AtanTable(int j) {
    static const auto table = [] {
        std::array<DD, 8> t{};
        for (size_t i = 1; i < t.size(); ++i) {
            const DD c{static_cast<double>(i) / 32, 0};
            const DD u = Neg(Mul(c, c));
            DD power = c, sum = c;
            for (int n = 1; n <= 60; ++n) {
                power = Mul(power, u);
                sum = Add(sum, Div(power, DD{static_cast<double>(2 * n + 1), 0}));
            }
            t[i] = sum;
        }
        return t;
    }();
    return table[static_cast<size_t>(j)];
}

// atan t for 0 <= t <= 1: two halvings (atan t = 2 atan(t / (1 + sqrt(1 + t^2)))) bring t
// below tan(pi / 16); then atan t = atan c + atan((t - c) / (1 + t c)) with c the nearest
// multiple of 1/32 leaves at most 1/64, where the series converges fast.
DD AtanUnit(DD t) {
    for (int i = 0; i < 2; ++i) t = Div(t, Add(DD{1, 0}, Sqrt(Add(DD{1, 0}, Mul(t, t)))));
    const int j = static_cast<int>(std::nearbyint(t.hi * 32));
    DD base{0, 0};
    if (j > 0) {
        const DD c{j / 32.0, 0};
        base = AtanTable(j);
        t = Div(Sub(t, c), Add(DD{1, 0}, Mul(t, c.hi)));
    }
    const DD u = Neg(Mul(t, t));
    DD sum = InverseOdd(kAtanTerms);
    for (int n = kAtanTerms - 1; n >= 0; --n) sum = AddNoCancel(InverseOdd(n), Mul(sum, u));
    return Mul(Add(base, Mul(sum, t)), 4.0);
}

// atan t for t >= 0.
DD AtanPositive(DD t) {
    if (t.hi <= 1) return AtanUnit(t);
    return Sub(kHalfPi, AtanUnit(Div(DD{1, 0}, t)));
}

DD AtanOf(DD t) {
    return t.hi < 0 ? Neg(AtanPositive(Neg(t))) : AtanPositive(t);
}

double Round(DD v) {
    return v.hi + v.lo;
}

bool Tiny(double x) {
    return std::fabs(x) < 0x1p-27;
}

}  // namespace

double sin(double x) {
    if (!(std::fabs(x) < kLargest)) return std::sin(x);
    if (Tiny(x)) return x;
    long k;
    const DD r = Reduce(x, k);
    return Round(SinOfReduced(r, k));
}

double cos(double x) {
    if (!(std::fabs(x) < kLargest)) return std::cos(x);
    if (Tiny(x)) return 1.0;
    long k;
    const DD r = Reduce(x, k);
    return Round(SinOfReduced(r, k + 1));  // cos x = sin(x + pi / 2)
}

double tan(double x) {
    if (!(std::fabs(x) < kLargest)) return std::tan(x);
    if (Tiny(x)) return x;
    long k;
    const DD r = Reduce(x, k);
    const DD s = SinSeries(r), c = CosSeries(r);
    return (k & 1) == 0 ? Round(Div(s, c)) : -Round(Div(c, s));
}

double atan(double x) {
    if (std::isnan(x)) return x;
    // Beyond 2^60, pi / 2 - 1 / x rounds to the double nearest pi / 2.
    if (!(std::fabs(x) < 0x1p60)) return std::copysign(kHalfPi.hi, x);
    if (Tiny(x)) return x;
    return Round(AtanOf(DD{x, 0}));
}

double asin(double x) {
    if (!(std::fabs(x) <= 1)) return std::nan("");
    if (Tiny(x)) return x;
    if (std::fabs(x) == 1) return std::copysign(kHalfPi.hi, x);
    // asin x = atan(x / sqrt((1 - x)(1 + x))); 1 - x and 1 + x are exact as double-doubles.
    const DD root = Sqrt(Mul(TwoSum(1, -x), TwoSum(1, x)));
    return Round(AtanOf(Div(DD{x, 0}, root)));
}

double acos(double x) {
    if (!(std::fabs(x) <= 1)) return std::nan("");
    if (x == 1) return 0.0;
    if (x == -1) return kPi.hi;
    // acos x = 2 atan(sqrt((1 - x) / (1 + x))).
    const DD q = Div(TwoSum(1, -x), TwoSum(1, x));
    return Round(Mul(AtanPositive(Sqrt(q)), 2.0));
}

double atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y) || std::isinf(x) || std::isinf(y)) return std::atan2(y, x);
    if (y == 0) return x > 0 || (x == 0 && !std::signbit(x)) ? y : std::copysign(kPi.hi, y);
    if (x == 0) return std::copysign(kHalfPi.hi, y);
    // Both scaled by one power of two (exactly) to keep the products in range; the quotient
    // as a double-double keeps the digits a rounded y / x would lose.
    int e;
    std::frexp(std::fabs(x) > std::fabs(y) ? x : y, &e);
    const DD q = Div(DD{std::ldexp(y, -e), 0}, DD{std::ldexp(x, -e), 0});
    if (!(std::fabs(q.hi) < 0x1p60)) return std::copysign(kHalfPi.hi, y);
    DD a = AtanOf(q);
    if (x < 0) a = y > 0 ? Add(a, kPi) : Sub(a, kPi);
    return Round(a);
}

double hypot(double x, double y) {
    if (std::isinf(x) || std::isinf(y)) return INFINITY;
    if (std::isnan(x) || std::isnan(y)) return std::hypot(x, y);
    x = std::fabs(x);
    y = std::fabs(y);
    if (x == 0 || y == 0) return x + y;
    // Scaled by one power of two (exactly) so that the squares neither overflow nor underflow.
    int e;
    std::frexp(x > y ? x : y, &e);
    const double a = std::ldexp(x, -e), b = std::ldexp(y, -e);
    return std::ldexp(Round(Sqrt(Add(TwoProd(a, a), TwoProd(b, b)))), e);
}

}  // namespace quillon::exact
