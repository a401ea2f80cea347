// Stands in for the display settings' "desk.cpl" in the folder the settings run starts
// from (Wine has none, so the DLL runner started there loads this one): its screen-saver
// entry appends the arguments it was given, as a line, to InstallScreenSaver.txt there.
#include <windows.h>
#include <fstream>

extern "C" __declspec(dllexport) void CALLBACK InstallScreenSaver(HWND, HINSTANCE, char* args, int)
{
    std::ofstream("InstallScreenSaver.txt", std::ios::app) << args << "\n";
}
