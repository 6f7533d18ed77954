#include "core/files/file_name.h"

#include <cctype>
#include <vector>

namespace {

// The text's code points; a byte that starts no valid UTF-8 sequence is U+FFFD.
std::vector<char32_t> Code_Points(const std::string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int more = b < 0x80             ? 0
                         : (b & 0xE0) == 0xC0 ? 1
                         : (b & 0xF0) == 0xE0 ? 2
                         : (b & 0xF8) == 0xF0 ? 3
                                              : -1;
        char32_t cp = more == 0 ? b : more == 1 ? b & 0x1F : more == 2 ? b & 0x0F : b & 0x07;
        bool ok = more >= 0 && i + static_cast<size_t>(more) < text.size();
        for (int k = 1; ok && k <= more; ++k) {
            const auto c = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no characters.
        static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= least[more < 0 ? 0 : more] && cp <= 0x10FFFF &&
             !(cp >= 0xD800 && cp <= 0xDFFF);
        out.push_back(ok ? cp : 0xFFFD);
        i += ok ? static_cast<size_t>(more) + 1 : 1;
    }
    return out;
}

void Append_Utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool Forbidden(char32_t c) {
    static const std::u32string forbidden = U"/\\:*?\"<>|";
    return c < 0x20 || c == 0x7F || forbidden.find(c) != std::u32string::npos;
}

// Unicode's white space, as the toolkits trim it.
bool Blank(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool Trimmable(char32_t c) {
    return Blank(c) || c == '.' || c == '-';
}

void Trim(std::vector<char32_t>& name) {
    size_t from = 0;
    while (from < name.size() && Trimmable(name[from]))
        ++from;
    name.erase(name.begin(), name.begin() + static_cast<long>(from));
    while (!name.empty() && Trimmable(name.back()))
        name.pop_back();
}

} // namespace

std::string Proposed_File_Name(const std::string& text, const std::string& extension,
                               const std::string& fallback) {
    std::vector<char32_t> name = Code_Points(text);
    for (char32_t& c : name)
        if (Forbidden(c))
            c = '-';
    Trim(name);
    // The extension is added below, once.
    const std::vector<char32_t> ext = Code_Points(extension);
    if (name.size() >= ext.size()) {
        bool same = true;
        for (size_t i = 0; i < ext.size() && same; ++i) {
            const char32_t a = name[name.size() - ext.size() + i], b = ext[i];
            const auto lower = [](char32_t c) {
                return c < 0x80 ? static_cast<char32_t>(std::tolower(static_cast<int>(c))) : c;
            };
            same = lower(a) == lower(b);
        }
        if (same)
            name.resize(name.size() - ext.size());
    }
    Trim(name);
    constexpr size_t Longest = 100;
    size_t units = 0, keep = 0;
    while (keep < name.size() && units + (name[keep] > 0xFFFF ? 2 : 1) <= Longest)
        units += name[keep++] > 0xFFFF ? 2 : 1;
    if (keep < name.size()) {
        name.resize(keep);
        Trim(name);
    }
    if (name.empty())
        return fallback;
    std::string out;
    for (char32_t c : name)
        Append_Utf8(out, c);
    return out + extension;
}

std::string File_Stem(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

std::string Proposed_File_Name(const std::string& pipeName, const std::string& kind,
                               const std::string& extension, const std::string& fallback) {
    const std::string name = Proposed_File_Name(pipeName, "", "");
    return name.empty() ? fallback : Proposed_File_Name(name + " " + kind, extension, fallback);
}
