#pragma once
// What the window tests share: a fresh program per test, a recorder in place of the
// message box, and small helpers that act as the user does.

#include "app/pips_menu.h"
#include "common/tool_code.h"
#include "common/win_form.h"
#include "common/win_msgbox.h"
#include "design/tex_dsn.h"
#include "tools/bmep_tool.h"
#include "tools/diam_tool.h"
#include "tools/hght_tool.h"
#include "tools/prof_tool.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

struct Box {
    std::string title;
    std::string prompt;
    bool operator==(const Box& o) const { return title == o.title && prompt == o.prompt; }
};

inline std::ostream& operator<<(std::ostream& os, const Box& b) {
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
            if (on_box) {
                on_box();
            }
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

    BMEPTool& bmep() { return Win<BMEPTool>(); }
    HghtTool& hght() { return Win<HghtTool>(); }
    DiamTool& diam() { return Win<DiamTool>(); }
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

    std::vector<Box> boxes;
    std::function<void()> on_box; // runs while a box is "shown"

private:
    MsgBox_Handler previous_;
};

// A user's click into a control.
inline void Click_Into(Control& c) {
    QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
}

// A user's typing into a text box (appended at the cursor).
inline void Type_Into(TextBox& t, const char* text) {
    QTest::keyClicks(t.Widget(), QString::fromLatin1(text));
}

// The caption a control shows, for the kinds that have one.
inline std::string Caption_Text(const Control* c) {
    if (auto* l = dynamic_cast<const Label*>(c)) {
        return l->Caption();
    }
    if (auto* o = dynamic_cast<const OptionButton*>(c)) {
        return o->Caption();
    }
    if (auto* b = dynamic_cast<const CommandButton*>(c)) {
        return b->Caption();
    }
    if (auto* f = dynamic_cast<const Frame*>(c)) {
        return f->Caption();
    }
    return {};
}

using Names_Set = std::set<std::string>;

// The names of the controls a user sees in the window: shown themselves and inside shown
// containers (whether the window itself is shown or not).
inline std::set<std::string> Shown_Controls(const Form& f) {
    std::set<std::string> names;
    for (const Control* c : f.Controls()) {
        if (c->Widget()->isVisibleTo(&f)) {
            names.insert(c->Name());
        }
    }
    return names;
}

// The names of Base(0) .. Base(count - 1).
inline std::set<std::string> Names(const std::string& base, int count) {
    std::set<std::string> n;
    for (int i = 0; i < count; ++i) {
        n.insert(base + "(" + std::to_string(i) + ")");
    }
    return n;
}
inline std::set<std::string> operator+(std::set<std::string> a, const std::set<std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// The name of the window's focus control, "" when none.
inline std::string Focus_Of(const Form& f) {
    const Control* c = f.ActiveControl();
    return c ? c->Name() : std::string();
}

// Where a control stands and what it says, as designed.
struct Placement {
    Control* control;
    Container* in;
    float left, top, width, height;
    const char* caption; // nullptr: not checked
};

inline void Expect_Placed(const std::vector<Placement>& rows) {
    for (const Placement& r : rows) {
        SCOPED_TRACE(r.control->Name());
        EXPECT_EQ(r.control->Widget()->parentWidget(), r.in->Host());
        EXPECT_EQ(r.control->Left(), r.left);
        EXPECT_EQ(r.control->Top(), r.top);
        EXPECT_EQ(r.control->Width(), r.width);
        EXPECT_EQ(r.control->Height(), r.height);
        if (r.caption) {
            EXPECT_EQ(Caption_Text(r.control), r.caption);
        }
        EXPECT_TRUE(r.in->Host()->rect().contains(r.control->Widget()->geometry()))
            << "inside its container";
    }
}

// The control of this name ("BHP_Txt(3)") in the window, as its kind; fails the test when
// there is none.
template <class C> C& Find_Control(const Form& f, const std::string& name) {
    for (Control* c : f.Controls()) {
        if (c->Name() == name) {
            if (auto* k = dynamic_cast<C*>(c)) {
                return *k;
            }
        }
    }
    ADD_FAILURE() << "no control " << name << " in " << f.Name();
    throw std::runtime_error("no control " + name);
}

// Sets the texts of the named fields, in the order listed.
using Typed_Texts = std::vector<std::pair<std::string, std::string>>;
inline void Set_Texts(const Form& f, const Typed_Texts& texts) {
    for (const auto& [name, text] : texts) {
        Find_Control<TextBox>(f, name).SetText(text);
    }
}

// The calculator that the Tools item of this index opens.
inline Form& Tool_Window(int16_t index) {
    switch (index) {
    case 0:
        return Win<BMEPTool>();
    case 1:
        return Win<HghtTool>();
    case 2:
        return Win<DiamTool>();
    default:
        return Win<ProfTool>();
    }
}

// The command of this index (0 Return, 1 Calculate) of the calculator of this Tools item.
inline CommandButton& Tool_Command(int16_t tool, int16_t index) {
    static const char* const base[4] = {"ToolCom", "HghtCom", "DiamCom", "ProfCom"};
    return Find_Control<CommandButton>(Tool_Window(tool),
                                       std::string(base[tool]) + "(" + std::to_string(index) + ")");
}

// The texts of the calculators' fields, in the order the windows read them.
inline Typed_Texts Bmep_Texts(const char* bore, const char* stroke, const char* speed,
                              const char* power) {
    return {
        {"BHP_Txt(0)", bore}, {"BHP_Txt(1)", stroke}, {"BHP_Txt(2)", speed}, {"BHP_Txt(3)", power}};
}
inline Typed_Texts Hght_Texts(const char* s, const char* rod, const char* start, const char* full) {
    return {{"HghtTxt(0)", s}, {"HghtTxt(1)", rod}, {"HghtTxt(2)", start}, {"HghtTxt(3)", full}};
}
inline Typed_Texts Diam_Texts(const char* w, const char* h, const char* top, const char* bottom) {
    return {{"DiamTxt(0)", w}, {"DiamTxt(1)", h}, {"DiamTxt(2)", top}, {"DiamTxt(3)", bottom}};
}
// Bore, height, the bridge fields when given, the number of intervals (one less than the
// ordinates), then the ordinates.
inline Typed_Texts Prof_Texts(const char* bore, const char* height,
                              const std::vector<const char*>& ordinates,
                              const std::vector<const char*>& bridge = {}) {
    Typed_Texts t = {{"ProfTxt(0)", bore}, {"ProfTxt(4)", height}};
    for (size_t i = 0; i < bridge.size(); ++i) {
        t.push_back({"ProfTxt(" + std::to_string(i + 1) + ")", bridge[i]});
    }
    t.push_back({"ProfTxt(5)", std::to_string(ordinates.size() - 1)});
    for (size_t i = 0; i < ordinates.size(); ++i) {
        t.push_back({"OrdTxt(" + std::to_string(i) + ")", ordinates[i]});
    }
    return t;
}

// No two controls that a user sees side by side in the window cover one another; a
// left-aligned label counts only as far as its caption reaches, across and down.
inline void Expect_No_Overlap(const Form& f) {
    std::vector<std::pair<const Control*, QRect>> shown;
    for (const Control* c : f.Controls()) {
        if (!c->Widget()->isVisibleTo(&f)) {
            continue;
        }
        QRect r = c->Widget()->geometry();
        if (auto* l = dynamic_cast<const Label*>(c); l && l->Alignment() == Align::Left) {
            const QFontMetrics fm(l->Font());
            r.setWidth(
                std::min(r.width(), fm.horizontalAdvance(QString::fromStdString(l->Caption()))));
            r.setHeight(std::min(r.height(), fm.height()));
        }
        for (const auto& [other, o] : shown) {
            if (other->Widget()->parentWidget() == c->Widget()->parentWidget()) {
                EXPECT_FALSE(r.intersects(o)) << c->Name() << " covers " << other->Name();
            }
        }
        shown.emplace_back(c, r);
    }
}

// Whether a label's caption fits on one line of its box in the label's font.
inline bool Fits_On_One_Line(const Label& l) {
    const QFontMetrics fm(l.Font());
    const QRect box = l.Widget()->rect();
    return fm.horizontalAdvance(QString::fromStdString(l.Caption())) <= box.width() &&
           fm.height() <= box.height();
}
