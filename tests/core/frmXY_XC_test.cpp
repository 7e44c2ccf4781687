// frmXY_XC: what the command line does not show: the selection a field takes with the focus,
// and the colours and tab stops of the entry and the locked pairs in each input form.
#include <gtest/gtest.h>

#include "driven_window.h"

namespace quillon::testkit {
namespace {

TEST(XYXCFocus, AFieldWithTextSelectsAllOfIt) {
    struct Case {
        const char* field;
        const char* text;
        int length;
    };
    for (const Case& c :
         {Case{"Text2", "12.5", 4}, Case{"Text5", "ポイント", 4}, Case{"Text6", "", 0}}) {
        DrivenWindow w("frmXY_XC");
        w.Type(c.field, c.text);
        w.form->DeliverSelect(c.field, 1, 0);  // the caret after the first character
        w.Focus(c.field);
        EXPECT_EQ(w[c.field].SelStart, 0) << c.field;
        EXPECT_EQ(w[c.field].SelLength, c.length) << c.field;
    }
    // A locked field too, with the text the conversion wrote.
    DrivenWindow w("frmXY_XC");
    w.Type("Text1", "10");
    w.Type("Text2", "10");
    w.Leave("Text2");
    w.Focus("Text3");
    EXPECT_EQ(w["Text3"].SelLength, 6);
}

TEST(XYXCForms, TheEntryPairIsOpenAndTheOtherLocked) {
    const char* const cartesian[] = {"Text1", "Text2", "Text5", "Text6"};
    const char* const polar[] = {"Text3", "Text4", "Text7", "Text8"};
    const Color window = Color::Sys(Color::System::Window);
    DrivenWindow w("frmXY_XC");
    for (const bool polarForm : {false, true, false}) {
        w.Click(polarForm ? "OptionXC" : "OptionXY");
        for (const char* f : polarForm ? polar : cartesian) {
            EXPECT_FALSE(w[f].Locked) << f;
            EXPECT_TRUE(w[f].TabStop) << f;
            EXPECT_EQ(w[f].BackColor, window) << f;
        }
        for (const char* f : polarForm ? cartesian : polar) {
            EXPECT_TRUE(w[f].Locked) << f;
            EXPECT_FALSE(w[f].TabStop) << f;
            EXPECT_EQ(w[f].BackColor, colors::ButtonFace) << f;
        }
    }
}

}  // namespace
}  // namespace quillon::testkit
