// Nothing typed is lost: every work window's form comes back with "Restore Previous Form"
// after the front screen emptied it and after the program was killed, its file survives
// what a disk does to it; and the desktop manners around it: Enter, the title, Save As and
// the proposed names, the recent designs, the message box's width, the gas figures.

#include "gui_support.h"

#include "core/fields/kept_forms.h"
#include "desktop/windows/form_keeper.h"
#include "desktop/windows/pattern_window.h"
#include "desktop/windows/pipe_tool.h"
#include "desktop/windows/port_tool.h"
#include "tests/words_and_files.h"

#include <QMenu>
#include <QMessageBox>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>

namespace {

constexpr auto npos = std::string::npos;

class KeptForms : public Program_Test, public Quick_Dialogs {
protected:
    std::string folder() const { return path("state"); }
};

// Every control the user sees, with its text, caption or choice: the window as it stands.
std::string Screen(const Form& f) {
    std::ostringstream s;
    s << f.Height() << '\n';
    for (const Control* c : f.Controls()) {
        if (!c->Widget()->isVisibleTo(&f))
            continue;
        s << c->Name();
        if (const auto* t = dynamic_cast<const TextBox*>(c))
            s << " [" << t->Text() << ']';
        if (const auto* l = dynamic_cast<const Label*>(c))
            s << ' ' << l->Caption();
        if (const auto* o = dynamic_cast<const OptionButton*>(c))
            s << ' ' << o->Value();
        s << '\n';
    }
    return s.str();
}

// The worked engine of the port map.
const std::vector<std::pair<int16_t, const char*>> Engine = {
    {0, "54"}, {1, "54.5"}, {2, "110"}, {4, "12000"}, {6, "38"},   {7, "6"},
    {8, "85"}, {17, "2"},   {18, "16"}, {19, "3"},    {20, "114"}, {10, "0.0134"}};

// The worked design's own pipe, to check: the pipe check's fields and texts.
const std::vector<std::pair<int16_t, const char*>> Pipe = {
    {TexhHorn, "1.5"}, {TexhBmep, "10"},  {TexhDX, "40"}, {TexhD1, "44"},
    {TexhLX, "20"},    {TexhAngle, "88"}, {10, "61.4"},   {11, "223.8"},
    {12, "148.9"},     {13, "74.9"},      {14, "89.5"},   {15, "195.3"},
    {16, "60.8"},      {17, "88.2"},      {18, "109.8"},  {19, "25.5"}};

// The design window (-1) and the Tools items' windows (0 to 5), each opened as the front
// screen opens it, and typed with a worked example.
class Windows : public KeptForms {
protected:
    static Form& Window(int16_t tool) {
        if (tool == 5)
            return Win<PipeTool>();
        if (tool == 4)
            return Win<PortTool>();
        return tool < 0 ? static_cast<Form&>(Win<TexDsn>()) : Calculator_Of(tool).w;
    }
    // The field Enter is pressed in.
    static TextBox& Field(int16_t tool) {
        if (tool == 5)
            return Win<PipeTool>().PipeTxt[TexhAngle];
        if (tool == 4)
            return Win<PortTool>().PortTxt[1];
        return tool < 0 ? Win<TexDsn>().Texh[TexhSpeed] : *Calculator_Of(tool).fields[0];
    }
    static CommandButton& Restore(int16_t tool) {
        return dynamic_cast<Kept_Window&>(Window(tool)).RestCom;
    }
    Form& Open(int16_t tool) {
        if (tool < 0) {
            Open_Design();
        } else if (tool < 4) {
            Open_Tool(tool);
        } else {
            emit menu().SumTools->aboutToShow();
            menu().PD_Tool[static_cast<size_t>(tool)]->trigger();
        }
        return Window(tool);
    }
    void Type(int16_t tool) {
        Open(tool);
        if (tool < 0) {
            Enter_Design(dsn(), true);
            dsn().Text1.SetText("GP 125");
        } else if (tool == 4) {
            for (const auto& [i, text] : Engine)
                Win<PortTool>().PortTxt[i].SetText(text);
        } else if (tool == 5) {
            for (int16_t o : {1, 3, 5})
                Click_Into(Win<PipeTool>().PipeOpt[o]);
            for (const auto& [i, text] : Pipe)
                Win<PipeTool>().PipeTxt[i].SetText(text);
        } else {
            const Calculator k = Calculator_Of(tool);
            if (!k.options.empty())
                Click_Into(*k.options[0]);
            Enter(k, k.example);
        }
    }
    // The program as a new process finds it, the forms in the folder.
    void Start_Again() {
        Discard_All_Windows(true);
        Reset_Program_Ended();
        ToolCode::ToolJustOpened = ToolCode::False;
        Start_Program();
        keeper::Keep_In(folder());
    }
};

// Typed, Enter in a field (its text as typed) calculates; the menu empties the window;
// "Restore Previous Form" brings back every text, choice and result, and the form it
// replaced in turn. Killed and started again, the program offers the unsaved form and
// brings it back; ended and started again, the form is at hand in its window.
TEST_F(Windows, EveryFormComesBackAfterAResetAndAfterTheProgramWasKilled) {
    for (int16_t tool = -1; tool < 6; ++tool) {
        SCOPED_TRACE(tool);
        Start_Again();
        Type(tool);
        Form* w = &Window(tool);
        const std::string typed = Screen(*w);
        QTest::keyClick(Field(tool).Widget(), Qt::Key_Return);
        const std::string calculated = Screen(*w);
        EXPECT_TRUE(tool >= 4 || calculated != typed) << "Enter ran Calculate";
        if (tool < 4) { // the port map and the pipe check are never emptied by the menu
            w->Hide();  // "Return to Front Screen"
            Open(tool);
            EXPECT_NE(Screen(*w), calculated);
            Click_Into(Restore(tool));
            EXPECT_EQ(Screen(*w), calculated);
            Field(tool).SetText("1");
            const std::string edited = Screen(*w);
            Click_Into(Restore(tool));
            EXPECT_EQ(Screen(*w), calculated);
            Click_Into(Restore(tool));
            EXPECT_EQ(Screen(*w), edited) << "nothing lost: the form it replaced";
            Click_Into(Restore(tool));
        }
        // Killed: the windows go without a word; started again, the form is offered.
        Start_Again();
        questions.clear();
        EXPECT_TRUE(keeper::Offer_Unsaved(&menu()));
        ASSERT_EQ(questions.size(), 1u);
        const std::string name =
            Words_Of(dynamic_cast<Kept_Window&>(Window(tool)).Kept_Key()).title;
        EXPECT_NE(questions[0].second.find(tool < 0 ? name + " (GP 125)" : name), npos);
        w = &Window(tool);
        EXPECT_TRUE(w->Visible());
        EXPECT_EQ(Screen(*w), calculated);
        // Ended as the program ends: nothing is offered, the form is still at hand.
        menu().ExitProg->trigger();
        keeper::Program_Ends();
        Start_Again();
        EXPECT_FALSE(keeper::Offer_Unsaved(&menu()));
        w = &Open(tool);
        Click_Into(Restore(tool));
        EXPECT_EQ(Screen(*w), calculated);
        std::filesystem::remove_all(folder());
    }
    EXPECT_TRUE(boxes.empty());
}

// A full disk or a folder that cannot be made: one box for the run, the file as it was, and
// the forms still kept while the program runs.
TEST_F(KeptForms, AFileThatCannotBeWrittenIsSaidOnceAndLosesNothing) {
    const std::string older = R"({"format": "expansion-chamber-forms", "version": 1})";
    std::filesystem::create_directories(folder());
    std::ofstream(path("file")) << "";
    const struct {
        std::string where;
        rlim_t largest; // bytes a file may hold
    } cases[] = {{folder(), 60}, {path("file") + "/state", RLIM_INFINITY}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        boxes.clear();
        keeper::Keep_In("");
        std::ofstream(folder() + "/forms.json") << older;
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = std::min(c.largest, before.rlim_max);
        setrlimit(RLIMIT_FSIZE, &small);
        keeper::Keep_In(c.where);
        TexDsn& d = Calculated(true);
        d.Comd[0].Click();
        setrlimit(RLIMIT_FSIZE, &before);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].first, "Forms Not Kept");
        EXPECT_EQ(Read(folder() + "/forms.json"), older);
        const std::string shown = Look(d);
        Open_Design();
        Click_Into(d.RestCom);
        EXPECT_EQ(Look(d), shown);
    }
}

// The title names the file and marks changes; Ctrl+Shift+S saves as, proposing the file
// itself; the sheet's and the patterns' PDFs have names of their own.
TEST_F(KeptForms, TitleSaveAsAndTheProposedNames) {
    TexDsn& d = Calculated(true);
    const std::string caption = "Expansion Chamber Design - Data Entry";
    EXPECT_EQ(d.Caption(), caption + " *");
    d.FileCom[1].Click();
    EXPECT_EQ(d.Caption(), caption + " \u2014 GP 125.ecd");
    d.Texh[TexhSpeed].SetText("10500");
    EXPECT_EQ(d.Caption(), caption + " \u2014 GP 125.ecd *");
    d.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(&d, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    d.Comd[0].Click();
    d.Comd[1].Click(); // no printer: the sheet as a PDF
    d.PatCom.Click();
    Win<PatTool>().PatCom[0].Click();
    EXPECT_EQ(proposals, (std::vector<std::string>{"GP 125.ecd", path("GP 125.ecd"),
                                                   "GP 125 sheet.pdf", "GP 125 patterns.pdf"}));
    EXPECT_EQ(d.Caption(), caption + " \u2014 GP 125.ecd");
}

// The last eight designs opened or saved, the latest first with its pipe name; one whose
// file is gone is dropped with a box.
TEST_F(KeptForms, RecentDesigns) {
    TexDsn& d = Calculated(false);
    for (int i = 1; i <= 9; ++i) {
        d.Text1.SetText("Pipe " + std::to_string(i));
        save = "pipe" + std::to_string(i) + ".ecd";
        d.FileCom[2].Click();
    }
    const auto items = [&] {
        d.RecentCom.Click();
        const QList<QAction*> list = d.RecentMenu->actions();
        d.RecentMenu->hide();
        return list;
    };
    ASSERT_EQ(items().size(), 8);
    EXPECT_EQ(items()[0]->text().toStdString(), "&1  Pipe 9  (pipe9.ecd)");
    EXPECT_EQ(items()[7]->text().toStdString(), "&8  Pipe 2  (pipe2.ecd)");
    items()[5]->trigger();
    EXPECT_EQ(d.Text1.Text(), "Pipe 4");
    EXPECT_EQ(items()[0]->text().toStdString(), "&1  Pipe 4  (pipe4.ecd)");
    std::filesystem::remove(path("pipe9.ecd"));
    items()[1]->trigger();
    EXPECT_EQ(boxes, (std::vector<Message_Box>{
                         {"Design Not Found", "The design file \"" + path("pipe9.ecd") +
                                                  "\" is no longer there. It is taken off "
                                                  "the list of recent designs."}}));
    EXPECT_EQ(items().size(), 7);
    EXPECT_EQ(d.Text1.Text(), "Pipe 4");
}

// The box is as wide as its whole title needs on a caption bar.
TEST(MessageBox, ShowsItsWholeTitle) {
    for (const char* title : {"Exhaust Port Effective Diameter Incorrectly Set",
                              "Number of Intervals in Profile Data Incorrectly Set"}) {
        const auto box = Make_Box("Enter a value for the Engine Speed", title);
        box->show();
        EXPECT_GE(box->width(), Title_Bar_Width(title)) << title;
    }
}

// The gas the design used, under the diameters, not on paper.
TEST_F(KeptForms, TheResultsShowTheGas) {
    for (const bool threeStage : {true, false}) {
        TexDsn& d = Calculated(threeStage);
        EXPECT_EQ(d.GasLab[0].Caption(), "Gas Temp. (\u00B0C)");
        EXPECT_EQ(d.GasTxt[0].Text(), threeStage ? "575 " : "600 ");
        EXPECT_EQ(d.GasTxt[1].Text(), threeStage ? "584 " : "592 ");
        EXPECT_TRUE(d.GasTxt[1].Visible());
        d.Texh[TexhSpeed].SetText("1");
        EXPECT_FALSE(d.GasTxt[1].Visible());
    }
}

} // namespace
