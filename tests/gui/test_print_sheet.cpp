// The printed design sheet: the print look at the moment of printing, the order in which
// the window restyles itself, its screen look afterwards, the ways without a printer and
// when printing fails, and the page itself: fitting, resolution and a PDF that a reader
// opens. The printer and the save dialog are recorders; a PDF is written for real.

#include "gui_support.h"

#include "design/pipe_diagram.h"
#include "design/print_sheet.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <iomanip>
#include <map>
#include <new>
#include <sstream>

namespace {

// ---- The window's look, as data ----

constexpr uint32_t White = 0x00FFFFFF;

struct Look {
    float height = 0;
    uint32_t windowColor = 0;
    std::map<std::string, uint32_t> backColor;
    std::map<std::string, int> appearance; // text boxes and option buttons
    std::map<std::string, bool> visible;
    std::map<std::string, std::array<float, 4>> geometry; // left, top, width, height
    std::map<std::string, std::string> text;
    std::map<std::string, bool> selected;
    uint32_t infoBoxColor = 0;
    float infoBoxWidth = 0;
    std::map<std::string, uint32_t> captionColor; // the diagram's captions
    std::string diagram; // every diagram position, visibility, style and caption
};

std::string Dump_Diagram(const Pipe_Diagram& d) {
    std::ostringstream s;
    s << std::setprecision(9);
    const auto line = [&](const char* n, size_t i, const LineShape& l) {
        s << n << i << ':' << l.X1 << ',' << l.Y1 << ',' << l.X2 << ',' << l.Y2 << ',' << l.Visible
          << ',' << l.BorderStyle << ',' << l.BorderColor << '\n';
    };
    const auto dot = [&](const char* n, size_t i, const DotShape& o) {
        s << n << i << ':' << o.Left << ',' << o.Top << ',' << o.Visible << '\n';
    };
    const auto label = [&](const char* n, size_t i, const PaintedLabel& l) {
        s << n << i << ':' << l.Left << ',' << l.Top << ',' << l.Width << ',' << l.Visible << ','
          << l.Caption << '\n';
    };
    line("Dprt", 0, d.Dprt);
    line("LPrt", 0, d.LPrt);
    line("Dx", 0, d.Dx);
    line("Lx", 0, d.Lx);
    line("LXA", 0, d.LXA);
    for (size_t i = 0; i < d.LDia.size(); ++i) {
        line("LDia", i, d.LDia[i]);
    }
    for (size_t i = 0; i < d.LTop.size(); ++i) {
        line("LTop", i, d.LTop[i]);
        line("LBot", i, d.LBot[i]);
    }
    for (size_t i = 0; i < d.Lv.size(); ++i) {
        line("Lv", i, d.Lv[i]);
    }
    for (size_t i = 0; i < d.Dv.size(); ++i) {
        line("Dv", i, d.Dv[i]);
        dot("DDot", i, d.DDot[i]);
        label("DLab", i, d.DLab[i]);
    }
    for (size_t i = 0; i < d.LLab.size(); ++i) {
        label("LLab", i, d.LLab[i]);
    }
    dot("DxDot", 0, d.DxDot);
    dot("DotXA", 0, d.DotXA);
    label("DXLab", 0, d.DXLab);
    label("XLab", 0, d.XLab[0]);
    label("XLab", 1, d.XLab[1]);
    label("LXLab", 0, d.LXLab);
    return s.str();
}

Look Capture(TexDsn& d) {
    Look k;
    k.height = d.Height();
    k.windowColor = d.BackColor();
    for (Control* c : d.Controls()) {
        const std::string& n = c->Name();
        k.backColor[n] = c->BackColor();
        k.visible[n] = c->Visible();
        k.geometry[n] = {c->Left(), c->Top(), c->Width(), c->Height()};
        if (auto* t = dynamic_cast<TextBox*>(c)) {
            k.appearance[n] = t->Appearance();
            k.text[n] = t->Text();
        }
        if (auto* o = dynamic_cast<OptionButton*>(c)) {
            k.appearance[n] = o->Appearance();
            k.selected[n] = o->Value();
        }
    }
    k.infoBoxColor = d.InfoBox.BackColor;
    k.infoBoxWidth = d.InfoBox.Width;
    Pipe_Diagram& g = d.Diagram;
    for (size_t i = 0; i < g.DLab.size(); ++i) {
        k.captionColor["DLab" + std::to_string(i)] = g.DLab[i].BackColor;
    }
    for (size_t i = 0; i < g.LLab.size(); ++i) {
        k.captionColor["LLab" + std::to_string(i)] = g.LLab[i].BackColor;
    }
    k.captionColor["XLab0"] = g.XLab[0].BackColor;
    k.captionColor["XLab1"] = g.XLab[1].BackColor;
    k.captionColor["DXLab"] = g.DXLab.BackColor;
    k.captionColor["LXLab"] = g.LXLab.BackColor;
    k.diagram = Dump_Diagram(g);
    return k;
}

// What differs between two looks, one line per difference; empty when they are the same.
template <class V>
void Diff_Map(std::ostringstream& s, const char* what, const std::map<std::string, V>& a,
              const std::map<std::string, V>& b) {
    for (const auto& [name, value] : a) {
        const auto it = b.find(name);
        if (it == b.end() || !(it->second == value)) {
            s << what << " of " << name << " differs\n";
        }
    }
    if (a.size() != b.size()) {
        s << what << ": not the same controls\n";
    }
}

std::string Differences(const Look& a, const Look& b) {
    std::ostringstream s;
    if (a.height != b.height) {
        s << "height " << a.height << " / " << b.height << '\n';
    }
    if (a.windowColor != b.windowColor) {
        s << "window colour differs\n";
    }
    Diff_Map(s, "BackColor", a.backColor, b.backColor);
    Diff_Map(s, "Appearance", a.appearance, b.appearance);
    Diff_Map(s, "Visible", a.visible, b.visible);
    Diff_Map(s, "Left/Top/Width/Height", a.geometry, b.geometry);
    Diff_Map(s, "Text", a.text, b.text);
    Diff_Map(s, "Value", a.selected, b.selected);
    Diff_Map(s, "caption colour", a.captionColor, b.captionColor);
    if (a.infoBoxColor != b.infoBoxColor || a.infoBoxWidth != b.infoBoxWidth) {
        s << "InfoBox differs\n";
    }
    if (a.diagram != b.diagram) {
        s << "diagram differs\n";
    }
    return s.str();
}

// The print look expected from a screen look: white everywhere, flat fields and option
// buttons, no commands, the barrel duct's captions and fields widened, the window taller;
// everything else as it was.
Look Print_Look_Of(const Look& screen) {
    Look k = screen;
    k.height = 11100;
    k.windowColor = White;
    for (auto& [name, colour] : k.backColor) {
        if (name.rfind("Comd", 0) != 0) { // the commands are hidden, not recoloured
            colour = White;
        }
    }
    for (auto& [name, a] : k.appearance) {
        a = 0;
    }
    for (const char* c : {"Comd(0)", "Comd(1)", "Comd(2)"}) {
        k.visible[c] = false;
    }
    k.geometry["DuctFram"][2] = 7400;
    k.infoBoxWidth = 3130;
    k.geometry["DctInfo(1)"][2] = 3050;
    k.geometry["Texh(8)"][0] = 3420;
    k.geometry["Texh(9)"][0] = 3260;
    k.geometry["Texh(5)"][0] = 3550;
    k.geometry["DFLab(0)"][2] = 3200;
    k.geometry["DFLab(1)"][2] = 3050;
    k.geometry["DFLab(2)"][2] = 3350;
    k.infoBoxColor = White;
    for (auto& [name, colour] : k.captionColor) {
        colour = White;
    }
    return k;
}

// ---- Recorders in place of the printer and the save dialog ----

// A page of 1700 by 2200 device pixels (Letter at 200 dpi) with 100-pixel margins.
const QRectF Recorded_Page(100, 100, 1500, 2000);

struct Print_Job {
    std::string printer, job;
    Look look;
    QImage page;
    QRectF sheet;                        // where the window's image lies on the page
    QSize clientSize;                    // the image's size in window pixels
    QWidget* focus{};                    // the window's focus widget
    std::vector<std::string> selections; // fields with selected text
};

class Printer_Recorder : public Sheet_Printer {
public:
    std::string defaultPrinter;        // empty: none configured
    std::function<void()> fault;       // throws, when set, once the image is taken
    std::vector<std::string>* trace{}; // where "print" is noted, when set
    std::vector<Print_Job> jobs;
    int lookups = 0;

    std::string Default_Printer() override {
        ++lookups;
        return defaultPrinter;
    }
    void Print(QWidget& sheet, const std::string& printer, const std::string& job) override {
        Print_Job j;
        j.printer = printer;
        j.job = job;
        j.look = Capture(Win<TexDsn>());
        j.clientSize = sheet.size();
        TexDsn& d = Win<TexDsn>();
        j.focus = d.focusWidget();
        for (Control* c : d.Controls()) {
            if (auto* e = qobject_cast<QLineEdit*>(c->Widget()); e && e->hasSelectedText()) {
                j.selections.push_back(c->Name());
            }
        }
        j.page = QImage(1700, 2200, QImage::Format_RGB32);
        j.page.fill(Qt::white);
        QPainter p(&j.page);
        Paint_Sheet(p, Recorded_Page, sheet);
        p.end();
        j.sheet = Fit_Sheet(QSizeF(sheet.size()), Recorded_Page);
        jobs.push_back(j);
        if (trace) {
            trace->push_back("print");
        }
        if (fault) {
            fault();
        }
    }
};

class Chooser_Recorder : public Pdf_File_Chooser {
public:
    std::string answer; // empty: the user cancels
    std::vector<std::string> proposed;
    std::vector<Look> looks; // the window behind the dialog

    std::string Choose(QWidget*, const std::string& name) override {
        proposed.push_back(name);
        looks.push_back(Capture(Win<TexDsn>()));
        return answer;
    }
};

// The designs as a user enters them: three stages from a target BMEP, or two stages with
// typed temperature and coefficients.
void Enter_Sheet_Design(TexDsn& d, bool threeStage) {
    const std::vector<std::pair<int16_t, const char*>> three = {
        {7, "1.5"}, {3, "10"}, {8, "40"}, {9, "44"}, {5, "20"}, {1, "88"}, {2, "11000"}};
    const std::vector<std::pair<int16_t, const char*>> two = {{0, "600"}, {6, "2.5"},  {4, "0.65"},
                                                              {8, "40"},  {9, "44"},   {5, "20"},
                                                              {1, "88"},  {2, "11000"}};
    for (int16_t i : {0, 2, 4}) {
        Click_Into(d.Option1[static_cast<int16_t>(threeStage ? i + 1 : i)]);
    }
    for (const auto& [field, text] : threeStage ? three : two) {
        d.Texh[field].SetText(text);
    }
}

class Design_Sheet : public Program_Test {
protected:
    void SetUp() override {
        Program_Test::SetUp();
        oldPrinter_ = Set_Sheet_Printer(&printer);
        oldChooser_ = Set_Pdf_File_Chooser(&chooser);
    }
    void TearDown() override {
        Set_Property_Observer({});
        Set_Sheet_Printer(oldPrinter_);
        Set_Pdf_File_Chooser(oldChooser_);
        Program_Test::TearDown();
    }

    // The design window, shown, with a calculated design and a pipe name.
    TexDsn& Calculated(bool threeStage, const char* pipeName = "GP 125") {
        TexDsn& d = Open_Design();
        Enter_Sheet_Design(d, threeStage);
        d.Text1.SetText(pipeName);
        d.Comd[0].Click();
        EXPECT_TRUE(boxes.empty());
        EXPECT_TRUE(d.Comd[1].Visible());
        EXPECT_EQ(d.TexTotLth.Text(), threeStage ? "813.7 " : "825.6 ");
        return d;
    }

    // Follows every property change from now on, in order.
    void Follow_Changes() {
        printer.trace = &trace;
        Set_Property_Observer([this](const std::string& n, const std::string& p, double v) {
            std::ostringstream s;
            s << n << '.' << p << '=' << std::setprecision(10) << v;
            trace.push_back(s.str());
        });
    }

    Printer_Recorder printer;
    Chooser_Recorder chooser;
    std::vector<std::string> trace;

private:
    Sheet_Printer* oldPrinter_ = nullptr;
    Pdf_File_Chooser* oldChooser_ = nullptr;
};

class Both_Modes : public Design_Sheet, public ::testing::WithParamInterface<bool> {};

std::string Mode_Name(const ::testing::TestParamInfo<bool>& i) {
    return i.param ? "ThreeStage" : "TwoStage";
}

// ---- At the moment of printing, and after ----

TEST_P(Both_Modes, PrintsThePrintLookAndComesBackToTheScreenLook) {
    TexDsn& d = Calculated(GetParam());
    printer.defaultPrinter = "Office Laser";
    const Look before = Capture(d);
    Click_Into(d.Comd[1]); // a user's click, which gives the command the focus

    ASSERT_EQ(printer.jobs.size(), 1U);
    const Print_Job& job = printer.jobs[0];
    EXPECT_EQ(job.printer, "Office Laser");
    EXPECT_EQ(job.job, "Expansion Chamber Design Sheet - GP 125");
    EXPECT_TRUE(chooser.proposed.empty()) << "no dialog when there is a printer";
    EXPECT_TRUE(boxes.empty());

    // The print look, all of it, and nothing else changed.
    EXPECT_EQ(Differences(Print_Look_Of(before), job.look), "");
    EXPECT_EQ(job.clientSize, QSize(725, 714)) << "the client area of an 11100-twip window";
    // No cursor or selection on paper: the hidden command passed the focus to no field.
    EXPECT_EQ(job.focus, nullptr);
    EXPECT_TRUE(job.selections.empty());

    // Exactly the screen look again, the focus back on the command.
    EXPECT_EQ(Differences(before, Capture(d)), "");
    EXPECT_EQ(d.Host()->height(), 637);
    EXPECT_TRUE(d.Comd[1].HasFocus());
    const QImage shot = d.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(255, 128, 128));
    EXPECT_EQ(QColor(shot.pixel(d.Text1.Widget()->geometry().center())), QColor(255, 255, 192));

    // The diagram is still the one of its mode.
    const Pipe_Diagram& g = d.Diagram;
    for (bool shown : {g.LTop[6].Visible, g.LBot[6].Visible, g.LDia[7].Visible, g.LLab[6].Visible,
                       g.Lv[8].Visible, g.DLab[4].Visible, g.Dv[4].Visible, g.DDot[4].Visible}) {
        EXPECT_EQ(shown, GetParam());
    }
    EXPECT_EQ(g.LDia[6].BorderStyle, GetParam() ? Style_Dot : Style_Solid);
}

// A point of the window, in twips, on the recorded page.
QPoint On_Page(const Print_Job& j, double xTwips, double yTwips) {
    const double scale = j.sheet.width() / j.clientSize.width();
    return QPointF(j.sheet.left() + xTwips / 15 * scale, j.sheet.top() + yTwips / 15 * scale)
        .toPoint();
}

QRect On_Page(const Print_Job& j, double left, double top, double width, double height) {
    return QRect(On_Page(j, left, top), On_Page(j, left + width, top + height));
}

bool Dark(QRgb c) {
    return qGray(c) < 100;
}

TEST_P(Both_Modes, PrintedImageIsWhiteWithoutCommandsAndKeepsTableAndDiagram) {
    TexDsn& d = Calculated(GetParam());
    printer.defaultPrinter = "Office Laser";
    d.Comd[1].Click();
    ASSERT_EQ(printer.jobs.size(), 1U);
    const Print_Job& j = printer.jobs[0];

    // No pixel anywhere in a colour of the screen look.
    const std::vector<QRgb> screen = {
        qRgb(255, 128, 128), qRgb(255, 255, 192), qRgb(255, 224, 192),  // window, field, note
        qRgb(0, 255, 255),   qRgb(255, 192, 255), qRgb(192, 192, 255)}; // the commands
    int screenPixels = 0;
    for (int y = 0; y < j.page.height(); ++y) {
        for (int x = 0; x < j.page.width(); ++x) {
            const QRgb c = j.page.pixel(x, y) & 0xFFFFFF;
            for (QRgb s : screen) {
                screenPixels += c == (s & 0xFFFFFF);
            }
        }
    }
    EXPECT_EQ(screenPixels, 0);

    // Where the three commands stand there is only white.
    for (const auto& [name, r] :
         std::vector<std::pair<const char*, QRect>>{{"Return", On_Page(j, 7700, 160, 1200, 600)},
                                                    {"Calculate", On_Page(j, 9200, 160, 1200, 600)},
                                                    {"Print", On_Page(j, 8450, 1000, 1200, 600)}}) {
        int notWhite = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                notWhite += (j.page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            }
        }
        EXPECT_EQ(notWhite, 0) << name;
    }

    // White backgrounds where the screen has colours (window twips).
    struct Spot {
        const char* what;
        double x, y;
    };
    for (const Spot& s : std::vector<Spot>{{"window", 75, 75},
                                           {"diagram panel, right end", 750 + 9300, 6760 + 150},
                                           {"diagram panel, lower right", 750 + 9300, 6760 + 2550},
                                           {"flange-ratio note", 200 + 7000, 2900 + 1150},
                                           {"flat DX field", 200 + 3420 + 550, 2900 + 280 + 140},
                                           {"option button", 380 + 200 + 1250, 620 + 300 + 120},
                                           {"result table", 7700 + 2950, 2000 + 3400},
                                           {"label", 200 + 1650, 5700 + 390}}) {
        EXPECT_EQ(j.page.pixel(On_Page(j, s.x, s.y)) & 0xFFFFFF, 0xFFFFFFU) << s.what;
    }

    // The result table and the diagram are on the sheet: the tuned length's figures, the
    // flat field's border and the belly's upper outline (y 650 in the panel) are drawn.
    const auto anyDark = [&j](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (Dark(j.page.pixel(x, y))) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(anyDark(On_Page(j, 7700 + 2150, 2000 + 3900, 780, 285))) << "tuned length";
    EXPECT_TRUE(anyDark(On_Page(j, 200 + 3420 - 15, 2900 + 280 + 100, 30, 60))) << "border";
    const Pipe_Diagram& g = d.Diagram;
    const int belly = GetParam() ? 4 : 3;
    const double mid = (g.LTop[belly].X1 + g.LTop[belly].X2) / 2;
    EXPECT_TRUE(anyDark(On_Page(j, 750 + mid - 30, 6760 + 650 - 30, 60, 60))) << "belly";
}

// The order of the print command's steps, and of the controls inside the two looks.
void Add(std::vector<std::string>& t, const std::string& name, const char* property, double value) {
    std::ostringstream s;
    s << name << '.' << property << '=' << std::setprecision(10) << value;
    t.push_back(s.str());
}

std::vector<std::string> Indexed(const std::string& base, int from, int to) {
    std::vector<std::string> n;
    for (int i = from; i <= to; ++i) {
        n.push_back(base + "(" + std::to_string(i) + ")");
    }
    return n;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// The steps of one look, as the window takes them (the note's rectangle and the diagram's
// captions are painted shapes and report nothing).
void Look_Steps(std::vector<std::string>& t, bool print) {
    const double window = print ? White : 0x008080FF;
    const double field = print ? White : 0x00C0FFFF;
    const double note = print ? White : 0x00C0E0FF;
    const double appearance = print ? 0 : 1;
    Add(t, "TexDsn", "BackColor", window);
    for (const std::string& n : Concat({{"Text1"},
                                        Indexed("Texh", 0, 9),
                                        {"PrtDia", "PrtLth", "TexTotLth"},
                                        Indexed("Texdiam", 0, 4),
                                        Indexed("Texlen", 0, 6)})) {
        Add(t, n, "BackColor", field);
        Add(t, n, "Appearance", appearance);
    }
    std::vector<std::string> labels = Concat({{"LabNam"},
                                              Indexed("LabOut", 0, 2),
                                              Indexed("Labexp", 0, 6),
                                              {"LabDX", "LabLX"},
                                              Indexed("Labdiam", 0, 4),
                                              Indexed("Lablen", 0, 6)});
    for (int i = 0; i <= 2; ++i) {
        for (const char* base : {"DFLab", "SubLab3", "SubLab4"}) {
            labels.push_back(base + ("(" + std::to_string(i) + ")"));
        }
    }
    for (int i = 0; i <= 1; ++i) {
        for (const char* base : {"SubLab0", "SubLab6", "SubLab7"}) {
            labels.push_back(base + ("(" + std::to_string(i) + ")"));
        }
    }
    for (const std::string& n : labels) {
        Add(t, n, "BackColor", window);
    }
    for (const std::string& n : Indexed("DctInfo", 0, 4)) {
        Add(t, n, "BackColor", note);
    }
    for (const std::string& n : Concat({Indexed("Frame1", 0, 2), {"DuctFram", "OutFrame"}})) {
        Add(t, n, "BackColor", window);
    }
    for (const std::string& n : Indexed("Option1", 0, 5)) {
        if (print) {
            Add(t, n, "BackColor", window);
            Add(t, n, "Appearance", appearance);
        } else {
            Add(t, n, "Appearance", appearance);
            Add(t, n, "BackColor", window);
        }
    }
    for (const std::string& n : Indexed("Comd", 0, 2)) {
        Add(t, n, "Visible", print ? 0 : 1);
    }
    for (const char* n : {"HornPic", "BmepPic", "TempPic", "BellyPic", "TailPic", "PipPic"}) {
        Add(t, n, "BackColor", window);
    }
}

void Layout_Steps(std::vector<std::string>& t, bool print) {
    Add(t, "DuctFram", "Width", print ? 7400 : 7300);
    Add(t, "DctInfo(1)", "Width", print ? 3050 : 2900);
    Add(t, "Texh(8)", "Left", print ? 3420 : 3260);
    Add(t, "Texh(9)", "Left", print ? 3260 : 3040);
    Add(t, "Texh(5)", "Left", print ? 3550 : 3400);
    Add(t, "DFLab(0)", "Width", print ? 3200 : 3100);
    Add(t, "DFLab(1)", "Width", print ? 3050 : 2900);
    Add(t, "DFLab(2)", "Width", print ? 3350 : 3250);
}

TEST_P(Both_Modes, RestylesInTheOrderOfItsSteps) {
    TexDsn& d = Calculated(GetParam());
    printer.defaultPrinter = "Office Laser";
    Follow_Changes();
    d.Comd[1].Click();

    std::vector<std::string> expected;
    Layout_Steps(expected, true);
    Look_Steps(expected, true);
    Add(expected, "TexDsn", "Height", 11100);
    expected.push_back("print");
    Add(expected, "TexDsn", "Height", 9950);
    Layout_Steps(expected, false);
    Look_Steps(expected, false);
    ASSERT_EQ(trace.size(), expected.size());
    for (size_t i = 0; i < trace.size(); ++i) {
        EXPECT_EQ(trace[i], expected[i]) << "step " << i;
    }
}

// ---- Without a printer ----

struct Tool_Run {
    int code = -1;
    std::string out;
};

Tool_Run Run_Tool(const char* tool, const QStringList& args) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (path.isEmpty()) {
        ADD_FAILURE() << tool << " is missing: scripts/install-deps.sh installs poppler-utils";
        return {};
    }
    QProcess p;
    p.start(path, args);
    if (!p.waitForFinished(60000)) {
        ADD_FAILURE() << tool << " did not finish";
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), p.readAllStandardOutput().toStdString()};
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Design_Sheet, WithoutAPrinterTheSheetIsSavedAsAPdfThatAReaderOpens) {
    TexDsn& d = Calculated(true);
    const Look before = Capture(d);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    chooser.answer = dir.filePath(QStringLiteral("GP 125.pdf")).toStdString();
    d.Comd[1].Click();

    EXPECT_EQ(printer.lookups, 1);
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(chooser.proposed, std::vector<std::string>{"GP 125.pdf"});
    ASSERT_EQ(chooser.looks.size(), 1U);
    EXPECT_EQ(Differences(before, chooser.looks[0]), "") << "the dialog opens over the screen look";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Differences(before, Capture(d)), "");
    ASSERT_TRUE(QFile::exists(Q(chooser.answer)));

    // One page of the paper the locale uses, with the sheet's title.
    const Tool_Run info = Run_Tool("pdfinfo", {Q(chooser.answer)});
    EXPECT_EQ(info.code, 0) << info.out;
    EXPECT_TRUE(Contains(info.out, "Pages:           1")) << info.out;
    EXPECT_TRUE(Contains(info.out, "Title:           Expansion Chamber Design Sheet - GP 125"))
        << info.out;
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    EXPECT_TRUE(Contains(info.out, letter ? "612 x 792 pts (letter)" : "595 x 842 pts (A4)"))
        << info.out;

    // Text as text: the inputs, the results and the diagram's captions, no command.
    const Tool_Run text = Run_Tool("pdftotext", {Q(chooser.answer), QStringLiteral("-")});
    EXPECT_EQ(text.code, 0);
    for (const char* part :
         {"Pipe Name:", "GP 125", "Barrel Exhaust Duct", "11000", "Exhaust System Dimensions (mm)",
          "813.7", "109.8", "Exhaust", "D5", "L7", "Recommended values of the ratio"}) {
        EXPECT_TRUE(Contains(text.out, part)) << part;
    }
    EXPECT_FALSE(Contains(text.out, "Return to Front Screen"));
    const Tool_Run fonts = Run_Tool("pdffonts", {Q(chooser.answer)});
    EXPECT_TRUE(Contains(fonts.out, "Liberation")) << "vector text, sharp at any size\n"
                                                   << fonts.out;

    // The page as a reader shows it: white, no screen colour, the sheet filling the width
    // inside 15 mm margins and centred.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const Tool_Run ppm = Run_Tool("pdftoppm", {QStringLiteral("-r"), QStringLiteral("72"),
                                               QStringLiteral("-singlefile"),
                                               QStringLiteral("-png"), Q(chooser.answer), prefix});
    ASSERT_EQ(ppm.code, 0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int pink = 0, left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            pink += c.red() > 200 && c.green() < 180 && c.blue() < 180;
            if (c.lightness() < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(pink, 0);
    const double margin = 15 / 25.4 * 72; // 42.5 points
    EXPECT_GE(left, margin - 1);
    EXPECT_LE(right, page.width() - margin + 1);
    EXPECT_GT(right - left, 0.9 * (page.width() - 2 * margin)) << "the sheet fills the width";
    EXPECT_NEAR(left - margin, page.width() - margin - right, 0.02 * page.width());
    EXPECT_NEAR((top + bottom) / 2.0, page.height() / 2.0, 0.1 * page.height())
        << "centred on the page";
}

TEST_F(Design_Sheet, AnEmptyPipeNameProposesDesignSheetPdf) {
    TexDsn& d = Calculated(false, "  ");
    QTemporaryDir dir;
    chooser.answer = dir.filePath(QStringLiteral("design-sheet.pdf")).toStdString();
    d.Comd[1].Click();
    EXPECT_EQ(chooser.proposed, std::vector<std::string>{"design-sheet.pdf"});
    EXPECT_TRUE(QFile::exists(Q(chooser.answer)));
    const Tool_Run info = Run_Tool("pdfinfo", {Q(chooser.answer)});
    EXPECT_TRUE(Contains(info.out, "Title:           Expansion Chamber Design Sheet\n"))
        << info.out;
}

TEST_F(Design_Sheet, ACancelledSaveChangesNothing) {
    TexDsn& d = Calculated(true);
    const Look before = Capture(d);
    Follow_Changes();
    chooser.answer.clear();
    d.Comd[1].Click();
    EXPECT_EQ(chooser.proposed.size(), 1U);
    EXPECT_TRUE(trace.empty()) << "the window was not restyled";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Differences(before, Capture(d)), "");
}

// ---- Failures ----

struct Failure_Case {
    const char* name;
    std::string printer;         // empty: no printer, the sheet goes to a PDF file
    std::function<void()> fault; // thrown by the printer
    bool missingFolder;          // the PDF file's folder does not exist
    std::string title;
    std::string prompt; // "{file}" stands for the chosen file
};
void PrintTo(const Failure_Case& c, std::ostream* os) {
    *os << c.name;
}

class Print_Failures : public Design_Sheet, public ::testing::WithParamInterface<Failure_Case> {};

TEST_P(Print_Failures, SayWhatWentWrongAfterTheScreenLookIsBack) {
    const Failure_Case& c = GetParam();
    TexDsn& d = Calculated(true);
    const Look before = Capture(d);
    printer.defaultPrinter = c.printer;
    printer.fault = c.fault;
    QTemporaryDir dir;
    if (c.printer.empty()) {
        chooser.answer = dir.filePath(QStringLiteral("missing/GP 125.pdf")).toStdString();
    }
    std::vector<std::string> lookWhileBox;
    on_box = [&] { lookWhileBox.push_back(Differences(before, Capture(d))); };
    d.Comd[1].Click();

    std::string prompt = c.prompt;
    if (const size_t at = prompt.find("{file}"); at != std::string::npos) {
        prompt.replace(at, 6, chooser.answer);
    }
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, c.title);
    EXPECT_EQ(boxes[0].prompt.substr(0, prompt.size()), prompt) << boxes[0].prompt;
    EXPECT_EQ(lookWhileBox, std::vector<std::string>{""});
    EXPECT_EQ(Differences(before, Capture(d)), "");
    EXPECT_FALSE(QFile::exists(Q(chooser.answer)) && c.printer.empty());
}

const std::string Gap = "\r\n\r\n";
const std::string On_Laser = "The design sheet could not be printed on \"Office Laser\".";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Design_Sheet, Print_Failures, ::testing::Values(
    Failure_Case{"PrinterRefusesTheJob", "Office Laser",
        [] { throw Sheet_Error("The printer did not accept the job."); }, false,
        "Design Sheet Not Printed", On_Laser + Gap + "The printer did not accept the job."},
    Failure_Case{"AnyExceptionWhilePrinting", "Office Laser",
        [] { throw std::runtime_error("paper jam"); }, false,
        "Design Sheet Not Printed", On_Laser + Gap + "paper jam"},
    Failure_Case{"OutOfMemory", "Office Laser", [] { throw std::bad_alloc(); }, false,
        "Design Sheet Not Printed",
        On_Laser + Gap + "There is not enough memory for the image of the window."},
    Failure_Case{"NotEvenAnException", "Office Laser", [] { throw 42; }, false,
        "Design Sheet Not Printed", On_Laser},
    Failure_Case{"PdfInAMissingFolder", "", nullptr, true, "Design Sheet Not Saved",
        "The design sheet could not be saved as \"{file}\"." + Gap +
        "The file could not be created: "}),
    [](const ::testing::TestParamInfo<Failure_Case>& i) { return std::string(i.param.name); });
// clang-format on

INSTANTIATE_TEST_SUITE_P(Design_Sheet, Both_Modes, ::testing::Bool(), Mode_Name);

// ---- The page ----

struct Name_Case {
    const char* pipeName;
    const char* proposed;
};

TEST(Proposed_Pdf_Name, FollowsThePipeName) {
    const std::vector<Name_Case> cases = {
        {"GP 125", "GP 125.pdf"},         {"", "design-sheet.pdf"},
        {"   ", "design-sheet.pdf"},      {"  Enduro 250  ", "Enduro 250.pdf"},
        {"KX 125/250", "KX 125-250.pdf"}, {"a\\b:c*d?e\"f<g>h|i", "a-b-c-d-e-f-g-h-i.pdf"},
        {"tab\there", "tab-here.pdf"},    {".hidden", "hidden.pdf"},
        {"///", "design-sheet.pdf"},      {"...", "design-sheet.pdf"},
        {"race.PDF", "race.pdf"},         {"Größe 3", "Größe 3.pdf"},
    };
    for (const Name_Case& c : cases) {
        EXPECT_EQ(Proposed_Pdf_Name(c.pipeName), c.proposed) << "[" << c.pipeName << "]";
    }
    EXPECT_EQ(Proposed_Pdf_Name(std::string(150, 'x')), std::string(100, 'x') + ".pdf");
    EXPECT_EQ(Sheet_Title(""), "Expansion Chamber Design Sheet");
    EXPECT_EQ(Sheet_Title(" GP 125 "), "Expansion Chamber Design Sheet - GP 125");
}

struct Fit_Case {
    QSizeF image;
    QRectF page, fitted;
};

TEST(Fit_Sheet, LargestCentredRectangleOfTheImagesShape) {
    const std::vector<Fit_Case> cases = {
        {{200, 100}, {0, 0, 400, 400}, {0, 100, 400, 200}},        // as wide as the page
        {{100, 200}, {0, 0, 400, 400}, {100, 0, 200, 400}},        // as tall as the page
        {{725, 714}, {50, 60, 1450, 2000}, {50, 346, 1450, 1428}}, // inside the margins
        {{300, 300}, {10, 10, 300, 300}, {10, 10, 300, 300}},      // the page's own shape
        {{10, 10}, {0, 0, 500, 1000}, {0, 250, 500, 500}},         // enlarged to fill
        {{0, 10}, {0, 0, 500, 1000}, {250, 500, 0, 0}},            // nothing to fit
    };
    for (const Fit_Case& c : cases) {
        const QRectF r = Fit_Sheet(c.image, c.page);
        EXPECT_NEAR(r.left(), c.fitted.left(), 1e-9) << c.image.width();
        EXPECT_NEAR(r.top(), c.fitted.top(), 1e-9) << c.image.width();
        EXPECT_NEAR(r.width(), c.fitted.width(), 1e-9) << c.image.width();
        EXPECT_NEAR(r.height(), c.fitted.height(), 1e-9) << c.image.width();
    }
}

// The bounding box of the pixels of one colour.
QRect Box_Of(const QImage& img, QRgb colour) {
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

QWidget* Filled(QWidget* parent, const QColor& c) {
    auto* w = new QWidget(parent);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    return w;
}

TEST(Paint_Sheet, DrawsTheWidgetAndItsChildrenFittedAtTheDevicesResolution) {
    std::unique_ptr<QWidget> sheet(Filled(nullptr, Qt::red));
    sheet->resize(200, 100);
    QWidget* child = Filled(sheet.get(), Qt::blue);
    child->setGeometry(150, 50, 50, 50);
    QWidget* hidden = Filled(sheet.get(), Qt::green);
    hidden->setGeometry(0, 0, 20, 20);
    hidden->hide();

    QImage page(1000, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    Paint_Sheet(p, QRectF(50, 150, 900, 700), *sheet); // scale 4.5
    p.end();
    const QRect red = Box_Of(page, qRgb(255, 0, 0));
    const QRect blue = Box_Of(page, qRgb(0, 0, 255));
    EXPECT_EQ(red, QRect(50, 275, 900, 450));
    EXPECT_EQ(blue, QRect(50 + 675, 275 + 225, 225, 225));
    EXPECT_TRUE(Box_Of(page, qRgb(0, 255, 0)).isNull()) << "hidden children stay hidden";
}

TEST_F(Design_Sheet, OnAPrinterTheWidgetsArePaintedAtThePrintersResolution) {
    TexDsn& d = Calculated(false);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("printer.pdf"));
    // A printer of Qt's print support writing its job to a file: the same device a CUPS
    // printer is, with the default high resolution of 1200 dpi.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    Print_Sheet_On(printer, *d.Host());
    EXPECT_EQ(printer.resolution(), Max_Print_Dpi);

    const Tool_Run info = Run_Tool("pdfinfo", {file});
    EXPECT_TRUE(Contains(info.out, "Pages:           1")) << info.out;
    // pdfimages lists the page's images; the sheet is one image of device pixels, 600 to
    // the inch, not the window's 96, stored without loss.
    const Tool_Run images = Run_Tool("pdfimages", {QStringLiteral("-list"), file});
    ASSERT_EQ(images.code, 0);
    std::istringstream lines(images.out);
    std::string line;
    int listed = 0;
    while (std::getline(lines, line)) {
        std::istringstream f(line);
        std::vector<std::string> fields;
        for (std::string w; f >> w;) {
            fields.push_back(w);
        }
        if (fields.size() < 14 || fields[0] != "1") {
            continue;
        }
        ++listed;
        const int width = std::stoi(fields[3]);
        EXPECT_GT(width, 725 * 5) << line;
        EXPECT_EQ(fields[8], "image") << "lossless, not JPEG: " << line;
        EXPECT_NEAR(std::stod(fields[12]), Max_Print_Dpi, 2) << line;
        EXPECT_NEAR(std::stod(fields[13]), Max_Print_Dpi, 2) << line;
    }
    EXPECT_GE(listed, 1) << images.out;
}

} // namespace
