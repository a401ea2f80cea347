// PicturePreparer: draws the next frame of the slideshow (each monitor's picture fitted
// into its part, with caption and copyright line) into a bitmap on a worker thread, so the
// window's thread stays free for input while a large photo is decoded and scaled.
#pragma once
#include <windows.h>
#include <atomic>
#include <memory>
#include <string>
#include <vector>
#include "base/FwHandle.h"
#include "base/GdiHolders.h"

// One picture of a frame: its part of the bitmap and what is drawn there.
struct FramePicture {
    RECT rc;
    std::string path;      // empty: the error text is shown
    std::string caption;   // empty: none
    const char* pszCopyright; // static text or null
    int blurEdges;         // 1: the blurred picture around it instead of black
};

class PicturePreparer {
public:
    PicturePreparer();
    // A preparation still running is told to stop and left to end on its own; the process
    // waits for it at exit.
    ~PicturePreparer();
    PicturePreparer(const PicturePreparer&) = delete;
    PicturePreparer& operator=(const PicturePreparer&) = delete;

    // Starts drawing the pictures into a new cx x cy bitmap, black where no picture goes.
    // hNotify (may be null) is posted msgDone when the bitmap is ready or could not be
    // made. When no thread
    // can be started the frame is drawn at once on the calling thread. False while an
    // earlier preparation is still running.
    bool Start(int cx, int cy, const std::vector<FramePicture>& pictures, HWND hNotify, UINT msgDone);
    bool IsBusy() const;
    // A preparation was started and its frame not taken yet.
    bool IsStarted() const { return job != nullptr; }
    // The finished frame, or null when it is not ready (or could not be made).
    std::unique_ptr<GdiObject> Take();
    // Waits for a running preparation; true when none runs any more.
    bool Wait(DWORD ms) const;

private:
    struct Job {
        int cx, cy;
        std::vector<FramePicture> pictures;
        HWND hNotify;
        UINT msgDone;
        std::atomic<bool> bCancel{false};
        std::atomic<bool> bDone{false}; // set before the notice; the thread may still be ending
        std::unique_ptr<GdiObject> bitmap;
    };
    std::shared_ptr<Job> job;
    std::unique_ptr<FwHandle> thread;

    static unsigned __stdcall ThreadProc(void* pJob);
    // Draws the frame, then marks the job done and posts the notice.
    static void Prepare(Job& job);
    static void Run(Job& job);
};
