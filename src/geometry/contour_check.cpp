#include "geometry/contour_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "shell/exact_math.h"
#include "shell/numtext.h"

namespace quillon::contour {
namespace {

constexpr double kTolerance = 0.001;     // how far a radius may miss (mm)
constexpr double kCornerDegrees = 0.01;  // smaller turns between moves are no corner
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number of digits and at most one point in [first, last), read exactly; nothing when it
// is too large for a double. A value below the smallest double reads 0.
std::optional<double> ReadDigits(const char* first, const char* last) {
    double v = 0;
    const auto res = std::from_chars(first, last, v, std::chars_format::fixed);
    if (res.ec == std::errc() && res.ptr == last) return v;
    if (res.ec != std::errc::result_out_of_range) return std::nullopt;
    // Out of range: too large when a digit other than 0 stands before the point.
    for (const char* p = first; p != last && *p != '.'; ++p)
        if (*p != '0') return std::nullopt;
    return 0.0;
}

double Degrees(double y, double x) {
    return exact::atan2(y, x) * kDegreesPerRadian;
}

// A direction of unit length; (0, 0) stays.
Point Unit(Point v) {
    const double n = exact::hypot(v.z, v.r);
    return n > 0 ? Point{v.z / n, v.r / n} : Point{};
}

Point Sub(Point a, Point b) {
    return {a.z - b.z, a.r - b.r};
}

// The direction in which an arc around `centre` runs through `p`: counter-clockwise for G03,
// clockwise for G02.
Point Tangent(Point centre, Point p, bool clockwise) {
    const Point v = Unit(Sub(p, centre));
    return clockwise ? Point{v.r, -v.z} : Point{-v.r, v.z};
}

std::string LineNumber(size_t n) {
    std::string s = std::to_string(n);
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    return s;
}

}  // namespace

std::string LengthText(double v) {
    return std::isfinite(v * 1000) ? NcNumber(v) : PlainDecimal(v);
}

std::string Result::Summary() const {
    const std::string head = "移動 " + std::to_string(moves);
    return faultLines == 0 ? head + "  異常なし" : head + "  異常 " + std::to_string(faultLines);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(from, i - from));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        from = i + 1;
    }
    lines.push_back(text.substr(from));
    return lines;
}

std::optional<Words> ReadBlock(std::string_view line) {
    // A comment runs from "(" to the next ")", or to the line's end.
    std::string s;
    s.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '(') {
            const size_t close = line.find(')', i + 1);
            if (close == std::string_view::npos) break;
            i = close;
            continue;
        }
        s += line[i];
    }
    size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    if (begin < end && s[begin] == '/') ++begin;  // block delete
    for (size_t i = begin; i < end; ++i)
        if (s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 'a' + 'A');

    Words words;
    bool afterWord = false;  // blanks stand only between words
    size_t i = begin;
    while (i < end) {
        const char c = s[i];
        if (IsBlank(c)) {
            if (!afterWord) return std::nullopt;
            ++i;
            continue;
        }
        if (c < 'A' || c > 'Z') return std::nullopt;
        size_t j = i + 1;
        bool negative = false;
        if (j < end && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
        const size_t first = j;
        bool digit = false, point = false;
        for (; j < end; ++j) {
            if (IsDigit(s[j])) {
                digit = true;
            } else if (s[j] == '.' && !point) {
                point = true;
            } else {
                break;
            }
        }
        if (!digit) return std::nullopt;
        const std::optional<double> v = ReadDigits(s.data() + first, s.data() + j);
        if (!v) return std::nullopt;
        const double value = negative ? -*v : *v;
        // The value must stay finite when rounded to thousandths, as every NC number is.
        if (!std::isfinite(value * 1000)) return std::nullopt;
        words[static_cast<size_t>(c - 'A')] = value;
        afterWord = true;
        i = j;
    }
    return words;
}

Result Check(std::string_view text) {
    Result result;
    int mode = 0;
    std::optional<double> x, z;  // X as written: a diameter
    // The direction in which the last feed move of the chain ended; none after the start
    // point, a rapid move or a fault.
    // (A flag beside a point rather than an optional: GCC's -O3 takes the optional's point
    // for uninitialised.)
    bool chained = false;
    Point chain;

    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t n = 1; n <= lines.size(); ++n) {
        const std::optional<Words> words = ReadBlock(lines[n - 1]);
        const std::string head = LineNumber(n) + " ";
        if (!words) {
            result.list.push_back(head + "読めない文字");
            ++result.faultLines;
            continue;
        }
        auto word = [&](char letter) { return (*words)[static_cast<size_t>(letter - 'A')]; };
        if (const auto g = word('G'); g && (*g == 0 || *g == 1 || *g == 2 || *g == 3))
            mode = static_cast<int>(*g);
        const auto newX = word('X'), newZ = word('Z');
        if (!newX && !newZ) continue;

        if (!result.startPoint) {
            if (newX) x = newX;
            if (newZ) z = newZ;
            if (!x || !z) continue;
            result.startPoint = Point{*z, *x / 2};
            result.list.push_back(head + "始点 X" + NcNumber(*x) + " Z" + NcNumber(*z));
            chained = false;
            continue;
        }

        Move m;
        m.line = static_cast<int>(n);
        m.mode = mode;
        m.from = Point{*z, *x / 2};
        if (newX) x = newX;
        if (newZ) z = newZ;
        m.to = Point{*z, *x / 2};
        ++result.moves;

        std::string body = "G0" + std::to_string(mode) + " X" + NcNumber(*x) + " Z" + NcNumber(*z);
        std::vector<std::string> notes;
        // A feed move that ends where it starts (or an arc of radius 0) has no direction of
        // its own: it neither gets a corner nor changes the chain.
        bool directionless = false;
        Point startDir, endDir;
        const bool still = m.from == m.to;

        if (mode <= 1) {
            if (still) notes.push_back("移動なし");
            directionless = still;
            startDir = endDir = Unit(Sub(m.to, m.from));
        } else {
            const bool clockwise = mode == 2;
            const auto l = word('L');
            const auto i = word('I'), k = word('K');
            if (l && *l != 0) {
                const double radius = std::fabs(*l);
                const Point chord = Sub(m.to, m.from);
                const double d = exact::hypot(chord.z, chord.r);
                if (d == 0) {
                    notes.push_back("移動なし");
                    body += " R" + LengthText(radius);
                    directionless = true;
                } else if (d > 2 * radius + kTolerance) {
                    notes.push_back("半径不足");
                    m.fault = true;
                } else {
                    const double half = d / 2;
                    // The centre's distance from the chord, sqrt((|L| - d/2)(|L| + d/2)).
                    // Near the largest numbers the product overflows; there the root of
                    // each factor is taken first.
                    const double below = std::max(0.0, radius - half);
                    const double product = below * (radius + half);
                    const double h = std::isfinite(product)
                                         ? std::sqrt(product)
                                         : std::sqrt(below) * std::sqrt(radius + half);
                    const Point u{chord.z / d, chord.r / d};
                    // Right of P->Q for G02, left for G03; the other side for L < 0.
                    const bool right = clockwise != (*l < 0);
                    const Point normal = right ? Point{u.r, -u.z} : Point{-u.r, u.z};
                    m.arc = true;
                    m.radius = radius;
                    m.centre = {m.from.z / 2 + m.to.z / 2 + h * normal.z,
                                m.from.r / 2 + m.to.r / 2 + h * normal.r};
                    // The angle the chord subtends: twice that of its half seen from the
                    // centre; a negative L takes the longer way round.
                    const double minor = 2 * Degrees(half, h);
                    const double sweep = *l < 0 ? 360 - minor : minor;
                    m.sweep = clockwise ? -sweep : sweep;
                    const Point v = Sub(m.from, m.centre);
                    m.start = Degrees(v.r, v.z);
                    body += " R" + LengthText(radius);
                    startDir = Tangent(m.centre, m.from, clockwise);
                    endDir = Tangent(m.centre, m.to, clockwise);
                }
            } else if (i || k) {
                const Point centre{m.from.z + k.value_or(0), m.from.r + i.value_or(0)};
                const Point a = Sub(m.from, centre), b = Sub(m.to, centre);
                const double r1 = exact::hypot(a.z, a.r), r2 = exact::hypot(b.z, b.r);
                if (std::fabs(r1 - r2) > kTolerance) {
                    notes.push_back("終点ずれ " + LengthText(std::fabs(r1 - r2)));
                    m.fault = true;
                } else {
                    m.arc = true;
                    m.centre = centre;
                    m.radius = r1;
                    m.start = Degrees(a.r, a.z);
                    double sweep = 360;  // Q = P: the full circle
                    if (!still) {
                        const double end = Degrees(b.r, b.z);
                        sweep = clockwise ? m.start - end : end - m.start;
                        if (sweep <= 0) sweep += 360;
                    }
                    m.sweep = clockwise ? -sweep : sweep;
                    body += " R" + LengthText(r1);
                    directionless = still || r1 == 0;
                    if (!directionless) {
                        startDir = Tangent(centre, m.from, clockwise);
                        endDir = Tangent(centre, m.to, clockwise);
                    }
                }
            } else {
                notes.push_back("半径指定なし");
                m.fault = true;
            }
        }

        if (m.fault) {
            ++result.faultLines;
            chained = false;
        } else if (mode == 0) {
            chained = false;
        } else if (!directionless) {
            if (chained) {
                const double cross = chain.z * startDir.r - chain.r * startDir.z;
                const double dot = chain.z * startDir.z + chain.r * startDir.r;
                const double theta = Degrees(std::fabs(cross), dot);
                if (theta > kCornerDegrees)
                    notes.insert(notes.begin(), "角 " + NcNumber(theta) + "°");
            }
            chain = endDir;
            chained = true;
        }
        for (const std::string& note : notes) body += "  " + note;
        result.list.push_back(head + body);
        result.drawn.push_back(m);
    }
    return result;
}

}  // namespace quillon::contour
