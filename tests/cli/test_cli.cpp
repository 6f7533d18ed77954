// expansion-chamber-calc as a user runs it: arguments in, standard output, standard
// error and the exit status out (run in-process, so that it runs wherever the calculator
// does).

#include "cli/calculator.h"
#include "cli/cli_common.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ProcessRun {
    int status;
    std::string out; // standard output and, after it, standard error
    std::string err;
};

ProcessRun run(const std::vector<std::string>& args, bool withStderr = true) {
    std::ostringstream out, err;
    const int status = cli::Calculator_Main(args, out, err);
    return {status, out.str() + (withStderr ? err.str() : ""), err.str()};
}

// The words of a command line, split at blanks.
std::vector<std::string> Words(const std::string& words) {
    std::istringstream s(words);
    return {std::istream_iterator<std::string>(s), {}};
}

cli::Json runJson(std::vector<std::string> args, int expectedStatus) {
    args.push_back("--json");
    const ProcessRun r = run(args, false);
    EXPECT_EQ(r.status, expectedStatus) << r.out;
    return cli::Json::parse(r.out);
}

const std::vector<std::string> threeStage =
    Words("design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 --d1 44 --lx "
          "20 --angle 88 --rpm 11000");

TEST(Cli, DesignJsonHoldsTheShownTextsAndStoredValues) {
    const auto j = runJson(threeStage, 0);
    EXPECT_TRUE(j["failure"].is_null());
    EXPECT_TRUE(j["warnings"].empty());
    EXPECT_EQ(j["display"]["TexTotLth"], "813.7 ");
    EXPECT_EQ(j["display"]["Texdiam(4)"], "25.5 ");
    EXPECT_EQ(j["display"]["Texlen(6)"], "195.3 ");
    EXPECT_EQ(j["display"].size(), 15u); // DX, LX, D1..D5, L1..L7, tuned length
    // Stored values read back to the very same single.
    EXPECT_EQ(j["values"]["GasTemp"].get<double>(), 848.150024);
    EXPECT_EQ(static_cast<float>(j["values"]["GasTemp"].get<double>()), 848.15f);
}

TEST(Cli, FailureExitCodeAndJson) {
    std::vector<std::string> args = threeStage;
    args.push_back("--lx=90");
    const auto j = runJson(args, 2);
    EXPECT_EQ(j["failure"]["title"], "Unacceptable Length from Piston Face to Barrel Flange");
    EXPECT_EQ(j["failure"]["prompt"], "The Length from Piston Face to Barrel Flange is Too "
                                      "Long\r\n\r\nThis Length must Not Exceed 81.3 mm");
    EXPECT_EQ(j["failure"]["focus"], "Texh(5)");
    EXPECT_EQ(j["failure"]["emptied"], false);
    EXPECT_TRUE(j["display"].empty());
}

TEST(Cli, EmptyAndBlankTextsAreFields) {
    struct {
        std::vector<std::string> extra;
        const char* title;
        bool emptied;
    } cases[] = {
        {{"--rpm="}, "Engine Speed Not Set", true},
        {{"--rpm", ""}, "Engine Speed Not Set", true},
        {{"--rpm", "   "}, "Engine Speed Not Set", true},
        {{"--rpm=1,000"}, "Engine Speed Incorrectly Set", false},
        {{"--rpm", "-5"}, "Engine Speed Out of Range", false},
        {{"--rpm", "1e39"}, "Engine Speed Out of Range", false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = threeStage;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto j = runJson(args, 2);
        EXPECT_EQ(j["failure"]["title"], c.title);
        EXPECT_EQ(j["failure"]["emptied"], c.emptied);
    }
    // A field flag left out is an empty field; an option left out is an unset group.
    auto j = runJson({"design", "--two-stage"}, 2);
    EXPECT_EQ(j["failure"]["title"], "Exhaust Temperature Option Not Set");
    EXPECT_TRUE(j["failure"]["focus"].is_null());
}

TEST(Cli, Calculators) {
    struct {
        const char *args, *control, *text, *value; // value: a key of "values"
    } cases[] = {
        {"bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30", "BHP_Lab(4)",
         "The Brake Mean Effective Pressure is 12.02 bar", "Pk"},
        {"port-height --stroke 54.5 --rod 110 --start 85 --full 180", "HghtLab(4)",
         "The Port Height is 26.22 mm", "H"},
        {"rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5", "DiamLab(4)",
         "Diameter of the Equivalent Circular Port is 38.74 mm", "D"},
        {"profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 --ordinate 30 "
         "--ordinate 30 --ordinate 30 --ordinate 30",
         "ProfLab(8)", "The Equivalent Diameter of the Port is 26.81 mm", "d"},
    };
    for (const auto& c : cases) {
        const auto j = runJson(Words(c.args), 0);
        EXPECT_EQ(j["display"][c.control], c.text);
        EXPECT_TRUE(j["values"].contains(c.value)) << j["values"].dump();
        const ProcessRun plain = run(Words(c.args));
        EXPECT_EQ(plain.status, 0);
        EXPECT_EQ(plain.out, std::string(c.text) + "\n");
    }
}

TEST(Cli, OrdinateFailureNamesItsStation) {
    const auto j = runJson(Words("profiled-port --single --bore 50 --height 20 --intervals 4 "
                                 "--ordinate 30 --ordinate 30"),
                           2);
    EXPECT_EQ(j["failure"]["title"], "Ordinate Not Set");
    EXPECT_EQ(j["failure"]["prompt"], "Enter a value for Ordinate #2");
    EXPECT_EQ(j["failure"]["focus"], "OrdTxt(2)");
}

TEST(Cli, PlainFailureOnStandardError) {
    std::vector<std::string> args = threeStage;
    args.push_back("--d1=41");
    args.push_back("--rpm=");
    const ProcessRun r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "WARNING - Barrel Flange Diameter less than the Recommended Limit: The "
                     "Barrel Flange Diameter is less than 1.05 x Port Effective Diameter [focus "
                     "Texh(9)]\nEngine Speed Not Set: Enter a value for the Engine Speed [focus "
                     "Texh(2), emptied]\n");
}

TEST(Cli, UsageErrors) {
    for (const char* args : {"", "nonsense", "bmep --bore 54", "bmep --hp --kw",
                             "profiled-port --bore 50", "design --two-stage --three-stage",
                             "design --dx", "design --dx 4 5", "design --colour red"}) {
        const ProcessRun r = run(Words(args));
        EXPECT_EQ(r.status, 64) << args << ": " << r.out;
    }
    // The message names the command in use and its own help.
    const ProcessRun surplus =
        run(Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
                  "--ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30"));
    EXPECT_EQ(surplus.status, 64);
    EXPECT_EQ(surplus.err, "expansion-chamber-calc profiled-port: 6 ordinates given: 4 intervals "
                           "take 5 (stations 0 to 4)\nRun 'expansion-chamber-calc profiled-port "
                           "--help' for the usage.\n");
    EXPECT_EQ(run({"bmep", "--bore"}).err.rfind("expansion-chamber-calc bmep: ", 0), 0u);
    const ProcessRun help = run({"design", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--three-stage"), std::string::npos);
}

// A design saved with --save opens with --open as it was typed; flags beside --open win;
// a file that is no design file fails with its reason and exit status 1.
TEST(Cli, DesignFilesSaveAndOpen) {
    const std::string file = (std::filesystem::temp_directory_path() / "ecd-cli-test.ecd").string();
    std::vector<std::string> save = threeStage;
    save.insert(save.end(), {"--rpm", "", "--save", file}); // a failing design saves too
    EXPECT_EQ(run(save).status, 2);
    const cli::Json opened = runJson({"design", "--open", file}, 2);
    EXPECT_EQ(opened["failure"]["title"], "Engine Speed Not Set");
    const cli::Json mended = runJson({"design", "--open", file, "--rpm", "11000"}, 0);
    EXPECT_EQ(mended, runJson(threeStage, 0));
    std::ofstream(file) << R"({"format": "expansion-chamber-design", "version": 7})";
    const ProcessRun newer = run({"design", "--open", file});
    EXPECT_EQ(newer.status, 1);
    EXPECT_NE(newer.err.find("newer format (version 7)"), std::string::npos) << newer.err;
    std::filesystem::remove(file);
    EXPECT_EQ(run({"design", "--open", file}).status, 1);
}

// Every field flag of every command, each with texts a hostile user might type, under the
// C locale and a German one: never a crash, never "nan" or "inf" in the output; a text that
// is no number gets the field's own Not Set or Incorrectly Set message with the focus on
// that field; a number at the limits of what a single holds is a result or a failure of
// the command's own checks.
struct Hostile_Field {
    std::vector<std::string> base; // a complete command that succeeds as it stands
    std::string flag;
    std::string focus;
};

std::vector<Hostile_Field> Every_Field() {
    const auto typed =
        Words("design --three-stage --temp-manual --coef-manual --horn 1.5 --temp 600 --mid 2.5 "
              "--tail 0.65 --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000");
    const auto bmep = Words("bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30");
    const auto height = Words("port-height --stroke 54.5 --rod 110 --start 85 --full 180");
    const auto rect = Words("rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5");
    auto prof = Words("profiled-port --bridged --bore 60 --height 24 --intervals 8 --bridge-width "
                      "6 --top-radius 5 --bottom-radius 7");
    for (const char* o : {"12", "17", "20", "21", "22", "21", "20", "17", "12"})
        prof.insert(prof.end(), {"--ordinate", o});
    std::vector<Hostile_Field> fields = {
        {threeStage, "--bmep", "Texh(3)"},    {typed, "--horn", "Texh(7)"},
        {typed, "--temp", "Texh(0)"},         {typed, "--dx", "Texh(8)"},
        {typed, "--d1", "Texh(9)"},           {typed, "--lx", "Texh(5)"},
        {typed, "--mid", "Texh(6)"},          {typed, "--tail", "Texh(4)"},
        {typed, "--angle", "Texh(1)"},        {typed, "--rpm", "Texh(2)"},
        {bmep, "--bore", "BHP_Txt(0)"},       {bmep, "--stroke", "BHP_Txt(1)"},
        {bmep, "--rpm", "BHP_Txt(2)"},        {bmep, "--power", "BHP_Txt(3)"},
        {height, "--stroke", "HghtTxt(0)"},   {height, "--rod", "HghtTxt(1)"},
        {height, "--start", "HghtTxt(2)"},    {height, "--full", "HghtTxt(3)"},
        {rect, "--width", "DiamTxt(0)"},      {rect, "--height", "DiamTxt(1)"},
        {rect, "--top-radius", "DiamTxt(2)"}, {rect, "--bottom-radius", "DiamTxt(3)"},
        {prof, "--bore", "ProfTxt(0)"},       {prof, "--bridge-width", "ProfTxt(1)"},
        {prof, "--top-radius", "ProfTxt(2)"}, {prof, "--bottom-radius", "ProfTxt(3)"},
        {prof, "--height", "ProfTxt(4)"},     {prof, "--intervals", "ProfTxt(5)"},
    };
    return fields;
}

TEST(Cli, HostileTextsInEveryField) {
    const std::vector<std::pair<std::string, const char*>> notNumbers = {
        {"", " Not Set"},
        {"   ", " Not Set"},
        {"abc", " Incorrectly Set"},
        {"NaN", " Incorrectly Set"},
        {"inf", " Incorrectly Set"},
        {"0x10", " Incorrectly Set"},
        {"1,5", " Incorrectly Set"},
        {"1\t5", " Incorrectly Set"},
        {"\t5", " Incorrectly Set"},
        {"5\n", " Incorrectly Set"},
        {"\xD9\xA1\xD9\xA2", " Incorrectly Set"},         // Arabic-Indic digits one, two
        {"\xEF\xBC\x91\xEF\xBC\x92", " Incorrectly Set"}, // full-width digits
        {"4\xFF\xFE", " Incorrectly Set"},                // not UTF-8 at all
    };
    const std::vector<std::string> extremes = {"1e39", "1e400", "-1e39",
                                               "-0",   "1e-46", std::string(100'000, '7')};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            GTEST_SKIP() << "no locale " << locale << " on this machine";
        for (const Hostile_Field& f : Every_Field()) {
            std::vector<std::string> args = f.base;
            args.insert(args.end(), {f.flag, "", "--json"});
            for (const auto& [text, stage] : notNumbers) {
                args[args.size() - 2] = text;
                const ProcessRun r = run(args, false);
                SCOPED_TRACE(std::string(locale) + " " + f.flag + " [" + text.substr(0, 20) + "]");
                ASSERT_EQ(r.status, 2) << r.out;
                const cli::Json j = cli::Json::parse(r.out);
                const std::string title = j["failure"]["title"];
                EXPECT_EQ(title.substr(title.size() - std::string(stage).size()), stage);
                EXPECT_EQ(j["failure"]["focus"], f.focus);
                EXPECT_EQ(j["failure"]["emptied"], std::string(stage) == " Not Set");
            }
            for (const std::string& text : extremes) {
                args[args.size() - 2] = text;
                const ProcessRun r = run(args, false);
                SCOPED_TRACE(std::string(locale) + " " + f.flag + " [" + text.substr(0, 20) + "]");
                ASSERT_TRUE(r.status == 0 || r.status == 2) << r.out;
                for (const char* bad : {"nan", "inf", "-0 ", "-0.0"})
                    EXPECT_EQ(r.out.find(bad), std::string::npos) << r.out;
                if (r.status == 2) {
                    EXPECT_TRUE(cli::Json::parse(r.out)["failure"]["focus"].is_string());
                }
            }
        }
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
