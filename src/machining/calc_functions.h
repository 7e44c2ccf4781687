// The machining functions of the calculator: spindle speed (N), cutting speed (V), feed from
// surface roughness (F), machining time (T) and the degree-minute-second entry, each a
// sequence of values taken from the display at its prompts; and the conversion of decimal
// degrees to degrees, minutes and seconds. Pure computations: the window does the prompting.
#pragma once

#include <string>
#include <vector>

namespace quillon::calc {

enum class Function { N, V, F, T, Angle };
inline constexpr int kFunctionCount = 5;

// The number of values a function takes before it gives its result.
int ValueCount(Function f);

// The prompt shown once the values in `taken` have been taken (fewer than ValueCount).
std::string Prompt(Function f, const std::vector<double>& taken);

// The value a step takes from the display, as the function goes on with it (the degrees of
// the angle entry are rounded to three decimals).
double Taken(Function f, size_t step, double display);

// What the last step shows: the prompt line, the display and the clipboard text. Raises
// ArithmeticFault (a zero diameter, speed or feed, a negative root) before anything is shown.
struct Result {
    std::string label, display, clipboard;
};
Result Finish(Function f, const std::vector<double>& values);

// Decimal degrees x as whole degrees, minutes and seconds joined by "'" (the degrees and
// minutes are floors, so -1.5 gives "-2'30'0").
std::string DegreesMinutesSeconds(double x);

}  // namespace quillon::calc
