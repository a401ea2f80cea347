// Scope object that activates the activation context of a manifest resource.
#pragma once
#include <windows.h>

class ActivationContext {
public:
    ActivationContext(HINSTANCE hInst, const char* pszManifest);
    ~ActivationContext();
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

private:
    HANDLE hActCtx;
    ULONG_PTR ulCookie;
    BOOL bActive;
};
