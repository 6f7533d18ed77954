#pragma once
// What several test programs share: the words of a command line, and a file's bytes.

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// The words of a command line, split at blanks.
inline std::vector<std::string> Words(const std::string& words) {
    std::istringstream s(words);
    return {std::istream_iterator<std::string>(s), {}};
}

// A file's bytes as they are on disk, "" when it cannot be read.
inline std::string Read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}
