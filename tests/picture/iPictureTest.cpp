// Real JPEG files loaded, rendered, fitted and blasted, checked by pixels on memory DCs; the
// file and stream the loader reads through; the device-context holder and the bitmap helper.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "options/Opts.h"
#include "base/DrawUtil.h"
#include "base/FwDC.h"
#include "picture/FwFile.h"
#include "picture/FwFileStream.h"
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

static std::vector<long> Corners(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

TEST(iPicture, FailedLoadsKeepOrReleaseThePictureAndRendersIntoTheTarget)
{
    ScratchDir dir;
    iPicture pict;
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(0, pict.GetImageSize(nullptr).cx) << "nothing held";
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    IUnknown* first = pict.pUnk;
    first->AddRef();
    // A file that cannot be opened leaves the picture held.
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(first, pict.pUnk);
    // A second picture releases the first: our reference is the last one left.
    ASSERT_EQ(1, pict.Load(Fixture("green_1000x500.jpg").c_str()));
    EXPECT_EQ(0u, first->Release());
    // Data the loader rejects leaves the holder empty.
    ASSERT_TRUE(WriteFileBytes(dir / "bad.jpg", "plain", 5));
    EXPECT_EQ(0, pict.Load((dir / "bad.jpg").c_str()));
    EXPECT_EQ(nullptr, pict.pUnk);
    Canvas big(700, 500);
    EXPECT_EQ(0, pict.Render(big.Dc(), RECT{0, 0, 10, 10}, nullptr)) << "nothing held";
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    // A single-point target means the natural size at that point.
    ASSERT_EQ(1, pict.Render(big.Dc(), RECT{10, 5, 10, 5}, nullptr));
    EXPECT_TRUE(IsRed(big.Pixel(10, 5)) && IsBlue(big.Pixel(649, 484)));
    EXPECT_TRUE(IsBlack(big.Pixel(650, 484)) && IsBlack(big.Pixel(649, 485)));
    // Black and white columns, about three to a pixel, keep their average brightness.
    ASSERT_EQ(1, pict.Load(Fixture("stripes_400x300.jpg").c_str()));
    Canvas small(130, 75);
    ASSERT_EQ(1, pict.Render(small.Dc(), RECT{0, 0, 130, 75}, nullptr));
    long sum = 0;
    for (int x = 0; x < 130; ++x)
        sum += small.Pixel(x, 30).g;
    EXPECT_NEAR(128, sum / 130, 30);
}

// Smaller pictures are enlarged only when asked; larger ones always shrink; an odd
// remainder leaves the extra pixel at the right and bottom; an empty rectangle means the
// window's area, and without a DC the window's own DC measures the picture.
TEST(iPicture, FitsKeepingTheAspectRatio)
{
    FrameWindow frame(800, 600);
    ASSERT_TRUE(frame);
    const struct Case { const char* fixture; RECT rect; int enlarge; bool withDC; RECT fitted; } cases[] = {
        {"halves_640x480.jpg", {0, 0, 800, 600}, 1, true, {0, 0, 800, 600}},
        {"green_1000x500.jpg", {0, 0, 800, 600}, 0, true, {0, 100, 800, 500}},
        {"green_40x200.jpg", {0, 0, 800, 600}, 1, true, {340, 0, 460, 600}},
        {"halves_640x480.jpg", {0, 0, 801, 601}, 0, true, {80, 60, 721, 541}},
        {"green_1000x500.jpg", {10, 20, 810, 520}, 0, true, {10, 70, 810, 470}},
        {"green_1000x500.jpg", {5, 5, 5, 300}, 1, true, {0, 100, 800, 500}},
        {"halves_640x480.jpg", {0, 0, 0, 0}, 0, false, {80, 60, 720, 540}},
    };
    Canvas canvas(8, 8);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fixture << " in " << testing::PrintToString(Corners(c.rect)));
        iPicture pict;
        ASSERT_EQ(1, pict.Load(Fixture(c.fixture).c_str()));
        RECT rc = c.rect;
        pict.GetBestFitRect(frame, rc, c.withDC ? canvas.Dc() : nullptr, c.enlarge);
        EXPECT_EQ(Corners(c.fitted), Corners(rc));
    }
}

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
        EXPECT_TRUE(!IsBlack(canvas.Pixel(pic.left, pic.top)) && !IsBlack(canvas.Pixel(pic.right - 1, pic.bottom - 1)));
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

TEST(FwDC, CreatesDeletesAndRestores)
{
    HDC created;
    {
        FwDC display;
        ASSERT_NE(nullptr, created = display);
    }
    EXPECT_EQ(0u, GetObjectType(created)) << "deleted with its holder";
    Canvas canvas(4, 4);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    {
        FwDC saved(canvas.Dc(), 1);
        SetTextColor(saved, RGB(9, 9, 9));
    }
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.Dc())) << "state restored";
    EXPECT_EQ(OBJ_MEMDC, GetObjectType(canvas.Dc())) << "a given DC is not deleted";
}

// A whole 6 x 4 bitmap, left half black, right half blue, at its own size (parts of one are
// drawn by the check-list box's tests).
TEST(DrawUtil, DrawsWholeBitmapsAtTheirOwnSize)
{
    std::vector<DWORD> bits(24, 0x1E1EDC);
    for (int row = 0; row < 24; row += 6)
        std::fill_n(&bits[row], 3, 0);
    HBITMAP bitmap = CreateBitmap(6, 4, 1, 32, bits.data());
    ASSERT_NE(nullptr, bitmap);
    Canvas target(20, 20);
    target.Fill(RGB(220, 30, 30));
    EXPECT_EQ(1, DrawBitmap(target.Dc(), bitmap, 2, 3, 0, 0, 0, 0));
    DeleteObject(bitmap);
    EXPECT_TRUE(IsBlack(target.Pixel(2, 3)) && IsBlue(target.Pixel(7, 6)));
    EXPECT_TRUE(IsRed(target.Pixel(8, 6)) && IsRed(target.Pixel(7, 7)));
}

TEST(FwFile, ExactCountsPositionsSizesAndMapping)
{
    ScratchDir dir;
    std::string path = dir / "values.bin", copy = dir / "copy.bin";
    ASSERT_TRUE(WriteFileBytes(path, "\x11\x22\x33\x44\x55\x66\x77", 7));
    FwFile file(path.c_str(), 0);
    EXPECT_EQ(7u, file.GetSize());
    BYTE bytes[10];
    DWORD done = 99;
    ASSERT_EQ(1, file.ReadBin(bytes, 7, &done));
    EXPECT_EQ(7u, done);
    EXPECT_EQ(0, memcmp(bytes, "\x11\x22\x33\x44\x55\x66\x77", 7));
    // Past the end: a short read fails but reports what it got.
    EXPECT_EQ(3u, file.MoveTo(-4, FILE_END));
    EXPECT_EQ(0, file.ReadBin(bytes, 10, &done));
    EXPECT_EQ(4u, done);
    // Six bytes copied (the one left is too few for six more), cut to four and mapped.
    file.MoveTo(0);
    {
        FwFile out(copy.c_str(), 1);
        EXPECT_EQ(1, out.CopyBinFrom(file, bytes, 6));
        EXPECT_EQ(0, out.CopyBinFrom(file, bytes, 6));
        EXPECT_EQ(4u, out.MoveTo(4));
        EXPECT_EQ(1, out.SetEndOfFile());
        ASSERT_EQ(1, out.OpenMap());
        EXPECT_EQ(0, memcmp(out.pView, "\x11\x22\x33\x44", 4));
        out.Close();
        EXPECT_EQ(nullptr, out.pView);
    }
}

TEST(FwFileStream, ReadsAndThirtyTwoBitSeeks)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / "data.bin", "0123456789", 10));
    FwFile file;
    ASSERT_TRUE(file.Open((dir / "data.bin").c_str(), 0));
    FwFileStream stream(&file);
    // A short read at the end is no error; a fault while reading (here: nowhere to put
    // the count) is reported, not raised.
    char buf[16] = {};
    ULONG done = 0;
    EXPECT_EQ(S_OK, stream.Read(buf, 4, &done));
    EXPECT_EQ(S_OK, stream.Read(buf, 16, &done));
    EXPECT_EQ(6u, done);
    EXPECT_STREQ("456789", buf);
    EXPECT_EQ(E_UNEXPECTED, stream.Read(buf, 1, reinterpret_cast<ULONG*>(0x10)));
    // Moves are 32-bit: 2^32 - 1 is taken as -1, 2^32 is refused; so is a move before the
    // start. A refused move leaves the position.
    const struct Case { LONGLONG move; DWORD origin; HRESULT hr; char next; } cases[] = {
        {3, STREAM_SEEK_SET, S_OK, '3'},
        {0x100000000LL, STREAM_SEEK_SET, E_NOTIMPL, '4'},
        {0xFFFFFFFFLL, STREAM_SEEK_CUR, S_OK, '4'},
        {-20, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, '5'},
        {-1, STREAM_SEEK_END, S_OK, '9'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.move);
        LARGE_INTEGER move;
        move.QuadPart = c.move;
        ULARGE_INTEGER pos = {};
        EXPECT_EQ(c.hr, stream.Seek(move, c.origin, &pos));
        EXPECT_EQ(c.hr == S_OK ? c.next - '0' : 0, static_cast<int>(pos.QuadPart));
        char next = 0;
        EXPECT_EQ(S_OK, stream.Read(&next, 1, nullptr));
        EXPECT_EQ(c.next, next);
    }
}
