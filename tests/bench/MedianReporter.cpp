#include "MedianReporter.h"

void CMedianReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        const bool bMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (bMedian && !run.error_occurred && run.iterations > 0)
            m_medians[run.run_name.function_name] =
                run.cpu_accumulated_time / static_cast<double>(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
}

bool CMedianReporter::Median(const std::string& strName, double& dSeconds) const
{
    const auto it = m_medians.find(strName);
    if (it == m_medians.end())
        return false;
    dSeconds = it->second;
    return true;
}
