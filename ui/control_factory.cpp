#include "ui/control_factory.h"

#include <new>

#include "graphics/screen_metrics.h"
#include "ui/image_control.h"
#include "ui/list_control.h"
#include "ui/page.h"
#include "ui/skin_window.h"
#include "ui/text_label.h"

static Control* CreateControlOfKind(Page* page, const ControlDesc* record)
{
    switch (record->kind) {
    case CONTROL_KIND_TEXT_LABEL: {
        TextLabel* label = new (std::nothrow) TextLabel(page, record->param);
        if (label)
            label->format = record->flags;
        return label;
    }
    case CONTROL_KIND_IMAGE:
        return new (std::nothrow) ImageControl(page, record->param);
    case CONTROL_KIND_LIST:
        return new (std::nothrow) ListControl(page);
    }
    return page->Window()->CreateCustomControl(record, page);
}

void CreateControlsFromTable(Page* page, const ControlDesc* records, int count)
{
    if (page == NULL || records == NULL)
        return;
    for (int i = 0; i < count; ++i) {
        const ControlDesc* record = &records[i];
        RECT bounds = {record->x, record->y, record->x + record->width, record->y + record->height};
        // Vertically centred labels get a pixel of room above and below.
        if (record->kind == CONTROL_KIND_TEXT_LABEL && (record->flags & 4) != 0) {
            bounds.top -= 1;
            bounds.bottom += 1;
        }
        Control* control = CreateControlOfKind(page, record);
        if (control == NULL)
            continue;
        control->group = record->group;
        control->id = record->id;
        page->AddControl(control);
        ScaleRect(&bounds);
        control->SetBounds(&bounds, FALSE);
        control->SetVisible(record->visible != 0, FALSE);
        control->OnCreated();
    }
    page->BuildIdTable();
}
