#include "FieldEncoding.h"

#include <cstring>

namespace {

// What a lead byte announces: the sequence's length (0 for a byte that starts none) and the
// range of its second byte, which rules out overlong forms, surrogates and code points past
// U+10FFFF.
struct SSequence {
    std::size_t nLength;
    unsigned chLow;
    unsigned chHigh;
};

SSequence Announced(unsigned char ch)
{
    if (ch < 0x80)
        return {1, 0, 0};
    if (ch < 0xC2 || ch > 0xF4)
        return {0, 0, 0};
    if (ch < 0xE0)
        return {2, 0x80, 0xBF};
    if (ch < 0xF0)
        return {3, ch == 0xE0 ? 0xA0u : 0x80u, ch == 0xED ? 0x9Fu : 0xBFu};
    return {4, ch == 0xF0 ? 0x90u : 0x80u, ch == 0xF4 ? 0x8Fu : 0xBFu};
}

// The bytes at p, at most nLeft, that fit the sequence: its length when it is whole.
std::size_t FittingBytes(const unsigned char* p, std::size_t nLeft, const SSequence& sequence)
{
    std::size_t i = 1;
    for (; i < sequence.nLength && i < nLeft; ++i) {
        const unsigned chLow = i == 1 ? sequence.chLow : 0x80;
        const unsigned chHigh = i == 1 ? sequence.chHigh : 0xBF;
        if (p[i] < chLow || p[i] > chHigh)
            break;
    }
    return i;
}

// The bytes before the buffer's terminator, or all but its last byte when it has none.
std::size_t TerminatedLength(const char* pszText, std::size_t nSize)
{
    const void* pEnd = std::memchr(pszText, '\0', nSize);
    return pEnd != nullptr ? static_cast<std::size_t>(static_cast<const char*>(pEnd) - pszText)
                           : nSize - 1;
}

// Walked from the start: a byte with a lead byte's value may be the second byte of a character.
bool EndsInLoneLeadByte(const char* pBytes, std::size_t nLength, const CLegacyCodePage& codePage)
{
    std::size_t nPos = 0;
    while (nPos + 1 < nLength)
        nPos += codePage.CharacterLength(pBytes + nPos, nLength - nPos);
    return nPos + 1 == nLength && codePage.IsLeadByte(static_cast<unsigned char>(pBytes[nPos]));
}

} // namespace

SFieldEncoding DecideFieldEncoding(const char* pBytes, std::size_t nLength, bool bFilled)
{
    const auto* p = reinterpret_cast<const unsigned char*>(pBytes);
    bool bMultiByte = false;
    std::size_t nPos = 0;
    while (nPos < nLength) {
        const SSequence sequence = Announced(p[nPos]);
        const std::size_t nFitting =
            sequence.nLength == 0 ? 0 : FittingBytes(p + nPos, nLength - nPos, sequence);
        if (nFitting != 0 && nFitting == sequence.nLength) {
            bMultiByte = bMultiByte || nFitting > 1;
            nPos += nFitting;
            continue;
        }
        const bool bCut = bFilled && nFitting != 0 && nPos + nFitting == nLength;
        if (bCut && bMultiByte)
            return {true, nPos, nLength};
        return {false, nLength, nPos};
    }
    return {bMultiByte, nLength, nLength};
}

SFieldEncoding DecideFieldEncoding(const char* pBytes, std::size_t nLength, bool bFilled,
                                   const CLegacyCodePage& codePage)
{
    SFieldEncoding decided = DecideFieldEncoding(pBytes, nLength, bFilled);
    if (!decided.bUtf8 && bFilled && EndsInLoneLeadByte(pBytes, nLength, codePage))
        decided.nShown = nLength - 1;
    return decided;
}

unsigned DropCutCharacter(char* pszField, std::size_t nSize, const CLegacyCodePage& codePage)
{
    if (nSize == 0)
        return codePage.Number();
    const std::size_t nLength = TerminatedLength(pszField, nSize);
    const SFieldEncoding decided =
        DecideFieldEncoding(pszField, nLength, nLength + 1 == nSize, codePage);
    pszField[decided.nShown] = '\0';
    return decided.bUtf8 ? kCodePageUtf8 : codePage.Number();
}

SShownText ShownTitle(const char* pszTitle, std::size_t nSize, const CLegacyCodePage& codePage)
{
    if (nSize == 0)
        return {std::string(), codePage.Number()};
    const std::size_t nLength = TerminatedLength(pszTitle, nSize);
    const std::size_t nMark = sizeof kszByteOrderMark - 1;
    const bool bMarked = nLength >= nMark && std::memcmp(pszTitle, kszByteOrderMark, nMark) == 0;
    const char* pszText = bMarked ? pszTitle + nMark : pszTitle;
    const std::size_t nText = bMarked ? nLength - nMark : nLength;
    const SFieldEncoding decided =
        DecideFieldEncoding(pszText, nText, nLength + 1 == nSize, codePage);
    return {std::string(pszText, decided.nShown),
            decided.bUtf8 ? kCodePageUtf8 : codePage.Number()};
}

std::string BreakQuoteLines(const char* pszText, const CLegacyCodePage& textCodePage)
{
    std::string strLines;
    const std::size_t nLength = std::strlen(pszText);
    for (std::size_t nPos = 0; nPos < nLength;) {
        const std::size_t nChar = textCodePage.CharacterLength(pszText + nPos, nLength - nPos);
        if (nChar == 1 && pszText[nPos] == '~')
            strLines += "\r\n";
        else
            strLines.append(pszText + nPos, nChar);
        nPos += nChar;
    }
    return strLines;
}
