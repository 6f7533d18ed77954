// The templates program end to end: one set of its files read back by real readers
// (poppler for the PDF; the SVG and DXF: test_drawing_files.cpp), the check bars
// measured on the rendered page, its exit codes for bad options, failed checks and unwritable
// files, and where it writes as a hostile user or a full disk has it: nothing new or partial left
// behind, standard output written into, an interrupted run leaving no temporary file.

#include "core/patterns/pattern_layout.h"
#include "tests/check_bars.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Json = nlohmann::json;
constexpr auto npos = std::string::npos;

// A scratch folder in which "@" in `fill` stands for the folder and its slash.
struct Scratch : Folder {
    std::string fill(std::string s) const {
        for (size_t at; (at = s.find('@')) != npos;)
            s.replace(at, 1, *this / "");
        return s;
    }
};

struct Outcome {
    int code = -1;
    std::string out, err;
};

// A word for the shell, quoted: a folder may hold blanks.
std::string Quoted(const std::string& word) {
    std::string q = " '";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `program` with the words of `args` ("@" filled in) for the shell.
std::string Command(const std::string& program, const std::string& args, const Scratch& s) {
    std::string cmd = Quoted(program);
    for (const std::string& word : Words(args))
        cmd += Quoted(s.fill(word));
    return cmd;
}

// Runs it, its standard output and error kept aside (names that no test's files take).
Outcome Exec(const std::string& program, const std::string& args, const Scratch& s,
             const std::string& environment = "") {
    const int status = std::system((environment + Command(program, args, s) + " >" +
                                    Quoted(s / ".out") + " 2>" + Quoted(s / ".err") + " </dev/null")
                                       .c_str());
    Outcome r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(s / ".out"), Read(s / ".err")};
    std::filesystem::remove(s / ".out"), std::filesystem::remove(s / ".err");
    return r;
}

// The three-stage worked design, D1..D5 44.0, 60.8, 88.2, 109.8, 25.5, less D1, LX, rpm.
const std::string Base = "--three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 "
                         "--angle 88 --name Test ";
const std::string Pipe = Base + "--d1 44 --lx 20 --rpm 11000 ";
const std::string Calc = "templates " + Pipe;
const std::string Set_Options = "--pieces 3 --seam 5 --sheet 1.5 --pdf @t.pdf --svg @t.svg "
                                "--dxf @t.dxf ";

// One A4 page for the summary and one per tile, as the --json report says. The summary and
// the first tile, rendered: both check bars (100 mm, 4 in) in the foot of the page. The
// calculator's "templates" command is the same program under the command's name: the same
// drawings, each file named in its plain report; the PDF on letter paper, "LETTER" taken in
// any case, of as many pages as the report says.
TEST(TemplateFiles, PdfPagesWithCheckBarsAndTheSameFilesFromTheCalculator) {
    Scratch set, letter;
    const Outcome r = Exec(TEMPLATES_PROGRAM, Pipe + Set_Options + "--json", set);
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    int pages = 1;
    const Json report = Json::parse(r.out)["templates"];
    for (const auto& p : report["pieces"])
        pages += p["pages"]["columns"].get<int>() * p["pages"]["rows"].get<int>();
    EXPECT_EQ(report["pdfPages"], pages);
    const std::string info = Exec(PDFINFO, "@t.pdf", set).out;
    EXPECT_EQ(Read(set / "t.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_NE(info.find("(A4)"), npos) << info;
    EXPECT_EQ(std::stoi(info.substr(info.find("Pages:") + 6)), pages);
    for (const std::string n : {"1", "2"}) {
        Exec(PDFTOPPM, "-gray -r 254 -f " + n + " -l " + n + " -singlefile @t.pdf @page", set);
        EXPECT_EQ(
            Check_Bars_Found(QString::fromStdString(set / "page.pgm"), Page_Margin + Footer_Band),
            3)
            << "page " << n;
    }
    const Outcome c = Exec(CALC_PROGRAM, Calc + Set_Options + "--paper LETTER", letter);
    ASSERT_EQ(c.code, 0) << c.err;
    EXPECT_EQ(letter.names(), (std::vector<std::string>{"t.dxf", "t.pdf", "t.svg"}));
    EXPECT_EQ(Read(letter / "t.svg") + Read(letter / "t.dxf"),
              Read(set / "t.svg") + Read(set / "t.dxf"));
    const std::string letterInfo = Exec(PDFINFO, "@t.pdf", letter).out;
    EXPECT_NE(letterInfo.find("(letter)"), npos) << letterInfo;
    const std::string letterPages = letterInfo.substr(letterInfo.find("Pages:") + 6);
    EXPECT_EQ(c.err + c.out.substr(c.out.find("Wrote ")),
              letter.fill("Wrote @t.pdf (" + std::to_string(std::stoi(letterPages)) +
                          " pages, Letter)\nWrote @t.svg\nWrote @t.dxf\n"));
}

// 0 with the files written ("-": standard output, the report then on standard error) and
// warnings shown; 64 for usage errors, in the command's own words, among them two outputs to
// one file or to the design file opened (the spellings of one file: the file writer's own
// tests); 2 for the design's own check failures, with the messages the design command gives;
// 1 for a file that cannot be written, also on a full disk. None but the first leaves any
// file behind, not even a temporary one, and a set is written whole or not at all.
TEST(TemplateCommand, ExitCodesAndMessages) {
    const struct {
        std::string args; // "templates ...": the calculator's command; code 2: the design alone
        int code;
        std::string says, environment = "";
    } cases[] = {
        {Pipe + "--sheet 0.3 --seam 0 --pieces 1 --dxf @t.dxf", 0, "Wrote @t.dxf"},
        {Pipe + "--sheet 3.0 --seam 20 --pieces 4 --dxf @t.dxf", 0, "Wrote @t.dxf"},
        {Base + "--d1 41 --lx 20 --rpm 11000 --dxf @t.dxf", 0,
         "WARNING - Barrel Flange Diameter less than the Recommended Limit"},
        {Calc + "--svg -", 0, "Wrote -\n<?xml"},
        {Pipe + "--seam 20.5 --dxf @t.dxf", 64, "--seam"},
        {Pipe + "--pieces 5 --dxf @t.dxf", 64, "--pieces"},
        {Pipe + "--paper a3 --dxf @t.dxf", 64, "--paper"},
        {Pipe, 64, "at least one of --pdf"},
        {Pipe + "--pdf @out --svg @./out", 64, "are the same file"},
        {Pipe + "--dxf - --json", 64, "--json"},
        {Pipe + "--open @t.ecd --pdf @./t.ecd", 64, "is the design file opened (--open)"},
        {Calc + "--sheet 0.29 --dxf @t.dxf", 64,
         "expansion-chamber-calc templates: --sheet '0.29': Sheet Thickness Out of Range: Enter a "
         "value between 0.3 and 3.0\nRun 'expansion-chamber-calc templates --help' for the "
         "usage.\n"},
        {Base + "--d1 44 --lx 90 --rpm 11000", 2,
         "Unacceptable Length from Piston Face to Barrel Flange"},
        {Pipe + "--dxf @t.dxf --svg @t.svg --pdf @none/t.pdf", 1, "cannot write @none/t.pdf"},
        {Calc + "--json --dxf @missing/t.dxf", 1,
         "cannot write @missing/t.dxf: No such file or directory\""},
        {Calc + "--pieces 4 --svg @x", 1, "cannot write @x: File too large", "ulimit -f 40 &&"},
    };
    for (const auto& c : cases) {
        Scratch s;
        const bool calc = c.args.rfind("templates", 0) == 0;
        const Outcome r = Exec(calc ? CALC_PROGRAM : TEMPLATES_PROGRAM,
                               c.args + (c.code == 2 ? " --pdf @t.pdf" : ""), s, c.environment);
        SCOPED_TRACE(c.args + "\n" + r.out + r.err);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE((r.err + r.out).find(s.fill(c.says)), npos);
        const auto files = std::count(c.args.begin(), c.args.end(), '@');
        EXPECT_EQ(s.names().size(), c.code == 0 ? static_cast<size_t>(files) : 0u);
        if (c.code == 64) {
            EXPECT_TRUE(r.out.empty() && r.err.find("--help") != npos);
        }
        if (c.code == 2) {
            const Outcome design = Exec(CALC_PROGRAM, "design " + c.args, s);
            EXPECT_EQ(std::tie(design.code, design.err), std::tie(r.code, r.err));
        }
    }
}

// A pipe with no reader holds the run in the middle of its writing, the PDF already complete
// beside its target; the signal then ends it, and nothing of it may be left.
TEST(TemplateOutputs, AnInterruptedRunLeavesNoTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM}) {
        Scratch s;
        ASSERT_EQ(mkfifo((s / "pipe").c_str(), 0600), 0);
        const std::string cmd =
            "exec" + Command(CALC_PROGRAM, Calc + "--pdf @out.pdf --svg @pipe", s);
        const pid_t child = fork();
        if (child == 0) {
            execl("/bin/sh", "sh", "-c", (cmd + " >/dev/null").c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200 && s.names().size() < 2; ++i) // the PDF under its temporary name
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(s.names().size(), 2u) << "the run never reached the pipe";
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(s.names(), std::vector<std::string>{"pipe"});
    }
}

// Whatever locale the user has, every number the command writes has a decimal point, and
// none a minus sign for zero: in the figure blocks and on the summary page of the PDF, and in
// the DXF. LX at its limit leaves a header a millionth of a millimetre long: no piece for it,
// a note instead.
TEST(TemplateOutputs, NumbersInAnyLocaleAndASectionTooShortToCut) {
    Scratch s;
    if (Exec("/usr/bin/locale", "-a", s).out.find("de_DE.utf8") == npos)
        GTEST_SKIP() << "no German locale on this machine (locale-gen de_DE.UTF-8)";
    const Outcome r =
        Exec(TEMPLATES_PROGRAM,
             Base + "--d1 44 --rpm 11000 --lx 81.373909 --json --dxf @t.dxf --pdf @t.pdf", s,
             "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out)["templates"]["omitted"][0]["section"], "L1");
    const std::string text = Exec(PDFTOTEXT, "@t.pdf -", s).out, dxf = Read(s / "t.dxf");
    EXPECT_NE(text.find("No piece for L1 (header)"), npos) << text;
    EXPECT_NE(text.find("Sheet 1.00 mm"), npos);
    EXPECT_EQ(text.find("-0.0"), npos);
    EXPECT_EQ(dxf.find("-0.00"), npos);
    for (const std::string& t : {text, dxf})
        for (size_t at = t.find(','); at != npos; at = t.find(',', at + 1))
            EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(t[at - 1])) &&
                         std::isdigit(static_cast<unsigned char>(t[at + 1])))
                << t.substr(at - 10, 20);
}

} // namespace
