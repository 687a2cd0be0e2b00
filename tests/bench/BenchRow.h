// One line of the benchmark table, as both measuring programs hand it to the report.
#pragma once

#include <string>
#include <vector>

struct SBenchRow {
    std::string strName;
    std::string strMeasured;
    std::string strReference;
    std::string strRatio;
    std::string strBudget;
    std::string strVerdict; // "holds", "FAILS", or "-" for a row without a budget
};

std::string FormatSeconds(double dSeconds);
std::string FormatBytes(double dBytes);
std::string FormatRatio(double dRatio);
std::string Verdict(bool bHolds);

// Tab-separated, one row a line, LF only, so the report script reads both builds alike.
bool WriteRows(const std::string& strPath, const std::vector<SBenchRow>& rows);
