// The field encoding rule against a textbook decoder: a lead byte's length, the code point
// from the payload bits, refused when overlong, a surrogate or past U+10FFFF. A character at
// the end is cut rather than invalid when padding it with the lowest or the highest
// continuation bytes makes it whole.
#include "FieldEncoding.h"
#include "FuzzSupport.h"

namespace {

// The length of the character at p, 0 when there is none.
std::size_t Decode(const std::uint8_t* p, std::size_t nLeft)
{
    const std::size_t nLength = p[0] < 0x80   ? 1
                                : p[0] < 0xC0 ? 0
                                : p[0] < 0xE0 ? 2
                                : p[0] < 0xF0 ? 3
                                : p[0] < 0xF8 ? 4
                                              : 0;
    if (nLength == 0 || nLength > nLeft)
        return 0;
    std::uint32_t cp = nLength == 1 ? p[0] : p[0] & (0x7F >> nLength);
    for (std::size_t i = 1; i < nLength; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    const std::uint32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool bValid = cp >= kLowest[nLength] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    return bValid ? nLength : 0;
}

bool IsCut(const std::uint8_t* p, std::size_t nLeft)
{
    for (const std::uint8_t chPad : {0x80, 0xBF}) {
        std::uint8_t a[4] = {chPad, chPad, chPad, chPad};
        std::copy(p, p + std::min<std::size_t>(nLeft, 3), a);
        if (nLeft < 4 && Decode(a, 4) > nLeft)
            return true;
    }
    return false;
}

SFieldEncoding Reference(const std::uint8_t* p, std::size_t nSize, bool bFilled)
{
    bool bMultiByte = false;
    for (std::size_t nPos = 0; nPos < nSize;) {
        const std::size_t nLength = Decode(p + nPos, nSize - nPos);
        if (nLength == 0) {
            if (bFilled && bMultiByte && IsCut(p + nPos, nSize - nPos))
                return {true, nPos, nSize};
            return {false, nSize, nPos};
        }
        bMultiByte = bMultiByte || nLength > 1;
        nPos += nLength;
    }
    return {bMultiByte, nSize, nSize};
}

} // namespace

// Flags (1: the bytes fill their buffer), then the field.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const bool bFilled = (pData[0] & 1) != 0;
    const auto* pszField = reinterpret_cast<const char*>(pData + 1);
    const SFieldEncoding decided = DecideFieldEncoding(pszField, nSize - 1, bFilled);
    const SFieldEncoding expected = Reference(pData + 1, nSize - 1, bFilled);
    FUZZ_CHECK(decided.bUtf8 == expected.bUtf8 && decided.nShown == expected.nShown &&
               decided.nInvalid == expected.nInvalid);
    return 0;
}
