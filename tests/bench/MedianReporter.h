// Prints the usual console report and keeps each benchmark's median CPU time.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class CMedianReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the report goes to a log more often than to a terminal.
    CMedianReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;

    // CPU seconds per iteration, the kernel's share included: unlike wall time, it leaves
    // out the time the benchmark waited for a core that other work on the machine held.
    // False when the benchmark did not run or reported an error.
    bool Median(const std::string& strName, double& dSeconds) const;

private:
    std::map<std::string, double> m_medians;
};
