// AreaScaler: shrinks (or enlarges) a picture by area averaging: every target pixel is the
// mean of the source area it covers, partly covered source pixels counting by their share.
// A photo keeps its fine texture instead of turning to grain as when pixels are dropped.
// The target can take the picture turned or mirrored (an EXIF orientation, 1 to 8), so a
// sideways photo comes out upright in the same pass. Pure logic on pixel buffers; holds no
// state shared between objects, so any thread may use its own.
#pragma once
#include <vector>
#include "VntApi.h"
#include "picture/PixelView.h"

// Hands the scaler the rows of a source picture, top to bottom; a row shared by two target
// rows is asked for twice in a row.
class VNT_API ScaleSource {
public:
    virtual ~ScaleSource() {}
    // Row y (0 the top) of 24- or 32-bit pixels; null when it cannot be had.
    virtual const BYTE* Row(int y) = 0;
};

class VNT_API AreaScaler {
public:
    // Prepares scaling a picture of srcWidth x srcHeight to width x height (sizes as
    // stored, before any turning). May throw std::bad_alloc.
    AreaScaler(int srcWidth, int srcHeight, int width, int height);

    // Scales src (of the prepared size) into dst, a 32-bit view whose size is the prepared
    // one turned by orientation (width and height swapped for 5 to 8). false when the sizes
    // do not match; an orientation out of 1 to 8 counts as 1.
    bool Scale(const PixelView& src, const PixelView& dst, int orientation) const;
    // The same with the source's rows fetched as they are needed; bytesPerPixel 3 or 4.
    // false also when the source fails to give a row.
    bool Scale(ScaleSource& src, int bytesPerPixel, const PixelView& dst, int orientation) const;

private:
    // For each target pixel along one axis: the first source pixel it covers and the
    // weights of the source pixels it covers, in units of 1 / (1 << bits), summing to 1.
    struct Axis {
        std::vector<int> first;        // per target pixel
        std::vector<int> start;        // per target pixel, index of its first weight; one more at the end
        std::vector<unsigned> weights;
        void Make(int srcSize, int size, int bits);
    };

    template <int Bpp>
    bool ScaleRows(ScaleSource& src, const PixelView& dst, int orientation) const;

    int nSrcWidth, nSrcHeight, nWidth, nHeight;
    Axis across, down;
};
