#include "core/chamber/wave_pictures.h"

#include "core/fields/display_format.h"

#include <algorithm>
#include <array>
#include <cmath>

const char* const Plug_Speed_Note =
    "In this model the plugging peak need not reach EC at the design speed: the pulse has a "
    "width, and the baffle cone reflects along its whole length.";

namespace {

std::string Num(double v) {
    return Short_Fixed(v, 1);
}

// The plot's box in SVG units, the same for both pictures.
constexpr double Left = 64, Top = 30, Width = 560, Height = 220;

double Crank_X(const Wave_Map& map, double deg) {
    return Left + Width * (deg - map.crankDeg.front()) / 360;
}

std::string Hex(Wave_Rgb c) {
    static const char* digits = "0123456789abcdef";
    std::string s = "#";
    for (uint8_t v : {c.r, c.g, c.b})
        s += {digits[v >> 4], digits[v & 15]};
    return s;
}

// The events as dashed lines over the plot, named above it.
std::string Events(const Wave_Map& map) {
    std::string s;
    const std::pair<const char*, double> events[] = {
        {"EO", map.events.EO}, {"BDC", map.events.BDC}, {"EC", map.events.EC}};
    for (const auto& [name, deg] : events) {
        const std::string x = Num(Crank_X(map, deg));
        s += "<line x1=\"" + x + "\" y1=\"" + Num(Top) + "\" x2=\"" + x + "\" y2=\"" +
             Num(Top + Height) + "\" stroke=\"#000000\" stroke-dasharray=\"4 3\"/><text x=\"" + x +
             "\" y=\"" + Num(Top - 8) + "\" text-anchor=\"middle\">" + name + "</text>";
    }
    for (double deg = std::ceil(map.crankDeg.front() / 90) * 90; deg <= map.crankDeg.back();
         deg += 90)
        s += "<text x=\"" + Num(Crank_X(map, deg)) + "\" y=\"" + Num(Top + Height + 16) +
             "\" text-anchor=\"middle\">" + Num(deg) + "</text>";
    s += "<text x=\"" + Num(Left + Width / 2) + "\" y=\"" + Num(Top + Height + 34) +
         "\" text-anchor=\"middle\">crank angle (degrees after TDC)</text>";
    return s;
}

std::string Svg_Head(const char* cls, const std::string& title, double height) {
    return std::string("<svg class=\"") + cls +
           "\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Num(Left + Width + 60) + " " +
           Num(height) + "\" role=\"img\" aria-label=\"" + title + "\"><title>" + title +
           "</title><rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/><g "
           "font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">";
}

std::string Base64(const std::string& bytes) {
    static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string s;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = 0;
        for (size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            s += k <= n ? table[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return s;
}

uint32_t Crc32(const std::string& bytes, size_t from) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i)
        c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    return ~c;
}

void Put32(std::string& s, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        s += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    Put32(png, static_cast<uint32_t>(data.size()));
    const size_t from = png.size();
    png += type;
    png += data;
    Put32(png, Crc32(png, from));
}

} // namespace

Wave_Rgb Wave_Colour(double pressure, double largest) {
    const double t = largest > 0 ? std::clamp(pressure / largest, -1.0, 1.0) : 0;
    // White to a deep red (plugging) or a deep blue (suction).
    const Wave_Rgb full = t > 0 ? Wave_Rgb{178, 24, 43} : Wave_Rgb{33, 102, 172};
    const double a = std::abs(t);
    const auto mix = [a](uint8_t to) {
        return static_cast<uint8_t>(std::lround(255 + (to - 255) * a));
    };
    return {mix(full.r), mix(full.g), mix(full.b)};
}

Wave_Image Map_Image(const Wave_Map& map, size_t stride) {
    Wave_Image image;
    // The indexes kept: every stride-th, and the last.
    const auto kept = [stride](size_t count) {
        std::vector<size_t> at;
        for (size_t i = 0; i < count; i += stride)
            at.push_back(i);
        if (count > 0 && at.back() != count - 1)
            at.push_back(count - 1);
        return at;
    };
    const std::vector<size_t> columns = kept(map.crankDeg.size()), rows = kept(map.pressure.size());
    image.width = static_cast<int>(columns.size());
    image.height = static_cast<int>(rows.size());
    for (const auto& row : map.pressure)
        for (double p : row)
            image.largest = std::max(image.largest, std::abs(p));
    for (size_t r = rows.size(); r-- > 0;)
        for (size_t c : columns) {
            const Wave_Rgb colour = Wave_Colour(map.pressure[rows[r]][c], image.largest);
            image.rgb.insert(image.rgb.end(), {colour.r, colour.g, colour.b});
        }
    return image;
}

Wave_Paths Trough_And_Peak(const Wave_Map& map) {
    Wave_Paths paths;
    for (const auto& p : map.pressure) {
        const auto [low, high] = std::minmax_element(p.begin(), p.end());
        paths.trough.push_back(map.crankDeg[static_cast<size_t>(low - p.begin())]);
        paths.peak.push_back(map.crankDeg[static_cast<size_t>(high - p.begin())]);
    }
    return paths;
}

std::string Png_Of(const Wave_Image& image) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    Put32(header, static_cast<uint32_t>(image.width));
    Put32(header, static_cast<uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, no interlace
    Chunk(png, "IHDR", header);
    // The rows, each after its filter byte (none), in stored deflate blocks.
    std::string raw;
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    for (size_t y = 0; y < static_cast<size_t>(image.height); ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(image.rgb.data()) + y * rowBytes, rowBytes);
    }
    std::string z = "\x78\x01";
    for (size_t at = 0; at < raw.size(); at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z += static_cast<char>(at + n >= raw.size() ? 1 : 0);
        z += {static_cast<char>(n & 0xFF), static_cast<char>(n >> 8), static_cast<char>(~n & 0xFF),
              static_cast<char>((~n >> 8) & 0xFF)};
        z.append(raw, at, n);
    }
    uint32_t a = 1, b = 0;
    for (char ch : raw) {
        a = (a + static_cast<uint8_t>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

std::string Plug_Speed_Text(const Wave_Map& map) {
    return map.plugAtEc
               ? "The plugging peak reaches EC at " + Short_Fixed(*map.plugAtEc, 0) + " rpm"
               : std::string("The plugging peak reaches EC at no speed shown");
}

std::string Wave_Curve_Svg(const Wave_Map& map, size_t row) {
    const std::vector<double>& p = map.pressure[row];
    double largest = 0;
    for (double v : p)
        largest = std::max(largest, std::abs(v));
    const double scale = std::max(0.1, std::ceil(largest * 10) / 10); // the axis' ends, +-
    const auto y = [scale](double v) { return Top + Height / 2 * (1 - v / scale); };
    std::string s = Svg_Head(
        "wave-curve", "Returning pressure at the port at " + Num(map.rpm[row]) + " rpm", 316);
    s += "<line x1=\"" + Num(Left) + "\" y1=\"" + Num(y(0)) + "\" x2=\"" + Num(Left + Width) +
         "\" y2=\"" + Num(y(0)) + "\" stroke=\"#888888\"/>";
    std::string d;
    for (size_t i = 0; i < p.size(); ++i)
        d += (i ? " L" : "M") + Num(Crank_X(map, map.crankDeg[i])) + " " + Num(y(p[i]));
    s += "<path d=\"" + d + "\" fill=\"none\" stroke=\"#1f3f7f\" stroke-width=\"2\"/>";
    s += "<rect x=\"" + Num(Left) + "\" y=\"" + Num(Top) + "\" width=\"" + Num(Width) +
         "\" height=\"" + Num(Height) + "\" fill=\"none\" stroke=\"#000000\"/>" + Events(map);
    for (double v : {scale, 0.0, -scale})
        s += "<text x=\"" + Num(Left - 6) + "\" y=\"" + Num(y(v) + 4) + "\" text-anchor=\"end\">" +
             Short_Fixed(v, 1) + "</text>";
    s += "<text x=\"" + Num(Left - 6) + "\" y=\"" + Num(Top + Height + 34) +
         "\" text-anchor=\"end\">p / pulse</text><text x=\"" + Num(Left + 4) + "\" y=\"" +
         Num(Top + Height + 52) + "\">At " + Num(map.rpm[row]) +
         " rpm; above the line plugging, below suction</text>";
    return s + "</g></svg>";
}

std::string Wave_Sheet_Svg(const std::string& title, const Wave_Map& curve, const Wave_Map& map,
                           double designRpm) {
    const double width = Left + Width + 60;
    // The model's words in lines of about 100 characters.
    std::vector<std::string> lines = {title, ""};
    for (const char* at = Wave_Model_Text; *at;) {
        std::string word;
        while (*at && *at != ' ')
            word += *at++;
        while (*at == ' ')
            ++at;
        std::string& line = lines.back();
        if (!line.empty() && line.size() + word.size() > 100)
            lines.emplace_back();
        lines.back() += (lines.back().empty() ? "" : " ") + word;
    }
    const double head = 18.0 * static_cast<double>(lines.size()) + 8;
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
                    "xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    Num(width) + "\" height=\"" + Num(head + 316 + 392) + "\" viewBox=\"0 0 " +
                    Num(width) + " " + Num(head + 316 + 392) +
                    "\"><rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/><g "
                    "font-family=\"sans-serif\" font-size=\"11\" fill=\"#000000\">";
    for (size_t i = 0; i < lines.size(); ++i)
        s += "<text x=\"12\" y=\"" + Num(18 + 18.0 * static_cast<double>(i)) + "\"" +
             (i == 0 ? " font-size=\"14\" font-weight=\"bold\"" : "") + ">" + Xml_Text(lines[i]) +
             "</text>";
    const auto placed = [](std::string svg, double y, double height) {
        return svg.insert(4, " x=\"0\" y=\"" + Num(y) + "\" width=\"" + Num(Left + Width + 60) +
                                 "\" height=\"" + Num(height) + "\"");
    };
    s += "</g>" + placed(Wave_Curve_Svg(curve, 0), head, 316) +
         placed(Wave_Map_Svg(map, designRpm), head + 316, 392);
    return s + "</svg>\n";
}

std::string Wave_Map_Svg(const Wave_Map& map, double designRpm) {
    // Every other angle and speed: the picture is drawn smaller than that anyway.
    const Wave_Image image = Map_Image(map, 2);
    const double slow = map.rpm.front(), fast = map.rpm.back();
    const auto y = [&](double rpm) { return Top + Height * (fast - rpm) / (fast - slow); };
    std::string s = Svg_Head("wave-map", "Returning pressure against speed and crank angle", 392);
    s += "<image x=\"" + Num(Left) + "\" y=\"" + Num(Top) + "\" width=\"" + Num(Width) +
         "\" height=\"" + Num(Height) +
         "\" preserveAspectRatio=\"none\" href=\"data:image/png;base64," + Base64(Png_Of(image)) +
         "\"/>";
    const Wave_Paths paths = Trough_And_Peak(map);
    const std::pair<const std::vector<double>*, const char*> lines[] = {{&paths.trough, "#08306b"},
                                                                        {&paths.peak, "#67000d"}};
    for (const auto& [path, colour] : lines) {
        std::string d;
        for (size_t i = 0; i < path->size(); ++i)
            d += (i ? " L" : "M") + Num(Crank_X(map, (*path)[i])) + " " + Num(y(map.rpm[i]));
        s += "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/>";
    }
    s += "<rect x=\"" + Num(Left) + "\" y=\"" + Num(Top) + "\" width=\"" + Num(Width) +
         "\" height=\"" + Num(Height) + "\" fill=\"none\" stroke=\"#000000\"/>" + Events(map);
    s += "<line x1=\"" + Num(Left) + "\" y1=\"" + Num(y(designRpm)) + "\" x2=\"" +
         Num(Left + Width) + "\" y2=\"" + Num(y(designRpm)) +
         "\" stroke=\"#000000\" stroke-width=\"1.5\"/><text x=\"" + Num(Left + Width + 4) +
         "\" y=\"" + Num(y(designRpm) + 4) + "\">design</text>";
    for (double rpm : {slow, designRpm, fast})
        s += "<text x=\"" + Num(Left - 6) + "\" y=\"" + Num(y(rpm) + 4) +
             "\" text-anchor=\"end\">" + Num(rpm) + "</text>";
    s += "<text x=\"" + Num(Left - 6) + "\" y=\"" + Num(Top + Height / 4 + 4) +
         "\" text-anchor=\"end\">rpm</text>";
    // The scale and the two paths' keys.
    const double keyY = Top + Height + 50;
    s += "<defs><linearGradient id=\"wave-scale\">";
    for (int k = 0; k <= 4; ++k)
        s += "<stop offset=\"" + Num(k * 25) + "%\" stop-color=\"" +
             Hex(Wave_Colour((k - 2) / 2.0, 1)) + "\"/>";
    s += "</linearGradient></defs><rect x=\"" + Num(Left) + "\" y=\"" + Num(keyY) +
         "\" width=\"160\" height=\"10\" fill=\"url(#wave-scale)\" stroke=\"#000000\"/><text "
         "x=\"" +
         Num(Left) + "\" y=\"" + Num(keyY + 24) + "\">suction -" + Short_Fixed(image.largest, 2) +
         "</text><text x=\"" + Num(Left + 160) + "\" y=\"" + Num(keyY + 24) +
         "\" text-anchor=\"end\">+" + Short_Fixed(image.largest, 2) + " plugging</text><text x=\"" +
         Num(Left + 190) + "\" y=\"" + Num(keyY + 9) +
         "\" fill=\"#08306b\">— suction trough</text><text x=\"" + Num(Left + 330) + "\" y=\"" +
         Num(keyY + 9) + "\" fill=\"#67000d\">— plugging peak</text><text x=\"" + Num(Left + 190) +
         "\" y=\"" + Num(keyY + 28) + "\">" + Plug_Speed_Text(map) + "</text>";
    // The note in two lines, broken after its colon.
    const std::string note = Plug_Speed_Note;
    const size_t colon = note.find(": ");
    s += "<text x=\"" + Num(Left) + "\" y=\"" + Num(keyY + 52) + "\">" + note.substr(0, colon + 1) +
         "</text><text x=\"" + Num(Left) + "\" y=\"" + Num(keyY + 68) + "\">" +
         note.substr(colon + 2) + "</text>";
    return s + "</g></svg>";
}
