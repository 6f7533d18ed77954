// The window machinery on small windows of its own: single lazy instances, twips, control
// events, control arrays, tab order, accessible names, caption wrapping and the painting
// of shapes.

#include "gui_support.h"

#include <QFontMetrics>

namespace {

class Probe_Window : public Form {
public:
    struct Vars {
        int loads = 0;
        int kept = 0;
        bool controlsReadyAtLoad = false;
    };

    Probe_Window()
        : Form("Probe", "Probe Window", 4500, 3395, 0x008080FF), V(Win_Vars<Probe_Window>()) {
        Lab.Create(Client(), 120, 120, 1200, 255, "Cylinder Bore (mm):");
        for (int16_t i = 0; i < Fld.Count; ++i) {
            Fld[i].Create(Client(), 1400, 100.0F + 400.0F * i);
            Fld[i].SetLabel(Lab);
        }
        Grp.Create(Client(), 2200, 100, 1800, 980, " Units ");
        Opt[0].Create(Grp, 200, 300, 1400, 255, "  hp");
        Opt[1].Create(Grp, 200, 640, 1400, 255, "  kW");
        Cmd[0].Create(Client(), 2200, 1300, 1200, 600, "Return to Front Screen");
        Cmd[1].Create(Client(), 2200, 2000, 1200, 600, "Calculate");
        Fld.On_Change([this](int16_t i) { events.push_back("change " + std::to_string(i)); });
        Fld.On_Click([this](int16_t i) { events.push_back("click " + std::to_string(i)); });
        Opt.On_Click([this](int16_t i) { events.push_back("option " + std::to_string(i)); });
        Cmd.On_Click([this](int16_t i) { events.push_back("command " + std::to_string(i)); });
    }
    void Form_Load() override {
        ++V.loads;
        V.controlsReadyAtLoad = Fld[2].Created() && Opt[1].Created();
    }

    Vars& V;
    Label Lab{"Lab"};
    Ctl_Array<TextBox, 3> Fld{"Fld"};
    Frame Grp{"Grp"};
    Ctl_Array<OptionButton, 2> Opt{"Opt"};
    Ctl_Array<CommandButton, 2> Cmd{"Cmd"};
    std::vector<std::string> events;
};

class Machinery : public ::testing::Test {
protected:
    void SetUp() override {
        Discard_All_Windows(true);
        Reset_Program_Ended();
    }
    void TearDown() override {
        Discard_All_Windows(true);
        QCoreApplication::processEvents();
    }
    using Events = std::vector<std::string>;
};

// The first touch creates the window and loads it before the touching operation goes on;
// later touches reach the same window. Closed by its frame, it is discarded, its variables
// kept, and the next touch loads a new one.
TEST_F(Machinery, WindowsAreLoadedOnFirstTouchAndDiscardedByTheirFrame) {
    EXPECT_FALSE(Win_Exists<Probe_Window>());
    EXPECT_EQ(Win<Probe_Window>().Fld[0].Text(), "");
    EXPECT_TRUE(Win_Vars<Probe_Window>().controlsReadyAtLoad);
    Probe_Window& first = Win<Probe_Window>();
    first.Show();
    EXPECT_EQ(first.V.loads, 1);
    first.Fld[1].SetText("54");
    first.V.kept = 7;
    first.close(); // the frame's close control
    EXPECT_FALSE(Win_Exists<Probe_Window>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Probe_Window& again = Win<Probe_Window>();
    EXPECT_EQ(again.V.loads, 2);
    EXPECT_EQ(again.V.kept, 7);
    EXPECT_EQ(again.Fld[1].Text(), "") << "controls are new";
    EXPECT_FALSE(again.Visible());
}

TEST_F(Machinery, PositionsAreTwipsFifteenToAPixel) {
    Probe_Window& w = Win<Probe_Window>();
    EXPECT_EQ(w.Fld[2].Widget()->geometry(), QRect(93, 60, 41, 19));
    w.Fld[2].Move(1163.548F, 400);
    EXPECT_EQ(w.Fld[2].Left(), 1163.548F) << "the property keeps its single-precision value";
    EXPECT_EQ(w.Fld[2].Widget()->x(), 78);
    // Controls edge to edge in twips stay edge to edge in pixels.
    EXPECT_EQ(Twips::ToRect(1010, 0, 1010, 10).right() + 1,
              Twips::ToRect(2020, 0, 1010, 10).left());
    // The window's Height includes the caption bar allowance.
    EXPECT_EQ(w.Host()->size(), QSize(300, 200));
    w.SetHeight(7300);
    EXPECT_EQ(w.Host()->height(), 460); // (7300 - 395) / 15, rounded
}

// One handler serves a control array and is told the index. A field raises Change on
// every text the program sets, even the same one, and on each typed key; a click into it
// raises Click. An option button raises Click when it is selected, not when unselected.
TEST_F(Machinery, ArrayHandlersGetTheIndexOfEachEvent) {
    Probe_Window& w = Win<Probe_Window>();
    w.Show();
    w.Fld[1].SetText("");
    w.Fld[1].SetText("");
    Type_Into(w.Fld[2], "12");
    Click_Into(w.Fld[0]);
    Click_Into(w.Cmd[1]);
    w.Cmd[0].Click();
    Click_Into(w.Opt[1]);
    w.Opt[0].Click();
    w.Opt[0].SetValue(false);
    w.Opt[1].SetValue(true);
    EXPECT_EQ(w.events, (Events{"change 1", "change 1", "change 2", "change 2", "click 0",
                                "command 1", "command 0", "option 1", "option 0", "option 1"}));
    EXPECT_EQ(w.Fld[2].Text(), "12");
    EXPECT_TRUE(w.Opt[1].Value());
    EXPECT_FALSE(w.Opt[0].Value()) << "one selected option per container";
}

// Labels take no part in the tab order; setting a tab index renumbers the others, and
// the keyboard's tab chain follows the numbers. Accessible names come from the captions,
// trimmed.
TEST_F(Machinery, TabOrderAndAccessibleNames) {
    Probe_Window& w = Win<Probe_Window>();
    // Created in the order Fld(0..2), Grp, Opt(0..1), Cmd(0..1).
    EXPECT_EQ(w.Cmd[1].TabIndex(), 7);
    EXPECT_EQ(w.Lab.TabIndex(), -1);
    w.Cmd[1].SetTabIndex(1);
    EXPECT_EQ(w.Fld[0].TabIndex(), 0);
    EXPECT_EQ(w.Fld[1].TabIndex(), 2);
    EXPECT_EQ(w.Cmd[0].TabIndex(), 7);
    EXPECT_EQ(w.Fld[0].Widget()->nextInFocusChain(), w.Cmd[1].Widget());
    EXPECT_EQ(w.Cmd[1].Widget()->nextInFocusChain(), w.Fld[1].Widget());
    w.Cmd[1].SetTabIndex(7);
    EXPECT_EQ(w.Cmd[0].TabIndex(), 6);

    EXPECT_EQ(w.Fld[0].AccessibleName(), "Cylinder Bore (mm):") << "a field takes its label's";
    EXPECT_EQ(w.Grp.AccessibleName(), "Units");
    EXPECT_EQ(w.Opt[0].AccessibleName(), "hp");
    EXPECT_EQ(w.accessibleName(), QStringLiteral("Probe Window"));
}

TEST_F(Machinery, EndingTheProgramHidesEveryWindowAndCreatesNone) {
    Win<Probe_Window>().Show();
    End_Program();
    EXPECT_TRUE(Program_Has_Ended());
    EXPECT_FALSE(Win<Probe_Window>().Visible());
    EXPECT_FALSE(Win_Exists<PipsMenu>());
}

TEST(Geometry, CaptionsWrapAtWordsAndAtRunsOfBlanks) {
    const QFontMetrics fm(Default_Win_Font());
    const QString two = QStringLiteral("Exhaust Port Opening       Angle (deg ATDC):");
    EXPECT_EQ(Wrap_Caption(two, fm, 1700 / 15),
              (QStringList{"Exhaust Port Opening", "Angle (deg ATDC):"}));
    const QStringList lead =
        Wrap_Caption(QStringLiteral("    Engine Speed at Maximum Power (rpm):"), fm, 1750 / 15);
    ASSERT_EQ(lead.size(), 2);
    EXPECT_TRUE(lead[0].startsWith(QStringLiteral("    Engine"))) << "leading blanks indent";
    EXPECT_EQ(Wrap_Caption(QString(), fm, 50), QStringList{QString()});
}

class Shape_Window : public Form {
public:
    struct Vars {};
    Shape_Window() : Form("Shapes", "Shapes", 3000, 2395, 0x00FFFFFF) {
        Pic.Create(Client(), 0, 0, 3000, 2000);
        Pic.Add_Shape(Upright);
        Pic.Add_Shape(Mark);
        Pic.Add_Shape(Caption);
    }
    PictureBox Pic{"Pic"};
    LineShape Upright{600, 150, 600, 1800, true, Style_Solid, 1, 0x000000};
    DotShape Mark{1500, 960, 120, 120, true, 0x0000FF};
    PaintedLabel Caption{2100, 300, 600, 255, "Port", true, 0x00C0E0FF, 0x000000};
};

TEST_F(Machinery, APictureBoxPaintsItsVisibleShapes) {
    Shape_Window& w = Win<Shape_Window>();
    QImage img = w.Pic.Widget()->grab().toImage();
    const auto at = [&img](double xt, double yt) {
        return QColor(img.pixel(static_cast<int>(xt / 15), static_cast<int>(yt / 15)));
    };
    EXPECT_EQ(at(600, 900), QColor(0, 0, 0));
    EXPECT_EQ(at(1560, 1020), QColor(255, 0, 0)) << "dot filled in &H000000FF";
    EXPECT_EQ(at(2680, 520), QColor(255, 224, 192)) << "label on its own background";
    EXPECT_EQ(at(900, 900), QColor(255, 255, 255));

    w.Upright.Visible = false;
    w.Mark.Visible = false;
    w.Pic.Refresh();
    img = w.Pic.Widget()->grab().toImage();
    EXPECT_EQ(at(600, 900), QColor(255, 255, 255));
    EXPECT_EQ(at(1560, 1020), QColor(255, 255, 255));
}

} // namespace
