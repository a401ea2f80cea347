// Bounded formatting into caller buffers: the one place that calls vsnprintf. A text is
// either cut to the buffer (messages, captions) or refused whole (paths and key names,
// which a cut would turn into other names).
#pragma once
#include <stdarg.h>
#include "VntApi.h"

// vsnprintf into buf (size bytes, size > 0) that always terminates the text and never
// leaves half of a double-byte character at the end when the text is cut. The length.
VNT_API int FormatBuf(char* buf, unsigned size, const char* fmt, va_list args);
// printf into buf only when the whole text fits; otherwise buf is "" and the result false.
bool FormatWhole(char* buf, unsigned size, const char* fmt, ...);
bool FormatWholeV(char* buf, unsigned size, const char* fmt, va_list args);
