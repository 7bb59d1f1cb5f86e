// The image of one of the program's icon resources at one size, read
// straight from the resource into a bitmap that the form's paint blends in.
// The system's icon objects would draw the same pixels, but under Wine each
// costs more than half a millisecond of requests to the window server to
// make, and the main window's first paint needs six; a bitmap costs none.
#pragma once

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

// A 32-bit bitmap of premultiplied colours, `size` pixels square, bottom-up
// as an icon's own image; null when the resource is missing or not made of
// 32-bit images.
struct IconImage {
    UniqueBitmap bitmap;
    int size = 0;
};

// The image of the group icon resource `id` drawn for `size` pixels: the one
// of that size, else the smallest larger one, else the largest (the blend
// scales it).
IconImage LoadIconImage(HINSTANCE instance, int id, int size);

// Blends `image` into `dc` as a square of `size` pixels at (left, top),
// through `scratch`, a memory device context that holds no bitmap of its own.
void DrawIconImage(HDC dc, HDC scratch, const IconImage& image, int left, int top, int size);

}  // namespace win32
