// Gradual replacement of one picture by the next: the choice of direction and style, and
// the copying of a finished off-screen picture to the window in strips or interlaced lines.
#pragma once
#include <windows.h>

enum GradualDirection { gradLeftToRight = 0, gradTopToBottom = 1, gradRightToLeft = 2, gradBottomToTop = 3 };
enum GradualStyle { gradSweep = 0, gradInterlaced = 1 };

// Remembers the previous direction and style so that no direction follows itself directly
// (unless the fallback draw repeats it) and no style is used more than three times in a row.
class GradualChooser {
public:
    GradualChooser() : iPrevDir(-1), iPrevStyle(gradSweep), nRun(0) {}
    // r is one draw of the pseudo-random generator (at least 15 bits).
    void Choose(int r, int& dir, int& style);

private:
    int iPrevDir;
    int iPrevStyle;
    int nRun;
};

// Asked before every strip, line and pass; non-zero stops the copying.
typedef int (*PendingFn)(void* pContext);

// Copies the W x H picture in hdcSrc to hdcDst in the given direction and style, pausing by
// pace. Returns 1 when the whole picture was copied, 0 when pending input stopped it.
int CopyGradually(HDC hdcDst, HDC hdcSrc, int W, int H, int dir, int style, DWORD pace,
                  PendingFn pfnPending, void* pContext);
