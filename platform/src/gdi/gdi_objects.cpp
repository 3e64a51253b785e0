// Object handles, stock objects, pens, brushes and DeleteObject/GetObjectW.
#include "gdi_objects.h"

#include <cstring>
#include <unordered_map>

#include "ce/errors.h"

namespace platform {
namespace {

std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>>& Objects()
{
    static std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> objects;
    return objects;
}

std::unique_ptr<GdiObject> MakeStockObject(int index)
{
    auto brush = [](UINT style, COLORREF colour) {
        auto object = std::make_unique<BrushObject>();
        object->logBrush.lbStyle = style;
        object->logBrush.lbColor = colour;
        return object;
    };
    auto pen = [](UINT style, COLORREF colour) {
        auto object = std::make_unique<PenObject>();
        object->logPen.lopnStyle = style;
        object->logPen.lopnWidth.x = 1;
        object->logPen.lopnColor = colour;
        return object;
    };
    switch (index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case SYSTEM_FONT: {
        auto font = std::make_unique<FontObject>();
        font->logFont.lfHeight = -11;
        font->logFont.lfWeight = FW_NORMAL;
        font->logFont.lfCharSet = DEFAULT_CHARSET;
        font->logFont.lfQuality = CLEARTYPE_QUALITY;
        std::memcpy(font->logFont.lfFaceName, u"Tahoma", sizeof u"Tahoma");
        return font;
    }
    default: return nullptr;
    }
}

}  // namespace

uintptr_t NextGdiHandleValue()
{
    static uintptr_t next = 0x10000;
    next += 4;
    return next;
}

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object)
{
    uintptr_t value = NextGdiHandleValue();
    Objects()[value] = std::move(object);
    return reinterpret_cast<HGDIOBJ>(value);
}

int LiveGdiObjectCount()
{
    int count = 0;
    for (const auto& entry : Objects())
        if (!entry.second->stock)
            count++;
    return count;
}

GdiObject* FindGdiObject(HGDIOBJ handle)
{
    auto it = Objects().find(reinterpret_cast<uintptr_t>(handle));
    return it == Objects().end() ? nullptr : it->second.get();
}

void NoteSelected(HGDIOBJ handle)
{
    if (GdiObject* object = FindGdiObject(handle))
        object->selections++;
}

void NoteDeselected(HGDIOBJ handle)
{
    GdiObject* object = FindGdiObject(handle);
    if (!object)
        return;
    object->selections--;
    if (object->selections <= 0 && object->deletePending)
        Objects().erase(reinterpret_cast<uintptr_t>(handle));
}

bool BrushColour(HBRUSH brush, COLORREF& colour)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    uintptr_t index = value & ~static_cast<uintptr_t>(SYS_COLOR_INDEX_FLAG);
    if (index >= 1 && index <= 64) {
        colour = GetSysColor(static_cast<int>(index - 1));
        return true;
    }
    BrushObject* object = FindGdiObjectOf<BrushObject>(brush, GdiType::Brush);
    if (!object || object->logBrush.lbStyle == BS_NULL)
        return false;
    colour = object->logBrush.lbColor;
    return true;
}

}  // namespace platform

using namespace platform;

HGDIOBJ GetStockObject(int fnObject)
{
    static std::unordered_map<int, HGDIOBJ> stock;
    auto it = stock.find(fnObject);
    if (it != stock.end())
        return it->second;
    std::unique_ptr<GdiObject> object = MakeStockObject(fnObject);
    if (!object)
        return nullptr;
    object->stock = true;
    HGDIOBJ handle = AddGdiObject(std::move(object));
    stock[fnObject] = handle;
    return handle;
}

BOOL DeleteObject(HGDIOBJ ho)
{
    GdiObject* object = FindGdiObject(ho);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Stock objects outlive every attempt to delete them.
    if (object->stock)
        return TRUE;
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    Objects().erase(reinterpret_cast<uintptr_t>(ho));
    return TRUE;
}

int GetObjectW(HGDIOBJ h, int c, LPVOID pv)
{
    GdiObject* object = FindGdiObject(h);
    if (!object)
        return 0;
    auto copy = [c, pv](const void* record, int size) {
        if (!pv)
            return size;
        if (c < size)
            return 0;
        std::memcpy(pv, record, static_cast<size_t>(size));
        return size;
    };
    switch (object->type) {
    case GdiType::Pen: return copy(&static_cast<PenObject*>(object)->logPen, sizeof(LOGPEN));
    case GdiType::Brush: return copy(&static_cast<BrushObject*>(object)->logBrush, sizeof(LOGBRUSH));
    case GdiType::Font: return copy(&static_cast<FontObject*>(object)->logFont, sizeof(LOGFONTW));
    case GdiType::Bitmap: {
        auto* bitmap = static_cast<BitmapObject*>(object);
        DIBSECTION section{};
        const Surface& s = bitmap->surface;
        section.dsBm.bmWidth = s.width;
        section.dsBm.bmHeight = s.height;
        section.dsBm.bmWidthBytes = s.stride;
        section.dsBm.bmPlanes = 1;
        section.dsBm.bmBitsPixel = static_cast<WORD>(s.bitsPerPixel);
        // Only a DIB section shows its pixels.
        section.dsBm.bmBits = bitmap->dibSection ? s.bits : nullptr;
        if (bitmap->dibSection && pv && c >= static_cast<int>(sizeof(DIBSECTION))) {
            section.dsBmih = bitmap->header;
            return copy(&section, sizeof(DIBSECTION));
        }
        return copy(&section.dsBm, sizeof(BITMAP));
    }
    case GdiType::Region: return 0;
    }
    return 0;
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (!plpen)
        return nullptr;
    auto pen = std::make_unique<PenObject>();
    pen->logPen = *plpen;
    return static_cast<HPEN>(AddGdiObject(std::move(pen)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    LOGPEN logPen{};
    logPen.lopnStyle = static_cast<UINT>(iStyle);
    logPen.lopnWidth.x = cWidth;
    logPen.lopnColor = color;
    return CreatePenIndirect(&logPen);
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto brush = std::make_unique<BrushObject>();
    brush->logBrush.lbStyle = BS_SOLID;
    brush->logBrush.lbColor = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(AddGdiObject(std::move(brush)));
}
