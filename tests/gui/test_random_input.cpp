// The running windows under a seeded random mix of what a user can do: clicks on any shown
// control, menu choices, worked examples, typed texts (digits, signs, points, letters,
// blanks) and key presses, every message box answered. After every event the program runs,
// at most one work window is shown, and a result on screen is what Calculate gives for the
// window's present texts. ECD_RANDOM_SEED and ECD_RANDOM_EVENTS replay a run; a failure
// prints both and the last event.

#include "gui_support.h"

#include "desktop/windows/pattern_window.h"

#include <cstdlib>
#include <random>

namespace {

unsigned long Setting(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

void Calculate(Form& w) {
    for (Control* c : w.Controls())
        if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Caption() == "Calculate")
            b->Click();
}

// What the window shows: the texts and captions of its shown controls.
std::string Screen(Form& w) {
    std::string s;
    for (Control* c : w.Controls()) {
        const auto* t = dynamic_cast<TextBox*>(c);
        const auto* l = dynamic_cast<Label*>(c);
        if (c->Widget()->isVisibleTo(&w))
            s += c->Name() + "=" + (t ? t->Text() : l ? l->Caption() : "") + "\n";
    }
    return s;
}

class RandomInput : public Program_Test {
protected:
    const unsigned long seed = Setting("ECD_RANDOM_SEED", 20261205);
    std::mt19937 random{static_cast<unsigned>(seed)};
    std::string event;             // the last one
    std::set<std::string> checked; // the windows whose results were checked
    std::string checkedScreen;

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }

    // The work window shown (the last one if several), and how many are.
    Form* Work_Window(size_t& count) {
        Form* shown = nullptr;
        count = 0;
        for (Form* f : std::initializer_list<Form*>{&dsn(), &Win<BMEPTool>(), &Win<HghtTool>(),
                                                    &Win<DiamTool>(), &Win<ProfTool>()})
            if (f->Visible())
                shown = f, ++count;
        return shown;
    }

    // One event, described in `event`: a front screen choice, a worked example calculated,
    // or typing, a key or a click in a shown control.
    void Act(Form* window) {
        if (Win_Exists<PatTool>() && Win<PatTool>().Visible() && Pick(2) == 0)
            window = &Win<PatTool>(); // the flat patterns of the design on screen
        const size_t kind = Pick(20);
        if (kind == 0 || !window) {
            const size_t choice = Pick(7);
            event = "front screen choice " + std::to_string(choice);
            if (choice < 4)
                Open_Tool(static_cast<int16_t>(choice));
            else if (choice == 4)
                menu().PipeVals->trigger();
            else if (choice == 5)
                menu().InfoScrn->trigger();
            else if (menu().ClearCom.Widget()->isVisibleTo(&menu()))
                menu().ClearCom.Click();
            return;
        }
        if (kind == 1) {
            event = "worked example into " + window->Name() + ", then Calculate";
            if (window == &dsn())
                Enter_Design(dsn(), Pick(2) == 0);
            for (int16_t tool = 0; tool < 4; ++tool)
                if (const Calculator k = Calculator_Of(tool); &k.w == window) {
                    if (!k.options.empty())
                        Click_Into(*k.options[Pick(2)]);
                    Enter(k, k.example);
                }
            return Calculate(*window);
        }
        std::vector<Control*> shown;
        for (Control* c : window->Controls())
            if (c->Widget()->isVisibleTo(window) && c->Widget()->isEnabled())
                shown.push_back(c);
        Control* c = shown.empty() ? nullptr : shown[Pick(shown.size())];
        auto* t = dynamic_cast<TextBox*>(c);
        if (t && !t->Locked() && kind < 10) {
            static const char* const pieces[] = {"0",   "1",   "2",   "4",     "5",   "8",    "10",
                                                 "12",  "20",  "30",  "40",    "44",  "54",   "88",
                                                 "110", "180", "600", "11000", ".",   "-",    "+",
                                                 "e",   " ",   "a",   "1,5",   "nan", "1e39", "\t"};
            std::string text;
            for (size_t n = 1 + Pick(3); n > 0; --n)
                text += pieces[Pick(std::size(pieces))];
            Click_Into(*t);
            if (Pick(3) == 0)
                t->SetText("");
            event = "type into " + c->Name() + ": " + text;
            QTest::keyClicks(t->Widget(), QString::fromStdString(text));
        } else if (c && kind < 12 && c->HasFocus()) {
            const Qt::Key key = std::array{Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab,
                                           Qt::Key_Return, Qt::Key_Space}[Pick(5)];
            event = "key " + std::to_string(key) + " in " + c->Name();
            QTest::keyClick(c->Widget(), key);
        } else if (c) {
            event = "click " + c->Name();
            Click_Into(*c);
        }
    }

    // A result on screen is what Calculate gives for the window's present texts.
    void Expect_Results_Hold(Form& w) {
        TexDsn& d = dsn();
        ProfTool& p = Win<ProfTool>();
        const std::pair<Form*, Control*> results[] = {
            {&d, &d.TexTotLth},  {&Win<BMEPTool>(), &Win<BMEPTool>().BHP_Lab[4]},
            {&p, &p.ProfLab[8]}, {&Win<HghtTool>(), &Win<HghtTool>().HghtLab[4]},
            {&p, &p.DiamFram},   {&Win<DiamTool>(), &Win<DiamTool>().DiamLab[4]}};
        for (const auto& [window, result] : results) {
            if (window != &w || !result->Visible() || Screen(w) == checkedScreen)
                continue; // (a screen checked once stays right)
            checkedScreen = Screen(w);
            Calculate(w);
            EXPECT_EQ(Screen(w), checkedScreen) << "a result shown that its texts do not give";
            checked.insert(w.Name());
            return;
        }
    }
};

TEST_F(RandomInput, EveryEventKeepsTheWindowsConsistent) {
    Quick_Dialogs dialogs; // an open takes the design saved last; a printer takes every sheet
    dialogs.defaultPrinter = "Random Printer";
    const size_t count = Setting("ECD_RANDOM_EVENTS", 5000);
    size_t shown = 0;
    for (size_t i = 1; i <= count && !HasFailure(); ++i) {
        Act(Work_Window(shown));
        QCoreApplication::processEvents();
        Form* window = Work_Window(shown);
        EXPECT_FALSE(Program_Has_Ended());
        EXPECT_LE(shown, 1u) << "work windows shown at once";
        if (window)
            Expect_Results_Hold(*window);
        boxes.clear();
        if (HasFailure())
            ADD_FAILURE() << "after \"" << event << "\"; replay with ECD_RANDOM_SEED=" << seed
                          << " ECD_RANDOM_EVENTS=" << i;
    }
    EXPECT_GE(checked.size(), 4u) << "results checked in too few windows";
}

} // namespace
