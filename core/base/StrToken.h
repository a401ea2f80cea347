// Tokens, character counts, string lists and trimming, all stepping over double-byte
// characters as a whole: a trail byte is never taken for a delimiter.
#pragma once
#include "VntApi.h"

// Removes leading and trailing white characters (space, tab, CR, LF) in place.
VNT_API void TrimStr(char* s);
// Re-entrant tokenizer: starts at s, or at next when s is null; skips delimiters, ends the
// token at the next delimiter (both bytes of a double-byte one) and sets next after it,
// or to null when the token ends the text. Null when no token is left.
VNT_API char* StrTokEx(char* s, const char* delims, char*& next);
// The number of tokens StrTokEx would find, without changing s.
VNT_API int GetTokenCount(const char* s, const char* delims);
// The token with the zero-based index, copied into one static buffer (valid until the
// next call, one thread at a time); null when there is no such token. A token longer
// than 259 bytes is cut at a whole character.
VNT_API char* GetToken(const char* s, const char* delims, int index);
// Occurrences of the single-byte character c; trail bytes do not count.
VNT_API int StrCharCount(const char* s, char c);
// Position of item in a list of terminated strings ended by an empty one; -1 when absent.
VNT_API int StrFindInList(const char* list, const char* item, int ignoreCase);
