#include "runtime/images.h"

// clang-format off
#include <objidl.h>  // gdiplus.h needs PROPID but, with WIN32_LEAN_AND_MEAN, does not get it
#include <gdiplus.h>
// clang-format on

#include <map>
#include <memory>
#include <type_traits>

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

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};
struct ImageDispose {
    void operator()(GpBitmap* bitmap) const { DllExports::GdipDisposeImage(bitmap); }
};
struct BitmapDelete {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using StreamHandle = std::unique_ptr<IStream, StreamRelease>;
using ImageHandle = std::unique_ptr<GpBitmap, ImageDispose>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDelete>;

// A stream over a copy of the image's bytes; the stream owns the copy.
StreamHandle StreamOver(const ImageBytes& image) {
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
    return StreamHandle(stream);
}

// Decodes into a top-down 32-bit DIB section. The stream outlives the GDI+
// bitmap, which may read it lazily; reading the pixels straight into the DIB
// converts them to premultiplied BGRA, what AlphaBlend wants, in one pass.
Decoded DecodeToDib(const ImageBytes& image) {
    StreamHandle stream = StreamOver(image);
    if (!stream) return {};
    GpBitmap* raw = nullptr;
    if (DllExports::GdipCreateBitmapFromStream(stream.get(), &raw) != Ok || !raw) return {};
    ImageHandle bitmap(raw);
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(bitmap.get(), &w);
    DllExports::GdipGetImageHeight(bitmap.get(), &h);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);  // top-down, rows as GDI+ gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return {};
    BitmapData data{};
    Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    data.Width = w;
    data.Height = h;
    data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    if (DllExports::GdipBitmapLockBits(bitmap.get(), &all,
                                       ImageLockModeRead | ImageLockModeUserInputBuf,
                                       PixelFormat32bppPARGB, &data) != Ok)
        return {};
    DllExports::GdipBitmapUnlockBits(bitmap.get(), &data);
    return Decoded{dib.release(), static_cast<int>(w), static_cast<int>(h)};
}

const Decoded& Decode(const ImageBytes& image) {
    auto found = Cache().find(image.raw);
    if (found != Cache().end()) return found->second;
    return Cache().emplace(image.raw, DecodeToDib(image)).first->second;
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
