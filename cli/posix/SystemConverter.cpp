#include "SystemConverter.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
const std::size_t kFailed = static_cast<std::size_t>(-1);

// Windows' numbers of the code pages glibc knows only by name: ISO 8859, KOI8, ASCII.
std::string NamedCodePage(unsigned nCodePage)
{
    const unsigned nIso = nCodePage - 28590;
    if ((nIso >= 1 && nIso <= 9) || nIso == 13 || nIso == 15)
        return "ISO-8859-" + std::to_string(nIso);
    if (nCodePage == 20866 || nCodePage == 21866)
        return nCodePage == 20866 ? "KOI8-R" : "KOI8-U";
    return nCodePage == 20127 ? "ASCII" : "";
}

// glibc knows the Windows code pages as WINDOWS-N, some only as CPN.
iconv_t OpenEither(unsigned nCodePage, bool bToUtf8)
{
    const std::string strNumber = std::to_string(nCodePage);
    for (const std::string& strName :
         {"WINDOWS-" + strNumber, "CP" + strNumber, NamedCodePage(nCodePage)}) {
        // An empty name would be the locale's own character set.
        if (strName.empty())
            continue;
        const iconv_t converter = bToUtf8 ? ::iconv_open("UTF-8", strName.c_str())
                                          : ::iconv_open(strName.c_str(), "UTF-8");
        if (converter != kNoConverter)
            return converter;
    }
    return kNoConverter;
}

enum class EResult { Converted, Inexact, Incomplete, Refused };

// The whole of the input and then the converter's flush; iconv's prototype wants a mutable
// input pointer it never writes through.
EResult Convert(iconv_t converter, const char* pBytes, std::size_t nLength, std::string& strOut)
{
    strOut.clear();
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* pIn = const_cast<char*>(pBytes);
    std::size_t nIn = nLength;
    EResult result = EResult::Converted;
    for (bool bFlushed = false; !bFlushed;) {
        char szOut[256];
        char* pOut = szOut;
        std::size_t nOut = sizeof szOut;
        const bool bInput = nIn > 0;
        const std::size_t nDone = bInput ? ::iconv(converter, &pIn, &nIn, &pOut, &nOut)
                                         : ::iconv(converter, nullptr, nullptr, &pOut, &nOut);
        strOut.append(szOut, static_cast<std::size_t>(pOut - szOut));
        if (nDone == kFailed && errno != E2BIG)
            return errno == EINVAL ? EResult::Incomplete : EResult::Refused;
        if (nDone != kFailed && nDone != 0)
            result = EResult::Inexact;
        bFlushed = !bInput && nDone != kFailed;
    }
    return result;
}

// Windows' lead bytes of its double-byte ANSI code pages, which the program decides a "~" by.
// glibc's converters leave out the ranges Windows keeps for user-defined characters.
bool WindowsLeadBytes(unsigned nCodePage, bool (&abLead)[256])
{
    if (nCodePage == 932) {
        std::fill(abLead + 0x81, abLead + 0xA0, true);
        std::fill(abLead + 0xE0, abLead + 0xFD, true);
    } else if (nCodePage == 936 || nCodePage == 949 || nCodePage == 950) {
        std::fill(abLead + 0x81, abLead + 0xFF, true);
    }
    return abLead[0x81];
}

} // namespace

struct CSystemConverter::SSystem {
    iconv_t toUtf8;
    iconv_t fromUtf8;

    ~SSystem()
    {
        ::iconv_close(toUtf8);
        ::iconv_close(fromUtf8);
    }
};

// Elsewhere iconv tells the lead bytes: a byte that is incomplete on its own is one. A pair that
// is still incomplete belongs to a code page of longer characters.
CSystemConverter::CSystemConverter(unsigned nCodePage)
{
    const iconv_t toUtf8 = OpenEither(nCodePage, true);
    const iconv_t fromUtf8 = OpenEither(nCodePage, false);
    if (toUtf8 == kNoConverter || fromUtf8 == kNoConverter) {
        if (toUtf8 != kNoConverter)
            ::iconv_close(toUtf8);
        if (fromUtf8 != kNoConverter)
            ::iconv_close(fromUtf8);
        return;
    }
    m_pSystem.reset(new SSystem{toUtf8, fromUtf8});
    if (WindowsLeadBytes(nCodePage, m_abLead))
        return;
    std::string strOut;
    for (unsigned ch = 0x80; ch <= 0xFF; ++ch) {
        const char chLead = static_cast<char>(ch);
        m_abLead[ch] = Convert(toUtf8, &chLead, 1, strOut) == EResult::Incomplete;
        for (unsigned chTrail = 0; m_abLead[ch] && chTrail <= 0xFF; ++chTrail) {
            const char szPair[2] = {chLead, static_cast<char>(chTrail)};
            if (Convert(toUtf8, szPair, 2, strOut) == EResult::Incomplete) {
                m_pSystem.reset();
                return;
            }
        }
    }
}

CSystemConverter::~CSystemConverter() = default;

bool CSystemConverter::ToUtf8(const char* pBytes, std::size_t nLength, std::string& strUtf8) const
{
    if (!IsOpen())
        return false;
    const EResult result = Convert(m_pSystem->toUtf8, pBytes, nLength, strUtf8);
    return result == EResult::Converted || result == EResult::Inexact;
}

// An inexact conversion stands in another character for one the code page lacks.
bool CSystemConverter::FromUtf8(const std::string& strUtf8, std::string& strBytes) const
{
    return IsOpen() && Convert(m_pSystem->fromUtf8, strUtf8.data(), strUtf8.size(), strBytes) ==
                           EResult::Converted;
}

// A Linux command line is UTF-8 already.
std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}
