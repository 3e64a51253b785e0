#include "ui/page.h"

#include "ui/control.h"
#include "ui/skin_window.h"

Page::Page(SkinWindow* window)
    : m_window(window),
      m_live(FALSE),
      m_first(NULL),
      m_last(NULL),
      m_focused(NULL),
      m_group(0),
      m_capture(NULL),
      m_idTable(NULL),
      m_idTableLength(0)
{
}

Page::~Page()
{
    delete[] m_idTable;
    m_idTable = NULL;
    m_idTableLength = 0;
    Control* control = m_first;
    while (control) {
        Control* following = control->next;
        delete control;
        control = following;
    }
    m_focused = NULL;
    m_capture = NULL;
    m_first = m_last = NULL;
}

void Page::CreateControls()
{
}

void Page::Show(BOOL shown, BOOL focusFirst)
{
    m_live = shown;
    for (Control* control = m_first; control; control = control->next)
        control->SetVisible(shown, TRUE);
    if (!shown) {
        if (m_focused)
            m_focused->SetFocused(FALSE, TRUE);
        return;
    }
    if (focusFirst)
        FocusFirstControl();
    else if (m_focused)
        m_focused->SetFocused(TRUE, TRUE);
}

void Page::Draw(HDC dc, const PAINTSTRUCT* paint)
{
    if (!m_live)
        return;
    for (Control* control = m_first; control; control = control->next) {
        if (!control->visible || control->group != m_group)
            continue;
        RECT overlap;
        if (IntersectRect(&overlap, &control->rect, &paint->rcPaint))
            control->Draw(dc, paint);
    }
}

void Page::Refresh(BOOL updateNow)
{
    RECT client;
    m_window->InvalidateClient(m_window->GetClientArea(&client));
    if (updateNow)
        UpdateWindow(m_window->Window());
}

void Page::InvalidateArea(const RECT* rect)
{
    m_window->InvalidateClient(rect);
}

void Page::OnControlChanged(Control*)
{
}

BOOL Page::OnControlAction(Control*)
{
    return FALSE;
}

BOOL Page::OnKey(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void Page::OnActivate(BOOL active)
{
    if (active && m_focused)
        m_focused->SetFocused(TRUE, FALSE);
}

void Page::OnFocusChanged()
{
}

void Page::OnPause(BOOL)
{
}

void Page::SetStylusCapture(Control* control)
{
    m_capture = control;
}

BOOL Page::OnCommand(WPARAM)
{
    return FALSE;
}

void Page::OnTimer(UINT_PTR)
{
}

void Page::OnEnter()
{
}

void Page::OnControlStylus(UINT, WPARAM, LPARAM, Control*)
{
}

BOOL Page::OnStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (m_capture) {
        m_capture->OnStylus(message, keys, point);
        return TRUE;
    }
    Control* before = m_focused;
    int x = (short)LOWORD(point);
    int y = (short)HIWORD(point);
    Control* hit = HitTestControl(x, y, FALSE);
    if (message == WM_LBUTTONDOWN && hit && hit != m_focused) {
        if (m_focused)
            m_focused->SetFocused(FALSE, TRUE);
        m_focused = hit;
        hit->SetFocused(TRUE, TRUE);
        OnFocusChanged();
        Refresh(TRUE);
    }
    // The focused control may have changed under OnFocusChanged; only the
    // one that was hit gets the input.
    if (hit && m_focused == hit && hit->CanFocus() && hit->visible && (before == hit || hit->tapActivates))
        hit->OnStylus(message, keys, point);
    if (hit == NULL) {
        Control* passive = HitTestControl(x, y, TRUE);
        if (passive)
            passive->OnPassiveStylus(message, keys, point);
    }
    return FALSE;
}

BOOL Page::OnListEdge(Control*, BOOL)
{
    return FALSE;
}

void Page::OnListMoved(Control*)
{
}

void Page::AddControl(Control* control)
{
    control->next = NULL;
    control->previous = m_last;
    if (m_last)
        m_last->next = control;
    else
        m_first = control;
    m_last = control;
}

Control* Page::FindControl(int id) const
{
    if (m_idTable)
        return id >= 0 && id < m_idTableLength ? m_idTable[id] : NULL;
    for (Control* control = m_first; control; control = control->next) {
        if (control->id == id)
            return control;
    }
    return NULL;
}

void Page::BuildIdTable()
{
    delete[] m_idTable;
    m_idTable = NULL;
    m_idTableLength = 0;
    int largest = -1;
    for (Control* control = m_first; control; control = control->next) {
        if (control->id > largest)
            largest = control->id;
    }
    if (largest < 0)
        return;
    m_idTableLength = largest + 1;
    m_idTable = new Control*[m_idTableLength]();
    // Negative ids have no entry; a later control replaces an earlier one.
    for (Control* control = m_first; control; control = control->next) {
        if (control->id >= 0)
            m_idTable[control->id] = control;
    }
}

Control* Page::HitTestControl(int x, int y, BOOL anyControl) const
{
    POINT point = {x, y};
    for (Control* control = m_first; control; control = control->next) {
        if (control->group != m_group || !control->visible || control->ignoresStylus)
            continue;
        if (!anyControl && !control->CanFocus())
            continue;
        if (PtInRect(&control->rect, point))
            return control;
    }
    return NULL;
}

BOOL Page::TakesFocus(Control* control) const
{
    return control->CanFocus() && control->visible && control->group == m_group;
}

void Page::ChangeFocus(Control* control)
{
    if (m_focused && m_focused != control)
        m_focused->SetFocused(FALSE, TRUE);
    m_focused = control;
    control->SetFocused(TRUE, TRUE);
    OnFocusChanged();
}

void Page::FocusFirstControl()
{
    for (Control* control = m_first; control; control = control->next) {
        if (TakesFocus(control)) {
            ChangeFocus(control);
            return;
        }
    }
    m_focused = NULL;
    SetFocus(m_window->Window());
    OnFocusChanged();
}

void Page::MoveFocus(UINT virtualKey)
{
    if (m_first == NULL)
        return;
    // Without a focused control the walk down starts at the first control
    // itself and does not wrap; the walk up does not start at all.
    if (m_focused == NULL && virtualKey == VK_UP)
        return;
    if (m_focused == NULL && virtualKey == VK_DOWN && TakesFocus(m_first)) {
        ChangeFocus(m_first);
        return;
    }
    Control* step = m_focused ? m_focused : m_first;
    for (;;) {
        if (virtualKey == VK_DOWN) {
            if (step->next)
                step = step->next;
            else if (m_focused == NULL)
                return;
            else
                step = m_first;
        } else if (virtualKey == VK_UP) {
            step = step->previous ? step->previous : m_last;
        } else {
            return;
        }
        if (step == m_focused)
            return;
        if (TakesFocus(step))
            break;
    }
    ChangeFocus(step);
}

void Page::FocusControlById(int id)
{
    Control* control = FindControl(id);
    if (control && control->CanFocus()) {
        if (m_focused && m_focused != control)
            m_focused->SetFocused(FALSE, TRUE);
        if (control->group == m_group) {
            m_focused = control;
            control->SetFocused(TRUE, TRUE);
        }
    }
    OnFocusChanged();
}

void Page::ActivatePage(BOOL paused)
{
    m_live = !paused;
    if (!paused)
        OnEnter();
    OnPause(paused);
    if (!paused) {
        if (m_focused && m_focused->visible && m_focused->CanFocus())
            m_focused->SetFocused(TRUE, FALSE);
        Refresh(FALSE);
    }
}
