// The layouts of the main monitor page, one per screen form.
#pragma once

#include "ui/control_desc.h"

extern const ControlDesc kPortraitMonitorLayout[];
extern const int kPortraitMonitorLayoutCount;
// Without the three section icons.
extern const ControlDesc kSquareMonitorLayout[];
extern const int kSquareMonitorLayoutCount;
extern const ControlDesc kLandscapeMonitorLayout[];
extern const int kLandscapeMonitorLayoutCount;
