// One vocabulary for every front end: the command line's flags and help, the design file's
// keys and words, the module's vocabulary and the manual page say what the table says. A
// word written by hand in one of them, or renamed in one and not the others, fails here
// (the page's captions: the browser tests).

#include "cli/calculator.h"
#include "core/calls/form_calls.h"
#include "core/chamber/design_file.h"
#include "core/fields/report.h"
#include "core/fields/vocabulary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

namespace {

using Json = report::Json;

std::string Help_Of(const std::string& command) {
    std::ostringstream out, err;
    cli::Calculator_Main({command, "--help"}, out, err);
    return out.str();
}

// Every flag a --help text lists.
std::set<std::string> Flags_Listed(const std::string& help) {
    std::set<std::string> flags;
    const std::regex item("^  (-h,)?(--[a-z0-9-]+)");
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, item))
            flags.insert(m[2]);
    }
    return flags;
}

TEST(Vocabulary, TheCommandLineHasEveryFlagAndNoOther) {
    const std::set<std::string> general = {"--help", "--json", "--open", "--save"};
    for (const Form_Words& form : All_Forms()) {
        if (form.id == Form_Key::Patterns)
            continue; // a program of its own: its flags are the manual's below
        SCOPED_TRACE(form.key);
        const std::string help = Help_Of(form.command);
        std::set<std::string> flags = general;
        for (const Choice_Group& g : form.choices)
            for (const Choice_Word& w : g.words) {
                flags.insert(w.flag);
                EXPECT_NE(help.find(w.help), std::string::npos) << w.flag;
            }
        for (const Field_Word& f : form.fields) {
            flags.insert(f.flag);
            EXPECT_NE(help.find(std::string(f.flag) + " TEXT"), std::string::npos) << f.flag;
            EXPECT_NE(help.find(Help_Line(f)), std::string::npos) << f.flag;
        }
        for (const std::string& listed : Flags_Listed(help))
            EXPECT_EQ(flags.count(listed), 1u) << listed << " is no word of the vocabulary";
    }
}

// A form whose every text is its own key: the file keeps each under that key.
TEST(Vocabulary, TheDesignFileKeepsEveryKeyAndWord) {
    const Form_Words& words = Words_Of(Form_Key::Design);
    Form_Entries entries;
    for (const Field_Word& f : words.fields)
        entries.texts[f.key] = f.key;
    for (const Choice_Group& g : words.choices)
        entries.texts[g.key] = g.words.back().word;
    const Design_Form form = Design_Form_Of(entries);
    const Json file = Json::parse(Design_File_Text(form, Calc_Design(form)));
    std::vector<std::string> fields;
    for (const auto& [key, text] : file["fields"].items()) {
        fields.push_back(key);
        EXPECT_EQ(text, key);
    }
    std::vector<std::string> numbers;
    for (const Field_Word& f : words.fields)
        if (f.kind == Field_Kind::Number)
            numbers.push_back(f.key);
        else
            EXPECT_EQ(file[f.key], f.key);
    EXPECT_EQ(fields, numbers);
    for (const Choice_Group& g : words.choices)
        EXPECT_EQ(file[g.key], g.words.back().word);
    EXPECT_EQ(Read_Design_File(file.dump()).form->Texh, form.Texh);
}

TEST(Vocabulary, TheModuleGivesTheTable) {
    const Json forms = Json::parse(Form_Call("vocabulary", "{}"))["forms"];
    ASSERT_EQ(forms.size(), All_Forms().size());
    for (size_t i = 0; i < forms.size(); ++i) {
        const Form_Words& form = All_Forms()[i];
        EXPECT_EQ(forms[i]["key"], form.key);
        ASSERT_EQ(forms[i]["fields"].size(), form.fields.size());
        for (size_t k = 0; k < form.fields.size(); ++k)
            EXPECT_EQ(forms[i]["fields"][k]["key"].get<std::string>() +
                          forms[i]["fields"][k]["flag"].get<std::string>() +
                          forms[i]["fields"][k]["caption"].get<std::string>(),
                      std::string(form.fields[k].key) + form.fields[k].flag +
                          form.fields[k].caption);
        ASSERT_EQ(forms[i]["choices"].size(), form.choices.size());
        for (size_t g = 0; g < form.choices.size(); ++g)
            for (size_t w = 0; w < form.choices[g].words.size(); ++w)
                EXPECT_EQ(forms[i]["choices"][g]["words"][w]["word"],
                          form.choices[g].words[w].word);
    }
}

#ifdef ECD_MANUAL
// Every flag of every command's --help is the tag of an item of the manual page.
TEST(Vocabulary, TheManualDescribesEveryFlag) {
    std::ifstream in(ECD_MANUAL);
    std::vector<std::string> tags; // the line after each ".TP", as roff writes it
    for (std::string line, before; std::getline(in, line); before = line)
        if (before == ".TP")
            tags.push_back(line + " ");
    ASSERT_FALSE(tags.empty()) << ECD_MANUAL;
    for (const Form_Words& form : All_Forms()) {
        std::set<std::string> flags;
        if (form.id == Form_Key::Patterns)
            for (const Field_Word& f : form.fields)
                flags.insert(f.flag);
        else
            flags = Flags_Listed(Help_Of(form.command));
        for (const Choice_Group& g : form.choices)
            if (*g.flag)
                flags.insert(g.flag);
        flags.erase("--help");
        for (const std::string& flag : flags) {
            std::string roff;
            for (char c : flag)
                roff += c == '-' ? "\\-" : std::string(1, c);
            const auto described = [&](const std::string& tag) {
                return tag.find(roff + " ") != std::string::npos ||
                       tag.find(roff + "\"") != std::string::npos;
            };
            EXPECT_TRUE(std::any_of(tags.begin(), tags.end(), described))
                << form.key << " " << flag;
        }
    }
}
#endif

} // namespace
