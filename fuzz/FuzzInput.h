#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

// A broken invariant ends the run as a crash, so that libFuzzer keeps the input.
#define FUZZ_ASSERT(condition)                                                                  \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
#define FUZZ_ASSERT_EQ(a, b)                                                                         \
    do {                                                                                             \
        const auto& fuzzA = (a);                                                                     \
        const auto& fuzzB = (b);                                                                     \
        if (!(fuzzA == fuzzB)) {                                                                     \
            std::fprintf(stderr, "%s:%d: invariant broken: %s == %s\n  left:  %s\n  right: %s\n", __FILE__, \
                         __LINE__, #a, #b, std::string(fuzzA).c_str(), std::string(fuzzB).c_str());  \
            std::abort();                                                                            \
        }                                                                                            \
    } while (0)

// The fuzzer's bytes: choices are taken from the end of the input (FuzzedDataProvider's
// numbers), text from its front, so a seed file followed by a few bytes of choices keeps its
// text whole.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : provider(data, size) {}

    template <typename T>
    T number() { return provider.ConsumeIntegral<T>(); }
    int numberIn(int low, int high) { return provider.ConsumeIntegralInRange<int>(low, high); }
    bool flag() { return provider.ConsumeBool(); }
    std::string text(std::size_t most) { return provider.ConsumeRandomLengthString(most); }
    std::string bytes(std::size_t count) { return provider.ConsumeBytesAsString(count); }
    std::string rest() { return provider.ConsumeRemainingBytesAsString(); }
    std::size_t remaining() { return provider.remaining_bytes(); }

private:
    FuzzedDataProvider provider;
};

// Cuts text into pieces of 1..largest bytes, the lengths drawn from seed (xorshift), so that
// one seed's worth of input chooses every cut.
inline std::vector<std::string_view> cutPieces(std::string_view text, std::uint32_t seed, std::size_t largest) {
    std::vector<std::string_view> pieces;
    std::uint32_t state = seed | 1;
    for (std::size_t at = 0; at < text.size();) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const std::size_t length = 1 + state % largest;
        pieces.push_back(text.substr(at, length));
        at += pieces.back().size();
    }
    return pieces;
}
