#include "graphics/compositing.h"

#include "graphics/dib24.h"
#include "graphics/pixel_kernels.h"
#include "graphics/shared_resources.h"

// The scratch bitmap selected into the work DC, holding a copy of the
// target area while a kernel composites into it.
class ScratchArea {
public:
    ScratchArea(HDC target, int x, int y, int width, int height)
        : m_target(target), m_ownDc(NULL), m_previous(NULL), m_scratch(NULL)
    {
        memset(&m_pixels, 0, sizeof(m_pixels));
        m_work = SharedWorkDc();
        if (m_work == NULL) {
            m_ownDc = CreateCompatibleDC(target);
            m_work = m_ownDc;
        }
        m_scratch = ScratchBitmap(m_work, width, height);
        if (m_scratch == NULL)
            return;
        m_previous = (HBITMAP)SelectObject(m_work, m_scratch);
        BitBlt(m_work, 0, 0, width, height, target, x, y, SRCCOPY);
        GetObject(m_scratch, sizeof(m_pixels), &m_pixels);
    }

    ~ScratchArea()
    {
        if (m_scratch)
            SelectObject(m_work, m_previous);
        if (m_ownDc)
            DeleteDC(m_ownDc);
    }

    HBITMAP Bitmap() const { return m_scratch; }
    const BITMAP* Pixels() const { return &m_pixels; }

    void CopyBack(int x, int y, int width, int height, int sx, int sy)
    {
        BitBlt(m_target, x, y, width, height, m_work, sx, sy, SRCCOPY);
    }

private:
    HDC m_target;
    HDC m_work;
    HDC m_ownDc;
    HBITMAP m_previous;
    HBITMAP m_scratch;
    BITMAP m_pixels;
};

static BITMAP DescriptionOf(HBITMAP bitmap)
{
    BITMAP description;
    memset(&description, 0, sizeof(description));
    if (bitmap)
        GetObject(bitmap, sizeof(description), &description);
    return description;
}

void DrawAlphaImage(HDC dc, const AlphaImage* image, int x, int y, int width, int height, int sx, int sy)
{
    if (image == NULL)
        return;
    if (width == -1)
        width = (int)image->width;
    if (height == -1)
        height = (int)image->height;
    // The area under the part that is copied back lines up with it.
    ScratchArea area(dc, x - sx, y - sy, (int)image->width, (int)image->height);
    if (area.Bitmap() && AlphaComposite(image, area.Bitmap()))
        area.CopyBack(x, y, width, height, sx, sy);
}

void DrawAlphaImage(HDC dc, const AlphaImage* image, int x, int y)
{
    DrawAlphaImage(dc, image, x, y, -1, -1, 0, 0);
}

void DrawKeyedBlend(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, UINT alpha)
{
    ScratchArea area(dc, x, y, width, height);
    BITMAP source = DescriptionOf(bitmap);
    if (area.Bitmap() && KeyedBlend(&source, area.Pixels(), area.Pixels(), alpha))
        area.CopyBack(x, y, width, height, 0, 0);
}

void DrawColourBlend(HDC dc, int x, int y, int width, int height, COLORREF colour, UINT alpha)
{
    if (alpha > 255)
        return;
    ScratchArea area(dc, x, y, width, height);
    if (area.Bitmap() && ColourBlend(area.Pixels(), colour, alpha))
        area.CopyBack(x, y, width, height, 0, 0);
}

void DrawMaskedSheet(HDC dc, int x, int y, int width, int height, HBITMAP sheet, int sx, int sy, UINT alpha)
{
    ScratchArea area(dc, x, y, width, height);
    BITMAP pictures = DescriptionOf(sheet);
    if (area.Bitmap() && MaskedSheet(&pictures, area.Pixels(), area.Pixels(), alpha, sx, sy, width, height))
        area.CopyBack(x, y, width, height, 0, 0);
}

void DrawWithMask(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask, int channel)
{
    ScratchArea area(dc, x, y, width, height);
    BITMAP source = DescriptionOf(bitmap);
    BITMAP transparency = DescriptionOf(mask);
    if (area.Bitmap() && SeparateMask(&source, area.Pixels(), area.Pixels(), &transparency, channel))
        area.CopyBack(x, y, width, height, 0, 0);
}
