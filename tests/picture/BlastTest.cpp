// Blast's layout checked by pixels on a memory DC: black frame, fitted picture, caption
// under it, copyright line over its foot, error text.
#include <gtest/gtest.h>
#include <vector>
#include "options/Opts.h"
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

namespace {

const char kCopyright[] = "Copyright line";

SIZE TextSize(HDC hdc, const char* text, bool guiFont)
{
    HGDIOBJ old = guiFont ? SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT)) : nullptr;
    SIZE size = {};
    GetTextExtentPoint32A(hdc, text, lstrlenA(text), &size);
    if (old)
        SelectObject(hdc, old);
    return size;
}

// Blasts a fixture into a canvas the size of a frame window.
struct BlastRun {
    BlastRun(int w, int h, const std::string& path, const char* caption, const char* copyright,
             int enlarge = 1, int showError = 1)
        : frame(w, h), canvas(w, h)
    {
        canvas.Fill(RGB(10, 200, 30));
        before = canvas.Snapshot();
        iPicture pict;
        pict.Blast(frame, path.c_str(), enlarge, canvas.Dc(), copyright, caption, showError);
    }
    int CountWhite(int x0, int y0, int x1, int y1) const { return canvas.Count(x0, y0, x1, y1, IsWhite); }
    FrameWindow frame;
    Canvas canvas;
    std::string before;
};

int CALLBACK CollectWideText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM texts)
{
    if (rec->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* text = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(rec) + text->emrtext.offString);
        reinterpret_cast<std::vector<std::wstring>*>(texts)->emplace_back(chars, text->emrtext.nChars);
    }
    return 1;
}

} // namespace

TEST(Blast, LandscapeWithCaptionBelowAndCopyrightOverItsFoot)
{
    // 400 x 300 in 400 x 400: full width, rows 50 to 349, room below for the caption.
    BlastRun run(400, 400, Fixture("halves_400x300.jpg"), "Caption", kCopyright);
    const Canvas& c = run.canvas;
    SIZE cap = TextSize(c.Dc(), "Caption", true), copy = TextSize(c.Dc(), kCopyright, true);
    auto notBlack = [](Rgb p) { return !IsBlack(p); };
    EXPECT_EQ(0, c.Count(0, 0, 400, 50, notBlack)) << "black above";
    EXPECT_TRUE(IsRed(c.Pixel(0, 50)) && IsRed(c.Pixel(399, 60)) && IsRed(c.Pixel(200, 100)));
    EXPECT_TRUE(IsBlue(c.Pixel(0, 349)) && IsBlue(c.Pixel(399, 349)));
    EXPECT_EQ(0, c.Count(0, 350, 400, 352, notBlack)) << "2 pixels between picture and caption";

    // The caption: white, centred, from row 352 down; nothing else white.
    int x = (400 - cap.cx) / 2;
    EXPECT_GT(run.CountWhite(x, 352, x + cap.cx, 352 + cap.cy), 10);
    EXPECT_EQ(0, run.CountWhite(0, 0, 400, 352) + run.CountWhite(0, 352, x, 400) +
                     run.CountWhite(x + cap.cx, 352, 400, 400));
    EXPECT_EQ(0, c.Count(0, 352 + cap.cy, 400, 400, notBlack)) << "black below the caption";

    // The copyright line: grey, centred, in the line of text height + 2 ending at the foot.
    int top = 350 - (copy.cy + 2), cx = (400 - copy.cx) / 2;
    EXPECT_GT(c.Count(cx, top, cx + copy.cx, 350, IsCopyrightGrey), 10);
    EXPECT_EQ(0, c.Count(0, 0, 400, top, IsCopyrightGrey));
    EXPECT_EQ(0, c.Count(0, 350, 400, 400, IsCopyrightGrey));
}

TEST(Blast, PictureShrinksToMakeRoomForTheCaption)
{
    // 400 x 300 in 400 x 300 would fill the frame: it is refitted above the caption.
    BlastRun run(400, 300, Fixture("halves_400x300.jpg"), "Caption", nullptr);
    const Canvas& c = run.canvas;
    int capH = TextSize(c.Dc(), "Caption", true).cy;
    int bottom = 300 - capH - 2;
    int width = MulDiv(bottom, 400, 300);
    int left = (400 - width) / 2, right = 400 - left;
    EXPECT_TRUE(IsBlack(c.Pixel(left - 1, 20)) && IsRed(c.Pixel(left, 20)));
    EXPECT_TRUE(IsRed(c.Pixel(right - 1, 0)) && IsBlack(c.Pixel(right, 20)));
    EXPECT_TRUE(IsBlue(c.Pixel(200, bottom - 1)) && IsBlack(c.Pixel(200, bottom)));
    EXPECT_GT(run.CountWhite(0, bottom + 2, 400, 300), 10);
    EXPECT_EQ(0, run.CountWhite(0, 0, 400, bottom + 2));
}

TEST(Blast, CaptionWiderThanTheFrameStartsAtTheLeftEdge)
{
    // A "W" followed by blanks, wider than the frame: the W must stand at x = 0.
    std::string caption = "W" + std::string(120, ' ');
    BlastRun run(200, 300, Fixture("green_40x200.jpg"), caption.c_str(), nullptr);
    int capH = TextSize(run.canvas.Dc(), "W", true).cy;
    ASSERT_GT(TextSize(run.canvas.Dc(), caption.c_str(), true).cx, 200);
    EXPECT_GT(run.CountWhite(0, 300 - capH, 16, 300), 5);
    EXPECT_TRUE(IsGreen(run.canvas.Pixel(100, 10)));
}

TEST(Blast, NullWindowDrawsIntoTheDesktopsFrame)
{
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    Canvas canvas(cx, cy);
    iPicture pict;
    pict.Blast(nullptr, Fixture("halves_640x480.jpg").c_str(), 0, canvas.Dc(), nullptr, nullptr, 1);
    int left = (cx - 640) / 2, top = (cy - 480) / 2;
    EXPECT_TRUE(IsBlack(canvas.Pixel(left - 1, top + 10)) && IsRed(canvas.Pixel(left, top + 10)));
    EXPECT_TRUE(IsBlue(canvas.Pixel(left + 639, top + 479)) && IsBlack(canvas.Pixel(left + 640, top + 479)));
    EXPECT_TRUE(IsBlack(canvas.Pixel(cx / 2, top - 1)) && IsBlack(canvas.Pixel(cx / 2, top + 480)));
}

TEST(Blast, FailedLoadDrawsNothingOrTheErrorText)
{
    ScratchDir dir;
    std::string good = ReadFileBytes(Fixture("halves_640x480.jpg"));
    const std::string bad[] = {"plain text", good.substr(0, good.size() / 2)};
    std::vector<std::string> paths = {dir / "missing.jpg", Fixture("grey_20000x20000.jpg")};
    for (size_t i = 0; i < sizeof(bad) / sizeof(bad[0]); ++i) {
        paths.push_back(dir / ("bad" + std::to_string(i) + ".jpg"));
        ASSERT_TRUE(WriteFileBytes(paths.back(), bad[i].data(), bad[i].size()));
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        {
            BlastRun quiet(300, 200, path, "Caption", kCopyright, 1, 0);
            EXPECT_EQ(quiet.before, quiet.canvas.Snapshot()) << "DC untouched";
        }
        BlastRun run(300, 200, path, "Caption", kCopyright, 1, 1);
        if (path.find("grey_") != std::string::npos && IsBlack(run.canvas.Pixel(5, 100)) == false) {
            EXPECT_TRUE(Near(run.canvas.Pixel(150, 20), 128, 128, 128, 8)) << "the huge picture loaded";
            continue;
        }
        // White text in the DC's own font at (10, 10); black everywhere else.
        SIZE text = TextSize(run.canvas.Dc(), "Error loading the image.", false);
        const Canvas& c = run.canvas;
        EXPECT_GT(run.CountWhite(10, 10, 10 + text.cx, 10 + text.cy), 20);
        auto notBlack = [](Rgb p) { return !IsBlack(p); };
        EXPECT_EQ(0, c.Count(0, 0, 300, 10, notBlack) + c.Count(0, 0, 10, 200, notBlack) +
                         c.Count(0, 10 + text.cy, 300, 200, notBlack) +
                         c.Count(10 + text.cx, 0, 300, 200, notBlack));
    }
}

// The copyright text's byte 0xA9 is a katakana on code page 932: the line must reach GDI as
// the sign U+00A9 on every code page. A metafile records the wide text handed over.
TEST(Blast, CopyrightSignOnEveryCodePage)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    FrameWindow frame(400, 400);
    HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hdc);
    iPicture pict;
    pict.Blast(frame, Fixture("halves_400x300.jpg").c_str(), 1, hdc, Opts::pszCopyrightText, nullptr, 1);
    HENHMETAFILE emf = CloseEnhMetaFile(hdc);
    std::vector<std::wstring> texts;
    EnumEnhMetaFile(nullptr, emf, CollectWideText, &texts, nullptr);
    DeleteEnhMetaFile(emf);
    EXPECT_EQ(std::vector<std::wstring>{L"Photographs \u00A9 Corvane Software"}, texts);
}
