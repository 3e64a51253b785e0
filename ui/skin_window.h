// The top-level window every screen of the program is drawn in: it owns
// the client-sized back buffer that all painting goes through.
#pragma once

#include <windows.h>

class Control;
class Page;
struct ControlDesc;

// Navigation a page asks of its window.
#define BACK_REQUEST 0x0401
#define SWITCH_PAGE_REQUEST 0x0402
#define OVERLAY_REQUEST 0x0403

class SkinWindow {
public:
    // Reads the program directory from the running executable and makes
    // the date picker class available.
    explicit SkinWindow(HINSTANCE instance);
    virtual ~SkinWindow();

    // Binds the window: the shared fonts for its DC, then the back buffer.
    virtual void AttachWindow(HWND window);
    // The paint cycle around PaintBuffered.
    virtual void OnPaint();
    // Draws the scene into the back buffer and copies the paint rectangle
    // to dc; straight into dc when there is no buffer.
    virtual void PaintBuffered(HDC dc, const PAINTSTRUCT* paint);
    virtual void DrawContent(HDC dc, const PAINTSTRUCT* paint);
    // BACK_REQUEST, SWITCH_PAGE_REQUEST, OVERLAY_REQUEST; the base takes
    // only the back request.
    virtual LRESULT HandleRequest(UINT request, LPARAM param);
    // The rectangle one pixel larger to the right and the bottom, so that
    // outlines along those edges repaint too.
    virtual void InvalidateClient(const RECT* rect);
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Non-zero when handled.
    virtual LRESULT OnCommand(WPARAM commandId);
    // A control of a kind the factory does not make, or NULL.
    virtual Control* CreateCustomControl(const ControlDesc* desc, Page* page);
    virtual RECT* GetClientArea(RECT* rect);
    // The soft keys of a window whose page sets none.
    virtual void ShowDefaultMenuBar();

    // Makes the buffer for the present client size.
    void MakeBackBuffer();
    // The client width differs from the one the buffer was last made for
    // (a rotation); WM_SIZE makes the buffer anew.
    BOOL ClientWidthChanged() const;

    HWND Window() const { return m_window; }
    HINSTANCE Instance() const { return m_instance; }
    HDC MemoryDc() const { return m_memoryDc; }
    HBITMAP BackBuffer() const { return m_backBuffer; }
    // The directory of the running executable, with its trailing backslash.
    const WCHAR* ProgramDirectory() const { return m_programDirectory; }
    // The colour text is drawn in over the background; black until a
    // theme sets it.
    COLORREF TextColour() const { return m_textColour; }

protected:
    HWND m_window;
    HINSTANCE m_instance;
    HBITMAP m_backBuffer;
    HDC m_memoryDc;
    WCHAR m_programDirectory[MAX_PATH];
    COLORREF m_textColour;

private:
    SkinWindow(const SkinWindow&);
    SkinWindow& operator=(const SkinWindow&);

    void ReadProgramDirectory();
};
