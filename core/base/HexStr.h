// Hexadecimal forms of bytes and texts (two upper-case digits per byte).
#pragma once
#include "VntApi.h"

// out needs 2 * n + 1 bytes.
VNT_API void BinToHex(char* out, const unsigned char* p, unsigned n);
// Value of one digit of either case; any other character gives 0.
VNT_API int HexToCode(char c);
// The byte from the two digits at p.
VNT_API unsigned char HexToChar(const char* p);
// Decodes digit pairs until the text ends (a last single digit counts as its value times
// 16); result: bytes written.
VNT_API unsigned HexToBin(unsigned char* out, const char* hex);
// The digits of the bytes of s; result 1, or 0 for an empty s, which gives "00".
VNT_API int StrToHex(char* out, const char* s);
// The bytes of hex as a terminated text; result 1.
VNT_API int HexToStr(char* out, const char* hex);
