// Registry-backed helpers: the application's home folder, restrictions, the power-user
// test, rectangles stored as four numbers, and shell-extension registration. The Op
// argument selects checking, removing, writing or reading (RegKey::Op).
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "base/RegKey.h"

// The "Home" value of "HKLM\Software\Corvane\<app>\Setup" into buf (260 bytes).
VNT_API int GetHomeFolder(const char* app, char* buf);
// Writing modes first move HKLM settings from the former company key; reading modes fall
// back to the former company's setup key.
VNT_API int ProcessHomeFolder(RegKey::Op op, const char* app, const char* value, unsigned size);
// The number stored under name in "HKCU\Software\Corvane\<app>\Setup\Restrictions".
VNT_API int Restricted(const char* app, const char* name);
// The machine-wide company key can be written.
VNT_API int IsPowerUser();
// Numbers named prefix + "L", "T", "R", "B"; a missing one keeps the field.
VNT_API int RegGetRect(RegKey& key, RECT* rc, const char* prefix);
VNT_API int RegPutRect(RegKey& key, RECT* rc, const char* prefix);
// Registers (checks, removes) an in-process shell extension of the given handler kind
// for the file types of the null-terminated array. opRead is not meaningful here: it
// writes into none of the given strings and gives 0.
VNT_API int RegisterShellExt(RegKey::Op op, const char* name, const char* serverPath,
                             const char* clsid, const char* const* types, const char* kind,
                             int notify);
VNT_API int SetupCtxMenuRegistry(RegKey::Op op, const char* name, const char* serverPath,
                                 const char* clsid, const char* const* types, int notify);
