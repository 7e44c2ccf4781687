// frmLineAngle end to end: the missing end position, end diameter or angle of a taper.
#include "support/text_rows.h"

namespace quillon::testkit {
namespace {

// Start point X20 Z0 and the given fields typed, then the further steps.
std::vector<std::string> From20(const std::vector<std::string>& fields,
                                const std::vector<std::string>& then) {
    std::vector<std::string> steps{"set:Text1=20", "set:Text2=0"};
    for (const auto& f : fields) steps.push_back("set:" + f);
    return steps + then;
}

const TextRow kRows[] = {
    // Leaving X2 gives Z2; leaving Z2 gives X2 from the angle, or the angle from X2.
    {"EndPositionFromAngle", From20({"Text3=45", "Text4=40"}, {"leave:Text4"}), {"Text5=10"}},
    {"EndPositionOfThirtyDegrees",
     From20({"Text3=30", "Text4=40"}, {"leave:Text4"}),
     {"Text5=17.321"}},
    {"EndDiameterFromAngle", From20({"Text3=45", "Text5=-10"}, {"leave:Text5"}), {"Text4=0"}},
    {"AngleBackwardsRising", From20({"Text4=40", "Text5=-10"}, {"leave:Text5"}), {"Text3=135"}},
    {"AngleForwardRising", From20({"Text4=40", "Text5=10"}, {"leave:Text5"}), {"Text3=45"}},
    {"AngleBackwardsFalling", From20({"Text4=0", "Text5=-10"}, {"leave:Text5"}), {"Text3=-135"}},
    {"AngleForwardFalling", From20({"Text4=0", "Text5=10"}, {"leave:Text5"}), {"Text3=-45"}},
    // Straight back along the Z axis is 0, not 180: both describe the same line.
    {"AngleStraightBack", From20({"Text4=20", "Text5=-10"}, {"leave:Text5"}), {"Text3=0"}},
    // A given angle is never recomputed: X2 is, replacing the typed one.
    {"GivenAngleRecomputesX2",
     From20({"Text3=45", "Text4=99", "Text5=10"}, {"leave:Text5"}),
     {"Text3=45", "Text4=40"}},
    {"BlankAngleIsZero",
     From20({"Text3= ", "Text4=99", "Text5=10"}, {"leave:Text5"}),
     {"Text3= ", "Text4=20"}},
    {"LenientReading", From20({"Text3=45deg", "Text4=4 0mm"}, {"leave:Text4"}), {"Text5=10"}},
    // Faults and lines along or across the Z axis leave the target field as it was.
    {"ZeroAngleKeepsZ2", From20({"Text3=0", "Text4=40", "Text5=7"}, {"leave:Text4"}), {"Text5=7"}},
    {"HalfTurnKeepsZ2", From20({"Text3=180", "Text4=40", "Text5=7"}, {"leave:Text4"}), {"Text5=7"}},
    {"MinusThreeHalfTurnsKeepsZ2",
     From20({"Text3=-540", "Text4=40", "Text5=7"}, {"leave:Text4"}),
     {"Text5=7"}},
    {"HalfTurnStillGivesX2", From20({"Text3=180", "Text5=-10"}, {"leave:Text5"}), {"Text4=20"}},
    {"QuarterTurnKeepsX2",
     From20({"Text3=90", "Text4=33", "Text5=-10"}, {"leave:Text5"}),
     {"Text4=33"}},
    {"QuarterTurnGivesZ2", From20({"Text3=90", "Text4=40"}, {"leave:Text4"}), {"Text5=0"}},
    {"SameZKeepsAngle", From20({"Text3=", "Text4=40", "Text5=0"}, {"leave:Text5"}), {"Text3="}},
    {"OverflowKeepsZ2",
     From20({"Text3=45", "Text4=1e308", "Text5=7"}, {"set:Text1=-1e308", "leave:Text4"}),
     {"Text5=7"}},
    // Nothing happens without the fields each computation needs, nor on leaving the others.
    {"NoStartNoZ2", {"set:Text2=0", "set:Text3=45", "set:Text4=40", "leave:Text4"}, {"Text5="}},
    {"NoAngleNoX2NoResult", From20({"Text5=10"}, {"leave:Text5"}), {"Text3=", "Text4="}},
    {"LeavingTheAngleComputesNothing",
     From20({"Text3=45", "Text4=40"}, {"leave:Text1", "leave:Text2", "leave:Text3"}),
     {"Text5="}},
    // Enter walks the fields; from Z2 to the first copy button, recomputing X2 on the way.
    {"EnterFromZ2RecomputesX2AndMovesToCopy",
     From20({"Text3=45", "Text4=40"}, {"focus:Text4", "key:Enter", "key:Enter"}),
     {"Text4=40", "Text5=10"},
     std::nullopt,
     "Command1"},
    {"ClearEmptiesEveryFieldAndFocusesX1",
     From20({"Text3=45", "Text4=40", "Text5=10"}, {"focus:Text3", "click:Command6"}),
     {"Text1=", "Text2=", "Text3=", "Text4=", "Text5="},
     std::nullopt,
     "Text1"},
    {"OpensWithFocusInX1",
     {},
     {"Label6=始点とＡ，Ｘ２，Ｚ２のいずれか２箇所を入力してください。"},
     std::nullopt,
     "Text1"},
    // The copies take the fields as they stand.
    {"CopyEndPoint", {"set:Text4=45.2", "set:Text5=-30", "click:Command4"}, {}, "X45.2 Z-30"},
    {"CopyEndDiameter", {"set:Text4=45.2", "set:Text5=-30", "click:Command1"}, {}, "X45.2"},
    {"CopyEndPosition", {"set:Text4=45.2", "set:Text5=-30", "click:Command3"}, {}, "Z-30"},
    {"CopyAngle", {"set:Text3=30", "click:Command5"}, {}, "A30"},
    {"CopyComputedAngle",
     From20({"Text4=0", "Text5=-10"}, {"leave:Text5", "click:Command5"}),
     {},
     "A-135"},
};

class LineAngleCli : public ::testing::TestWithParam<TextRow> {};

TEST_P(LineAngleCli, ShowsTheTexts) {
    ExpectTexts("frmLineAngle", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, LineAngleCli, ::testing::ValuesIn(kRows), RowName);

// The sketch is drawn once: no computation touches it.
TEST(LineAngleCliSketch, StaysAsDrawnWhileComputing) {
    const Json before = RunWindow("frmLineAngle", {});
    const Json after =
        RunWindow("frmLineAngle", From20({"Text3=45", "Text4=40"}, {"leave:Text4", "paint"}));
    EXPECT_EQ(before["pictures"]["Picture1"], after["pictures"]["Picture1"]);
    std::vector<std::string> labels;
    for (const auto& op : before["pictures"]["Picture1"])
        if (op["op"] == "print") labels.push_back(op["text"]);
    EXPECT_EQ(labels, (std::vector<std::string>{"Z", "A", "X1,Z1", "X2,Z2"}));
}

}  // namespace
}  // namespace quillon::testkit
