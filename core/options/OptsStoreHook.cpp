#include "options/OptsStoreHook.h"

// Constant-initialised, so it is null before any constructor of the library runs.
static OptsStoreHook pfnStoreHook = nullptr;

void SetOptsStoreHook(OptsStoreHook hook)
{
    pfnStoreHook = hook;
}

void RunOptsStoreHook(Opts& opts, RegKey& settings)
{
    if (pfnStoreHook)
        pfnStoreHook(opts, settings);
}
