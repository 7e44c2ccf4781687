#include "machining/frmTurret.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "shell/checked.h"
#include "shell/readout.h"
#include "shell/single.h"

namespace quillon {
namespace {

constexpr const char* kToolDiameterTip = "アウトホルダの時はマイナス指令で伏せバイト";
constexpr const char* kMissingFile = "機械データの'Machine.csv'ファイルが開けませんでした。";

// The holder types of both holder lists, by list index.
enum HolderType { OutA, OutB, OutFace, InBase, MillFace, MillSide };
const std::vector<std::string> kHolderTypes = {"アウト-A",   "アウト-B", "アウト-端面",
                                               "インベース", "Ｍ-正面",  "Ｍ-側面"};

const std::vector<std::string> kChucks = {"( 6') 169", "( 8') 210", "(10') 254", "(12') 304",
                                          "(15') 381", "(18') 450", "(21') 530", "(24') 610",
                                          "(32') 813", "(36') 915"};

// The station options and their numbers.
constexpr std::pair<const char*, int> kStations[] = {
    {"V6", 6}, {"V8", 8}, {"V10", 10}, {"V12", 12}, {"V16", 16}};

// Fields of a machine record.
enum MachineField : size_t {
    kName = 0,
    kStationCount = 1,
    kTurretX = 2,
    kTurretY = 3,
    kMaxDia = 4,
    kHolderOutA = 5,
    kHolderOutB = 6,
    kHolderOutFace = 7,
    kToolOut = 8,
    kLengthOut = 9,
    kHolderInBase = 10,  // above 0 also: the turret is drawn as a polygon
    kToolInBase = 11,
    kHolderMillFace = 12,
    kHolderMillSide = 13,
    kToolMill = 14,
};

// The face holder's tool stands out a fixed 7 mm; the machine table gives no length for it.
constexpr const char* kFaceToolLength = "7";

// The outside turning tool as drawn, in millimetres from its tip: the cutting end slants back
// over the first 7 of its length, and the insert is outlined from 13 behind the tip across a
// quarter of the shank's width back to 2 behind it.
constexpr double kTipSlant = 7;
constexpr double kInsertLength = 13;
constexpr double kInsertTip = 2;

constexpr Color kYellow = Color::Rgb(255, 255, 0);
constexpr Color kGreen = Color::Rgb(0, 255, 0);

// A picture box's scale before a program sets one: its size in twips (15 a pixel).
constexpr double kTwipsPerPixel = 15;

struct Point {
    double x, y;
};

// Draws the lines of a station as built at the station facing the spindle, turned about the
// turret centre (W, -TY) by theta (radians).
class StationPen {
public:
    StationPen(Picture& p, double W, double TY, double theta)
        : p_(p), W_(W), TY_(TY), theta_(theta), c_(exact::cos(theta)), sn_(exact::sin(theta)) {}

    Point Turned(Point q) const {
        if (theta_ == 0) return q;
        const double dx = q.x - W_, dy = q.y + TY_;
        return Point{W_ + dx * c_ - dy * sn_, -TY_ + dx * sn_ + dy * c_};
    }
    void Polyline(std::initializer_list<Point> points, Color color) {
        const Point* prev = nullptr;
        for (const Point& q : points) {
            if (prev) {
                const Point a = Turned(*prev), b = Turned(q);
                p_.Line(a.x, a.y, b.x, b.y, color);
            }
            prev = &q;
        }
    }
    void Box(Point a, Point b, Color color) { Polyline({a, {b.x, a.y}, b, {a.x, b.y}, a}, color); }
    void Circle(Point centre, double r, Color color) {
        const Point c = Turned(centre);
        p_.Circle(c.x, c.y, r, color);
    }

private:
    Picture& p_;
    double W_, TY_, theta_, c_, sn_;
};

// The tool of a holder of `type` whose end is at E: tool length (or shift) T, diameter (or
// centre height) D.
void DrawTool(StationPen& pen, int type, double E, double T, double D) {
    switch (type) {
        case OutA:
        case OutB:
            if (T > 0) {
                pen.Polyline({{E, 0}, {E - T, 0}, {E - T + kTipSlant, D}, {E, D}}, kGreen);
                pen.Polyline({{E - T + kInsertLength, 0},
                              {E - T + kInsertLength, D / 4},
                              {E - T + kInsertTip, D / 4}},
                             kGreen);
            }
            break;
        case OutFace:
            pen.Box({E + std::fabs(D), 0}, {E - T, D}, kGreen);
            break;
        case MillSide:
            pen.Polyline({{E, -D / 2}, {E - T, -D / 2}, {E - T, D / 2}, {E, D / 2}}, kGreen);
            break;
        case InBase:
        case MillFace:
            pen.Circle({E, 0}, D / 2, kGreen);
            break;
        default:
            break;
    }
}

}  // namespace

frmTurret::frmTurret(Module1& m)
    : FigureWindow(m, "frmTurret", "刃物台干渉チェック", 3000, 900, Topmost::AtLoad) {
    // The machine and chuck at the top, then the turret, the machining position and the
    // interference position one frame below the other on the left; the drawing on the right
    // with the readout, the notes and the close button under it.
    Label("Label1", "機種選択").At(0, 0);
    Add("Machine", ControlKind::ComboBox)
        .At(0, 1, 1, 2)
        .Tip("マウスのホイールでも変更出来ます。")
        .Locked = true;
    Label("Label2", "チャック/振り回しサイズ").At(1, 0);
    Add("CHUCK", ControlKind::ComboBox).At(1, 1).Tip("直接入力出来ます。");
    Label("Label3", "←直接入力も出来ます。").At(1, 2);

    Frame("Frame1", "刃物台").At(2, 0, 1, 3);
    Label("Label4", "刃物台角数").In("Frame1").At(0, 0);
    Option("V6", "V6").In("Frame1").At(0, 1);
    Option("V8", "V8", true).In("Frame1").At(0, 2);
    Option("V10", "V10").In("Frame1").At(0, 3);
    Option("V12", "V12").In("Frame1").At(0, 4);
    Option("V16", "V16").In("Frame1").At(0, 5);
    Label("Label5", "中心から取り付け位置").In("Frame1").At(1, 0, 1, 2);
    TextBox("TurretX").In("Frame1").At(1, 2, 1, 2);
    Label("Label6", "旋回中心高さ").In("Frame1").At(2, 0, 1, 2);
    TextBox("TurretY").In("Frame1").At(2, 2, 1, 2);
    Label("Label7", "最大旋回径").In("Frame1").At(3, 0, 1, 2);
    TextBox("MaxDia").In("Frame1").At(3, 2, 1, 2);

    Frame("Frame2", "加工位置").At(3, 0, 1, 3);
    Label("Label8", "加　工　径").In("Frame2").At(0, 0);
    TextBox("CutD").In("Frame2").At(0, 1);
    Label("Label9", "ホルダー種類").In("Frame2").At(1, 0);
    Add("HolderType2", ControlKind::ComboBox).In("Frame2").At(1, 1).Locked = true;
    Label("Label10", "ホルダー高さ").In("Frame2").At(2, 0);
    TextBox("HolderH2").In("Frame2").At(2, 1);
    Label("Label11", "工具径/芯高").In("Frame2").At(3, 0);
    TextBox("ToolD2").In("Frame2").At(3, 1).Tip(kToolDiameterTip);
    Label("Label12", "工具長/シフト").In("Frame2").At(4, 0);
    TextBox("ToolL2").In("Frame2").At(4, 1).Tip("インベースの時はX補正の半分を入れると刃先位置");

    Frame("Frame3", "干渉位置").At(4, 0, 5, 3);
    Option("Side1", "1個となり", true).In("Frame3").At(0, 0);
    Option("Side2", "2個となり").In("Frame3").At(0, 1);
    Option("Side3", "3個となり").In("Frame3").At(0, 2);
    Label("Label13", "ホルダー種類").In("Frame3").At(1, 0);
    Add("HolderType1", ControlKind::ComboBox).In("Frame3").At(1, 1, 1, 2).Locked = true;
    Label("Label14", "ホルダー高さ").In("Frame3").At(2, 0);
    TextBox("HolderH1").In("Frame3").At(2, 1, 1, 2);
    Label("Label15", "工具径/芯高").In("Frame3").At(3, 0);
    TextBox("ToolD1").In("Frame3").At(3, 1, 1, 2).Tip(kToolDiameterTip);
    Label("Label16", "工　具　長").In("Frame3").At(4, 0);
    TextBox("ToolL1").In("Frame3").At(4, 1, 1, 2);

    Control& picture = PictureBox("Picture1");
    picture.At(0, 3, 4, 2).Size(static_cast<int>(kPictureWidth), static_cast<int>(kPictureHeight));
    picture.ForeColor = colors::White;
    picture.Pic = std::make_unique<Picture>(kPictureWidth, kPictureHeight);
    picture.Pic->SetScale(0, 0, kPictureWidth * kTwipsPerPixel, kPictureHeight * kTwipsPerPixel);
    Control& readout = PictureBox("Picture3");
    readout.At(4, 3).Size(220, 18);
    readout.Fixed = true;
    readout.Visible = false;
    readout.Pic = std::make_unique<Picture>(220, 18);

    Label("Label17", "※外径バイトが伏せバイトの時は芯高をマイナスにしてください。").At(5, 3, 1, 2);
    Label("Label18", "※内径バイトの時はX補正の半分をシフトに入れると刃先位置になります。")
        .At(6, 3, 1, 2);
    Label("Label19", "※機種データは\"Machine.csv\"ファイルをエクセルで編集してください。").At(7, 3);
    Button("Command2", "閉じる").At(8, 4);

    On("Machine", Event::Click, [this] { Machine_Click(); });
    On("HolderType1", Event::Click, [this] { HolderType1_Click(); });
    On("HolderType2", Event::Click, [this] { HolderType2_Click(); });
    for (const char* field : {"CHUCK", "CutD", "HolderH1", "HolderH2", "ToolD1", "ToolD2", "ToolL1",
                              "ToolL2", "TurretX", "TurretY", "MaxDia"})
        On(field, Event::Change, [this] { RunRecalculate(); });
    RecalculateOnClick({"CHUCK", "V6", "V8", "V10", "V12", "V16", "Side1", "Side2", "Side3"});
    OnMouse("Picture1", [this](const MouseArgs& a) { Picture1_MouseMove(a.x, a.y); });
    OnMouse(kForm, [this](const MouseArgs&) { (*this)["Picture3"].Visible = false; });
    CloseButton("Command2");
}

void frmTurret::Form_Load() {
    FigureWindow::Form_Load();
    LoadMachineData();
    (*this)["CHUCK"].Items = kChucks;
    (*this)["HolderType1"].Items = kHolderTypes;
    (*this)["HolderType2"].Items = kHolderTypes;
    // Choosing the types runs their click handlers, for record 0 as no machine is chosen yet.
    const auto choose = [this](const char* list, int index) {
        Control& c = (*this)[list];
        c.ListIndex = index;
        SetText(list, c.Items[static_cast<size_t>(index)]);
    };
    choose("HolderType1", InBase);
    HolderType1_Click();
    choose("HolderType2", OutA);
    HolderType2_Click();
}

void frmTurret::LoadMachineData() {
    MachineData = M().MachineTableFolders.empty()
                      ? LoadMachineTable(M().files, M().ProgramFolder)
                      : LoadMachineTable(M().files, M().MachineTableFolders);
    Control& machine = (*this)["Machine"];
    machine.Items.clear();
    if (!MachineData) {
        MissingFileMessage();
        return;
    }
    for (const MachineTable::Record& record : MachineData->Records())
        machine.Items.push_back(record[kName]);
}

void frmTurret::MissingFileMessage() {
    Picture& p = Figure();
    p.SetScale(0, 0, kPictureWidth * kTwipsPerPixel, kPictureHeight * kTwipsPerPixel);
    p.ForeColor = colors::Result;
    p.CurrentX = 1500;
    p.CurrentY = 2500;
    p.Print(kMissingFile);
    p.ForeColor = colors::White;
}

const std::string& frmTurret::Field(size_t field) const {
    static const std::string kEmpty;
    return MachineData ? MachineData->Field(static_cast<size_t>(MachineIndex), field) : kEmpty;
}

void frmTurret::Machine_Click() {
    const int index = (*this)["Machine"].ListIndex;
    if (index < 0) return;
    MachineIndex = static_cast<std::int16_t>(index);
    for (const auto& [option, count] : kStations)
        if (Field(kStationCount) == std::to_string(count)) SetValue(option, true);
    SetText("TurretX", Field(kTurretX));
    SetText("TurretY", Field(kTurretY));
    SetText("MaxDia", Field(kMaxDia));
    HolderType1_Click();
    HolderType2_Click();
    RunRecalculate();
}

void frmTurret::HolderType1_Click() {
    FillHolder("HolderType1", "HolderH1", "ToolD1", "ToolL1");
}

void frmTurret::HolderType2_Click() {
    FillHolder("HolderType2", "HolderH2", "ToolD2", "ToolL2");
    RunRecalculate();
}

void frmTurret::FillHolder(const char* typeList, const char* height, const char* diameter,
                           const char* length) {
    Trapped([&] {
        switch ((*this)[typeList].ListIndex) {
            case OutA:
            case OutB:
            case OutFace: {
                const int type = (*this)[typeList].ListIndex;
                SetText(height, Field(type == OutA   ? kHolderOutA
                                      : type == OutB ? kHolderOutB
                                                     : kHolderOutFace));
                SetText(diameter, Field(kToolOut));
                SetText(length, type == OutFace ? kFaceToolLength : Field(kLengthOut));
                break;
            }
            case InBase:
                SetText(height, Field(kHolderInBase));
                SetText(diameter, Field(kToolInBase));
                SetText(length, "");
                break;
            case MillFace:
                SetText(height, Field(kHolderMillFace));
                SetText(diameter, Field(kToolMill));
                SetText(length, "");
                break;
            case MillSide: {
                SetText(height, Field(kHolderMillSide));
                SetText(diameter, Field(kToolMill));
                // The side mill reaches from the holder to the swing diameter.
                const double maxDia = FieldNumber(kMaxDia);
                if (maxDia > 0) {
                    const double tx = ReadNumber(Text("TurretX"));
                    const double h = ReadNumber(Text(height));
                    SetText(length, PlainDecimal(chk::sub(chk::sub(maxDia / 2, tx), h)));
                } else {
                    SetText(length, Text(diameter));
                }
                break;
            }
            default:
                break;
        }
    });
}

void frmTurret::Recalculate() {
    Picture& p = Figure();
    p.Cls();
    if (Text("TurretX").empty()) {
        // Without a machine table the message stays until the turret is typed in.
        if (!MachineData) MissingFileMessage();
        return;
    }
    const double TY = ReadNumber(Text("TurretY"));
    const double TX = ReadNumber(Text("TurretX"));
    int N = 16;
    for (const auto& [option, count] : kStations)
        if ((*this)[option].Value) {
            N = count;
            break;
        }
    const double alpha = Pi / N;
    const double L = chk::div(TX, exact::cos(alpha));

    const double cutD = ReadNumber(Text("CutD"));
    const double holderH2 = ReadNumber(Text("HolderH2"));
    const double toolL2 = ReadNumber(Text("ToolL2"));
    const double toolD1 = ReadNumber(Text("ToolD1"));
    const double toolD2 = ReadNumber(Text("ToolD2"));
    const int S = (*this)["Side1"].Value ? 1 : (*this)["Side2"].Value ? 2 : 3;

    // Equal scale on both axes, 3 TX high; the spindle axis (the origin) 30 % from the left
    // and 62 % from the top.
    const double height = chk::mul(3, TX);
    const double width = chk::div(chk::mul(kPictureWidth, height), kPictureHeight);
    p.SetScale(-0.3 * width, -0.62 * height, width, height);
    DrawAxes();

    const double W = chk::add(chk::add(chk::add(toolL2, holderH2), TX), cutD / 2);
    const Turret t{W, TY, TX, N, alpha, L};
    DrawTurret(t);
    DrawCuttingTool(t, {(*this)["HolderType2"].ListIndex, holderH2, toolD2, toolL2});
    DrawInterferingTool(t, S, toolD1);
    DrawChuck(cutD);
    DrawSwingCircle(t);
}

void frmTurret::DrawAxes() {
    Picture& p = Figure();
    p.Style = DrawStyle::DashDot;
    p.Line(-5000, 0, 10000, 0, colors::GrayText);
    p.Line(0, -1000, 0, 1000, colors::GrayText);
    p.Style = DrawStyle::Solid;
}

void frmTurret::DrawTurret(const Turret& t) {
    Picture& p = Figure();
    const double cy = -t.TY;
    p.Line(t.W - 10, cy, t.W + 10, cy, colors::GrayText);
    p.Line(t.W, cy - 10, t.W, cy + 10, colors::GrayText);
    if (FieldNumber(kHolderInBase) > 0) {
        // Corners at odd multiples of alpha for 8, 12 and 16 stations, at even ones for 6 and
        // 10: either way a face, not a corner, looks at the spindle.
        const double first = (t.N == 6 || t.N == 10) ? 0 : t.alpha;
        const auto corner = [&](int k) {
            const double a = first + 2 * k * t.alpha;
            return Point{t.W + t.L * exact::sin(a), cy + t.L * exact::cos(a)};
        };
        for (int k = 0; k < t.N; ++k) {
            const Point a = corner(k), b = corner(k + 1);
            p.Line(a.x, a.y, b.x, b.y, kYellow);
        }
    } else {
        const double r = FieldNumber(kToolInBase) + std::sqrt(t.TY * t.TY + t.TX * t.TX);
        p.Circle(t.W, cy, r, kYellow);
    }
}

void frmTurret::DrawCuttingTool(const Turret& t, const Station& s) {
    DrawStation(t, s, 0);
}

void frmTurret::DrawInterferingTool(const Turret& t, int S, double toolD1) {
    const Station s{(*this)["HolderType1"].ListIndex, ReadNumber(Text("HolderH1")), toolD1,
                    ReadNumber(Text("ToolL1"))};
    DrawStation(t, s, S * 2 * t.alpha);
}

void frmTurret::DrawStation(const Turret& t, const Station& s, double theta) {
    Picture& p = Figure();
    StationPen pen(p, t.W, t.TY, theta);
    const double F = t.W - t.TX;                 // the mounting face
    const double h = t.L * exact::sin(t.alpha);  // half the face's width
    const double E = F - s.H;                    // the holder's end
    const double C = FieldNumber(kToolInBase);
    const bool boring = s.type == InBase || s.type == MillFace;

    p.Style = DrawStyle::Dot;
    if (boring)
        pen.Polyline({{F, -0.8 * h},
                      {E - C / 3, -0.8 * h},
                      {E - 0.8 * C, -h / 2},
                      {E - 0.8 * C, h / 2},
                      {E - C / 3, 0.8 * h},
                      {F, 0.8 * h}},
                     kYellow);
    else
        pen.Box({F, 0.8 * h}, {E, -0.8 * h}, kYellow);
    if (FieldNumber(kHolderInBase) == 0) {
        // A turret without boring bases: the holder's back part sits inside it.
        pen.Polyline({{F, 0.8 * h},
                      {F + C / 3, 0.8 * h},
                      {F + 0.8 * C, h / 2},
                      {F + 0.8 * C, -h / 2},
                      {F + C / 3, -0.8 * h},
                      {F, -0.8 * h}},
                     kYellow);
    } else if (boring) {
        pen.Polyline({{F, 0.8 * h}, {F, -0.8 * h}}, kYellow);
    }
    p.Style = DrawStyle::Solid;
    DrawTool(pen, s.type, E, s.T, s.D);
}

void frmTurret::DrawChuck(double cutD) {
    Picture& p = Figure();
    const Control& chuck = (*this)["CHUCK"];
    const std::string& text = chuck.Text;
    bool listed = false;
    for (const std::string& item : chuck.Items) listed = listed || item == text;
    // A chosen entry ends with the chuck's diameter in millimetres.
    const double diameter = ReadNumber(listed ? text.substr(text.size() - 3) : text);
    p.Circle(0, 0, diameter / 2, colors::Magenta);
    p.Circle(0, 0, cutD / 2, colors::White);
}

void frmTurret::DrawSwingCircle(const Turret& t) {
    if (Text("MaxDia").empty()) return;
    Picture& p = Figure();
    p.Style = DrawStyle::Dot;
    p.Circle(t.W, -t.TY, ReadNumber(Text("MaxDia")) / 2, colors::GrayText);
    p.Style = DrawStyle::Solid;
}

void frmTurret::Picture1_MouseMove(double x, double y) {
    (*this)["Picture1"].CrossPointer = true;
    Picture& p = ShowReadoutBox((*this)["Picture3"]);
    if (Text("TurretX").empty()) return;
    // Mouse coordinates are single precision; the diameter through the pointer is the
    // distance from the spindle axis, doubled.
    const float xs = ToSingle(x), ys = ToSingle(y);
    const double r = exact::hypot(static_cast<double>(xs), static_cast<double>(ys));
    p.Print("X" + PrintSingle(std::floor(xs)) + " Y" + PrintSingle(std::floor(-ys)) + " φ" +
            PrintSingle(ToSingle(std::floor(2 * r))));
}

}  // namespace quillon
