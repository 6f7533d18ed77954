// The printed design sheet: the print look at the moment of printing, the screen look
// afterwards however printing ends, the way without a printer, and the page. The printer
// and the save dialog are recorders; a PDF is written for real and read back by poppler.

#include "gui_support.h"

#include "desktop/windows/print_sheet.h"

#include <QImage>
#include <QLocale>
#include <QProcess>

#include <array>

namespace {

// A recorder in place of the printer and of the save dialog. Each job records the printer,
// the job's name, the window's focus field and its fields and option buttons not flat on
// paper, and the image of the window's client area, one pixel for 15 twips.
class DesignSheet : public Program_Test, public Quick_Dialogs {
protected:
    void SetUp() override {
        Program_Test::SetUp();
        cancelSave = true; // the user cancels unless a test says otherwise
        on_save = [this] { lookAtDialog.push_back(Look(dsn())); };
        on_print = [this](QWidget& sheet, const std::string& printer, const std::string& job) {
            std::string raised;
            for (const Control* c : dsn().Controls()) {
                const auto* t = dynamic_cast<const TextBox*>(c);
                const auto* o = dynamic_cast<const OptionButton*>(c);
                if ((t && t->Appearance()) || (o && o->Appearance()))
                    raised += " " + c->Name();
            }
            jobs.push_back(printer + "|" + job + "|" + (dsn().focusWidget() ? "focus" : "") + "|" +
                           raised);
            images.push_back(sheet.grab().toImage());
            if (fault)
                fault();
        };
    }

    std::function<void()> fault; // thrown, when set, once the image is taken
    std::vector<std::string> jobs, lookAtDialog;
    std::vector<QImage> images;
};

// The pixels of the rectangle (window twips) of the image for which `test` holds.
template <class Test>
int Count(const QImage& img, double left, double top, double width, double height, Test test) {
    int n = 0;
    for (int y = int(top / 15); y < int((top + height) / 15); ++y)
        for (int x = int(left / 15); x < int((left + width) / 15); ++x)
            n += test(img.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
    return n;
}

// (The look does not depend on the design's mode: each control is changed and restored
// whether it is shown or not.)
TEST_F(DesignSheet, PrintsThePrintLookAndComesBackToTheScreenLook) {
    TexDsn& d = Calculated(true);
    defaultPrinter = "Office Laser";
    const std::string before = Look(d);
    Click_Into(d.Comd[1]); // a user's click, which gives the command the focus

    // The print look, seen in the image below; no field's cursor, nothing raised.
    EXPECT_EQ(jobs,
              std::vector<std::string>{"Office Laser|Expansion Chamber Design Sheet - GP 125||"});
    EXPECT_TRUE(proposals.empty() && boxes.empty());
    ASSERT_EQ(images.size(), 1U);
    const QImage& image = images[0];
    // Exactly the screen look again, the focus back on the command.
    EXPECT_EQ(Look(d), before);
    EXPECT_TRUE(d.Comd[1].HasFocus());

    // The image: no colour anywhere; white where the three commands stand, and in the
    // window, the diagram panel, the note, the flat DX field, an option button and the
    // result table.
    const auto coloured = [](QRgb c) { return QColor(c).saturation() > 40; };
    EXPECT_EQ(Count(image, 0, 0, 725 * 15, 714 * 15, coloured), 0);
    const std::vector<std::array<double, 4>> white = {
        {7700, 160, 1200, 600}, {9200, 160, 1200, 600}, {8450, 1000, 1200, 600},
        {75, 75, 15, 15},       {10050, 9310, 15, 15},  {7200, 4050, 15, 15},
        {4170, 3320, 15, 15},   {1830, 1040, 15, 15},   {10650, 5400, 15, 15}};
    for (const auto& [x, y, w, h] : white)
        EXPECT_EQ(Count(image, x, y, w, h, [](QRgb c) { return c != 0xFFFFFF; }), 0)
            << x << ',' << y;
    const auto dark = [](QRgb c) { return qGray(c) < 100; };
    // Drawn at all: the tuned length in the result table.
    EXPECT_GT(Count(image, 9850, 5900, 780, 285, dark), 0) << "tuned length";
}

// ---- When printing fails, and without a printer ----

TEST_F(DesignSheet, AFailedPrintSaysWhyAfterTheScreenLookIsBack) {
    TexDsn& d = Calculated(true);
    const std::string before = Look(d);
    cancelSave = false;
    save = "missing/GP 125.pdf";
    const std::string answer = path(save);
    fault = [] { throw std::runtime_error("paper jam"); };
    std::vector<std::string> lookWhileBox;
    on_box = [&] { lookWhileBox.push_back(Look(d)); };
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
    EXPECT_EQ(boxes[1].first, "Design Sheet Not Saved");
    EXPECT_EQ(boxes[1].second.substr(0, saved.size()), saved);
    EXPECT_EQ(lookWhileBox, std::vector<std::string>(2, before)) << "each box after the restore";
}

// The save dialog opens over the window as the user knows it; cancelled, nothing changes.
TEST_F(DesignSheet, WithoutAPrinterACancelledSaveChangesNothingAndASavedPdfOpens) {
    TexDsn& d = Calculated(true);
    const std::string before = Look(d);
    d.Comd[1].Click(); // the dialog answers nothing
    cancelSave = false;
    const std::string answer = path("GP 125 sheet.pdf");
    d.Comd[1].Click();
    EXPECT_EQ(proposals, std::vector<std::string>(2, "GP 125 sheet.pdf"));
    EXPECT_EQ(lookAtDialog, std::vector<std::string>(2, before));
    EXPECT_TRUE(jobs.empty() && boxes.empty());
    EXPECT_EQ(Look(d), before);

    // The page as a reader shows it, at 72 dpi: the paper of the locale,
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
    int left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixelColor(x, y).lightness() < 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    const double margin = 15 / 25.4 * 72;
    EXPECT_GE(left, margin - 1);
    EXPECT_GT(right - left, 0.9 * (page.width() - 2 * margin)) << "the sheet fills the width";
    EXPECT_NEAR(left - margin, page.width() - margin - right, 0.02 * page.width());
    EXPECT_NEAR((top + bottom) / 2.0, page.height() / 2.0, 0.1 * page.height());
}

// ---- The parts ----

TEST(ProposedPdfName, FollowsThePipeName) {
    EXPECT_EQ(Proposed_Pdf_Name("   "), "design-sheet.pdf");
    EXPECT_EQ(Proposed_Pdf_Name("KX 125/250"), "KX 125-250 sheet.pdf");
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
