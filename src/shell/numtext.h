// Number texts: the NC notation of results and the lenient reading of typed fields.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The NC text of v rounded to three decimals (halves to even). Raises ArithmeticFault for a
// value whose rounding overflows (infinite or NaN values cannot reach a field).
std::string NcNumber(double v);
// The same text, and v is left holding the rounded value: a computation whose later steps go
// on with the number as it was written to its field rounds its variable this way, in the
// order the fields are written.
std::string NcNumberInPlace(double& v);

// NcNumber of v shifted up by 0.0001: the text of most computed coordinates.
std::string ResultText(double v);

// The lenient reading of a field: blanks, tabs and line feeds anywhere are ignored, then the
// longest leading decimal number (sign, digits, one point, exponent after "E" or "D") is taken;
// no number reads 0. The separator is always the point. An overflowing exponent raises
// ArithmeticFault: the number cannot be read, and the computation that reads it stops.
double ReadNumber(std::string_view text);

// True when a field counts as given: its text is not empty (a blank is given and reads 0).
inline bool IsGiven(std::string_view text) {
    return !text.empty();
}

// Plain decimal text of v with up to 15 significant digits, "0" before the point below 1,
// a minus sign for negatives and no exponent in the range NC programs use.
std::string PlainDecimal(double v);

// Print-style text of a single-precision value: a blank in place of the plus sign (or "-"),
// up to 7 significant digits, and one blank after the number.
std::string PrintSingle(float v);

}  // namespace quillon

namespace quillon {

// The standard text of a double, as a calculator display shows it: at most 15 significant
// digits, no trailing point or zeros, "0" for zero (also negative zero), and the exponent form
// "1.5E+15" / "1E-05" at and beyond 10^15 and below 10^-4.
std::string NumberText(double v);

// The strict conversion of a text to a double: optional blanks around one decimal number
// (sign, digits with at most one point, optional exponent after "E" or "D"). Anything else
// ("Error", a lone "-", "1:02") and a value out of range raise ArithmeticFault.
double StrictNumber(std::string_view text);

// Fixed-point text of v as a format picture of zeros gives it: v taken to 15 significant
// digits, rounded half away from zero to `decimals` places, the whole part padded with zeros
// to at least `wholeDigits` digits; a minus sign only when the rounded value is not zero.
std::string FixedText(double v, int wholeDigits, int decimals);

}  // namespace quillon
