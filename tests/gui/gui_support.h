#pragma once
// What the window tests share: a fresh program per test, a recorder in place of the
// message box and of the system's dialogs, and small helpers that act as the user does.

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
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using Message_Box = std::pair<std::string, std::string>; // title, prompt

// A user's click into a control, and typing into a text box (appended at the cursor).
inline void Click_Into(Control& c) {
    QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, {5, 5});
}
inline void Type_Into(TextBox& t, const char* text) {
    QTest::keyClicks(t.Widget(), QString::fromLatin1(text));
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

// What the user sees of the window: each control's place, colour, look, text and choice,
// the note, and the painted diagram.
inline std::string Look(TexDsn& d) {
    std::ostringstream s;
    s << d.Height() << ' ' << d.BackColor() << " note " << d.InfoBox.BackColor << ' '
      << d.InfoBox.Width << '\n';
    for (Control* c : d.Controls()) {
        s << c->Name() << ' ' << c->BackColor() << ' ' << c->Visible() << ' ' << c->Left() << ' '
          << c->Top() << ' ' << c->Width() << ' ' << c->Height();
        if (auto* t = dynamic_cast<TextBox*>(c))
            s << ' ' << t->Appearance() << " [" << t->Text() << ']';
        if (auto* o = dynamic_cast<OptionButton*>(c))
            s << ' ' << o->Appearance() << ' ' << o->Value();
        s << '\n';
    }
    const QImage diagram = d.PipPic.Widget()->grab().toImage();
    s << "diagram " << qHashBits(diagram.constBits(), static_cast<size_t>(diagram.sizeInBytes()));
    return s.str();
}

// A calculator by the index of the Tools item that opens it (0 BMEP, 1 port height,
// 2 rectangular port, 3 profiled port): its fields in the order it reads them (the
// profiled port's ordinates last), its commands and options, and a worked example's
// texts (nullptr: not typed), its first option chosen.
struct Calculator {
    Form& w;
    std::vector<TextBox*> fields;
    CommandButton &ret, &calc;
    std::vector<OptionButton*> options;
    std::vector<const char*> example;
};
template <class Fields>
Calculator Calculator_For(Form& w, Fields& fields, Ctl_Array<CommandButton, 2>& com,
                          std::vector<OptionButton*> options, std::vector<const char*> example) {
    Calculator k{w, {}, com[0], com[1], std::move(options), std::move(example)};
    for (TextBox& t : fields)
        k.fields.push_back(&t);
    return k;
}
inline Calculator Calculator_Of(int16_t tool) {
    if (tool == 0) {
        BMEPTool& t = Win<BMEPTool>();
        return Calculator_For(t, t.BHP_Txt, t.ToolCom, {&t.BHP_Opt[0], &t.BHP_Opt[1]},
                              {"54", "54.5", "12000", "40"});
    }
    if (tool == 1) {
        HghtTool& t = Win<HghtTool>();
        return Calculator_For(t, t.HghtTxt, t.HghtCom, {}, {"54.5", "110", "85", "180"});
    }
    if (tool == 2) {
        DiamTool& t = Win<DiamTool>();
        return Calculator_For(t, t.DiamTxt, t.DiamCom, {}, {"40", "30", "5", "5"});
    }
    ProfTool& t = Win<ProfTool>();
    Calculator k = Calculator_For(t, t.ProfTxt, t.ProfCom, {&t.ProfOpt[0], &t.ProfOpt[1]},
                                  {"50", nullptr, nullptr, nullptr, "20", "4", "30", "30", "30",
                                   "30", "30"}); // a single port
    for (TextBox& o : t.OrdTxt)
        k.fields.push_back(&o);
    return k;
}

// Sets the texts of the calculator's fields in their order; nullptr leaves a field as it is.
inline void Enter(const Calculator& k, const std::vector<const char*>& texts) {
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i])
            k.fields[i]->SetText(texts[i]);
}

// Each test starts from a program that has just been started, with every window and
// window variable as new, and records the message boxes instead of showing them.
class Program_Test : public ::testing::Test {
protected:
    void SetUp() override {
        Discard_All_Windows(true);
        keeper::Keep_In(""); // the forms kept in memory only, none yet
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
    TexDsn& Open_Design() {
        menu().PipeVals->trigger();
        return dsn();
    }
    // The design window with a worked design calculated and a pipe name.
    TexDsn& Calculated(bool threeStage) {
        TexDsn& d = Open_Design();
        Enter_Design(d, threeStage);
        d.Text1.SetText("GP 125");
        d.Comd[0].Click();
        EXPECT_EQ(d.TexTotLth.Text(), threeStage ? "813.7 " : "825.6 ");
        return d;
    }
    // Opens the Tools list, chooses its item of this index and returns the calculator it
    // opens, its first option chosen when `choose`.
    Calculator Open_Tool(int16_t index, bool choose = false) {
        emit menu().SumTools->aboutToShow();
        menu().PD_Tool[static_cast<size_t>(index)]->trigger();
        emit menu().SumTools->aboutToHide();
        Calculator k = Calculator_Of(index);
        if (choose && !k.options.empty())
            Click_Into(*k.options[0]);
        return k;
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
        const std::string file = cancelSave ? "" : path(save.empty() ? proposed : save);
        if (file.size() > 4 && file.compare(file.size() - 4, 4, ".ecd") == 0)
            open = file;
        return file;
    }
    bool Ask(QWidget*, const std::string& title, const std::string& prompt, const std::string&,
             const std::string&) override {
        questions.push_back({title, prompt});
        return answer;
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
        const QString n = QString::fromStdString(name);
        return (QDir::isAbsolutePath(n) ? n : dir.filePath(n)).toStdString();
    }

    QTemporaryDir dir;
    std::string open, save, defaultPrinter;
    bool cancelSave = false;
    std::vector<std::string> proposals;
    std::vector<Message_Box> questions; // title, prompt
    bool answer = true;                 // to every question
    std::function<void()> on_save;      // runs while the save dialog is "shown"
    QString printTo;
    std::function<void(QWidget&, const std::string&, const std::string&)> on_print;

private:
    System_Dialogs* const before_ = Set_System_Dialogs(this);
};
