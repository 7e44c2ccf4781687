// The contour check: NC blocks as the control's editor holds them, read line by line, each
// move worked out (straight lines, arcs by radius word L or by centre offsets I and K) and
// checked — radii that do not reach, arc ends off their circle, arcs without a radius, corners
// between feed moves. Plain functions on plain values: the window frmContourCheck shows the
// result, and the fuzzer and the tests drive the functions directly.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::contour {

// The words of one readable line, by letter ('A' .. 'Z'); the last of a repeated letter.
using Words = std::array<std::optional<double>, 26>;

// Reads one line (without its line end): the comments removed, blanks and tabs at both ends
// removed, one leading "/" dropped, a-z raised to A-Z, then letters each followed at once by a
// number. Nothing when the line is not made of such words.
std::optional<Words> ReadBlock(std::string_view line);

// The lines of a text split at CR LF, CR or LF; an empty text is one empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// A point of the contour: z to the right, r (a radius: X / 2) up.
struct Point {
    double z = 0, r = 0;
    bool operator==(const Point&) const = default;
};

// One move as it is drawn, in the (z, r) frame.
struct Move {
    int line = 0;  // the text's line number, from 1
    int mode = 0;  // 0 to 3: the G code in force
    Point from, to;
    bool fault = false;  // drawn straight, in red
    // An arc: its centre and radius, from the angle `start` through `sweep` degrees,
    // counter-clockwise positive (G02 sweeps are negative; a full circle sweeps 360).
    bool arc = false;
    Point centre;
    double radius = 0, start = 0, sweep = 0;
};

struct Result {
    std::vector<std::string> list;    // the result list, one line per listed text line
    int moves = 0;                    // lines that move (after the start point)
    int faultLines = 0;               // lines with a fault, unreadable ones included
    std::optional<Point> startPoint;  // none until X and Z are both known
    std::vector<Move> drawn;          // every move, in order
    std::string Summary() const;      // "移動 2  異常なし" / "移動 2  異常 3"
};

// Checks the blocks of `text`.
Result Check(std::string_view text);

// The NC text of a computed length: NcNumber's, and for a length too large to round to three
// decimals (beyond about 1.8e305) its plain text, as it has no fraction to round anyway.
std::string LengthText(double v);

}  // namespace quillon::contour
