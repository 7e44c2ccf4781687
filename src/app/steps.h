// Steps: a user's events written as text ("set:Text1=0.8", "key:Enter", "click:Command1"),
// parsed once and delivered to a window. quillon-cli takes them as arguments; the screenshot
// programs of both fronts read them from a steps file, one section per window.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "shell/form.h"

namespace quillon {

struct SetStep {
    std::string name, text;
};
struct FocusStep {
    std::string name;
};
struct LeaveStep {
    std::string name;
};
struct ClickStep {
    std::string name;
    std::optional<int> index;
};
struct KeyStep {
    Key key;
};
struct SelectStep {
    std::string name;
    int start, length;
};
struct MouseStep {
    std::string name;
    double x = 0, y = 0;
};
struct PaintStep {};
struct ClockStep {
    double seconds;
};
struct TickStep {
    std::string name;
};

struct DblClickStep {
    std::string name;
    std::optional<int> index;
};
struct MenuStep {
    std::string entry;
};
// Steps of the run rather than of a window: the runner takes them (RunStep ignores them).
struct OpenStep {
    std::string window;
};
struct AnswerStep {
    bool yes;
};

using Step =
    std::variant<SetStep, FocusStep, LeaveStep, ClickStep, KeyStep, SelectStep, MouseStep,
                 PaintStep, ClockStep, TickStep, DblClickStep, MenuStep, OpenStep, AnswerStep>;

// Parses one step; throws UsageError with a one-line reason when it is malformed.
Step ParseStep(const std::string& text);

// Delivers one step to a form as the user's event. A clock step calls `setClock` (when given).
// Throws UsageError for a step the named control cannot take.
void RunStep(Form& form, const Step& step, const std::function<void(double)>& setClock = {});

// The steps of a steps file, by window ("[frmNoseR]" starts a window's section).
using StepsByWindow = std::map<std::string, std::vector<Step>>;

// Reads a steps file: one section per window, one step per line; blank lines and lines that
// start with "#" are skipped, blanks around a line do not count. A malformed line is reported
// through `malformed` (its number, from 1, and the reason) and skipped.
StepsByWindow ReadSteps(std::istream& in,
                        const std::function<void(int line, const std::string& why)>& malformed);

// Reads the steps file at `path`; a problem goes to `err` as one line starting with `program`
// ("quillon-shots: cannot read FILE", "quillon-shots: FILE:3: malformed step ...").
// Nothing when the file cannot be read.
std::optional<StepsByWindow> ReadStepsFile(const std::filesystem::path& path,
                                           const std::string& program, std::ostream& err);

// The steps of one window; none when the file has no section for it.
const std::vector<Step>& StepsOf(const StepsByWindow& steps, const std::string& window);

}  // namespace quillon
