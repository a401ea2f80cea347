#include "PicturePreparer.h"
#include <process.h>
#include "base/DrawUtil.h"
#include "base/OleScope.h"
#include "base/FwDC.h"
#include "picture/iPicture.h"

namespace {

const DWORD kExitWait = 10000; // longest wait for a worker to end, at exit or after its frame

// Workers whose preparer went before they ended. The process waits for them at exit, so
// that none is cut off while it holds a lock of the picture loader or the heap.
class UnfinishedWorkers {
public:
    UnfinishedWorkers() = default;
    ~UnfinishedWorkers()
    {
        for (auto& thread : threads)
            WaitForSingleObject(*thread, kExitWait);
    }
    UnfinishedWorkers(const UnfinishedWorkers&) = delete;
    UnfinishedWorkers& operator=(const UnfinishedWorkers&) = delete;
    void Add(std::unique_ptr<FwHandle> thread) { threads.push_back(std::move(thread)); }

private:
    std::vector<std::unique_ptr<FwHandle>> threads;
};

UnfinishedWorkers& Unfinished()
{
    static UnfinishedWorkers workers;
    return workers;
}

} // namespace

PicturePreparer::PicturePreparer() {}

PicturePreparer::~PicturePreparer()
{
    if (job)
        job->bCancel = true;
    if (!Wait(0))
        Unfinished().Add(std::move(thread));
}

bool PicturePreparer::Start(int cx, int cy, const std::vector<FramePicture>& pictures, HWND hNotify,
                            UINT msgDone)
{
    if (IsBusy())
        return false;
    thread.reset();
    job = std::make_shared<Job>();
    job->cx = cx;
    job->cy = cy;
    job->pictures = pictures;
    job->hNotify = hNotify;
    job->msgDone = msgDone;
    // The thread holds its own reference: the job outlives a preparer that goes first.
    std::unique_ptr<std::shared_ptr<Job>> pJob(new std::shared_ptr<Job>(job));
    HANDLE h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, pJob.get(), 0, nullptr));
    if (h) {
        pJob.release(); // the thread's now
        thread.reset(new FwHandle(h));
    } else {
        Prepare(*job);
    }
    return true;
}

bool PicturePreparer::IsBusy() const
{
    return job && !job->bDone;
}

bool PicturePreparer::Wait(DWORD ms) const
{
    return !thread || !thread->IsReady() || WaitForSingleObject(*thread, ms) != WAIT_TIMEOUT;
}

std::unique_ptr<GdiObject> PicturePreparer::Take()
{
    if (!job || IsBusy())
        return nullptr;
    // The worker has posted its notice and is only ending now.
    if (!Wait(kExitWait))
        Unfinished().Add(std::move(thread));
    thread.reset();
    std::unique_ptr<GdiObject> bitmap = std::move(job->bitmap);
    job.reset();
    return bitmap;
}

unsigned __stdcall PicturePreparer::ThreadProc(void* pJob)
{
    std::unique_ptr<std::shared_ptr<Job>> hold(static_cast<std::shared_ptr<Job>*>(pJob));
    Prepare(**hold);
    return 0;
}

void PicturePreparer::Prepare(Job& job)
{
    try {
        Run(job);
    } catch (...) {
        // A frame that could not be made is reported all the same: the slideshow goes on.
    }
    job.bDone = true;
    if (job.hNotify && !job.bCancel)
        PostMessageA(job.hNotify, job.msgDone, 0, 0);
}

void PicturePreparer::Run(Job& job)
{
    OleScope com;
    FwDC screen;
    MemoryDC frame(screen);
    std::unique_ptr<GdiObject> bitmap(new GdiObject(CreateCompatibleBitmap(screen, job.cx, job.cy)));
    if (!screen.hDC || !frame.hDC || !bitmap->hObj)
        return;
    {
        DCSelection select(frame.hDC, bitmap->hObj);
        RECT all = {0, 0, job.cx, job.cy};
        FillBlack(frame.hDC, all);
        for (const FramePicture& pict : job.pictures) {
            if (job.bCancel)
                return;
            iPicture picture;
            picture.BlastInto(frame.hDC, pict.rc, pict.path.c_str(), 1, pict.pszCopyright,
                              pict.caption.empty() ? nullptr : pict.caption.c_str(), 1, pict.blurEdges);
        }
    }
    job.bitmap = std::move(bitmap);
}
