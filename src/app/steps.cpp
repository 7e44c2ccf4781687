#include "app/steps.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <ostream>

namespace quillon {
namespace {

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

[[noreturn]] void Malformed(const std::string& step, const std::string& why) {
    throw UsageError("malformed step " + Quoted(step) + ": " + why);
}

int ParseInt(const std::string& step, const std::string& s) {
    int v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        Malformed(step, Quoted(s) + " is not a whole number");
    return v;
}

double ParseDouble(const std::string& step, const std::string& s) {
    double v = 0;
    const char* first = s.data();
    if (!s.empty() && s[0] == '+') ++first;
    const auto res = std::from_chars(first, s.data() + s.size(), v);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v))
        Malformed(step, Quoted(s) + " is not a number");
    return v;
}

// "NAME=VALUE" -> {NAME, VALUE}; the name must not be empty.
std::pair<std::string, std::string> NameValue(const std::string& step, const std::string& arg,
                                              bool valueRequired) {
    const auto eq = arg.find('=');
    std::string name = arg.substr(0, eq);
    if (name.empty()) Malformed(step, "a control name is needed");
    if (eq == std::string::npos) {
        if (valueRequired) Malformed(step, "expected NAME=VALUE");
        return {name, ""};
    }
    return {name, arg.substr(eq + 1)};
}

std::string NameOnly(const std::string& step, const std::string& arg) {
    if (arg.empty()) Malformed(step, "a control name is needed");
    if (arg.find('=') != std::string::npos) Malformed(step, "takes a control name only");
    return arg;
}

}  // namespace

Step ParseStep(const std::string& text) {
    if (text == "paint") return PaintStep{};
    const auto colon = text.find(':');
    if (colon == std::string::npos) Malformed(text, "expected KIND:ARGUMENT or paint");
    const std::string kind = text.substr(0, colon);
    const std::string arg = text.substr(colon + 1);

    if (kind == "set") {
        auto [name, value] = NameValue(text, arg, true);
        return SetStep{name, value};
    }
    if (kind == "focus") return FocusStep{NameOnly(text, arg)};
    if (kind == "leave") return LeaveStep{NameOnly(text, arg)};
    if (kind == "tick") return TickStep{NameOnly(text, arg)};
    if (kind == "click") {
        if (arg.find('=') == std::string::npos) return ClickStep{NameOnly(text, arg), std::nullopt};
        auto [name, value] = NameValue(text, arg, true);
        return ClickStep{name, ParseInt(text, value)};
    }
    if (kind == "key") {
        const auto key = ParseKey(arg);
        if (!key)
            Malformed(text,
                      "a key is one character, Ctrl+ and a letter, or Enter, Esc, Backspace, "
                      "Tab, Shift, Up, Down, Left, Right");
        return KeyStep{*key};
    }
    if (kind == "select") {
        auto [name, value] = NameValue(text, arg, true);
        const auto comma = value.find(',');
        if (comma == std::string::npos) Malformed(text, "expected NAME=START,LENGTH");
        return SelectStep{name, ParseInt(text, value.substr(0, comma)),
                          ParseInt(text, value.substr(comma + 1))};
    }
    if (kind == "mouse") {
        if (arg == "Form") return MouseStep{"Form"};
        auto [name, value] = NameValue(text, arg, true);
        const auto comma = value.find(',');
        if (comma == std::string::npos) Malformed(text, "expected NAME=X,Y");
        return MouseStep{name, ParseDouble(text, value.substr(0, comma)),
                         ParseDouble(text, value.substr(comma + 1))};
    }
    if (kind == "clock") return ClockStep{ParseDouble(text, arg)};
    if (kind == "dblclick") {
        if (arg.find('=') == std::string::npos) return DblClickStep{NameOnly(text, arg), {}};
        auto [name, value] = NameValue(text, arg, true);
        return DblClickStep{name, ParseInt(text, value)};
    }
    if (kind == "menu") {
        if (arg.empty()) Malformed(text, "a menu entry is needed");
        return MenuStep{arg};
    }
    if (kind == "open") return OpenStep{NameOnly(text, arg)};
    if (kind == "answer") {
        if (arg != "yes" && arg != "no") Malformed(text, "the answer is yes or no");
        return AnswerStep{arg == "yes"};
    }
    Malformed(text, "unknown step kind " + Quoted(kind));
}

void RunStep(Form& form, const Step& step, const std::function<void(double)>& setClock) {
    std::visit(
        [&](const auto& s) {
            using T = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<T, SetStep>)
                form.DeliverSetText(s.name, s.text);
            else if constexpr (std::is_same_v<T, FocusStep>)
                form.DeliverFocus(s.name);
            else if constexpr (std::is_same_v<T, LeaveStep>)
                form.DeliverLeave(s.name);
            else if constexpr (std::is_same_v<T, ClickStep>) {
                if (s.index)
                    form.DeliverPick(s.name, *s.index);
                else
                    form.DeliverClick(s.name);
            } else if constexpr (std::is_same_v<T, KeyStep>)
                form.DeliverKey(s.key, true);
            else if constexpr (std::is_same_v<T, SelectStep>)
                form.DeliverSelect(s.name, s.start, s.length);
            else if constexpr (std::is_same_v<T, MouseStep>)
                form.DeliverMouseMove(s.name, s.x, s.y);
            else if constexpr (std::is_same_v<T, PaintStep>)
                form.DeliverPaint();
            else if constexpr (std::is_same_v<T, ClockStep>) {
                if (setClock) setClock(s.seconds);
            } else if constexpr (std::is_same_v<T, TickStep>)
                form.DeliverTick(s.name);
            else if constexpr (std::is_same_v<T, DblClickStep>)
                form.DeliverDblClick(s.name, s.index);
            else if constexpr (std::is_same_v<T, MenuStep>)
                form.DeliverMenu(s.entry);
        },
        step);
}

namespace {

// The line without the blanks (spaces, tabs, a CR of a CR LF file) around it.
std::string Trimmed(const std::string& line) {
    constexpr const char* kBlanks = " \t\r";
    const size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

StepsByWindow ReadSteps(std::istream& in,
                        const std::function<void(int line, const std::string& why)>& malformed) {
    StepsByWindow steps;
    std::string line, window;
    for (int number = 1; std::getline(in, line); ++number) {
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            window = line.substr(1, line.size() - 2);
            continue;
        }
        try {
            steps[window].push_back(ParseStep(line));
        } catch (const UsageError& e) {
            if (malformed) malformed(number, e.what());
        }
    }
    return steps;
}

std::optional<StepsByWindow> ReadStepsFile(const std::filesystem::path& path,
                                           const std::string& program, std::ostream& err) {
    std::ifstream in(path);
    if (!in) {
        err << program << ": cannot read " << path.string() << "\n";
        return std::nullopt;
    }
    return ReadSteps(in, [&](int line, const std::string& why) {
        err << program << ": " << path.string() << ":" << line << ": " << why << "\n";
    });
}

const std::vector<Step>& StepsOf(const StepsByWindow& steps, const std::string& window) {
    static const std::vector<Step> kNone;
    const auto it = steps.find(window);
    return it == steps.end() ? kNone : it->second;
}

}  // namespace quillon
