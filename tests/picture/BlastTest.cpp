// Blast's layout checked by pixels on a memory DC: black frame, fitted picture, caption
// under it, copyright line over its foot, error text.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "options/Opts.h"
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

namespace {

const char kCopyright[] = "Copyright line";

// A text's extent in the default GUI font, or in the DC's own font.
SIZE TextSize(HDC hdc, const char* text, bool guiFont = true)
{
    HGDIOBJ old = guiFont ? SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT)) : nullptr;
    SIZE size = {};
    GetTextExtentPoint32A(hdc, text, lstrlenA(text), &size);
    if (old)
        SelectObject(hdc, old);
    return size;
}

// Blasts a picture into a green canvas the size of a frame window, or of the desktop's.
struct BlastRun {
    FrameWindow frame;
    Canvas canvas;
    std::string before;
    BlastRun(int w, int h, const std::string& path, const char* caption, const char* copyright,
             int enlarge = 1, int showError = 1, bool desktop = false)
        : frame(w, h), canvas(w, h)
    {
        canvas.Fill(RGB(10, 200, 30));
        before = canvas.Snapshot();
        iPicture().Blast(desktop ? nullptr : HWND(frame), path.c_str(), enlarge, canvas.Dc(), copyright, caption,
                         showError);
    }
};

int CALLBACK CollectWideText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM texts)
{
    if (rec->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* text = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        const BYTE* chars = reinterpret_cast<const BYTE*>(rec) + text->emrtext.offString;
        reinterpret_cast<std::vector<std::wstring>*>(texts)->emplace_back(
            reinterpret_cast<const wchar_t*>(chars), text->emrtext.nChars);
    }
    return 1;
}

} // namespace

// The picture fills its fitted rectangle; the caption stands in white 2 pixels under it,
// centred but never left of the frame; the copyright line is grey, centred in a line of
// its text's height + 2 ending at the picture's foot; every other pixel is black.
TEST(Blast, PictureCaptionAndCopyrightLayout)
{
    Canvas probe(1, 1);
    const std::string wide = "W" + std::string(120, ' ');
    ASSERT_GT(TextSize(probe.Dc(), wide.c_str()).cx, 200);
    // Refitted above the caption: as high as the frame less the caption's line.
    const int shrunkH = 300 - TextSize(probe.Dc(), "Caption").cy - 2, shrunkW = MulDiv(shrunkH, 400, 300);
    const int narrowH = 300 - TextSize(probe.Dc(), "W").cy - 2, narrowW = MulDiv(narrowH, 40, 200);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const struct Case {
        const char *what, *fixture, *caption, *copyright;
        int width, height, enlarge;
        RECT picture;
    } cases[] = {
        {"room for the caption", "halves_400x300.jpg", "Caption", kCopyright, 400, 400, 1, {0, 50, 400, 350}},
        {"shrunk for the caption", "halves_400x300.jpg", "Caption", nullptr, 400, 300, 1,
         {(400 - shrunkW) / 2, 0, 400 - (400 - shrunkW) / 2, shrunkH}},
        {"caption wider than the frame", "green_40x200.jpg", wide.c_str(), nullptr, 200, 300, 1,
         {(200 - narrowW) / 2, 0, 200 - (200 - narrowW) / 2, narrowH}},
        {"no window: the desktop's area", "halves_640x480.jpg", nullptr, nullptr, cx, cy, 0,
         {(cx - 640) / 2, (cy - 480) / 2, (cx - 640) / 2 + 640, (cy - 480) / 2 + 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BlastRun run(c.width, c.height, Fixture(c.fixture), c.caption, c.copyright, c.enlarge, 1, c.width == cx);
        const Canvas& canvas = run.canvas;
        const RECT& pic = c.picture;
        EXPECT_FALSE(IsBlack(canvas.Pixel(pic.left, pic.top)));
        EXPECT_FALSE(IsBlack(canvas.Pixel(pic.right - 1, pic.bottom - 1)));
        SIZE cap = c.caption ? TextSize(canvas.Dc(), c.caption) : SIZE{};
        int capX = std::max(0L, pic.left + (pic.right - pic.left - cap.cx) / 2);
        RECT capBox = {capX, pic.bottom + 2, capX + cap.cx, pic.bottom + 2 + cap.cy};
        SIZE copy = c.copyright ? TextSize(canvas.Dc(), c.copyright) : SIZE{};
        int copyX = pic.left + (pic.right - pic.left - copy.cx) / 2;
        RECT copyBox = {copyX, pic.bottom - copy.cy - 2, copyX + copy.cx, pic.bottom};
        int white = 0, grey = 0, stray = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                Rgb p = canvas.Pixel(x, y);
                POINT at = {x, y};
                if (PtInRect(&capBox, at))
                    white += IsWhite(p);
                else if (PtInRect(&copyBox, at))
                    grey += IsCopyrightGrey(p);
                else
                    stray += PtInRect(&pic, at) ? IsWhite(p) || IsCopyrightGrey(p) : !IsBlack(p);
            }
        EXPECT_EQ(0, stray);
        EXPECT_EQ(c.caption != nullptr, white > 5);
        EXPECT_EQ(c.copyright != nullptr, grey > 10);
    }
}

// A picture that does not load: without showError the DC stays untouched; with it, white
// text in the DC's own font at (10, 10) and black everywhere else.
TEST(Blast, FailedLoadDrawsNothingOrTheErrorText)
{
    BlastRun quiet(300, 200, Fixture("missing.jpg"), "Caption", kCopyright, 1, 0);
    EXPECT_EQ(quiet.before, quiet.canvas.Snapshot());
    BlastRun run(300, 200, Fixture("missing.jpg"), "Caption", kCopyright, 1, 1);
    const Canvas& c = run.canvas;
    SIZE text = TextSize(c.Dc(), "Error loading the image.", false);
    auto notBlack = [](Rgb p) { return !IsBlack(p); };
    EXPECT_GT(c.Count(10, 10, 10 + text.cx, 10 + text.cy, IsWhite), 20);
    EXPECT_EQ(c.Count(10, 10, 10 + text.cx, 10 + text.cy, notBlack), c.Count(0, 0, 300, 200, notBlack));
}

// The copyright text's byte 0xA9 is a katakana on code page 932: the line must reach GDI as
// the sign U+00A9 on every code page. A metafile records the wide text handed over.
TEST(Blast, CopyrightSignOnEveryCodePage)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    FrameWindow frame(400, 400);
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hdc);
    iPicture().Blast(frame, Fixture("halves_400x300.jpg").c_str(), 1, hdc, Opts::pszCopyrightText, nullptr, 1);
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    std::vector<std::wstring> texts;
    EnumEnhMetaFile(nullptr, emf, CollectWideText, &texts, nullptr);
    DeleteEnhMetaFile(emf);
    EXPECT_EQ(std::vector<std::wstring>{L"Photographs \u00A9 Corvane Software"}, texts);
}
