// The system's folder and file pickers on paths held in 260-byte buffers.
#pragma once
#include <windows.h>
#include "VntApi.h"

// Size of the filter buffer PrepareBrowseFilter fills.
enum { cbBrowseFilter = 1024 };

// Folder picker starting at path; on OK path receives the chosen folder. 0 on cancel.
VNT_API int BrowseForFolder(HWND owner, char* path, const char* title, unsigned flags);
// Filter list of the file dialog from "Name|pattern|..." text (out: cbBrowseFilter bytes):
// the "All Files" entry is added unless filter ends with "|"; bars become zero bytes.
VNT_API void PrepareBrowseFilter(char* out, const char* filter);
// Open (save 0) or save dialog on path; on OK path receives the chosen file.
VNT_API int BrowseForFile(HWND owner, int save, char* path, const char* title,
                          const char* initialDir, const char* filter, const char* defExt,
                          unsigned flags);
