// Order statistics of repeated measurements: the median resists the odd slow run.
#pragma once

#include <vector>

// The value below which the share dFraction (0 to 1) of the samples lie; 0 for none.
double Percentile(std::vector<double> samples, double dFraction);

inline double Median(const std::vector<double>& samples)
{
    return Percentile(samples, 0.5);
}
