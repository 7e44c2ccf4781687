// frmLine2Circle2 through quillon-cli: the two arcs between two parallel lines in both line
// directions and circle positions, the fields that clear each other, the rounded values the
// later results are computed from, the copies and the figure.
#include "support/text_rows.h"

namespace quillon::testkit {
namespace {

using Steps = std::vector<std::string>;

// Horizontal lines X50 and X30 (h = 10), R1 = R2 = 5, Z1 = 0, each field typed and left.
const Steps kStep = TypeAndLeave(
    {{"Text1", "50"}, {"Text2", "0"}, {"Text3", "5"}, {"Text4", "30"}, {"Text6", "5"}});
// Vertical lines Z0 and Z-10, R1 = R2 = 5, X1 = 40.
const Steps kFace =
    Steps{"click:Option4"} +
    TypeAndLeave(
        {{"Text1", "40"}, {"Text2", "0"}, {"Text3", "5"}, {"Text5", "-10"}, {"Text6", "5"}});
const char* kXNote = "Label21=※X軸位置は接点１・接点２．接点３のいずれかを入力してください。";

const TextRow kRows[] = {
    {"HorizontalStep",
     kStep + Steps{"click:Command4"},
     {"Text5=10", "Text7=40", "Text8=5", "Text9=40", "Text10=0", "Text11=0", "Text12=-5",
      "Text13=40", "Text14=10", "Text15=0", "Text16=5"},
     "X40 Z5"},
    {"CircleOneOnThePlusSide",
     kStep + Steps{"click:Option2"},
     {"Text5=-10", "Text8=-5", "Text12=5", "Text16=-5"}},
    // Z of contact 3 typed: Z1 and Z2 are cleared on leaving it and follow from Z3.
    {"ContactThreeGivesTheOthers",
     kStep + TypeAndLeave({{"Text8", "3"}}),
     {"Text2=-2", "Text5=8", "Text8=3", "Text10=-2"}},
    {"LeavingZ2ClearsZ1AndZ3",
     TypeAndLeave({{"Text2", "1"}, {"Text8", "3"}, {"Text5", "2"}}),
     {"Text2=", "Text5=2", "Text8="}},
    {"HorizontalLeavesXFieldsAlone",
     TypeThenLeave({"Text1=50", "Text4=30"}, "Text1"),
     {"Text4=30"}},
    {"NoZGivenPutsAllAtZero",
     TypeThenLeave({"Text1=50", "Text3=5", "Text4=30", "Text6=5"}, "Text6"),
     {"Text2=0", "Text5=0", "Text8=0", "Text12=0"}},
    // Each value rounded as written: Text11 and Text15 from the rounded centres and contact
    // point 3, Text12 and Text16 from the values before Z1 and Z2 were rounded.
    {"HorizontalLaterResultsFromWrittenValues",
     TypeThenLeave({"Text1=50", "Text2=1.0005", "Text3=3", "Text4=30", "Text6=6"}, "Text6"),
     {"Text2=1", "Text5=9.945", "Text7=43.333", "Text8=3.982", "Text11=0.334", "Text12=-2.981",
      "Text15=-0.666", "Text16=5.963"}},
    {"VerticalLaterResultsFromWrittenValues",
     Steps{"click:Option4"} +
         TypeThenLeave({"Text1=40.0005", "Text2=0", "Text3=3", "Text5=-10", "Text6=6"}, "Text6"),
     {"Text1=40", "Text4=57.889", "Text7=45.963", "Text8=-3.333", "Text10=-3", "Text11=-2.982",
      "Text12=0.333", "Text14=-4", "Text15=5.963", "Text16=-0.667"}},
    {"VerticalFaces",
     kFace + Steps{"click:Command3"},
     {"Text4=60", "Text7=50", "Text8=-5", "Text9=40", "Text10=-5", "Text11=-5", "Text12=0",
      "Text14=-5", "Text15=5", kXNote},
     "X60 Z-10"},
    {"VerticalContactThreeGivesTheOthers",
     kFace + TypeAndLeave({{"Text7", "30"}}) + Steps{"click:Command4"},
     {"Text1=20", "Text4=40", "Text7=30"},
     "X30 Z-5"},
    {"BackToHorizontal",
     Steps{"click:Option4", "click:Option3"},
     {"Label21=※Z軸位置は接点１・接点２．接点３のいずれかを入力してください。"}},
};

class Line2Circle2Cli : public ::testing::TestWithParam<TextRow> {};

TEST_P(Line2Circle2Cli, ShowsTheTexts) {
    ExpectTexts("frmLine2Circle2", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, Line2Circle2Cli, ::testing::ValuesIn(kRows), RowName);

TEST(Line2Circle2Cli, LinesTooFarApartShowNoSolution) {
    const Json j = RunCli("frmLine2Circle2", kStep + TypeAndLeave({{"Text4", "10"}}));
    EXPECT_EQ(Outline(j["pictures"]["Picture1"]),
              (Steps{"scale", "print #FF0000 交点が求まりません!!"}));
    EXPECT_EQ(j["texts"]["Text8"], "5");  // the results of the pass before
}

TEST(Line2Circle2Cli, DirectionSwapsTheTypedContactThreeField) {
    const Json grey = Json::array(
        {"Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16"});
    EXPECT_EQ(RunCli("frmLine2Circle2", {})["locked"], Json::array({"Text7"}) + grey);
    const Json vertical = RunCli("frmLine2Circle2", {"click:Option4"});
    EXPECT_EQ(vertical["locked"], Json::array({"Text8"}) + grey);
    EXPECT_EQ(vertical["focus"], "Text1");
    // Enter from R2 goes to Text8 in either direction; from contact 3 back to Text1.
    EXPECT_EQ(RunCli("frmLine2Circle2", {"click:Option4", "focus:Text6", "key:Enter"})["focus"],
              "Text8");
    EXPECT_EQ(RunCli("frmLine2Circle2", {"focus:Text8", "key:Enter"})["focus"], "Text1");
    EXPECT_EQ(RunCli("frmLine2Circle2", {"focus:Text7", "key:Enter"})["focus"], "Text1");
}

TEST(Line2Circle2Cli, FigureOfTheStep) {
    const Json ops = RunCli("frmLine2Circle2", kStep)["pictures"]["Picture1"];
    Steps outline{"scale", "line #FFFF0F", "line #FFFF0F", "circle #FFFF0F", "circle #FFFF0F"};
    outline.insert(outline.end(), 10, "line #FF0000");
    outline.insert(outline.end(), {"print #00FF00 1", "print #00FF00 2", "print #00FF00 3"});
    EXPECT_EQ(Outline(ops), outline);
    const double w = 4 * 10 * 1.812;
    EXPECT_EQ(
        ops[0],
        (Json{{"op", "scale"}, {"left", -w / 2 + 5}, {"top", -40}, {"width", w}, {"height", 40}}));
    EXPECT_EQ(ops[4]["x"], 10);
    EXPECT_DOUBLE_EQ(ops[7]["x2"].get<double>(), 5 + w * 0.007);     // contact 3, across
    EXPECT_DOUBLE_EQ(ops[10]["y1"].get<double>(), -25 - w * 0.007);  // contact 1, upright
}

TEST(Line2Circle2Cli, PreviewsTheGivenLines) {
    auto picture = [](const Steps& steps) {
        return RunCli("frmLine2Circle2", steps)["pictures"]["Picture1"];
    };
    const Json one = picture(TypeAndLeave({{"Text4", "30"}}));
    EXPECT_EQ(
        one[0],
        (Json{{"op", "scale"}, {"left", -906}, {"top", -515}, {"width", 1812}, {"height", 1000}}));
    EXPECT_EQ(one[1]["y1"], -15);
    const Json two = picture(TypeAndLeave({{"Text1", "50"}, {"Text4", "30"}}));
    EXPECT_EQ(Outline(two), (Steps{"scale", "line #FFFF0F", "line #FFFF0F"}));
    EXPECT_EQ(two[0]["top"], -30);
    EXPECT_EQ(picture(Steps{"click:Option4"} + TypeAndLeave({{"Text2", "7"}}))[0]["left"], -899);
    const Json faces =
        picture(Steps{"click:Option4"} + TypeAndLeave({{"Text2", "0"}, {"Text5", "-10"}}));
    EXPECT_EQ(faces[0]["top"], 10);
    EXPECT_EQ(faces[1]["x1"], 0);
}

}  // namespace
}  // namespace quillon::testkit
