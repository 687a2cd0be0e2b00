#include "FortuneConversion.h"

#include "Counted.h"
#include "FortuneFile.h"

#include <numeric>

namespace {

std::string SkipDetails(const SFortuneConversion& conversion)
{
    std::string strDetails;
    for (std::size_t i = 0; i < conversion.m_nSkipped.size(); ++i) {
        if (conversion.m_nSkipped[i] == 0)
            continue;
        strDetails += strDetails.empty() ? ": " : ", ";
        strDetails += std::to_string(conversion.m_nSkipped[i]) + ' ' +
                      SkipReasonText(static_cast<ESkipReason>(i));
    }
    return strDetails;
}

} // namespace

std::uint64_t SFortuneConversion::SkippedTotal() const
{
    return std::accumulate(m_nSkipped.begin(), m_nSkipped.end(), std::uint64_t{0});
}

SFortuneConversion ConvertFortunes(CLineReader& reader, int nMax, const CCodePage* pCodePage)
{
    SFortuneConversion conversion;
    CFortuneFile file(reader);
    SFortuneCookie cookie;
    SQuote quote;
    while (file.ReadCookie(cookie)) {
        ESkipReason reason = ConvertCookie(cookie, pCodePage, quote);
        if (reason == ESkipReason::None &&
            conversion.m_quotes.size() >= static_cast<std::size_t>(nMax))
            reason = ESkipReason::OverMax;
        if (reason == ESkipReason::None)
            conversion.m_quotes.push_back(std::move(quote));
        else
            ++conversion.m_nSkipped[static_cast<std::size_t>(reason)];
    }
    return conversion;
}

std::string FormatSummary(const std::string& strName, const SFortuneConversion& conversion)
{
    const std::uint64_t nWritten = conversion.m_quotes.size();
    const std::uint64_t nSkipped = conversion.SkippedTotal();
    std::string strSummary = "fortune2adg: ";
    if (nWritten > 0)
        strSummary += "wrote " + Counted(nWritten, "quote") + " from " + strName;
    else
        strSummary += "no quote written from " + strName;
    if (nSkipped > 0)
        strSummary += "; skipped " + Counted(nSkipped, "cookie") + SkipDetails(conversion);
    else if (nWritten == 0)
        strSummary += ": it holds no cookies";
    return strSummary;
}
