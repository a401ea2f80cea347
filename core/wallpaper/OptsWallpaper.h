// The wallpaper side of the options record. Opts declares its wallpaper members
// (SetNextWP, GetPathForBMP, DelBMP) in its class; they and SetWallpaper are defined in
// OptsWallpaper.cpp, so the options record depends on this folder: storing the options with
// the changer off removes the wallpaper bitmap and clears the desktop wallpaper.
#pragma once
#include "VntApi.h"

// Makes file the desktop wallpaper; a null file leaves the desktop without wallpaper.
VNT_API void SetWallpaper(const char* file);
