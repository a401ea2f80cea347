#include "ActivationContext.h"

ActivationContext::ActivationContext(HINSTANCE hInst, const char* pszManifest)
    : hActCtx(INVALID_HANDLE_VALUE), ulCookie(0), bActive(FALSE)
{
    ACTCTXA ctx = {};
    ctx.cbSize = sizeof(ctx);
    ctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.hModule = hInst;
    ctx.lpResourceName = pszManifest;
    hActCtx = CreateActCtxA(&ctx);
    if (hActCtx != INVALID_HANDLE_VALUE)
        bActive = ActivateActCtx(hActCtx, &ulCookie);
}

ActivationContext::~ActivationContext()
{
    if (bActive)
        DeactivateActCtx(0, ulCookie);
    if (hActCtx != INVALID_HANDLE_VALUE)
        ReleaseActCtx(hActCtx);
}
