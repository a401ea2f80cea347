// iPicture::Blast: the one drawing of a photo, shared by the slideshow and the wallpaper.
#include "picture/iPicture.h"
#include <string>
#include "base/DrawUtil.h"
#include "base/FwDC.h"
#include "base/FaultGuard.h"
#include "base/GdiHolders.h"
#include "base/Mbcs.h"
#include "picture/BlurredEdges.h"

namespace {

const int kCaptionGap = 2;          // between the picture's foot and the caption
const int kCopyrightPadding = 2;    // added to the copyright text's height
const int kCopyrightMinLine = 20;   // line height when the text measures 0 high
const COLORREF kCaptionColor = RGB(255, 255, 255);
const COLORREF kCopyrightColor = RGB(127, 127, 127);
const char kErrorText[] = "Error loading the image.";

// Text extent in the DC's current font; 0 x 0 when it cannot be measured.
SIZE MeasureText(HDC hdc, const char* psz, int len)
{
    SIZE size = {0, 0};
    if (!GetTextExtentPoint32A(hdc, psz, len, &size)) {
        size.cx = 0;
        size.cy = 0;
    }
    return size;
}

// Left edge of a text of the given width centred over [left, right), never left of the
// frame's left edge.
int CentredX(const RECT& rc, int textWidth, int frameLeft)
{
    int x = rc.left + (rc.right - rc.left - textWidth) / 2;
    return x < frameLeft ? frameLeft : x;
}

// The copyright text's byte 0xA9 is the copyright sign on code page 1252 only: on 932 it is
// a katakana, on 936, 949 and 950 a lead byte. The line is drawn wide: that byte as U+00A9,
// every other character converted from the ANSI code page.
std::wstring CopyrightToWide(const char* psz)
{
    std::wstring wide;
    const char* run = psz;
    auto flush = [&](const char* end) {
        int n = static_cast<int>(end - run);
        int cch = n ? MultiByteToWideChar(CP_ACP, 0, run, n, nullptr, 0) : 0;
        if (cch > 0) {
            size_t at = wide.size();
            wide.resize(at + cch);
            MultiByteToWideChar(CP_ACP, 0, run, n, &wide[at], cch);
        }
    };
    const char* p = psz;
    while (*p) {
        if (IsLead(*p) && p[1]) {
            p += 2;
        } else if (static_cast<unsigned char>(*p) == 0xA9) {
            flush(p);
            wide += L'\u00A9';
            run = ++p;
        } else {
            ++p;
        }
    }
    flush(p);
    return wide;
}

// The frame around a drawn picture filled with its blurred copy; a picture that did not
// render leaves the black frame, as without the option.
void FillEdges(HDC hdc, const RECT& frame, const RECT& picture, int rendered)
{
    if (rendered)
        FillBlurredEdges(hdc, frame, picture);
    else
        FillBlack(hdc, frame);
}

} // namespace

void iPicture::Blast(HWND hWnd, const char* pszPath, int enlarge, HDC hdc,
                     const char* pszCopyrightText, const char* pszCaption, int showError)
{
    if (!hWnd)
        hWnd = GetDesktopWindow();
    RECT frame;
    if (!GetClientRect(hWnd, &frame))
        SetRectEmpty(&frame);
    BlastInto(hdc, frame, pszPath, enlarge, pszCopyrightText, pszCaption, showError, 0);
}

void iPicture::BlastInto(HDC hdc, const RECT& frame, const char* pszPath, int enlarge,
                         const char* pszCopyrightText, const char* pszCaption, int showError,
                         int blurEdges)
{
    if (!hdc || IsRectEmpty(&frame))
        return;
    // Every drawing of one frame stays inside it (a frame is one part of a bigger bitmap when
    // each monitor has its own picture); the clip goes with the saved state.
    FwDC clip(hdc, 1);
    if (clip.bRestore)
        IntersectClipRect(hdc, frame.left, frame.top, frame.right, frame.bottom);
    // A fault or exception ends the drawing where it is; what was drawn stays. A fault
    // while loading counts as a failed load.
    int loaded = 0;
    RunGuarded([&] {
        loaded = Load(pszPath);
        if (loaded)
            DrawPicture(frame, enlarge, hdc, pszCopyrightText, pszCaption, blurEdges);
    });
    if (loaded || !showError)
        return;
    RunGuarded([&] {
        FillBlack(hdc, frame);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kCaptionColor);
        TextOutA(hdc, frame.left + 10, frame.top + 10, kErrorText, lstrlenA(kErrorText));
    });
}

void iPicture::DrawPicture(const RECT& frame, int enlarge, HDC hdc, const char* pszCopyrightText,
                           const char* pszCaption, int blurEdges)
{
    // With blurred edges the picture goes first: the background is made from its pixels,
    // around it.
    if (!blurEdges)
        FillBlack(hdc, frame);
    RECT picture = frame;
    int rendered = 0;
    if (!pszCaption) {
        GetBestFitRect(nullptr, picture, hdc, enlarge);
        rendered = Render(hdc, picture, nullptr);
    } else {
        DCSelection font(hdc, GetStockObject(DEFAULT_GUI_FONT));
        int len = lstrlenA(pszCaption);
        SIZE caption = MeasureText(hdc, pszCaption, len);
        GetBestFitRect(nullptr, picture, hdc, enlarge);
        // Make room for the caption inside the frame: the picture shrinks within the
        // first fit's left and right edges.
        int captionBottom = picture.bottom + caption.cy + kCaptionGap;
        if (captionBottom > frame.bottom) {
            int bottom = frame.bottom - caption.cy - kCaptionGap;
            if (bottom > picture.top) {
                picture.bottom = bottom;
                GetBestFitRect(nullptr, picture, hdc, enlarge);
            }
        }
        rendered = Render(hdc, picture, nullptr);
        if (blurEdges)
            FillEdges(hdc, frame, picture, rendered);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kCaptionColor);
        TextOutA(hdc, CentredX(picture, caption.cx, frame.left), picture.bottom + kCaptionGap, pszCaption, len);
    }

    if (blurEdges && !pszCaption)
        FillEdges(hdc, frame, picture, rendered);
    if (pszCopyrightText) {
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kCopyrightColor);
        DCSelection font(hdc, GetStockObject(DEFAULT_GUI_FONT));
        std::wstring line = CopyrightToWide(pszCopyrightText);
        int len = static_cast<int>(line.size());
        SIZE text = {0, 0};
        if (!GetTextExtentPoint32W(hdc, line.c_str(), len, &text))
            text.cx = text.cy = 0;
        int lineHeight = text.cy ? text.cy + kCopyrightPadding : kCopyrightMinLine;
        TextOutW(hdc, CentredX(picture, text.cx, frame.left), picture.bottom - lineHeight, line.c_str(), len);
    }
}

