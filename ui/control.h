// The base of every skinned control: a rectangle on its page, drawn into
// the window's back buffer and given keys and stylus input by the page.
#pragma once

#include <windows.h>

class Page;

class Control {
public:
    explicit Control(Page* owner);
    // Controls are deleted only by their page.
    virtual ~Control();

    virtual void SetBounds(const RECT* bounds, BOOL redraw);
    // paint->rcPaint is the area being repainted.
    virtual void Draw(HDC dc, const PAINTSTRUCT* paint);
    // Repaints the rectangle through the page, while visible.
    virtual void Invalidate();
    // Once, after the factory has set the rectangle and visibility.
    virtual void OnCreated();
    // Hiding does not repaint the area the control covered.
    virtual void SetVisible(BOOL shown, BOOL redraw);
    // WM_KEYDOWN or WM_KEYUP while focused; TRUE when handled.
    virtual BOOL OnKey(UINT message, WPARAM virtualKey, LPARAM keyData);
    // Invalidate and repaint at once.
    virtual void RedrawNow();
    virtual BOOL CanFocus();
    // The focused look is drawn by Draw, against the page's focused control.
    virtual void SetFocused(BOOL focused, BOOL redraw);
    // TRUE when the focused control keeps the back request for itself.
    virtual BOOL ConsumesBack();
    // Stylus input on the control's own scroll bar.
    virtual BOOL OnScrollStylus(UINT message, WPARAM keys, LPARAM point);
    // Stylus input for a control that takes focus; the point is packed as
    // x in the low and y in the high 16 bits.
    virtual BOOL OnStylus(UINT message, WPARAM keys, LPARAM point);
    // Stylus input on a control that did not take focus: passed to the
    // page's OnControlStylus.
    virtual BOOL OnPassiveStylus(UINT message, WPARAM keys, LPARAM point);

    BOOL visible;
    RECT rect;
    Page* owner;
    Control* next;
    Control* previous;
    int id;
    BOOL focusable;
    // Kinds that honour it outline their rectangle.
    BOOL frame;
    // Kinds that honour it outline their inside while focused.
    BOOL focusFrame;
    int group;
    // A tap that moves focus here is also passed on as input.
    BOOL tapActivates;
    // Skipped by hit testing.
    BOOL ignoresStylus;

private:
    Control(const Control&);
    Control& operator=(const Control&);
};

// Draws one control through the back buffer straight to the window,
// without waiting for WM_PAINT.
void RedrawThroughBuffer(Control* control);
