// The running windows under a seeded random mix of what a user can do: clicks on any shown
// control, menu choices, typed texts (digits, signs, points, letters, blanks, 10 kB pastes)
// and key presses, every message box answered. After every event: the program runs, at
// most one work window is shown, a result on screen is what its window's texts give, and a
// window opened from the front screen opens with empty fields. ECD_RANDOM_SEED and
// ECD_RANDOM_EVENTS replay a run; a failure prints both and the events that led to it.

#include "gui_support.h"

#include "common/win_dialogs.h"
#include "common/win_fields.h"
#include "design/print_sheet.h"
#include "fabrication/pattern_window.h"
#include "tools/bmep_calc.h"
#include "tools/port_height_calc.h"
#include "tools/prof_port_calc.h"
#include "tools/rect_port_calc.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

namespace {

// A printer that takes every sheet, so that "Print" is one more thing to click.
class Quiet_Printer : public Sheet_Printer {
public:
    std::string Default_Printer() override { return "Random Printer"; }
    void Print(QWidget&, const std::string&, const std::string&) override {}
};

// File dialogs that answer at once: saves go to a scratch folder, an open takes the design
// saved last (or is cancelled when none was), and there is no printer.
class Quick_Dialogs : public System_Dialogs {
public:
    std::string Open_File(QWidget*, const std::string&, const std::string&) override {
        return saved;
    }
    std::string Save_File(QWidget*, const std::string&, const std::string&,
                          const std::string& proposed) override {
        const std::string path = ::testing::TempDir() + "random-" + proposed;
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".ecd") == 0)
            saved = path;
        return path;
    }
    bool Has_Printer() override { return false; }
    bool Choose_Printer(QPrinter&, QWidget*) override { return false; }
    std::string saved;
};

unsigned long Setting(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

class RandomInput : public Program_Test {
protected:
    std::mt19937 random{static_cast<unsigned>(Setting("ECD_RANDOM_SEED", 20261205))};
    std::vector<std::string> events;

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }

    std::vector<Form*> Work_Windows() {
        return {&Win<TexDsn>(), &Win<BMEPTool>(), &Win<HghtTool>(), &Win<DiamTool>(),
                &Win<ProfTool>()};
    }

    Form* Shown_Work_Window() {
        for (Form* f : Work_Windows())
            if (f->Visible())
                return f;
        return nullptr;
    }

    std::string Random_Text() {
        static const std::vector<std::string> pieces = {
            "0",  "1",  "2",  "4",  "5",   "7",   "8",   "9",     "10",   "12", "20", "30",
            "40", "44", "54", "88", "110", "180", "600", "11000", ".",    "-",  "+",  "e",
            "E",  " ",  "  ", "a",  "x",   "1,5", "nan", "inf",   "1e39", "-0", "\t"};
        std::string t;
        for (size_t n = 1 + Pick(3); n > 0; --n)
            t += pieces[Pick(pieces.size())];
        return t;
    }

    // A user who knows the figures: sensible texts typed into every field of the window
    // (not always sensible together), each replacing what was there.
    void Type_Sensible_Figures(Form* window) {
        static const std::vector<std::vector<const char*>> design = {
            {"450", "600", "650"},    {"70", "88", "105"},    {"1000", "11000", "50000"},
            {"8", "10", "12"},        {"0.5", "0.65", "0.8"}, {"2", "20", "50"},
            {"2.125", "2.5", "3.25"}, {"1.25", "1.5", "2.0"}, {"40"},
            {"40", "42", "44", "48"}};
        std::vector<std::pair<TextBox*, std::string>> typed;
        if (window == &dsn()) {
            for (int16_t group = 0; group < 3; ++group) // and an option of every group
                Click_Into(dsn().Option1[static_cast<int16_t>(2 * group + Pick(2))]);
            for (int16_t i = 0; i < dsn().Texh.Count; ++i) {
                const auto& choices = design[static_cast<size_t>(i)];
                typed.emplace_back(&dsn().Texh[i], choices[Pick(choices.size())]);
            }
        } else {
            for (int16_t tool = 0; tool < 4; ++tool) {
                const Calculator k = Calculator_Of(tool);
                if (&k.w != window)
                    continue;
                for (size_t i = 0; i < k.example.size(); ++i)
                    if (k.example[i])
                        typed.emplace_back(k.fields[i], k.example[i]);
            }
        }
        events.push_back("type sensible figures into " + window->Name() + " and calculate");
        for (const auto& [box, text] : typed) {
            if (!box->Widget()->isVisibleTo(window))
                continue;
            box->SetText("");
            QTest::keyClicks(box->Widget(), QString::fromStdString(text));
        }
        for (Control* c : window->Controls())
            if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Caption() == "Calculate")
                b->Click();
    }

    // One event, described in `events`.
    void Act() {
        Form* window = Shown_Work_Window();
        if (Win_Exists<PatTool>() && Win<PatTool>().Visible() && Pick(2) == 0)
            window = &Win<PatTool>(); // the flat patterns of the design on screen
        const size_t kind = Pick(20);
        if (kind == 0 || !window) {
            Choose_From_Menu();
            return;
        }
        if (kind == 1) {
            Type_Sensible_Figures(window);
            return;
        }
        std::vector<Control*> shown;
        for (Control* c : window->Controls())
            if (c->Widget()->isVisibleTo(window) && c->Widget()->isEnabled())
                shown.push_back(c);
        if (shown.empty())
            return;
        Control* c = shown[Pick(shown.size())];
        if (auto* t = dynamic_cast<TextBox*>(c); t && !t->Locked() && kind < 10) {
            const std::string text = Random_Text();
            Click_Into(*t);
            if (Pick(3) == 0)
                t->SetText("");  // select all and delete
            if (Pick(50) == 0) { // a paste of 10 kB
                const std::string paste(10'000, "0123456789. -"[Pick(13)]);
                events.push_back("paste into " + c->Name() + ": 10000 x " + paste.substr(0, 1));
                QApplication::clipboard()->setText(QString::fromStdString(paste));
                QTest::keyClick(t->Widget(), Qt::Key_V, Qt::ControlModifier);
            } else {
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
        if (choice < 4) {
            events.push_back("Tools item " + std::to_string(choice));
            Open_Tool(static_cast<int16_t>(choice));
            Expect_Opened_Empty(static_cast<int16_t>(choice));
        } else if (choice == 4) {
            events.push_back("Expansion Chamber Design");
            menu().PipeVals->trigger();
            for (const TextBox& t : dsn().Texh)
                EXPECT_EQ(t.Text(), "") << t.Name();
            EXPECT_EQ(dsn().Text1.Text(), "");
        } else if (choice == 5) {
            events.push_back("Acknowledgment");
            menu().InfoScrn->trigger();
        } else if (choice == 6) {
            events.push_back("Tools list without a choice");
            Open_Tools_List();
        } else {
            events.push_back("X on the acknowledgment");
            if (menu().ClearCom.Widget()->isVisibleTo(&menu()))
                menu().ClearCom.Click();
        }
    }

    void Expect_Opened_Empty(int16_t tool) {
        const Calculator k = Calculator_Of(tool);
        for (const TextBox* t : k.fields) {
            if (t->Name().rfind("OrdTxt", 0) != 0) { // the ordinates are hidden, not emptied
                EXPECT_EQ(t->Text(), "") << t->Name();
            }
        }
    }

    std::map<std::string, int> resultsSeen; // checks of each window's results

    // A result on screen is what the window's present texts give.
    void Expect_Results_Belong_To_Texts() {
        TexDsn& d = dsn();
        if (Win_Exists<PatTool>() && Win<PatTool>().Visible()) {
            ASSERT_TRUE(d.Visible() && d.TexTotLth.Visible())
                << "flat patterns shown without the results they belong to";
            if (const auto& set = Win<PatTool>().Patterns()) {
                EXPECT_EQ(set->design.state.ETotal, d.V.ETotal) << "patterns of another design";
            }
        }
        if (d.Visible() && d.TexTotLth.Visible()) {
            const Design_Form form = Form_Of(d);
            const auto run = Calc_Design(form, d.V);
            ASSERT_TRUE(run.ok()) << "a result shown for texts that fail: " << run.failure->title;
            ++resultsSeen["TexDsn"];
            const Result_Table table = Make_Result_Table(run.value.state);
            EXPECT_EQ(d.TexTotLth.Text(), Box_Text(table.TexTotLth));
            for (size_t i = 0; i < table.Texdiam.size(); ++i)
                EXPECT_EQ(d.Texdiam[static_cast<int16_t>(i)].Text(), Box_Text(table.Texdiam[i]));
        }
        BMEPTool& b = bmep();
        if (b.Visible() && b.BHP_Lab[4].Visible()) {
            const auto r = Calc_Bmep({Texts_Of(b.BHP_Txt), b.V.Power_In_Hp});
            ASSERT_TRUE(r.ok()) << "a BMEP shown for texts that fail";
            ++resultsSeen["BMEPTool"];
            EXPECT_EQ(b.BHP_Lab[4].Caption(), Bmep_Result_Text(r.value.BMEP));
        }
        HghtTool& h = Win<HghtTool>();
        if (h.Visible() && h.HghtLab[4].Visible()) {
            const auto r = Calc_PrtHgt({Texts_Of(h.HghtTxt)});
            ASSERT_TRUE(r.ok()) << "a port height shown for texts that fail";
            ++resultsSeen["HghtTool"];
            EXPECT_EQ(h.HghtLab[4].Caption(), PrtHgt_Result_Text(r.value));
        }
        DiamTool& t = Win<DiamTool>();
        if (t.Visible() && t.DiamLab[4].Visible()) {
            const auto r = Calc_RectPrt({Texts_Of(t.DiamTxt)});
            ASSERT_TRUE(r.ok()) << "a diameter shown for texts that fail";
            ++resultsSeen["DiamTool"];
            EXPECT_EQ(t.DiamLab[4].Caption(), RectPrt_Result_Text(r.value.D));
        }
        ProfTool& p = prof();
        if (p.Visible() && (p.ProfLab[8].Visible() || p.DiamFram.Visible())) {
            const auto r = Calc_ProfPrt({p.V.BridgedPair, Texts_Of(p.ProfTxt), Texts_Of(p.OrdTxt)});
            ASSERT_TRUE(r.ok()) << "a profiled-port result shown for texts that fail";
            ++resultsSeen["ProfTool"];
            if (p.ProfLab[8].Visible()) {
                EXPECT_EQ(p.ProfLab[8].Caption(), ProfPrt_Single_Text(r.value.d));
            } else {
                EXPECT_EQ(p.ProfLab[6].Caption(), ProfPrt_Constant_Text(r.value.dC));
            }
        }
    }

    static Design_Form Form_Of(const TexDsn& d) {
        Design_Form f;
        const auto source = [&d](int16_t typed, int16_t fromBmep) {
            return d.Option1[fromBmep].Value() ? Value_Source::FromBmep
                   : d.Option1[typed].Value()  ? Value_Source::Typed
                                               : Value_Source::Unset;
        };
        f.Diffuser = d.Option1[1].Value()   ? Diffuser_Type::ThreeStage
                     : d.Option1[0].Value() ? Diffuser_Type::TwoStage
                                            : Diffuser_Type::Unset;
        f.TempSource = source(2, 3);
        f.CoefSource = source(4, 5);
        f.Texh = Texts_Of(d.Texh);
        return f;
    }

    void Report_Failure(unsigned long seed, size_t at) {
        const std::string path = ::testing::TempDir() + "random-input-events.txt";
        std::ofstream file(path);
        for (const std::string& e : events)
            file << e << "\n";
        std::ostringstream last;
        for (size_t i = events.size() > 20 ? events.size() - 20 : 0; i < events.size(); ++i)
            last << "  " << events[i] << "\n";
        ADD_FAILURE() << "after event " << at << "; replay with ECD_RANDOM_SEED=" << seed
                      << " ECD_RANDOM_EVENTS=" << at << "\nevery event: " << path
                      << "\nthe last ones:\n"
                      << last.str();
    }
};

TEST_F(RandomInput, EveryEventKeepsTheWindowsConsistent) {
    Quiet_Printer printer;
    Sheet_Printer* const before = Set_Sheet_Printer(&printer);
    Quick_Dialogs dialogs;
    System_Dialogs* const beforeDialogs = Set_System_Dialogs(&dialogs);
    const unsigned long seed = Setting("ECD_RANDOM_SEED", 20261205);
    const size_t count = Setting("ECD_RANDOM_EVENTS", 5000);
    size_t boxesAnswered = 0;
    for (size_t i = 1; i <= count; ++i) {
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
            Report_Failure(seed, i);
            break;
        }
    }
    Set_Sheet_Printer(before);
    Set_System_Dialogs(beforeDialogs);
    EXPECT_GT(boxesAnswered, 0u) << "the run never reached a check";
    std::string seen;
    for (const auto& [w, n] : resultsSeen)
        seen += w + " " + std::to_string(n) + " ";
    EXPECT_GE(resultsSeen.size(), 3u) << "results checked only in " << seen;
    std::cout << count << " events, " << boxesAnswered << " message boxes, results in " << seen
              << "\n";
    RecordProperty("events", static_cast<int>(events.size()));
}

} // namespace
