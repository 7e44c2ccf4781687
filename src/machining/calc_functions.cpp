#include "machining/calc_functions.h"

#include <cmath>

#include "shell/checked.h"
#include "shell/module1.h"
#include "shell/numtext.h"

namespace quillon::calc {
namespace {

// The prompts of the four sequences with fixed texts, one per value.
const std::vector<const char*>& Prompts(Function f) {
    static const std::vector<const char*> n = {"切削速度（m/min) =", "直径(mm) ="};
    static const std::vector<const char*> v = {"回転数(min-1) =", "直径(mm) ="};
    static const std::vector<const char*> feed = {
        "面粗さ(Ra=1,Rz=2) =", "面粗さ(μm) =", "ノーズR(mm) ="};
    static const std::vector<const char*> t = {
        "回転数(min-1) =", "送り速度(mm/rev) =", "加工長(mm) ="};
    static const std::vector<const char*> none;
    switch (f) {
        case Function::N:
            return n;
        case Function::V:
            return v;
        case Function::F:
            return feed;
        case Function::T:
            return t;
        case Function::Angle:
            break;
    }
    return none;
}

// Whole minutes and the like with at least two digits: "05分", "01:".
std::string TwoDigits(double v) {
    return FixedText(v, 2, 0);
}

// The degrees of the angle entry, and the minutes once taken: "30度", "30度15分".
std::string AngleSoFar(const std::vector<double>& taken) {
    std::string t = NcNumber(taken[0]) + "度";
    if (taken.size() > 1) t += TwoDigits(taken[1]) + "分";
    return t;
}

// A speed shown as a whole number (halves to even) and copied as its NC text.
Result Rounded(const char* label, double value) {
    Result r;
    r.label = label;
    r.display = NumberText(std::nearbyint(value));
    r.clipboard = NcNumber(StrictNumber(r.display));
    return r;
}

}  // namespace

int ValueCount(Function f) {
    return f == Function::Angle ? 3 : static_cast<int>(Prompts(f).size());
}

std::string Prompt(Function f, const std::vector<double>& taken) {
    if (f != Function::Angle) return Prompts(f)[taken.size()];
    switch (taken.size()) {
        case 0:
            return "度 =";
        case 1:
            return AngleSoFar(taken) + "　分 =";
        default:
            return AngleSoFar(taken) + "  秒 =";
    }
}

double Taken(Function f, size_t step, double display) {
    // The degrees go on as their NC text shows them.
    if (f == Function::Angle && step == 0) NcNumberInPlace(display);
    return display;
}

Result Finish(Function f, const std::vector<double>& values) {
    Result r;
    switch (f) {
        case Function::N:
            // Spindle speed from cutting speed and diameter.
            r = Rounded("回転数(min-1) =",
                        chk::div(chk::div(chk::mul(1000, values[0]), Pi), values[1]));
            break;
        case Function::V:
            // Cutting speed from spindle speed and diameter.
            r = Rounded("切削速度（m/min) =",
                        chk::div(chk::mul(chk::mul(values[0], Pi), values[1]), 1000));
            break;
        case Function::F: {
            const double kind = values[0], radius = values[2];
            // An Ra value is turned into Rz for the computation only: the value taken stays
            // as entered, so a retry after a failure converts it once again, not twice.
            const double rz = kind == 1 ? chk::mul(4, values[1]) : values[1];
            const double feed = chk::sqrt(chk::mul(chk::mul(rz, 8), radius) / 1000);
            r.label = "送り速度(mm/rev)=";
            r.display = NcNumber(feed);
            r.clipboard = NcNumber(StrictNumber(r.display));
            break;
        }
        case Function::T: {
            const double n = values[0], feed = values[1], length = values[2];
            const double t = chk::mul(chk::div(chk::div(length, n), feed), 60);  // seconds
            double minutes = std::floor(t / 60 + 0.00001);
            const double seconds = t - minutes * 60;
            const double hours = std::floor(minutes / 60);
            minutes -= hours * 60;
            r.label = "加工時間 ";
            r.display =
                TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + FixedText(seconds, 2, 1);
            r.clipboard = r.display;
            break;
        }
        case Function::Angle: {
            const double dg = values[0], mn = values[1], sc = values[2];
            r.label = AngleSoFar(values) + TwoDigits(sc) + "秒  =";
            r.display = NcNumber(chk::finite((dg + mn / 60) + sc / 3600));
            r.clipboard = r.display;
            break;
        }
    }
    return r;
}

std::string DegreesMinutesSeconds(double x) {
    const double d = std::floor(x);
    const double m = std::floor(chk::mul(x - d, 60));
    const double s = chk::mul((x - d) - m / 60, 3600);
    return NcNumber(d) + "'" + NcNumber(m) + "'" + NcNumber(s);
}

}  // namespace quillon::calc
