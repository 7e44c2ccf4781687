// The steps of quillon-cli: parsing and running them against a form.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "shell/form.h"

namespace quillon::cli {

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

}  // namespace quillon::cli
