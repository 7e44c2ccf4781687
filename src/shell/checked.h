// Checked arithmetic for the computations of the tool windows.
//
// A computation that divides by zero, overflows, or takes a square root / arc function of an
// invalid argument has no result: it stops there, and the window shows that it found none.
// IEEE doubles do not stop by themselves, so every such computation goes through these
// functions, which raise ArithmeticFault instead. A non-finite value never survives them.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

#include "shell/exact_math.h"

namespace quillon {

// Raised where a computation has no result (see above); the window's handler catches it.
class ArithmeticFault : public std::runtime_error {
public:
    explicit ArithmeticFault(const std::string& what) : std::runtime_error(what) {}
};

namespace chk {

// Raises a fault unless v is finite.
inline double finite(double v, const char* what = "overflow") {
    if (!std::isfinite(v)) throw ArithmeticFault(what);
    return v;
}

inline double add(double a, double b) {
    return finite(a + b);
}
inline double sub(double a, double b) {
    return finite(a - b);
}
inline double mul(double a, double b) {
    return finite(a * b);
}

inline double div(double a, double b) {
    if (b == 0.0) throw ArithmeticFault("division by zero");
    return finite(a / b);
}

inline double sqrt(double v) {
    if (!(v >= 0.0)) throw ArithmeticFault("square root of a negative number");
    return finite(std::sqrt(v));
}

// The trigonometric functions are the correctly rounded ones of exact_math.h, so that every
// system computes the same digits.
//
// The tangent overflows only where cos(a) is exactly zero, which a double angle never reaches;
// an infinite argument (from an overflowing input) is a fault.
inline double tan(double a) {
    return finite(exact::tan(finite(a)));
}
inline double sin(double a) {
    return finite(exact::sin(finite(a)));
}
inline double cos(double a) {
    return finite(exact::cos(finite(a)));
}
inline double atan(double v) {
    return exact::atan(finite(v));
}

// The angle of the point (x, y); an infinite coordinate is a fault.
inline double atan2(double y, double x) {
    return exact::atan2(finite(y), finite(x));
}
inline double hypot(double x, double y) {
    return finite(exact::hypot(finite(x), finite(y)));
}

inline double asin(double v) {
    if (!(v >= -1.0 && v <= 1.0)) throw ArithmeticFault("invalid argument of arcsine");
    return exact::asin(v);
}

inline double acos(double v) {
    if (!(v >= -1.0 && v <= 1.0)) throw ArithmeticFault("invalid argument of arccosine");
    return exact::acos(v);
}

}  // namespace chk
}  // namespace quillon
