// Captures the screen as the Today popup does: GetDC(NULL) and BitBlt into
// a 24-bit DIB section. One full-screen topmost window "Capture" paints a
// scene in its top half, copies that half of the screen into the DIB and
// then shows the copy in its bottom half.
// The exit code (when the window is closed) is 0 when every byte of the
// DIB holds the pixel GetPixel reads from the screen, 3 otherwise.
#include <windows.h>

namespace {

const WCHAR kCaptureClass[] = TEXT("DevsimCapture");
const int kBand = 8;

HDC g_captureDc = NULL;  // the copy, once taken
bool g_bytesMatch = false;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// Bands whose colour changes with the row and a lopsided triangle, so that
// a copy that is flipped, shifted or has its channels swapped shows.
void PaintScene(HDC dc, int width, int height)
{
    for (int y = 0; y < height; y += kBand)
        Fill(dc, 0, y, width, y + kBand, RGB(250 - y, 40 + y / 2, y % 3 * 60));
    Fill(dc, width / 2, height / 4, width / 2 + 12, height * 3 / 4, RGB(0, 200, 90));
    POINT triangle[] = {{8, height - 8}, {width / 3, 8}, {width - 8, height / 2}, {8, height - 8}};
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Polyline(dc, triangle, 4);
}

// The DIB's pixel (x, y): bottom-up rows of B,G,R padded to 4 bytes.
COLORREF DibPixel(const BYTE* bits, int width, int height, int x, int y)
{
    const BYTE* p = bits + (height - 1 - y) * ((width * 3 + 3) & ~3) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

bool SameAsScreen(HDC screen, const BYTE* bits, int width, int height)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (DibPixel(bits, width, height, x, y) != GetPixel(screen, x, y))
                return false;
    return true;
}

void CaptureTopHalf(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!dib)
        return;
    HDC screen = GetDC(NULL);
    g_captureDc = CreateCompatibleDC(screen);
    SelectObject(g_captureDc, dib);
    BitBlt(g_captureDc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    g_bytesMatch = SameAsScreen(screen, static_cast<const BYTE*>(bits), width, height);
    ReleaseDC(NULL, screen);
}

LRESULT CALLBACK CaptureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        int half = client.bottom / 2;
        PaintScene(dc, client.right, half);
        if (g_captureDc)
            BitBlt(dc, 0, half, client.right, half, g_captureDc, 0, 0, SRCCOPY);
        else
            Fill(dc, 0, half, client.right, client.bottom, RGB(128, 128, 128));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(g_bytesMatch ? 0 : 3); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CaptureProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = kCaptureClass;
    if (!RegisterClassW(&wc))
        return 1;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, kCaptureClass, TEXT("Capture"), WS_POPUP | WS_VISIBLE, 0, 0, width,
                                height, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 1;
    UpdateWindow(hwnd);
    CaptureTopHalf(width, height / 2);
    RECT bottom = {0, height / 2, width, height};
    InvalidateRect(hwnd, &bottom, FALSE);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
