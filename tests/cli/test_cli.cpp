#include "cli/cli_common.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct ProcessRun {
    int status;
    std::string out; // standard output and, after it, standard error
};

std::string quote(const std::string& a) {
    std::string q = "'";
    for (char c : a)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ProcessRun run(const std::vector<std::string>& args, bool withStderr = true) {
    std::string cmd = quote(CALC_PROGRAM);
    for (const auto& a : args)
        cmd += " " + quote(a);
    cmd += withStderr ? " 2>&1" : " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    const int st = pclose(p);
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out};
}

cli::Json runJson(std::vector<std::string> args, int expectedStatus) {
    args.push_back("--json");
    const ProcessRun r = run(args, false);
    EXPECT_EQ(r.status, expectedStatus) << r.out;
    return cli::Json::parse(r.out);
}

const std::vector<std::string> threeStage = {"design",      "--three-stage",
                                             "--temp-bmep", "--coef-bmep",
                                             "--bmep",      "10",
                                             "--horn",      "1.5",
                                             "--dx",        "40",
                                             "--d1",        "44",
                                             "--lx",        "20",
                                             "--angle",     "88",
                                             "--rpm",       "11000"};

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
        std::vector<std::string> args;
        const char* control;
        const char* text;
    } cases[] = {
        {{"bmep", "--kw", "--bore", "54", "--stroke", "54.5", "--rpm", "12000", "--power", "30"},
         "BHP_Lab(4)",
         "The Brake Mean Effective Pressure is 12.02 bar"},
        {{"port-height", "--stroke", "54.5", "--rod", "110", "--start", "85", "--full", "180"},
         "HghtLab(4)",
         "The Port Height is 26.22 mm"},
        {{"rect-port", "--width", "40", "--height", "30", "--top-radius", "5", "--bottom-radius",
          "5"},
         "DiamLab(4)",
         "Diameter of the Equivalent Circular Port is 38.74 mm"},
        {{"profiled-port", "--single", "--bore", "50", "--height", "20", "--intervals", "4",
          "--ordinate", "30", "--ordinate", "30", "--ordinate", "30", "--ordinate", "30",
          "--ordinate", "30"},
         "ProfLab(8)",
         "The Equivalent Diameter of the Port is 26.81 mm"},
    };
    for (const auto& c : cases) {
        const auto j = runJson(c.args, 0);
        EXPECT_EQ(j["display"][c.control], c.text);
        const ProcessRun plain = run(c.args);
        EXPECT_EQ(plain.status, 0);
        EXPECT_EQ(plain.out, std::string(c.text) + "\n");
    }
}

TEST(Cli, OrdinateFailureNamesItsStation) {
    const auto j = runJson({"profiled-port", "--single", "--bore", "50", "--height", "20",
                            "--intervals", "4", "--ordinate", "30", "--ordinate", "30"},
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
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nonsense"},
        {"bmep", "--bore", "54"},
        {"bmep", "--hp", "--kw"},
        {"profiled-port", "--bore", "50"},
        {"design", "--two-stage", "--three-stage"},
        {"design", "--dx"},
        {"design", "--dx", "4", "5"},
        {"design", "--colour", "red"},
    };
    for (const auto& args : cases) {
        const ProcessRun r = run(args);
        EXPECT_EQ(r.status, 64) << (args.empty() ? "" : args[0]) << ": " << r.out;
    }
    const ProcessRun help = run({"design", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--three-stage"), std::string::npos);
}

} // namespace
