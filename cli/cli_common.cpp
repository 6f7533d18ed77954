#include "cli/cli_common.h"

#include <ostream>

namespace cli {

void Form_Flags::Add(CLI::App& command, const Form_Words& form) {
    form_ = &form;
    command_ = &command;
    for (const Choice_Group& g : form.choices) {
        if (*g.flag) {
            std::string words;
            for (const Choice_Word& w : g.words)
                words += std::string(words.empty() ? "" : "|") + w.word;
            texts_[g.key] = g.opening;
            command
                .add_option(g.flag, texts_[g.key],
                            g.help + std::string(" (default ") + g.opening + ")")
                ->allow_extra_args(false)
                ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                ->type_name(words);
            continue;
        }
        std::vector<CLI::Option*> flags;
        for (const Choice_Word& w : g.words)
            flags.push_back(command.add_flag(w.flag, words_[w.flag], w.help));
        for (size_t i = 0; i < flags.size(); ++i)
            for (size_t j = i + 1; j < flags.size(); ++j)
                flags[i]->excludes(flags[j]);
    }
    for (const Field_Word& f : form.fields) {
        if (f.kind == Field_Kind::Repeated) {
            command.add_option(f.flag, stations_, Help_Line(f))
                ->allow_extra_args(false)
                ->type_name("TEXT");
            continue;
        }
        texts_[f.key] = f.opening;
        std::string help = Help_Line(f);
        if (*f.opening)
            help += std::string(" (default ") + f.opening + ")";
        command.add_option(f.flag, texts_[f.key], help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("TEXT");
    }
}

bool Form_Flags::Given(const std::string& flag) const {
    return command_ && command_->count(flag) > 0;
}

Form_Entries Form_Flags::Entries() const {
    Form_Entries e;
    e.texts = texts_;
    e.stations = stations_;
    for (const Choice_Group& g : form_->choices)
        if (!*g.flag) {
            if (*g.opening)
                e.texts[g.key] = g.opening;
            for (const Choice_Word& w : g.words)
                if (words_.at(w.flag))
                    e.texts[g.key] = w.word;
        }
    return e;
}

std::string Form_Flags::Flags_Of(const Choice_Group& group) {
    std::string flags;
    for (const Choice_Word& w : group.words)
        flags += std::string(flags.empty() ? "" : " or ") + w.flag;
    return flags;
}

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
void Print_Lines(const std::vector<std::string>& lines, std::ostream& to) {
    for (const std::string& line : lines)
        to << line << "\n";
}
} // namespace

int Print_Report(const Report& r, bool json, std::ostream& out, std::ostream& err) {
    if (json) {
        out << Report_Json(r).dump(2) << "\n";
    } else {
        for (const auto& w : r.warnings)
            Print_Lines(report::Plain_Message(r, w.title, w.prompt, w.field), err);
        if (const auto& f = r.failure)
            Print_Lines(report::Plain_Message(r, f->title, f->prompt, f->field, f->kind), err);
        else
            Print_Lines(r.plainLines, out);
    }
    return r.failure ? ExitCheckFailed : ExitOk;
}

} // namespace cli
