#include "core/files/file_output.h"

#include "core/files/platform.h"

#include <cerrno>
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

// The file a path names once its symbolic links are followed, also when the last one
// points to a file that does not exist yet; empty, with the reason, when they cannot be.
fs::path Follow_Links(const std::string& path, std::string& why) {
    fs::path p = Path_Of(path);
    std::error_code ec;
    for (int hops = 0;; ++hops) {
        const fs::file_status link = fs::symlink_status(p, ec);
        if (ec && link.type() != fs::file_type::not_found) {
            why = ec.message();
            return {};
        }
        if (link.type() != fs::file_type::symlink)
            return p;
        if (hops == 40) {
            why = "too many levels of symbolic links";
            return {};
        }
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) {
            why = ec.message();
            return {};
        }
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
}

bool Write_Permission_Off(fs::perms perms) {
    constexpr fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & write) == fs::perms::none;
}

// Where the output goes, and whether it may go there.
std::string Resolve(Target& t) {
    if (t.asked == "-") {
        t.kind = Target_Kind::Standard_Output;
        return "";
    }
    if (t.asked.empty())
        return "no file name";
    std::string why;
    t.file = Follow_Links(t.asked, why);
    if (!why.empty())
        return why;
    std::error_code ec;
    const fs::file_status st = fs::status(t.file, ec);
    switch (st.type()) {
    case fs::file_type::not_found:
        t.kind = Target_Kind::Missing;
        return "";
    case fs::file_type::regular:
        // Someone turned its write permission off to keep it: that holds for every user.
        if (Write_Permission_Off(st.permissions()))
            return "is read-only (its write permission is off)";
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

namespace {
// What a path names when it is not a file that can be read as one.
std::string Not_A_File(fs::file_type type) {
    switch (type) {
    case fs::file_type::not_found:
        return "There is no such file.";
    case fs::file_type::directory:
        return "It is a folder, not a file.";
    case fs::file_type::fifo:
        return "It is a named pipe (FIFO), not a file.";
    case fs::file_type::socket:
        return "It is a socket, not a file.";
    case fs::file_type::character:
    case fs::file_type::block:
        return "It is a device, not a file.";
    default:
        return "";
    }
}
} // namespace

std::optional<std::string> Read_File(const std::string& path, size_t largest, std::string& error) {
    const fs::path p = Path_Of(path);
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    // Anything but a regular file is refused before it is opened: a pipe would wait for a
    // writer for ever.
    if (const std::string what = Not_A_File(st.type()); !what.empty()) {
        error = what;
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        const int why = errno;
        error = "It cannot be read";
        if (ec)
            error += ": " + ec.message();
        else if (why != 0)
            error += ": " + std::generic_category().message(why);
        error += ".";
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(in.gcount()));
        if (bytes.size() > largest) {
            error = Too_Large_For_Design_File;
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
// absolute, normalised spelling with every link followed, the last one too.
fs::path Identity(const std::string& path) {
    std::string why;
    fs::path p = Follow_Links(path, why);
    if (!why.empty())
        p = Path_Of(path);
    std::error_code ec;
    p = fs::absolute(p, ec).lexically_normal();
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
