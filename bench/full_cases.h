// The full case of every built geometry window: the fields that make every step of its
// Recalculate run (intersections, fitted scale, every stroke and label), and one result field
// with the text it shows once the case is solved, so that a benchmark never times a run that
// ends early (a window that only draws: the size of its drawing). A window that computes on
// leaving a field instead of in a Recalculate names that field. A new window is one more row.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/recording_host.h"
#include "app/registry.h"
#include "app/startup.h"
#include "shell/disk_files.h"
#include "shell/figure_window.h"
#include "shell/module1.h"

namespace quillon::bench {

struct FullCase {
    const char* window;
    std::vector<std::pair<const char*, const char*>> typed;  // field, text, in typing order
    const char* resultField;                                 // nullptr for a window that only draws
    const char* expected;
    size_t drawn = 0;             // at least this many entries in the figure's display list
    const char* leave = nullptr;  // the field whose leaving computes; none: Recalculate
};

// A finishing program of 10,000 lines for the contour check: from the start point, 3,333
// steps of a face along Z, a quarter arc up (G02 L1) and a quarter arc back (G03 L1), every
// move tangent to the next.
inline const char* LongProgram() {
    static const std::string text = [] {
        std::string t = "G00 X20 Z0";
        for (int k = 0; k < 3333; ++k) {
            t += "\r\nG01 Z-" + std::to_string(11 * k + 9);
            t += "\r\nG02 X" + std::to_string(22 + 4 * k) + " Z-" + std::to_string(11 * k + 10) +
                 " L1";
            t += "\r\nG03 X" + std::to_string(24 + 4 * k) + " Z-" + std::to_string(11 * k + 11) +
                 " L1";
        }
        return t;
    }();
    return text.c_str();
}

inline const std::vector<FullCase>& FullCases() {
    static const std::vector<FullCase> cases = {
        // Both lines, R, nose radius and tool-tip direction: corner circle, tangent points,
        // nose compensation, tips and the button strokes.
        {"frmLineRLine",
         {{"Text1", "40"},
          {"Text2", "0"},
          {"Text3", "0"},
          {"Text4", "40"},
          {"Text5", "-20"},
          {"Text6", "90"},
          {"Text9", "2"},
          {"Text20", "0.4"}},
         "Text32",
         "-20.8"},
        // Circle and a slanted direction: the touching point, both half lines, the markers.
        {"frmCirclePoint",
         {{"Text1", "20"}, {"Text2", "0"}, {"Text3", "5"}, {"Text4", "45"}},
         "Text5",
         "12.929"},
        // A slanted line through a circle: both points, offsets, fitted scale and labels.
        {"frmLineR",
         {{"Text1", "0"},
          {"Text2", "0"},
          {"Text3", "45"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text6", "5"}},
         "Text7",
         "12.929"},
        // The line, the end point and R: centre, touching point, offsets and the figure.
        {"frmLineRPoint",
         {{"Text1", "0"},
          {"Text2", "0"},
          {"Text3", "0"},
          {"Text4", "10"},
          {"Text5", "10"},
          {"Text8", "10"}},
         "Text7",
         "1.34"},
        // Two crossing circles: both points, the fitted scale, crosses, markers and labels.
        {"frmCircleCircle",
         {{"Text1", "0"},
          {"Text2", "0"},
          {"Text3", "10"},
          {"Text4", "0"},
          {"Text5", "10"},
          {"Text6", "10"}},
         "Text7",
         "17.321"},
        // Two horizontal lines, both radii and Z1: the three contact points, both centres with
        // their offsets, the lines, circles, crosses and labels.
        {"frmLine2Circle2",
         {{"Text1", "50"}, {"Text2", "0"}, {"Text3", "3"}, {"Text4", "30"}, {"Text6", "6"}},
         "Text15",
         "-0.666"},
        // The whole groove: corner, ramp, start diameter, the fitted scale and the labels.
        {"frmNeck1",
         {{"Text1", "40"}, {"Text2", "-20"}, {"Text3", "1"}, {"Text4", "30"}, {"Text5", "44"}},
         "Text15",
         "-15.268"},
        // A turret without a machine table (a circle), both stations with holder and tool,
        // a chosen chuck and the swing circle: the whole drawing, nothing written to a field.
        {"frmTurret",
         {{"TurretX", "100"},
          {"TurretY", "0"},
          {"CutD", "50"},
          {"HolderH2", "25"},
          {"ToolD2", "20"},
          {"ToolL2", "30"},
          {"HolderH1", "45"},
          {"ToolD1", "32"},
          {"MaxDia", "430"},
          {"CHUCK", "(10') 254"}},
         nullptr,
         nullptr,
         34},
        // Start point, angle and end diameter: the end position (its picture is a fixed sketch).
        {"frmLineAngle",
         {{"Text1", "20"}, {"Text2", "0"}, {"Text3", "30"}, {"Text4", "40"}},
         "Text5",
         "17.321",
         0,
         "Text4"},
        // Two points: both conversions, the line, its reference angle and the Y-axis mode.
        {"frmXY_XC",
         {{"Text1", "10"}, {"Text2", "20"}, {"Text5", "20"}, {"Text6", "10"}},
         "Text15",
         "7.071"},
        // The contour check of a 10,000-line program: every block read and checked, listed,
        // and drawn (a line or an arc and an end mark each).
        {"frmContourCheck", {{"Text1", LongProgram()}}, "Label1", "移動 9999  異常なし", 29997},
        // The most holes a circle takes, off the centre of rotation: every hole converted,
        // listed, drawn and numbered (scale, axes, pitch circle, centre cross, 360 holes
        // with their numbers).
        {"frmBoltCircle",
         {{"Text1", "100"}, {"Text2", "360"}, {"Text3", "0.5"}, {"Text4", "20"}, {"Text5", "-10"}},
         nullptr,
         nullptr,
         726},
    };
    return cases;
}

// A window of the registry as the launcher opens it: created, then started (loaded, shown,
// activated).
class OpenedWindow {
public:
    explicit OpenedWindow(const char* window) {
        const WindowInfo* info = FindWindowInfo(window);
        if (!info || !info->create) throw std::logic_error(std::string(window) + " is not built");
        form_ = info->create(m_);
        StartWindow(*form_, nullptr);
    }

    Form& Opened() { return *form_; }

private:
    RecordingHost host_;
    DiskFiles files_;
    Module1 m_{host_, files_};
    std::unique_ptr<Form> form_;
};

// A geometry window with its full case typed in and computed once.
class OpenedCase : public OpenedWindow {
public:
    explicit OpenedCase(const FullCase& c) : OpenedWindow(c.window), case_(c) {
        window_ = dynamic_cast<FigureWindow*>(&Opened());
        if (!window_ && !c.leave)
            throw std::logic_error(std::string(c.window) + " has no figure and no field to leave");
        for (const auto& [field, text] : c.typed) Opened().DeliverSetText(field, text);
        Run();
    }

    // One computation of the case.
    void Run() {
        if (case_.leave)
            Opened().DeliverLeave(case_.leave);
        else
            window_->RunRecalculate();
    }
    const Picture& Figure() { return *Opened()["Picture1"].Pic; }
    // True when the case computed what it should (no fault, no early end).
    bool Solved() {
        if (Figure().Ops().size() < case_.drawn) return false;
        return !case_.resultField || Opened()[case_.resultField].Text == case_.expected;
    }

private:
    const FullCase& case_;
    FigureWindow* window_ = nullptr;
};

// The key cases of the windows driven by their keys rather than by fields: the keys typed,
// from a cleared window to a known result, and the control that shows it. A new keyboard
// window is one more row.
struct KeyCase {
    const char* window;
    std::vector<const char*> keys;  // as quillon-cli names them
    const char* resultControl;      // a picture: the last text printed into it
    const char* expected;
    std::vector<const char*> setup = {};  // keys typed once, when the window opens
    const char* timer = nullptr;          // a timer that ticks once after the keys
};

inline const std::vector<KeyCase>& KeyCases() {
    static const std::vector<KeyCase> cases = {
        // All clear, a spindle speed whose diameter is a calculation, then a calculation with
        // a held addition: number entry, every operator path, a machining step, the copies.
        {"frmCalc",
         {"Esc", "N", "1", "5", "0", "Enter", "1", "0", "0", "/", "2", "Enter", "2", "+", "3", "*",
          "4", "Enter"},
         "Readout",
         "14"},
        // The arrow keys switch the thread system and back: two tables formatted and listed.
        {"frmThreadData", {"Right", "Left"}, "Text3", "刃先角 60°"},
        // A phrase chosen with the arrow keys and copied with Enter, then back to the first.
        {"frmComment", {"Down", "Enter", "Up"}, "Comment1", "OD.ROUGH"},
        // The running watch's redraw every 50 ms: Enter on the start button, then each run one
        // tick (the clock stands where the start button's flash left it).
        {"frmStopWatch", {}, "Picture1", " 00:00.10", {"Enter"}, "Timer1"},
    };
    return cases;
}

// A window of the registry opened as the launcher opens it, driven by its key case.
class KeyedCase : public OpenedWindow {
public:
    explicit KeyedCase(const KeyCase& c) : OpenedWindow(c.window), case_(c) {
        for (const char* k : c.setup) Opened().DeliverKey(KeyOf(k), true);
        for (const char* k : c.keys) keys_.push_back(KeyOf(k));
        Run();
    }

    Form& Window() { return Opened(); }
    // Types the keys once, as the keyboard delivers them, then lets the timer tick.
    void Run() {
        for (const Key& k : keys_) Opened().DeliverKey(k, true);
        if (case_.timer) Opened().DeliverTick(case_.timer);
    }
    bool Solved() {
        const Control& result = Opened()[case_.resultControl];
        if (!result.Pic) return result.Text == case_.expected;
        std::string printed;
        for (const DrawOp& op : result.Pic->Ops())
            if (const auto* print = std::get_if<PrintOp>(&op)) printed = print->text;
        return printed == case_.expected;
    }

private:
    static Key KeyOf(const char* name) {
        const auto key = ParseKey(name);
        if (!key) throw std::logic_error(std::string("no key ") + name);
        return *key;
    }

    const KeyCase& case_;
    std::vector<Key> keys_;
};

}  // namespace quillon::bench
