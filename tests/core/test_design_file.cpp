// Design files: files saved before open as saved and keep their results, every kind of bad
// or hostile text is named without a crash or a hang, and the name proposed for a file.

#include "core/chamber/design_file.h"
#include "core/fields/report.h"
#include "core/files/file_name.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

TEST(DesignFile, NamesWhatIsWrong) {
    const std::string head = R"({"format": "expansion-chamber-design", "version": 1)";
    const struct {
        std::string text;
        const char* problem;
    } cases[] = {
        {"", "It is not a design file: its text is not valid JSON."},
        {R"({"format": "something else", "version": 1})",
         "It is not a design file of this program."},
        {R"({"format": "expansion-chamber-design"})",
         "Its format version is missing or not a whole number."},
        {R"({"format": "expansion-chamber-design", "version": 2})",
         "It was saved in a newer format (version 2) than this program reads (version 1). Use a "
         "newer version of the program."},
        {R"({"format": "expansion-chamber-design", "version": 18446744073709551615})",
         "It was saved in a newer format (version 18446744073709551615) than this program reads "
         "(version 1). Use a newer version of the program."},
        {R"({"format": "expansion-chamber-design", "version": -9223372036854775808})",
         "Its format version -9223372036854775808 does not exist."},
        {head + R"(, "pipeName": 125})", "Its \"pipeName\" must be a text."},
        {head + R"(, "diffuser": "four-stage"})",
         "Its \"diffuser\" must be \"two-stage\", \"three-stage\" or null."},
        {head + R"(, "fields": []})", "Its \"fields\" must be an object of texts."},
        {head + R"(, "fields": {"dx": 40}})", "Its field \"dx\" must be a text, as typed."},
        {head + R"(, "engine": ["54"]})", "Its \"engine\" must be an object of texts."},
        {head + R"(, "engine": {"bore": 54}})",
         "Its engine's field \"bore\" must be a text, as typed."},
        {head + R"(, "fields": {"dx": "40", "dx": "41"}})",
         "It is not a design file: \"dx\" is given twice."},
        {std::string(100000, '[') + std::string(100000, ']'),
         "It is not a design file of this program."},
        {head + ", \"pipeName\": \"" + std::string(Design_File_Largest, 'x') + "\"}",
         "It is not a design file: it is far too large for one."},
    };
    for (const auto& c : cases) {
        const Design_File_Read read = Read_Design_File(c.text);
        EXPECT_FALSE(read.form) << c.text.substr(0, 60);
        EXPECT_EQ(read.problem, c.problem) << c.text.substr(0, 60);
    }
    // A file written by hand: a field left out is empty, an unknown key is passed over.
    const Design_File_Read typed = Read_Design_File(
        head + R"(, "diffuser": "three-stage", "comment": [1], "fields": {"lx": "20"}})");
    Design_Form expected;
    expected.Diffuser = Diffuser_Type::ThreeStage;
    expected.Texh[TexhLX] = "20";
    ASSERT_TRUE(typed.form) << typed.problem;
    EXPECT_EQ(Entries_Of(*typed.form).texts, Entries_Of(expected).texts);
    EXPECT_TRUE(typed.engine.texts.empty());
}

// The engine's port map travels with the design: its texts as typed, the empty ones left
// out, and nothing else changed; a port map never typed into is not written.
TEST(DesignFile, KeepsTheEngine) {
    Form_Entries engine;
    engine.texts = {{"bore", "54"}, {"exhaustTiming", " 85,5"}, {"deck", ""}};
    const Design_Form form = Sample_Form(true, true);
    const std::string text = Design_File_Text(form, Calc_Design(form), engine);
    const Design_File_Read read = Read_Design_File(text);
    ASSERT_TRUE(read.form) << read.problem;
    EXPECT_EQ(Entries_Of(*read.form).texts, Entries_Of(form).texts);
    engine.texts.erase("deck");
    EXPECT_EQ(read.engine.texts, engine.texts);
    EXPECT_EQ(report::Json::parse(text).count("engine"), 1U);
    // Nothing but the window's opening texts is no engine.
    engine.texts = {{"exhaustCount", "1"}, {"deck", "0"}};
    EXPECT_EQ(
        report::Json::parse(Design_File_Text(form, Calc_Design(form), engine)).count("engine"), 0U);
}

// Files saved by earlier versions of the program open with the same form, and saved again
// they are what they were: the form in the file's own words, and the results a run of it
// gives (the field keys that reports now name beside the focus aside).
TEST(DesignFile, FilesOfEarlierVersionsOpenAsSaved) {
    for (const char* name :
         {"gp125-three-stage.ecd", "enduro-two-stage-warns.ecd", "unfinished.ecd"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(ECD_TEST_DATA) + "/design-files/" + name, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        const Design_File_Read read = Read_Design_File(text);
        ASSERT_TRUE(read.form) << read.problem;
        report::Json saved = report::Json::parse(text);
        report::Json again =
            report::Json::parse(Design_File_Text(*read.form, Calc_Design(*read.form)));
        for (report::Json* file : {&saved, &again}) {
            report::Json& results = (*file)["results"];
            for (auto& w : results["warnings"])
                w.erase("field");
            if (results["failure"].is_object())
                for (const char* key : {"field", "station"})
                    results["failure"].erase(key);
        }
        EXPECT_EQ(again, saved);
    }
}

// The name proposed for a saved file, from a pipe name as a tuner may type it.
TEST(DesignFile, TheProposedFileName) {
    const std::string emoji = "\xF0\x9F\x98\x80"; // two UTF-16 units
    const std::pair<std::string, std::string> cases[] = {
        {"GP 125", "GP 125.ecd"},
        {"a/b\\c:d*e?f\"g<h>i|j\tk\x7F", "a-b-c-d-e-f-g-h-i-j-k.ecd"},
        {" \xE2\x80\x83..-pipe.ECD-. ", "pipe.ecd"},
        {" .- ", "design.ecd"},
        {"\xC3\x96l \xFF\xC0\xAF", "\xC3\x96l \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.ecd"},
        {std::string(99, 'x') + emoji + "y", std::string(99, 'x') + ".ecd"},
        {std::string(98, 'x') + emoji + "y", std::string(98, 'x') + emoji + ".ecd"},
        {std::string(99, 'x') + " .z", std::string(99, 'x') + ".ecd"},
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(Proposed_File_Name(text, ".ecd", "design.ecd"), name) << text;
}

} // namespace
