// The VNT32 module handle, recorded when the library is loaded.
#pragma once
#include <windows.h>
#include "VntApi.h"

VNT_API HINSTANCE GetLibraryModule();
