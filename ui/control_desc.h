// The layout record of one control, as the pages' constant tables hold
// them. Positions are QVGA pixels, scaled when the control is made.
#pragma once

#include <windows.h>

// Control kinds the factory knows; any other kind is asked of the window.
#define CONTROL_KIND_TEXT_LABEL 1
#define CONTROL_KIND_IMAGE 2
#define CONTROL_KIND_LIST 5
// The application window's answer: a meter bar.
#define CONTROL_KIND_METER_BAR 200

// Text format flags the layouts give labels.
#define LABEL_FORMAT_VCENTRE 4
#define LABEL_FORMAT_CENTRE 5
#define LABEL_FORMAT_RIGHT_VCENTRE 6

struct ControlDesc {
    int id;       // unique within the page
    int kind;
    int x;
    int y;
    int width;
    int height;
    int visible;  // initial visibility
    int param;    // the text number of a label
    int flags;    // the text format of a label
    int group;    // only the page's current group is drawn, hit and focused
};
