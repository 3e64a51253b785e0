// A window of text samples for the golden screenshots at each screen
// density: Tahoma at 8 and 9 points, normal and bold, a wrapped paragraph,
// an end ellipsis, centred and right-aligned lines and '&' prefixes.
#include <windows.h>

namespace {

const WCHAR kSampleClass[] = TEXT("DevsimTextSample");

// The pixel height of a font of so many points on this screen, as a CE
// program asks for it.
int FontHeight(HDC dc, int points)
{
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    return -((points * dpi + 36) / 72);
}

HFONT MakeFont(HDC dc, int points, int weight)
{
    return CreateFontW(FontHeight(dc, points), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       TEXT("Tahoma"));
}

// Draws one line of text at top and answers the top of the next.
int DrawLine(HDC dc, const WCHAR* text, int left, int top, int right, UINT format)
{
    RECT r = {left, top, right, top};
    DrawTextW(dc, text, -1, &r, format | DT_CALCRECT);
    r.left = left;
    r.right = right;
    return top + DrawTextW(dc, text, -1, &r, format);
}

void PaintContent(HDC dc, const RECT& client)
{
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    int margin = 4 * dpi / 96;
    int left = client.left + margin;
    int right = client.right - margin;
    int y = client.top + margin;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));

    const struct {
        int points;
        int weight;
        const WCHAR* text;
    } lines[] = {
        {8, FW_NORMAL, TEXT("8 pt: Battery 87%, 12.3 MB free")},
        {8, FW_BOLD, TEXT("8 pt bold: Main battery")},
        {9, FW_NORMAL, TEXT("9 pt: Storage Card 1.5 GB")},
        {9, FW_BOLD, TEXT("9 pt bold: Program memory")},
    };
    for (const auto& line : lines) {
        HFONT font = MakeFont(dc, line.points, line.weight);
        HGDIOBJ old = SelectObject(dc, font);
        y = DrawLine(dc, line.text, left, y, right, DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
    }

    HFONT font = MakeFont(dc, 8, FW_NORMAL);
    HGDIOBJ oldFont = SelectObject(dc, font);
    y += margin;
    const WCHAR paragraph[] =
        TEXT("A paragraph in a box wraps at the spaces between its words, and a word too long for the line, ")
            TEXT("like Abcdefghijklmnopqrstuvwxyz0123456789, is broken where it reaches the edge.");
    RECT box = {left, y, right, y};
    RECT inner = {left + margin, y + margin, right - margin, y + margin};
    DrawTextW(dc, paragraph, -1, &inner, DT_WORDBREAK | DT_CALCRECT);
    inner.right = right - margin;
    box.bottom = inner.bottom + margin;
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldBrush);
    DrawTextW(dc, paragraph, -1, &inner, DT_WORDBREAK | DT_LEFT);
    y = box.bottom + margin;

    y = DrawLine(dc, TEXT("This line is far too long for the screen and so ends in an ellipsis"), left, y, right,
                 DT_SINGLELINE | DT_END_ELLIPSIS);
    y = DrawLine(dc, TEXT("Centred"), left, y, right, DT_SINGLELINE | DT_CENTER);
    y = DrawLine(dc, TEXT("Right-aligned"), left, y, right, DT_SINGLELINE | DT_RIGHT);
    y = DrawLine(dc, TEXT("&File: Save && Close"), left, y, right, DT_SINGLELINE);
    y = DrawLine(dc, TEXT("E&xit"), left, y, right, DT_SINGLELINE);
    DrawLine(dc, TEXT("No prefix: &File && Exit"), left, y, right, DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

LRESULT CALLBACK SampleProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        PaintContent(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SampleProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kSampleClass;
    if (!RegisterClassW(&wc))
        return 1;
    RECT work;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return 1;
    HWND hwnd = CreateWindowExW(0, kSampleClass, TEXT("Text sample"), WS_VISIBLE, work.left, work.top,
                                work.right - work.left, work.bottom - work.top, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 1;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
