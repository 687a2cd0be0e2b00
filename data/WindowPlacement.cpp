#include "WindowPlacement.h"

#include "QuoteState.h"

#include <algorithm>

namespace {

// The offsets are pixels at 96 dpi: 204 and 86 are half of the 408 x 172 window they were
// drawn for, 130 lifts the top positions above the screen's upper quarter line.
const int kBaseDpi = 96;
const int kHalfWidth = 204;
const int kHalfHeight = 86;
const int kTopLift = 130;

int Scaled(int nPixels, int nDpi)
{
    return (nPixels * nDpi + kBaseDpi / 2) / kBaseDpi;
}

int Clamped(int nStart, int nLength, int nLow, int nHigh)
{
    return std::max(nLow, std::min(nStart, nHigh - nLength));
}

} // namespace

// At 96 dpi Center keeps its fixed offsets to the pixel. At any other scale the window no
// longer grows in step with them (its caption and frame follow rules of their own), so it is
// centred by its real size instead.
SPixelRect QuoteWindowRect(int nPosition, int nDpi, int nWidth, int nHeight, int nScreenWidth,
                           int nScreenHeight)
{
    int x = 0;
    int y = 0;
    if (nPosition == POS_TOP_LEFT || nPosition == POS_TOP_RIGHT) {
        const int nQuarter = nScreenWidth / 4;
        x = (nPosition == POS_TOP_LEFT ? nQuarter : nQuarter * 3) - Scaled(kHalfWidth, nDpi);
        y = nScreenHeight / 4 - Scaled(kTopLift, nDpi);
    } else if (nDpi == kBaseDpi) {
        x = nScreenWidth / 2 - kHalfWidth;
        y = nScreenHeight / 2 - kHalfHeight;
    } else {
        x = (nScreenWidth - nWidth) / 2;
        y = (nScreenHeight - nHeight) / 2;
    }
    return {x, y, x + nWidth, y + nHeight};
}

SPixelRect MoveInside(const SPixelRect& window, const SPixelRect& workArea)
{
    const int nWidth = window.nRight - window.nLeft;
    const int nHeight = window.nBottom - window.nTop;
    const int x = Clamped(window.nLeft, nWidth, workArea.nLeft, workArea.nRight);
    const int y = Clamped(window.nTop, nHeight, workArea.nTop, workArea.nBottom);
    return {x, y, x + nWidth, y + nHeight};
}
