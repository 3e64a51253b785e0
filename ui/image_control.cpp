#include "ui/image_control.h"

#include "graphics/compositing.h"
#include "graphics/image_table.h"
#include "ui/page.h"
#include "ui/skin_window.h"

ImageControl::ImageControl(Page* owner, int)
    : Control(owner),
      image(NULL),
      alpha(255),
      split(FALSE)
{
    focusable = FALSE;
}

ImageControl::~ImageControl()
{
    if (image)
        ReleaseImage(image, FALSE);
}

void ImageControl::SetImage(const WCHAR* name, BOOL splitSheet, BOOL reload)
{
    if (image)
        ReleaseImage(image, FALSE);
    image = NULL;
    if (name)
        image = GetJpegImage(owner->Window()->ProgramDirectory(), name, splitSheet, reload);
    split = splitSheet;
    Invalidate();
}

void ImageControl::Draw(HDC dc, const PAINTSTRUCT*)
{
    if (image == NULL)
        return;
    if (image->HasAlphaImage()) {
        DrawAlphaImage(dc, image->alphaImage, rect.left, rect.top);
        return;
    }
    if (image->bitmap == NULL)
        return;
    int width = image->description.bmWidth;
    int height = image->description.bmHeight;
    if (split)
        DrawMaskedSheet(dc, rect.left, rect.top, width, height, image->bitmap, 0, 0, alpha);
    else
        DrawKeyedBlend(dc, rect.left, rect.top, width, height, image->bitmap, alpha);
}
