// The front screen: start-up, its layout and menu bar, the acknowledgment panel, opening
// the design window and the tools list, and the end of the program.

#include "gui_support.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

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

TEST_F(FrontScreen, StartsShownWithTheDesignWindowLoadedAndHiddenInTheDesignedFonts) {
    PipsMenu& m = menu();
    EXPECT_TRUE(m.Visible());
    ASSERT_TRUE(Win_Exists<TexDsn>());
    EXPECT_FALSE(dsn().Visible());
    Expect_Acknowledgment(m, false);
    for (Control* c : m.Controls()) {
        const QWidget* w = c->Widget();
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << c->Name();
    }
    for (const LineShape& l : m.Line) {
        EXPECT_TRUE(std::min(l.X1, l.X2) >= 0 && std::max(l.X1, l.X2) <= m.Picture1.Width());
        EXPECT_TRUE(std::min(l.Y1, l.Y2) >= 0 && std::max(l.Y1, l.Y2) <= m.Picture1.Height());
    }
    // Points are drawn at 96 pixels to the inch.
    EXPECT_EQ(m.Label2.Font().pixelSize(), 24); // 18 pt
    EXPECT_TRUE(m.Label2.Font().bold());
    EXPECT_TRUE(m.Label5.Font().italic());
    EXPECT_EQ(m.Label7.Font().pixelSize(), 32); // 24 pt
}

TEST_F(FrontScreen, AccessKeysReachTheMenuItems) {
    PipsMenu& m = menu();
    QStringList keys;
    for (QAction* a : m.MenuBar->actions()) {
        keys << QKeySequence::mnemonic(a->text()).toString();
    }
    EXPECT_EQ(keys, (QStringList{"Alt+A", "Alt+E", "Alt+T", "Alt+X"}));
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QTest::keyClick(&m, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(dsn().Visible());
}

TEST_F(FrontScreen, AcknowledgmentSwapsThePanelsAndDoesNotToggle) {
    PipsMenu& m = menu();
    dsn().Show();
    for (int round = 0; round < 2; ++round) {
        m.InfoScrn->trigger();
        EXPECT_FALSE(dsn().Visible()) << "every work window is hidden";
        Expect_Acknowledgment(m, true);
    }
    Click_Into(m.ClearCom);
    Expect_Acknowledgment(m, false);
}

TEST_F(FrontScreen, OpeningTheDesignWindowLeavesTheAcknowledgment) {
    menu().InfoScrn->trigger();
    Open_Design();
    EXPECT_TRUE(dsn().Visible());
    EXPECT_TRUE(menu().Visible()) << "the front screen stays behind";
    Expect_Acknowledgment(menu(), false);
}

TEST_F(FrontScreen, OpeningTheToolsListResetsTheFrontScreenAndHidesTheDesignWindow) {
    menu().InfoScrn->trigger();
    dsn().Show();
    emit menu().SumTools->aboutToShow();
    EXPECT_FALSE(dsn().Visible());
    Expect_Acknowledgment(menu(), false);
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::False);
    menu().PD_Tool[2]->trigger();
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::True);
}

// Exit (a work window shown) and the front screen's close control both end the program.
TEST_F(FrontScreen, ExitOrClosingTheFrontScreenEndsTheProgram) {
    for (const bool exit : {true, false}) {
        Open_Design();
        exit ? menu().ExitProg->trigger() : (void)menu().close();
        EXPECT_TRUE(Program_Has_Ended());
        EXPECT_FALSE(menu().Visible());
        EXPECT_FALSE(dsn().Visible());
        TearDown();
        SetUp();
    }
}

} // namespace
