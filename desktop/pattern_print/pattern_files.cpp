#include "desktop/pattern_print/pattern_files.h"

#include "core/files/file_output.h"
#include "core/patterns/pattern_dxf.h"
#include "core/patterns/pattern_svg.h"
#include "desktop/pattern_print/pattern_paint.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Fine enough that rounding to device units is far below what a knife or a printer can
// show.
constexpr int Pdf_Dpi = 1200;

std::string Bytes_Of(const QBuffer& buffer) {
    const QByteArray& data = buffer.data();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

bool Make_Pdf(const Chamber_Patterns& set, Paper paper, std::string& bytes, std::string& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(Pdf_Dpi);
        writer.setCreator(QStringLiteral("Expansion Chamber Design Utility"));
        writer.setTitle(QStringLiteral("Expansion chamber flat patterns"));
        writer.setPageLayout(Pattern_Page_Layout(paper, false));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "the PDF could not be started";
            return false;
        }
        Paint_Pattern_Pages(writer, painter, set, paper);
        if (!painter.end()) {
            error = "the PDF could not be completed";
            return false;
        }
    }
    bytes = Bytes_Of(buffer);
    return true;
}

} // namespace

bool Make_Pattern_File(Pattern_Format format, const Chamber_Patterns& set, Paper paper,
                       std::string& bytes, std::string& error) {
    switch (format) {
    case Pattern_Format::Pdf:
        return Make_Pdf(set, paper, bytes, error);
    case Pattern_Format::Svg:
        bytes = Pattern_Svg(set, Lay_Out_Side_By_Side(set.pieces));
        return true;
    case Pattern_Format::Dxf:
        bytes = Pattern_Dxf(set, Lay_Out_Side_By_Side(set.pieces));
        return true;
    }
    return false;
}

bool Write_Pattern_Files(const std::vector<Pattern_Output>& outputs, const Chamber_Patterns& set,
                         Paper paper, std::string& error) {
    std::vector<File_Output> files;
    for (const auto& o : outputs) {
        std::string bytes, why;
        if (!Make_Pattern_File(o.format, set, paper, bytes, why)) {
            error = "cannot write " + o.path + ": " + why;
            return false;
        }
        files.push_back({o.path, std::move(bytes)});
    }
    if (const auto failure = Write_Files(files)) {
        error = failure->text();
        return false;
    }
    return true;
}
