// quillon-random-steps WINDOW SEED COUNT [PROGRAM_FOLDER [CONTROL_ROOT]]: prints COUNT random
// steps for WINDOW in quillon-cli syntax, one a line, the same for the same seed.
// tools/behaviour-compare.sh runs two builds of quillon-cli over them.
//
// Every step names a control of the window that can take it (texts typed into text and combo
// boxes, clicks on buttons, picks within a list's items as the window opens, the mouse over a
// picture within its scale as the window opens), so that a run seldom ends in a usage error.
// The window opens as quillon-cli opens it, with the same folders, to find its lists' items.
// The texts mix plain numbers with what breaks them: signs alone, overflowing exponents,
// full-width digits, letters.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/recording_host.h"
#include "app/registry.h"
#include "app/startup.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "shell/native_path.h"

namespace quillon {
namespace {

const char* const kTexts[] = {"",
                              " ",
                              "-",
                              ".",
                              "0",
                              "-0",
                              "1",
                              "-1",
                              "0.8",
                              "45",
                              "90",
                              "-90",
                              "180",
                              "360",
                              "1e308",
                              "1e999",
                              "-1e999",
                              "1e-999",
                              "4.9e-324",
                              "abc",
                              "12abc",
                              "1,5",
                              "1D3",
                              "1e",
                              "１２",
                              "－１",
                              "．５",
                              "あいう",
                              "0.0005",
                              "999999999999999",
                              "123456789012345678"};

const char* const kKeys[] = {"Enter", "Esc", "Backspace", "Tab", "Shift", "Up", "Down", "Left",
                             "Right", "0",   "1",         "2",   "5",     "9",  ".",    "-",
                             "+",     "E",   "*",         "/",   "=",     "a",  "１",   "あ"};

class Steps {
public:
    Steps(Form& form, uint64_t seed) : rng_(seed) {
        for (const auto& c : form.Controls()) {
            switch (c->Kind()) {
                case ControlKind::TextBox:
                case ControlKind::ComboBox:
                    fields_.push_back(c.get());
                    break;
                case ControlKind::PictureBox:
                    pictures_.push_back(c.get());
                    break;
                case ControlKind::Timer:
                    timers_.push_back(c.get());
                    break;
                default:
                    break;
            }
            if (c->Kind() != ControlKind::Timer && c->Kind() != ControlKind::Label &&
                c->Kind() != ControlKind::Frame && c->Kind() != ControlKind::Image &&
                c->Kind() != ControlKind::PictureBox && c->Kind() != ControlKind::TextBox)
                clickable_.push_back(c.get());
            if (TakesFocus(c->Kind())) focusable_.push_back(c.get());
        }
    }

    std::string Next() {
        for (;;) {
            const size_t roll = Below(100);
            if (roll < 25) {
                if (Control* c = Any(fields_)) return "set:" + c->Name() + "=" + Text();
            } else if (roll < 37) {
                if (Control* c = Any(focusable_)) return "focus:" + c->Name();
            } else if (roll < 45) {
                if (Control* c = Any(focusable_)) return "leave:" + c->Name();
            } else if (roll < 60) {
                if (Control* c = Any(clickable_)) return Click(*c);
            } else if (roll < 80) {
                return std::string("key:") + kKeys[Below(std::size(kKeys))];
            } else if (roll < 83) {
                if (Control* c = Any(fields_))
                    return "select:" + c->Name() + "=" + std::to_string(Below(6)) + "," +
                           std::to_string(Below(6));
            } else if (roll < 91) {
                Control* c = Any(pictures_);
                if (!c || Below(4) == 0) return "mouse:Form";
                const Scale& s = c->Pic->GetScale();
                return "mouse:" + c->Name() + "=" + Number(s.left + Unit() * s.width) + "," +
                       Number(s.top + Unit() * s.height);
            } else if (roll < 95) {
                return "paint";
            } else if (roll < 98) {
                if (Control* c = Any(timers_)) return "tick:" + c->Name();
            } else {
                return "clock:" + std::to_string(Below(86400));
            }
        }
    }

private:
    size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }
    double Unit() { return static_cast<double>(rng_() >> 11) * 0x1.0p-53; }
    Control* Any(const std::vector<Control*>& v) {
        return v.empty() ? nullptr : v[Below(v.size())];
    }

    static std::string Number(double v) {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
        return std::string(buf, r.ptr);
    }

    std::string Text() {
        if (Below(2) == 0) return kTexts[Below(std::size(kTexts))];
        // A plain number: an integer, or a few decimals, now and then negative.
        const std::string sign = Below(4) == 0 ? "-" : "";
        if (Below(2) == 0) return sign + std::to_string(Below(400));
        char buf[64];
        const double v = Unit() * 200;
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed,
                                     static_cast<int>(Below(5)));
        return sign + std::string(buf, r.ptr);
    }

    std::string Click(const Control& c) {
        switch (c.Kind()) {
            case ControlKind::ListBox:
            case ControlKind::ComboBox:
                if (c.Items.empty()) return "paint";
                return "click:" + c.Name() + "=" + std::to_string(Below(c.Items.size()));
            case ControlKind::TabStrip:
                if (c.Tabs.empty()) return "paint";
                return "click:" + c.Name() + "=" + std::to_string(1 + Below(c.Tabs.size()));
            case ControlKind::Toolbar:
                if (c.Buttons.empty()) return "paint";
                return "click:" + c.Name() + "=" + std::to_string(1 + Below(c.Buttons.size()));
            default:
                return "click:" + c.Name();
        }
    }

    std::mt19937_64 rng_;
    std::vector<Control*> fields_, pictures_, timers_, clickable_, focusable_;
};

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
    using namespace quillon;
    if (argc < 4 || argc > 6) {
        std::cerr
            << "usage: quillon-random-steps WINDOW SEED COUNT [PROGRAM_FOLDER [CONTROL_ROOT]]\n";
        return 2;
    }
    const WindowInfo* info = FindWindowInfo(argv[1]);
    if (!info || !info->create) {
        std::cerr << "quillon-random-steps: unknown window " << argv[1] << "\n";
        return 2;
    }
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    if (argc > 4) m.ProgramFolder = PathFromUtf8(argv[4]);
    if (argc > 5) m.ControlRoot = PathFromUtf8(argv[5]);
    std::unique_ptr<Form> form = info->create(m);
    try {
        StartWindow(*form, nullptr);
    } catch (const std::exception&) {
        // A window that fails to open still has its controls.
    }
    Steps steps(*form, std::strtoull(argv[2], nullptr, 10));
    const unsigned long count = std::strtoul(argv[3], nullptr, 10);
    for (unsigned long i = 0; i < count; ++i) std::cout << steps.Next() << "\n";
    return 0;
}
