// Path utilities: editing, building and testing file-system paths held in caller buffers,
// the product's own folders, and folder probes.
//
// Paths are multibyte text in the system code page, edited in place in buffers of
// MAX_PATH (260) bytes unless a function says otherwise; an edit whose result would not
// fit leaves the path as it was. "\" and "/" both count as separators on input; a
// separator that is added is "\". Every scan steps over a double-byte character as a
// whole, so a trail byte equal to "\", "/", ":" or "." is never taken for that character.
// Name comparisons ignore letter case. No function here shows a message.
#pragma once
#include <windows.h>
#include "VntApi.h"

// Edited in place.
VNT_API void AppendBackSlash(char* path);
VNT_API void RemoveBackSlash(char* path);
VNT_API int StripBackSlash(char* path);
VNT_API void StripFileName(char* path);
VNT_API void StripFileExt(char* path);
VNT_API void ConvertSlashes(char* path);
// Shortens the path to its 8.3 form as far as it exists.
VNT_API void ConvertToShortPath(char* path);
// Rebuilds a full path with the long names and letter case the file system reports.
VNT_API int DosPathToShellPath(char* path);
VNT_API int ShortToLFN(char* path);
VNT_API void MakeNamePretty(char* name);
VNT_API void RemoveWhiteSpacesAndQuotes(char* s);
VNT_API void AddQuotesIfSpace(char* s);
VNT_API void MakeFullPathName(char* path, const char* base);
VNT_API const char* FindLastPathComponent(char* path);
// The name after the last separator; null when the path ends with one.
VNT_API const char* FindNameExt(const char* path);

// Building paths.
VNT_API void MakePath(char* dst, const char* folder, const char* name, const char* ext = nullptr);
VNT_API void MakePathForOS(char* dst, const char* folder, const char* name, const char* ext = nullptr);
VNT_API void MakeCanonicalPath(const char* path, char* out);
VNT_API int GetPathFromCanonical(const char* in, char* out);
VNT_API int ExtractRootPath(char* root, const char* path);
VNT_API void GetModuleFNameExt(HINSTANCE module, char* out);
VNT_API void GetLocalFileName(char* out, const char* name, HINSTANCE module);
VNT_API void GetLocalFileNameQuoted(char* out, const char* name, HINSTANCE module);
VNT_API void GetLocalPathDir(char* path, char* dir, unsigned size);
// The product's home folder, without a trailing separator.
VNT_API void GetHomeDir(char* out);
VNT_API int GetSpecialFolderPath(HWND owner, int folderId, char* out);
VNT_API int GetCmdLnPath(const char* cmdLine, char* out);
VNT_API const char* GetCmdLnArg(const char* cmdLine);

// Tests.
VNT_API int FileExists(const char* path);
VNT_API int FolderExists(const char* path);
VNT_API int FileOrFolderExists(const char* path);
VNT_API int IsFullPathName(const char* path);
VNT_API int IsDosFolder(const char* path);
VNT_API int IsRootFolder(const char* path, int network);
VNT_API int IsNetworkFolder(const char* path);
VNT_API int IsSubFolderOf(const char* path, const char* parent);
VNT_API int IsFtpFolder(const char* path);
VNT_API int IsDirWritable(const char* path);

// Creates every missing folder of a full path.
VNT_API int CreateFolder(const char* path);
