// expansion-chamber-calc as a user runs it: arguments in, standard output, standard
// error and the exit status out (run in-process, so that it runs wherever the calculator
// does).

#include "cli/calculator.h"
#include "cli/cli_common.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>
#include <tuple>
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
    EXPECT_TRUE(j["failure"].is_null() && j["warnings"].empty()) << j.dump();
    EXPECT_EQ(j["display"]["TexTotLth"], "813.7 ");
    EXPECT_EQ(j["display"]["Texdiam(4)"], "25.5 ");
    EXPECT_EQ(j["display"]["Texlen(6)"], "195.3 ");
    EXPECT_EQ(j["display"].size(), 15u); // DX, LX, D1..D5, L1..L7, tuned length
    // Stored values read back to the very same single.
    EXPECT_EQ(j["values"]["GasTemp"].get<double>(), 848.150024);
    EXPECT_EQ(static_cast<float>(j["values"]["GasTemp"].get<double>()), 848.15f);
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A failure's title, prompt (when given here), focus and whether the field was emptied; a
// field flag left out is an empty field, an option left out an unset group (no focus).
TEST(Cli, FailuresInJson) {
    const struct {
        std::vector<std::string> args;
        const char *title, *prompt, *focus;
        bool emptied;
    } cases[] = {
        {With(threeStage, {"--lx=90"}), "Unacceptable Length from Piston Face to Barrel Flange",
         "The Length from Piston Face to Barrel Flange is Too Long\r\n\r\nThis Length must Not "
         "Exceed 81.3 mm",
         "Texh(5)", false},
        {With(threeStage, {"--rpm="}), "Engine Speed Not Set", "", "Texh(2)", true},
        {{"design", "--two-stage"}, "Exhaust Temperature Option Not Set", "", nullptr, false},
        {Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
               "--ordinate 30"),
         "Ordinate Not Set", "Enter a value for Ordinate #2", "OrdTxt(2)", true},
    };
    for (const auto& c : cases) {
        const auto j = runJson(c.args, 2);
        SCOPED_TRACE(c.title);
        EXPECT_EQ(j["failure"]["title"], c.title);
        if (*c.prompt) {
            EXPECT_EQ(j["failure"]["prompt"], c.prompt);
        }
        EXPECT_EQ(j["failure"]["focus"], c.focus ? cli::Json(c.focus) : cli::Json());
        EXPECT_EQ(j["failure"]["emptied"], c.emptied);
        EXPECT_TRUE(j["display"].empty());
    }
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
        EXPECT_EQ(std::tie(plain.status, plain.out),
                  std::make_tuple(0, std::string(c.text) + "\n"));
    }
}

// The title with the flag of the field concerned, then the prompt's lines on their own.
TEST(Cli, PlainFailureOnStandardError) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {With(threeStage, {"--d1=41", "--rpm="}),
         "WARNING - Barrel Flange Diameter less than the Recommended Limit (--d1)\n"
         "  The Barrel Flange Diameter is less than 1.05 x Port Effective Diameter\n"
         "Engine Speed Not Set (--rpm)\n"
         "  Enter a value for the Engine Speed\n"},
        {With(threeStage, {"--d1=49"}),
         "Barrel Flange Diameter Too Large (--d1)\n"
         "  The Barrel Flange Diameter must not exceed 1.2 x Port Effective Diameter\n"
         "  Enter a new value.\n"},
        {Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
               "--ordinate 30 --ordinate x"),
         "Ordinate Incorrectly Set (--ordinate 3, station 2)\n"
         "  Enter a value for Ordinate #2\n"},
        {{"design", "--two-stage"},
         "Exhaust Temperature Option Not Set\n"
         "  Select an Option for the Exhaust Temperature setting\n"},
    };
    for (const auto& [args, says] : cases) {
        const ProcessRun r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, says);
    }
}

// The message names the command in use and its own help.
TEST(Cli, UsageErrors) {
    for (const char* args :
         {"", "nonsense", "bmep --bore 54", "bmep --hp --kw", "profiled-port --bore 50",
          "design --two-stage --three-stage", "design --dx", "design --dx 4 5",
          "design --colour red", "design --json --save -"})
        EXPECT_EQ(run(Words(args)).status, 64) << args;
    EXPECT_EQ(run(Words("profiled-port --single --bore 50 --height 20 --intervals 4 --ordinate 30 "
                        "--ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30 --ordinate 30"))
                  .err,
              "expansion-chamber-calc profiled-port: 6 ordinates given: 4 intervals "
              "take 5 (stations 0 to 4)\nRun 'expansion-chamber-calc profiled-port "
              "--help' for the usage.\n");
    EXPECT_EQ(run({"bmep", "--bore"}).err.rfind("expansion-chamber-calc bmep: ", 0), 0u);
    const ProcessRun help = run({"design", "--help"});
    EXPECT_TRUE(help.status == 0 && help.out.find("--three-stage") != std::string::npos);
}

TEST(Cli, HostileTextsInEveryField) {
    auto prof = Words("profiled-port --bridged --bore 60 --height 24 --intervals 8 --bridge-width "
                      "6 --top-radius 5 --bottom-radius 7");
    for (const char* o : {"12", "17", "20", "21", "22", "21", "20", "17", "12"})
        prof.insert(prof.end(), {"--ordinate", o});
    // A complete command that succeeds as it stands; its field flags, each with its focus.
    const std::pair<std::vector<std::string>, std::string> commands[] = {
        {threeStage, "--bmep Texh(3)"},
        {Words("design --three-stage --temp-manual --coef-manual --horn 1.5 --temp 600 --mid 2.5 "
               "--tail 0.65 --dx 40 --d1 44 --lx 20 --angle 88 --rpm 11000"),
         "--horn Texh(7) --temp Texh(0) --dx Texh(8) --d1 Texh(9) --lx Texh(5) --mid Texh(6) "
         "--tail Texh(4) --angle Texh(1) --rpm Texh(2)"},
        {Words("bmep --kw --bore 54 --stroke 54.5 --rpm 12000 --power 30"),
         "--bore BHP_Txt(0) --stroke BHP_Txt(1) --rpm BHP_Txt(2) --power BHP_Txt(3)"},
        {Words("port-height --stroke 54.5 --rod 110 --start 85 --full 180"),
         "--stroke HghtTxt(0) --rod HghtTxt(1) --start HghtTxt(2) --full HghtTxt(3)"},
        {Words("rect-port --width 40 --height 30 --top-radius 5 --bottom-radius 5"),
         "--width DiamTxt(0) --height DiamTxt(1) --top-radius DiamTxt(2) --bottom-radius "
         "DiamTxt(3)"},
        {prof, "--bore ProfTxt(0) --bridge-width ProfTxt(1) --top-radius ProfTxt(2) "
               "--bottom-radius ProfTxt(3) --height ProfTxt(4) --intervals ProfTxt(5)"},
    };
    // Texts that are no number: the field's Not Set or Incorrectly Set; texts at the limits
    // of a single (no stage): a result or a failure of the command's own checks.
    const std::pair<std::string, std::vector<std::string>> texts[] = {
        {" Not Set", {"", "   "}},
        {" Incorrectly Set",
         {"abc", "NaN", "inf", "0x10", "1,5", "1\t5", "\t5", "5\n",
          "\xD9\xA1\xD9\xA2",         // Arabic-Indic digits one, two
          "\xEF\xBC\x91\xEF\xBC\x92", // full-width digits
          "4\xFF\xFE"}},              // not UTF-8 at all
        {"", {"1e39", "1e400", "-1e39", "-0", "1e-46", std::string(100'000, '7')}},
    };
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            GTEST_SKIP() << "no locale " << locale << " on this machine";
        for (const auto& [base, fields] : commands) {
            const auto flags = Words(fields);
            for (size_t f = 0; f < flags.size(); f += 2)
                for (const auto& [stage, group] : texts)
                    for (const std::string& text : group) {
                        SCOPED_TRACE(std::string(locale) + " " + flags[f] + " [" +
                                     text.substr(0, 20) + "]");
                        const ProcessRun r = run(With(base, {flags[f], text, "--json"}), false);
                        ASSERT_TRUE(r.status == 2 || (r.status == 0 && stage.empty())) << r.out;
                        for (const char* bad : {"nan", "inf", "-0 ", "-0.0"})
                            if (stage.empty()) {
                                EXPECT_EQ(r.out.find(bad), std::string::npos) << r.out;
                            }
                        if (r.status == 0)
                            continue;
                        const cli::Json j = cli::Json::parse(r.out)["failure"];
                        const std::string title = j["title"];
                        if (!stage.empty()) {
                            EXPECT_EQ(title.substr(title.size() - stage.size()), stage);
                            EXPECT_EQ(j["emptied"], stage == " Not Set");
                            EXPECT_EQ(j["focus"], flags[f + 1]);
                        }
                        EXPECT_TRUE(j["focus"].is_string());
                    }
        }
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
