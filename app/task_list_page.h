// The task manager page: the running tasks in a list, with buttons to end
// the selected one or bring it to the front.
#pragma once

#include "ui/page.h"

class ListControl;
class StringTable;

class TaskListPage : public Page {
public:
    // The page's one instance, made when there is none.
    static TaskListPage* Create(SkinWindow* window);
    // Deletes the task list and forgets the instance.
    ~TaskListPage() override;

    void CreateControls() override;
    // Shown: the page's soft keys, then a fresh list.
    void Show(BOOL shown, BOOL focusFirst) override;
    // The action key on the list brings its task to the front.
    BOOL OnControlAction(Control* control) override;
    void OnActivate(BOOL active) override;
    BOOL OnCommand(WPARAM commandId) override;
    // Pen-up over the end-task or activate button runs its command.
    void OnControlStylus(UINT message, WPARAM keys, LPARAM point, Control* control) override;
    BOOL OnStylus(UINT message, WPARAM keys, LPARAM point) override;

    const StringTable* Tasks() const { return m_tasks; }

private:
    explicit TaskListPage(SkinWindow* window);

    void RefreshList();
    ListControl* List() const;
    void SetImage(int id, const WCHAR* baseName);
    void StyleLabel(int id);

    StringTable* m_tasks;
};
