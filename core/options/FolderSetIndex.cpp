#include "options/FolderSetIndex.h"
#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include "base/Mbcs.h"
#include "base/Path.h"
#include "options/FolderWalk.h"
#include "picture/FwFile.h"

namespace {

const DWORD kCheckInterval = 60 * 60 * 1000; // a long-running changer notices changes within the hour
const char kMagic[8] = {'V', 'N', 'T', 'I', 'D', 'X', '1', 0};
const DWORD kMaxFileSize = 256u << 20;        // far above 100,000 pictures
const DWORD kMaxItems = 4u << 20;

// The letter-case-free form of a folder path: the key of the index.
std::string KeyOf(const char* root)
{
    std::string key(root);
    while (key.size() > 3 && key.back() == '\\')
        key.pop_back();
    for (size_t i = 0; i < key.size(); i += SizeOf(&key[i]))
        CharToLower(&key[i]);
    return key;
}

DWORD Fnv(const BYTE* p, size_t n, DWORD h = 2166136261u)
{
    for (size_t i = 0; i < n; ++i)
        h = (h ^ p[i]) * 16777619u;
    return h;
}

// The index file's bytes: little-endian 32-bit numbers, texts as a length and their bytes.
class Writer {
public:
    std::string bytes;
    void Dword(DWORD v) { bytes.append(reinterpret_cast<const char*>(&v), 4); }
    void Text(const char* s, size_t n)
    {
        Dword(static_cast<DWORD>(n));
        bytes.append(s, n);
    }
};

// Reads of the index file, each checked against the bytes at hand.
class Reader {
public:
    Reader(const BYTE* p, size_t n) : p(p), n(n), at(0) {}
    bool Dword(DWORD& v)
    {
        if (n - at < 4)
            return false;
        memcpy(&v, p + at, 4);
        at += 4;
        return true;
    }
    bool Text(const char*& s, DWORD& len)
    {
        if (!Dword(len) || len > n - at || memchr(p + at, 0, len))
            return false;
        s = reinterpret_cast<const char*>(p + at);
        at += len;
        return true;
    }
    bool AtEnd() const { return at == n; }

private:
    const BYTE* p;
    size_t n, at;
};

struct Registry {
    CritSec cs;
    std::map<std::string, std::shared_ptr<FolderSetIndex>> indexes;
};

// Never destroyed: workers may still use their index while the process ends.
Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

} // namespace

void FolderSetIndex::Pictures::Add(const char* rel)
{
    at.push_back(static_cast<DWORD>(names.size()));
    names.append(rel, strlen(rel) + 1);
}

void FolderSetIndex::Pictures::Clear()
{
    std::string().swap(names);
    std::vector<DWORD>().swap(at);
}

// Collects a walk: into the live list (no index yet: the first pictures are shown while
// the walk goes on) or into lists of its own that replace the live ones at its end.
class FolderSetIndex::WalkSink : public FolderWalk::Sink {
public:
    WalkSink(FolderSetIndex& index, bool live) : index(index), bLive(live), nUnsignalled(0) {}
    Pictures pictures;
    std::vector<Folder> folders;

    bool OnFolder(const char* rel, const FILETIME& written) override
    {
        folders.push_back({rel, written});
        Flush();
        return true;
    }
    bool OnPicture(const char* rel) override
    {
        if (!bLive) {
            pictures.Add(rel);
            return true;
        }
        {
            CritSecLock lock(index.cs);
            index.pictures.Add(rel);
        }
        if (++nUnsignalled >= 64)
            Flush();
        return true;
    }
    void Flush()
    {
        if (bLive && nUnsignalled) {
            nUnsignalled = 0;
            SetEvent(index.hMore);
        }
    }

private:
    FolderSetIndex& index;
    bool bLive;
    int nUnsignalled;
};

FolderSetIndex::FolderSetIndex(const std::string& root)
    : root(root), bComplete(false), bWorking(false), bAgain(false), dwChecked(0), bChecked(false),
      hMore(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

std::shared_ptr<FolderSetIndex> FolderSetIndex::For(const char* root)
{
    if (!root || !*root)
        return nullptr;
    try {
        Registry& registry = TheRegistry();
        std::string key = KeyOf(root);
        std::shared_ptr<FolderSetIndex> index;
        {
            CritSecLock lock(registry.cs);
            auto found = registry.indexes.find(key);
            if (found != registry.indexes.end())
                return found->second;
            std::string path(root);
            while (path.size() > 3 && path.back() == '\\')
                path.pop_back();
            index.reset(new FolderSetIndex(path));
            registry.indexes[key] = index;
            // Loaded under the registry's lock: a second user waits for the file, not a walk.
            if (index->Load())
                index->Check(true);
            else
                index->Start(jobWalk);
        }
        return index;
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool FolderSetIndex::GetFilePath(const char* root, std::string& path)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        return false;
    std::string key = KeyOf(root);
    char name[32];
    snprintf(name, sizeof name, "\\Index-%08lX.dat", Fnv(reinterpret_cast<const BYTE*>(key.data()), key.size()));
    path = std::string(folder) + "\\Vantora";
    CreateDirectoryA(path.c_str(), nullptr);
    path += name;
    return path.size() < MAX_PATH;
}

size_t FolderSetIndex::GetCount(bool* complete)
{
    CritSecLock lock(cs);
    if (complete)
        *complete = bComplete;
    return pictures.at.size();
}

bool FolderSetIndex::GetPath(size_t i, char* path, size_t size)
{
    CritSecLock lock(cs);
    if (i >= pictures.at.size())
        return false;
    const char* rel = pictures.names.c_str() + pictures.at[i];
    int n = snprintf(path, size, "%s%s%s", root.c_str(), root.back() == '\\' ? "" : "\\", rel);
    if (n < 0 || static_cast<size_t>(n) >= size) {
        *path = '\0';
        return false;
    }
    return true;
}

void FolderSetIndex::WaitForMore(size_t have, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        {
            CritSecLock lock(cs);
            if (pictures.at.size() > have || bComplete || !bWorking)
                return;
            ResetEvent(hMore);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms || WaitForSingleObject(hMore, ms - spent) == WAIT_TIMEOUT)
            return;
    }
}

void FolderSetIndex::Check(bool force)
{
    {
        CritSecLock lock(cs);
        if (!force && bChecked && GetTickCount() - dwChecked < kCheckInterval)
            return;
        if (bWorking) {
            // The running walk may have listed a folder before this change: once more after it.
            bAgain = true;
            return;
        }
    }
    Start(jobCheck);
}

namespace {
struct WorkerStart {
    std::shared_ptr<FolderSetIndex> index;
    int job;
    HMODULE module;
};
} // namespace

void FolderSetIndex::Start(Job job)
{
    CritSecLock lock(cs);
    if (bWorking)
        return;
    // The worker holds the library and the index until it ends.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&WorkerProc), &module);
    WorkerStart* start = new (std::nothrow) WorkerStart{shared_from_this(), job, module};
    if (start) {
        DWORD id;
        HANDLE thread = CreateThread(nullptr, 0, WorkerProc, start, 0, &id);
        if (thread) {
            *hWorker.Receive() = thread;
            bWorking = true;
            bChecked = true;
            dwChecked = GetTickCount();
            return;
        }
        delete start;
    }
    if (module)
        FreeLibrary(module);
}

DWORD WINAPI FolderSetIndex::WorkerProc(void* param)
{
    WorkerStart* start = static_cast<WorkerStart*>(param);
    HMODULE module = start->module;
    FolderSetIndex& index = *start->index;
    for (Job job = static_cast<Job>(start->job);; job = jobCheck) {
        try {
            index.Work(job);
        } catch (...) {
            // Memory ran short: the list stays as it was; the next check tries again.
        }
        CritSecLock lock(index.cs);
        if (!index.bAgain) {
            index.bWorking = false;
            break;
        }
        index.bAgain = false;
        index.dwChecked = GetTickCount();
    }
    SetEvent(start->index->hMore);
    delete start;
    if (module)
        FreeLibraryAndExitThread(module, 0);
    return 0;
}

void FolderSetIndex::Work(Job job)
{
    if (job == jobCheck && IsUpToDate())
        return;
    bool live;
    {
        CritSecLock lock(cs);
        live = pictures.at.empty();
        if (live)
            bComplete = false;
    }
    Walk(live);
}

// True when every folder of the list still has the time it had when it was walked.
bool FolderSetIndex::IsUpToDate()
{
    std::vector<Folder> seen;
    {
        CritSecLock lock(cs);
        if (!bComplete)
            return false;
        seen = folders;
    }
    if (!FolderExists(root.c_str())) {
        // Away (an unplugged drive, a share offline): nothing to show until it is back.
        CritSecLock lock(cs);
        pictures.Clear();
        folders.clear();
        return true;
    }
    if (seen.empty())
        return false;
    for (const Folder& f : seen) {
        std::string full = f.rel.empty() ? root : root + (root.back() == '\\' ? "" : "\\") + f.rel;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(full.c_str(), GetFileExInfoStandard, &data) ||
            CompareFileTime(&data.ftLastWriteTime, &f.written) != 0)
            return false;
    }
    return true;
}

void FolderSetIndex::Walk(bool live)
{
    WalkSink sink(*this, live);
    FolderWalk walk(sink);
    const bool whole = walk.Walk(root.c_str());
    if (whole) {
        // Written before the list counts as complete: a process that waits for the count
        // and ends leaves the index behind.
        if (live) {
            CritSecLock lock(cs);
            sink.pictures = pictures;
        }
        Save(sink.pictures, sink.folders);
    }
    {
        CritSecLock lock(cs);
        if (!whole)
            pictures.Clear();
        else if (!live)
            pictures = std::move(sink.pictures);
        folders = whole ? std::move(sink.folders) : std::vector<Folder>();
        bComplete = true;
    }
    SetEvent(hMore);
}

bool FolderSetIndex::Load()
{
    std::string path;
    if (!GetFilePath(root.c_str(), path))
        return false;
    FwFile file;
    if (!file.Open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0))
        return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.hFile, &high);
    if (size == INVALID_FILE_SIZE || high || size > kMaxFileSize || size < sizeof kMagic + 8)
        return false;
    std::string bytes(size, '\0');
    if (!file.ReadBin(&bytes[0], size))
        return false;
    const BYTE* p = reinterpret_cast<const BYTE*>(bytes.data());
    DWORD sum;
    memcpy(&sum, p + size - 4, 4);
    if (memcmp(p, kMagic, sizeof kMagic) != 0 || Fnv(p, size - 4) != sum)
        return false; // damaged: walked again
    Reader in(p + sizeof kMagic, size - 4 - sizeof kMagic);
    const char* s;
    DWORD len, nFolders, nPictures;
    if (!in.Text(s, len) || KeyOf(std::string(s, len).c_str()) != KeyOf(root.c_str()) || !in.Dword(nFolders) ||
        nFolders > kMaxItems)
        return false;
    std::vector<Folder> loadedFolders(nFolders);
    for (Folder& f : loadedFolders) {
        if (!in.Dword(f.written.dwLowDateTime) || !in.Dword(f.written.dwHighDateTime) || !in.Text(s, len))
            return false;
        f.rel.assign(s, len);
    }
    if (!in.Dword(nPictures) || nPictures > kMaxItems)
        return false;
    Pictures loaded;
    loaded.at.reserve(nPictures);
    for (DWORD i = 0; i < nPictures; ++i) {
        if (!in.Text(s, len))
            return false;
        loaded.at.push_back(static_cast<DWORD>(loaded.names.size()));
        loaded.names.append(s, len);
        loaded.names += '\0';
    }
    if (!in.AtEnd())
        return false;
    CritSecLock lock(cs);
    pictures = std::move(loaded);
    folders = std::move(loadedFolders);
    bComplete = true;
    return true;
}

bool FolderSetIndex::Save(const Pictures& saved, const std::vector<Folder>& savedFolders) const
{
    std::string path;
    if (!GetFilePath(root.c_str(), path))
        return false;
    Writer out;
    out.bytes.reserve(saved.names.size() + 4 * saved.at.size() + 1024);
    out.bytes.append(kMagic, sizeof kMagic);
    out.Text(root.data(), root.size());
    out.Dword(static_cast<DWORD>(savedFolders.size()));
    for (const Folder& f : savedFolders) {
        out.Dword(f.written.dwLowDateTime);
        out.Dword(f.written.dwHighDateTime);
        out.Text(f.rel.data(), f.rel.size());
    }
    out.Dword(static_cast<DWORD>(saved.at.size()));
    for (DWORD at : saved.at)
        out.Text(saved.names.c_str() + at, strlen(saved.names.c_str() + at));
    out.Dword(Fnv(reinterpret_cast<const BYTE*>(out.bytes.data()), out.bytes.size()));
    // Written beside the index under another name, then put in its place in one step:
    // readers find the old index or the new one, never half of one.
    char temp[32];
    snprintf(temp, sizeof temp, ".%lu.tmp", GetCurrentThreadId());
    std::string tempPath = path + temp;
    {
        FwFile file;
        if (!file.Open(tempPath.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, 0) ||
            !file.WriteBin(out.bytes.data(), static_cast<DWORD>(out.bytes.size())) || !file.FlushAndClose()) {
            file.Close();
            DeleteFileA(tempPath.c_str());
            return false;
        }
    }
    if (!MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(tempPath.c_str());
        return false;
    }
    return true;
}
