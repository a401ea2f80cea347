// Reading the screen saver's command line. Letters are case-insensitive; blanks, "-" and
// "/" before the mode letter are skipped.
#include "ScreenSaverHost.h"

// Consecutive decimal digits; reading ends at the first other character.
static HWND ReadHandle(const char*& p)
{
    unsigned long value = 0;
    while (*p >= '0' && *p <= '9')
        value = value * 10 + static_cast<unsigned long>(*p++ - '0');
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
}

static void SkipBlanks(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

const char* SkipProgramPath(const char* p)
{
    if (!p)
        return "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    return p;
}

HostCommand ParseHostArguments(const char* p)
{
    HostCommand cmd = {HostCommand::modeConfig, nullptr};
    if (!p)
        return cmd;
    for (;; ++p) {
        switch (*p) {
        case '\0':
            return cmd;
        case ' ':
        case '-':
        case '/':
            continue;
        case 's':
        case 'S':
            cmd.mode = HostCommand::modeSaver;
            return cmd;
        case 'p':
        case 'P':
        case 'l':
        case 'L':
            ++p;
            SkipBlanks(p);
            cmd.hWnd = ReadHandle(p);
            cmd.mode = (cmd.hWnd && IsWindow(cmd.hWnd)) ? HostCommand::modePreview
                                                         : HostCommand::modeInvalid;
            return cmd;
        case 'c':
        case 'C':
            ++p;
            if (*p == ':') {
                ++p;
                cmd.hWnd = ReadHandle(p);
            }
            if (!cmd.hWnd || !IsWindow(cmd.hWnd))
                cmd.hWnd = GetForegroundWindow();
            return cmd;
        case 'a':
        case 'A':
            ++p;
            SkipBlanks(p);
            cmd.hWnd = ReadHandle(p);
            if (!cmd.hWnd || !IsWindow(cmd.hWnd))
                cmd.hWnd = GetForegroundWindow();
            cmd.mode = HostCommand::modePassword;
            return cmd;
        default:
            cmd.mode = HostCommand::modeInvalid;
            return cmd;
        }
    }
}
