// The system colours of the Pocket PC default scheme.
#include <unordered_map>

#include "gdi_objects.h"

using namespace platform;

DWORD GetSysColor(int nIndex)
{
    switch (nIndex & ~SYS_COLOR_INDEX_FLAG) {
    case COLOR_SCROLLBAR & ~SYS_COLOR_INDEX_FLAG: return RGB(198, 211, 239);
    case COLOR_BACKGROUND & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 82, 156);
    case COLOR_ACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 65, 148);
    case COLOR_INACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG: return RGB(123, 150, 198);
    case COLOR_MENU & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_WINDOW & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_MENUTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER & ~SYS_COLOR_INDEX_FLAG: return RGB(192, 192, 192);
    case COLOR_INACTIVEBORDER & ~SYS_COLOR_INDEX_FLAG: return RGB(192, 192, 192);
    case COLOR_APPWORKSPACE & ~SYS_COLOR_INDEX_FLAG: return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 65, 148);
    case COLOR_HIGHLIGHTTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_BTNFACE & ~SYS_COLOR_INDEX_FLAG: return RGB(214, 219, 231);
    case COLOR_BTNSHADOW & ~SYS_COLOR_INDEX_FLAG: return RGB(123, 134, 156);
    case COLOR_GRAYTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(128, 128, 128);
    case COLOR_BTNTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_BTNHIGHLIGHT & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW & ~SYS_COLOR_INDEX_FLAG: return RGB(66, 73, 90);
    case COLOR_3DLIGHT & ~SYS_COLOR_INDEX_FLAG: return RGB(239, 243, 247);
    case COLOR_INFOTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_INFOBK & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 225);
    case COLOR_STATIC & ~SYS_COLOR_INDEX_FLAG: return RGB(255, 255, 255);
    case COLOR_STATICTEXT & ~SYS_COLOR_INDEX_FLAG: return RGB(0, 0, 0);
    case COLOR_GRADIENTACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG: return RGB(49, 105, 198);
    case COLOR_GRADIENTINACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG: return RGB(165, 186, 222);
    default: return 0;
    }
}

HBRUSH GetSysColorBrush(int nIndex)
{
    // One brush per colour for the life of the process, never deleted.
    static std::unordered_map<int, HBRUSH> brushes;
    int index = nIndex & ~SYS_COLOR_INDEX_FLAG;
    auto it = brushes.find(index);
    if (it != brushes.end())
        return it->second;
    auto brush = std::make_unique<BrushObject>();
    brush->stock = true;
    brush->logBrush.lbStyle = BS_SOLID;
    brush->logBrush.lbColor = GetSysColor(nIndex);
    HBRUSH handle = static_cast<HBRUSH>(AddGdiObject(std::move(brush)));
    brushes[index] = handle;
    return handle;
}
