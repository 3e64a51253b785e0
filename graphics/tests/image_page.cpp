// A page of one of each kind of picture composited over a theme
// background, for the golden screenshot of the compositing: TGA skins with
// soft alpha (whole, and a meter drawn to 60 %), JPEGs keyed on white at
// full and half alpha, the task icon sheet through its mask, and a JPEG
// through a mask bitmap of its own.
#include <windows.h>

#include "graphics/compositing.h"
#include "graphics/dib24.h"
#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "settings/program_path.h"

namespace {

const WCHAR kPageClass[] = TEXT("ImagePage");
const WCHAR kProgramDirectory[] = TEXT("\\Program Files\\Quib Monitor\\");

SkinImage* Tga(const WCHAR* base)
{
    WCHAR path[MAX_PATH];
    ProgramPath(path, kProgramDirectory, GraphicsTgaPath(base));
    return GetTgaImage(path);
}

void DrawTga(HDC dc, const WCHAR* base, int x, int y)
{
    SkinImage* image = Tga(base);
    DrawAlphaImage(dc, image->alphaImage, x, y);
    ReleaseImage(image, FALSE);
}

void DrawKeyedJpeg(HDC dc, const WCHAR* base, int x, int y, UINT alpha)
{
    SkinImage* image = GetJpegImage(kProgramDirectory, GraphicsJpegPath(base), FALSE, FALSE);
    DrawKeyedBlend(dc, x, y, image->description.bmWidth, image->description.bmHeight, image->bitmap, alpha);
    ReleaseImage(image, FALSE);
}

// A meter as the monitor draws one: the empty track, then the fill to
// value percent of the picture's width.
void DrawMeter(HDC dc, int x, int y, int value)
{
    SkinImage* track = Tga(TEXT("progress_gray"));
    SkinImage* fill = Tga(TEXT("progress"));
    if (fill->HasAlphaImage()) {
        int width = (int)fill->alphaImage->width * value / 100;
        DrawAlphaImage(dc, track->alphaImage, x, y);
        DrawAlphaImage(dc, fill->alphaImage, x, y, width, -1, 0, 0);
    }
    ReleaseImage(track, FALSE);
    ReleaseImage(fill, FALSE);
}

// A mask that fades from opaque on the left to transparent on the right,
// through its red byte.
HBITMAP FadeMask(HDC dc, int width, int height)
{
    HBITMAP mask = CreateDib24(dc, width, height);
    BITMAP bits;
    if (mask == NULL || GetObject(mask, sizeof(bits), &bits) != sizeof(bits))
        return mask;
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            BYTE* pixel = (BYTE*)bits.bmBits + row * bits.bmWidthBytes + 3 * x;
            pixel[0] = pixel[1] = 0;
            pixel[2] = (BYTE)(255 * x / (width > 1 ? width - 1 : 1));
        }
    return mask;
}

void DrawMaskedJpeg(HDC dc, const WCHAR* base, int x, int y)
{
    SkinImage* image = GetJpegImage(kProgramDirectory, GraphicsJpegPath(base), FALSE, FALSE);
    int width = image->description.bmWidth, height = image->description.bmHeight;
    HBITMAP mask = FadeMask(dc, width, height);
    DrawWithMask(dc, x, y, width, height, image->bitmap, mask, 1);
    DeleteDib24(mask);
    ReleaseImage(image, FALSE);
}

void Caption(HDC dc, const WCHAR* text, int x, int y)
{
    RECT r = {x, y, x + 120, y + 14};
    DrawText(dc, text, -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintPage(HWND hwnd, HDC dc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    SkinImage* background =
        GetKeyedJpegImage(kProgramDirectory, TEXT("themes\\bluewave\\bluewave.jpg"), FALSE, kJpegKind);
    if (background->description.bmWidth != client.right || background->description.bmHeight != client.bottom)
        background->Stretch(client.right, client.bottom);
    background->Draw(dc, &client);
    ReleaseImage(background, FALSE);

    HGDIOBJ oldFont = SelectObject(dc, DefaultFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));

    Caption(dc, TEXT("TGA meter at 60%"), 6, 4);
    DrawMeter(dc, 8, 20, 60);
    Caption(dc, TEXT("TGA skins"), 6, 42);
    DrawTga(dc, TEXT("battery"), 6, 58);
    DrawTga(dc, TEXT("memory_small"), 60, 66);
    DrawTga(dc, TEXT("kill"), 110, 58);
    DrawTga(dc, TEXT("bar"), 0, 108);
    Caption(dc, TEXT("Icon sheet"), 180, 42);
    SkinImage* sheet = GetJpegImage(kProgramDirectory, TEXT("tasks.png"), TRUE, FALSE);
    DrawMaskedSheet(dc, 186, 58, sheet->description.bmWidth, sheet->description.bmHeight, sheet->bitmap, 0, 0, 255);
    ReleaseImage(sheet, FALSE);
    Caption(dc, TEXT("JPEG keyed: 255, 128"), 6, 116);
    DrawKeyedJpeg(dc, TEXT("quib"), 6, 132, 255);
    DrawKeyedJpeg(dc, TEXT("bubble1"), 100, 132, 128);
    Caption(dc, TEXT("JPEG, fading mask"), 100, 190);
    DrawMaskedJpeg(dc, TEXT("bubble2"), 100, 206);
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: CreateSharedResources(hwnd, NULL); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintPage(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ReleaseSharedResources();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    WNDCLASS wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = PageProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = kPageClass;
    if (!RegisterClass(&wc))
        return 1;
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    HWND hwnd = CreateWindowEx(0, kPageClass, TEXT("Image page"), WS_VISIBLE, work.left, work.top,
        work.right - work.left, work.bottom - work.top, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 1;
    MSG msg;
    while (GetMessage(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
