// The wallpaper side of the options record. Opts declares its wallpaper members
// (SetNextWP, GetPathForBMP, DelBMP) in its class; they and SetWallpaper are defined in
// OptsWallpaper.cpp. The options folder never includes this one: what storing the options
// with the changer off does to the desktop comes through OptsStoreHook (UserWallpaper.cpp).
#pragma once
#include "VntApi.h"

// Makes file the desktop wallpaper; a null file leaves the desktop without wallpaper.
VNT_API void SetWallpaper(const char* file);
