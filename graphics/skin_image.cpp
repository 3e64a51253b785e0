#include "graphics/skin_image.h"

#include "graphics/dib24.h"
#include "graphics/jpeg_loader.h"
#include "graphics/shared_resources.h"

// A memory DC for the call when the shared one is not there.
class MemoryDc {
public:
    explicit MemoryDc(HDC shared) : m_dc(shared), m_own(NULL)
    {
        if (m_dc == NULL) {
            m_own = CreateCompatibleDC(NULL);
            m_dc = m_own;
        }
    }
    ~MemoryDc()
    {
        if (m_own)
            DeleteDC(m_own);
    }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
    HDC m_own;
};

SkinImage* SkinImage::CreateBlank(int width, int height)
{
    SkinImage* image = new SkinImage;
    image->bitmap = CreateDib24(SharedWorkDc(), width, height);
    image->ReadDescription();
    return image;
}

SkinImage::SkinImage()
    : bitmap(NULL), referenceCount(0), name(NULL), split(FALSE), kindKey(0), alphaImage(NULL)
{
    memset(&description, 0, sizeof(description));
}

SkinImage::~SkinImage()
{
    FreeAlphaImage(alphaImage);
    DeleteDib24(bitmap);
    delete[] name;
}

void SkinImage::ReadDescription()
{
    memset(&description, 0, sizeof(description));
    if (bitmap)
        GetObject(bitmap, sizeof(description), &description);
    if (split)
        description.bmWidth /= 2;
}

void SkinImage::Reload(const WCHAR* programDirectory)
{
    DeleteDib24(bitmap);
    bitmap = NULL;
    if (name)
        LoadJpegBitmap(programDirectory, name, &bitmap, 100);
    ReadDescription();
}

void SkinImage::Draw(HDC dc, const RECT* rect) const
{
    if (bitmap == NULL)
        return;
    MemoryDc imageDc(SharedImageDc());
    HGDIOBJ previous = SelectObject(imageDc, bitmap);
    BitBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, imageDc, 0, 0, SRCCOPY);
    SelectObject(imageDc, previous);
}

void SkinImage::Stretch(int width, int height)
{
    if (bitmap == NULL)
        return;
    MemoryDc workDc(SharedWorkDc());
    HBITMAP stretched = CreateDib24(workDc, width, height);
    if (stretched) {
        BITMAP whole;
        GetObject(bitmap, sizeof(whole), &whole);
        MemoryDc sourceDc(NULL);
        HGDIOBJ previousSource = SelectObject(sourceDc, bitmap);
        HGDIOBJ previousTarget = SelectObject(workDc, stretched);
        StretchBlt(workDc, 0, 0, width, height, sourceDc, 0, 0, whole.bmWidth, whole.bmHeight, SRCCOPY);
        SelectObject(workDc, previousTarget);
        SelectObject(sourceDc, previousSource);
    }
    DeleteDib24(bitmap);
    bitmap = stretched;
    ReadDescription();
}
