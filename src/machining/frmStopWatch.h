// Stopwatch: minutes, seconds and hundredths on a large display; start, stop, resume, split
// and reset; a numbered list of split and stop times with the segment and the total time,
// copied tab-separated for a spreadsheet. The clock is the host's clock of seconds since
// midnight; the display is redrawn by a 50 ms timer that runs only while the watch runs.
#pragma once

#include <string>

#include "shell/tool_window.h"

namespace quillon {

class frmStopWatch : public ToolWindow {
public:
    explicit frmStopWatch(Module1& m);

    enum class Watch { Reset = 0, Running = 1, Stopped = 2 };

    void Tprint();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    Watch State() const { return state_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;

private:
    // A split or stop: the line of the current total and the segment since the last line.
    void RecordLine();
    // Shows a time text on the display.
    void Show(const std::string& text);
    // The pressed button's flash: button shadow, a tenth of a second, button face.
    void Flash(const std::string& button);
    // Seconds from an earlier clock reading to now, counting on across midnight.
    double Since(double reading);

    Watch state_ = Watch::Reset;
    double start_ = 0;  // the clock reading at which the displayed time is zero
    double stop_ = 0;   // the clock reading at the last stop
    int lap_ = 1;
    std::string displayList_, tabList_;
    std::string minutes_, seconds_;                      // the total last shown
    std::string lastMinutes_ = "0", lastSeconds_ = "0";  // the total at the last line
};

}  // namespace quillon
