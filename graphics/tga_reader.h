// Truevision TGA pictures: uncompressed (type 2) and run-length encoded
// (type 10) true colour, 24 or 32 bits per pixel.
#pragma once

#include <stdio.h>
#include <windows.h>

#include "graphics/alpha_image.h"

enum TgaStatus {
    kTgaRead = 0,
    kTgaCannotOpen = 1,
    kTgaWrongType = 2,
    kTgaWrongDepth = 3,
    // No pixels (zero width or height), or more than the device could hold.
    kTgaWrongSize = 4,
};

// The largest picture accepted: far beyond any skin, well within memory.
const DWORD kTgaMaxPixelBytes = 16 * 1024 * 1024;

// *image is the new picture on kTgaRead and NULL otherwise. Rows stay in
// file order, pixels become R,G,B(,A). A file that ends early still gives
// a picture of full size; the missing pixels are zero (transparent).
int ReadTga(const WCHAR* path, AlphaImage** image);
// The same from an open file, read from where it stands.
int ReadTgaStream(FILE* file, AlphaImage** image);
