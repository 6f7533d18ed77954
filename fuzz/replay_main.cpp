// Without libFuzzer (a compiler other than clang), each fuzz target is this program: it runs
// every file of the folders it is given through the target once, so that the seed corpus
// and any input a fuzzer once found stay tests of the ordinary build.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream f(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(f), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++files;
        }
    }
    std::cout << files << " inputs replayed\n";
    return files > 0 ? 0 : 1;
}
