// The window table. Adding a window: include its header and give its factory below.
#include "app/registry.h"

#include "app/menu.h"
#include "fkeyreg/Orbane.h"
#include "geometry/frmBoltCircle.h"
#include "geometry/frmCircleCircle.h"
#include "geometry/frmCirclePoint.h"
#include "geometry/frmContourCheck.h"
#include "geometry/frmLine2Circle2.h"
#include "geometry/frmLineAngle.h"
#include "geometry/frmLineR.h"
#include "geometry/frmLineRLine.h"
#include "geometry/frmLineRPoint.h"
#include "geometry/frmNeck1.h"
#include "geometry/frmNoseR.h"
#include "geometry/frmXY_XC.h"
#include "machining/frmCalc.h"
#include "machining/frmComment.h"
#include "machining/frmCopyLog.h"
#include "machining/frmRPM.h"
#include "machining/frmStopWatch.h"
#include "machining/frmThreadData.h"
#include "machining/frmTurret.h"

namespace quillon {
namespace {

template <typename T>
std::function<std::unique_ptr<Form>(Module1&)> Make() {
    return [](Module1& m) { return std::make_unique<T>(m); };
}

}  // namespace

const std::vector<WindowInfo>& ToolbarWindows() {
    static const std::vector<WindowInfo> table = {
        {"frmRPM", "回転数", "周速と回転数の計算", "rpm", Make<frmRPM>()},
        {"frmTurret", "刃物台干渉", "刃物台干渉チェック", "turret", Make<frmTurret>()},
        {"frmLineAngle", "直線と角度", "座標から角度、角度から座標が求められます。", "line_angle",
         Make<frmLineAngle>()},
        {"frmLineRPoint", "1点を通り直線に接する円", "1点を通り直線と接する円", "line_r_point",
         Make<frmLineRPoint>()},
        {"frmCircleCircle", "2円の交点", "2円の交点", "circle_circle", Make<frmCircleCircle>()},
        {"frmLine2Circle2", "2直線と2円", "2直線と2円", "line2_circle2", Make<frmLine2Circle2>()},
        {"frmLineRLine", "2直線と接する円", "2直線と接する円", "line_r_line", Make<frmLineRLine>()},
        {"frmXY_XC", "XY-XC変換", "XY-XC変換", "xy_xc", Make<frmXY_XC>()},
        {"frmNeck1", "ヌスミ形状1", "ヌスミ形状1", "neck1", Make<frmNeck1>()},
        {"frmCirclePoint", "円に接する点", "円に接する点", "circle_point", Make<frmCirclePoint>()},
        {"frmLineR", "直線と円の交点", "直線と円の交点", "line_r", Make<frmLineR>()},
        {"frmNoseR", "Nose-R", "ノーズＲの補正量の計算", "nose_r", Make<frmNoseR>()},
        {"", "Bar1", "", "", {}, true},
        {"frmComment", "コメント入力", "リストからの選択や 日本語入力も出来ます。", "comment",
         Make<frmComment>()},
        {"frmThreadData", "ThreadData", "ネジのピッチ・下穴径などを表示します。", "thread",
         Make<frmThreadData>()},
        {"frmStopWatch", "ストップウォッチ", "ストップウォッチ　複数のラップタイムが測定可。",
         "stopwatch", Make<frmStopWatch>()},
        {"frmCalc", "電卓", "関数電卓、値をコピーが出来ます。", "calc", Make<frmCalc>()},
    };
    return table;
}

const std::vector<WindowInfo>& MenuWindows() {
    static const std::vector<WindowInfo> table = {
        {"frmCopyLog", "コピー履歴", "コピー履歴", "copy_log", Make<frmCopyLog>()},
        {"frmBoltCircle", "穴位置 P.C.D.", "", "", Make<frmBoltCircle>()},
        {"frmContourCheck", "形状チェック", "NCブロックの形状を図と一覧でチェックします。", "",
         Make<frmContourCheck>()},
    };
    return table;
}

const std::vector<WindowInfo>& StandaloneWindows() {
    static const std::vector<WindowInfo> table = {
        {kMenuClass, "", "", "", Make<Menu>()},
        {"Orbane", "", "", "orbane", Make<Orbane>()},
        {"OrbaneCalculator", "", "", "orbane_calculator", Make<OrbaneCalculator>()},
    };
    return table;
}

const WindowInfo* FindWindowInfo(const std::string& className) {
    if (className.empty()) return nullptr;
    for (const auto* list : {&ToolbarWindows(), &MenuWindows(), &StandaloneWindows()})
        for (const auto& w : *list)
            if (w.className == className) return &w;
    return nullptr;
}

std::vector<std::string> BuiltWindowClasses() {
    std::vector<std::string> names;
    for (const auto* list : {&ToolbarWindows(), &MenuWindows(), &StandaloneWindows()})
        for (const auto& w : *list)
            if (w.create) names.push_back(w.className);
    return names;
}

const WindowInfo* FindToolbarKey(const std::string& key) {
    for (const auto& w : ToolbarWindows())
        if (w.key == key) return &w;
    return nullptr;
}

}  // namespace quillon
