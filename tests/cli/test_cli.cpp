// expansion-chamber-calc as a user runs it: arguments in, standard output, standard
// error and the exit status out (run in-process, so that it runs wherever the calculator
// does).

#include "cli/calculator.h"
#include "cli/cli_common.h"
#include "core/chamber/design_file.h"
#include "core/fields/display_format.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct ProcessRun {
    int status;
    std::string out, err;
};

ProcessRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Calculator_Main(args, out, err);
    return {status, out.str(), err.str()};
}

cli::Json runJson(std::vector<std::string> args, int expectedStatus) {
    args.push_back("--json");
    const ProcessRun r = run(args);
    EXPECT_EQ(r.status, expectedStatus) << r.out << r.err;
    return cli::Json::parse(r.out);
}

const std::string threeStage = "design --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 "
                               "--dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000 ";

// A failure in JSON: its title, prompt, focus and whether the field was
// emptied; in plain text on standard error: any warning first, then the title with the flag
// of the field concerned and the prompt's lines on their own. A field flag left out is an
// empty field, an option left out an unset group (no focus).
TEST(Cli, Failures) {
    const struct {
        std::vector<std::string> args;
        const char *title, *prompt, *focus;
        bool emptied;
        const char* plain;
    } cases[] = {
        {Words(threeStage + "--lx=90"), "Unacceptable Length from Piston Face to Barrel Flange",
         "The Length from Piston Face to Barrel Flange is Too Long\r\n\r\nThis Length must Not "
         "Exceed 81.3 mm",
         "Texh(5)", false,
         "Unacceptable Length from Piston Face to Barrel Flange (--lx)\n"
         "  The Length from Piston Face to Barrel Flange is Too Long\n"
         "  This Length must Not Exceed 81.3 mm\n"},
        {Words(threeStage + "--d1=41 --rpm="), "Engine Speed Not Set",
         "Enter a value for the Engine Speed", "Texh(2)", true,
         "WARNING - Barrel Flange Diameter less than the Recommended Limit (--d1)\n"
         "  The Barrel Flange Diameter is less than 1.05 x Port Effective Diameter\n"
         "Engine Speed Not Set (--rpm)\n"
         "  Enter a value for the Engine Speed\n"},
        {Words("design --two-stage"), "Exhaust Temperature Option Not Set",
         "Select an Option for the Exhaust Temperature setting", nullptr, false,
         "Exhaust Temperature Option Not Set\n"
         "  Select an Option for the Exhaust Temperature setting\n"},
        {Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
               "--ordinate 30 --ordinate x"),
         "Ordinate Incorrectly Set", "Enter a value for Ordinate #2", "OrdTxt(2)", false,
         "Ordinate Incorrectly Set (--ordinate 3, station 2)\n"
         "  Enter a value for Ordinate #2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const auto j = runJson(c.args, 2);
        EXPECT_EQ(j["failure"]["title"], c.title);
        EXPECT_EQ(j["failure"]["prompt"], c.prompt);
        EXPECT_EQ(j["failure"]["focus"], c.focus ? cli::Json(c.focus) : cli::Json());
        EXPECT_EQ(j["failure"]["emptied"], c.emptied);
        const ProcessRun plain = run(c.args);
        EXPECT_EQ(std::tie(plain.status, plain.out, plain.err),
                  std::make_tuple(2, std::string(), std::string(c.plain)));
    }
}

// Each calculator's worked example, its result in JSON and in plain text; then each of its
// field flags (and the design's) fills its own field: a text that is no number there (a tab is
// no blank) fails that field's check, with the focus on it; a number too large for a single
// gives a result or a failure, and never shows "inf", "nan" or a negative zero (the checks
// themselves: tests/core).
TEST(Cli, CalculatorsAndTheirFieldFlags) {
    std::string prof = "profiled-port --bridged --bore 60 --height 24 --intervals 8 --bridge-width "
                       "6 --top-radius 5 --bottom-radius 7";
    for (const char* o : {"12", "17", "20", "21", "22", "21", "20", "17", "12"})
        prof += std::string(" --ordinate ") + o;
    const struct {
        std::string args, fields, control = "", text = "", value = ""; // value: a key of "values"
    } commands[] = {
        {threeStage, "--bmep Texh(3)"},
        {"design --three-stage --temp-manual --coef-manual --horn 1.5 --temp 600 --mid 2.5 "
         "--tail 0.65 --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000",
         "--horn Texh(7) --temp Texh(0) --dx Texh(8) --d1 Texh(9) --lx Texh(5) --mid Texh(6) "
         "--tail Texh(4) --angle Texh(1) --rpm Texh(2)"},
        {"bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30",
         "--bore BHP_Txt(0) --stroke BHP_Txt(1) --rpm BHP_Txt(2) --power BHP_Txt(3)", "BHP_Lab(4)",
         "The Brake Mean Effective Pressure is 12.02 bar", "Pk"},
        {"port-height --stroke 54.5 --rod 110 --start 85 --full 180",
         "--stroke HghtTxt(0) --rod HghtTxt(1) --start HghtTxt(2) --full HghtTxt(3)", "HghtLab(4)",
         "The Port Height is 26.22 mm", "H"},
        {"rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5",
         "--width DiamTxt(0) --height DiamTxt(1) --top-radius DiamTxt(2) --bottom-radius "
         "DiamTxt(3)",
         "DiamLab(4)", "Diameter of the Equivalent Circular Port is 38.74 mm", "D"},
        {prof,
         "--bore ProfTxt(0) --bridge-width ProfTxt(1) --top-radius ProfTxt(2) --bottom-radius "
         "ProfTxt(3) --height ProfTxt(4) --intervals ProfTxt(5)"},
        {"profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 --ordinate 30 "
         "--ordinate 30 --ordinate 30 --ordinate 30",
         "", "ProfLab(8)", "The Equivalent Diameter of the Port is 26.81 mm", "d"},
    };
    for (const auto& c : commands) {
        const auto j = runJson(Words(c.args), 0);
        const ProcessRun plain = run(Words(c.args));
        if (!c.text.empty()) {
            EXPECT_EQ(j["display"][c.control], c.text);
            EXPECT_TRUE(j["values"].contains(c.value)) << j["values"].dump();
            EXPECT_EQ(std::tie(plain.status, plain.out, plain.err),
                      std::make_tuple(0, c.text + "\n", std::string()));
        }
        const auto flags = Words(c.fields);
        for (size_t f = 0; f < flags.size(); f += 2)
            for (const std::string text : {"\t5", "1e39", "-1e39"}) {
                SCOPED_TRACE(c.args + " " + flags[f] + " " + text);
                auto args = Words(c.args);
                args.insert(args.end(), {flags[f], text, "--json"});
                const ProcessRun r = run(args);
                const cli::Json j = cli::Json::parse(r.out)["failure"];
                if (text == "\t5") {
                    EXPECT_NE(j["title"].get<std::string>().rfind(" Incorrectly Set"),
                              std::string::npos);
                    EXPECT_EQ(j["focus"], flags[f + 1]);
                }
                EXPECT_TRUE(r.status == 0 || r.status == 2);
                for (const char* shown : {"inf", "nan", "-0.0"})
                    EXPECT_EQ(r.out.find(shown), std::string::npos) << r.out;
            }
    }
}

// The message names the command in use and its own help.
TEST(Cli, UsageErrors) {
    for (const char* args :
         {"", "nonsense", "bmep --bore 54", "bmep --hp --kw", "design --dx", "design --dx 4 5",
          "design --colour red", "design --json --save -", "waves --sweep 6000:7000",
          "waves --sweep 7000:6000:10", "waves --sweep 1000:50000:10", "waves --at-rpm 999",
          "waves --at-rpm 9000 --sweep 6000:7000:10"})
        EXPECT_EQ(run(Words(args)).status, 64) << args;
    EXPECT_EQ(run(Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
                        "--ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30"))
                  .err,
              "expansion-chamber-calc profiled-port: 6 ordinates given: 4 intervals "
              "take 5 (stations 0 to 4)\nRun 'expansion-chamber-calc profiled-port "
              "--help' for the usage.\n");
    const ProcessRun help = run({"design", "--help"});
    EXPECT_TRUE(help.status == 0 && help.out.find("--three-stage") != std::string::npos);
}

// The waves of the worked design: a curve every half degree from EO over one turn at the
// design speed, or a sweep with the speed at which the plugging peak reaches EC; a design
// that fails its checks is reported as "design" reports it.
TEST(CommandLine, Waves) {
    const std::string waves = "waves" + threeStage.substr(6);
    const cli::Json one = runJson(Words(waves), 0);
    EXPECT_EQ(one["events"], cli::Json::parse(R"({"EO": 88, "BDC": 180, "EC": 272})"));
    EXPECT_EQ(one["rpm"], 11000);
    ASSERT_EQ(one["crankDeg"].size(), 721U);
    EXPECT_EQ(one["crankDeg"].back(), 448);
    EXPECT_EQ(one["pressure"].size(), 721U);
    const cli::Json sweep = runJson(Words(waves + "--sweep 5500:16500:55"), 0);
    EXPECT_EQ(sweep["rpm"].size(), 201U);
    EXPECT_EQ(sweep["pressure"].size(), 201U);
    EXPECT_EQ(sweep["pressure"][100], one["pressure"]);
    EXPECT_EQ(sweep["plugAtEc"], 9900);
    EXPECT_EQ(runJson(Words(waves + "--rpm="), 2)["failure"]["title"], "Engine Speed Not Set");
}

// The pipe check of the worked design's own figures, in inches, and two design files
// compared: the same JSON the page and the scripts read.
TEST(CommandLine, PipeCheckAndCompare) {
    const char* figures[] = {"--dx 40",    "--d1 44",    "--lx 20",   "--l1 61.4",  "--l2 223.8",
                             "--l3 148.9", "--l4 74.9",  "--l5 89.5", "--l6 195.3", "--d2 60.8",
                             "--d3 88.2",  "--d4 109.8", "--d5 25.5"};
    std::vector<std::string> inches =
        Words("pipe-check --three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 "
              "--angle 88 --inches");
    for (const char* f : figures) {
        const std::string flag(f), mm = flag.substr(flag.find(' ') + 1);
        inches.push_back(flag.substr(0, flag.find(' ')));
        inches.push_back(Significant_Text(std::stod(mm) / 25.4, 17));
    }
    const cli::Json j = runJson(inches, 0);
    EXPECT_DOUBLE_EQ(j["tunedLength"].get<double>(), 813.8);
    EXPECT_EQ(j["rpm"], 10999.2); // 11000 x 813.74 / 813.8
    EXPECT_EQ(j["sections"][1], cli::Json::parse(R"({"name": "L2", "measured": 223.8,
        "designed": 223.8, "difference": 0.0, "measuredHalfAngle": 2.15,
        "designedHalfAngle": 2.15})"));
    EXPECT_EQ(j["design"]["display"]["TexTotLth"], "813.8 ");

    const std::string dir = testing::TempDir(), a = dir + "fast.ecd", b = dir + "slow.ecd";
    EXPECT_EQ(run(Words(threeStage + "--name Fast --save " + a)).status, 0);
    EXPECT_EQ(run(Words(threeStage + "--rpm 9500 --save " + b)).status, 0);
    const cli::Json c = runJson({"compare", a, b}, 0);
    EXPECT_EQ(c["a"], "Fast");
    EXPECT_EQ(c["b"], "slow");
    EXPECT_EQ(c["rows"].back(), cli::Json::parse(R"({"name": "Tuned length", "a": 813.7,
        "b": 942.2, "difference": -128.5})"));
    EXPECT_EQ(run({"compare", a, dir + "none.ecd"}).status, 1);
}

// A design file opened, changed on the line and saved again keeps the engine it held.
TEST(CommandLine, SavingAnOpenedDesignKeepsItsEngine) {
    const std::string dir = testing::TempDir(), from = dir + "engine-in.ecd",
                      to = dir + "engine-out.ecd";
    Form_Entries engine;
    engine.texts = {{"bore", "54"}, {"exhaustTiming", "85"}};
    const Design_Form form = Design_Form_Of(Form_Entries{});
    std::ofstream(from) << Design_File_Text(form, Calc_Design(form), engine);
    EXPECT_EQ(run({"design", "--open", from, "--rpm", "9000", "--save", to}).status,
              2); // the form is unfinished
    std::ifstream in(to);
    const Design_File_Read read =
        Read_Design_File(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(read.form) << read.problem;
    EXPECT_EQ(read.form->Texh[TexhSpeed], "9000");
    EXPECT_EQ(read.engine.texts, engine.texts);
}

} // namespace
