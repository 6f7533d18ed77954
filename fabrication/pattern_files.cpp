#include "fabrication/pattern_files.h"

#include "fabrication/pattern_dxf.h"
#include "fabrication/pattern_paint.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Device resolutions: fine enough that rounding to device units is far below what a
// knife or a printer can show.
constexpr int Pdf_Dpi = 1200;
constexpr double Svg_Px_Per_Mm = 10; // SVG user units of 0.1 mm

std::string Directory_Of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Base_Name(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A temporary file beside the target, with the permissions a new file would get.
bool Make_Temporary(const std::string& target, std::string& temp, std::string& error) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = "is a directory";
            return false;
        }
        if (access(target.c_str(), W_OK) != 0) {
            error = std::strerror(errno);
            return false;
        }
    }
    std::string pattern = Directory_Of(target) + "/." + Base_Name(target) + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    temp = pattern;
    return true;
}

} // namespace

bool Write_Pattern_Pdf(const std::string& path, const Chamber_Patterns& set, Paper paper,
                       std::string& error) {
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(Pdf_Dpi);
    writer.setCreator(QStringLiteral("Expansion Chamber Design Utility"));
    writer.setTitle(QStringLiteral("Expansion chamber flat patterns"));
    writer.setPageLayout(Pattern_Page_Layout(paper, false));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = "cannot open for writing";
        return false;
    }
    Paint_Pattern_Pages(writer, painter, set, paper);
    if (!painter.end()) {
        error = "write failed";
        return false;
    }
    return true;
}

bool Write_Pattern_Svg(const std::string& path, const Chamber_Patterns& set, std::string& error) {
    const Sheet_Layout layout = Lay_Out_Side_By_Side(set.pieces);
    // Whole device units, so that the width and height in millimetres are exact.
    const int w = static_cast<int>(std::ceil(layout.width * Svg_Px_Per_Mm));
    const int h = static_cast<int>(std::ceil(layout.height * Svg_Px_Per_Mm));
    Sheet_Layout fitted = layout;
    fitted.width = w / Svg_Px_Per_Mm;
    fitted.height = h / Svg_Px_Per_Mm;

    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(path));
    svg.setResolution(static_cast<int>(std::lround(Svg_Px_Per_Mm * 25.4)));
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setTitle(QStringLiteral("Expansion chamber flat patterns"));
    svg.setDescription(QStringLiteral("Every piece at full size; units of 0.1 mm"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        error = "cannot open for writing";
        return false;
    }
    Paint_Pattern_Sheet(painter, set, fitted, Svg_Px_Per_Mm);
    if (!painter.end()) {
        error = "write failed";
        return false;
    }
    return true;
}

bool Write_Pattern_Files(const std::vector<Pattern_Output>& outputs, const Chamber_Patterns& set,
                         Paper paper, std::string& error) {
    std::vector<std::string> temps;
    auto discard = [&temps]() {
        for (const auto& t : temps)
            std::remove(t.c_str());
    };
    for (const auto& o : outputs) {
        std::string temp, why;
        if (!Make_Temporary(o.path, temp, why)) {
            discard();
            error = "cannot write " + o.path + ": " + why;
            return false;
        }
        temps.push_back(temp);
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        std::string why;
        bool ok = false;
        switch (outputs[i].format) {
        case Pattern_Format::Pdf:
            ok = Write_Pattern_Pdf(temps[i], set, paper, why);
            break;
        case Pattern_Format::Svg:
            ok = Write_Pattern_Svg(temps[i], set, why);
            break;
        case Pattern_Format::Dxf:
            ok = Write_Pattern_Dxf(temps[i], set, Lay_Out_Side_By_Side(set.pieces), why);
            break;
        }
        if (!ok) {
            discard();
            error = "cannot write " + outputs[i].path + ": " + why;
            return false;
        }
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (std::rename(temps[i].c_str(), outputs[i].path.c_str()) != 0) {
            error = "cannot write " + outputs[i].path + ": " + std::strerror(errno);
            for (size_t j = i; j < temps.size(); ++j)
                std::remove(temps[j].c_str());
            return false;
        }
    }
    return true;
}
