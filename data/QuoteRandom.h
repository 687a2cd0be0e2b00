// The generator behind random order: a 32-bit linear congruential sequence.
#pragma once

#include <cstdint>

class CQuoteRandom {
public:
    explicit CQuoteRandom(std::uint32_t nSeed) : m_nState(nSeed) {}

    // A value from 0 to 32767.
    int Draw();

private:
    std::uint32_t m_nState;
};
