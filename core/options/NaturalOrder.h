// The order in which people expect camera-named files: runs of digits compare as numbers
// ("IMG_2" before "IMG_10"), letters without regard to case, a double-byte character as
// one character.
#pragma once
#include "VntApi.h"

// <0, 0, >0 like strcmp. Equal numbers with different leading zeros ("7", "007") and names
// equal but for case fall back to a plain byte comparison, so that the order is total.
VNT_API int NaturalCompare(const char* a, const char* b);
