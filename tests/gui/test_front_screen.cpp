// The front screen: the acknowledgment panel, and how opening the design window or the
// Tools list puts the front screen back.

#include "gui_support.h"

namespace {

using FrontScreen = Program_Test;

// The normal state shows the logo; the acknowledgment state shows its panel instead, with
// "Provided by" and the logo word moved down and the short mark beside the word.
void Expect_Acknowledgment(PipsMenu& m, bool shown) {
    EXPECT_EQ(m.Picture1.Visible(), !shown);
    EXPECT_EQ(m.Picture2.Visible(), shown);
    EXPECT_EQ(m.Label7.Visible(), shown);
    EXPECT_EQ(m.Label5.Top(), shown ? 5500.0F : 3140.0F);
    EXPECT_EQ(m.Label1.Top(), shown ? 6200.0F : 5800.0F);
    EXPECT_EQ(m.Label1.Left(), shown ? 2780.0F : 4180.0F);
}

TEST_F(FrontScreen, AcknowledgmentSwapsThePanelsAndDoesNotToggle) {
    dsn().Show();
    for (int round = 0; round < 2; ++round) {
        menu().InfoScrn->trigger();
        EXPECT_FALSE(dsn().Visible()) << "every work window is hidden";
        Expect_Acknowledgment(menu(), true);
    }
    Click_Into(menu().ClearCom);
    Expect_Acknowledgment(menu(), false);
}

// The design window opens over the front screen; the Tools list hides it.
TEST_F(FrontScreen, OpeningTheDesignWindowOrTheToolsListEndsTheAcknowledgment) {
    menu().InfoScrn->trigger();
    Open_Design();
    EXPECT_TRUE(dsn().Visible() && menu().Visible());
    Expect_Acknowledgment(menu(), false);
    menu().InfoScrn->trigger();
    dsn().Show();
    emit menu().SumTools->aboutToShow();
    EXPECT_FALSE(dsn().Visible());
    Expect_Acknowledgment(menu(), false);
}

} // namespace
