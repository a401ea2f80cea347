// Multibyte text in the system's default code page: the lead-byte test and the character
// helpers every text routine of the library is built from. A scan that steps with these
// helpers never takes the trail byte of a double-byte character (which may equal "\",
// "/", ":" or ".") for a character of its own.
//
// A lead byte directly followed by the terminator is treated as a one-byte character, so
// no helper ever steps over the end of a text.
#pragma once
#include "VntApi.h"

// Reads the default code page's lead-byte ranges; runs once per process before any text
// routine (the library's entry point and the program's start-up call it).
VNT_API void InitMBCS();
// True when the default code page has double-byte characters.
VNT_API int IsMBCS();

VNT_API int IsLead(char c);
// 2 for a double-byte character at p, else 1 (also for a lone lead byte at the end).
VNT_API int SizeOf(const char* p);
// Bytes of s without the terminator, counting at most 32767 characters.
VNT_API unsigned _tcssize(const char* s);
// The character at p; a double-byte character is read little-endian (lead byte low).
VNT_API unsigned short CharAt(const char* p);
VNT_API const char* IncPsz(const char*& p);
VNT_API const char* PszInc(const char*& p);
VNT_API const char* DecPsz(const char* start, const char*& p);
VNT_API char* IncPsz(char*& p);
VNT_API char* PszInc(char*& p);
VNT_API char* DecPsz(const char* start, char*& p);

VNT_API unsigned short CharToLower(unsigned short c);
VNT_API unsigned short CharToUpper(unsigned short c);
VNT_API void CharToLower(char* p);
VNT_API void CharToUpper(char* p);
VNT_API int IsWhiteChar(char c);
VNT_API int IsAlphaChar(char c);
VNT_API int IsNumChar(char c);
VNT_API int IsAlphaNumChar(char c);
VNT_API int IsSep(char c);

// Character copies; both pointers advance.
VNT_API int CharCopy(char*& dst, const char*& src);
VNT_API void StrCopy(char*& dst, const char*& src);
VNT_API void CharAdd(char*& dst, char c);
// Sized forms: add the bytes to size and write only when dst is not null, so one routine
// can first measure a text and then write it. The terminator is not copied.
VNT_API int CharCopy(char*& dst, const char*& src, unsigned& size);
VNT_API void StrCopy(char*& dst, const char*& src, unsigned& size);
VNT_API void CopyStr(char*& dst, const char* src, unsigned& size);
VNT_API void CharAdd(char*& dst, char c, unsigned& size);

// Copies whole characters of src into dst (size bytes), always terminated when size is
// not 0, padding the rest with zeros; result: bytes copied without the terminator.
VNT_API unsigned StrCopyN(char* dst, const char* src, unsigned size);
// Compares character by character (a double-byte character as one), with or without
// letter case; <0, 0, >0 like strcmp.
VNT_API int StrCompare(const char* a, const char* b, int ignoreCase);
// The same for at most n bytes of each text (a character is never cut).
VNT_API int StrCompareN(const char* a, const char* b, unsigned n, int ignoreCase);
