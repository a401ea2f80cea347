#include "picture/BlurredEdges.h"
#include <algorithm>
#include <cstdint>
#include <vector>
#include <memory>
#include <new>
#include "base/DrawUtil.h"
#include "base/FwDC.h"
#include "base/GdiHolders.h"

namespace {

// Pixels packed as 0x00RRGGBB (a 32-bit DIB's blue, green, red bytes), rows top down.
struct SmallImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

const int kShrink = 16;      // the blur is made at 1/16 of the frame's size
const int kBlurRadius = 2;   // three passes: a blur about 40 frame pixels wide
const int kDarken = 115;     // / 256: white text keeps a contrast of at least 4.5:1

SmallImage CoverShrink(const uint32_t* src, int srcWidth, int srcHeight, int stride, int width, int height);
void BoxBlur(SmallImage& image, int radius);
void Darken(SmallImage& image, int scale);
void EnlargeSmoothly(const SmallImage& image, uint32_t* dst, int width, int height, int stride);

// A 32-bit top-down bitmap header of width x height.
BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

// a and b mixed, b weighing w / 256; two channels share one multiplication.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t w)
{
    uint32_t rb = (((a & 0xFF00FF) * (256 - w) + (b & 0xFF00FF) * w) >> 8) & 0xFF00FF;
    uint32_t g = (((a & 0xFF00) * (256 - w) + (b & 0xFF00) * w) >> 8) & 0xFF00;
    return rb | g;
}

// For each of size target pixels, the first of its two source pixels and the second's
// weight (0 to 255): pixel centres map onto pixel centres, clamped at the edges.
void SmoothAxis(int srcSize, int size, std::vector<int>& first, std::vector<uint32_t>& weight)
{
    first.resize(size);
    weight.resize(size);
    for (int i = 0; i < size; ++i) {
        long long pos = ((2LL * i + 1) * srcSize - size) * 256 / (2LL * size);
        pos = std::max(0LL, std::min(pos, (srcSize - 1) * 256LL));
        first[i] = static_cast<int>(pos >> 8);
        weight[i] = static_cast<uint32_t>(pos & 255);
    }
}

// One box-blur pass along rows (step 1) or columns (step width).
void BlurLine(const uint32_t* src, uint32_t* dst, int count, int step, int radius)
{
    const int taps = 2 * radius + 1;
    for (int i = 0; i < count; ++i) {
        uint32_t r = 0, g = 0, b = 0;
        for (int k = i - radius; k <= i + radius; ++k) {
            uint32_t p = src[std::max(0, std::min(k, count - 1)) * step];
            r += (p >> 16) & 255;
            g += (p >> 8) & 255;
            b += p & 255;
        }
        dst[i * step] = (r / taps) << 16 | (g / taps) << 8 | (b / taps);
    }
}

// The blurred, darkened background of a frame of width x height made from the picture's
// pixels; empty when they cannot be read.
SmallImage MakeBackground(HDC hdc, const RECT& picture, int width, int height)
{
    const int pw = picture.right - picture.left, ph = picture.bottom - picture.top;
    BITMAPINFO bmi = TopDownInfo(pw, ph);
    void* bits = nullptr;
    GdiObject section(CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC mem(hdc);
    DCSelection select(mem.hDC, section.hObj);
    if (!bits || !select.IsReady() || !BitBlt(mem.hDC, 0, 0, pw, ph, hdc, picture.left, picture.top, SRCCOPY))
        return SmallImage();
    GdiFlush();
    SmallImage small = CoverShrink(static_cast<const uint32_t*>(bits), pw, ph, pw,
                                   std::max(1, (width + kShrink - 1) / kShrink),
                                   std::max(1, (height + kShrink - 1) / kShrink));
    BoxBlur(small, kBlurRadius);
    Darken(small, kDarken);
    return small;
}

void FillAround(HDC hdc, const RECT& frame, const RECT& picture, const void* pixels)
{
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    FwDC state(hdc, 1); // the excluded picture goes with the saved state
    ExcludeClipRect(hdc, picture.left, picture.top, picture.right, picture.bottom);
    if (pixels) {
        BITMAPINFO bmi = TopDownInfo(width, height);
        StretchDIBits(hdc, frame.left, frame.top, width, height, 0, 0, width, height, pixels, &bmi,
                      DIB_RGB_COLORS, SRCCOPY);
    } else {
        FillBlack(hdc, frame);
    }
}

// The middle part of src (srcWidth x srcHeight, stride in pixels) that has the shape of
// width x height, averaged down (or repeated up) to that size.
SmallImage CoverShrink(const uint32_t* src, int srcWidth, int srcHeight, int stride, int width, int height)
{
    SmallImage out;
    if (!src || srcWidth <= 0 || srcHeight <= 0 || width <= 0 || height <= 0)
        return out;
    // The crop of the picture that has the target's shape.
    int cropWidth = srcWidth, cropHeight = srcHeight;
    if (static_cast<long long>(srcWidth) * height > static_cast<long long>(srcHeight) * width)
        cropWidth = std::max(1, static_cast<int>(static_cast<long long>(srcHeight) * width / height));
    else
        cropHeight = std::max(1, static_cast<int>(static_cast<long long>(srcWidth) * height / width));
    const int left = (srcWidth - cropWidth) / 2, top = (srcHeight - cropHeight) / 2;
    // Each target pixel averages the source block it covers, at least one pixel.
    auto blockStart = [](int i, int crop, int size) { return static_cast<int>(static_cast<long long>(i) * crop / size); };
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    std::vector<uint32_t> sums(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        int y0 = blockStart(y, cropHeight, height);
        int y1 = std::max(y0 + 1, blockStart(y + 1, cropHeight, height));
        std::fill(sums.begin(), sums.end(), 0);
        int x0 = 0, x1 = 0;
        for (int x = 0; x < width; ++x) {
            x0 = blockStart(x, cropWidth, width);
            x1 = std::max(x0 + 1, blockStart(x + 1, cropWidth, width));
            uint32_t* sum = &sums[x * 3];
            for (int sy = y0; sy < y1; ++sy) {
                const uint32_t* row = src + static_cast<ptrdiff_t>(top + sy) * stride + left;
                for (int sx = x0; sx < x1; ++sx) {
                    uint32_t p = row[sx];
                    sum[0] += (p >> 16) & 255;
                    sum[1] += (p >> 8) & 255;
                    sum[2] += p & 255;
                }
            }
            uint32_t n = static_cast<uint32_t>((x1 - x0) * (y1 - y0));
            out.pixels[static_cast<size_t>(y) * width + x] = (sum[0] / n) << 16 | (sum[1] / n) << 8 | (sum[2] / n);
        }
    }
    return out;
}

// Three passes of a box blur across and down; the edges are repeated.
void BoxBlur(SmallImage& image, int radius)
{
    if (image.pixels.empty() || radius <= 0)
        return;
    std::vector<uint32_t> tmp(image.pixels.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < image.height; ++y)
            BlurLine(&image.pixels[static_cast<size_t>(y) * image.width], &tmp[static_cast<size_t>(y) * image.width],
                     image.width, 1, radius);
        for (int x = 0; x < image.width; ++x)
            BlurLine(&tmp[x], &image.pixels[x], image.height, image.width, radius);
    }
}

// Each channel times scale / 256.
void Darken(SmallImage& image, int scale)
{
    for (uint32_t& p : image.pixels)
        p = Mix(0, p, static_cast<uint32_t>(scale));
}

// image enlarged to width x height by linear interpolation between pixel centres, written
// to dst (stride in pixels).
void EnlargeSmoothly(const SmallImage& image, uint32_t* dst, int width, int height, int stride)
{
    if (image.pixels.empty() || width <= 0 || height <= 0)
        return;
    std::vector<int> firstX, firstY;
    std::vector<uint32_t> weightX, weightY;
    SmoothAxis(image.width, width, firstX, weightX);
    SmoothAxis(image.height, height, firstY, weightY);
    // Every small row enlarged across once; each target row mixes two of them.
    std::vector<uint32_t> rows(static_cast<size_t>(image.height) * width);
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = &image.pixels[static_cast<size_t>(y) * image.width];
        uint32_t* row = &rows[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            int i = firstX[x];
            row[x] = Mix(src[i], src[std::min(i + 1, image.width - 1)], weightX[x]);
        }
    }
    for (int y = 0; y < height; ++y) {
        int i = firstY[y];
        const uint32_t* a = &rows[static_cast<size_t>(i) * width];
        const uint32_t* b = &rows[static_cast<size_t>(std::min(i + 1, image.height - 1)) * width];
        uint32_t w = weightY[y];
        uint32_t* out = dst + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x)
            out[x] = Mix(a[x], b[x], w);
    }
}

} // namespace

void FillBlurredEdges(HDC hdc, const RECT& frame, const RECT& picture)
{
    RECT shown;
    if (!IntersectRect(&shown, &picture, &frame)) {
        FillBlack(hdc, frame);
        return;
    }
    if (EqualRect(&shown, &frame))
        return; // the picture fills the frame
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    std::unique_ptr<uint32_t[]> pixels;
    try {
        SmallImage small = MakeBackground(hdc, shown, width, height);
        if (!small.pixels.empty())
            pixels.reset(new (std::nothrow) uint32_t[static_cast<size_t>(width) * height]);
        if (pixels)
            EnlargeSmoothly(small, pixels.get(), width, height, width);
    } catch (const std::bad_alloc&) {
        pixels.reset();
    }
    FillAround(hdc, frame, shown, pixels.get());
}
