#include "machining/frmStopWatch.h"

#include <cmath>
#include <cstdio>

#include "shell/utf8.h"

namespace quillon {
namespace {

constexpr double kDay = 86400;
constexpr const char* kZero = " 00:00.00";

// Minutes with the picture " 00:": a blank, at least two digits, a colon.
std::string MinutesText(long long minutes) {
    if (minutes < 0) return "-" + MinutesText(-minutes);
    char buf[32];
    std::snprintf(buf, sizeof buf, " %02lld:", minutes);
    return buf;
}

// Seconds with the picture "00.00", from whole hundredths.
std::string SecondsText(long long hundredths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld.%02lld", hundredths / 100, hundredths % 100);
    return buf;
}

// A time in hundredths as a minutes text and a seconds text joined (" 01:05.43").
std::string TimeText(long long hundredths) {
    const long long minutes = hundredths >= 0 ? hundredths / 6000 : -((-hundredths + 5999) / 6000);
    return MinutesText(minutes) + SecondsText(hundredths - minutes * 6000);
}

// The time of a shown total (" 01:" reads 1, "05.43" reads 5.43) in whole hundredths.
long long Hundredths(const std::string& minutes, const std::string& seconds) {
    const double t = ReadNumber(minutes) * 60 + ReadNumber(seconds);
    return std::isfinite(t) ? std::llround(t * 100) : 0;
}

constexpr Field kDisplay{"Picture1"};
constexpr Field kTimes{"Text1"};
constexpr Field kStartStop{"Command1"};
constexpr Field kSplit{"Command2"};
constexpr Field kReset{"Command3"};
constexpr Field kClose{"Command4"};
constexpr Field kCopy{"Command5"};
constexpr Field kTimer{"Timer1"};

}  // namespace

frmStopWatch::frmStopWatch(Module1& m)
    : ToolWindow(m, "frmStopWatch", " ストップウォッチ", 2800, 2000, Topmost::EachActivation) {
    // The display with start/stop and split beside it; the column headings, reset, copy and
    // close; the list below the headings.
    PictureBox("Picture1").At(0, 0, 2, 3).Size(236, 60).Font("Arial", 24).BackColor = colors::White;
    (*this)[kDisplay].Pic = std::make_unique<Picture>(236, 60);
    Pic(kDisplay).ForeColor = colors::Black;
    Button("Command1", "開始").At(0, 3).Tip("スタート／ストップ　[Enter]でも可。").Default = true;
    Button("Command2", "中間計測").At(1, 3).Tip("スプリット");
    // The headings stand over the list's columns: number, segment, total.
    Label("Label1(0)", "No.").At(2, 0).Size(30, 0);
    Label("Label1(1)", "　  時間差").At(2, 1);
    Label("Label1(2)", "  合計時間").At(2, 2);
    Button("Command3", "リセット").At(2, 3).Tip("リセット");
    TextBox("Text1").At(3, 0, 3, 3).Size(236, 150).Font("System", 0).Locked = true;
    (*this)[kTimes].Multiline = true;
    Button("Command5", "コピー").At(3, 3).Tip("Tab付でコピー");
    Button("Command4", "閉じる").At(5, 3);
    Control& timer = Add("Timer1", ControlKind::Timer);
    timer.Interval = 0.05;
    timer.Enabled = false;

    On(kTimer, Event::Timer, [this] { Tprint(); });
    On(kStartStop, Event::Click, [this] { Command1_Click(); });
    On(kSplit, Event::Click, [this] { Command2_Click(); });
    On(kReset, Event::Click, [this] { Command3_Click(); });
    On(kClose, Event::Click, [this] { Command4_Click(); });
    On(kCopy, Event::Click, [this] { Command5_Click(); });
}

void frmStopWatch::Form_Load() {
    ToolWindow::Form_Load();
    state_ = Watch::Reset;
}

void frmStopWatch::Form_Activate() {
    ToolWindow::Form_Activate();
    if (state_ != Watch::Reset) return;
    (*this)[kSplit].Enabled = false;
    (*this)[kReset].Enabled = false;
    (*this)[kTimer].Enabled = false;
    Show(kZero);
}

double frmStopWatch::Since(double reading) {
    // The clock starts again from 0 at midnight: a reading below the earlier one is a day on.
    double d = M().host.Clock() - reading;
    if (!std::isfinite(d)) return 0;
    d -= kDay * std::floor(d / kDay);
    return d;
}

void frmStopWatch::Tprint() {
    // Cut to hundredths. The readings are kept in double precision; the small allowance only
    // absorbs the binary representation of a reading such as 0.29, never a real hundredth.
    const auto hundredths = static_cast<long long>(std::floor(Since(start_) * 100 + 1e-6));
    const long long minutes = hundredths / 6000;
    minutes_ = MinutesText(minutes);
    seconds_ = SecondsText(hundredths - minutes * 6000);
    Show(minutes_ + seconds_);
}

void frmStopWatch::Show(const std::string& text) {
    Picture& pic = Pic(kDisplay);
    pic.Cls();
    pic.Print(text);
}

void frmStopWatch::RecordLine() {
    const std::string number = (lap_ < 10 ? "0" : "") + std::to_string(lap_);
    const std::string segment =
        TimeText(Hundredths(minutes_, seconds_) - Hundredths(lastMinutes_, lastSeconds_));
    const std::string total = minutes_ + seconds_;
    displayList_ += number + "  " + segment + "  " + total + "\r\n";
    tabList_ += number + "\t" + segment + "\t" + total + "\r\n";
    lastMinutes_ = minutes_;
    lastSeconds_ = seconds_;
    ++lap_;
    // The caret at the start of the new line scrolls it into view.
    const auto before = static_cast<int>(utf8::Length(Text(kTimes)));
    SetText(kTimes, displayList_);
    (*this)[kTimes].SelStart = before;
    (*this)[kTimes].SelLength = 0;
}

void frmStopWatch::Flash(const std::string& button) {
    (*this)[button].BackColor = colors::ButtonShadow;
    M().WaitSeconds(0.1);
    (*this)[button].BackColor = colors::ButtonFace;
}

void frmStopWatch::Command1_Click() {
    switch (state_) {
        case Watch::Reset:
            state_ = Watch::Running;
            (*this)[kTimer].Enabled = true;
            (*this)[kStartStop].Text = "停止";
            (*this)[kSplit].Enabled = true;
            SetFocus(kSplit);
            lap_ = 1;
            displayList_.clear();
            tabList_.clear();
            start_ = M().host.Clock();
            lastMinutes_ = lastSeconds_ = "0";
            // What the display shows now, so that a split before the first tick reads zero
            // rather than the total of an earlier run.
            minutes_ = " 00:";
            seconds_ = "00.00";
            break;
        case Watch::Running:
            Tprint();  // the display shows the exact stop time
            state_ = Watch::Stopped;
            stop_ = M().host.Clock();
            (*this)[kTimer].Enabled = false;
            (*this)[kSplit].Enabled = false;
            (*this)[kReset].Enabled = true;
            (*this)[kStartStop].Text = "再開";
            RecordLine();
            break;
        case Watch::Stopped:
            state_ = Watch::Running;
            (*this)[kTimer].Enabled = true;
            (*this)[kStartStop].Text = "停止";
            (*this)[kSplit].Enabled = true;
            (*this)[kReset].Enabled = false;
            start_ += Since(stop_);  // the pause is not counted
            break;
    }
    Flash(kStartStop);
}

void frmStopWatch::Command2_Click() {
    // The split is the time as last shown by the timer.
    RecordLine();
    Flash(kSplit);
}

void frmStopWatch::Command3_Click() {
    // The lists stay until the next start: a copy now still gives the last run's list.
    (*this)[kStartStop].Text = "開始";
    (*this)[kSplit].Enabled = false;
    (*this)[kReset].Enabled = false;
    SetFocus(kStartStop);
    Show(kZero);
    SetText(kTimes, "");
    state_ = Watch::Reset;
    Flash(kReset);
}

void frmStopWatch::Command5_Click() {
    Flash(kCopy);
    const Control& list = (*this)[kTimes];
    std::string text = tabList_;
    if (list.SelLength > 0) {
        const size_t from = utf8::Offset(list.Text, static_cast<size_t>(list.SelStart));
        const size_t to = utf8::Offset(
            list.Text, static_cast<size_t>(list.SelStart) + static_cast<size_t>(list.SelLength));
        text = list.Text.substr(from, to - from);
    }
    CopyToClipboard(text);
}

void frmStopWatch::Command4_Click() {
    // Unlike the other tool windows, closing does not bring the control's window forward.
    (*this)[kTimer].Enabled = false;
    Unload();
}

}  // namespace quillon
