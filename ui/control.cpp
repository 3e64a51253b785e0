#include "ui/control.h"

#include "ui/page.h"
#include "ui/skin_window.h"

Control::Control(Page* owner)
    : visible(FALSE),
      owner(owner),
      next(NULL),
      previous(NULL),
      id(0),
      focusable(TRUE),
      frame(TRUE),
      focusFrame(TRUE),
      group(0),
      tapActivates(TRUE),
      ignoresStylus(FALSE)
{
    rect.left = rect.top = rect.right = rect.bottom = 0;
}

Control::~Control()
{
}

void Control::SetBounds(const RECT* bounds, BOOL redraw)
{
    rect = *bounds;
    if (redraw && owner)
        Invalidate();
}

void Control::Draw(HDC, const PAINTSTRUCT*)
{
}

void Control::Invalidate()
{
    if (owner && visible)
        owner->InvalidateArea(&rect);
}

void Control::OnCreated()
{
}

void Control::SetVisible(BOOL shown, BOOL redraw)
{
    visible = shown;
    if (redraw)
        Invalidate();
}

BOOL Control::OnKey(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void Control::RedrawNow()
{
    Invalidate();
    if (owner)
        UpdateWindow(owner->Window()->Window());
}

BOOL Control::CanFocus()
{
    return focusable;
}

void Control::SetFocused(BOOL, BOOL)
{
    Invalidate();
}

BOOL Control::ConsumesBack()
{
    return FALSE;
}

BOOL Control::OnScrollStylus(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL Control::OnStylus(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL Control::OnPassiveStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (owner)
        owner->OnControlStylus(message, keys, point, this);
    return FALSE;
}

void RedrawThroughBuffer(Control* control)
{
    SkinWindow* window = control->owner->Window();
    HWND handle = window->Window();
    HDC windowDc = GetDC(handle);
    HGDIOBJ previous = SelectObject(window->MemoryDc(), window->BackBuffer());
    PAINTSTRUCT paint = {};
    paint.hdc = window->MemoryDc();
    paint.rcPaint = control->rect;
    control->Draw(window->MemoryDc(), &paint);
    const RECT& area = control->rect;
    // Controls drawn over this one (later in the page's list) are drawn
    // again within its rectangle, as a full repaint would show them.
    for (Control* above = control->next; above; above = above->next) {
        RECT overlap;
        if (!above->visible || above->group != control->owner->CurrentGroup() ||
            !IntersectRect(&overlap, &above->rect, &area))
            continue;
        IntersectClipRect(window->MemoryDc(), area.left, area.top, area.right, area.bottom);
        above->Draw(window->MemoryDc(), &paint);
        SelectClipRgn(window->MemoryDc(), NULL);
    }
    BitBlt(windowDc, area.left, area.top, area.right - area.left, area.bottom - area.top, window->MemoryDc(),
           area.left, area.top, SRCCOPY);
    SelectObject(window->MemoryDc(), previous);
    ReleaseDC(handle, windowDc);
}
