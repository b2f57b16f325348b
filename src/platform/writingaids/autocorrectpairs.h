#pragma once

#include <array>

// The fixed list of common misspellings that a spell check corrects without
// asking, in registration order.
namespace AutoCorrect {

struct Pair
{
    const char *misspelling;
    const char *correction;
};

inline constexpr int kPairCount = 243;

const std::array<Pair, kPairCount> &pairs();

} // namespace AutoCorrect
