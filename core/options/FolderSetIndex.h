// FolderSetIndex: the pictures of one folder set in list order, kept for the process and
// in an index file per user (local application data, "Vantora"), so that a later start
// knows them without walking the disk. A worker thread walks the tree when there is no
// index yet, publishing the pictures as it finds them (the walk's order is the list
// order, so what is known is always a head of the list), and checks the folders'
// last-write times when the process first uses the set, when asked, and each hour,
// walking again when a folder changed. The file is written whole or not at all.
// One object per folder for the whole process, shared by its users. (Not exported.)
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "base/CritSec.h"
#include "base/FwHandle.h"

class FolderSetIndex : public std::enable_shared_from_this<FolderSetIndex> {
public:
    // The index of the folder; null only when memory ran short. The first use in the
    // process reads the index file and starts the worker; neither waits for the disk walk.
    static std::shared_ptr<FolderSetIndex> For(const char* root);
    // The index file of a folder: false when the local application-data folder is unknown.
    static bool GetFilePath(const char* root, std::string& path);

    FolderSetIndex(const FolderSetIndex&) = delete;
    FolderSetIndex& operator=(const FolderSetIndex&) = delete;

    // The pictures known now; complete, when given, tells whether they are all of them.
    size_t GetCount(bool* complete = nullptr);
    // The full path of picture i; false past the end or when it does not fit size bytes.
    bool GetPath(size_t i, char* path, size_t size);
    // Waits until more than have pictures are known or the list is complete, at most ms.
    void WaitForMore(size_t have, DWORD ms);
    // Starts a check of the folders' times unless one runs, or ran within the last hour
    // when not forced.
    void Check(bool force);

private:
    struct Folder {
        std::string rel;
        FILETIME written;
    };
    // Picture paths below the root, each with its terminator, and where each starts.
    struct Pictures {
        std::string names;
        std::vector<DWORD> at;
        void Add(const char* rel);
        void Clear();
    };
    enum Job { jobCheck, jobWalk };
    class WalkSink;

    explicit FolderSetIndex(const std::string& root);
    bool Load();
    bool Save(const Pictures& pictures, const std::vector<Folder>& folders) const;
    void Start(Job job);
    static DWORD WINAPI WorkerProc(void* param);
    void Work(Job job);
    bool IsUpToDate();
    void Walk(bool live);

    const std::string root;
    CritSec cs;             // guards everything below
    Pictures pictures;
    std::vector<Folder> folders;
    bool bComplete;         // pictures hold a whole walk
    bool bWorking;          // the worker runs
    bool bAgain;            // a check was asked for while it ran
    DWORD dwChecked;        // tick count when the last check started
    bool bChecked;          // a check ever started
    FwHandle hMore;         // set when pictures were added or the list became complete
    FwHandle hWorker;
};
