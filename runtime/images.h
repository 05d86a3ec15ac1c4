#pragma once
#include <windows.h>

#include "assets/image_bytes.h"

// Decoding of the images compiled into the program, for the run time's own
// drawing (form backgrounds, picture boxes). Decoded once per constant and
// kept until the process ends, as the constants themselves are.
namespace WindowRuntime::Images {

bool Start();  // GDI+; safe to call more than once
// The image's pixel size, or {0, 0} when it cannot be decoded.
SIZE GetImageSize(const ImageBytes& image);
// Draws the image stretched into the rectangle, alpha-blended over what the
// device context holds. Does nothing for an image that cannot be decoded.
void DrawImage(HDC dc, const ImageBytes& image, const RECT& target);
// Draws the part of the image at (sourceX, sourceY) of the target's size,
// unscaled; used to paint a child's share of its parent's background.
void DrawImagePart(HDC dc, const ImageBytes& image, const RECT& target, int sourceX, int sourceY);

}  // namespace WindowRuntime::Images
