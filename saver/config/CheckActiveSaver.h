// The check, after the settings sheet closes, that the system runs this screen saver.
#pragma once
#include <windows.h>

// When the system's screen saver is another one (or none), asks whether to open the
// system's screen-saver settings with this program selected, and opens them on Yes.
// owner owns the question and the error message.
void CheckActiveSaver(HWND owner);

