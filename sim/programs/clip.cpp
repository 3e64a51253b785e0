// Two overlapping windows for clipping scenarios: "ClipBack" fills the
// screen with a pattern, "ClipFront" covers part of it. Both are topmost, so
// that only this program shows on the screen.
//   A tap on ClipFront moves it to the screen's lower right.
//   Closing ClipFront leaves ClipBack; closing ClipBack ends the program.
// ClipBack always paints its whole client area: only the window's visible
// region may keep that from covering ClipFront.
#include <windows.h>

namespace {

const WCHAR kBackClass[] = TEXT("DevsimClipBack");
const WCHAR kFrontClass[] = TEXT("DevsimClipFront");
const int kSquare = 16;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A checkerboard crossed by a zigzag, so that a piece painted in the wrong
// place or left out shows.
void PaintPattern(HDC dc, int width, int height)
{
    for (int y = 0; y < height; y += kSquare)
        for (int x = 0; x < width; x += kSquare) {
            bool dark = ((x + y) / kSquare) % 2 != 0;
            Fill(dc, x, y, x + kSquare, y + kSquare, dark ? RGB(40, 60, 150) : RGB(170, 190, 230));
        }
    POINT zigzag[12];
    for (int i = 0; i < 12; ++i) {
        zigzag[i].x = i * width / 11;
        zigzag[i].y = (i % 2 != 0) ? height / 8 : height * 7 / 8;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(220, 30, 30));
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, zigzag, 12);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void PaintFront(HDC dc, int width, int height)
{
    HBRUSH brush = CreateSolidBrush(RGB(250, 210, 40));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, width, height);
    POINT cross[] = {{0, 0}, {width - 1, height - 1}, {width - 1, 0}, {0, height - 1}};
    Polyline(dc, cross, 4);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

LRESULT CALLBACK ClipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool back)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        if (back)
            PaintPattern(dc, client.right, client.bottom);
        else
            PaintFront(dc, client.right, client.bottom);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (!back) {
            RECT r;
            GetWindowRect(hwnd, &r);
            int width = r.right - r.left, height = r.bottom - r.top;
            MoveWindow(hwnd, GetSystemMetrics(SM_CXSCREEN) - width - 8, GetSystemMetrics(SM_CYSCREEN) - height - 8,
                       width, height, TRUE);
        }
        return 0;
    case WM_DESTROY:
        if (back)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK BackProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ClipProc(hwnd, msg, wParam, lParam, true);
}

LRESULT CALLBACK FrontProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ClipProc(hwnd, msg, wParam, lParam, false);
}

HWND Create(HINSTANCE instance, LPCWSTR className, WNDPROC proc, LPCWSTR title, int x, int y, int w, int h)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (!RegisterClassW(&wc))
        return NULL;
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, x, y, w, h, NULL, NULL,
                                instance, NULL);
    if (hwnd)
        UpdateWindow(hwnd);
    return hwnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND back = Create(hInstance, kBackClass, BackProc, TEXT("ClipBack"), 0, 0, width, height);
    if (!back || !Create(hInstance, kFrontClass, FrontProc, TEXT("ClipFront"), width / 6, height / 5, width / 2,
                         height / 3))
        return 1;
    // The front window is on the screen now; the back one draws all of
    // itself again, outside any paint cycle.
    HDC dc = GetDC(back);
    PaintPattern(dc, width, height);
    ReleaseDC(back, dc);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
