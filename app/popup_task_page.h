// The popup task list: the running tasks in a skinned window over the
// Today screen, which ends as soon as it is done with or left.
#pragma once

#include "ui/page.h"

class ListControl;
class StringTable;

class PopupTaskPage : public Page {
public:
    // The page's one instance, made when there is none.
    static PopupTaskPage* Create(SkinWindow* window);
    // Deletes the task list and the list's font, and forgets the instance.
    ~PopupTaskPage() override;

    // The list where and as the theme's "popup_tasklist" entry says.
    void CreateControls() override;
    // Shown: the soft keys with the themes filled in, then a fresh list.
    void Show(BOOL shown, BOOL focusFirst) override;
    // The popup skin over the captured screen, then the list.
    void Draw(HDC dc, const PAINTSTRUCT* paint) override;
    // The task that comes to the front ends the popup; no refresh.
    BOOL OnControlAction(Control* control) override;
    void OnActivate(BOOL active) override;
    BOOL OnCommand(WPARAM commandId) override;
    // A tap on the skin outside the list is taken and does nothing.
    BOOL OnStylus(UINT message, WPARAM keys, LPARAM point) override;

    const StringTable* Tasks() const { return m_tasks; }

private:
    explicit PopupTaskPage(SkinWindow* window);

    void RefreshList();
    ListControl* List() const;
    void ApplyThemeStyle(ListControl* list);
    void InstallMenu();

    StringTable* m_tasks;
    HFONT m_font;
};
