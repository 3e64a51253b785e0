#include "today/item_window.h"

#include "today/today_drawing.h"

// The frame is composed off screen over the host's background and copied
// to the screen in one go, so the strip never flickers.
void PaintItemFrame(TodayItem* item, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (item == NULL) {
        EndPaint(window, &paint);
        return;
    }
    TodayLibrary& library = Library();
    RECT workArea = { 0, 0, 0, 0 };
    SystemParametersInfo(SPI_GETWORKAREA, 0, &workArea, 0);
    int width = workArea.right;
    int height = ItemHeight(item);
    if (library.frameDc == NULL)
        library.frameDc = CreateCompatibleDC(dc);
    // A new bitmap every frame, so that a new width or row mode never
    // meets one of the old size.
    if (library.frameBitmap)
        DeleteObject(library.frameBitmap);
    library.frameBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ previous = SelectObject(library.frameDc, library.frameBitmap);

    RECT client;
    GetClientRect(window, &client);
    TODAYDRAWWATERMARKINFO watermark;
    watermark.hdc = library.frameDc;
    watermark.rc = client;
    watermark.hwnd = window;
    SendMessageW(GetParent(window), TODAYM_DRAWWATERMARK, 0, (LPARAM)&watermark);

    SetBkMode(library.frameDc, TRANSPARENT);
    DrawTodayItem(item, library.frameDc, &client, library.selected);
    BitBlt(dc, 0, 0, width, height, library.frameDc, 0, 0, SRCCOPY);
    SelectObject(library.frameDc, previous);
    EndPaint(window, &paint);
}
