// OptsStoreHook: what storing the options does beyond the settings key, given by a layer
// above the options. The wallpaper layer installs one when the library loads: with the
// changer off no wallpaper of ours may stay behind. Not exported.
#pragma once

class Opts;
class RegKey;

// Called at the end of Opts::OnStore with the record and its open settings key.
using OptsStoreHook = void (*)(Opts& opts, RegKey& settings);

void SetOptsStoreHook(OptsStoreHook hook);
void RunOptsStoreHook(Opts& opts, RegKey& settings);
