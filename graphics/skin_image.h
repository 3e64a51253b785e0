// A picture as the image table hands it out: a 24-bit bitmap (JPEG and
// PNG files, screen captures) or an alpha image (TGA files).
#pragma once

#include <windows.h>

#include "graphics/alpha_image.h"

// The kind key of pictures decoded from JPEG files; TGA pictures have 0.
const int kJpegKind = 100;

struct SkinImage {
    // A blank picture of the given size on the shared work DC, for keeping
    // a capture of the screen.
    static SkinImage* CreateBlank(int width, int height);

    SkinImage();
    ~SkinImage();

    // Decodes the file under its name (relative to the program directory)
    // again.
    void Reload(const WCHAR* programDirectory);
    BOOL HasAlphaImage() const { return alphaImage != NULL; }
    // Copies the bitmap unscaled to the rectangle's top left, clipped to
    // its size.
    void Draw(HDC dc, const RECT* rect) const;
    // Replaces the bitmap by a copy stretched to width × height.
    void Stretch(int width, int height);
    // Reads the bitmap's description, halving the width of a split sheet.
    void ReadDescription();

    HBITMAP bitmap;
    // For a split sheet the width is the visible picture's, half the
    // bitmap's.
    BITMAP description;
    LONG referenceCount;
    WCHAR* name;
    // The picture is in the bitmap's left half and its mask in the right.
    BOOL split;
    int kindKey;
    AlphaImage* alphaImage;

private:
    SkinImage(const SkinImage&);
    SkinImage& operator=(const SkinImage&);
};
