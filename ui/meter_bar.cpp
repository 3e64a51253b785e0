#include "ui/meter_bar.h"

#include "graphics/compositing.h"
#include "graphics/skin_image.h"

MeterBar::MeterBar(Page* owner, int, SkinImage* const* images)
    : Control(owner),
      maximum(100),
      value(50),
      alternate(FALSE),
      m_images(images)
{
    frame = FALSE;
    focusFrame = FALSE;
}

void MeterBar::Draw(HDC dc, const PAINTSTRUCT*)
{
    const SkinImage* fill = m_images[METER_IMAGE_FILL];
    if (fill == NULL || !fill->HasAlphaImage())
        return;
    int left = rect.left + 2;
    int top = rect.top + 2;
    // The bar's length is the picture's, not the control's.
    int width = (int)fill->alphaImage->width;
    double ratio = maximum != 0 ? (double)width / maximum : 0.0;
    double filled = value * ratio;
    if (filled <= 0.0)
        filled = 0.0;
    if (filled > width)
        filled = width;
    int fillWidth = (int)filled;

    const SkinImage* track = m_images[METER_IMAGE_TRACK];
    if (track && track->HasAlphaImage())
        DrawAlphaImage(dc, track->alphaImage, left, top);
    const SkinImage* bar = alternate ? m_images[METER_IMAGE_ALTERNATE_FILL] : fill;
    if (bar && bar->HasAlphaImage() && fillWidth > 0)
        DrawAlphaImage(dc, bar->alphaImage, left, top, fillWidth, (int)bar->alphaImage->height, 0, 0);
}
