// One vocabulary for every front end: the command line's flags and help, the module's
// vocabulary and the manual page say what the table says. A word written by hand in one of
// them, or renamed in one and not the others, fails here (the page's captions: the browser
// tests; the design file's keys and words: the files of earlier versions in tests/core).

#include "cli/calculator.h"
#include "core/calls/form_calls.h"
#include "core/fields/report.h"
#include "core/fields/vocabulary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

using Json = report::Json;

// Every flag of the vocabulary is listed by its command's --help with its help line, and no
// other but the general ones; every one is the tag of an item of the manual page (roff
// writes the tag on the line after ".TP", its hyphens as "\-").
TEST(Vocabulary, TheCommandLineAndItsManualHaveEveryFlagAndNoOther) {
#ifdef ECD_MANUAL
    std::ifstream manual(ECD_MANUAL);
    std::string tags;
    for (std::string line, before; std::getline(manual, line); before = line)
        if (before == ".TP")
            tags += line + " \n";
#endif
    for (const Form_Words& form : All_Forms()) {
        SCOPED_TRACE(form.key);
        std::set<std::string> flags;
        for (const Choice_Group& g : form.choices)
            for (const Choice_Word& w : g.words)
                flags.insert(*w.flag ? w.flag : g.flag);
        for (const Field_Word& f : form.fields)
            flags.insert(f.flag);
        if (form.id != Form_Key::Patterns) { // a program of its own: the manual's alone
            std::ostringstream out, err;
            cli::Calculator_Main({form.command, "--help"}, out, err);
            for (const Field_Word& f : form.fields)
                EXPECT_NE(out.str().find(std::string(f.flag) + " TEXT"), std::string::npos)
                    << f.flag;
            flags.insert({"--json", "--open", "--save"});
            std::istringstream lines(out.str());
            std::smatch listed;
            for (std::string line; std::getline(lines, line);)
                if (std::regex_search(line, listed, std::regex("^  (-h,)?(--[a-z0-9-]+)"))) {
                    EXPECT_TRUE(flags.count(listed[2]) || listed[2] == "--help")
                        << listed[2] << " is no word of the vocabulary";
                }
        }
#ifdef ECD_MANUAL
        for (const std::string& flag : flags) {
            const std::string roff = std::regex_replace(flag, std::regex("-"), "\\-");
            EXPECT_TRUE(tags.find(roff + " ") != std::string::npos ||
                        tags.find(roff + "\"") != std::string::npos)
                << flag;
        }
#endif
    }
}

// The module's words are the table's: the keys, flags and captions of the fields, and the
// words of the option groups.
TEST(Vocabulary, TheModuleGivesTheTable) {
    const Json forms = Json::parse(Form_Call("vocabulary", "{}"))["forms"];
    ASSERT_EQ(forms.size(), All_Forms().size());
    for (size_t i = 0; i < forms.size(); ++i) {
        const Form_Words& form = All_Forms()[i];
        EXPECT_EQ(forms[i]["key"], form.key);
        ASSERT_EQ(forms[i]["fields"].size(), form.fields.size());
        for (size_t k = 0; k < form.fields.size(); ++k) {
            const Json& f = forms[i]["fields"][k];
            const Field_Word& w = form.fields[k];
            EXPECT_EQ(Json({f["key"], f["flag"], f["caption"]}), Json({w.key, w.flag, w.caption}));
        }
        ASSERT_EQ(forms[i]["choices"].size(), form.choices.size());
        for (size_t g = 0; g < form.choices.size(); ++g)
            for (size_t w = 0; w < form.choices[g].words.size(); ++w)
                EXPECT_EQ(forms[i]["choices"][g]["words"][w]["word"],
                          form.choices[g].words[w].word);
    }
}

} // namespace
