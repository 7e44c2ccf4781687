// quillon_win32_soak.exe: the driver of the soak test of Quillon.exe under Wine (tools/soak
// --front wine). It starts Quillon.exe beside itself and uses it for the given minutes as people
// do, with real input (SendInput): every window opened in turn from the launcher's toolbar and
// its "more" menu, numbers, junk and very long texts typed into the fields, Enter, Tab and the
// arrows, the buttons clicked (copies among them), the mouse moved over the figures, the
// stopwatch started, split and stopped, windows closed and opened again, the launcher's topmost
// box ticked off and on. The input of a window is seeded by the seed and the window, so every
// cycle sends the same input and resident memory can be compared from cycle to cycle.
//
//   quillon_win32_soak --minutes M [--seed S] [--pace P] [--hang-ms N] [--windows a,b]
//
// A hang is a window of the program that does not answer a message (SendMessageTimeout,
// SMTO_ABORTIFHUNG) within --hang-ms (5000). Lines on standard output, for tools/soak:
//
//   cycle N events=E copies=C rss_kb=R private_kb=P seconds=T
//   fail hang: ... | fail crash: ... | fail ...
//   end events=E copies=C status=S
//
// Exit status 0 when Quillon ran through and ended with status 0 from its end button.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <stdexcept>

#include "app/registry.h"
#include "quillon_run.h"
#include "wine_driver.h"

namespace quillon::wine {
namespace {

const std::vector<std::string> kNumbers = {
    "12.5",        "0",        "-3",         "100", "0.001",  "-0.004", "1e308",
    "99999999999", "３５．２", "1.23456789", "360", "-720.5", ".5",     "7"};
const std::vector<std::string> kJunk = {"abc",  "!@#$%^&*()", "--..", "ｱｲｳ", "　",  "1.2.3",
                                        "e",    "+-",         "NaN",  "inf", "1,5", "0x1F",
                                        "漢字", "\\t",        "'\"",  ""};

// Shift+Tab in a list of keys.
constexpr WORD kShiftTab = 0x100 | VK_TAB;

struct SoakFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    double minutes = 10;
    std::string seed = "1";
    double pace = 1.0;
    DWORD hangMs = 5000;
    std::set<std::string> windows;  // the window classes to work in; empty: every window
};

// A control of a window as the driver acts on it.
struct Control {
    std::string name;
    std::string kind;  // edit, combo, button, check, list, picture
    std::string text;
    HWND hwnd;
};

// A stable number from a text (FNV-1a): the seed of one window's input in every cycle.
std::uint32_t SeedOf(const std::string& text) {
    std::uint32_t h = 2166136261u;
    for (const unsigned char c : text) h = (h ^ c) * 16777619u;
    return h;
}

class Rng {
public:
    explicit Rng(const std::string& key) : gen_(SeedOf(key)) {}
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(gen_); }
    double Unit() { return std::uniform_real_distribution<double>(0, 1)(gen_); }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<size_t>(Between(0, static_cast<int>(items.size()) - 1))];
    }

private:
    std::mt19937 gen_;
};

std::string ClassOf(HWND hwnd) {
    wchar_t cls[64];
    const int n = GetClassNameW(hwnd, cls, static_cast<int>(std::size(cls)));
    return Narrow(std::wstring(cls, static_cast<size_t>(n > 0 ? n : 0)));
}

// What the driver does with a native control, by its window class and style; empty for one
// it leaves alone.
std::string KindOf(HWND hwnd) {
    const std::string cls = ClassOf(hwnd);
    if (cls == "Edit") return "edit";
    if (cls == "ComboBox") return "combo";
    if (cls == "ListBox") return "list";
    if (cls == "QuillonPicture") return "picture";
    if (cls == "Button") {
        switch (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
            case BS_GROUPBOX:
                return "";
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return "check";
            default:
                return "button";
        }
    }
    return "";
}

std::string LongText(Rng& rng) {
    std::string text;
    switch (rng.Between(0, 2)) {
        case 0:
            for (int i = rng.Between(80, 300); i > 0; --i) text += char('0' + rng.Between(0, 9));
            break;
        case 1:
            for (int i = rng.Between(10, 30); i > 0; --i) text += "1234567890.-";
            break;
        default:
            for (int i = rng.Between(10, 40); i > 0; --i) text += "ﾃｽﾄ入力";
    }
    return text;
}

class Soak {
public:
    Soak(const Options& options, QuillonRun& run) : o_(options), run_(run) {}

    int events = 0;
    int copies = 0;

    // Fails when the program has ended.
    void CheckAlive() {
        if (const auto status = run_.Process().WaitExit(0ms)) {
            if (*status == 0)
                throw SoakFailure("ended: Quillon ended by itself while being driven (status 0)");
            char text[96];
            std::snprintf(text, sizeof text, "crash: Quillon ended with status 0x%08lx",
                          static_cast<unsigned long>(*status));
            throw SoakFailure(text);
        }
    }

    // Every visible window of the program must answer a message within the time.
    void Probe() {
        CheckAlive();
        for (const HWND w : TopLevels()) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, o_.hangMs, &answer))
                continue;
            CheckAlive();
            if (!IsWindow(w)) continue;
            throw SoakFailure("hang: the window \"" + TextOf(w) + "\" (" + ClassOf(w) +
                              ") did not answer for " + std::to_string(o_.hangMs) + " ms");
        }
    }

    // The program's visible top-level windows, its message boxes and menus included.
    std::vector<HWND> TopLevels() const {
        struct Search {
            DWORD pid;
            std::vector<HWND> found;
        } search{run_.Process().Id(), {}};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == s->pid && IsWindowVisible(w)) s->found.push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    Json State() {
        Json state = run_.State();
        if (state.is_null()) Probe();  // the hook did not answer: a hang or an end shows here
        return state;
    }

    void Pause(Rng& rng, double low = 0.08, double high = 0.5) {
        const double s = (low + (high - low) * rng.Unit()) * o_.pace;
        WaitFor([] { return false; }, std::chrono::milliseconds(static_cast<int>(s * 1000)));
    }

    // Brings the window to the front as a click on its title would; false when it is gone.
    bool Activate(HWND w) {
        CheckAlive();
        if (!IsWindow(w) || !IsWindowVisible(w)) return false;
        if (GetForegroundWindow() != w) SetForegroundWindow(w);
        return WaitFor([&] { return GetForegroundWindow() == w; }, 2s);
    }

    // Closes a message box, a drop-down list or a menu the last input left open (Escape,
    // then Enter; a box that stays is closed from its title bar).
    void DismissPopups(const std::set<HWND>& known) {
        for (int round = 0; round < 4; ++round) {
            HWND popup = nullptr;
            for (const HWND w : TopLevels()) {
                const std::string cls = ClassOf(w);
                if (!known.count(w) && (cls == "#32770" || cls == "#32768" || cls == "ComboLBox"))
                    popup = w;
            }
            if (!popup) return;
            if (ClassOf(popup) == "#32770") SetForegroundWindow(popup);
            PressKey(round < 2 ? VK_ESCAPE : VK_RETURN);
            ++events;
            if (round == 3) PostMessageW(popup, WM_CLOSE, 0, 0);
            WaitFor([&] { return !IsWindowVisible(popup); }, 1s);
        }
    }

    void ClickControl(Rng& rng, const Control& c) {
        CheckAlive();
        RECT rc;
        if (!IsWindow(c.hwnd) || !GetWindowRect(c.hwnd, &rc)) return;
        const int w = rc.right - rc.left;
        const int x =
            rc.left + std::max(1, std::min(w - 2, rng.Between(w / 4, std::max(w / 4, 3 * w / 4))));
        ClickAt(x, (rc.top + rc.bottom) / 2);
        events += 2;
    }

    // Keys for one window: a key that may close it (Enter, Escape, Space) ends a chunk, and
    // the rest goes only while the window is still the active one.
    bool KeysIn(HWND w, const std::vector<WORD>& keys) {
        for (const WORD k : keys) {
            if (!Activate(w)) return false;
            if (k == kShiftTab)
                PressKeyWith({VK_SHIFT}, VK_TAB);
            else
                PressKey(k);
            ++events;
            WaitFor([] { return false; },
                    std::chrono::milliseconds(static_cast<int>(30 * o_.pace) + 1));
        }
        return true;
    }

    void TypeText(Rng& rng, const std::string& text) {
        if (text.empty()) return;
        // A person types a number at 40 to 120 ms a key; long texts come in a burst (held
        // keys, a paste), so that they do not take the whole run.
        const int delay = text.size() < 20 ? Pick3(rng, 40, 60, 120) : 2;
        Type(text, {}, std::chrono::milliseconds(static_cast<int>(delay * o_.pace) + 1));
        events += static_cast<int>(Wide(text).size());
    }

    static int Pick3(Rng& rng, int a, int b, int c) {
        const int i = rng.Between(0, 2);
        return i == 0 ? a : i == 1 ? b : c;
    }

    // A button click; a copy to the clipboard shows as a new clipboard sequence number.
    void Press(Rng& rng, const Control& c) {
        const DWORD before = GetClipboardSequenceNumber();
        ClickControl(rng, c);
        if (c.kind == "button") {
            WaitFor([&] { return GetClipboardSequenceNumber() != before; }, 300ms);
            if (GetClipboardSequenceNumber() != before) ++copies;
        }
    }

    std::vector<Control> ControlsOf(const Json& window) {
        std::vector<Control> controls;
        if (!window.is_object()) return controls;
        for (const auto& [name, handle] : window["hwnds"].items()) {
            const HWND hwnd = reinterpret_cast<HWND>(handle.get<UINT_PTR>());
            if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
            const std::string kind = KindOf(hwnd);
            if (!kind.empty()) controls.push_back({name, kind, TextOf(hwnd), hwnd});
        }
        return controls;
    }

    void Stopwatch(Rng& rng, const std::vector<Control>& controls) {
        const auto find = [&](const char* name) -> const Control* {
            for (const Control& c : controls)
                if (c.name == name) return &c;
            return nullptr;
        };
        const Control *start = find("Command1"), *split = find("Command2"),
                      *reset = find("Command3"), *copy = find("Command5");
        if (!start || !split || !reset) return;
        Press(rng, *start);  // start
        for (int i = rng.Between(1, 3); i > 0; --i) {
            Pause(rng, 0.3, 1.0);
            Press(rng, *split);  // split
        }
        Pause(rng, 0.3, 0.3);
        Press(rng, *start);  // stop
        if (copy) Press(rng, *copy);
        Press(rng, *reset);
    }

    void WorkWindow(Rng& rng, HWND w, const std::string& name) {
        Activate(w);
        const std::vector<Control> controls = ControlsOf(WindowState(State(), name));
        std::vector<Control> edits, buttons, pictures;
        const bool stopwatch = name == "frmStopWatch";
        for (const Control& c : controls) {
            if (c.kind == "edit" || c.kind == "combo") edits.push_back(c);
            if (c.kind == "picture") pictures.push_back(c);
            if ((c.kind == "button" || c.kind == "check" || c.kind == "list") &&
                c.text != "閉じる" && c.text.find("終") == std::string::npos &&
                !(stopwatch &&
                  (c.name == "Command1" || c.name == "Command2" || c.name == "Command3")))
                buttons.push_back(c);
        }
        if (noted_.insert(name).second) {
            std::printf("note %s: %zu fields, %zu buttons, %zu figures\n", name.c_str(),
                        edits.size(), buttons.size(), pictures.size());
            std::fflush(stdout);
        }
        // Started, split, stopped and reset there; clicked at random, the watch would keep
        // the laps of one cycle into the next, and no two cycles would be alike.
        if (stopwatch) Stopwatch(rng, controls);
        static const std::vector<std::vector<WORD>> kAfterText = {
            {VK_RETURN},       {VK_TAB},
            {VK_TAB, VK_TAB},  {kShiftTab},
            {VK_UP, VK_DOWN},  {VK_LEFT, VK_RIGHT, VK_RIGHT},
            {VK_END, VK_HOME}, {VK_BACK, VK_RETURN}};
        static const std::vector<std::vector<WORD>> kAfterClick = {
            {VK_DOWN}, {VK_UP}, {VK_DOWN, VK_DOWN, VK_RETURN}};
        static const std::vector<WORD> kBurst = {VK_TAB,  VK_RETURN, VK_UP,     VK_DOWN,
                                                 VK_LEFT, VK_RIGHT,  kShiftTab, VK_ESCAPE};
        for (int i = rng.Between(5, 10); i > 0; --i) {
            // Input goes only to this window: a key that closed it ends its turn, so that
            // nothing typed reaches the launcher.
            if (!Activate(w)) break;
            const double choice = rng.Unit();
            if (!edits.empty() && choice < 0.45) {
                const Control& c = rng.Pick(edits);
                ClickControl(rng, c);
                PressKeyWith({VK_CONTROL}, 'A');
                ++events;
                const double r = rng.Unit();
                TypeText(rng, r < 0.6    ? rng.Pick(kNumbers)
                              : r < 0.85 ? rng.Pick(kJunk)
                                         : LongText(rng));
                KeysIn(w, rng.Pick(kAfterText));
            } else if (!buttons.empty() && choice < 0.7) {
                const Control& c = rng.Pick(buttons);
                Press(rng, c);
                if (c.kind == "list" || rng.Unit() < 0.3) KeysIn(w, rng.Pick(kAfterClick));
            } else if (!pictures.empty() && choice < 0.85) {
                const Control& c = rng.Pick(pictures);
                RECT rc{};
                GetWindowRect(c.hwnd, &rc);
                for (int p = 0; p < 6; ++p) {
                    MoveTo(rc.left + rng.Between(0, std::max(0, int(rc.right - rc.left) - 1)),
                           rc.top + rng.Between(0, std::max(0, int(rc.bottom - rc.top) - 1)));
                    ++events;
                    WaitFor([] { return false; },
                            std::chrono::milliseconds(static_cast<int>(50 * o_.pace) + 1));
                }
            } else {
                // A burst of keys, as when someone holds an arrow key or tabs through a form.
                std::vector<WORD> keys;
                for (int k = rng.Between(3, 12); k > 0; --k) keys.push_back(rng.Pick(kBurst));
                KeysIn(w, keys);
            }
            Pause(rng);
            DismissPopups({w, run_.Launcher()});
        }
    }

    HWND Open(const WindowInfo& info, bool fromMenu) {
        Activate(run_.Launcher());
        const HWND w =
            fromMenu ? run_.OpenFromMenu(info.className, 10s) : run_.Open(info.className, 10s);
        if (!w) Probe();  // no window: a hang or an end shows here, or the click missed
        return w;
    }

    void Close(HWND w) {
        for (int attempt = 0; attempt < 3 && IsWindowVisible(w); ++attempt) {
            DismissPopups({w, run_.Launcher()});
            if (!Activate(w)) break;
            PressKeyWith({VK_MENU}, VK_F4);
            ++events;
            WaitFor([&] { return !IsWindowVisible(w); }, 3s);
        }
        if (IsWindowVisible(w)) {
            PostMessageW(w, WM_CLOSE, 0, 0);
            WaitFor([&] { return !IsWindowVisible(w); }, 3s);
        }
    }

    void Cycle() {
        std::vector<std::pair<const WindowInfo*, bool>> windows;
        for (const WindowInfo& info : ToolbarWindows())
            if (info.create) windows.push_back({&info, false});
        for (const WindowInfo& info : MenuWindows())
            if (info.create) windows.push_back({&info, true});
        int index = 0;
        for (const auto& [info, fromMenu] : windows) {
            ++index;
            if (!o_.windows.empty() && !o_.windows.count(info->className)) continue;
            Rng rng(o_.seed + "/" + std::to_string(index) + "/" + info->className);
            const HWND w = Open(*info, fromMenu);
            if (!w) {
                std::printf("note %s did not open\n", info->className.c_str());
                std::fflush(stdout);
                continue;
            }
            WorkWindow(rng, w, info->className);
            Probe();
            Close(w);
            if (rng.Unit() < 0.4) {
                // Opened again at once, as after closing the wrong window.
                if (const HWND again = Open(*info, fromMenu)) {
                    if (Activate(again)) KeysIn(again, {VK_TAB, VK_TAB});
                    Close(again);
                }
            }
            if (rng.Unit() < 0.3) {
                // The topmost box, off and on again: every cycle ends as it began.
                const std::vector<Control> boxes = ControlsOf(WindowState(State(), "Menu"));
                for (const Control& c : boxes)
                    if (c.kind == "check") {
                        Activate(run_.Launcher());
                        Press(rng, c);
                        Pause(rng);
                        Press(rng, c);
                        break;
                    }
            }
            DismissPopups({run_.Launcher()});
            Probe();
        }
    }

    // Ends the program from its end button ("終　了"), as a person does; its exit status.
    DWORD End() {
        for (const Control& c : ControlsOf(WindowState(State(), "Menu")))
            if (c.kind == "button" && c.text.find("終") != std::string::npos) {
                Activate(run_.Launcher());
                Click(c.hwnd);
                break;
            }
        auto status = run_.Process().WaitExit(15s);
        if (!status) {
            PostMessageW(run_.Launcher(), WM_CLOSE, 0, 0);
            status = run_.Process().WaitExit(15s);
        }
        if (!status) throw SoakFailure("hang: Quillon did not end after its end button");
        return *status;
    }

    std::pair<SIZE_T, SIZE_T> Memory() const {
        PROCESS_MEMORY_COUNTERS_EX m{};
        m.cb = sizeof m;
        if (!GetProcessMemoryInfo(run_.Process().Handle(),
                                  reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m))
            return {0, 0};
        return {m.WorkingSetSize / 1024, m.PrivateUsage / 1024};
    }

private:
    const Options& o_;
    QuillonRun& run_;
    std::set<std::string> noted_;  // the windows whose controls were told once
};

Options ReadOptions(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring key = argv[i];
        const std::string value = Narrow(argv[i + 1]);
        if (key == L"--minutes")
            o.minutes = std::stod(value);
        else if (key == L"--seed")
            o.seed = value;
        else if (key == L"--pace")
            o.pace = std::stod(value);
        else if (key == L"--hang-ms")
            o.hangMs = static_cast<DWORD>(std::stoul(value));
        else if (key == L"--windows") {
            size_t start = 0;
            while (start <= value.size()) {
                const size_t comma = std::min(value.find(',', start), value.size());
                if (comma > start) o.windows.insert(value.substr(start, comma - start));
                start = comma + 1;
            }
        } else {
            throw std::invalid_argument("unknown argument " + Narrow(key));
        }
    }
    return o;
}

int Main(int argc, wchar_t** argv) {
    const Options options = ReadOptions(argc, argv);
    QuillonRun run;
    if (!run.Launcher()) {
        std::printf("fail the launcher did not show in 20 s\n");
        return 1;
    }
    Soak soak(options, run);
    int cycles = 0;
    std::string failure;
    DWORD status = 0;
    const auto deadline =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long long>(options.minutes * 60000));
    try {
        while (std::chrono::steady_clock::now() < deadline) {
            const auto began = std::chrono::steady_clock::now();
            soak.Cycle();
            ++cycles;
            WaitFor([] { return false; }, 1s);
            soak.Probe();
            const auto [rss, priv] = soak.Memory();
            std::printf(
                "cycle %d events=%d copies=%d rss_kb=%llu private_kb=%llu seconds=%.0f\n", cycles,
                soak.events, soak.copies, static_cast<unsigned long long>(rss),
                static_cast<unsigned long long>(priv),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
            std::fflush(stdout);
        }
        status = soak.End();
        if (status != 0) {
            char text[80];
            std::snprintf(text, sizeof text, "crash: Quillon ended with status 0x%08lx",
                          static_cast<unsigned long>(status));
            failure = text;
        }
    } catch (const SoakFailure& e) {
        failure = e.what();
    }
    if (!failure.empty()) std::printf("fail %s\n", failure.c_str());
    std::printf("end events=%d copies=%d status=%lu\n", soak.events, soak.copies,
                static_cast<unsigned long>(status));
    std::fflush(stdout);
    return failure.empty() ? 0 : 1;
}

}  // namespace
}  // namespace quillon::wine

int wmain(int argc, wchar_t** argv) {
    try {
        return quillon::wine::Main(argc, argv);
    } catch (const std::exception& e) {
        std::printf("fail %s\n", e.what());
        return 2;
    }
}
