#include "ui/skin_window.h"

#include <commctrl.h>

#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "ui/menu_bar.h"

// The client rectangle the back buffer was last made for; one window per
// process draws through a buffer.
static RECT s_bufferedClient = {0, 0, 0, 0};

// "Menu for more options" and "Task List".
static const MenuDesc kDefaultMenu[2] = {
    {MENU_KIND_LEFT, MENU_SOFT_KEY, LEFT_SOFT_KEY_COMMAND, 16, 1, 0},
    {MENU_KIND_RIGHT, MENU_SOFT_KEY, RIGHT_SOFT_KEY_COMMAND, 17, 1, 0},
};

SkinWindow::SkinWindow(HINSTANCE instance)
    : m_window(NULL),
      m_instance(instance),
      m_backBuffer(NULL),
      m_memoryDc(NULL),
      m_textColour(0)
{
    ReadProgramDirectory();
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);
}

SkinWindow::~SkinWindow()
{
    ReleaseSharedResources();
    if (m_backBuffer)
        DeleteObject(m_backBuffer);
    if (m_memoryDc)
        DeleteDC(m_memoryDc);
}

void SkinWindow::ReadProgramDirectory()
{
    m_programDirectory[0] = 0;
    DWORD length = GetModuleFileNameW(m_instance, m_programDirectory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        m_programDirectory[0] = 0;
        return;
    }
    WCHAR* lastSlash = wcsrchr(m_programDirectory, TEXT('\\'));
    if (lastSlash != NULL)
        lastSlash[1] = 0;
    else
        m_programDirectory[0] = 0;
}

void SkinWindow::AttachWindow(HWND window)
{
    ReleaseSharedResources();
    CreateSharedResources(window, NULL);
    m_window = window;
    MakeBackBuffer();
}

void SkinWindow::MakeBackBuffer()
{
    RECT client;
    GetClientRect(m_window, &client);
    HDC windowDc = GetDC(m_window);
    if (m_memoryDc == NULL)
        m_memoryDc = CreateCompatibleDC(windowDc);
    if (m_backBuffer)
        DeleteObject(m_backBuffer);
    m_backBuffer = CreateCompatibleBitmap(windowDc, client.right - client.left, client.bottom - client.top);
    ReleaseDC(m_window, windowDc);
    s_bufferedClient = client;
}

BOOL SkinWindow::ClientWidthChanged() const
{
    RECT client;
    GetClientRect(m_window, &client);
    return client.right != s_bufferedClient.right;
}

void SkinWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    PaintBuffered(dc, &paint);
    EndPaint(m_window, &paint);
}

void SkinWindow::PaintBuffered(HDC dc, const PAINTSTRUCT* paint)
{
    if (m_backBuffer == NULL) {
        DrawContent(dc, paint);
        return;
    }
    HGDIOBJ previous = SelectObject(m_memoryDc, m_backBuffer);
    DrawContent(m_memoryDc, paint);
    const RECT& area = paint->rcPaint;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, m_memoryDc, area.left,
           area.top, SRCCOPY);
    SelectObject(m_memoryDc, previous);
}

void SkinWindow::DrawContent(HDC, const PAINTSTRUCT*)
{
}

LRESULT SkinWindow::HandleRequest(UINT request, LPARAM)
{
    return request == BACK_REQUEST;
}

void SkinWindow::InvalidateClient(const RECT* rect)
{
    RECT area = *rect;
    area.right += 1;
    area.bottom += 1;
    InvalidateRect(m_window, &area, TRUE);
}

LRESULT SkinWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        ComputeScreenMetrics();
        if (window == m_window)
            MakeBackBuffer();
        return 0;
    case WM_ERASEBKGND:
        // Everything is drawn through the back buffer; erasing would flicker.
        return 1;
    case WM_COMMAND:
        OnCommand(wParam);
        return 1;
    case WM_HOTKEY:
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SkinWindow::OnCommand(WPARAM)
{
    return 0;
}

Control* SkinWindow::CreateCustomControl(const ControlDesc*, Page*)
{
    return NULL;
}

RECT* SkinWindow::GetClientArea(RECT* rect)
{
    GetClientRect(m_window, rect);
    return rect;
}

void SkinWindow::ShowDefaultMenuBar()
{
    BuildMenuBar(m_window, kDefaultMenu, 2);
}
