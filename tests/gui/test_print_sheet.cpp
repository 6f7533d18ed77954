// The printed design sheet: the print look at the moment of printing, the screen look
// afterwards however printing ends, the way without a printer, and the page. The printer
// and the save dialog are recorders; a PDF is written for real and read back by poppler.

#include "gui_support.h"

#include "design/pipe_diagram.h"
#include "design/print_sheet.h"

#include <QImage>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <iomanip>
#include <map>
#include <sstream>

namespace {

// The values joined by commas, numbers in full.
template <class V, class... R> std::string Join(const V& v, const R&... rest) {
    std::ostringstream s;
    s << std::setprecision(10) << v;
    ((s << ',' << rest), ...);
    return s.str();
}

// ---- The window's look: every property of every control and diagram shape ----

using Look = std::map<std::string, std::string>; // "Name.Property" -> value

void Put(Look& k, const std::string& n, const LineShape& l) {
    k[n] = Join(l.X1, l.Y1, l.X2, l.Y2, l.Visible, l.BorderStyle, l.BorderColor);
}
void Put(Look& k, const std::string& n, const DotShape& o) {
    k[n] = Join(o.Left, o.Top, o.Visible);
}
void Put(Look& k, const std::string& n, const PaintedLabel& l) {
    k[n] = Join(l.Left, l.Top, l.Width, l.Visible, l.Caption);
    k[n + ".BackColor"] = Join(l.BackColor);
}
template <class S, size_t N> void Put(Look& k, const std::string& n, const std::array<S, N>& a) {
    for (size_t i = 0; i < N; ++i) {
        Put(k, n + std::to_string(i), a[i]);
    }
}

Look Capture(TexDsn& d) {
    Look k{{"TexDsn.Height", Join(d.Height())},
           {"TexDsn.BackColor", Join(d.BackColor())},
           {"InfoBox.BackColor", Join(d.InfoBox.BackColor)},
           {"InfoBox.Width", Join(d.InfoBox.Width)}};
    for (Control* c : d.Controls()) {
        const std::string n = c->Name() + '.';
        k[n + "BackColor"] = Join(c->BackColor());
        k[n + "Visible"] = Join(c->Visible());
        k[n + "Left"] = Join(c->Left());
        k[n + "Top"] = Join(c->Top());
        k[n + "Width"] = Join(c->Width());
        k[n + "Height"] = Join(c->Height());
        if (auto* t = dynamic_cast<TextBox*>(c)) {
            k[n + "Appearance"] = Join(t->Appearance());
            k[n + "Text"] = t->Text();
        }
        if (auto* o = dynamic_cast<OptionButton*>(c)) {
            k[n + "Appearance"] = Join(o->Appearance());
            k[n + "Value"] = Join(o->Value());
        }
    }
    const Pipe_Diagram& g = d.Diagram;
    Put(k, "Dprt", g.Dprt), Put(k, "LPrt", g.LPrt), Put(k, "Dx", g.Dx), Put(k, "Lx", g.Lx);
    Put(k, "LXA", g.LXA), Put(k, "LDia", g.LDia), Put(k, "LTop", g.LTop), Put(k, "LBot", g.LBot);
    Put(k, "Lv", g.Lv), Put(k, "Dv", g.Dv), Put(k, "DDot", g.DDot), Put(k, "DxDot", g.DxDot);
    Put(k, "DotXA", g.DotXA), Put(k, "DLab", g.DLab), Put(k, "LLab", g.LLab);
    Put(k, "XLab", g.XLab), Put(k, "DXLab", g.DXLab), Put(k, "LXLab", g.LXLab);
    return k;
}

// One line per property that differs; empty when the looks are the same.
std::string Differences(const Look& want, const Look& got) {
    std::string s;
    for (const auto& [key, value] : want) {
        if (const auto it = got.find(key); it == got.end() || it->second != value) {
            s +=
                key + ": " + value + " expected, " + (it == got.end() ? "none" : it->second) + "\n";
        }
    }
    return s;
}

// ---- The fixture: a recorder in place of the printer and of the save dialog ----

struct Print_Job {
    std::string printer, job;
    QWidget* focus;
    std::string raised; // the fields and option buttons not flat on paper
    QImage image;       // the window's client area, one pixel for 15 twips
};

class DesignSheet : public Program_Test, public Sheet_Printer, public Pdf_File_Chooser {
protected:
    void TearDown() override {
        Set_Sheet_Printer(oldPrinter_);
        Set_Pdf_File_Chooser(oldChooser_);
        Program_Test::TearDown();
    }

    std::string Default_Printer() override { return defaultPrinter; }
    void Print(QWidget& sheet, const std::string& printer, const std::string& job) override {
        std::string raised;
        for (const Control* c : dsn().Controls()) {
            const auto* t = dynamic_cast<const TextBox*>(c);
            const auto* o = dynamic_cast<const OptionButton*>(c);
            if ((t && t->Appearance() != 0) || (o && o->Appearance() != 0))
                raised += c->Name() + " ";
        }
        jobs.push_back({printer, job, dsn().focusWidget(), raised, sheet.grab().toImage()});
        Expect_Sound_Layout(dsn()); // the print layout, as it goes to paper
        if (fault) {
            fault();
        }
    }
    std::string Choose(QWidget*, const std::string& name) override {
        proposed.push_back(name);
        lookAtDialog.push_back(Capture(dsn()));
        return answer;
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

    std::string defaultPrinter;  // empty: none configured
    std::function<void()> fault; // thrown, when set, once the image is taken
    std::vector<Print_Job> jobs;
    std::string answer; // of the save dialog; empty: the user cancels
    std::vector<std::string> proposed;
    std::vector<Look> lookAtDialog;

private:
    Sheet_Printer* const oldPrinter_ = Set_Sheet_Printer(this);
    Pdf_File_Chooser* const oldChooser_ = Set_Pdf_File_Chooser(this);
};

// ---- At the moment of printing, and after ----

// The pixels of the rectangle (window twips) of the image for which `test` holds.
template <class Test>
int Count(const QImage& img, double left, double top, double width, double height, Test test) {
    int n = 0;
    for (int y = int(top / 15); y < int((top + height) / 15); ++y) {
        for (int x = int(left / 15); x < int((left + width) / 15); ++x) {
            n += test(img.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
        }
    }
    return n;
}

class BothModes : public DesignSheet, public ::testing::WithParamInterface<bool> {};

TEST_P(BothModes, PrintsThePrintLookAndComesBackToTheScreenLook) {
    TexDsn& d = Calculated(GetParam());
    defaultPrinter = "Office Laser";
    const Look before = Capture(d);
    Click_Into(d.Comd[1]); // a user's click, which gives the command the focus

    ASSERT_EQ(jobs.size(), 1U);
    const Print_Job& j = jobs[0];
    EXPECT_EQ(j.printer, "Office Laser");
    EXPECT_EQ(j.job, "Expansion Chamber Design Sheet - GP 125");
    EXPECT_TRUE(proposed.empty() && boxes.empty());
    // The print look, seen in the image below; no field's cursor.
    EXPECT_EQ(j.image.size(), QSize(725, 714)) << "the client area of an 11100-twip window";
    EXPECT_EQ(j.focus, nullptr);
    EXPECT_EQ(j.raised, "");
    // Exactly the screen look again, the focus back on the command.
    EXPECT_EQ(Differences(before, Capture(d)), "");
    EXPECT_TRUE(d.Comd[1].HasFocus());

    // The image: no colour anywhere; white where the three commands stand, and in the
    // window, the diagram panel, the note, the flat DX field, an option button and the
    // result table.
    const auto coloured = [](QRgb c) {
        return std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) >
               40;
    };
    EXPECT_EQ(Count(j.image, 0, 0, 725 * 15, 714 * 15, coloured), 0);
    const std::vector<std::array<double, 4>> white = {
        {7700, 160, 1200, 600}, {9200, 160, 1200, 600}, {8450, 1000, 1200, 600},
        {75, 75, 15, 15},       {10050, 9310, 15, 15},  {7200, 4050, 15, 15},
        {4170, 3320, 15, 15},   {1830, 1040, 15, 15},   {10650, 5400, 15, 15}};
    for (const auto& [x, y, w, h] : white) {
        EXPECT_EQ(Count(j.image, x, y, w, h, [](QRgb c) { return c != 0xFFFFFF; }), 0)
            << x << ',' << y;
    }
    const auto dark = [](QRgb c) { return qGray(c) < 100; };
    // The result table and the diagram drawn.
    EXPECT_GT(Count(j.image, 9850, 5900, 780, 285, dark), 0) << "tuned length";
    const LineShape& belly = d.Diagram.LTop[GetParam() ? 4 : 3];
    EXPECT_GT(Count(j.image, 750 + (belly.X1 + belly.X2) / 2 - 30, 7380, 60, 60, dark), 0)
        << "the belly's upper outline";
}

INSTANTIATE_TEST_SUITE_P(DesignSheet, BothModes, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) {
                             return i.param ? "ThreeStage" : "TwoStage";
                         });

// ---- When printing fails, and without a printer ----

TEST_F(DesignSheet, AFailedPrintSaysWhyAfterTheScreenLookIsBack) {
    TexDsn& d = Calculated(true);
    const Look before = Capture(d);
    QTemporaryDir dir;
    answer = dir.filePath(QStringLiteral("missing/GP 125.pdf")).toStdString();
    fault = [] { throw std::runtime_error("paper jam"); };
    std::vector<std::string> lookWhileBox;
    on_box = [&] { lookWhileBox.push_back(Differences(before, Capture(d))); };
    for (const char* name : {"Office Laser", ""}) { // a printer that fails; a PDF not created
        defaultPrinter = name;
        d.Comd[1].Click();
    }
    ASSERT_EQ(boxes.size(), 2U);
    const std::string gap = "\r\n\r\n", saved = "The design sheet could not be saved as \"" +
                                                answer + "\"." + gap +
                                                "The file could not be written: ";
    EXPECT_EQ(boxes[0], (Message_Box{"Design Sheet Not Printed",
                                     "The design sheet could not be printed on \"Office Laser\"." +
                                         gap + "paper jam"}));
    EXPECT_EQ(boxes[1].title, "Design Sheet Not Saved");
    EXPECT_EQ(boxes[1].prompt.substr(0, saved.size()), saved);
    EXPECT_EQ(lookWhileBox, std::vector<std::string>(2, "")) << "each box after the restore";
}

// The save dialog opens over the window as the user knows it; cancelled, nothing changes.
TEST_F(DesignSheet, WithoutAPrinterACancelledSaveChangesNothingAndASavedPdfOpens) {
    TexDsn& d = Calculated(true);
    const Look before = Capture(d);
    d.Comd[1].Click(); // the dialog answers nothing
    EXPECT_EQ(Differences(before, Capture(d)), "");
    QTemporaryDir dir;
    answer = dir.filePath(QStringLiteral("GP 125.pdf")).toStdString();
    d.Comd[1].Click();
    EXPECT_EQ(proposed, std::vector<std::string>(2, "GP 125.pdf"));
    for (const Look& look : lookAtDialog) {
        EXPECT_EQ(Differences(before, look), "");
    }
    EXPECT_TRUE(jobs.empty() && boxes.empty());
    EXPECT_EQ(Differences(before, Capture(d)), "");

    // The page as a reader shows it, at 72 dpi: the paper of the locale, no screen colour,
    // the sheet filling the width inside 15 mm margins and centred.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QStringList args = QStringLiteral("-r 72 -singlefile -png").split(' ');
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                args + QStringList{QString::fromStdString(answer), prefix}),
              0)
        << "pdftoppm (poppler-utils, which scripts/install-deps.sh installs)";
    const QImage page(prefix + QStringLiteral(".png"));
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    EXPECT_EQ(page.size(), letter ? QSize(612, 792) : QSize(595, 842));
    int pink = 0, left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            pink += c.red() > 200 && c.green() < 180 && c.blue() < 180;
            if (c.lightness() < 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(pink, 0);
    const double margin = 15 / 25.4 * 72;
    EXPECT_GE(left, margin - 1);
    EXPECT_GT(right - left, 0.9 * (page.width() - 2 * margin)) << "the sheet fills the width";
    EXPECT_NEAR(left - margin, page.width() - margin - right, 0.02 * page.width());
    EXPECT_NEAR((top + bottom) / 2.0, page.height() / 2.0, 0.1 * page.height());
}

// ---- The parts ----

TEST(ProposedPdfName, FollowsThePipeName) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"GP 125", "GP 125.pdf"},         {"", "design-sheet.pdf"},
        {"   ", "design-sheet.pdf"},      {"  Enduro 250  ", "Enduro 250.pdf"},
        {"KX 125/250", "KX 125-250.pdf"}, {".hidden", "hidden.pdf"},
        {"race.PDF", "race.pdf"},         {std::string(150, 'x'), std::string(100, 'x') + ".pdf"}};
    for (const auto& [pipeName, proposed] : cases) {
        EXPECT_EQ(Proposed_Pdf_Name(pipeName), proposed) << "[" << pipeName << "]";
    }
}

TEST(PrintSheetOn, CapsThePrintersResolutionAt600Dpi) {
    QWidget sheet;
    sheet.resize(725, 714);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution); // 1200 dpi, as a CUPS printer's default
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printer.pdf")));
    Print_Sheet_On(printer, sheet);
    EXPECT_EQ(printer.resolution(), 600);
}

} // namespace
