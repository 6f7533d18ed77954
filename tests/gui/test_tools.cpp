// The four calculators: "Calculate" with its result or its failure's box, the texts kept or
// the failing field emptied, and the focus; the BMEP unit choice; the profiled port's
// ordinate frame; and the opening state the Tools menu gives each.

#include "gui_support.h"

#include <map>

namespace {

using Names_Set = std::set<std::string>;
using Tools = Program_Test;

// The controls a user sees in the window: shown themselves and inside shown containers, a
// label with its caption when `captions`.
Names_Set Shown(const Form& f, bool captions = false) {
    Names_Set names;
    for (const Control* c : f.Controls())
        if (c->Widget()->isVisibleTo(&f)) {
            const auto* l = dynamic_cast<const Label*>(c);
            names.insert(l && captions ? c->Name() + " " + l->Caption() : c->Name());
        }
    return names;
}
Names_Set Names(const std::string& base, int count, Names_Set n = {}) {
    for (int i = 0; i < count; ++i)
        n.insert(base + "(" + std::to_string(i) + ")");
    return n;
}
std::vector<std::string> Texts(const Calculator& k) {
    std::vector<std::string> t;
    for (const TextBox* f : k.fields)
        t.push_back(f->Text());
    return t;
}

TEST_F(Tools, CalculateShowsTheResultOrTheFirstFailure) {
    const struct {
        int16_t tool, option; // the option clicked first, -1 none
        std::vector<const char*> texts;
        std::vector<std::string> results; // shown, a label with its caption
        std::vector<Message_Box> box;
        const char *focus, *left; // the focus afterwards; a failing field's text
    } cases[] = {
        // clang-format off
        {0, 1, {"54", "54.5", "12000", "30"},
         {"BHP_Lab(4) The Brake Mean Effective Pressure is 12.02 bar"}, {}, "BHP_Txt(0)", ""},
        {0, 0, {"54", "54.5", "12000", "40"},
         {"BHP_Lab(4) The Brake Mean Effective Pressure is 11.95 bar"}, {}, "BHP_Txt(0)", ""},
        {1, -1, {"54.5", "110", "85", "180"},
         {"HghtLab(4) The Port Height is 26.22 mm"}, {}, "HghtCom(1)", ""},
        {2, -1, {"40", "30", "20", "10"},
         {"DiamLab(4) Diameter of the Equivalent Circular Port is 35.42 mm"}, {}, "DiamTxt(0)", ""},
        {3, 0, {"50", nullptr, nullptr, nullptr, "20", "4", "30", "30", "30", "30", "30"},
         {"ProfLab(8) The Equivalent Diameter of the Port is 26.81 mm"}, {}, "ProfTxt(0)", ""},
        {3, 1, {"60", "6", "5", "7", "24", "8", "12", "17", "20", "21", "22", "21", "20", "17", "12"},
         {"DiamFram", "ProfLab(6) For a Constant Duct Section adjacent to the Port: 31.86 mm",
          "ProfLab(7) For a Widened Duct Section adjacent to the Port: 33.56 mm"}, {}, "ProfTxt(0)", ""},
        {0, 1, {"54", "5x", "12000", "30"}, {},
         {{"Piston Stroke Incorrectly Set", "Enter a value for the Stroke"}}, "BHP_Txt(1)", "5x"},
        {1, -1, {"54.5", "110", " ", "180"}, {},
         {{"Start Open Angle Not Set", "Enter a value for the Start Open Angle"}}, "HghtTxt(2)", ""},
        {3, 0, {"50", nullptr, nullptr, nullptr, "20", "4", "30", "", "30", "30", "30"}, {},
         {{"Ordinate Not Set", "Enter a value for Ordinate #1"}}, "OrdTxt(1)", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts[1] ? c.texts[1] : c.texts[0]);
        const Calculator k = Open_Tool(c.tool);
        if (c.option >= 0)
            Click_Into(*k.options[static_cast<size_t>(c.option)]);
        Enter(k, c.texts);
        const Names_Set entry = Shown(k.w, true);
        Names_Set shown = entry;
        shown.insert(c.results.begin(), c.results.end());
        std::vector<std::string> texts = Texts(k);
        Click_Into(k.calc);

        EXPECT_EQ(std::exchange(boxes, {}), c.box);
        EXPECT_EQ(Shown(k.w, true), shown);
        for (size_t i = 0; i < texts.size(); ++i)
            if (!c.box.empty() && k.fields[i]->Name() == c.focus)
                texts[i] = c.left;
        EXPECT_EQ(Texts(k), texts);
        EXPECT_EQ(Focus_Of(k.w), c.focus);
        k.fields.back()->SetText("1"); // an edit, even of the last ordinate, hides the result
        EXPECT_EQ(Shown(k.w, true), entry);
    }
}

// A later unit choice keeps the engine's texts, empties only the power and names its unit.
TEST_F(Tools, BmepLaterUnitChoiceEmptiesOnlyThePower) {
    const Calculator k = Open_Tool(0, true);
    BMEPTool& b = Win<BMEPTool>();
    Enter(k, k.example);
    b.ToolCom[1].Click();
    Click_Into(b.BHP_Opt[1]);
    EXPECT_EQ(b.BHP_Lab[3].Caption(), "Engine Power (kW):");
    EXPECT_EQ(b.BHP_Txt[3].AccessibleName(), "Engine Power (kW):") << "what a screen reader says";
    EXPECT_FALSE(b.BHP_Lab[4].Visible());
    EXPECT_EQ(Texts(k), (std::vector<std::string>{"54", "54.5", "12000", ""}));
    EXPECT_EQ(Focus_Of(b), "BHP_Txt(3)");
}

// A text of 4 to 10 intervals, rounded halves to even, shows stations 0 to n emptied in a
// frame sized and centred for them; any other text hides the frame without a message. The
// stations beyond n keep their texts hidden.
TEST_F(Tools, TheIntervalsTextSizesPlacesShowsOrHidesTheOrdinateFrame) {
    Open_Tool(3, true);
    ProfTool& p = Win<ProfTool>();
    const std::map<int, std::pair<float, float>> frame = {
        {4, {3160, 1840}}, {7, {4960, 940}}, {10, {6760, 40}}}; // width, left
    const std::vector<std::pair<const char*, int>> rows = {
        {"4", 4},  {"7", 7},   {"10", 10},   {"3.5", 4},  {"4.5", 4},    {"10.5", 10},
        {"3", -1}, {"11", -1}, {"10.6", -1}, {"abc", -1}, {"65540", -1}, {"", -1}};
    for (const auto& [text, n] : rows) {
        SCOPED_TRACE(text);
        p.ProfTxt[5].SetText("6");
        for (TextBox& t : p.OrdTxt)
            t.SetText("20");
        p.ProfTxt[5].SetText(text);
        ASSERT_EQ(p.OrdFram.Visible(), n >= 0);
        for (int16_t i = 0; i < p.OrdTxt.Count; ++i) {
            EXPECT_EQ(p.OrdTxt[i].Text(), i <= n ? "" : "20") << i;
            EXPECT_TRUE(n < 0 ||
                        (p.OrdTxt[i].Visible() == (i <= n) && p.LthLab[i].Visible() == (i <= n)))
                << i;
        }
        if (n >= 0) {
            EXPECT_EQ(std::make_pair(p.OrdFram.Width(), p.OrdFram.Left()), frame.at(n));
        }
    }
    EXPECT_TRUE(boxes.empty());
}

// Each Tools item, after all four calculators were used, opens its calculator in its
// opening state (Calculate inert until a choice), every other work window hidden; "Return
// to Front Screen" hides it, and an opening unselects each option.
TEST_F(Tools, EachItemOpensItsCalculatorInItsOpeningStateAndReturnHidesIt) {
    const Names_Set opening[] = {
        {"BHP_Fram", "BHP_Opt(0)", "BHP_Opt(1)", "ToolCom(0)", "ToolCom(1)", "RestCom"},
        Names("HghtLab", 4, Names("HghtTxt", 4, Names("HghtCom", 2, {"RestCom"}))),
        Names("DiamLab", 4, Names("DiamTxt", 4, Names("DiamCom", 2, {"RestCom"}))),
        Names("InfoLab", 7,
              Names("ProfOpt", 2, Names("ProfCom", 2, {"ProfPic", "ProfFram1", "RestCom"})))};
    for (int16_t tool = 0; tool < 4; ++tool) {
        SCOPED_TRACE(tool);
        for (int16_t used = 0; used < 4; ++used) { // each with its worked example's result
            const Calculator k = Open_Tool(used, true);
            Enter(k, k.example);
            k.calc.Click();
        }
        dsn().Show();
        const Calculator k = Open_Tool(tool);
        if (!k.options.empty())
            k.calc.Click();
        EXPECT_TRUE(k.w.Visible() && !dsn().Visible()) << "the one work window shown";
        EXPECT_EQ(Shown(k.w), opening[tool]);
        for (const TextBox* t : k.fields)
            EXPECT_TRUE(t->Text().empty() || t->Name().rfind("OrdTxt", 0) == 0) // kept, hidden
                << t->Name();
        Click_Into(k.ret);
        EXPECT_FALSE(k.w.Visible());
        for (OptionButton* o : k.options) {
            o->Click();
            Open_Tool(tool);
            EXPECT_FALSE(o->Value()) << o->Name();
        }
    }
    EXPECT_TRUE(boxes.empty());
}

} // namespace
