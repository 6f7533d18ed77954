#pragma once
// What every fuzz target shares: reading choices, texts and numbers from the fuzzer's bytes,
// and the properties every shown text must have. A failed property aborts, so that the
// fuzzer keeps the input that shows it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

class Fuzz_Input {
public:
    Fuzz_Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // The bytes up to the next zero byte (or the end).
    std::string Text() {
        std::string t;
        while (at_ < size_ && data_[at_] != 0)
            t += static_cast<char>(data_[at_++]);
        ++at_;
        return t;
    }
    // A text for each of `texts`.
    template <class Texts> void Fill(Texts& texts) {
        for (std::string& t : texts)
            t = Text();
    }
    // Eight bytes as a double, any bit pattern.
    double Number() {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | Byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

inline void Require(bool holds, const char* what, const std::string& detail = "") {
    if (holds)
        return;
    std::fprintf(stderr, "property fails: %s: %s\n", what, detail.c_str());
    std::abort();
}

// A text the program shows: no "nan", "inf" or negative zero in it.
inline void Require_Shown(const std::string& text, const char* what) {
    for (const char* bad : {"nan", "inf", "NaN", "Inf"})
        Require(text.find(bad) == std::string::npos, what, text);
    for (size_t at = text.find("-0"); at != std::string::npos; at = text.find("-0", at + 1)) {
        size_t end = at + 2;
        while (end < text.size() && (text[end] == '0' || text[end] == '.'))
            ++end;
        const bool digitFollows = end < text.size() && text[end] >= '1' && text[end] <= '9';
        Require(digitFollows, "negative zero shown", text);
    }
}
