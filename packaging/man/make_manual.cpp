// Writes a manual page from its template, with the option list of each form from the
// program's vocabulary: a template line "@OPTIONS design@" becomes an item for every
// option group and every field of the design form, worded as the command's --help words
// them.
//   make_manual TEMPLATE OUTPUT

#include "core/fields/vocabulary.h"
#include "core/files/file_output.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// Text for roff: hyphens as minus signs (flags are typed with them), backslashes escaped.
std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '-' ? "\\-" : c == '\\' ? "\\e" : std::string(1, c);
    return out;
}

std::string Sentence(std::string text) {
    return text.empty() || text.back() == '.' ? text : text + ".";
}

std::string Items(const Form_Words& form) {
    std::ostringstream out;
    for (const Choice_Group& g : form.choices) {
        out << ".TP\n";
        if (*g.flag) {
            std::string words;
            for (const Choice_Word& w : g.words)
                words += std::string(words.empty() ? "" : "|") + w.word;
            out << ".BR " << Roff(g.flag) << " \"" << words << "\"\n"
                << Sentence(std::string(g.help) + " (default " + g.opening + ")") << "\n";
            continue;
        }
        out << ".BR";
        for (size_t i = 0; i < g.words.size(); ++i)
            out << (i ? " \", \" " : " ") << Roff(g.words[i].flag);
        out << "\n" << Sentence(g.help) << "\n";
    }
    for (const Field_Word& f : form.fields) {
        std::string help = Help_Line(f);
        if (*f.opening)
            help += std::string(" (default ") + f.opening + ")";
        out << ".TP\n.BI " << Roff(f.flag) << " \" TEXT\"\n" << Sentence(help) << "\n";
    }
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_manual TEMPLATE OUTPUT\n";
        return 64;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "make_manual: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream page;
    for (std::string line; std::getline(in, line);) {
        const std::string marker = "@OPTIONS ";
        if (line.rfind(marker, 0) == 0 && line.size() > marker.size() && line.back() == '@') {
            const std::string key = line.substr(marker.size(), line.size() - marker.size() - 1);
            bool found = false;
            for (const Form_Words& f : All_Forms())
                if (key == f.key) {
                    page << Items(f);
                    found = true;
                }
            if (!found) {
                std::cerr << "make_manual: no form " << key << "\n";
                return 1;
            }
            continue;
        }
        page << line << "\n";
    }
    if (const auto failure = Write_File(argv[2], page.str())) {
        std::cerr << "make_manual: " << failure->text() << "\n";
        return 1;
    }
    return 0;
}
