#include "icon_drawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <string>
#include <utility>

namespace quillon {
namespace {

using Kind = IconSegment::Kind;

// Numbers beyond this are refused and numbers closer to zero read as zero, so that whatever a
// drawing says, its coordinates and a painter's scale (size / width) stay finite.
constexpr double kLargest = 1e9;
constexpr double kSmallest = 1e-9;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

// An SVG number at s[at]: [+-] digits [. digits] [e [+-] digits], read in the C locale's way
// whatever the program's locale is. Advances `at` past it.
std::optional<double> ScanNumber(std::string_view s, size_t& at) {
    size_t i = at;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    const char* first = s.data() + at;
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double v = 0;
    const auto [end, error] = std::from_chars(first, s.data() + i, v);
    if (error != std::errc() || end != s.data() + i || !std::isfinite(v) || std::fabs(v) > kLargest)
        return std::nullopt;
    at = i;
    return std::fabs(v) < kSmallest ? 0.0 : v;
}

void SkipSeparators(std::string_view s, size_t& at) {
    while (at < s.size() && (IsSpace(s[at]) || s[at] == ',')) ++at;
}

// The numbers of a list such as "16,6 24.7,11" or "0 0 32 32"; `complete` tells whether the
// whole text was numbers.
std::vector<double> NumberList(std::string_view v, bool* complete = nullptr) {
    std::vector<double> out;
    size_t at = 0;
    SkipSeparators(v, at);
    while (at < v.size()) {
        const auto n = ScanNumber(v, at);
        if (!n) break;
        out.push_back(*n);
        SkipSeparators(v, at);
    }
    if (complete) *complete = at == v.size();
    return out;
}

// A length such as "2.5" or "2.5px".
std::optional<double> Length(std::string_view v) {
    v = Trim(v);
    if (v.size() > 2 && v.substr(v.size() - 2) == "px") v.remove_suffix(2);
    size_t at = 0;
    const auto n = ScanNumber(v, at);
    return n && at == v.size() ? n : std::nullopt;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A paint: a colour, or no paint at all for "none"; nothing for what is not understood.
std::optional<std::optional<Color>> Paint(std::string_view v) {
    v = Trim(v);
    if (v == "none") return std::optional<std::optional<Color>>(std::in_place, std::nullopt);
    if ((v.size() != 4 && v.size() != 7) || v[0] != '#') return std::nullopt;
    int d[6];
    for (size_t i = 1; i < v.size(); ++i)
        if ((d[i - 1] = HexDigit(v[i])) < 0) return std::nullopt;
    const auto byte = [](int hi, int lo) { return static_cast<std::uint8_t>(hi * 16 + lo); };
    const Color c = v.size() == 4
                        ? Color::Rgb(byte(d[0], d[0]), byte(d[1], d[1]), byte(d[2], d[2]))
                        : Color::Rgb(byte(d[0], d[1]), byte(d[2], d[3]), byte(d[4], d[5]));
    return std::optional<std::optional<Color>>(std::in_place, c);
}

// A dash array: "none" or non-negative lengths; an odd list is repeated to make it even, and
// one that adds up to nothing draws solid. Nothing for what is not understood.
std::optional<std::vector<double>> Dashes(std::string_view v) {
    v = Trim(v);
    if (v == "none") return std::vector<double>{};
    bool complete = false;
    std::vector<double> d = NumberList(v, &complete);
    double sum = 0;
    for (const double x : d) {
        if (x < 0) return std::nullopt;
        sum += x;
    }
    if (!complete || d.empty()) return std::nullopt;
    if (sum <= 0) return std::vector<double>{};
    if (d.size() % 2 == 1) {
        const std::vector<double> once = d;
        d.insert(d.end(), once.begin(), once.end());
    }
    return d;
}

// ---- tags ----

struct Attribute {
    std::string_view name, value;
};

struct Tag {
    std::string_view name;
    bool closing = false, selfClosing = false;
    std::vector<Attribute> attributes;

    // The last value given for `name` (a style declaration comes after the attributes).
    std::optional<std::string_view> Get(std::string_view key) const {
        for (auto it = attributes.rbegin(); it != attributes.rend(); ++it)
            if (it->name == key) return it->value;
        return std::nullopt;
    }
};

bool IsNameChar(char c) {
    return !IsSpace(c) && c != '=' && c != '/' && c != '>' && c != '"' && c != '\'';
}

// The declarations of a style attribute ("fill:#fff; stroke-width:2") as attributes.
void AddStyle(std::string_view style, std::vector<Attribute>& out) {
    while (!style.empty()) {
        const size_t semi = style.find(';');
        const std::string_view decl = style.substr(0, semi);
        style = semi == std::string_view::npos ? std::string_view() : style.substr(semi + 1);
        const size_t colon = decl.find(':');
        if (colon == std::string_view::npos) continue;
        out.push_back({Trim(decl.substr(0, colon)), Trim(decl.substr(colon + 1))});
    }
}

// The inside of "<...>".
Tag ReadTag(std::string_view text) {
    Tag tag;
    size_t at = 0;
    if (at < text.size() && text[at] == '/') tag.closing = true, ++at;
    const size_t nameStart = at;
    while (at < text.size() && IsNameChar(text[at])) ++at;
    tag.name = text.substr(nameStart, at - nameStart);
    std::optional<std::string_view> style;
    while (true) {
        while (at < text.size() && IsSpace(text[at])) ++at;
        if (at >= text.size()) break;
        if (text[at] == '/') {
            tag.selfClosing = Trim(text.substr(at + 1)).empty();
            break;
        }
        const size_t start = at;
        while (at < text.size() && IsNameChar(text[at])) ++at;
        const std::string_view name = text.substr(start, at - start);
        while (at < text.size() && IsSpace(text[at])) ++at;
        if (name.empty() || at >= text.size() || text[at] != '=') break;
        ++at;
        while (at < text.size() && IsSpace(text[at])) ++at;
        if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) break;
        const size_t end = text.find(text[at], at + 1);
        if (end == std::string_view::npos) break;
        const std::string_view value = text.substr(at + 1, end - at - 1);
        at = end + 1;
        if (name == "style")
            style = value;
        else
            tag.attributes.push_back({name, value});
    }
    if (style) AddStyle(*style, tag.attributes);
    return tag;
}

// ---- outlines ----

struct Style {
    std::optional<Color> fill = colors::Black, stroke;  // as SVG paints by default
    double width = 1;
    std::vector<double> dashes;
};

Style Apply(Style s, const Tag& tag) {
    if (const auto v = tag.Get("fill"))
        if (const auto p = Paint(*v)) s.fill = *p;
    if (const auto v = tag.Get("stroke"))
        if (const auto p = Paint(*v)) s.stroke = *p;
    if (const auto v = tag.Get("stroke-width"))
        if (const auto w = Length(*v); w && *w >= 0) s.width = *w;
    if (const auto v = tag.Get("stroke-dasharray"))
        if (auto d = Dashes(*v)) s.dashes = std::move(*d);
    return s;
}

double Degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

// Builds one outline, in the drawing's units from the viewBox's corner.
class Outline {
public:
    explicit Outline(IconPoint origin) : origin_(origin) {}

    void Move(IconPoint p) { Add(Kind::Move, {Shift(p)}); }
    void Line(IconPoint p) { Add(Kind::Line, {Shift(p)}); }
    void Cubic(IconPoint c1, IconPoint c2, IconPoint p) {
        Add(Kind::Cubic, {Shift(c1), Shift(c2), Shift(p)});
    }
    void Close() { Add(Kind::Close, {}); }

    // A circular arc around c from `start` turning by `sweep` (radians, clockwise on screen).
    void CircleArc(IconPoint c, double r, double start, double sweep, IconPoint end) {
        IconSegment s;
        s.kind = Kind::Arc;
        s.p = {Shift(c), IconPoint{}, Shift(end)};
        s.radius = r;
        s.start = Degrees(start);
        s.sweep = Degrees(sweep);
        path_.push_back(s);
    }

    // An arc of the ellipse around c with the radii rx, ry turned by phi, from the parameter
    // angle t0 on by dt (radians), as cubic Béziers of at most a quarter turn each; it ends
    // exactly at `end` when one is given.
    void EllipseArc(IconPoint c, double rx, double ry, double phi, double t0, double dt,
                    std::optional<IconPoint> end = std::nullopt) {
        const int pieces =
            std::max(1, static_cast<int>(std::ceil(std::fabs(dt) / (std::numbers::pi / 2) - 1e-9)));
        const double step = dt / pieces;
        const double k = 4.0 / 3.0 * std::tan(step / 4);
        const double cp = std::cos(phi), sp = std::sin(phi);
        const auto at = [&](double u, double v) {
            return IconPoint{c.x + rx * u * cp - ry * v * sp, c.y + rx * u * sp + ry * v * cp};
        };
        for (int i = 0; i < pieces; ++i) {
            const double a = t0 + i * step, b = a + step;
            const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
            IconPoint to = at(cb, sb);
            if (i + 1 == pieces && end) to = *end;
            Cubic(at(ca - k * sa, sa + k * ca), at(cb + k * sb, sb - k * cb), to);
        }
    }

    // Whether there is anything to paint: a piece after a start.
    bool Draws() const {
        for (const IconSegment& s : path_)
            if (s.kind != Kind::Move && s.kind != Kind::Close) return true;
        return false;
    }

    std::vector<IconSegment> Take() { return std::move(path_); }

private:
    IconPoint Shift(IconPoint p) const { return {p.x - origin_.x, p.y - origin_.y}; }
    void Add(Kind kind, std::array<IconPoint, 3> p) {
        IconSegment s;
        s.kind = kind;
        s.p = p;
        path_.push_back(s);
    }

    IconPoint origin_;
    std::vector<IconSegment> path_;
};

// The arc of a path from `from` to `to` ("A rx ry phi large sweep x y"), by the endpoint to
// centre conversion of SVG; a circular one stays an arc, an elliptical one becomes Béziers.
void PathArc(Outline& out, IconPoint from, double rx, double ry, double phiDegrees, bool large,
             bool sweep, IconPoint to) {
    if (from == to) return;
    rx = std::fabs(rx), ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        out.Line(to);
        return;
    }
    const double phi = std::fmod(phiDegrees, 360) * std::numbers::pi / 180;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double hx = (from.x - to.x) / 2, hy = (from.y - to.y) / 2;
    const double x1 = cp * hx + sp * hy, y1 = -sp * hx + cp * hy;  // `from` in the turned frame
    const double scale = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (scale > 1) rx *= std::sqrt(scale), ry *= std::sqrt(scale);
    const double mx = (from.x + to.x) / 2, my = (from.y + to.y) / 2;
    const double turn = 2 * std::numbers::pi;
    const auto clockwise = [&](double delta) {
        if (sweep && delta < 0) delta += turn;
        if (!sweep && delta > 0) delta -= turn;
        return delta;
    };
    if (rx == ry) {
        const double d2 = hx * hx + hy * hy;
        if (d2 == 0) {  // ends too close to tell a direction
            out.Line(to);
            return;
        }
        double k = std::sqrt(std::max(0.0, (rx * rx - d2) / d2));
        if (large == sweep) k = -k;
        const IconPoint c{k * hy + mx, -k * hx + my};
        const double a0 = std::atan2(from.y - c.y, from.x - c.x);
        const double a1 = std::atan2(to.y - c.y, to.x - c.x);
        out.CircleArc(c, rx, a0, clockwise(a1 - a0), to);
        return;
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double k = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep) k = -k;
    const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
    const IconPoint c{cp * cx1 - sp * cy1 + mx, sp * cx1 + cp * cy1 + my};
    const double t0 = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    const double t1 = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx);
    out.EllipseArc(c, rx, ry, phi, t0, clockwise(t1 - t0), to);
}

// The path data of <path d="...">, up to its first error, as SVG renders a faulty path.
void ReadPathData(Outline& out, std::string_view d) {
    size_t at = 0;
    IconPoint cur, start, control;  // control: the last Bézier control, for S and T
    char command = 0, previous = 0;
    bool closed = false;
    const auto number = [&](double& v) {
        SkipSeparators(d, at);
        const auto n = ScanNumber(d, at);
        if (n) v = *n;
        return n.has_value();
    };
    const auto point = [&](bool rel, IconPoint& p) {
        if (!number(p.x) || !number(p.y)) return false;
        if (rel) p.x += cur.x, p.y += cur.y;
        return true;
    };
    const auto flag = [&](bool& f) {
        SkipSeparators(d, at);
        if (at >= d.size() || (d[at] != '0' && d[at] != '1')) return false;
        f = d[at++] == '1';
        return true;
    };
    // After a close, the next piece starts a new figure where the closed one started.
    const auto reopen = [&] {
        if (closed) out.Move(start);
        closed = false;
    };
    while (true) {
        SkipSeparators(d, at);
        if (at >= d.size()) return;
        const char c = d[at];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            command = c;
            ++at;
        } else if (command == 0 || command == 'Z' || command == 'z') {
            return;  // numbers with no command to take them
        }
        const bool rel = command >= 'a';
        const char upper = static_cast<char>(rel ? command - 32 : command);
        if (previous == 0 && upper != 'M') return;  // a path starts with a move
        IconPoint p, c1, c2;
        switch (upper) {
            case 'M':
                if (!point(rel, p)) return;
                out.Move(p);
                cur = start = p;
                closed = false;
                command = rel ? 'l' : 'L';  // further pairs draw lines
                break;
            case 'L':
                if (!point(rel, p)) return;
                reopen();
                out.Line(p);
                cur = p;
                break;
            case 'H':
                if (!number(p.x)) return;
                p = {rel ? cur.x + p.x : p.x, cur.y};
                reopen();
                out.Line(p);
                cur = p;
                break;
            case 'V':
                if (!number(p.y)) return;
                p = {cur.x, rel ? cur.y + p.y : p.y};
                reopen();
                out.Line(p);
                cur = p;
                break;
            case 'C':
            case 'S': {
                const bool smooth = upper == 'S';
                const bool follows = previous == 'C' || previous == 'S';
                if (smooth)
                    c1 = follows ? IconPoint{2 * cur.x - control.x, 2 * cur.y - control.y} : cur;
                else if (!point(rel, c1))
                    return;
                if (!point(rel, c2) || !point(rel, p)) return;
                reopen();
                out.Cubic(c1, c2, p);
                control = c2, cur = p;
                break;
            }
            case 'Q':
            case 'T': {
                IconPoint q;
                const bool follows = previous == 'Q' || previous == 'T';
                if (upper == 'T')
                    q = follows ? IconPoint{2 * cur.x - control.x, 2 * cur.y - control.y} : cur;
                else if (!point(rel, q))
                    return;
                if (!point(rel, p)) return;
                reopen();
                out.Cubic({cur.x + 2 * (q.x - cur.x) / 3, cur.y + 2 * (q.y - cur.y) / 3},
                          {p.x + 2 * (q.x - p.x) / 3, p.y + 2 * (q.y - p.y) / 3}, p);
                control = q, cur = p;
                break;
            }
            case 'A': {
                double rx = 0, ry = 0, phi = 0;
                bool large = false, sweep = false;
                if (!number(rx) || !number(ry) || !number(phi) || !flag(large) || !flag(sweep) ||
                    !point(rel, p))
                    return;
                reopen();
                PathArc(out, cur, rx, ry, phi, large, sweep, p);
                cur = p;
                break;
            }
            case 'Z':
                out.Close();
                cur = start;
                closed = true;
                break;
            default:
                return;  // not a command of a path
        }
        previous = upper;
    }
}

// The number an attribute gives, or `fallback`.
double Number(const Tag& tag, std::string_view name, double fallback = 0) {
    const auto v = tag.Get(name);
    const auto n = v ? Length(*v) : std::nullopt;
    return n ? *n : fallback;
}

void ReadRect(Outline& out, const Tag& tag) {
    const double x = Number(tag, "x"), y = Number(tag, "y");
    const double w = Number(tag, "width"), h = Number(tag, "height");
    if (!(w > 0 && h > 0)) return;
    double rx = Number(tag, "rx", -1), ry = Number(tag, "ry", -1);
    if (rx < 0) rx = ry;  // one radius given stands for both
    if (ry < 0) ry = rx;
    rx = std::clamp(rx, 0.0, w / 2), ry = std::clamp(ry, 0.0, h / 2);
    if (rx == 0 || ry == 0) {
        out.Move({x, y});
        out.Line({x + w, y});
        out.Line({x + w, y + h});
        out.Line({x, y + h});
        out.Close();
        return;
    }
    // Clockwise from the top edge's left end, each corner a quarter turn.
    const double pi = std::numbers::pi;
    const auto corner = [&](IconPoint c, double from, IconPoint end) {
        if (rx == ry)
            out.CircleArc(c, rx, from, pi / 2, end);
        else
            out.EllipseArc(c, rx, ry, 0, from, pi / 2, end);
    };
    out.Move({x + rx, y});
    out.Line({x + w - rx, y});
    corner({x + w - rx, y + ry}, -pi / 2, {x + w, y + ry});
    out.Line({x + w, y + h - ry});
    corner({x + w - rx, y + h - ry}, 0, {x + w - rx, y + h});
    out.Line({x + rx, y + h});
    corner({x + rx, y + h - ry}, pi / 2, {x, y + h - ry});
    out.Line({x, y + ry});
    corner({x + rx, y + ry}, pi, {x + rx, y});
    out.Close();
}

void ReadEllipse(Outline& out, const Tag& tag, double rx, double ry) {
    if (!(rx > 0 && ry > 0)) return;
    const IconPoint c{Number(tag, "cx"), Number(tag, "cy")};
    const IconPoint start{c.x + rx, c.y};
    out.Move(start);
    if (rx == ry)
        out.CircleArc(c, rx, 0, 2 * std::numbers::pi, start);
    else
        out.EllipseArc(c, rx, ry, 0, 0, 2 * std::numbers::pi, start);
    out.Close();
}

void ReadPoints(Outline& out, const Tag& tag, bool closed) {
    const std::vector<double> n = NumberList(tag.Get("points").value_or(""));
    if (n.size() < 4) return;
    for (size_t i = 0; i + 1 < n.size(); i += 2) {
        if (i == 0)
            out.Move({n[0], n[1]});
        else
            out.Line({n[i], n[i + 1]});
    }
    if (closed) out.Close();
}

// Reads the outline of one drawing element; false for a tag that draws nothing.
bool ReadShape(Outline& out, const Tag& tag) {
    const std::string_view name = tag.name;
    if (name == "rect") {
        ReadRect(out, tag);
    } else if (name == "circle") {
        const double r = Number(tag, "r");
        ReadEllipse(out, tag, r, r);
    } else if (name == "ellipse") {
        ReadEllipse(out, tag, Number(tag, "rx"), Number(tag, "ry"));
    } else if (name == "line") {
        out.Move({Number(tag, "x1"), Number(tag, "y1")});
        out.Line({Number(tag, "x2"), Number(tag, "y2")});
    } else if (name == "polygon" || name == "polyline") {
        ReadPoints(out, tag, name == "polygon");
    } else if (name == "path") {
        ReadPathData(out, tag.Get("d").value_or(""));
    } else {
        return false;
    }
    return true;
}

// Elements whose content is not drawn where it stands (definitions, references, texts).
bool IsHidden(std::string_view name) {
    for (const std::string_view hidden :
         {"defs", "clipPath", "mask", "symbol", "marker", "pattern", "title", "desc", "metadata"})
        if (name == hidden) return true;
    return false;
}

// The index of the '>' that ends the tag opened at `at`, or npos; a '>' inside a quoted
// attribute value does not end it.
size_t TagEnd(std::string_view svg, size_t at) {
    char quote = 0;
    for (size_t i = at + 1; i < svg.size(); ++i) {
        const char c = svg[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

IconDrawing ReadIconDrawing(std::string_view svg) {
    IconDrawing drawing;
    IconPoint origin;
    bool seenSvg = false;
    std::vector<Style> styles{Style{}};  // the inherited style of each open group
    size_t hidden = 0;                   // depth inside elements that are not drawn
    size_t at = 0;
    while ((at = svg.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = svg.substr(at);
        // Comments, processing instructions, CDATA and declarations are skipped whole.
        std::string_view skipTo;
        if (rest.starts_with("<!--"))
            skipTo = "-->";
        else if (rest.starts_with("<![CDATA["))
            skipTo = "]]>";
        else if (rest.starts_with("<?"))
            skipTo = "?>";
        if (!skipTo.empty()) {
            const size_t end = svg.find(skipTo, at + 2);
            if (end == std::string_view::npos) break;
            at = end + skipTo.size();
            continue;
        }
        const size_t end = TagEnd(svg, at);
        if (end == std::string_view::npos) break;  // an unfinished tag ends the drawing
        const std::string_view text = svg.substr(at + 1, end - at - 1);
        at = end + 1;
        if (text.starts_with('!')) continue;  // <!DOCTYPE ...>
        const Tag tag = ReadTag(text);
        if (IsHidden(tag.name) && !tag.selfClosing) {
            if (!tag.closing)
                ++hidden;
            else if (hidden > 0)
                --hidden;
            continue;
        }
        if (hidden > 0) continue;
        const bool group = tag.name == "g" || tag.name == "svg";
        if (tag.closing) {
            if (group && styles.size() > 1) styles.pop_back();
            continue;
        }
        Style style = Apply(styles.back(), tag);
        if (tag.name == "svg" && !seenSvg) {
            seenSvg = true;
            const std::vector<double> box = NumberList(tag.Get("viewBox").value_or(""));
            const double width = Number(tag, "width");
            if (box.size() == 4 && box[2] > 0 && box[3] > 0) {
                origin = {box[0], box[1]};
                drawing.width = box[2];
            } else if (width > 0) {
                drawing.width = width;
            }
            styles.back() = std::move(style);  // the defaults of the whole drawing
            continue;
        }
        if (group) {
            if (!tag.selfClosing) styles.push_back(std::move(style));
            continue;
        }
        Outline outline(origin);
        if (!ReadShape(outline, tag) || !outline.Draws()) continue;
        IconShape shape;
        shape.fill = style.fill;
        if (style.width > 0) shape.stroke = style.stroke;
        shape.strokeWidth = style.width;
        if (shape.stroke) shape.dashes = std::move(style.dashes);
        if (!shape.fill && !shape.stroke) continue;
        shape.path = outline.Take();
        drawing.shapes.push_back(std::move(shape));
    }
    return drawing;
}

}  // namespace quillon
