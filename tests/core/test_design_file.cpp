// Design files: what a file keeps comes back as it was typed, its results are the command
// line's, and every kind of bad or hostile text is named without a crash or a hang.

#include "core/chamber/design_file.h"
#include "core/chamber/design_report.h"
#include "core/files/file_name.h"
#include "tests/sample_designs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool Same(const Design_Form& a, const Design_Form& b) {
    return a.PipeName == b.PipeName && a.Diffuser == b.Diffuser && a.TempSource == b.TempSource &&
           a.CoefSource == b.CoefSource && a.Texh == b.Texh;
}

TEST(DesignFile, KeepsTheTextsAsTypedAndTheCommandLinesResults) {
    Design_Form failing = Sample_Form(true, false);
    failing.Texh[TexhSpeed] = " 11 000 ";
    failing.PipeName = "Ölrohr \"GP\" 125\t/ 50°";
    Design_Form unset; // nothing chosen, nothing typed
    unset.Texh[TexhD1] = "44";
    for (const Design_Form& form :
         {Sample_Form(true, true), Sample_Form(false, false), failing, unset}) {
        const auto run = Calc_Design(form);
        const std::string text = Design_File_Text(form, run);
        const Design_File_Read read = Read_Design_File(text);
        ASSERT_TRUE(read.form) << read.problem;
        EXPECT_TRUE(Same(*read.form, form)) << text;
        const auto file = report::Json::parse(text);
        EXPECT_EQ(file["results"], report::Report_Json(Design_Report(run)));
        EXPECT_EQ(file["version"], 1);
    }
}

TEST(DesignFile, NamesWhatIsWrong) {
    const std::string head = R"({"format": "expansion-chamber-design", "version": 1)";
    const struct {
        std::string text;
        const char* problem;
    } cases[] = {
        {"", "It is not a design file: its text is not valid JSON."},
        {"PK\x03\x04 zipped", "It is not a design file: its text is not valid JSON."},
        {"[1, 2]", "It is not a design file of this program."},
        {R"({"format": "something else", "version": 1})",
         "It is not a design file of this program."},
        {R"({"format": "expansion-chamber-design"})",
         "Its format version is missing or not a whole number."},
        {R"({"format": "expansion-chamber-design", "version": "1"})",
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
        {head + R"(, "temperature": true})",
         "Its \"temperature\" must be \"manual\", \"bmep\" or null."},
        {head + R"(, "fields": []})", "Its \"fields\" must be an object of texts."},
        {head + R"(, "fields": {"dx": 40}})", "Its field \"dx\" must be a text, as typed."},
        {head + R"(, "fields": {"rpm": 1e999999}})",
         "It is not a design file: its text is not valid JSON."},
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
    // A file written by hand in the documented keys: a field left out is empty, an unknown
    // key is passed over.
    const Design_File_Read typed = Read_Design_File(
        head + R"(, "pipeName": "GP", "diffuser": "three-stage", "temperature": "bmep",
        "coefficients": "manual", "comment": [1], "fields": {"horn": "1.5", "bmep": "10",
        "temp": "600", "dx": "40", "d1": "44", "lx": "20", "mid": "2.5", "angle": "88",
        "rpm": "11000"}})");
    Design_Form expected;
    expected.PipeName = "GP";
    expected.Diffuser = Diffuser_Type::ThreeStage;
    expected.TempSource = Value_Source::FromBmep;
    expected.CoefSource = Value_Source::Typed;
    expected.Texh = {"600", "88", "11000", "10", "", "20", "2.5", "1.5", "40", "44"};
    ASSERT_TRUE(typed.form) << typed.problem;
    EXPECT_TRUE(Same(*typed.form, expected));
}

// Files saved by earlier versions of the program open with the same form, and a run of it
// gives the results they keep (the field keys that reports now name beside the focus aside).
TEST(DesignFile, FilesOfEarlierVersionsOpenAsSaved) {
    for (const char* name :
         {"gp125-three-stage.ecd", "enduro-two-stage-warns.ecd", "unfinished.ecd"}) {
        SCOPED_TRACE(name);
        std::ifstream in(std::string(ECD_TEST_DATA) + "/design-files/" + name, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        const Design_File_Read read = Read_Design_File(text);
        ASSERT_TRUE(read.form) << read.problem;
        const auto run = Calc_Design(*read.form);
        const auto without_keys = [](report::Json results) {
            for (auto& w : results["warnings"])
                w.erase("field");
            if (results["failure"].is_object()) {
                results["failure"].erase("field");
                results["failure"].erase("station");
            }
            return results;
        };
        report::Json saved = report::Json::parse(text);
        EXPECT_EQ(without_keys(report::Report_Json(Design_Report(run))),
                  without_keys(saved["results"]));
        // Saved again, the form is in the file's own words.
        report::Json again = report::Json::parse(Design_File_Text(*read.form, run));
        again.erase("results");
        saved.erase("results");
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
