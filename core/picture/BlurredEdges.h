// BlurredEdges: fills the part of a frame that a fitted picture leaves empty with that
// picture itself, enlarged to cover the frame, strongly blurred and darkened, so that a
// portrait photo on a landscape screen stands on its own colours instead of black bars and
// a white caption on it stays readable. The blur is made on a copy of 1/16 of the frame's
// size and enlarged smoothly, which keeps it to a few milliseconds a full-HD frame.
// (Not exported.)
#pragma once
#include <windows.h>

// Fills frame on hdc around picture (already drawn there, inside frame) with its blurred
// copy; the picture's own pixels are left as they are. Black around it when the pixels
// cannot be read or memory is short.
void FillBlurredEdges(HDC hdc, const RECT& frame, const RECT& picture);

