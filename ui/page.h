// One screen shown inside the window: it owns its controls, knows which
// one has focus and routes keys and stylus input to them.
#pragma once

#include <windows.h>

class Control;
class SkinWindow;

class Page {
public:
    explicit Page(SkinWindow* window);
    // Deletes the id table and every control.
    virtual ~Page();

    // Builds the controls; concrete pages use CreateControlsFromTable.
    virtual void CreateControls();
    // Shows or hides every control of the list, then sets the focus.
    virtual void Show(BOOL shown, BOOL focusFirst);
    // The visible controls of the current group that meet the paint
    // rectangle, in list order; nothing while the page is not live.
    virtual void Draw(HDC dc, const PAINTSTRUCT* paint);
    // Invalidates the whole client area; with updateNow repaints at once.
    virtual void Refresh(BOOL updateNow);
    virtual void InvalidateArea(const RECT* rect);
    // A control's value changed (a list's selection).
    virtual void OnControlChanged(Control* control);
    // A control was actioned; TRUE when handled.
    virtual BOOL OnControlAction(Control* control);
    // Keys the focused control did not take; TRUE when handled.
    virtual BOOL OnKey(UINT message, WPARAM virtualKey, LPARAM keyData);
    virtual void OnActivate(BOOL active);
    // After every focus change made by the page's own operations.
    virtual void OnFocusChanged();
    virtual void OnPause(BOOL paused);
    // NULL releases the capture.
    virtual void SetStylusCapture(Control* control);
    // Menu and button commands; TRUE when handled.
    virtual BOOL OnCommand(WPARAM commandId);
    virtual void OnTimer(UINT_PTR timerId);
    virtual void OnEnter();
    // Stylus input that fell on a control that does not take focus.
    virtual void OnControlStylus(UINT message, WPARAM keys, LPARAM point, Control* control);
    // TRUE when the input was taken by the capture control.
    virtual BOOL OnStylus(UINT message, WPARAM keys, LPARAM point);
    // Asked by a list before it wraps its selection by key; TRUE keeps it.
    virtual BOOL OnListEdge(Control* list, BOOL atTop);
    // After a list moved its selection by key.
    virtual void OnListMoved(Control* list);

    void AddControl(Control* control);
    // A table index once BuildIdTable has run; NULL when there is none.
    Control* FindControl(int id) const;
    void BuildIdTable();
    // The first control in list order under the point; only focusable ones
    // unless anyControl.
    Control* HitTestControl(int x, int y, BOOL anyControl) const;
    void FocusFirstControl();
    // VK_UP or VK_DOWN, wrapping at the ends of the list.
    void MoveFocus(UINT virtualKey);
    void FocusControlById(int id);
    // Right after Show (TRUE, TRUE) of a new page, with paused FALSE.
    void ActivatePage(BOOL paused);

    SkinWindow* Window() const { return m_window; }
    BOOL IsLive() const { return m_live; }
    Control* FirstControl() const { return m_first; }
    Control* FocusedControl() const { return m_focused; }
    Control* StylusCapture() const { return m_capture; }
    int CurrentGroup() const { return m_group; }

protected:
    SkinWindow* m_window;
    BOOL m_live;
    Control* m_first;
    Control* m_last;
    Control* m_focused;
    int m_group;
    Control* m_capture;
    Control** m_idTable;
    int m_idTableLength;

private:
    Page(const Page&);
    Page& operator=(const Page&);

    BOOL TakesFocus(Control* control) const;
    // Moves the focus from the present control to control, then tells
    // OnFocusChanged.
    void ChangeFocus(Control* control);
};
