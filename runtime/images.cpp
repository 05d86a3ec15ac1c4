#include "runtime/images.h"

// clang-format off
#include <objidl.h>  // gdiplus.h needs PROPID but, with WIN32_LEAN_AND_MEAN, does not get it
#include <gdiplus.h>
// clang-format on

#include <map>

namespace WindowRuntime::Images {
namespace {

using namespace Gdiplus;

// A decoded image as an opaque-friendly 32-bit premultiplied DIB section, so
// that painting is one AlphaBlend and never decodes again.
struct Decoded {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
};

std::map<const unsigned char*, Decoded>& Cache() {
    static std::map<const unsigned char*, Decoded> cache;
    return cache;
}

GpBitmap* DecodeWithGdiplus(const ImageBytes& image) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, image.Size());
    if (!memory) return nullptr;
    void* bytes = GlobalLock(memory);
    if (!bytes) {
        GlobalFree(memory);
        return nullptr;
    }
    CopyMemory(bytes, image.Data(), image.Size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromStream(stream, &bitmap) != Ok) bitmap = nullptr;
    // GDI+ may read the stream lazily; cloning into memory frees us from it.
    GpBitmap* clone = nullptr;
    if (bitmap) {
        UINT w = 0, h = 0;
        DllExports::GdipGetImageWidth(bitmap, &w);
        DllExports::GdipGetImageHeight(bitmap, &h);
        if (DllExports::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h),
                                             PixelFormat32bppPARGB, bitmap, &clone) != Ok)
            clone = nullptr;
        DllExports::GdipDisposeImage(bitmap);
    }
    stream->Release();
    return clone;
}

const Decoded& Decode(const ImageBytes& image) {
    auto [it, inserted] = Cache().try_emplace(image.raw);
    if (!inserted) return it->second;
    Decoded& decoded = it->second;
    GpBitmap* bitmap = DecodeWithGdiplus(image);
    if (!bitmap) return decoded;
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(bitmap, &w);
    DllExports::GdipGetImageHeight(bitmap, &h);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);  // top-down, rows as GDI+ gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        BitmapData data{};
        Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
        data.Width = w;
        data.Height = h;
        data.Stride = static_cast<INT>(w * 4);
        data.PixelFormat = PixelFormat32bppPARGB;
        data.Scan0 = bits;
        // Reading into our own buffer gives premultiplied BGRA, what AlphaBlend wants.
        if (DllExports::GdipBitmapLockBits(bitmap, &all,
                                           ImageLockModeRead | ImageLockModeUserInputBuf,
                                           PixelFormat32bppPARGB, &data) == Ok) {
            DllExports::GdipBitmapUnlockBits(bitmap, &data);
            decoded.bitmap = dib;
            decoded.width = static_cast<int>(w);
            decoded.height = static_cast<int>(h);
        } else {
            DeleteObject(dib);
        }
    } else if (dib) {
        DeleteObject(dib);
    }
    DllExports::GdipDisposeImage(bitmap);
    return decoded;
}

void Blend(HDC dc, const Decoded& decoded, const RECT& target, int sx, int sy, int sw, int sh) {
    if (!decoded.bitmap || sw <= 0 || sh <= 0) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    HGDIOBJ old = SelectObject(source, decoded.bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(dc, HALFTONE);
    AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source, sx, sy, sw, sh, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace

bool Start() {
    static bool started = [] {
        GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return GdiplusStartup(&token, &input, nullptr) == Ok;
    }();
    return started;
}

SIZE GetImageSize(const ImageBytes& image) {
    const Decoded& decoded = Decode(image);
    return SIZE{decoded.width, decoded.height};
}

void DrawImage(HDC dc, const ImageBytes& image, const RECT& target) {
    const Decoded& decoded = Decode(image);
    Blend(dc, decoded, target, 0, 0, decoded.width, decoded.height);
}

void DrawImagePart(HDC dc, const ImageBytes& image, const RECT& target, int sourceX, int sourceY) {
    const Decoded& decoded = Decode(image);
    // Clip the request to the image so a child hanging over its edge only
    // takes what exists.
    int w = target.right - target.left, h = target.bottom - target.top;
    int sx = sourceX, sy = sourceY;
    RECT clipped = target;
    if (sx < 0) clipped.left -= sx, w += sx, sx = 0;
    if (sy < 0) clipped.top -= sy, h += sy, sy = 0;
    if (sx + w > decoded.width) w = decoded.width - sx;
    if (sy + h > decoded.height) h = decoded.height - sy;
    clipped.right = clipped.left + w;
    clipped.bottom = clipped.top + h;
    Blend(dc, decoded, clipped, sx, sy, w, h);
}

}  // namespace WindowRuntime::Images
