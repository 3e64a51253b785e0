#include "graphics/image_table.h"

#include "graphics/jpeg_loader.h"
#include "graphics/tga_reader.h"

static SkinImage* s_slots[kImageTableSlots];
static int s_count = -1;

static void EnsureTable()
{
    if (s_count != -1)
        return;
    for (int i = 0; i < kImageTableSlots; ++i)
        s_slots[i] = NULL;
    s_count = 0;
}

static WCHAR* CopyOf(const WCHAR* text)
{
    size_t length = wcslen(text);
    WCHAR* copy = new WCHAR[length + 1];
    memcpy(copy, text, (length + 1) * sizeof(WCHAR));
    return copy;
}

static BOOL Matches(const SkinImage* image, const WCHAR* name, int kindKey)
{
    return image && image->kindKey == kindKey && wcscmp(image->name, name) == 0;
}

static SkinImage* Find(const WCHAR* name, int kindKey)
{
    for (int i = 0; i < kImageTableSlots; ++i)
        if (Matches(s_slots[i], name, kindKey))
            return s_slots[i];
    return NULL;
}

static BOOL PutInFreeSlot(SkinImage* image)
{
    for (int i = 0; i < kImageTableSlots; ++i) {
        if (s_slots[i] == NULL) {
            s_slots[i] = image;
            ++s_count;
            return TRUE;
        }
    }
    return FALSE;
}

// A full table after purging leaves the picture uncached: it works, but
// no lookup finds it and no purge frees it.
static void Insert(SkinImage* image)
{
    if (PutInFreeSlot(image))
        return;
    PurgeImages();
    if (PutInFreeSlot(image))
        return;
    MessageBox(NULL, TEXT("bmp cachefull"), NULL, MB_ICONQUESTION | MB_OK);
}

static SkinImage* GetJpeg(const WCHAR* programDirectory, const WCHAR* name, BOOL split, int kindKey, BOOL reload)
{
    EnsureTable();
    SkinImage* image = Find(name, kindKey);
    if (image) {
        if (reload)
            image->Reload(programDirectory);
        ++image->referenceCount;
        return image;
    }
    image = new SkinImage;
    image->split = split;
    image->kindKey = kindKey;
    LoadJpegBitmap(programDirectory, name, &image->bitmap, 100);
    image->ReadDescription();
    image->name = CopyOf(name);
    ++image->referenceCount;
    Insert(image);
    return image;
}

SkinImage* GetJpegImage(const WCHAR* programDirectory, const WCHAR* name, BOOL split, BOOL reload)
{
    return GetJpeg(programDirectory, name, split, kJpegKind, reload);
}

SkinImage* GetKeyedJpegImage(const WCHAR* programDirectory, const WCHAR* name, BOOL split, int kindKey)
{
    return GetJpeg(programDirectory, name, split, kindKey, FALSE);
}

// Entries of a file that could not be read are never found again; the
// ones nobody holds any more are dropped when the file is tried anew.
static void DropUnreadEntries(const WCHAR* path)
{
    for (int i = 0; i < kImageTableSlots; ++i) {
        SkinImage* image = s_slots[i];
        if (Matches(image, path, 0) && !image->HasAlphaImage() && image->referenceCount <= 0) {
            delete image;
            s_slots[i] = NULL;
            --s_count;
        }
    }
}

SkinImage* GetTgaImage(const WCHAR* path)
{
    EnsureTable();
    for (int i = 0; i < kImageTableSlots; ++i) {
        SkinImage* image = s_slots[i];
        if (Matches(image, path, 0) && image->HasAlphaImage()) {
            ++image->referenceCount;
            return image;
        }
    }
    DropUnreadEntries(path);
    SkinImage* image = new SkinImage;
    ReadTga(path, &image->alphaImage);
    image->name = CopyOf(path);
    ++image->referenceCount;
    Insert(image);
    return image;
}

void ReleaseImage(SkinImage* image, BOOL purge)
{
    EnsureTable();
    if (image)
        --image->referenceCount;
    if (purge)
        PurgeImages();
}

void PurgeImages()
{
    EnsureTable();
    for (int i = 0; i < kImageTableSlots; ++i) {
        if (s_slots[i] && s_slots[i]->referenceCount <= 0) {
            delete s_slots[i];
            s_slots[i] = NULL;
            --s_count;
        }
    }
}

int ImageTableCount()
{
    return s_count;
}
