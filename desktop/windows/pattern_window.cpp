#include "desktop/windows/pattern_window.h"

#include "core/fields/numbers.h"
#include "core/fields/vocabulary.h"
#include "core/files/file_output.h"
#include "core/screen/palette.h"
#include "desktop/pattern_print/pattern_paint.h"
#include "desktop/window_layer/win_dialogs.h"
#include "desktop/window_layer/win_fields.h"
#include "desktop/window_layer/win_geometry.h"
#include "desktop/window_layer/win_msgbox.h"
#include "desktop/windows/picture_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

#include <cmath>

// Every piece on white, in rows, all at the one scale that fits them in the panel: the cut
// outline, the seam allowance, the alignment ticks and the name as the paper shows them.
class Pieces_View : public Picture_View {
public:
    using Picture_View::Picture_View;
    const Chamber_Patterns* set = nullptr;
    static constexpr int Margin = 6; // pixels
    static constexpr double Gap_Px = 10;

protected:
    void Paint(QPainter& p) override {
        if (!set || set->pieces.empty()) {
            return;
        }
        // The largest scale at which the pieces, in rows as wide as the panel, fit it.
        const double w = width() - 2.0 * Margin, h = height() - 2.0 * Margin;
        double low = 1e-4, high = 100;
        for (int i = 0; i < 40; ++i) {
            const double scale = std::sqrt(low * high);
            const Sheet_Layout l = Lay_Out_In_Rows(set->pieces, w / scale, Gap_Px / scale);
            (l.width * scale <= w && l.height * scale <= h ? low : high) = scale;
        }
        const Sheet_Layout layout = Lay_Out_In_Rows(set->pieces, w / low, Gap_Px / low);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(Margin, Margin);
        Paint_Pattern_Preview(p, *set, layout, low);
    }
};

namespace {

QString Text_Of(const std::string& s) {
    return QString::fromStdString(s);
}

const char* Format_Name(Pattern_Format f) {
    return f == Pattern_Format::Pdf ? "PDF" : f == Pattern_Format::Svg ? "SVG" : "DXF";
}

} // namespace

PatTool::PatTool()
    : Form("PatTool", Words_Of(Form_Key::Patterns).title, 12000, 9600 + Twips::CaptionAllowance,
           Palette::Salmon) {
    Container& form = Client();
    InfoLab.Create(form, 240, 120, 9000, 255, "");
    InfoLab.SetAccessibleName("Design");

    for (int16_t i = 0; i < PatTxt.Count; ++i) {
        const float top = 560.0F + 420.0F * i;
        PatLab[i].Create(form, 240, top + 40, 2000, 255, Field_Caption(Form_Key::Patterns, i));
        Create_Field(PatTxt[i], form, 2280, top, PatLab[i]);
    }
    const Choice_Group& paper = Words_Of(Form_Key::Patterns).choices.front();
    PaperFram.Create(form, 3300, 480, 1500, 980, paper.caption);
    PaperOpt[0].Create(PaperFram, 200, 300, 1100, 255, paper.words[0].caption);
    PaperOpt[1].Create(PaperFram, 200, 620, 1100, 255, paper.words[1].caption);
    PaperOpt[Paper_Of(paper.opening) == Paper::Letter ? 1 : 0].SetValue(true);

    const char* const commands[] = {"Save &PDF...", "Save &SVG...", "Save &DXF...", "P&rint...",
                                    "&Close"};
    for (int16_t i = 0; i < PatCom.Count; ++i) {
        PatCom[i].Create(form, 5300.0F + 1300.0F * i, 560, 1200, 600,
                         commands[static_cast<size_t>(i)]);
        PatCom[i].SetBackColor(i == 4 ? Palette::Lilac : Palette::Light_Cyan);
    }

    Table = new QTableWidget(0, static_cast<int>(Piece_Table_Header().size()), Host());
    Table->setObjectName(QStringLiteral("PieceTable"));
    Table->setAccessibleName(QStringLiteral("Pieces to cut"));
    Table->setGeometry(Twips::ToRect(240, 1920, 11520, 3300));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->verticalHeader()->setDefaultSectionSize(QFontMetrics(Default_Win_Font()).height() + 6);
    Table->setFont(Default_Win_Font());
    Table->horizontalHeader()->setFont(Default_Win_Font());
    QStringList headers;
    for (const std::string& c : Piece_Table_Header()) {
        headers << Text_Of(c);
    }
    Table->setHorizontalHeaderLabels(headers);
    QPalette pal = Table->palette();
    pal.setColor(QPalette::Base, Qt_Color(Palette::Field));
    Table->setPalette(pal);

    View = new Pieces_View(Host());
    View->setObjectName(QStringLiteral("PieceDrawing"));
    View->setAccessibleName(QStringLiteral("Drawing of every piece"));
    View->setGeometry(Twips::ToRect(240, 5400, 11520, 4050));

    Set_Tab_Order({&PatTxt[0], &PatTxt[1], &PatTxt[2], &PaperFram, &PaperOpt[0], &PaperOpt[1],
                   &PatCom[0], &PatCom[1], &PatCom[2], &PatCom[3], &PatCom[4]});
    const std::array<std::string, 3> defaults = Default_Pattern_Texts();
    for (int16_t i = 0; i < PatTxt.Count; ++i) {
        PatTxt[i].SetText(defaults[static_cast<size_t>(i)]);
    }
    PatTxt.On_Change([this](int16_t) { Redraw(); });
    PaperOpt.On_Click([this](int16_t) { Redraw(); });
    PatCom.On_Click([this](int16_t i) { PatCom_Click(i); });
}

void PatTool::Show_Design(const Chamber_Design& design, std::function<std::string()> designFile) {
    design_ = design;
    designFile_ = std::move(designFile);
    InfoLab.SetCaption(Pattern_Design_Line(design));
    Redraw();
    Show();
}

Paper PatTool::Paper_Chosen() const {
    return PaperOpt[1].Value() ? Paper::Letter : Paper::A4;
}

void PatTool::Redraw() {
    if (!design_) {
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const Outcome<Pattern_Options> options = Check_Pattern_Fields(Texts_Of(PatTxt));
    if (options.ok()) {
        set_ = Make_Chamber_Patterns(*design_, options.value);
    } else {
        set_.reset();
    }
    Table->setRowCount(0);
    if (set_) {
        for (const Flat_Piece& p : set_->pieces) {
            const int row = Table->rowCount();
            Table->insertRow(row);
            const std::vector<std::string> cells = Piece_Table_Row(p);
            for (size_t c = 0; c < cells.size(); ++c) {
                auto* item = new QTableWidgetItem(Text_Of(cells[c]));
                item->setTextAlignment(c < 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                             : Qt::AlignRight | Qt::AlignVCenter);
                Table->setItem(row, static_cast<int>(c), item);
            }
        }
        for (const Chamber_Section& s : set_->omitted) {
            const int row = Table->rowCount();
            Table->insertRow(row);
            const std::vector<std::string> cells = Not_Cut_Table_Row(s);
            for (size_t c = 0; c < cells.size(); ++c) {
                Table->setItem(row, static_cast<int>(c), new QTableWidgetItem(Text_Of(cells[c])));
            }
        }
        Table->resizeColumnsToContents();
    }
    View->set = set_ ? &*set_ : nullptr;
    View->repaint();
    lastRedraw_ = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
}

bool PatTool::Options_Ready() {
    const Outcome<Pattern_Options> options = Check_Pattern_Fields(Texts_Of(PatTxt));
    return Show_Outcome(options, PatTxt) && set_.has_value();
}

void PatTool::PatCom_Click(int16_t Index) {
    switch (Index) {
    case 0:
    case 1:
    case 2:
        if (Options_Ready()) {
            Save(static_cast<Pattern_Format>(Index));
        }
        break;
    case 3:
        if (Options_Ready()) {
            Print();
        }
        break;
    default:
        Hide();
        break;
    }
}

void PatTool::Save(Pattern_Format format) {
    const std::string extension = format == Pattern_Format::Pdf   ? ".pdf"
                                  : format == Pattern_Format::Svg ? ".svg"
                                                                  : ".dxf";
    const std::string kind = Format_Name(format);
    const std::string path = Dialogs().Save_File(
        this, "Save Flat Patterns as " + kind, kind + " files (*" + extension + ")",
        Proposed_File_Name(set_->design.input.PipeName, "patterns", extension,
                           "flat-patterns" + extension));
    if (path.empty()) {
        return;
    }
    std::string bytes, why;
    std::optional<Write_Failure> failure;
    const std::string designFile = designFile_ ? designFile_() : "";
    if (!designFile.empty() && !Same_File_Twice({designFile, path}).empty()) {
        failure = Write_Failure{path, "is the design file the patterns are made from"};
    } else if (!Make_Pattern_File(format, *set_, Paper_Chosen(), bytes, why)) {
        failure = Write_Failure{path, why};
    } else if (format == Pattern_Format::Pdf && Pattern_Page_Count(*set_, Paper_Chosen()) == 0) {
        failure = Write_Failure{path, "a piece is too large to tile on paper"};
    } else {
        failure = Write_File(path, bytes);
    }
    if (failure) {
        MsgBox("The flat patterns could not be saved as \"" + path + "\"." + CrLf + CrLf +
                   failure->reason + ".",
               "Flat Patterns Not Saved");
    }
}

void PatTool::Print() {
    if (!Dialogs().Has_Printer()) {
        MsgBox(std::string("No printer is set up. Save the pages as a PDF and print it at 100 % ") +
                   "(actual size, no fit to page).",
               "No Printer");
        Save(Pattern_Format::Pdf);
        return;
    }
    const Paper paper = Paper_Chosen();
    if (Pattern_Page_Count(*set_, paper) == 0) {
        MsgBox("A piece is too large to tile on paper.", "Flat Patterns Not Printed");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Expansion chamber flat patterns"));
    printer.setPageLayout(Pattern_Page_Layout(paper, false));
    if (!Dialogs().Choose_Printer(printer, this)) {
        return;
    }
    // Every length at full size: the pages are placed from the paper's corner, unscaled.
    printer.setFullPage(true);
    printer.setPageLayout(Pattern_Page_Layout(paper, false));
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        Paint_Pattern_Pages(printer, painter, *set_, paper);
        printed = painter.end() && printer.printerState() != QPrinter::Error &&
                  printer.printerState() != QPrinter::Aborted;
    }
    if (!printed) {
        MsgBox("The printer did not take or finish the pages. Check that it is switched on and "
               "ready, then try again.",
               "Flat Patterns Not Printed");
    }
}
