#include "common/file_output.h"

#include "common/platform.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path Path_Of(const std::string& utf8) {
    return fs::u8path(utf8);
}

std::string Utf8_Of(const fs::path& p) {
    return p.u8string();
}

enum class Target_Kind { Missing, Regular, Stream, Standard_Output };

// Where an output goes, once its symbolic links are followed.
struct Target {
    std::string asked; // the path as given
    fs::path file;     // the file itself
    Target_Kind kind = Target_Kind::Missing;
    std::string temp;   // the complete new file, beside its target
    std::string backup; // the old file, kept until the whole set is in place
    bool replaced = false;
};

// Follows symbolic links to the file they name, which need not exist yet.
std::string Resolve(Target& t) {
    if (t.asked == "-") {
        t.kind = Target_Kind::Standard_Output;
        return "";
    }
    if (t.asked.empty())
        return "no file name";
    fs::path p = Path_Of(t.asked);
    std::error_code ec;
    for (int hops = 0;; ++hops) {
        const fs::file_status link = fs::symlink_status(p, ec);
        if (ec && link.type() != fs::file_type::not_found)
            return ec.message();
        if (link.type() != fs::file_type::symlink)
            break;
        if (hops == 40)
            return "too many levels of symbolic links";
        const fs::path to = fs::read_symlink(p, ec);
        if (ec)
            return ec.message();
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    t.file = p;
    const fs::file_status st = fs::status(p, ec);
    switch (st.type()) {
    case fs::file_type::not_found:
        t.kind = Target_Kind::Missing;
        return "";
    case fs::file_type::regular:
        t.kind = Target_Kind::Regular;
        return "";
    case fs::file_type::character:
    case fs::file_type::fifo:
        t.kind = Target_Kind::Stream;
        return "";
    case fs::file_type::directory:
        return "is a folder";
    default:
        return ec ? ec.message() : "is not a regular file";
    }
}

// A name beside the target that nothing else uses: ".NAME.XXXXXX".
std::string Name_Beside(const fs::path& file, const char* kind) {
    static std::mt19937_64 random{std::random_device{}()};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += digits[random() % (sizeof digits - 1)];
    const fs::path name = Path_Of("." + Utf8_Of(file.filename()) + "." + kind + "-" + suffix);
    return Utf8_Of(file.parent_path() / name);
}

// The new file in full under a temporary name, with the permissions of the file it
// replaces.
std::string Write_Temporary(Target& t, const std::string& bytes) {
    std::string why = "exists";
    for (int attempt = 0; attempt < 20 && !why.empty(); ++attempt) {
        t.temp = Name_Beside(t.file, "new");
        platform::Remove_If_Interrupted(t.temp);
        why = platform::Write_New_File(t.temp, bytes);
        if (!why.empty()) {
            platform::Keep_If_Interrupted(t.temp);
            std::error_code ec;
            if (fs::exists(Path_Of(t.temp), ec))
                continue; // a name taken by something else: try another
            t.temp.clear();
            return why;
        }
    }
    if (!why.empty()) {
        t.temp.clear();
        return why;
    }
    if (t.kind == Target_Kind::Regular) {
        std::error_code ec;
        const fs::perms old = fs::status(t.file, ec).permissions();
        if (!ec)
            fs::permissions(Path_Of(t.temp), old, ec);
    }
    return "";
}

void Discard(const std::vector<Target>& targets) {
    for (const Target& t : targets)
        if (!t.temp.empty()) {
            std::error_code ec;
            fs::remove(Path_Of(t.temp), ec);
            platform::Keep_If_Interrupted(t.temp);
        }
}

// Keeps the old file under a second name until the whole set is in place: a hard link
// where the file system has them, else the old file itself moved aside.
std::string Keep_Old(Target& t) {
    t.backup = Name_Beside(t.file, "old");
    std::error_code ec;
    fs::create_hard_link(t.file, Path_Of(t.backup), ec);
    if (ec)
        fs::rename(t.file, Path_Of(t.backup), ec);
    if (ec) {
        t.backup.clear();
        return ec.message();
    }
    return "";
}

// Puts every new file in place; on a failure every target gets back what it held.
std::optional<Write_Failure> Commit(std::vector<Target>& targets) {
    const platform::Interruptions_Held held;
    std::optional<Write_Failure> failure;
    for (Target& t : targets) {
        if (t.temp.empty())
            continue;
        if (t.kind == Target_Kind::Regular) {
            if (const std::string why = Keep_Old(t); !why.empty()) {
                failure = Write_Failure{t.asked, why};
                break;
            }
        }
        std::error_code ec;
        fs::rename(Path_Of(t.temp), t.file, ec);
        t.replaced = !ec;
        if (ec) {
            failure = Write_Failure{t.asked, ec.message()};
            std::error_code gone;
            if (!t.backup.empty() && !fs::exists(t.file, gone))
                fs::rename(Path_Of(t.backup), t.file, ec); // it was moved aside
            break;
        }
    }
    for (Target& t : targets) {
        std::error_code ec;
        if (failure && t.replaced) {
            if (!t.backup.empty())
                fs::rename(Path_Of(t.backup), t.file, ec);
            else
                fs::remove(t.file, ec);
        }
        if (!t.backup.empty())
            fs::remove(Path_Of(t.backup), ec);
        if (!t.temp.empty()) {
            if (!t.replaced)
                fs::remove(Path_Of(t.temp), ec);
            platform::Keep_If_Interrupted(t.temp);
        }
    }
    for (const Target& t : targets)
        if (t.replaced)
            platform::Sync_Folder(
                Utf8_Of(t.file.has_parent_path() ? t.file.parent_path() : fs::path(".")));
    return failure;
}

} // namespace

std::optional<Write_Failure> Write_Files(const std::vector<File_Output>& outputs) {
    std::vector<Target> targets(outputs.size());
    for (size_t i = 0; i < outputs.size(); ++i) {
        targets[i].asked = outputs[i].path;
        if (const std::string why = Resolve(targets[i]); !why.empty())
            return Write_Failure{outputs[i].path, why};
    }
    // Every regular file complete beside its target first.
    for (size_t i = 0; i < outputs.size(); ++i) {
        Target& t = targets[i];
        if (t.kind != Target_Kind::Missing && t.kind != Target_Kind::Regular)
            continue;
        if (const std::string why = Write_Temporary(t, outputs[i].bytes); !why.empty()) {
            Discard(targets);
            return Write_Failure{t.asked, why};
        }
    }
    // Devices, pipes and standard output take their bytes as they come.
    for (size_t i = 0; i < outputs.size(); ++i) {
        Target& t = targets[i];
        std::string why;
        if (t.kind == Target_Kind::Stream)
            why = platform::Write_Into(Utf8_Of(t.file), outputs[i].bytes);
        else if (t.kind == Target_Kind::Standard_Output)
            why = platform::Write_Standard_Output(outputs[i].bytes);
        if (!why.empty()) {
            Discard(targets);
            return Write_Failure{t.asked, why};
        }
    }
    return Commit(targets);
}

std::optional<Write_Failure> Write_File(const std::string& path, const std::string& bytes) {
    return Write_Files({{path, bytes}});
}

std::optional<std::string> Read_File(const std::string& path, size_t largest, std::string& error) {
    const fs::path p = Path_Of(path);
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (st.type() == fs::file_type::not_found) {
        error = "There is no such file.";
        return std::nullopt;
    }
    if (st.type() == fs::file_type::directory) {
        error = "It is a folder, not a file.";
        return std::nullopt;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = "It cannot be read" + (ec ? ": " + ec.message() + "." : std::string("."));
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
        if (bytes.size() > largest) {
            error = "It is far too large for a design file.";
            return std::nullopt;
        }
    }
    if (in.bad()) {
        error = "It could not be read to the end.";
        return std::nullopt;
    }
    return bytes;
}

namespace {
// What a path refers to for comparison: the file itself where it exists, else its
// absolute, normalised spelling with the links of the folders above it followed.
fs::path Identity(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::absolute(Path_Of(path), ec).lexically_normal();
    fs::path id = fs::weakly_canonical(p, ec);
    return ec ? p : id;
}
} // namespace

std::string Same_File_Twice(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            const std::string& a = paths[j];
            const std::string& b = paths[i];
            bool same = a == b;
            if (!same && a != "-" && b != "-") {
                std::error_code ec;
                same = fs::equivalent(Path_Of(a), Path_Of(b), ec) || Identity(a) == Identity(b);
            }
            if (same)
                return a == b ? "the same file is given twice: " + b
                              : a + " and " + b + " are the same file";
        }
    }
    return "";
}
