// Widening the labels of a page that the font of this display does not fit: the same
// template can meet a wider substitute font or text hinted at another resolution.
#pragma once
#include <windows.h>

// Widens every single-line static text, check box, radio button and push button of the
// page whose text is wider than the control, up to the page's right edge; an etched frame
// around a widened text grows with it.
void FitTextControls(HWND page);
