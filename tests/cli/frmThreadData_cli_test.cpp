// frmThreadData end to end: every tab's list, header and note through quillon-cli.
#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

struct Tab {
    int index;
    const char* header;
    const char* note;
    size_t rows;
    size_t width;  // every line is this long: the columns line up
    const char* first;
    const char* last;
};

void PrintTo(const Tab& tab, std::ostream* os) {
    *os << "tab " << tab.index;
}

const Tab kTabs[] = {
    {1, "呼び径   ピッチ    下穴径     高さ", "刃先角 60°", 15, 35,
     "M2       0.400     1.600      0.260", "M36      4.000    32.000      2.600"},
    {2, "呼び径   山数     ピッチ    下穴径    高さ", "刃先角 60°", 17, 43,
     "NO1       64      0.3969     1.550    0.215", "U2         4.5    5.6444    45.000    3.055"},
    {3, "呼び径   山数     ピッチ    下穴径", "刃先角 55°", 9, 34,
     "PF1/8     28      0.9071     8.700", "PF2       11      2.3091    57.000"},
    {4, "呼び径   山数     ピッチ    下穴径    高さ",
     "刃先角 55°テーパー1/16  角度1.79°旧規格名PTとほぼ同様", 16, 43,
     "Rc1/16    28      0.9071     6.200    0.581", "Rc6       11      2.3091   159.000    1.479"},
    {5, "呼び径   山数     ピッチ    下穴径    高さ", "刃先角 55°", 16, 43,
     "PS1/16    28      0.9071     6.500    0.581", "PS6       11      2.3091   161.000    1.479"},
    {6, "呼び径   山数     ピッチ    下穴径", "刃先角 60°", 11, 34,
     "NPT1/16   27      0.9407     6.150", "NPT2-1/2   8      3.1750    66.270"},
    {7, "呼び径   山数     ピッチ    下穴径", "刃先角 60°", 11, 34,
     "NPS1/16   27      0.9407     6.350", "NPS2-1/2   8      3.1750    67.460"},
    {8, "呼び径    山数     ピッチ    下穴径", "刃先角 60°", 9, 35,
     "NPTF1/8    27      0.9407     8.430", "NPTF2      11.5    2.2087    55.580"},
    {9, "呼び径    山数     ピッチ    下穴径", "刃先角 60°", 9, 35,
     "NPSF1/8    27      0.9407     8.610", "NPSF2      11.5    2.2087    56.350"},
};

size_t Characters(const std::string& s) {
    size_t n = 0;
    for (const unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

class ThreadDataTab : public ::testing::TestWithParam<Tab> {};

TEST_P(ThreadDataTab, ShowsItsTable) {
    const Tab& tab = GetParam();
    const Json j = RunCli("frmThreadData", {"click:TabStrip1=" + std::to_string(tab.index)});
    EXPECT_EQ(j["texts"]["Text1"], tab.header);
    EXPECT_EQ(j["texts"]["Text3"], tab.note);
    const auto lines = j["lists"]["List1"].get<std::vector<std::string>>();
    ASSERT_EQ(lines.size(), tab.rows);
    EXPECT_EQ(lines.front(), tab.first);
    EXPECT_EQ(lines.back(), tab.last);
    for (const auto& line : lines) EXPECT_EQ(Characters(line), tab.width) << line;
}

INSTANTIATE_TEST_SUITE_P(Tabs, ThreadDataTab, ::testing::ValuesIn(kTabs),
                         [](const auto& info) { return "Tab" + std::to_string(info.param.index); });

struct LineRow {
    int tab;
    size_t row;  // from 0
    const char* line;
};

// Lines from inside the tables: fractions of threads per inch, long sizes, three-digit drills.
const LineRow kLines[] = {
    {1, 8, "M12      1.750    10.300      1.138"},
    {1, 1, "M2.5     0.450     2.100      0.293"},
    {2, 14, "U1-1/4     7      3.6286    28.300    1.964"},
    {3, 6, "PF1-1/4   11      2.3091    39.200"},
    {4, 7, "Rc1-1/4   11      2.3091    38.000    1.479"},
    {5, 13, "PS4       11      2.3091   110.000    1.479"},
    {6, 6, "NPT1      11.5    2.2087    28.980"},
    {7, 8, "NPS1-1/2  11.5    2.2087    44.450"},
    {8, 7, "NPTF1-1/2  11.5    2.2087    43.660"},
    {9, 4, "NPSF3/4    14      1.8143    23.420"},
};

TEST(ThreadDataCli, LinesInsideTheTables) {
    for (const LineRow& row : kLines) {
        const Json j = RunCli("frmThreadData", {"click:TabStrip1=" + std::to_string(row.tab)});
        EXPECT_EQ(j["lists"]["List1"][row.row], row.line) << "tab " << row.tab;
    }
}

TEST(ThreadDataCli, OpensOnTheMetricTableWithTheKeyboardHelp) {
    const Json j = RunCli("frmThreadData", {});
    EXPECT_EQ(j["caption"], " ネジのデータ");
    EXPECT_EQ(j["texts"]["Text1"], "呼び径   ピッチ    下穴径     高さ");
    EXPECT_EQ(j["texts"]["Text3"], "刃先角 60°");
    EXPECT_EQ(j["lists"]["List1"].size(), 15u);
    EXPECT_EQ(j["texts"]["Text2"],
              "[キーボードでの操作方法]\r\n"
              "1.カーソルを左右に動かしてネジの種類を選んでください。\r\n"
              "2.[Tab]キーでネジのデータに移動させてください。\r\n"
              "3.カーソルでネジのサイズを変更してください。");
    EXPECT_EQ(j["texts"]["Command1"], "閉じる");
    EXPECT_EQ(j["focus"], "TabStrip1");
}

TEST(ThreadDataCli, SwitchingReplacesTheListAndBackShowsTheSameLines) {
    const Json first = RunCli("frmThreadData", {});
    const Json back = RunCli("frmThreadData", {"click:TabStrip1=4", "click:TabStrip1=1"});
    EXPECT_EQ(back["lists"]["List1"], first["lists"]["List1"]);
    EXPECT_EQ(back["texts"]["Text3"], "刃先角 60°");
}

TEST(ThreadDataCli, ArrowKeysChooseTheSystemAndTabGoesToTheList) {
    const Json j = RunCli(
        "frmThreadData", {"key:Right", "key:Right", "key:Left", "key:Tab", "key:Down", "key:Down"});
    EXPECT_EQ(j["texts"]["Text3"], "刃先角 60°");
    EXPECT_EQ(j["lists"]["List1"][0], "NO1       64      0.3969     1.550    0.215");
    EXPECT_EQ(j["focus"], "List1");
}

TEST(ThreadDataCli, CloseBringsTheControlForward) {
    const CliResult r = RunCli({"--on-control", "frmThreadData", "click:Command1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.json["unloaded"]);
    EXPECT_EQ(r.json["activations"], 1);
    EXPECT_EQ(r.json["clipboard"], nullptr);
}

}  // namespace
}  // namespace quillon::testkit
