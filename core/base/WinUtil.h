// Small window and bit-flag helpers shared by the toolkit.
#pragma once
#include <windows.h>
#include "VntApi.h"

VNT_API void SetBitsBool(unsigned& flags, unsigned bits, int on);
VNT_API void SetBitsBool(unsigned short& flags, unsigned short bits, int on);
VNT_API HWND GetTopParent(HWND hWnd);
