// The process's GDI objects: pens, brushes, fonts, bitmaps and regions,
// behind handles that DeleteObject ends.
#pragma once

#include <memory>
#include <vector>

#include "ce/gdi.h"
#include "ce/text.h"
#include "server/region.h"
#include "surface.h"

namespace platform {

enum class GdiType : DWORD {
    Pen = OBJ_PEN,
    Brush = OBJ_BRUSH,
    Font = OBJ_FONT,
    Bitmap = OBJ_BITMAP,
    Region = OBJ_REGION,
};

struct GdiObject {
    explicit GdiObject(GdiType t) : type(t) {}
    virtual ~GdiObject() = default;
    GdiType type;
    bool stock = false;
    // DCs it is selected into; a deleted object lives on until the last
    // of them lets it go.
    int selections = 0;
    bool deletePending = false;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(GdiType::Pen) {}
    LOGPEN logPen{};
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(GdiType::Brush) {}
    LOGBRUSH logBrush{};
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(GdiType::Bitmap) {}
    Surface surface;
    std::unique_ptr<uint8_t[]> storage;
    // A DIB section keeps the header it was made from, for GetObjectW.
    bool dibSection = false;
    BITMAPINFOHEADER header{};
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(GdiType::Region) {}
    sim::Region region;
};

class FontFace;

struct FontObject : GdiObject {
    FontObject() : GdiObject(GdiType::Font) {}
    LOGFONTW logFont{};
    // Found on first use by the text code.
    std::shared_ptr<const FontFace> face;
};

// Takes ownership and hands out the new handle.
HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object);
GdiObject* FindGdiObject(HGDIOBJ handle);
template <class T>
T* FindGdiObjectOf(HGDIOBJ handle, GdiType type)
{
    GdiObject* object = FindGdiObject(handle);
    return object && object->type == type ? static_cast<T*>(object) : nullptr;
}

// SelectObject's bookkeeping; the release frees a deleted object.
void NoteSelected(HGDIOBJ handle);
void NoteDeselected(HGDIOBJ handle);

// The colour a brush paints with; false for a null brush or no brush. A
// system colour index + 1 stands for that colour, as window classes use it.
bool BrushColour(HBRUSH brush, COLORREF& colour);

// The objects the process has made and not yet let go of, stock objects
// left out.
int LiveGdiObjectCount();

// Handles of DCs come from the same numbers as object handles, so that no
// DC is ever taken for an object.
uintptr_t NextGdiHandleValue();

}  // namespace platform
