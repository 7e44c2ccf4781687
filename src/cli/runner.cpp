#include "cli/runner.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "app/recording_host.h"
#include "app/registry.h"
#include "app/startup.h"
#include "app/steps.h"
#include "cli/session.h"
#include "machining/machine_table.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "shell/native_path.h"

namespace quillon::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kUsage =
    "usage: quillon-cli [--on-control] [--control-root DIR] [--program-folder DIR] WINDOW "
    "[STEP "
    "...]"
    " | quillon-cli --list";

// A message for standard error on one line: user text may hold line breaks and other control
// characters, which are shown as C escapes.
std::string OneLine(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// Whole numbers print without a fraction ("8835", not "8835.0").
Json Number(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9007199254740992.0)
        return static_cast<long long>(v);
    return v;
}

const char* StyleName(DrawStyle s) {
    switch (s) {
        case DrawStyle::Dot:
            return "dot";
        case DrawStyle::DashDot:
            return "dashdot";
        case DrawStyle::Solid:
            break;
    }
    return "solid";
}

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return "critical";
        case MessageIcon::Warning:
            return "warning";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Question:
            return "question";
        case MessageIcon::None:
            break;
    }
    return "none";
}

Json PictureJson(const Picture& pic) {
    Json ops = Json::array();
    for (const DrawOp& op : pic.Ops()) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, ScaleOp>) {
                    ops.push_back({{"op", "scale"},
                                   {"left", Number(o.scale.left)},
                                   {"top", Number(o.scale.top)},
                                   {"width", Number(o.scale.width)},
                                   {"height", Number(o.scale.height)}});
                } else if constexpr (std::is_same_v<T, LineOp>) {
                    ops.push_back({{"op", "line"},
                                   {"x1", Number(o.x1)},
                                   {"y1", Number(o.y1)},
                                   {"x2", Number(o.x2)},
                                   {"y2", Number(o.y2)},
                                   {"color", o.color.Name()},
                                   {"style", StyleName(o.style)}});
                } else if constexpr (std::is_same_v<T, CircleOp>) {
                    ops.push_back({{"op", "circle"},
                                   {"x", Number(o.x)},
                                   {"y", Number(o.y)},
                                   {"r", Number(o.r)},
                                   {"color", o.color.Name()},
                                   {"style", StyleName(o.style)}});
                } else if constexpr (std::is_same_v<T, ArcOp>) {
                    ops.push_back({{"op", "arc"},
                                   {"x", Number(o.x)},
                                   {"y", Number(o.y)},
                                   {"r", Number(o.r)},
                                   {"start", Number(o.start)},
                                   {"sweep", Number(o.sweep)},
                                   {"color", o.color.Name()},
                                   {"style", StyleName(o.style)}});
                } else if constexpr (std::is_same_v<T, PointOp>) {
                    ops.push_back({{"op", "point"},
                                   {"x", Number(o.x)},
                                   {"y", Number(o.y)},
                                   {"color", o.color.Name()}});
                } else {
                    ops.push_back({{"op", "print"},
                                   {"x", Number(o.x)},
                                   {"y", Number(o.y)},
                                   {"text", o.text},
                                   {"color", o.color.Name()}});
                }
            },
            op);
    }
    return ops;
}

}  // namespace

std::string StateJson(Form& form, const RecordingHost& host) {
    Json j;
    j["window"] = form.ClassName();
    j["caption"] = form.Caption;
    Json texts = Json::object(), values = Json::object(), disabled = Json::array(),
         hidden = Json::array(), locked = Json::array(), lists = Json::object(),
         pictures = Json::object();
    for (const auto& c : form.Controls()) {
        if (ShowsText(c->Kind())) texts[c->Name()] = c->Text;
        if (c->Kind() == ControlKind::OptionButton || c->Kind() == ControlKind::CheckBox)
            values[c->Name()] = c->Value;
        if (!c->Enabled) disabled.push_back(c->Name());
        if (!c->Visible) hidden.push_back(c->Name());
        if (c->Locked) locked.push_back(c->Name());
        if (c->Kind() == ControlKind::ListBox || c->Kind() == ControlKind::ComboBox)
            lists[c->Name()] = c->Items;
        if (c->Pic) pictures[c->Name()] = PictureJson(*c->Pic);
    }
    j["texts"] = texts;
    j["values"] = values;
    j["disabled"] = disabled;
    j["hidden"] = hidden;
    j["locked"] = locked;
    j["focus"] = form.Focus().empty() ? Json(nullptr) : Json(form.Focus());
    j["clipboard"] = host.clipboard ? Json(*host.clipboard) : Json(nullptr);
    j["activations"] = host.activations.size();
    Json messages = Json::array();
    for (const auto& m : host.messages)
        messages.push_back({{"icon", IconName(m.icon)}, {"title", m.title}, {"text", m.text}});
    j["messages"] = messages;
    j["unloaded"] = form.Unloaded();
    j["lists"] = lists;
    j["pictures"] = pictures;
    // Only a window with a pop-up menu (the launcher) has this key.
    if (!form.MenuEntries.empty()) j["menu"] = form.MenuEntries;
    return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

int Run(const std::vector<std::string>& args, const std::string& exeFolder, std::ostream& out,
        std::ostream& err) {
    bool onControl = false;
    std::optional<std::string> controlRoot;
    std::string programFolder = exeFolder;
    std::optional<DateTime> now;
    std::optional<std::string> saveAs, copyLogPath;
    bool programFolderGiven = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--list") {
            if (args.size() != 1) {
                err << "quillon-cli: --list takes no other argument\n";
                return 2;
            }
            for (const std::string& name : BuiltWindowClasses()) out << name << "\n";
            return 0;
        }
        if (a == "--on-control") {
            onControl = true;
        } else if (a == "--now" || a == "--save-as" || a == "--copy-log") {
            if (i + 1 >= args.size()) {
                err << "quillon-cli: " << a
                    << (a == "--now" ? " needs a date and time, 2026-12-08T15:04:05\n"
                                     : " needs a file\n");
                return 2;
            }
            const std::string& value = args[++i];
            if (a == "--now") {
                now = ParseIsoDateTime(value);
                if (!now) {
                    err << "quillon-cli: --now " << OneLine(value)
                        << " is no date and time like 2026-12-08T15:04:05\n";
                    return 2;
                }
            } else if (a == "--save-as") {
                saveAs = value;
            } else {
                copyLogPath = value;
            }
        } else if (a == "--control-root" || a == "--program-folder") {
            if (i + 1 >= args.size()) {
                err << "quillon-cli: " << a << " needs a folder\n";
                return 2;
            }
            if (a == "--control-root") {
                controlRoot = args[++i];
            } else {
                programFolder = args[++i];
                programFolderGiven = true;
            }
        } else if (a.rfind("--", 0) == 0) {
            err << "quillon-cli: unknown option " << OneLine(a) << "; " << kUsage << "\n";
            return 2;
        } else {
            break;
        }
    }
    if (i >= args.size()) {
        err << "quillon-cli: no window named; " << kUsage << "\n";
        return 2;
    }
    const std::string windowName = args[i++];
    const WindowInfo* info = FindWindowInfo(windowName);
    if (!info || !info->create) {
        err << "quillon-cli: unknown window '" << OneLine(windowName)
            << "' (quillon-cli --list names them)\n";
        return 2;
    }

    std::vector<Step> steps;
    try {
        for (; i < args.size(); ++i) steps.push_back(ParseStep(args[i]));
    } catch (const UsageError& e) {
        err << "quillon-cli: " << OneLine(e.what()) << "\n";
        return 2;
    }

    // The copy log is opened before anything runs: a file that cannot be appended to is bad
    // usage, reported before any window opens.
    std::ofstream copyLog;
    if (copyLogPath) {
        copyLog.open(PathFromUtf8(*copyLogPath), std::ios::binary | std::ios::app);
        if (!copyLog) {
            err << "quillon-cli: cannot open the copy log '" << OneLine(*copyLogPath)
                << "' for appending\n";
            return 2;
        }
    }

    RecordingHost host;
    if (now) {
        host.startDate = DateTime{now->year, now->month, now->day};
        host.clock = now->hour * 3600.0 + now->minute * 60.0 + now->second;
    }
    host.saveAs = saveAs;
    DiskFiles files;
    Module1 m(host, files);
    m.ControlRoot = controlRoot ? PathFromUtf8(*controlRoot) : DefaultControlRoot();
    m.ProgramFolder = PathFromUtf8(programFolder);
    // --program-folder names the one folder to use; otherwise the machine table is looked for
    // as the launcher looks for it.
    if (!programFolderGiven) m.MachineTableFolders = MachineTableFolders(m.ProgramFolder);
    if (onControl)
        m.OnControl = true;
    else
        m.DetectControl();

    if (copyLogPath)
        m.copyLog.Subscribe([&copyLog](const CopyEntry* added) {
            if (added) copyLog << CopyJsonLine(*added) << '\n' << std::flush;
        });

    Session session(m, info->create(m));
    try {
        StartWindow(session.First(), nullptr);
        for (const Step& step : steps) {
            if (host.ended) break;
            if (const auto* open = std::get_if<OpenStep>(&step)) {
                session.Open(open->window);
                continue;
            }
            if (const auto* answer = std::get_if<AnswerStep>(&step)) {
                host.answers.push_back(answer->yes);
                continue;
            }
            // The steps after a window unloads go nowhere, unless an open: step follows.
            if (session.Current().Unloaded()) continue;
            RunStep(session.Current(), step, [&host](double seconds) { host.clock = seconds; });
        }
    } catch (const UsageError& e) {
        err << "quillon-cli: " << OneLine(e.what()) << "\n";
        return 2;
    }
    out << StateJson(session.Current(), host) << "\n";
    return 0;
}

}  // namespace quillon::cli
