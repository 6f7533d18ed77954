// The front screen: start-up, its layout and menu bar, the acknowledgment panel, opening
// and resetting the design window, and the end of the program.

#include "gui_support.h"

#include <QMenu>
#include <QMenuBar>

namespace {

using Front_Screen = Program_Test;

struct Placed {
    const char* name;
    float left, top, width, height;
};

TEST_F(Front_Screen, StartsShownWithTheDesignWindowLoadedAndHidden) {
    EXPECT_TRUE(menu().Visible());
    EXPECT_EQ(menu().Caption(), "Expansion Chamber Design Utility");
    ASSERT_TRUE(Win_Exists<TexDsn>());
    EXPECT_FALSE(dsn().Visible());
    // Normal state.
    EXPECT_TRUE(menu().Picture1.Visible());
    EXPECT_FALSE(menu().Picture2.Visible());
    EXPECT_FALSE(menu().Label7.Visible());
    EXPECT_EQ(menu().Label5.Top(), 3140.0F);
    EXPECT_EQ(menu().Label1.Top(), 5800.0F);
    EXPECT_EQ(menu().Label1.Left(), 4180.0F);
}

TEST_F(Front_Screen, LayoutColoursAndFontsAreAsDesigned) {
    PipsMenu& m = menu();
    EXPECT_EQ(m.ClientWidth(), 7080.0F);
    EXPECT_EQ(m.ClientHeight(), 7410.0F);
    EXPECT_EQ(m.BackColor(), Rgb(192, 0, 0));
    const std::vector<std::pair<Control*, Placed>> table = {
        {&m.Label2, {"Expansion Chamber Design", 360, 480, 6375, 515}},
        {&m.Label3, {"Utility", 360, 1200, 6375, 515}},
        {&m.Label4, {"(An Engine Tuner's Assistant)", 1540, 2000, 4000, 355}},
        {&m.Label5, {"Provided by . . .", 400, 3140, 2400, 450}},
        {&m.Picture1, {"Logo", 1750, 4000, 3600, 1800}},
        {&m.Label1, {"ECDU", 4180, 5800, 1150, 300}},
        {&m.Label6, {"Pipes Tuned by the Numbers", 1960, 6600, 4800, 450}},
        {&m.Label7, {"2T", 1800, 6000, 1000, 550}},
        {&m.Picture2, {"Acknowledgment panel", 1100, 2740, 5100, 2450}},
        {&m.AckTit, {"Acknowledgment", 1350, 200, 2000, 350}},
        {&m.ClearCom, {"X", 4820, 20, 260, 255}},
    };
    for (const auto& [c, p] : table) {
        SCOPED_TRACE(c->Name());
        EXPECT_EQ(c->AccessibleName(), p.name);
        EXPECT_EQ(c->Left(), p.left);
        EXPECT_EQ(c->Top(), p.top);
        EXPECT_EQ(c->Width(), p.width);
        EXPECT_EQ(c->Height(), p.height);
    }
    EXPECT_EQ(m.ClearCom.Caption(), "X");
    for (int16_t i = 0; i < m.InfoLab.Count; ++i) {
        EXPECT_EQ(m.InfoLab[i].Left(), 120.0F);
        EXPECT_EQ(m.InfoLab[i].Top(), 600.0F + 350.0F * i);
        EXPECT_EQ(m.InfoLab[i].Width(), 4650.0F);
        EXPECT_FALSE(m.InfoLab[i].Caption().empty());
    }
    EXPECT_EQ(m.Label2.ForeColor(), Rgb(255, 255, 255));
    EXPECT_EQ(m.Label5.ForeColor(), Rgb(255, 224, 192));
    EXPECT_EQ(m.Picture2.BackColor(), Rgb(255, 224, 192));
    EXPECT_EQ(m.Label2.Font().pixelSize(), 24); // 18 pt
    EXPECT_TRUE(m.Label2.Font().bold());
    EXPECT_TRUE(m.Label5.Font().italic());
    EXPECT_EQ(m.Label7.Font().pixelSize(), 32); // 24 pt
    // The logo: 26 white lines of width 2, inside the logo panel.
    for (const LineShape& l : m.Line) {
        EXPECT_EQ(l.BorderColor, Rgb(255, 255, 255));
        EXPECT_EQ(l.BorderWidth, 2);
        for (float x : {l.X1, l.X2}) {
            EXPECT_TRUE(x >= 0 && x <= 3600);
        }
        for (float y : {l.Y1, l.Y2}) {
            EXPECT_TRUE(y >= 0 && y <= 1800);
        }
    }
}

TEST_F(Front_Screen, MenuBarCaptionsAndAccessKeys) {
    PipsMenu& m = menu();
    QStringList top;
    for (QAction* a : m.MenuBar->actions()) {
        top << a->text();
    }
    EXPECT_EQ(top, (QStringList{"&Acknowledgment    ", "&Expansion Chamber Design    ",
                                "&Tools    ", "E&xit"}));
    QStringList tools;
    for (QAction* a : m.SumTools->actions()) {
        tools << a->text();
    }
    EXPECT_EQ(tools, (QStringList{"&BMEP from Power Output", "Port &Height from Timing Angles",
                                  "Equivalent Diameter of a &Rectangular Port",
                                  "Equivalent Diameter of a &Profiled Port"}));
    const std::vector<std::pair<QAction*, QKeySequence>> keys = {
        {m.InfoScrn, QKeySequence(Qt::ALT | Qt::Key_A)},
        {m.PipeVals, QKeySequence(Qt::ALT | Qt::Key_E)},
        {m.SumTools->menuAction(), QKeySequence(Qt::ALT | Qt::Key_T)},
        {m.ExitProg, QKeySequence(Qt::ALT | Qt::Key_X)},
    };
    for (const auto& [a, k] : keys) {
        EXPECT_EQ(QKeySequence::mnemonic(a->text()), k) << a->text().toStdString();
    }
}

TEST_F(Front_Screen, AltKeyOpensTheDesignWindow) {
    menu().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu()));
    QTest::keyClick(&menu(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(dsn().Visible());
}

TEST_F(Front_Screen, AcknowledgmentSwapsThePanelsAndDoesNotToggle) {
    PipsMenu& m = menu();
    dsn().Show();
    for (int round = 0; round < 2; ++round) {
        m.InfoScrn->trigger();
        EXPECT_FALSE(dsn().Visible()) << "every work window is hidden";
        EXPECT_FALSE(m.Picture1.Visible());
        EXPECT_TRUE(m.Picture2.Visible());
        EXPECT_TRUE(m.Label7.Visible());
        EXPECT_EQ(m.Label5.Top(), 5500.0F);
        EXPECT_EQ(m.Label1.Top(), 6200.0F);
        EXPECT_EQ(m.Label1.Left(), 2780.0F);
    }
    Click_Into(m.ClearCom);
    EXPECT_TRUE(m.Picture1.Visible());
    EXPECT_FALSE(m.Picture2.Visible());
    EXPECT_FALSE(m.Label7.Visible());
    EXPECT_EQ(m.Label5.Top(), 3140.0F);
    EXPECT_EQ(m.Label1.Top(), 5800.0F);
    EXPECT_EQ(m.Label1.Left(), 4180.0F);
}

TEST_F(Front_Screen, OpeningTheDesignWindowLeavesTheAcknowledgment) {
    menu().InfoScrn->trigger();
    Open_Design();
    EXPECT_TRUE(dsn().Visible());
    EXPECT_TRUE(menu().Visible()) << "the front screen stays behind";
    EXPECT_TRUE(menu().Picture1.Visible());
    EXPECT_FALSE(menu().Picture2.Visible());
}

TEST_F(Front_Screen, OpeningTheToolsListResetsTheFrontScreenAndHidesTheDesignWindow) {
    Open_Design();
    menu().InfoScrn->trigger();
    dsn().Show();
    emit menu().SumTools->aboutToShow();
    EXPECT_FALSE(dsn().Visible());
    EXPECT_TRUE(menu().Picture1.Visible());
    EXPECT_FALSE(menu().Picture2.Visible());
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::False);
    menu().PD_Tool[2]->trigger();
    EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::True);
}

TEST_F(Front_Screen, ExitEndsTheProgramEvenWithAWorkWindowShown) {
    Open_Design();
    menu().ExitProg->trigger();
    EXPECT_TRUE(Program_Has_Ended());
    EXPECT_FALSE(menu().Visible());
    EXPECT_FALSE(dsn().Visible());
}

TEST_F(Front_Screen, ClosingTheFrontScreenEndsTheProgram) {
    menu().close();
    EXPECT_TRUE(Program_Has_Ended());
    EXPECT_FALSE(menu().Visible());
}

TEST_F(Front_Screen, ReturnHidesOnlyTheDesignWindow) {
    TexDsn& d = Open_Design();
    d.Comd[2].Click();
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(menu().Visible());
    EXPECT_TRUE(menu().Picture1.Visible());
}

} // namespace
