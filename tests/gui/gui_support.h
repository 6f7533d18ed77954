#pragma once
// What the window tests share: a fresh program per test, a recorder in place of the
// message box, and small helpers that act as the user does.

#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_form.h"
#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/bmep_tool.h"
#include "desktop/windows/diam_tool.h"
#include "desktop/windows/hght_tool.h"
#include "desktop/windows/pips_menu.h"
#include "desktop/windows/prof_tool.h"
#include "desktop/windows/tex_dsn.h"
#include "desktop/windows/tool_code.h"
#include "tests/sample_designs.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

struct Message_Box {
    std::string title;
    std::string prompt;
    bool operator==(const Message_Box& o) const { return title == o.title && prompt == o.prompt; }
};

inline std::ostream& operator<<(std::ostream& os, const Message_Box& b) {
    return os << "[" << b.title << "] " << b.prompt;
}

// Each test starts from a program that has just been started, with every window and
// window variable as new, and records the message boxes instead of showing them.
class Program_Test : public ::testing::Test {
protected:
    void SetUp() override {
        Discard_All_Windows(true);
        Reset_Program_Ended();
        ToolCode::ToolJustOpened = ToolCode::False;
        previous_ = Set_MsgBox_Handler([this](const std::string& p, const std::string& t) {
            boxes.push_back({t, p});
            if (on_box)
                on_box();
        });
        Start_Program();
    }
    void TearDown() override {
        Set_MsgBox_Handler(previous_);
        Discard_All_Windows(true);
        QCoreApplication::processEvents();
    }

    PipsMenu& menu() { return Win<PipsMenu>(); }
    TexDsn& dsn() { return Win<TexDsn>(); }

    // Opens the design window from the front screen, as the menu item does.
    TexDsn& Open_Design() {
        menu().PipeVals->trigger();
        return dsn();
    }

    // The design window with a worked design (see Enter_Design) calculated and a pipe name.
    TexDsn& Calculated(bool threeStage);

    BMEPTool& bmep() { return Win<BMEPTool>(); }
    ProfTool& prof() { return Win<ProfTool>(); }

    // Opens the Tools list, as a click on "&Tools    " does, and leaves it without a choice.
    void Open_Tools_List() {
        emit menu().SumTools->aboutToShow();
        emit menu().SumTools->aboutToHide();
    }
    // Opens the Tools list and chooses its item of this index (0 BMEP, 1 port height,
    // 2 rectangular port, 3 profiled port).
    void Open_Tool(int16_t index) {
        emit menu().SumTools->aboutToShow();
        menu().PD_Tool[static_cast<size_t>(index)]->trigger();
        emit menu().SumTools->aboutToHide();
    }

    std::vector<Message_Box> boxes;
    std::function<void()> on_box; // runs while a box is "shown"

private:
    MsgBox_Handler previous_;
};

// The dialogs and printers, answering at once, in place of the system's while this lives.
// A save goes into a scratch folder under `save` (the proposed name when empty; none when
// `cancelSave`), and a saved design is what the next open gives; the print dialog prints
// into the PDF `printTo` (none: no printer); the default printer `defaultPrinter` (none
// when empty) takes every sheet and `on_print` sees it.
class Quick_Dialogs : public System_Dialogs {
public:
    ~Quick_Dialogs() override { Set_System_Dialogs(before_); }
    std::string Open_File(QWidget*, const std::string&, const std::string&) override {
        return open;
    }
    std::string Save_File(QWidget*, const std::string&, const std::string&,
                          const std::string& proposed) override {
        proposals.push_back(proposed);
        if (on_save)
            on_save();
        if (cancelSave)
            return {};
        const std::string file = path(save.empty() ? proposed : save);
        if (file.size() > 4 && file.compare(file.size() - 4, 4, ".ecd") == 0)
            open = file;
        return file;
    }
    bool Has_Printer() override { return !printTo.isEmpty(); }
    bool Choose_Printer(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
    std::string Default_Printer() override { return defaultPrinter; }
    void Print_Sheet(QWidget& sheet, const std::string& printer, const std::string& job) override {
        if (on_print)
            on_print(sheet, printer, job);
    }
    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    QTemporaryDir dir;
    std::string open, save;
    bool cancelSave = false;
    std::vector<std::string> proposals;
    std::function<void()> on_save; // runs while the save dialog is "shown"
    QString printTo;
    std::string defaultPrinter;
    std::function<void(QWidget&, const std::string&, const std::string&)> on_print;

private:
    System_Dialogs* const before_ = Set_System_Dialogs(this);
};

// A user's click into a control.
inline void Click_Into(Control& c) {
    QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

// A user's typing into a text box (appended at the cursor).
inline void Type_Into(TextBox& t, const char* text) {
    QTest::keyClicks(t.Widget(), QString::fromLatin1(text));
}

using Names_Set = std::set<std::string>;

// The names of the controls a user sees in the window: shown themselves and inside shown
// containers (whether the window itself is shown or not).
inline Names_Set Shown_Controls(const Form& f) {
    Names_Set names;
    for (const Control* c : f.Controls()) {
        if (c->Widget()->isVisibleTo(&f))
            names.insert(c->Name());
    }
    return names;
}

// The names of Base(0) .. Base(count - 1).
inline Names_Set Names(const std::string& base, int count) {
    Names_Set n;
    for (int i = 0; i < count; ++i)
        n.insert(base + "(" + std::to_string(i) + ")");
    return n;
}
inline Names_Set operator+(Names_Set a, const Names_Set& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// The name of the window's focus control, "" when none.
inline std::string Focus_Of(const Form& f) {
    const Control* c = f.ActiveControl();
    return c ? c->Name() : std::string();
}

// The two worked designs (tests/sample_designs.h) entered as the user does: the options
// clicked, then the texts of the fields the options show.
inline void Enter_Design(TexDsn& d, bool threeStage) {
    const Design_Form f = Sample_Form(threeStage, threeStage);
    for (int16_t i : {0, 2, 4})
        Click_Into(d.Option1[static_cast<int16_t>(threeStage ? i + 1 : i)]);
    for (int16_t i = 0; i < d.Texh.Count; ++i)
        d.Texh[i].SetText(d.Texh[i].Widget()->isVisibleTo(&d) ? f.Texh[static_cast<size_t>(i)]
                                                              : "");
}

inline TexDsn& Program_Test::Calculated(bool threeStage) {
    TexDsn& d = Open_Design();
    Enter_Design(d, threeStage);
    d.Text1.SetText("GP 125");
    d.Comd[0].Click();
    EXPECT_EQ(d.TexTotLth.Text(), threeStage ? "813.7 " : "825.6 ");
    return d;
}

// ---- The four calculators, by the index of the Tools item that opens each: 0 BMEP,
// 1 port height, 2 rectangular port, 3 profiled port ----

struct Calculator {
    Form& w;
    std::vector<TextBox*> fields; // in the order the window reads them
    CommandButton& ret;
    CommandButton& calc;
    Control& result;                    // where the worked example's result shows
    std::vector<const char*> example;   // a worked example's texts, nullptr: not typed
    std::vector<OptionButton*> options; // in index order; the example's option first
};

template <int N>
Calculator Calculator_For(Form& w, Ctl_Array<TextBox, N>& fields, Ctl_Array<CommandButton, 2>& com,
                          Control& result, std::vector<const char*> example,
                          std::vector<OptionButton*> options = {}) {
    Calculator k{w, {}, com[0], com[1], result, std::move(example), std::move(options)};
    for (TextBox& t : fields)
        k.fields.push_back(&t);
    return k;
}

inline Calculator Calculator_Of(int16_t tool) {
    if (tool == 0) {
        BMEPTool& t = Win<BMEPTool>();
        return Calculator_For(t, t.BHP_Txt, t.ToolCom, t.BHP_Lab[4], {"54", "54.5", "12000", "40"},
                              {&t.BHP_Opt[0], &t.BHP_Opt[1]}); // in hp
    }
    if (tool == 1) {
        HghtTool& t = Win<HghtTool>();
        return Calculator_For(t, t.HghtTxt, t.HghtCom, t.HghtLab[4], {"54.5", "110", "85", "180"});
    }
    if (tool == 2) {
        DiamTool& t = Win<DiamTool>();
        return Calculator_For(t, t.DiamTxt, t.DiamCom, t.DiamLab[4], {"40", "30", "5", "5"});
    }
    ProfTool& t = Win<ProfTool>();
    Calculator k = Calculator_For(
        t, t.ProfTxt, t.ProfCom, t.ProfLab[8],
        {"50", nullptr, nullptr, nullptr, "20", "4", "30", "30", "30", "30", "30"}, // a single port
        {&t.ProfOpt[0], &t.ProfOpt[1]});
    for (TextBox& o : t.OrdTxt) {
        k.fields.push_back(&o); // the ordinates follow the number of intervals
    }
    return k;
}

// Sets the texts of the calculator's fields in their order; nullptr leaves a field as it is.
inline void Enter(const Calculator& k, const std::vector<const char*>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i])
            k.fields[i]->SetText(texts[i]);
    }
}

inline std::vector<std::string> Texts(const Calculator& k) {
    std::vector<std::string> t;
    for (const TextBox* f : k.fields)
        t.push_back(f->Text());
    return t;
}

// What a user sees in each calculator just after its Tools item is chosen.
inline Names_Set Opening_Controls(int16_t tool) {
    switch (tool) {
    case 0:
        return {"BHP_Fram", "BHP_Opt(0)", "BHP_Opt(1)", "ToolCom(0)", "ToolCom(1)"};
    case 1:
        return Names("HghtLab", 4) + Names("HghtTxt", 4) + Names("HghtCom", 2);
    case 2:
        return Names("DiamLab", 4) + Names("DiamTxt", 4) + Names("DiamCom", 2);
    default:
        return Names("InfoLab", 7) + Names("ProfOpt", 2) + Names("ProfCom", 2) +
               Names_Set{"ProfPic", "ProfFram1"};
    }
}
