#include "BenchRow.h"

#include <cstdio>

namespace {

std::string Printf(const char* pszFormat, double dValue, const char* pszUnit)
{
    char szText[64] = "";
    std::snprintf(szText, sizeof szText, pszFormat, dValue, pszUnit);
    return szText;
}

// Three significant digits are as many as run-to-run noise allows.
std::string ThreeDigits(double dValue, const char* pszUnit)
{
    if (dValue >= 100.0)
        return Printf("%.0f %s", dValue, pszUnit);
    if (dValue >= 10.0)
        return Printf("%.1f %s", dValue, pszUnit);
    return Printf("%.2f %s", dValue, pszUnit);
}

} // namespace

std::string FormatSeconds(double dSeconds)
{
    if (dSeconds >= 1.0)
        return ThreeDigits(dSeconds, "s");
    if (dSeconds >= 1e-3)
        return ThreeDigits(dSeconds * 1e3, "ms");
    return ThreeDigits(dSeconds * 1e6, "us");
}

std::string FormatBytes(double dBytes)
{
    if (dBytes >= 1024.0 * 1024.0)
        return ThreeDigits(dBytes / (1024.0 * 1024.0), "MiB");
    if (dBytes >= 1024.0)
        return ThreeDigits(dBytes / 1024.0, "KiB");
    return Printf("%.0f %s", dBytes, "B");
}

std::string FormatRatio(double dRatio)
{
    return Printf("%.2f%s", dRatio, "x");
}

std::string Verdict(bool bHolds)
{
    return bHolds ? "holds" : "FAILS";
}

bool WriteRows(const std::string& strPath, const std::vector<SBenchRow>& rows)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr)
        return false;
    for (const SBenchRow& row : rows)
        std::fprintf(pFile, "%s\t%s\t%s\t%s\t%s\t%s\n", row.strName.c_str(),
                     row.strMeasured.c_str(), row.strReference.c_str(), row.strRatio.c_str(),
                     row.strBudget.c_str(), row.strVerdict.c_str());
    return std::fclose(pFile) == 0;
}
