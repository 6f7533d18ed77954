// The four calculator windows as designed, and how the Tools menu opens, resets and hides
// them: layout, colours, tab order, opening states, the flag, one work window at a time.

#include "gui_support.h"

namespace {

using Tool_Windows = Program_Test;

TEST_F(Tool_Windows, BmepAndPortWindowsStandAsDesigned) {
    BMEPTool& b = bmep();
    HghtTool& h = hght();
    DiamTool& d = diam();
    Expect_Placed({
        {&b.BHP_Fram, &b.Client(), 360, 240, 1600, 980, "Brake Power Units"},
        {&b.BHP_Opt[0], &b.BHP_Fram, 480, 300, 800, 195, "  hp"},
        {&b.BHP_Opt[1], &b.BHP_Fram, 480, 640, 800, 195, "  kW"},
        {&b.BHP_Lab[0], &b.Client(), 360, 1560, 1500, 255, "Cylinder Bore (mm):"},
        {&b.BHP_Lab[1], &b.Client(), 360, 2040, 1500, 255, "Piston Stroke (mm):"},
        {&b.BHP_Lab[2], &b.Client(), 360, 2520, 1600, 255, "Engine Speed (rpm):"},
        {&b.BHP_Lab[3], &b.Client(), 360, 3000, 1500, 255, "Engine Power (hp):"},
        {&b.BHP_Lab[4], &b.Client(), 360, 3600, 4000, 255, nullptr},
        {&b.BHP_Txt[0], &b.Client(), 1920, 1520, 615, 285, nullptr},
        {&b.BHP_Txt[3], &b.Client(), 1920, 2960, 615, 285, nullptr},
        {&b.ToolCom[0], &b.Client(), 3880, 240, 1200, 600, "Return to Front Screen"},
        {&b.ToolCom[1], &b.Client(), 3880, 1100, 1200, 600, "Calculate"},
        {&h.HghtLab[0], &h.Client(), 360, 480, 1460, 255, "Piston Stroke (mm):"},
        {&h.HghtLab[1], &h.Client(), 360, 960, 2200, 255, "Connecting Rod Length (mm):"},
        {&h.HghtLab[2], &h.Client(), 360, 1440, 2700, 255, "Exhaust Port Start Open Angle (deg):"},
        {&h.HghtLab[3], &h.Client(), 360, 1920, 2600, 255, "Exhaust Port Full Open Angle (deg):"},
        {&h.HghtLab[4], &h.Client(), 360, 2520, 2300, 255, nullptr},
        {&h.HghtTxt[0], &h.Client(), 1820, 440, 615, 285, nullptr},
        {&h.HghtTxt[1], &h.Client(), 2580, 920, 615, 285, nullptr},
        {&h.HghtTxt[2], &h.Client(), 3080, 1400, 615, 285, nullptr},
        {&h.HghtTxt[3], &h.Client(), 3000, 1880, 615, 285, nullptr},
        {&h.HghtCom[0], &h.Client(), 4180, 240, 1200, 600, "Return to Front Screen"},
        {&h.HghtCom[1], &h.Client(), 4180, 1100, 1200, 600, "Calculate"},
        {&d.DiamLab[0], &d.Client(), 360, 480, 1300, 255, "Port Width (mm):"},
        {&d.DiamLab[1], &d.Client(), 360, 960, 1335, 255, "Port Height (mm):"},
        {&d.DiamLab[2], &d.Client(), 360, 1440, 1900, 255, "Top Corners Radius (mm):"},
        {&d.DiamLab[3], &d.Client(), 360, 1920, 2140, 255, "Bottom Corners Radius (mm):"},
        {&d.DiamLab[4], &d.Client(), 360, 2520, 3800, 255, nullptr},
        {&d.DiamTxt[0], &d.Client(), 1660, 440, 615, 285, nullptr},
        {&d.DiamTxt[1], &d.Client(), 1720, 920, 615, 285, nullptr},
        {&d.DiamTxt[2], &d.Client(), 2320, 1400, 615, 285, nullptr},
        {&d.DiamTxt[3], &d.Client(), 2560, 1880, 615, 285, nullptr},
        {&d.DiamCom[0], &d.Client(), 3880, 240, 1200, 600, "Return to Front Screen"},
        {&d.DiamCom[1], &d.Client(), 3880, 1100, 1200, 600, "Calculate"},
    });
}

TEST_F(Tool_Windows, ProfiledPortWindowStandsAsDesigned) {
    ProfTool& p = prof();
    Expect_Placed({
        {&p.ProfPic, &p.Client(), 640, 200, 3920, 2050, nullptr},
        {&p.ProfCom[0], &p.Client(), 5150, 440, 1200, 600, "Return to Front Screen"},
        {&p.ProfCom[1], &p.Client(), 5150, 1300, 1200, 600, "Calculate"},
        {&p.ProfFram1, &p.Client(), 560, 2600, 1840, 980, "Port Configuration"},
        {&p.ProfOpt[0], &p.ProfFram1, 200, 300, 1095, 255, "Single Port"},
        {&p.ProfOpt[1], &p.ProfFram1, 200, 640, 1515, 255, "Bridged Port Pair"},
        {&p.ProfLab[0], &p.Client(), 560, 3930, 1400, 255, "Cylinder Bore (mm):"},
        {&p.ProfLab[1], &p.Client(), 3560, 2590, 1400, 255, "Bridge Width (mm):"},
        {&p.ProfLab[2], &p.Client(), 3560, 3030, 1800, 255, "Bridge Top Radius (mm):"},
        {&p.ProfLab[3], &p.Client(), 3560, 3470, 2000, 255, "Bridge Bottom Radius (mm):"},
        {&p.ProfLab[4], &p.Client(), 560, 4390, 1300, 255, "Port Height (mm):"},
        {&p.ProfLab[5], &p.Client(), 560, 4810, 3120, 255,
         "Number of Intervals in Profile Data (4 to 10):"},
        {&p.ProfTxt[0], &p.Client(), 2040, 3890, 615, 285, nullptr},
        {&p.ProfTxt[1], &p.Client(), 5040, 2550, 615, 285, nullptr},
        {&p.ProfTxt[2], &p.Client(), 5440, 2990, 615, 285, nullptr},
        {&p.ProfTxt[3], &p.Client(), 5660, 3430, 615, 285, nullptr},
        {&p.ProfTxt[4], &p.Client(), 1880, 4330, 615, 285, nullptr},
        {&p.ProfTxt[5], &p.Client(), 3760, 4770, 320, 285, nullptr},
        {&p.OrdFram, &p.Client(), 40, 5310, 6760, 1240, "Ordinate Arc Lengths (either port) (mm)"},
        {&p.LthLab[10], &p.OrdFram, 6220, 360, 240, 240, "10"},
        {&p.OrdTxt[10], &p.OrdFram, 6120, 740, 520, 285, nullptr},
        {&p.DiamFram, &p.Client(), 960, 6960, 4940, 1215,
         " Equivalent Diameter of the Bridged Port Pair "},
        {&p.ProfLab[6], &p.DiamFram, 360, 360, 4400, 255, nullptr},
        {&p.ProfLab[7], &p.DiamFram, 360, 760, 4400, 255, nullptr},
        {&p.ProfLab[8], &p.Client(), 1700, 7200, 4000, 255, nullptr},
    });
    const float infoTop[7] = {80, 320, 560, 800, 1120, 1360, 1680};
    for (int16_t i = 0; i < 7; ++i) {
        EXPECT_EQ(p.InfoLab[i].Top(), infoTop[i]);
        EXPECT_EQ(p.InfoLab[i].Left(), 80.0F);
        EXPECT_TRUE(p.InfoLab[i].Width() == 3700.0F || p.InfoLab[i].Width() == 3800.0F);
        EXPECT_TRUE(Fits_On_One_Line(p.InfoLab[i])) << p.InfoLab[i].Caption();
    }
    for (int16_t i = 0; i <= 10; ++i) {
        EXPECT_EQ(p.LthLab[i].Caption(), std::to_string(i));
        EXPECT_EQ(p.LthLab[i].Left(), 220.0F + 600.0F * i);
        EXPECT_EQ(p.OrdTxt[i].Left(), 120.0F + 600.0F * i);
    }
}

TEST_F(Tool_Windows, CaptionsSizesColoursAndTabOrder) {
    struct Row {
        Form& form;
        const char* caption;
        float width, height;
        uint32_t calculate;
        std::vector<std::string> tabs; // the fields, then Calculate, then Return
    };
    const std::vector<Row> rows = {
        {bmep(),
         "BMEP Calculation",
         5685,
         4200,
         Rgb(0, 255, 255),
         {"BHP_Txt(0)", "BHP_Txt(1)", "BHP_Txt(2)", "BHP_Txt(3)", "ToolCom(1)", "ToolCom(0)"}},
        {hght(),
         "Port Height Calculation",
         5685,
         3195,
         Rgb(128, 255, 255),
         {"HghtTxt(0)", "HghtTxt(1)", "HghtTxt(2)", "HghtTxt(3)", "HghtCom(1)", "HghtCom(0)"}},
        {diam(),
         "Rectangular Port Equivalent Diameter",
         5685,
         3135,
         Rgb(128, 255, 255),
         {"DiamTxt(0)", "DiamTxt(1)", "DiamTxt(2)", "DiamTxt(3)", "DiamCom(1)", "DiamCom(0)"}},
        {prof(),
         "Profiled Port Equivalent Diameter",
         6885,
         8295,
         Rgb(128, 255, 255),
         {"ProfTxt(1)", "ProfTxt(2)", "ProfTxt(3)", "ProfTxt(0)", "ProfTxt(4)", "ProfTxt(5)",
          "OrdTxt(0)", "OrdTxt(1)", "OrdTxt(10)", "ProfCom(1)", "ProfCom(0)"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.form.Name());
        EXPECT_EQ(r.form.Caption(), r.caption);
        EXPECT_EQ(r.form.ClientWidth(), r.width);
        EXPECT_EQ(r.form.ClientHeight(), r.height);
        EXPECT_EQ(r.form.BackColor(), Rgb(255, 128, 128));
        int16_t last = -1;
        for (const std::string& name : r.tabs) {
            const int16_t t = Find_Control<Control>(r.form, name).TabIndex();
            EXPECT_GT(t, last) << name << " follows in the tab order";
            last = t;
        }
        for (Control* c : r.form.Controls()) {
            SCOPED_TRACE(c->Name());
            const bool inPanel =
                c->Widget()->parentWidget() != r.form.Host() && c->Name().rfind("InfoLab", 0) == 0;
            if (dynamic_cast<TextBox*>(c)) {
                EXPECT_EQ(c->BackColor(), Rgb(255, 255, 192));
            } else if (c->Name() == "ProfPic" || inPanel) {
                EXPECT_EQ(c->BackColor(), Rgb(255, 224, 192));
            } else if (auto* b = dynamic_cast<CommandButton*>(c)) {
                EXPECT_EQ(c->BackColor(), b->Index() == 0 ? Rgb(192, 192, 255) : r.calculate);
            } else {
                EXPECT_EQ(c->BackColor(), Rgb(255, 128, 128));
            }
            EXPECT_FALSE(c->AccessibleName().empty());
            if (auto* l = dynamic_cast<Label*>(c)) {
                EXPECT_TRUE(Fits_On_One_Line(*l)) << l->Caption();
            }
        }
    }
}

// ---- The Tools menu ----

// The names a user can see in each calculator in its opening state.
const Names_Set Bmep_Awaiting_Unit = {"BHP_Fram", "BHP_Opt(0)", "BHP_Opt(1)", "ToolCom(0)",
                                      "ToolCom(1)"};
const Names_Set Hght_Entry = Names("HghtLab", 4) + Names("HghtTxt", 4) + Names("HghtCom", 2);
const Names_Set Diam_Entry = Names("DiamLab", 4) + Names("DiamTxt", 4) + Names("DiamCom", 2);
const Names_Set Prof_Awaiting_Configuration = Names("InfoLab", 7) + Names("ProfCom", 2) +
                                              Names("ProfOpt", 2) +
                                              Names_Set{"ProfPic", "ProfFram1"};

class Tools_Menu : public Program_Test {
protected:
    // Types a worked example into the calculator and calculates; a result is then shown.
    void Fill_And_Calculate(int16_t tool) {
        const int16_t option[4] = {1, -1, -1, 0};
        const Typed_Texts texts[4] = {Bmep_Texts("54", "54.5", "12000", "30"),
                                      Hght_Texts("54", "110", "75", "160"),
                                      Diam_Texts("40", "30", "5", "5"),
                                      Prof_Texts("50", "20", {"30", "30", "30", "30", "30"})};
        if (option[tool] >= 0) {
            (tool == 0 ? bmep().BHP_Opt : prof().ProfOpt)[option[tool]].Click();
        }
        Set_Texts(Tool_Window(tool), texts[tool]);
        Tool_Command(tool, 1).Click();
        const Label* results[4] = {&bmep().BHP_Lab[4], &hght().HghtLab[4], &diam().DiamLab[4],
                                   &prof().ProfLab[8]};
        ASSERT_TRUE(results[tool]->Visible()) << results[tool]->Name();
        ASSERT_TRUE(boxes.empty());
    }
    // Every calculator opened from the menu in turn, with a result calculated in each.
    void Use_Every_Calculator() {
        for (int16_t tool = 0; tool < 4; ++tool) {
            Open_Tool(tool);
            Fill_And_Calculate(tool);
        }
    }
    // The work windows shown now, by name.
    Names_Set Shown_Work_Windows() {
        Names_Set shown;
        for (Form* f : std::initializer_list<Form*>{&dsn(), &bmep(), &hght(), &diam(), &prof()}) {
            if (f->Visible()) {
                shown.insert(f->Name());
            }
        }
        return shown;
    }
};

TEST_F(Tools_Menu, TheListOpenedWithoutAChoiceHidesAndResets) {
    Use_Every_Calculator();
    for (int16_t tool = 0; tool < 3; ++tool) {
        Fill_And_Calculate(tool); // results in every calculator at once
    }
    menu().InfoScrn->trigger();
    prof().Show();
    Open_Tools_List();
    EXPECT_EQ(Shown_Work_Windows(), Names_Set{});
    EXPECT_TRUE(menu().Picture1.Visible());
    EXPECT_FALSE(menu().Picture2.Visible());
    // The BMEP calculator down to its two commands, its fields emptied.
    EXPECT_EQ(Shown_Controls(bmep()), (Names_Set{"ToolCom(0)", "ToolCom(1)"}));
    for (TextBox& t : bmep().BHP_Txt) {
        EXPECT_EQ(t.Text(), "");
    }
    // The two port results hidden, their fields kept; the profiled port left as it was.
    EXPECT_EQ(Shown_Controls(hght()), Hght_Entry);
    EXPECT_EQ(Shown_Controls(diam()), Diam_Entry);
    EXPECT_EQ(hght().HghtTxt[1].Text(), "110");
    EXPECT_EQ(diam().DiamTxt[0].Text(), "40");
    EXPECT_TRUE(prof().ProfLab[8].Visible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Tools_Menu, EachItemOpensItsCalculatorInItsOpeningState) {
    const std::vector<std::pair<int16_t, Names_Set>> rows = {
        {0, Bmep_Awaiting_Unit},
        {1, Hght_Entry},
        {2, Diam_Entry},
        {3, Prof_Awaiting_Configuration},
    };
    for (const auto& [tool, shown] : rows) {
        SCOPED_TRACE(tool);
        Use_Every_Calculator();
        ToolCode::ToolJustOpened = ToolCode::False;
        Open_Tool(tool);
        Form& w = Tool_Window(tool);
        EXPECT_EQ(ToolCode::ToolJustOpened, ToolCode::True);
        EXPECT_EQ(Shown_Work_Windows(), Names_Set{w.Name()});
        EXPECT_TRUE(menu().Visible());
        EXPECT_EQ(Shown_Controls(w), shown);
        Expect_No_Overlap(w);
        for (Control* c : w.Controls()) {
            if (auto* t = dynamic_cast<TextBox*>(c);
                t && t->Visible() && c->Name().rfind("OrdTxt", 0) != 0) {
                EXPECT_EQ(t->Text(), "") << c->Name();
            }
        }
        for (OptionButton* o :
             {&bmep().BHP_Opt[0], &bmep().BHP_Opt[1], &prof().ProfOpt[0], &prof().ProfOpt[1]}) {
            if (o->Owner() == &w) {
                EXPECT_FALSE(o->Value()) << o->Name();
            }
        }
    }
    EXPECT_EQ(prof().V.NumIntervals, 0) << "the intervals field was emptied";
}

TEST_F(Tools_Menu, AtMostOneWorkWindowIsShownAndReturnHidesOnlyItsOwn) {
    menu().PipeVals->trigger();
    for (int16_t tool = 0; tool < 4; ++tool) {
        Open_Tool(tool);
        EXPECT_EQ(Shown_Work_Windows(), Names_Set{Tool_Window(tool).Name()});
        menu().InfoScrn->trigger();
        Click_Into(menu().ClearCom);
        Open_Tool(tool);
        Click_Into(Tool_Command(tool, 0));
        EXPECT_EQ(Shown_Work_Windows(), Names_Set{});
        EXPECT_TRUE(menu().Visible());
        EXPECT_TRUE(menu().Picture1.Visible()) << "the front screen is left as it was";
    }
}

TEST_F(Tools_Menu, AcknowledgmentAtStartLoadsEveryCalculatorHidden) {
    EXPECT_FALSE(Win_Exists<BMEPTool>() || Win_Exists<HghtTool>() || Win_Exists<DiamTool>() ||
                 Win_Exists<ProfTool>());
    menu().Hide();
    menu().InfoScrn->trigger();
    EXPECT_TRUE(Win_Exists<BMEPTool>() && Win_Exists<HghtTool>() && Win_Exists<DiamTool>() &&
                Win_Exists<ProfTool>());
    EXPECT_EQ(Shown_Work_Windows(), Names_Set{});
    EXPECT_TRUE(menu().Visible()) << "the BMEP and profiled-port load handlers show it";
    EXPECT_EQ(prof().ProfLab[8].Left(), 1700.0F);
    EXPECT_EQ(prof().ProfLab[8].Width(), 4000.0F);
}

TEST_F(Tools_Menu, AClosedCalculatorLoadsAgainWithItsVariablesKept) {
    Open_Tool(3);
    prof().ProfOpt[1].Click();
    prof().ProfTxt[5].SetText("6");
    prof().close();
    EXPECT_FALSE(Win_Exists<ProfTool>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Open_Tool(3);
    EXPECT_TRUE(prof().Visible());
    EXPECT_TRUE(prof().V.BridgedPair);
    EXPECT_EQ(prof().V.NumIntervals, 0) << "emptied again by the opening";
    EXPECT_EQ(Shown_Controls(prof()), Prof_Awaiting_Configuration);
}

} // namespace
