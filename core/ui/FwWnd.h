// FwWnd: an object bound to one window. Messages reach OnMessage; what it does not
// handle goes to the window's previous procedure.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwWnd {
public:
    HWND hWnd;
    int bAutoDelete;
    WNDPROC pfnPrevWndProc;

    // The object about to be bound to a window that is being created.
    static FwWnd* pWndInit;

    FwWnd();
    virtual ~FwWnd();
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    static int RegisterClassExA(const char* pszClass, UINT style, HICON hIcon, HICON hIconSm,
                                HBRUSH hbrBackground, HCURSOR hCursor, const char* pszMenu,
                                int cbClsExtra, int cbWndExtra);
    static int UnregisterClassA(const char* pszClass);
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int Create(const char* pszClass, const char* pszName, DWORD style, int x, int y, int cx,
               int cy, HWND hParent, HMENU hMenu, void* pParam);
    int CreateEx(DWORD exStyle, const char* pszClass, const char* pszName, DWORD style, int x,
                 int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam);
    int Subclass(HWND hWndSub);
    int Unsubclass();
    int Attach(HWND hWndNew);
    HWND Detach();
    int Destroy();
    int IsReady() const;

    operator HWND() const { return this ? hWnd : nullptr; }
    BOOL Invalidate(const RECT* pRect = nullptr, BOOL bErase = TRUE);
    LRESULT SendMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostCmd(WORD id, HWND hCtl = nullptr, WORD code = 0);
    HWND SetFocus();
    BOOL Enable(BOOL bEnable = TRUE);
    BOOL Show(BOOL bShow = TRUE);
    int GetTextLength();
    int GetText(char* psz, int cch);
    BOOL SetText(const char* psz);
    DWORD GetStyle(BOOL bEx = FALSE);
    DWORD SetStyle(DWORD style, BOOL bEx = FALSE);
    DWORD SetStyleBits(DWORD bits, BOOL bOn);
    DWORD ModifyStyle(DWORD remove, DWORD add, BOOL bEx = FALSE);
    void SetIcon(HICON hIcon, UINT which = 3);
    HWND GetParent();
    HWND GetTopParent();
    void EnableAllControls(BOOL bEnable);
    BOOL SetTextFmt(const char* pszFormat, ...);
    BOOL SetTextFmt(HINSTANCE hInst, UINT idString, ...);
    BOOL SetText(UINT idString, ...);
    int OnBrowseForFile(int bSave, const char* pszTitle, const char* pszFilter,
                        const char* pszDefExt, const char* pszInitialDir, UINT flags);
    int OnBrowseForFolder(const char* pszTitle, UINT flags);

protected:
    int CommonSubclass(HWND hWndSub);
    int CommonUnsubclass();
    static FwWnd* GetWnd(HWND hWnd);
    static BOOL CALLBACK EnableAllControlsCallBack(HWND hWnd, LPARAM lParam);
};
