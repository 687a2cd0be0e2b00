// Where the quote window goes on the screen, in pixels: plain arithmetic, so the rule is
// tested without a window.
#pragma once

struct SPixelRect {
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;
};

// The window of the given size at nPosition (POS_...) on the primary screen, whose top left
// is 0, 0, for a display of nDpi dots per inch.
SPixelRect QuoteWindowRect(int nPosition, int nDpi, int nWidth, int nHeight, int nScreenWidth,
                           int nScreenHeight);

// Moved the least distance that brings it inside the work area; a window larger than the
// area keeps its top left corner, and so its caption, inside.
SPixelRect MoveInside(const SPixelRect& window, const SPixelRect& workArea);
