#include "SampleStats.h"

#include <algorithm>
#include <cmath>

double Percentile(std::vector<double> samples, double dFraction)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    // Linear between the two nearest ranks, so an even count gives the usual median.
    const double dRank = dFraction * static_cast<double>(samples.size() - 1);
    const auto nLow = static_cast<std::size_t>(std::floor(dRank));
    const std::size_t nHigh = std::min(nLow + 1, samples.size() - 1);
    const double dWeight = dRank - static_cast<double>(nLow);
    return samples[nLow] * (1.0 - dWeight) + samples[nHigh] * dWeight;
}
