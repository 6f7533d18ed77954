// The file writer on a POSIX file system: a set all or none, links followed, devices
// written into, the same file under two names found, failures reported with their reason
// (whole files in every encoding of names: tests/platform; a full disk: the templates
// program's tests).

#include "core/files/file_output.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// The append-only attribute that one test sets would keep the folder from going.
struct Posix_Folder : Folder {
    ~Posix_Folder() { std::system(("chattr -R -a '" + dir.string() + "' 2>/dev/null").c_str()); }
};

// The second target cannot be replaced (append-only, which holds for root too): the first
// keeps its old contents and nothing new is left beside either.
TEST(FileOutput, ASetIsWrittenAllOrNone) {
    Posix_Folder f;
    std::ofstream(f / "a") << "old a";
    std::ofstream(f / "b") << "old b";
    if (std::system(("chattr +a '" + (f / "b") + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "this file system cannot make a file append-only (chattr +a)";
    const auto failure = Write_Files({{f / "a", "new a"}, {f / "b", "new b"}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, f / "b");
    EXPECT_EQ(Read(f / "a") + Read(f / "b"), "old aold b");
    EXPECT_EQ(f.names().size(), 2u);
}

TEST(FileOutput, LinksAreFollowedAndDevicesWrittenInto) {
    Posix_Folder f;
    std::ofstream(f / "target") << "old";
    fs::create_symlink("target", f / "link");
    fs::create_symlink("missing-yet", f / "dangling");
    EXPECT_FALSE(
        Write_Files({{f / "link", "via link"}, {f / "dangling", "made"}, {"/dev/null", "x"}}));
    EXPECT_TRUE(fs::is_symlink(f / "link") && fs::is_character_file("/dev/null"));
    EXPECT_EQ(Read(f / "target") + Read(f / "missing-yet"), "via linkmade");
}

// Through a hard or a symbolic link, also one to a file still to be made (the spellings of
// a name: tests/platform).
TEST(FileOutput, TheSameFileUnderTwoNamesIsFound) {
    Posix_Folder f;
    std::ofstream(f / "a") << "";
    fs::create_hard_link(f / "a", f / "hard");
    fs::create_symlink("a", f / "soft");
    fs::create_symlink("not-yet.svg", f / "dangling.dxf");
    EXPECT_NE(Same_File_Twice({f / "a", f / "hard"}), "");
    EXPECT_NE(Same_File_Twice({f / "soft", f / "a"}), "");
    EXPECT_NE(Same_File_Twice({f / "not-yet.svg", f / "dangling.dxf"}), "");
}

// Anything but a regular file is refused before it is opened (a pipe would wait for ever),
// and a file that cannot be opened says why.
TEST(FileOutput, TheReaderRefusesWhatIsNotAFileAndSaysWhy) {
    Posix_Folder f;
    ASSERT_EQ(mkfifo((f / "pipe").c_str(), 0600), 0);
    fs::create_symlink("loop", f / "loop");
    const std::pair<std::string, std::string> cases[] = {
        {f / "pipe", "It is a named pipe (FIFO), not a file."},
        {"/dev/null", "It is a device, not a file."},
        {f.dir.string(), "It is a folder, not a file."},
        {f / "missing", "There is no such file."},
        {f / "loop", "It cannot be read: Too many levels of symbolic links."},
    };
    for (const auto& [path, says] : cases) {
        std::string error;
        EXPECT_FALSE(Read_File(path, 100, error)) << path;
        EXPECT_EQ(error, says);
    }
}

} // namespace
