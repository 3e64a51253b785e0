// A skin picture or an icon frame at the control's top left.
#pragma once

#include "ui/control.h"

struct SkinImage;

class ImageControl : public Control {
public:
    // param plays no part; it is the layout record's.
    ImageControl(Page* owner, int param);
    // Releases the picture.
    ~ImageControl() override;

    void Draw(HDC dc, const PAINTSTRUCT* paint) override;

    // Releases the present picture and takes name (a JPEG or PNG relative
    // to the program directory) from the image table; NULL leaves none.
    void SetImage(const WCHAR* name, BOOL split, BOOL reload);

    // One counted reference, owned by the control.
    SkinImage* image;
    // Opacity of keyed drawing, 0-255.
    UINT alpha;
    // The picture is the left half of a sheet whose right half is its mask.
    BOOL split;
};
