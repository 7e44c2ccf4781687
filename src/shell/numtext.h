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
// ArithmeticFault, as the original's conversion does.
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
