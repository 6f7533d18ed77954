// The file writer where only the standard library and the platform file are shared: names
// in UTF-8, every byte as given (no line-end translation), a set all or none, one file
// under two spellings. The POSIX-only cases (links, devices, limits) are in tests/files.

#include "core/files/file_output.h"
#include "tests/words_and_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(PortableFiles, EveryNameAndEveryByte) {
    Folder f;
    const std::vector<std::string> names = {"a.txt", "\xC3\x96lrohr\xE2\x80\x93\xC3\x9F.dxf",
                                            "with blank.svg", "\xE6\xB8\xA9.pdf"};
    static const char raw[] = "unix\nwindows\r\nzero\0high\xFF\n";
    const std::string bytes(raw, sizeof raw - 1);
    std::ofstream(fs::u8path(f / names[0]), std::ios::binary) << "old";
    std::vector<File_Output> set = {{f / "big", std::string(3'000'000, 'x')}};
    for (const auto& n : names)
        set.push_back({f / n, n + bytes});
    ASSERT_FALSE(Write_Files(set));
    for (const auto& file : set)
        EXPECT_EQ(Read(file.path), file.bytes) << file.path;
    EXPECT_EQ(f.names().size(), set.size());
}

TEST(PortableFiles, ASetThatCannotBeWrittenLeavesEverythingAsItWas) {
    Folder f;
    std::ofstream(fs::u8path(f / "a"), std::ios::binary) << "old a";
    fs::create_directory(fs::u8path(f / "folder"));
    // Kept from change by its owner: refused for every user, root too.
    std::ofstream(fs::u8path(f / "kept"), std::ios::binary) << "kept";
    fs::permissions(fs::u8path(f / "kept"), fs::perms::owner_read | fs::perms::group_read);
    // The second file, and the reason given (empty: the system's own words).
    const std::pair<std::string, std::string> cases[] = {
        {f / "missing/b", ""},
        {f / "folder", "is a folder"},
        {"", "no file name"},
        {f / "kept", "is read-only (its write permission is off)"}};
    for (const auto& [second, reason] : cases) {
        const auto failure = Write_Files({{f / "a", "new a"}, {second, "b"}});
        ASSERT_TRUE(failure) << second;
        EXPECT_EQ(failure->path, second);
        EXPECT_EQ(reason.empty() && !failure->reason.empty() ? failure->reason : reason,
                  failure->reason);
        EXPECT_EQ(Read(f / "a") + Read(f / "kept"), "old akept");
        EXPECT_EQ(f.names().size(), 3u);
    }
    fs::permissions(fs::u8path(f / "kept"), fs::perms::owner_all); // so that it can go
}

TEST(PortableFiles, OneFileUnderTwoSpellings) {
    Folder f;
    std::ofstream(fs::u8path(f / "a"), std::ios::binary) << "";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{f / "a", f / "b", f / "\xC3\xA4"}, ""},
        {{f / "new", f / "x/../new"},
         (f / "new") + " and " + (f / "x/../new") + " are the same file"},
        {{"-", "-"}, "the same file is given twice: -"},
    };
    for (const auto& [paths, says] : cases)
        EXPECT_EQ(Same_File_Twice(paths), says);
}

} // namespace
