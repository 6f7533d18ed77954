#include "cli/cli_common.h"

#include <ostream>

namespace cli {

std::vector<std::string> Prepare_Args(const std::vector<std::string>& given) {
    std::vector<std::string> args;
    for (std::string a : given) {
        if (a.size() > 3 && a.compare(0, 2, "--") == 0 && a.back() == '=' &&
            a.find('=') == a.size() - 1) {
            a.pop_back();
            args.push_back(a);
            args.emplace_back();
        } else {
            args.push_back(std::move(a));
        }
    }
    return args;
}

int Parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    // CLI11 takes the arguments in reverse order.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return ExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return ExitOk;
    } catch (const CLI::ParseError& e) {
        // The command the error belongs to: the last one named on the line.
        std::string command = app.get_name();
        for (const CLI::App* sub = &app; sub;) {
            const auto chosen = sub->get_subcommands();
            sub = chosen.empty() ? nullptr : chosen.back();
            if (sub)
                command += " " + sub->get_name();
        }
        return Usage_Error(command, e.what(), err);
    }
    return -1;
}

int Usage_Error(const std::string& command, const std::string& message, std::ostream& err) {
    err << command << ": " << message << "\n";
    err << "Run '" << command << " --help' for the usage.\n";
    return ExitUsage;
}

namespace {
const std::string& arrayOf(const Report& r, FieldKind kind) {
    return kind == FieldKind::Ordinate ? r.ordinateArray : r.fieldArray;
}

// A prompt on one line: its line breaks become blanks.
std::string oneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

// TITLE: PROMPT [focus Texh(9), emptied]
void printPlain(const std::string& title, const std::string& prompt, const Json& focus,
                bool emptied, std::ostream& err) {
    err << title << ": " << oneLine(prompt);
    if (!focus.is_null()) {
        err << " [focus " << focus.get<std::string>();
        if (emptied)
            err << ", emptied";
        err << "]";
    }
    err << "\n";
}
} // namespace

int Print_Report(const Report& r, bool json, std::ostream& out, std::ostream& err) {
    if (json) {
        out << Report_Json(r).dump(2) << "\n";
    } else {
        for (const auto& w : r.warnings)
            printPlain(w.title, w.prompt, Focus_Json(r.fieldArray, w.field), false, err);
        if (const auto& f = r.failure)
            printPlain(f->title, f->prompt, Focus_Json(arrayOf(r, f->kind), f->field),
                       f->clearField, err);
        else
            for (const auto& line : r.plainLines)
                out << line << "\n";
    }
    return r.failure ? ExitCheckFailed : ExitOk;
}

} // namespace cli
