#include "LineEnds.h"

#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#endif
#ifdef _MSC_VER
#include <intrin.h>
#endif

namespace {

// Bytes compared per step, one bit of a mask each.
constexpr std::size_t kStep = 64;

unsigned LowestBit(std::uint64_t nMask)
{
#ifdef _MSC_VER
    unsigned long nIndex = 0;
    _BitScanForward64(&nIndex, nMask);
    return static_cast<unsigned>(nIndex);
#else
    return static_cast<unsigned>(__builtin_ctzll(nMask));
#endif
}

std::uint16_t* ListMasked(std::uint64_t nMask, std::size_t nBase, std::uint16_t* pEnds)
{
    for (; nMask != 0; nMask &= nMask - 1)
        *pEnds++ = static_cast<std::uint16_t>(nBase + LowestBit(nMask));
    return pEnds;
}

// Bit i set where p[i] is an LF.
std::uint64_t StepMask(const char* p)
{
    std::uint64_t nMask = 0;
#if defined(__x86_64__) || defined(_M_X64)
    const __m128i lf = _mm_set1_epi8('\n');
    for (int i = 0; i < 4; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const auto nBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
        nMask |= std::uint64_t{nBits} << (16 * i);
    }
#else
    for (std::size_t i = 0; i < kStep; ++i)
        nMask |= std::uint64_t{p[i] == '\n'} << i;
#endif
    return nMask;
}

std::uint16_t* ListSteps(const char* pBytes, std::size_t nFrom, std::size_t nTo,
                         std::uint16_t* pEnds)
{
    for (std::size_t nBase = nFrom; nBase < nTo; nBase += kStep)
        pEnds = ListMasked(StepMask(pBytes + nBase), nBase, pEnds);
    return pEnds;
}

// AVX2 takes a step in two compares instead of four; it is looked for at run time, since
// the program is built for any x86-64.
#if defined(__GNUC__) && defined(__x86_64__)
#define ADAGIO_HAS_AVX2_PATH 1

bool HasAvx2()
{
    static const bool s_bAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return s_bAvx2;
}

__attribute__((target("avx2"))) std::uint16_t* ListStepsAvx2(const char* pBytes, std::size_t nFrom,
                                                             std::size_t nTo, std::uint16_t* pEnds)
{
    const __m256i lf = _mm256_set1_epi8('\n');
    for (std::size_t nBase = nFrom; nBase < nTo; nBase += kStep) {
        const char* p = pBytes + nBase;
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        const auto nLow = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, lf)));
        const auto nHigh = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, lf)));
        pEnds = ListMasked(std::uint64_t{nLow} | std::uint64_t{nHigh} << 32, nBase, pEnds);
    }
    return pEnds;
}
#endif

} // namespace

std::uint16_t* ListLineEnds(const char* pBytes, std::size_t nFrom, std::size_t nTo,
                            std::uint16_t* pEnds)
{
    const std::size_t nWhole = nFrom + (nTo - nFrom) / kStep * kStep;
#ifdef ADAGIO_HAS_AVX2_PATH
    pEnds = HasAvx2() ? ListStepsAvx2(pBytes, nFrom, nWhole, pEnds)
                      : ListSteps(pBytes, nFrom, nWhole, pEnds);
#else
    pEnds = ListSteps(pBytes, nFrom, nWhole, pEnds);
#endif
    if (nWhole == nTo)
        return pEnds;
    char aTail[kStep] = {};
    std::memcpy(aTail, pBytes + nWhole, nTo - nWhole);
    return ListMasked(StepMask(aTail), nWhole, pEnds);
}
