// The timing loop both picture-choice benchmarks share: calls picks of the screen saver's
// sequence through Opts::GetNextPict.
#pragma once
#include "options/Opts.h"
#include "../BenchUtil.h"

// The average time of one pick in milliseconds; found counts the picks that gave a picture.
inline double TimePicks(Opts& opts, int calls, int& found)
{
    char path[cbPictBuffer], caption[cbPictBuffer];
    found = 0;
    double t0 = NowMs();
    for (int i = 0; i < calls; ++i) {
        opts.GetNextPict(1, path, caption);
        found += path[0] != '\0';
    }
    return (NowMs() - t0) / calls;
}
