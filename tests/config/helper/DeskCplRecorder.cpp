// Stands in for the display settings' "desk.cpl" in the folder the settings run starts
// from (Wine has none of its own, so the DLL runner loads this one): its screen-saver
// entry appends the arguments it was given, as one line, to InstallScreenSaver.txt beside
// the library.
#include <windows.h>
#include <fstream>
#include <string>

static HINSTANCE s_hInst;

BOOL WINAPI DllMain(HINSTANCE hInst, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH)
        s_hInst = hInst;
    return TRUE;
}

extern "C" __declspec(dllexport) void CALLBACK InstallScreenSaver(HWND, HINSTANCE, char* args, int)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(s_hInst, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    std::string file(path);
    file = file.substr(0, file.rfind('\\') + 1) + "InstallScreenSaver.txt";
    std::ofstream(file, std::ios::app) << args << "\n";
}
