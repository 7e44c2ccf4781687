// The full case of every built geometry window: the fields that make every step of its
// Recalculate run (intersections, fitted scale, every stroke and label), and one result field
// with the text it shows once the case is solved, so that a benchmark never times a run that
// ends early. A new geometry window is one more row.
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
    const char* resultField;
    const char* expected;
};

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
    };
    return cases;
}

// A window of the registry opened as the launcher opens it (created, loaded, activated) with
// its full case typed in and computed once.
class OpenedCase {
public:
    explicit OpenedCase(const FullCase& c) : case_(c) {
        const WindowInfo* info = FindWindowInfo(c.window);
        if (!info || !info->create) throw std::logic_error(std::string(c.window) + " is not built");
        form_ = info->create(m_);
        window_ = dynamic_cast<FigureWindow*>(form_.get());
        if (!window_) throw std::logic_error(std::string(c.window) + " has no figure");
        StartWindow(*form_, nullptr);
        for (const auto& [field, text] : c.typed) form_->DeliverSetText(field, text);
        window_->RunRecalculate();
    }

    FigureWindow& Window() { return *window_; }
    const Picture& Figure() { return *(*form_)["Picture1"].Pic; }
    // True when the case computed what it should (no fault, no early end).
    bool Solved() { return (*form_)[case_.resultField].Text == case_.expected; }

private:
    const FullCase& case_;
    RecordingHost host_;
    DiskFiles files_;
    Module1 m_{host_, files_};
    std::unique_ptr<Form> form_;
    FigureWindow* window_ = nullptr;
};

}  // namespace quillon::bench
