#include "options/FolderWalk.h"
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include "base/FwFindFile.h"
#include "base/FwHandle.h"
#include "base/Mbcs.h"
#include "options/NaturalOrder.h"

namespace {

const int kMaxDepth = 64; // deeper trees are cut: recursion stays bounded

bool EndsWithNoCase(const char* name, const char* ext)
{
    size_t n = strlen(name), e = strlen(ext);
    return n > e && StrCompare(name + n - e, ext, 1) == 0;
}

// A name the ANSI calls can reach: the code page spelled every character.
bool IsSpelled(const char* name)
{
    for (const char* p = name; *p; IncPsz(p))
        if (*p == '?')
            return false;
    return true;
}

bool NaturalLess(const std::string& a, const std::string& b)
{
    return NaturalCompare(a.c_str(), b.c_str()) < 0;
}

} // namespace

// One walk: the folders seen so far, by volume and file index.
class FolderWalk::Walker {
public:
    // root: the folder as given, for the calls on the root itself; base: the same without
    // a trailing separator, for joining names ("C:\\" and "C:").
    Walker(FolderWalk& walk, const std::string& root, const std::string& base) : walk(walk), root(root), base(base) {}

    bool Run()
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(root.c_str(), GetFileExInfoStandard, &data) ||
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        return Folder("", data.ftLastWriteTime, 0);
    }

private:
    FolderWalk& walk;
    std::string root, base;
    std::set<std::pair<DWORD, ULONGLONG>> visited;

    bool Cancelled() const { return walk.pCancel && *walk.pCancel; }

    // False when the folder was seen before (a link back into the tree).
    bool FirstVisit(const std::string& full)
    {
        FwHandle folder(CreateFileA(full.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!folder.IsReady() || !GetFileInformationByHandle(folder, &info))
            return true; // no identity to compare: the depth limit still bounds the walk
        ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        return visited.insert({info.dwVolumeSerialNumber, index}).second;
    }

    // The name by which an entry of the folder full is reached, "" when none serves.
    static std::string Reachable(const std::string& full, const WIN32_FIND_DATAA& found)
    {
        const char* name = found.cFileName;
        if (!IsSpelled(name) || full.size() + 1 + strlen(name) >= MAX_PATH - 1)
            name = found.cAlternateFileName;
        if (!*name || !IsSpelled(name) || full.size() + 1 + strlen(name) >= MAX_PATH - 1)
            return std::string();
        return name;
    }

    bool Folder(const std::string& rel, const FILETIME& written, int depth)
    {
        std::string full = rel.empty() ? root : base + "\\" + rel;
        if (Cancelled())
            return false;
        if (!FirstVisit(full))
            return true;
        if (!walk.sink.OnFolder(rel.c_str(), written))
            return false;
        std::vector<std::string> pictures;
        std::vector<std::pair<std::string, FILETIME>> folders;
        FwFindFile find;
        for (bool more = find.First(((rel.empty() ? base : full) + "\\*").c_str()); more; more = find.Next()) {
            if (find.IsDots())
                continue;
            if (find.IsDir() ? IsSkippedFolder(find.data) : !IsJpegName(find.data.cFileName))
                continue;
            std::string name = Reachable(full, find.data);
            if (name.empty())
                continue;
            if (find.IsDir())
                folders.emplace_back(name, find.data.ftLastWriteTime);
            else
                pictures.push_back(name);
        }
        find.Close();
        std::sort(pictures.begin(), pictures.end(), NaturalLess);
        std::sort(folders.begin(), folders.end(),
                  [](const auto& a, const auto& b) { return NaturalLess(a.first, b.first); });
        const std::string prefix = rel.empty() ? rel : rel + "\\";
        for (const std::string& name : pictures)
            if (!walk.sink.OnPicture((prefix + name).c_str()))
                return false;
        if (depth >= kMaxDepth)
            return true;
        for (const auto& sub : folders)
            if (!Folder(prefix + sub.first, sub.second, depth + 1))
                return false;
        return true;
    }
};

bool FolderWalk::Walk(const char* root)
{
    if (!root || !*root)
        return false;
    std::string r(root);
    while (r.size() > 3 && r.back() == '\\')
        r.pop_back();
    std::string base = r;
    if (base.size() == 3 && base[1] == ':')
        base.pop_back();
    return Walker(*this, r, base).Run();
}

bool FolderWalk::IsJpegName(const char* name)
{
    return name && (EndsWithNoCase(name, ".jpg") || EndsWithNoCase(name, ".jpeg") || EndsWithNoCase(name, ".jpe"));
}

bool FolderWalk::IsSkippedFolder(const WIN32_FIND_DATAA& found)
{
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        return true;
    const char* name = found.cFileName;
    return name[0] == '.' || StrCompare(name, "@eaDir", 1) == 0 || StrCompare(name, "$RECYCLE.BIN", 1) == 0 ||
           StrCompare(name, "RECYCLER", 1) == 0 || StrCompare(name, "System Volume Information", 1) == 0;
}
