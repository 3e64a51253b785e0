// The process-wide table of shared pictures: each is loaded the first
// time it is asked for, counted on every get and release, and freed only
// when the table runs full.
#pragma once

#include <windows.h>

#include "graphics/skin_image.h"

const int kImageTableSlots = 200;

// A JPEG (or PNG) picture by its path relative to the program directory.
// A known one is decoded again when reload is TRUE.
SkinImage* GetJpegImage(const WCHAR* programDirectory, const WCHAR* name, BOOL split, BOOL reload);
// The same under a kind key of the caller's.
SkinImage* GetKeyedJpegImage(const WCHAR* programDirectory, const WCHAR* name, BOOL split, int kindKey);
// A TGA picture by its full path. A file that could not be read before is
// tried again.
SkinImage* GetTgaImage(const WCHAR* path);

void ReleaseImage(SkinImage* image, BOOL purge);
// Destroys every picture nobody holds.
void PurgeImages();

// Occupied slots; −1 before the first request of the process.
int ImageTableCount();
