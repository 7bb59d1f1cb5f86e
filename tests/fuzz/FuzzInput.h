// What a harness needs around libFuzzer's bytes: taking them apart into
// choices and texts, and failing loudly when a property does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzing {

// Reads the input front to back; once it is used up, every byte reads 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    template <class T>
    const T& Pick(const std::vector<T>& choices) {
        return choices[Byte() % choices.size()];
    }
    // Up to `count` bytes, as they come.
    std::string Bytes(std::size_t count) {
        std::string bytes;
        for (; count > 0 && !Empty(); --count)
            bytes += static_cast<char>(Byte());
        return bytes;
    }
    std::string Rest() { return Bytes(size_ - at_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A property that failed: the fuzzer keeps the input that led here.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "property failed: %s\n", what.c_str());
    std::abort();
}

inline void Expect(bool holds, const std::string& what) {
    if (!holds)
        Fail(what);
}

}  // namespace fuzzing
