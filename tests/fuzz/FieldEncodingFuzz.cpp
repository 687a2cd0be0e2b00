// The field encoding rule against a reference built the plain way: every scalar value encoded
// by the textbook formula, a field UTF-8 when it splits into such encodings.
#include "FieldEncoding.h"
#include "FuzzSupport.h"

#include <vector>

namespace {

// Length in the top byte, so that an encoding and a prefix of another never compare equal.
std::uint64_t Key(const std::uint8_t* p, std::size_t nLength)
{
    std::uint64_t nKey = std::uint64_t{nLength} << 56;
    for (std::size_t i = 0; i < nLength; ++i)
        nKey |= std::uint64_t{p[i]} << (8 * i);
    return nKey;
}

struct SReference {
    std::vector<std::uint64_t> encodings, prefixes;

    SReference()
    {
        for (std::uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF)
                continue;
            const std::size_t nLength = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
            std::uint8_t a[4] = {static_cast<std::uint8_t>(cp)};
            if (nLength > 1) {
                for (std::size_t i = nLength - 1; i > 0; --i)
                    a[i] =
                        static_cast<std::uint8_t>(0x80 | ((cp >> (6 * (nLength - 1 - i))) & 0x3F));
                const std::uint8_t kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
                a[0] = static_cast<std::uint8_t>(kLeads[nLength] | (cp >> (6 * (nLength - 1))));
            }
            encodings.push_back(Key(a, nLength));
            for (std::size_t i = 1; i < nLength; ++i)
                prefixes.push_back(Key(a, i));
        }
        std::sort(encodings.begin(), encodings.end());
        std::sort(prefixes.begin(), prefixes.end());
    }

    static bool Has(const std::vector<std::uint64_t>& keys, std::uint64_t nKey)
    {
        return std::binary_search(keys.begin(), keys.end(), nKey);
    }

    SFieldEncoding Decide(const std::uint8_t* p, std::size_t nSize, bool bFilled) const
    {
        bool bMultiByte = false;
        for (std::size_t nPos = 0; nPos < nSize;) {
            std::size_t nLength = 1;
            while (nLength <= 4 &&
                   !(nPos + nLength <= nSize && Has(encodings, Key(p + nPos, nLength))))
                ++nLength;
            if (nLength > 4) {
                const bool bCut =
                    bFilled && nSize - nPos < 4 && Has(prefixes, Key(p + nPos, nSize - nPos));
                return bCut && bMultiByte ? SFieldEncoding{true, nPos, nSize}
                                          : SFieldEncoding{false, nSize, nPos};
            }
            bMultiByte = bMultiByte || nLength > 1;
            nPos += nLength;
        }
        return {bMultiByte, nSize, nSize};
    }
};

} // namespace

// Flags (1: the bytes fill their buffer), then the field.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const SReference reference;
    if (nSize == 0)
        return 0;
    const bool bFilled = (pData[0] & 1) != 0;
    const std::uint8_t* p = pData + 1;
    const std::size_t nLength = nSize - 1;
    const SFieldEncoding decided =
        DecideFieldEncoding(reinterpret_cast<const char*>(p), nLength, bFilled);
    const SFieldEncoding expected = reference.Decide(p, nLength, bFilled);
    FUZZ_CHECK(decided.bUtf8 == expected.bUtf8 && decided.nShown == expected.nShown &&
               decided.nInvalid == expected.nInvalid);
    // The window decides again on what it is given, which no longer fills anything.
    const SFieldEncoding shown =
        DecideFieldEncoding(reinterpret_cast<const char*>(p), decided.nShown, false);
    FUZZ_CHECK(shown.bUtf8 == decided.bUtf8 && shown.nShown == decided.nShown);
    return 0;
}
