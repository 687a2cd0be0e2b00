#include "WindowPlacement.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// {dpi, window width, height, screen width, height, work area left, top, right, bottom, then
// the top left corner at Center, Top Left and Top Right}: the quote window's sizes as Wine
// draws it, taskbars below or on the left. A position of 7 places as Center.
TEST(WindowPlacementTest, ScalesOffsetsCentresAndKeepsInsideWorkArea)
{
    // clang-format off
    const int kCases[][15] = {
        {96, 408, 160, 1024, 768, 0, 0, 1024, 728, 308, 298, 52, 62, 564, 62},
        {96, 408, 160, 1366, 768, 0, 0, 1366, 728, 479, 298, 137, 62, 819, 62},
        {96, 408, 160, 800, 600, 0, 0, 800, 560, 196, 214, 0, 20, 392, 20},
        {120, 542, 199, 1024, 768, 78, 0, 1024, 768, 241, 284, 78, 29, 482, 29},
        {144, 609, 225, 1024, 768, 0, 0, 1024, 708, 207, 271, 0, 0, 415, 0},
        {144, 609, 225, 1920, 1080, 93, 0, 1920, 1080, 655, 427, 174, 75, 1134, 75},
        {192, 810, 302, 1920, 1080, 0, 0, 1920, 1000, 555, 389, 72, 10, 1032, 10},
        {192, 810, 302, 1024, 768, 124, 0, 1024, 768, 124, 233, 124, 0, 214, 0},
        {192, 810, 302, 800, 600, 0, 0, 800, 560, 0, 149, 0, 0, 0, 0}};
    // clang-format on
    for (const auto& c : kCases) {
        for (const int nPosition : {0, 1, 2, 7}) {
            const SPixelRect rect = MoveInside(
                QuoteWindowRect(nPosition, c[0], c[1], c[2], c[3], c[4]), {c[5], c[6], c[7], c[8]});
            const int* pCorner = &c[9 + 2 * (nPosition % 7)];
            EXPECT_EQ(std::make_pair(rect.nLeft, rect.nTop), std::make_pair(pCorner[0], pCorner[1]))
                << c[0] << " dpi, " << c[3] << " wide, position " << nPosition;
            EXPECT_EQ(std::make_pair(rect.nRight - rect.nLeft, rect.nBottom - rect.nTop),
                      std::make_pair(c[1], c[2]));
        }
    }
}

} // namespace
