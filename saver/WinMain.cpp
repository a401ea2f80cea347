// Process entry of Vantora.scr.
#include "ScreenSaverHost.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int)
{
    return RunScreenSaverHost(hInst, SkipProgramPath(GetCommandLineA()));
}
