// Design files in the design window (save and reopen, a bad file, drop, start with one)
// and the flat-pattern window it opens: its figures and files are the command line's, it
// prints at full size, and it goes with the results it belongs to.

#include "gui_support.h"
#include "tests/check_bars.h"
#include "tests/sample_designs.h"
#include "tests/words_and_files.h"

#include "core/chamber/design_file.h"
#include "desktop/windows/pattern_window.h"

#include <QMimeData>
#include <QProcess>
#include <QTableWidget>
#include <QUrl>

#include <fstream>
#include <nlohmann/json.hpp>

namespace {

class DesignFiles : public Program_Test, public Quick_Dialogs {};

// Save, close, reopen: the same choices, texts, results and messages, for both worked
// designs and for one that fails a check; Save asks where only the first time. A file that
// cannot be read says why and changes nothing.
TEST_F(DesignFiles, SavedAndReopenedAsTypedAndABadFileChangesNothing) {
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);
        TexDsn& d = Calculated(kind != 1);
        if (kind == 2) {
            d.Texh[TexhD1].SetText("41");  // warns
            d.Texh[TexhSpeed].SetText(""); // fails
            d.Comd[0].Click();
        }
        const auto typed = Look(d);
        const std::vector<Message_Box> typedBoxes = std::exchange(boxes, {});
        proposals.clear();
        d.FileCom[1].Click(); // "Save Design": no file yet, so it asks
        d.FileCom[1].Click(); // and then saves where it did
        EXPECT_EQ(proposals, std::vector<std::string>{"GP 125.ecd"});
        Click_Into(d.Comd[2]);
        Open_Design().FileCom[0].Click(); // the file saved
        EXPECT_EQ(Look(d), typed);
        EXPECT_EQ(std::exchange(boxes, {}), typedBoxes);
    }
    open = path("missing.ecd");
    const auto before = Look(dsn());
    dsn().FileCom[0].Click();
    EXPECT_EQ(boxes, (std::vector<Message_Box>{
                         {"Design Not Opened", "The design could not be opened from \"" + open +
                                                   "\".\r\n\r\nThere is no such file."}}));
    EXPECT_EQ(Look(dsn()), before);
}

// A file dropped on the window, and one the program is started with, open as "Open" does.
TEST_F(DesignFiles, DroppedOrStartedWithAFile) {
    Design_Form form = Sample_Form(true, true);
    form.PipeName = "Dropped";
    const std::string file = path("dropped.ecd");
    std::ofstream(file) << Design_File_Text(form, Calc_Design(form));
    TexDsn& d = Open_Design();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    EXPECT_TRUE(d.acceptDrops() && d.Open_Dropped(data));
    EXPECT_EQ(d.TexTotLth.Text(), "813.7 ");
    Click_Into(d.Comd[2]);
    Open_Design_At_Start(file);
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(d.Text1.Text() + d.TexTotLth.Text(), "Dropped813.7 ");
}

// The flat patterns come with the results only, show the command line's figures and files,
// and go when the results they belong to go.
TEST_F(DesignFiles, FlatPatternsAreTheCommandLinesAndGoWithTheirResults) {
    TexDsn& d = Open_Design();
    EXPECT_FALSE(d.PatCom.Visible());
    Calculated(true);
    ASSERT_TRUE(d.PatCom.Visible());
    d.PatCom.Click();
    PatTool& p = Win<PatTool>();
    p.PatTxt[PatPieces].SetText("4");
    p.PatTxt[PatSeam].SetText("5");
    p.PaperOpt[1].Click();

    QProcess calc;
    calc.setWorkingDirectory(dir.path());
    calc.start(QStringLiteral(CALC_PROGRAM),
               QStringLiteral("templates --three-stage --temp-bmep --coef-bmep --bmep 10 --horn "
                              "1.5 --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000 "
                              "--pieces 4 --seam 5 --paper letter --json --svg cli.svg --dxf "
                              "cli.dxf --pdf cli.pdf --name")
                       .split(' ') +
                   QStringList{QStringLiteral("GP 125")});
    ASSERT_TRUE(calc.waitForFinished(20000));
    const auto pieces =
        nlohmann::json::parse(calc.readAllStandardOutput().toStdString())["templates"]["pieces"];
    ASSERT_EQ(p.Table->rowCount(), static_cast<int>(pieces.size()));
    for (int row = 0; row < p.Table->rowCount(); ++row) {
        const auto cell = [&](int c) { return p.Table->item(row, c)->text().toStdString(); };
        EXPECT_EQ(cell(4), Fixed(pieces[row]["length"].get<double>()));
        EXPECT_EQ(cell(5), Fixed(pieces[row]["slant"].get<double>()));
    }
    // Never in place of the design they are made from.
    save = "pipe.ecd";
    d.FileCom[1].Click();
    const std::string design = Read(path(save));
    p.PatCom[0].Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].second, "The flat patterns could not be saved as \"" + path(save) +
                                   "\".\r\n\r\nis the design file the patterns are made from.");
    EXPECT_EQ(Read(path(save)), design);
    boxes.clear();

    // The same files as the command line's, but for the moment each PDF was made.
    for (const auto& [format, name] :
         {std::pair<int16_t, const char*>{0, "cli.pdf"}, {1, "cli.svg"}, {2, "cli.dxf"}}) {
        save = std::string("window-") + name;
        p.PatCom[format].Click();
        std::string window = Read(path(save)), command = Read(path(name));
        for (std::string* pdf : {&window, &command}) {
            const size_t at = pdf->find("/CreationDate (");
            if (at != std::string::npos)
                pdf->erase(at, pdf->find(')', at) - at);
        }
        EXPECT_TRUE(!window.empty() && window == command)
            << name << ": " << window.size() << " bytes against " << command.size();
    }

    // Printed at 100 %: the 100 mm check bar measures 100 mm, the 4 in bar 4 in.
    printTo = dir.filePath(QStringLiteral("printed.pdf"));
    p.PatCom[3].Click();
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                QStringLiteral("-r 254 -gray -singlefile").split(' ') +
                                    QStringList{printTo, dir.filePath("page")}),
              0);
    EXPECT_EQ(Check_Bars_Found(dir.filePath(QStringLiteral("page.pgm")), 30), 3);

    Click_Into(d.Texh[TexhSpeed]); // the results go, and the patterns with them
    EXPECT_FALSE(p.Visible() || d.PatCom.Visible());
    EXPECT_TRUE(boxes.empty());
}

// The preview draws every cut line dark and wide enough to see, for an ordinary design and for
// the largest the design window accepts (its pieces drawn at a tiny scale).
TEST_F(DesignFiles, ThePreviewShowsTheCutLines) {
    TexDsn& d = Calculated(true);
    for (const char* largest : {"", "100 112 100 70 1000"}) {
        const auto texts = Words(largest);
        for (size_t i = 0; i < texts.size(); ++i)
            d.Texh[std::array{TexhDX, TexhD1, TexhLX, TexhAngle, TexhSpeed}[i]].SetText(texts[i]);
        d.Comd[0].Click();
        d.PatCom.Click();
        const QImage drawn = Win<PatTool>().findChild<QWidget*>("PieceDrawing")->grab().toImage();
        long dark = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                dark += qGray(drawn.pixel(x, y)) < 96;
        EXPECT_GT(dark, 2000) << largest;
    }
}

} // namespace
