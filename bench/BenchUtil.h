// Helpers of the benchmarks: a millisecond clock and the name part of a path.
#pragma once
#include <windows.h>

inline double NowMs()
{
    LARGE_INTEGER freq, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / freq.QuadPart;
}

inline const char* BaseName(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    return name;
}
