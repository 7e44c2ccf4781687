// Random event sequences over every registered window: thousands of hostile steps each, as a
// user or a script may deliver them, and after every step the invariants each window keeps.
//
// The run is seeded and repeatable. QUILLON_RANDOM_SEED sets the seed, QUILLON_RANDOM_STEPS the
// steps per window (default 2000); a failure prints both, the step it happened at and the
// steps before it in quillon-cli syntax.
//
// Invariants: no exception leaves a Deliver* call (every generated step is one the control can
// take, so not even a usage error); no text, list item, clipboard or printed text shows "inf"
// or "nan" in any case; no text box shows a number with an exponent below 10^15 that the test
// did not type (the window's own number texts have none); every drawing of a picture has
// finite coordinates and a scale of finite, non-zero size.
//
// Nothing the test types contains the letter "n", so that "inf" and "nan" can only come from a
// window (the lenient reading of "inf" or "nan" typed by a user is the fuzzer's business).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/recording_host.h"
#include "app/registry.h"
#include "shell/disk_files.h"
#include "shell/figure_window.h"
#include "shell/module1.h"
#include "shell/tool_window.h"
#include "shell/utf8.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

uint64_t EnvNumber(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    return std::strtoull(v, nullptr, 10);
}

uint64_t Seed() {
    return EnvNumber("QUILLON_RANDOM_SEED", 20240601);
}
size_t StepCount() {
    return static_cast<size_t>(EnvNumber("QUILLON_RANDOM_STEPS", 2000));
}

// ---- the invariants ----

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ShowsNonFinite(const std::string& s) {
    std::string lower(s);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// A number written with an exponent ("1.5E+07", "-2e-3") inside a text.
struct ExponentNumber {
    double magnitude;  // infinity for one beyond the doubles
    size_t begin, end;
};

std::vector<ExponentNumber> ExponentNumbers(const std::string& t) {
    std::vector<ExponentNumber> found;
    for (size_t i = 1; i < t.size(); ++i) {
        if ((t[i] != 'E' && t[i] != 'e') || !(IsDigit(t[i - 1]) || t[i - 1] == '.')) continue;
        size_t end = i + 1;
        const bool negative = end < t.size() && t[end] == '-';
        if (end < t.size() && (t[end] == '+' || t[end] == '-')) ++end;
        if (end >= t.size() || !IsDigit(t[end])) continue;
        while (end < t.size() && IsDigit(t[end])) ++end;
        size_t begin = i;
        while (begin > 0 && (IsDigit(t[begin - 1]) || t[begin - 1] == '.')) --begin;
        if (begin == i || (begin + 1 == i && t[begin] == '.')) continue;
        double v = 0;
        const auto r = std::from_chars(t.data() + begin, t.data() + end, v);
        if (r.ec == std::errc::result_out_of_range) v = negative ? 0 : HUGE_VAL;
        if (begin > 0 && t[begin - 1] == '-') --begin;
        found.push_back({std::fabs(v), begin, end});
    }
    return found;
}

// The number texts a window writes have no exponent below 10^15; beyond it they may.
constexpr double kExponentFrom = 1e15;

bool FiniteScale(const Scale& s) {
    return std::isfinite(s.left) && std::isfinite(s.top) && std::isfinite(s.width) &&
           std::isfinite(s.height) && s.width != 0 && s.height != 0;
}

const char* const kOpNames[] = {"scale", "line", "circle", "arc", "point", "print"};

// What is wrong with a picture's display list, or "". Printed texts may show "inf" only while
// `printsMayOverflow`: the coordinate readout of a mouse position beyond single precision.
std::string PictureFault(const Picture& pic, bool printsMayOverflow) {
    if (!FiniteScale(pic.GetScale())) return "a scale of no finite size";
    for (const DrawOp& op : pic.Ops()) {
        const bool ok = std::visit(
            [printsMayOverflow](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, ScaleOp>)
                    return FiniteScale(o.scale);
                else if constexpr (std::is_same_v<T, LineOp>)
                    return std::isfinite(o.x1) && std::isfinite(o.y1) && std::isfinite(o.x2) &&
                           std::isfinite(o.y2);
                else if constexpr (std::is_same_v<T, CircleOp>)
                    return std::isfinite(o.x) && std::isfinite(o.y) && std::isfinite(o.r) &&
                           o.r >= 0;
                else if constexpr (std::is_same_v<T, ArcOp>)
                    return std::isfinite(o.x) && std::isfinite(o.y) && std::isfinite(o.r) &&
                           o.r >= 0 && std::isfinite(o.start) && std::isfinite(o.sweep);
                else if constexpr (std::is_same_v<T, PointOp>)
                    return std::isfinite(o.x) && std::isfinite(o.y);
                else
                    return std::isfinite(o.x) && std::isfinite(o.y) &&
                           (printsMayOverflow || !ShowsNonFinite(o.text));
            },
            op);
        if (!ok) {
            std::string what = std::string("a ") + kOpNames[op.index()] + " that is not finite";
            if (const auto* p = std::get_if<PrintOp>(&op)) what += ": \"" + p->text + "\"";
            return what;
        }
    }
    return "";
}

// A number's text without its sign, in capitals: "-1.5e3" -> "1.5E3".
std::string Normal(std::string s) {
    if (!s.empty() && s[0] == '-') s.erase(0, 1);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// What the test typed into fields, as the fields then read: whole texts, and the numbers with
// an exponent in them, which a window may echo into another field (kept as hashes: the texts
// run to 10 000 characters).
class Typed {
public:
    void Add(const std::string& text) {
        texts_.insert(Hash(text));
        for (const ExponentNumber& e : ExponentNumbers(text))
            numbers_.insert(Hash(Normal(text.substr(e.begin, e.end - e.begin))));
    }
    bool HasText(const std::string& text) const { return texts_.count(Hash(text)) != 0; }
    bool HasNumber(const std::string& number) const {
        return numbers_.count(Hash(Normal(number))) != 0;
    }
    void Clear() { texts_.clear(), numbers_.clear(); }

private:
    static size_t Hash(const std::string& s) { return std::hash<std::string>{}(s); }
    std::set<size_t> texts_, numbers_;
};

// Pictures whose prints may show "inf", each with the revision it had then: the readout of a
// mouse position beyond single precision, until the picture is drawn again.
using OverflowPrints = std::map<std::string, unsigned>;

// The first invariant the window breaks, or "". `design` holds the texts the window had when
// it was created: captions are the window's own and are not results.

std::string Violation(Form& form, const RecordingHost& host, const Typed& typed,
                      const std::set<std::string>& design, const OverflowPrints& overflow = {}) {
    for (const auto& c : form.Controls()) {
        const std::string& name = c->Name();
        if (!design.count(c->Text) && ShowsNonFinite(c->Text))
            return name + " shows \"" + c->Text + "\"";
        for (const auto& item : c->Items)
            if (!design.count(item) && ShowsNonFinite(item))
                return name + " lists \"" + item + "\"";
        if (c->Kind() == ControlKind::TextBox) {
            for (const ExponentNumber& e : ExponentNumbers(c->Text)) {
                const std::string number = c->Text.substr(e.begin, e.end - e.begin);
                if (e.magnitude < kExponentFrom && !typed.HasNumber(number))
                    return name + " shows an exponent: \"" + c->Text + "\"";
            }
        }
        if (c->Pic) {
            const auto o = overflow.find(name);
            const bool mayOverflow = o != overflow.end() && o->second == c->Pic->Revision();
            const std::string fault = PictureFault(*c->Pic, mayOverflow);
            if (!fault.empty()) return name + " has " + fault;
        }
    }
    if (host.clipboard && ShowsNonFinite(*host.clipboard))
        return "the clipboard holds \"" + *host.clipboard + "\"";
    return "";
}

std::set<std::string> DesignTexts(const Form& form) {
    std::set<std::string> texts;
    for (const auto& c : form.Controls()) {
        texts.insert(c->Text);
        texts.insert(c->Items.begin(), c->Items.end());
    }
    return texts;
}

// ---- the steps ----

enum class Kind {
    Set,
    Focus,
    Leave,
    Click,
    Pick,
    Key,
    Select,
    Mouse,
    Paint,
    Tick,
    Clock,
    Activate
};

struct Step {
    Kind kind = Kind::Paint;
    std::string name, text;
    int a = 0, b = 0;
    double x = 0, y = 0;
    std::string keyName;
};

std::string Shown(const std::string& text) {
    if (text.size() <= 40) return text;
    return text.substr(0, 16) + "...(" + std::to_string(text.size()) + " bytes)";
}

std::string ShowNumber(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// The step in quillon-cli syntax.
std::string Describe(const Step& s) {
    switch (s.kind) {
        case Kind::Set:
            return "set:" + s.name + "=" + Shown(s.text);
        case Kind::Focus:
            return "focus:" + s.name;
        case Kind::Leave:
            return "leave:" + s.name;
        case Kind::Click:
            return "click:" + s.name;
        case Kind::Pick:
            return "click:" + s.name + "=" + std::to_string(s.a);
        case Kind::Key:
            return "key:" + s.keyName;
        case Kind::Select:
            return "select:" + s.name + "=" + std::to_string(s.a) + "," + std::to_string(s.b);
        case Kind::Mouse:
            if (s.name == "Form") return "mouse:Form";
            return "mouse:" + s.name + "=" + ShowNumber(s.x) + "," + ShowNumber(s.y);
        case Kind::Paint:
            return "paint";
        case Kind::Tick:
            return "tick:" + s.name;
        case Kind::Clock:
            return "clock:" + ShowNumber(s.x);
        case Kind::Activate:
            return "(the window is activated again)";
    }
    return "";
}

// Texts a user may type: empty and blank fields, lone signs and points, numbers too large
// and too small for doubles, letters, full-width digits, broken UTF-8, 10 000 characters.
const std::vector<std::string>& HostileTexts() {
    static const std::vector<std::string> pool = [] {
        std::vector<std::string> p = {"",
                                      " ",
                                      "   ",
                                      "\t",
                                      "-",
                                      "+",
                                      ".",
                                      "-.",
                                      "+-1",
                                      "--5",
                                      "1e308",
                                      "-1e308",
                                      "1e999",
                                      "-1e999",
                                      "1e-999",
                                      "1e15",
                                      "1e16",
                                      "-1e16",
                                      "1e300",
                                      "-1e300",
                                      "1.7976931348623157e308",
                                      "4.9e-324",
                                      "abc",
                                      "12abc",
                                      "3mm",
                                      "1,5",
                                      "1 2",
                                      "1D3",
                                      "1e",
                                      "1e+",
                                      "e5",
                                      "E",
                                      "1.2.3",
                                      "１２",
                                      "－１",
                                      "．５",
                                      "あいう",
                                      "ー",
                                      "😀",
                                      "\xff\xfe",
                                      "\xe3\x81",
                                      "0",
                                      "-0",
                                      "0.0",
                                      "1",
                                      "-1",
                                      "0.0005",
                                      "-0.0005",
                                      "0.0015",
                                      "0.001",
                                      "0.0001",
                                      "45",
                                      "90",
                                      "-90",
                                      "180",
                                      "-180",
                                      "270",
                                      "360",
                                      "720",
                                      "89.9999",
                                      "90.0001",
                                      "1e-7",
                                      "123456789012345678",
                                      "999999999999999",
                                      "-999999999999999"};
        p.push_back(std::string(10000, '1'));
        p.push_back(std::string(9998, '9') + ".5");
        p.push_back("0." + std::string(9997, '0') + "1");
        p.push_back("-" + std::string(9999, '7'));
        p.push_back(std::string(10000, 'x'));
        p.push_back(std::string(10000, ' '));
        std::string kana;
        for (int i = 0; i < 10000; ++i) kana += "あ";
        p.push_back(kana);
        return p;
    }();
    return pool;
}

const std::vector<std::string>& KeyNames() {
    static const std::vector<std::string> keys = {
        "Enter", "Esc", "Backspace", "Tab", "Shift", "Up", "Down",  "Left",  "Right", "0",
        "1",     "2",   "3",         "4",   "5",     "6",  "7",     "8",     "9",     "9",
        ".",     "-",   "+",         "E",   "e",     "D",  " ",     "a",     "b",     "c",
        "x",     "X",   "Z",         "*",   "/",     "=",  "%",     ",",     "(",     ")",
        "１",    "．",  "あ",        "ー",  "😀",     "q",  "Enter", "Enter", "Tab",   "Backspace"};
    return keys;
}

class Generator {
public:
    explicit Generator(uint64_t seed) : rng_(seed) {}

    size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }
    bool Chance(int percent) { return Below(100) < static_cast<size_t>(percent); }
    double Unit() { return static_cast<double>(rng_() >> 11) * 0x1.0p-53; }

    Step Next(Form& form) {
        if (pending_.empty() && Chance(4)) FillEveryField(form);
        if (!pending_.empty()) {
            Step s = pending_.front();
            pending_.pop_front();
            return s;
        }
        for (int attempt = 0; attempt < 50; ++attempt)
            if (auto s = Try(form)) return *s;
        return Step{};  // paint
    }

private:
    template <typename Pred>
    std::vector<Control*> ControlsWhere(Form& form, Pred pred) {
        std::vector<Control*> out;
        for (const auto& c : form.Controls())
            if (pred(*c)) out.push_back(c.get());
        return out;
    }

    template <typename T>
    T* Any(const std::vector<T*>& v) {
        return v.empty() ? nullptr : v[Below(v.size())];
    }

    std::string Number() {
        static const char* const signs[] = {"", "", "-", "-", "+"};
        std::string sign = signs[Below(5)];
        char buf[512];
        std::to_chars_result r{};
        switch (Below(5)) {
            case 0:
                r = std::to_chars(buf, buf + sizeof buf, static_cast<int>(Below(400)));
                break;
            case 1: {
                const double v = Unit() * std::pow(10.0, static_cast<double>(Below(11)) - 4);
                r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed,
                                  static_cast<int>(Below(7)));
                break;
            }
            case 2: {
                const double v = Unit() * std::pow(10.0, static_cast<double>(Below(41)) - 20);
                r = std::to_chars(buf, buf + sizeof buf, v);
                break;
            }
            case 3: {
                const double v = Unit() * 10;
                r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                                  static_cast<int>(Below(5)));
                std::string t(buf, r.ptr);
                const auto e = t.find('e');
                return sign + t.substr(0, e) + (Chance(50) ? "E" : "e") +
                       std::to_string(static_cast<int>(Below(641)) - 320);
            }
            default: {
                const double v = Unit() * std::pow(10.0, static_cast<double>(Below(200)) + 100);
                r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 0);
                break;
            }
        }
        return sign + std::string(buf, r.ptr);
    }

    std::string Text(Form& form) {
        if (Chance(10)) {
            // Another field's text: equal points, equal angles, a result typed back.
            const auto boxes = ControlsWhere(
                form, [](const Control& c) { return c.Kind() == ControlKind::TextBox; });
            if (Control* c = Any(boxes)) return c->Text;
        }
        if (Chance(45)) return Number();
        const auto& pool = HostileTexts();
        return pool[Below(pool.size())];
    }

    std::optional<Step> Try(Form& form) {
        Step s;
        const size_t roll = Below(100);
        if (roll < 22) {
            s.kind = Kind::Set;
            auto fields = ControlsWhere(form, [](const Control& c) {
                return c.Kind() == ControlKind::TextBox || c.Kind() == ControlKind::ComboBox;
            });
            Control* c = Any(fields);
            if (!c || (c->Locked && Chance(90))) return std::nullopt;
            s.name = c->Name();
            s.text = Text(form);
        } else if (roll < 44) {
            s.kind = roll < 32 ? Kind::Focus : Kind::Leave;
            Control* c =
                Any(ControlsWhere(form, [](const Control& c) { return TakesFocus(c.Kind()); }));
            if (!c) return std::nullopt;
            s.name = c->Name();
        } else if (roll < 56) {
            Control* c = Any(ControlsWhere(
                form, [](const Control& c) { return c.Kind() != ControlKind::Timer; }));
            if (!c) return std::nullopt;
            s.name = c->Name();
            switch (c->Kind()) {
                case ControlKind::ListBox:
                case ControlKind::ComboBox:
                    if (c->Items.empty()) return std::nullopt;
                    s.kind = Kind::Pick;
                    s.a = static_cast<int>(Below(c->Items.size()));
                    break;
                case ControlKind::TabStrip:
                    if (c->Tabs.empty()) return std::nullopt;
                    s.kind = Kind::Pick;
                    s.a = 1 + static_cast<int>(Below(c->Tabs.size()));
                    break;
                case ControlKind::Toolbar:
                    if (c->Buttons.empty()) return std::nullopt;
                    s.kind = Kind::Pick;
                    s.a = 1 + static_cast<int>(Below(c->Buttons.size()));
                    break;
                default:
                    s.kind = Kind::Click;
                    break;
            }
        } else if (roll < 78) {
            s.kind = Kind::Key;
            s.keyName = KeyNames()[Below(KeyNames().size())];
        } else if (roll < 81) {
            s.kind = Kind::Select;
            Control* c = Any(ControlsWhere(form, [](const Control& c) {
                return c.Kind() == ControlKind::TextBox || c.Kind() == ControlKind::ComboBox;
            }));
            if (!c) return std::nullopt;
            s.name = c->Name();
            const size_t len = utf8::Length(c->Text);
            s.a = static_cast<int>(Below(len + 2));
            s.b = static_cast<int>(Below(len + 2));
        } else if (roll < 89) {
            s.kind = Kind::Mouse;
            Control* c = Chance(30) ? nullptr : Any(ControlsWhere(form, [](const Control& c) {
                return c.Kind() == ControlKind::PictureBox;
            }));
            if (!c) {
                s.name = "Form";
            } else {
                // Somewhere over the picture, in its scale; now and then a corner.
                s.name = c->Name();
                const Scale& sc = c->Pic->GetScale();
                const double u = Chance(20) ? static_cast<double>(Below(2)) : Unit();
                const double v = Chance(20) ? static_cast<double>(Below(2)) : Unit();
                s.x = sc.left + u * sc.width;
                s.y = sc.top + v * sc.height;
            }
        } else if (roll < 93) {
            s.kind = Kind::Paint;
        } else if (roll < 97) {
            s.kind = Kind::Tick;
            Control* c = Any(ControlsWhere(
                form, [](const Control& c) { return c.Kind() == ControlKind::Timer; }));
            if (!c) return std::nullopt;
            s.name = c->Name();
        } else if (roll < 98) {
            s.kind = Kind::Clock;
            s.x = Chance(30) ? 86399.95 : std::floor(Unit() * 864000) / 10;
        } else {
            s.kind = Kind::Activate;
        }
        return s;
    }

    // A number a drawing may hold: up to three decimals, within a few hundred.
    std::string Plain() {
        char buf[64];
        const double v = (Unit() - 0.3) * 400;
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed,
                                     static_cast<int>(Below(4)));
        return std::string(buf, r.ptr);
    }

    // Now and then every open field gets a plain number and one is left, so that the windows
    // compute with sound input too before hostile steps disturb it.
    void FillEveryField(Form& form) {
        std::vector<std::string> open;
        for (const auto& c : form.Controls())
            if (c->Kind() == ControlKind::TextBox && !c->Locked) open.push_back(c->Name());
        if (open.empty()) return;
        for (const auto& name : open) {
            Step s;
            s.kind = Kind::Set;
            s.name = name;
            s.text = Plain();
            pending_.push_back(s);
        }
        Step leave;
        leave.kind = Kind::Leave;
        leave.name = open[Below(open.size())];
        pending_.push_back(leave);
    }

    std::mt19937_64 rng_;
    std::deque<Step> pending_;
};

// The text a key leaves in a field, as the field edits it when no handler cancels the key.
std::string Edited(const Control& c, const Key& key) {
    std::string t = c.Text;
    const size_t len = utf8::Length(t);
    size_t start = std::min<size_t>(static_cast<size_t>(std::max(c.SelStart, 0)), len);
    size_t count = std::min<size_t>(static_cast<size_t>(std::max(c.SelLength, 0)), len - start);
    const size_t from = utf8::Offset(t, start);
    if (key.keyCode == keys::Backspace) {
        if (count == 0 && start > 0) --start, count = 1;
        const size_t b = utf8::Offset(t, start);
        t.erase(b, utf8::Offset(t, start + count) - b);
    } else if (!key.text.empty()) {
        t.replace(from, utf8::Offset(t, start + count) - from, key.text);
    }
    return t;
}

// A host whose waits let other events run, as the window system's do: WaitSeconds in a
// handler (a button's flash) may see a click or a key of the user before it returns.
class WaitingHost : public RecordingHost {
public:
    void Wait(double seconds) override {
        RecordingHost::Wait(seconds);
        if (duringWait) duringWait();
    }
    std::function<void()> duringWait;
};

uint64_t NameHash(const std::string& s) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

// One window driven by random steps, reopened as the launcher does whenever it closes.
class WindowRun {
public:
    WindowRun(const WindowInfo& info, uint64_t seed, size_t steps)
        : info_(info), seed_(seed), steps_(steps), gen_(seed ^ NameHash(info.className)) {
        m_.ControlRoot = folder_.Path();
        m_.ProgramFolder = folder_.Path();
        m_.OnControl = gen_.Chance(50);
        host_.duringWait = [this] { StepDuringWait(); };
    }

    void Go() {
        if (!Open()) return;
        for (size_t i = 0; i < steps_; ++i) {
            const Step step = gen_.Next(*form_);
            Remember(step);
            std::string escaped;
            try {
                Deliver(step);
            } catch (const std::exception& e) {
                escaped = std::string("an exception left the step: ") + e.what();
            } catch (...) {
                escaped = "an unknown exception left the step";
            }
            if (!escaped.empty()) return Fail(i, escaped);
            const std::string broken = Violation(*form_, host_, typed_, design_, overflowPrints_);
            if (!broken.empty()) return Fail(i, broken);
            if ((form_->Unloaded() || host_.ended) && !Open()) return;
        }
        std::cout << "[ random   ] " << info_.className << ": " << steps_ << " steps, " << reopened_
                  << " reopenings, " << resultsChecked_ << " checks of result texts\n";
    }

private:
    // Creates and shows the window; false when it closes at once and cannot be driven.
    bool Open() {
        form_.reset();
        host_.ended = false;
        typed_.Clear();
        overflowPrints_.clear();
        try {
            form_ = info_.create(m_);
            design_ = DesignTexts(*form_);
            form_->Load();
            form_->Activate();
        } catch (const std::exception& e) {
            Fail(0, std::string("opening the window raised: ") + e.what());
            return false;
        }
        const std::string broken = Violation(*form_, host_, typed_, design_);
        if (!broken.empty()) {
            Fail(0, "after opening: " + broken);
            return false;
        }
        if (form_->Unloaded() || host_.ended) {
            std::cout << "[ random   ] " << info_.className << " closes as it opens\n";
            return false;
        }
        ++reopened_;
        return true;
    }

    void Deliver(const Step& s) {
        Form& f = *form_;
        switch (s.kind) {
            case Kind::Set:
                f.DeliverSetText(s.name, s.text);
                typed_.Add(s.text);
                break;
            case Kind::Focus:
                f.DeliverFocus(s.name);
                break;
            case Kind::Leave:
                f.DeliverLeave(s.name);
                break;
            case Kind::Click:
                f.DeliverClick(s.name);
                break;
            case Kind::Pick:
                f.DeliverPick(s.name, s.a);
                break;
            case Kind::Key: {
                const std::optional<Key> key = ParseKey(s.keyName);
                ASSERT_TRUE(key) << s.keyName;
                const std::string target = f.Focus();
                Control* c = target.empty() ? nullptr : f.Find(target);
                const bool edits =
                    c && !c->Locked &&
                    (c->Kind() == ControlKind::TextBox || c->Kind() == ControlKind::ComboBox);
                const std::string expected = edits ? Edited(*c, *key) : "";
                const bool passed = f.DeliverKey(*key, true);
                if (edits && passed) typed_.Add(expected);
                break;
            }
            case Kind::Select:
                f.DeliverSelect(s.name, s.a, s.b);
                break;
            case Kind::Mouse:
                f.DeliverMouseMove(s.name, s.x, s.y);
                // What the readout shows beyond single precision is the window's own choice;
                // it only must not end the program.
                if (s.name != "Form" &&
                    !(std::fabs(s.x) * 2000 < 3.4e38 && std::fabs(s.y) * 2000 < 3.4e38)) {
                    for (const auto& c : f.Controls())
                        if (c->Pic) overflowPrints_[c->Name()] = c->Pic->Revision();
                }
                break;
            case Kind::Paint:
                f.DeliverPaint();
                break;
            case Kind::Tick:
                f.DeliverTick(s.name);
                break;
            case Kind::Clock:
                host_.clock = s.x;
                break;
            case Kind::Activate:
                f.Activate();
                break;
        }
        for (const auto& c : f.Controls())
            if (c->Kind() == ControlKind::TextBox && !c->Text.empty()) {
                if (c->Locked || !typed_.HasText(c->Text)) ++resultsChecked_;
            }
    }

    // Now and then one more step while a handler waits; it runs inside the waiting handler.
    void StepDuringWait() {
        if (waitDepth_ > 1 || !gen_.Chance(50)) return;
        ++waitDepth_;
        const Step step = gen_.Next(*form_);
        recent_.push_back("  (while the window waits) " + Describe(step));
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{waitDepth_};
        Deliver(step);
    }

    void Remember(const Step& s) {
        recent_.push_back(Describe(s));
        if (recent_.size() > 40) recent_.pop_front();
    }

    void Fail(size_t index, const std::string& what) {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        std::ostringstream msg;
        msg << info_.className << ", step " << index + 1 << " of " << steps_ << ": " << what
            << "\nseed " << seed_ << ": repeat with QUILLON_RANDOM_SEED=" << seed_
            << " QUILLON_RANDOM_STEPS=" << steps_ << " quillon_core_tests --gtest_filter='"
            << test->test_suite_name() << "." << test->name() << "'"
            << "\nOnControl " << (m_.OnControl ? "true" : "false") << "; the last steps:";
        for (const auto& d : recent_) msg << "\n  " << d;
        ADD_FAILURE() << msg.str();
    }

    const WindowInfo& info_;
    uint64_t seed_;
    size_t steps_;
    Generator gen_;
    testkit::TempDir folder_;  // the window's control root and program folder
    WaitingHost host_;
    DiskFiles files_;
    Module1 m_{host_, files_};
    std::unique_ptr<Form> form_;
    Typed typed_;
    std::set<std::string> design_;
    std::deque<std::string> recent_;
    int reopened_ = -1;  // the first opening is no reopening
    size_t resultsChecked_ = 0;
    OverflowPrints overflowPrints_;
    int waitDepth_ = 0;
};

class RandomEvents : public testing::TestWithParam<std::string> {};

TEST_P(RandomEvents, KeepTheInvariants) {
    const WindowInfo* info = FindWindowInfo(GetParam());
    ASSERT_NE(info, nullptr);
    WindowRun(*info, Seed(), StepCount()).Go();
}

INSTANTIATE_TEST_SUITE_P(Registered, RandomEvents, testing::ValuesIn(BuiltWindowClasses()),
                         [](const auto& info) {
                             std::string name;
                             for (char c : info.param)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// The figure view's shared code (scales fitted to the input, model drawing, the readout, the
// plane switch, no-solution text) and the control kinds no built window has yet (lists, a
// combo box, a tab strip, a timer, key preview, a wait in a handler) under the same steps:
// the point where the ray from the origin through (Text1, Text2) meets the circle of radius
// Text3 about the origin.
class FigureProbe : public FigureWindow {
public:
    explicit FigureProbe(Module1& m)
        : FigureWindow(m, "FigureProbe", "probe", 1450, 950, Topmost::AtLoad) {
        TextBox("Text1");
        TextBox("Text2");
        TextBox("Text3");
        TextBox("Text4").Result();
        TextBox("Text5").Result();
        Label("Label1", "Z");
        Option("OptionXZ", "Ｘ-Ｚ", true);
        Option("OptionXY", "Ｘ－Ｙ");
        Check("Check1", "手前に表示", true);
        Button("Command1", "X Z コピー");
        Button("Command2", "閉じる");
        Button("Command3", "再計算");
        DeclareFigure("Label9");
        Add("List1", ControlKind::ListBox).Items = {"0.5", "1e300", "-", "１２"};
        Add("Combo1", ControlKind::ComboBox).Items = {"10", "1e999", ""};
        Add("TabStrip1", ControlKind::TabStrip).Tabs = {"A", "B", "C"};
        Add("Timer1", ControlKind::Timer).Interval = 0.05;
        Label("Label2", "0");
        KeyPreview = true;
        OnKey(kForm, Event::KeyPress, [](KeyArgs& k) {
            if (k.keyAscii == '*') k.keyAscii = 0;
        });
        // Picks put their text into the radius, and the timer counts its ticks as NC text.
        On("List1", Event::Click, [this] {
            SetText("Text3",
                    (*this)["List1"].Items[static_cast<size_t>((*this)["List1"].ListIndex)]);
            RunRecalculate();
        });
        On("Combo1", Event::Change, [this] { SetText("Text3", Text("Combo1")); });
        On("TabStrip1", Event::Click,
           [this] { (*this)["Label2"].Text = NcNumber((*this)["TabStrip1"].SelectedTab * 0.5); });
        On("Timer1", Event::Timer,
           [this] { (*this)["Label2"].Text = ResultText(ReadNumber(Text("Label2")) + 0.05); });
        EnterChain({{"Text1", "Text2"}, {"Text2", "Text3"}, {"Text3", "Command1"}});
        RecalculateOnLeave({"Text1", "Text2", "Text3"});
        RedrawOnPictureFocus();
        TopmostBox("Check1");
        PlaneSwitch({"Label1", "Command1"}, nullptr, [this] { RunRecalculate(); });
        CopyButton("Command1", [this] { return PairText("Text4", "Text5"); });
        CloseButton("Command2");
        // A pressed button flashes, and other events run while it waits.
        On("Command3", Event::Click, [this] {
            (*this)["Command3"].BackColor = colors::ButtonShadow;
            M().WaitSeconds(0.1);
            (*this)["Command3"].BackColor = colors::ButtonFace;
            RunRecalculate();
        });
    }

    void Recalculate() override {
        Figure().Cls();
        if (Text("Text1").empty() || Text("Text2").empty() || Text("Text3").empty()) {
            FigureScale();
            return;
        }
        const double h = ReadNumber(Text("Text1"));
        const double v = chk::div(ReadNumber(Text("Text2")), InXY() ? 1 : 2);
        const double r = ReadNumber(Text("Text3"));
        const double k = chk::div(r, chk::sqrt(chk::add(chk::mul(h, h), chk::mul(v, v))));
        const double ph = chk::mul(h, k), pv = chk::mul(v, k);
        SetText("Text4", ResultText(InXY() ? pv : chk::mul(2, pv)));
        SetText("Text5", ResultText(ph));
        const double w = chk::mul(4, std::max({std::fabs(h), std::fabs(v), std::fabs(r), 1e-3}));
        ScaleToWidth(-w / 2, -w / 2 * kFigureHeight / kFigureWidth, w);
        ModelLine(0, 0, h, v, colors::Given);
        ModelCircle(0, 0, std::fabs(r), colors::Given);
        ModelCross(ph, pv, w / 100, colors::Result);
        ModelCircle(0, 0, w / 1000, colors::Result);
        ModelLabel(ph, pv, "1", colors::Label);
    }

protected:
    void Form_Paint() override { RunRecalculate(); }
};

TEST(RandomEventsProbe, FigureViewKeepsTheInvariants) {
    const WindowInfo probe{"FigureProbe", "", "", "",
                           [](Module1& m) { return std::make_unique<FigureProbe>(m); }};
    WindowRun(probe, Seed(), StepCount()).Go();
}

TEST(RandomEventsInput, TypesNoLetterN) {
    // "inf" and "nan" in a field must come from the window, never from the test's typing.
    for (const auto& t : HostileTexts()) EXPECT_EQ(t.find_first_of("nN"), std::string::npos) << t;
    for (const auto& k : KeyNames()) {
        if (k.size() == 1) {
            EXPECT_EQ(k.find_first_of("nN"), std::string::npos) << k;
        }
    }
}

// ---- the invariants catch a window that breaks them ----

class BrokenWindow : public ToolWindow {
public:
    explicit BrokenWindow(Module1& m)
        : ToolWindow(m, "BrokenWindow", "broken", 0, 0, Topmost::AtLoad) {
        TextBox("Text1");
        TextBox("Text2").Result();
        Label("Label1", "Info: nan is no number");
        PictureBox("Picture1");
    }
    void Put(const std::string& name, const std::string& text) { SetText(name, text); }
    void ZeroScale() { (*this)["Picture1"].Pic = std::make_unique<Picture>(0, 18); }
    Picture& Drawing() { return Pic("Picture1"); }
};

enum class Drawing {
    None,
    ZeroScale,        // a picture of no size
    InfPrint,         // "X Inf" printed
    OverflowReadout,  // the same, as the readout of a mouse position beyond single precision
    RedrawnReadout,   // ... and then drawn again
};

struct BrokenRow {
    const char* name;
    const char* field;  // field the window writes, or "" for none
    const char* text;   // what it writes
    const char* typed;  // what the test typed into some field, or nullptr
    const char* clipboard;
    Drawing drawing;
    bool broken;  // the invariants must report it

    friend void PrintTo(const BrokenRow& row, std::ostream* os) { *os << row.name; }
};

class Invariants : public testing::TestWithParam<BrokenRow> {};

TEST_P(Invariants, ReportWhatAWindowMustNotShow) {
    const BrokenRow& row = GetParam();
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    BrokenWindow w(m);
    const auto design = DesignTexts(w);
    Typed typed;
    OverflowPrints overflow;
    if (*row.field) w.Put(row.field, row.text);
    if (row.typed) typed.Add(row.typed);
    if (row.clipboard) host.clipboard = row.clipboard;
    if (row.drawing == Drawing::ZeroScale) w.ZeroScale();
    if (row.drawing >= Drawing::InfPrint) w.Drawing().Print("X Inf  Z 1 ");
    if (row.drawing >= Drawing::OverflowReadout) overflow["Picture1"] = w.Drawing().Revision();
    if (row.drawing == Drawing::RedrawnReadout) w.Drawing().Print("X Inf  Z 2 ");
    const std::string violation = Violation(w, host, typed, design, overflow);
    EXPECT_EQ(!violation.empty(), row.broken) << violation;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Invariants,
    testing::Values(
        BrokenRow{"NothingWritten", "", "", nullptr, nullptr, Drawing::None, false},
        BrokenRow{"InfinityInAResult", "Text2", "inf", nullptr, nullptr, Drawing::None, true},
        BrokenRow{"NanInAnyCase", "Text2", "-NaN", nullptr, nullptr, Drawing::None, true},
        BrokenRow{"NonFiniteInAnOpenField", "Text1", "1.#INF", nullptr, nullptr, Drawing::None,
                  true},
        BrokenRow{"SinglePrecisionExponent", "Text2", "1.234568E+07", nullptr, nullptr,
                  Drawing::None, true},
        BrokenRow{"ExponentInsideAResult", "Text2", "X1.5e-3 Z2", nullptr, nullptr, Drawing::None,
                  true},
        BrokenRow{"ExponentFromTenToTheFifteen", "Text2", "1E+15", nullptr, nullptr, Drawing::None,
                  false},
        BrokenRow{"ExponentOfAHugeResult", "Text2", "-1.5E+300", nullptr, nullptr, Drawing::None,
                  false},
        BrokenRow{"ExponentTypedByTheUser", "Text1", "1e5", "1e5", nullptr, Drawing::None, false},
        BrokenRow{"TypedNumberEchoedIntoAResult", "Text2", "(-1.5E12)", "1.5e12", nullptr,
                  Drawing::None, false},
        BrokenRow{"TypedFieldRewrittenByTheWindow", "Text1", "2E+03", "2000", nullptr,
                  Drawing::None, true},
        BrokenRow{"OpenFieldWrittenByTheWindow", "Text1", "3.5e2", nullptr, nullptr, Drawing::None,
                  true},
        BrokenRow{"WordsAreNoExponent", "Text2", "Error E5 e-3", nullptr, nullptr, Drawing::None,
                  false},
        BrokenRow{"ACaptionIsTheWindowsOwn", "Label1", "Info: nan is no number", nullptr, nullptr,
                  Drawing::None, false},
        BrokenRow{"NanOnTheClipboard", "", "", nullptr, "X nan", Drawing::None, true},
        BrokenRow{"PictureOfNoSize", "", "", nullptr, nullptr, Drawing::ZeroScale, true},
        BrokenRow{"InfinityPrinted", "", "", nullptr, nullptr, Drawing::InfPrint, true},
        BrokenRow{"ReadoutBeyondSinglePrecision", "", "", nullptr, nullptr,
                  Drawing::OverflowReadout, false},
        BrokenRow{"ReadoutDrawnAgain", "", "", nullptr, nullptr, Drawing::RedrawnReadout, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
