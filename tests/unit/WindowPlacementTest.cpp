#include "WindowPlacement.h"
#include "QuoteState.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using Point = std::pair<int, int>;

// Taskbars below or on the left, 40 and 62 pixels at 96 dpi; the quote window's sizes as
// Wine draws it. Each row: the top left corner at Center, Top Left and Top Right.
TEST(WindowPlacementTest, ScalesOffsetsCentresAndKeepsInsideWorkArea)
{
    const std::map<int, Point> kWindow = {
        {96, {408, 160}}, {120, {542, 199}}, {144, {609, 225}}, {192, {810, 302}}};
    struct SCase {
        int nDpi;
        Point screen;
        SPixelRect workArea;
        Point corners[3];
    };
    // clang-format off
    const SCase kCases[] = {
        {96, {1024, 768}, {0, 0, 1024, 728}, {{308, 298}, {52, 62}, {564, 62}}},
        {96, {1024, 768}, {62, 0, 1024, 768}, {{308, 298}, {62, 62}, {564, 62}}},
        {96, {1366, 768}, {0, 0, 1366, 728}, {{479, 298}, {137, 62}, {819, 62}}},
        {96, {800, 600}, {0, 0, 800, 560}, {{196, 214}, {0, 20}, {392, 20}}},
        {120, {1366, 768}, {0, 0, 1366, 718}, {{412, 284}, {86, 29}, {768, 29}}},
        {120, {1024, 768}, {78, 0, 1024, 768}, {{241, 284}, {78, 29}, {482, 29}}},
        {144, {1024, 768}, {0, 0, 1024, 708}, {{207, 271}, {0, 0}, {415, 0}}},
        {144, {1920, 1080}, {93, 0, 1920, 1080}, {{655, 427}, {174, 75}, {1134, 75}}},
        {192, {1920, 1080}, {0, 0, 1920, 1000}, {{555, 389}, {72, 10}, {1032, 10}}},
        {192, {1024, 768}, {124, 0, 1024, 768}, {{124, 233}, {124, 0}, {214, 0}}},
        {192, {800, 600}, {0, 0, 800, 560}, {{0, 149}, {0, 0}, {0, 0}}}};
    // clang-format on
    // Any other position is Center.
    const int kPositions[] = {POS_CENTER, POS_TOP_LEFT, POS_TOP_RIGHT, 7};
    for (const SCase& c : kCases) {
        const auto [nWidth, nHeight] = kWindow.at(c.nDpi);
        for (const int nPosition : kPositions) {
            const SPixelRect rect = MoveInside(QuoteWindowRect(nPosition, c.nDpi, nWidth, nHeight,
                                                               c.screen.first, c.screen.second),
                                               c.workArea);
            const Point expected = c.corners[nPosition == 7 ? POS_CENTER : nPosition];
            EXPECT_EQ(Point(rect.nLeft, rect.nTop), expected)
                << c.nDpi << " dpi, " << c.screen.first << " wide, position " << nPosition;
            EXPECT_EQ(Point(rect.nRight - rect.nLeft, rect.nBottom - rect.nTop),
                      Point(nWidth, nHeight));
        }
    }
}

} // namespace
