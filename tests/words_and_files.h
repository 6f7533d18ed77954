#pragma once
// What several test programs share: the words of a command line, a file's bytes, and a
// scratch folder.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

// The words of a command line, split at blanks.
inline std::vector<std::string> Words(const std::string& words) {
    std::istringstream s(words);
    return {std::istream_iterator<std::string>(s), {}};
}

// A file's bytes as they are on disk, "" when it cannot be read; the name in UTF-8.
inline std::string Read(const std::string& path) {
    std::ifstream f(std::filesystem::u8path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A fresh folder of its own, removed with everything in it at the end; names in UTF-8.
struct Folder {
    std::filesystem::path dir = [] {
        const auto d = std::filesystem::temp_directory_path() /
                       ("ecd-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(d);
        return d;
    }();
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string operator/(const std::string& name) const {
        return (dir / std::filesystem::u8path(name)).u8string();
    }
    // Its entries' names, sorted: nothing may be left beside the files a test knows of.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            found.push_back(e.path().filename().u8string());
        std::sort(found.begin(), found.end());
        return found;
    }
};
