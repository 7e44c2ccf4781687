// Trigonometric functions whose results are the same bits on every system.
//
// The C libraries differ in the last bits of sin, cos, tan and the arc functions (MinGW-w64's
// use the x87 instructions, whose reduction of the angle by pi loses up to half the digits
// near a multiple of pi; glibc's are correctly rounded in practice), and quillon-cli prints the
// drawings' coordinates with all their digits. These compute in double-double arithmetic
// (about 106 bits) from exact series and round once at the end, so each result is the double
// nearest to the true value (but for inputs within about 2^-100 of a rounding boundary) on
// every system, with only +, -, *, / and sqrt, which IEEE 754 defines exactly.
//
// Angles beyond 1e6 radians (far beyond any angle of a drawing or a calculator) and
// non-finite arguments are handed to the C library.
#pragma once

namespace quillon::exact {

double sin(double x);
double cos(double x);
double tan(double x);
// Arguments outside [-1, 1] give NaN, as the C library's do.
double asin(double x);
double acos(double x);
double atan(double x);
double atan2(double y, double x);
// sqrt(x^2 + y^2) without overflow or underflow on the way.
double hypot(double x, double y);

}  // namespace quillon::exact
