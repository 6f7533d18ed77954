// The running windows under a seeded random mix of what a user can do: clicks on any shown
// control, menu choices, typed texts (digits, signs, points, letters, blanks, 10 kB pastes)
// and key presses, every message box answered. After every event: the program runs, at
// most one work window is shown, a result on screen is what its window's texts give, and a
// window opened from the front screen opens with empty fields. ECD_RANDOM_SEED and
// ECD_RANDOM_EVENTS replay a run; a failure prints both and the last events.

#include "gui_support.h"

#include "core/calculators/bmep_calc.h"
#include "core/calculators/port_height_calc.h"
#include "core/calculators/prof_port_calc.h"
#include "core/calculators/rect_port_calc.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/windows/pattern_window.h"
#include "desktop/windows/print_sheet.h"

#include <QApplication>
#include <QClipboard>

#include <cstdlib>
#include <random>
#include <set>
#include <sstream>

namespace {

unsigned long Setting(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

class RandomInput : public Program_Test {
protected:
    std::mt19937 random{static_cast<unsigned>(Setting("ECD_RANDOM_SEED", 20261205))};
    std::vector<std::string> events;
    std::set<std::string> resultsSeen; // the windows whose results were checked

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }

    std::vector<Form*> Work_Windows() {
        return {&dsn(), &bmep(), &Win<HghtTool>(), &Win<DiamTool>(), &prof()};
    }

    std::string Random_Text() {
        static const char* const pieces[] = {
            "0",  "1",  "2",  "4",  "5",   "7",   "8",   "9",     "10",   "12", "20", "30",
            "40", "44", "54", "88", "110", "180", "600", "11000", ".",    "-",  "+",  "e",
            "E",  " ",  "  ", "a",  "x",   "1,5", "nan", "inf",   "1e39", "-0", "\t"};
        std::string t;
        for (size_t n = 1 + Pick(3); n > 0; --n)
            t += pieces[Pick(std::size(pieces))];
        return t;
    }

    // A user who knows the figures: sensible texts in every field (not always sensible
    // together), an option of every group, then Calculate.
    void Type_Sensible_Figures(Form* window) {
        static const std::vector<std::vector<const char*>> design = {
            {"450", "600", "650"},    {"70", "88", "105"},    {"1000", "11000", "50000"},
            {"8", "10", "12"},        {"0.5", "0.65", "0.8"}, {"2", "20", "50"},
            {"2.125", "2.5", "3.25"}, {"1.25", "1.5", "2.0"}, {"40"},
            {"40", "42", "44", "48"}};
        std::vector<std::pair<TextBox*, const char*>> typed;
        if (window == &dsn()) {
            for (int16_t group = 0; group < 3; ++group)
                Click_Into(dsn().Option1[static_cast<int16_t>(2 * group + Pick(2))]);
            for (int16_t i = 0; i < dsn().Texh.Count; ++i) {
                const auto& choices = design[static_cast<size_t>(i)];
                typed.emplace_back(&dsn().Texh[i], choices[Pick(choices.size())]);
            }
        }
        for (int16_t tool = 0; tool < 4; ++tool)
            if (const Calculator k = Calculator_Of(tool); &k.w == window)
                for (size_t i = 0; i < k.example.size(); ++i)
                    if (k.example[i])
                        typed.emplace_back(k.fields[i], k.example[i]);
        events.push_back("sensible figures into " + window->Name() + ", then Calculate");
        for (const auto& [box, text] : typed)
            if (box->Widget()->isVisibleTo(window)) {
                box->SetText("");
                QTest::keyClicks(box->Widget(), QString::fromLatin1(text));
            }
        for (Control* c : window->Controls())
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Caption() == "Calculate")
                b->Click();
    }

    // One event, described in `events`.
    void Act() {
        Form* window = nullptr;
        for (Form* f : Work_Windows())
            window = f->Visible() ? f : window;
        if (Win_Exists<PatTool>() && Win<PatTool>().Visible() && Pick(2) == 0)
            window = &Win<PatTool>(); // the flat patterns of the design on screen
        const size_t kind = Pick(20);
        if (kind == 0 || !window)
            return Choose_From_Menu();
        if (kind == 1)
            return Type_Sensible_Figures(window);
        std::vector<Control*> shown;
        for (Control* c : window->Controls())
            if (c->Widget()->isVisibleTo(window) && c->Widget()->isEnabled())
                shown.push_back(c);
        if (shown.empty())
            return;
        Control* c = shown[Pick(shown.size())];
        if (auto* t = dynamic_cast<TextBox*>(c); t && !t->Locked() && kind < 10) {
            Click_Into(*t);
            if (Pick(3) == 0)
                t->SetText("");
            if (Pick(50) == 0) { // a paste of 10 kB
                const std::string paste(10'000, "0123456789. -"[Pick(13)]);
                events.push_back("paste into " + c->Name() + ": 10000 x " + paste.substr(0, 1));
                QApplication::clipboard()->setText(QString::fromStdString(paste));
                QTest::keyClick(t->Widget(), Qt::Key_V, Qt::ControlModifier);
            } else {
                const std::string text = Random_Text();
                events.push_back("type into " + c->Name() + ": " + text);
                QTest::keyClicks(t->Widget(), QString::fromStdString(text));
            }
        } else if (kind < 12 && c->HasFocus()) {
            static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab,
                                           Qt::Key_Return,    Qt::Key_Left,   Qt::Key_Space};
            const Qt::Key key = keys[Pick(6)];
            events.push_back("key " + std::to_string(key) + " in " + c->Name());
            QTest::keyClick(c->Widget(), key);
        } else {
            events.push_back("click " + c->Name());
            Click_Into(*c);
        }
    }

    void Choose_From_Menu() {
        const size_t choice = Pick(8);
        events.push_back("front screen choice " + std::to_string(choice));
        if (choice < 4) {
            Open_Tool(static_cast<int16_t>(choice));
            for (const TextBox* t : Calculator_Of(static_cast<int16_t>(choice)).fields)
                if (t->Name().rfind("OrdTxt", 0) != 0) { // the ordinates are hidden, not emptied
                    EXPECT_EQ(t->Text(), "") << t->Name();
                }
        } else if (choice == 4) {
            menu().PipeVals->trigger();
            for (const TextBox& t : dsn().Texh)
                EXPECT_EQ(t.Text(), "") << t.Name();
            EXPECT_EQ(dsn().Text1.Text(), "");
        } else if (choice == 5) {
            menu().InfoScrn->trigger();
        } else if (choice == 6) {
            Open_Tools_List();
        } else if (menu().ClearCom.Widget()->isVisibleTo(&menu())) {
            menu().ClearCom.Click();
        }
    }

    // A result on screen is what the window's present texts give.
    void Expect_Results_Belong_To_Texts() {
        TexDsn& d = dsn();
        if (Win_Exists<PatTool>() && Win<PatTool>().Visible()) {
            ASSERT_TRUE(d.Visible() && d.TexTotLth.Visible()) << "patterns without results";
            if (const auto& set = Win<PatTool>().Patterns()) {
                EXPECT_EQ(set->design.state.ETotal, d.V.ETotal) << "patterns of another design";
            }
        }
        if (d.Visible() && d.TexTotLth.Visible()) {
            const auto run = Calc_Design(d.Read_Form(), d.V);
            ASSERT_TRUE(run.ok()) << "a result shown for texts that fail: " << run.failure->title;
            resultsSeen.insert("TexDsn");
            const Result_Table table = Make_Result_Table(run.value.state);
            EXPECT_EQ(d.TexTotLth.Text(), Box_Text(table.TexTotLth));
            for (size_t i = 0; i < table.Texdiam.size(); ++i)
                EXPECT_EQ(d.Texdiam[static_cast<int16_t>(i)].Text(), Box_Text(table.Texdiam[i]));
        }
        const auto expect = [this](Form& w, const Label& shown, const auto& run, auto text) {
            if (!w.Visible() || !shown.Visible())
                return;
            ASSERT_TRUE(run.ok()) << "a result shown in " << w.Name() << " for texts that fail";
            resultsSeen.insert(w.Name());
            EXPECT_EQ(shown.Caption(), text(run.value));
        };
        BMEPTool& b = bmep();
        expect(b, b.BHP_Lab[4], Calc_Bmep({Texts_Of(b.BHP_Txt), b.V.Power_In_Hp}),
               [](const auto& v) { return Bmep_Result_Text(v.BMEP); });
        HghtTool& h = Win<HghtTool>();
        expect(h, h.HghtLab[4], Calc_PrtHgt({Texts_Of(h.HghtTxt)}), PrtHgt_Result_Text);
        DiamTool& t = Win<DiamTool>();
        expect(t, t.DiamLab[4], Calc_RectPrt({Texts_Of(t.DiamTxt)}),
               [](const auto& v) { return RectPrt_Result_Text(v.D); });
        ProfTool& p = prof();
        const auto run = Calc_ProfPrt({p.V.BridgedPair, Texts_Of(p.ProfTxt), Texts_Of(p.OrdTxt)});
        expect(p, p.ProfLab[8], run, [](const auto& v) { return ProfPrt_Single_Text(v.d); });
        if (!p.ProfLab[8].Visible() && p.DiamFram.Visible())
            expect(p, p.ProfLab[6], run, [](const auto& v) { return ProfPrt_Constant_Text(v.dC); });
    }
};

TEST_F(RandomInput, EveryEventKeepsTheWindowsConsistent) {
    Quick_Dialogs dialogs; // an open takes the design saved last; a printer takes every sheet
    dialogs.defaultPrinter = "Random Printer";
    const unsigned long seed = Setting("ECD_RANDOM_SEED", 20261205);
    const size_t count = Setting("ECD_RANDOM_EVENTS", 5000);
    size_t boxesAnswered = 0;
    for (size_t i = 1; i <= count && !HasFailure(); ++i) {
        Act();
        QCoreApplication::processEvents();
        boxesAnswered += boxes.size();
        boxes.clear();
        size_t shown = 0;
        for (Form* f : Work_Windows())
            shown += f->Visible() ? 1 : 0;
        EXPECT_FALSE(Program_Has_Ended());
        EXPECT_LE(shown, 1u) << "work windows shown at once";
        Expect_Results_Belong_To_Texts();
        if (HasFailure()) {
            std::ostringstream last;
            for (size_t e = events.size() > 20 ? events.size() - 20 : 0; e < events.size(); ++e)
                last << "  " << events[e] << "\n";
            ADD_FAILURE() << "after event " << i << "; replay with ECD_RANDOM_SEED=" << seed
                          << " ECD_RANDOM_EVENTS=" << i << "\nthe last events:\n"
                          << last.str();
        }
    }
    EXPECT_GT(boxesAnswered, 0u) << "the run never reached a check";
    EXPECT_GE(resultsSeen.size(), 3u) << "results checked in too few windows";
}

} // namespace
