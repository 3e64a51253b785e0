// GetDC, CreateCompatibleDC, SelectObject and the DC's colours and modes.
#include "device_context.h"

#include <unordered_map>

#include "ce/errors.h"
#include "local_windows.h"
#include "server/screen_buffer.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>>& Dcs()
{
    static std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>> dcs;
    return dcs;
}

// A memory DC starts with a one-pixel monochrome bitmap that draws nothing.
HGDIOBJ StockBitmap()
{
    static HGDIOBJ bitmap = [] {
        auto object = std::make_unique<BitmapObject>();
        object->stock = true;
        object->surface.width = 1;
        object->surface.height = 1;
        object->surface.bitsPerPixel = 1;
        object->surface.stride = 2;
        return AddGdiObject(std::move(object));
    }();
    return bitmap;
}

HDC AddDc(std::unique_ptr<DeviceContext> dc)
{
    dc->pen = GetStockObject(BLACK_PEN);
    dc->brush = GetStockObject(WHITE_BRUSH);
    dc->font = GetStockObject(SYSTEM_FONT);
    NoteSelected(dc->pen);
    NoteSelected(dc->brush);
    NoteSelected(dc->font);
    if (dc->kind == DcKind::Memory) {
        dc->bitmap = StockBitmap();
        NoteSelected(dc->bitmap);
    }
    uintptr_t value = NextGdiHandleValue();
    Dcs()[value] = std::move(dc);
    return reinterpret_cast<HDC>(value);
}

bool RemoveDc(HDC hdc)
{
    auto it = Dcs().find(reinterpret_cast<uintptr_t>(hdc));
    if (it == Dcs().end())
        return false;
    DeviceContext& dc = *it->second;
    for (HGDIOBJ selected : {dc.pen, dc.brush, dc.font, dc.bitmap})
        if (selected)
            NoteDeselected(selected);
    Dcs().erase(it);
    return true;
}

HDC WindowDc(HWND hWnd, bool whole)
{
    if (!hWnd) {
        auto dc = std::make_unique<DeviceContext>();
        dc->kind = DcKind::Screen;
        return AddDc(std::move(dc));
    }
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Window;
    dc->hwnd = hWnd;
    dc->whole = whole;
    return AddDc(std::move(dc));
}

// Asks the server again when windows changed since the DC last looked.
bool RefreshVisible(DeviceContext& dc, const sim::ScreenBuffer& screen)
{
    if (dc.layoutVersion == screen.LayoutVersion())
        return true;
    sim::WireWriter args;
    args.U32(WindowId(dc.hwnd)).U8(dc.whole ? 1 : 0);
    std::string reply = Call(sim::Op::VisibleRegion, args);
    sim::WireReader in(reply);
    if (!in.U8())
        return false;
    dc.origin.x = in.I32();
    dc.origin.y = in.I32();
    dc.visible = sim::Region();
    uint32_t count = in.U32();
    for (uint32_t i = 0; i < count && !in.Failed(); ++i) {
        sim::Rect r;
        r.left = in.I32();
        r.top = in.I32();
        r.right = in.I32();
        r.bottom = in.I32();
        dc.visible.Unite(r);
    }
    dc.layoutVersion = screen.LayoutVersion();
    return true;
}

Surface ScreenSurface(const sim::ScreenBuffer& screen)
{
    Surface surface;
    surface.bits = screen.Pixels();
    surface.width = screen.Width();
    surface.height = screen.Height();
    surface.stride = screen.Stride();
    surface.bitsPerPixel = 24;
    return surface;
}

}  // namespace

int LiveDcCount()
{
    return static_cast<int>(Dcs().size());
}

DeviceContext* FindDc(HDC hdc)
{
    auto it = Dcs().find(reinterpret_cast<uintptr_t>(hdc));
    return it == Dcs().end() ? nullptr : it->second.get();
}

bool SourceOf(HDC hdc, Surface& surface, int& dx, int& dy)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return false;
    dx = dy = 0;
    if (dc->kind == DcKind::Memory) {
        BitmapObject* bitmap = FindGdiObjectOf<BitmapObject>(dc->bitmap, GdiType::Bitmap);
        if (!bitmap || !bitmap->surface.Valid())
            return false;
        surface = bitmap->surface;
        return true;
    }
    sim::ScreenBuffer* screen = DeviceScreen();
    if (!screen)
        return false;
    surface = ScreenSurface(*screen);
    if (dc->kind == DcKind::Window) {
        if (!RefreshVisible(*dc, *screen))
            return false;
        dx = dc->origin.x;
        dy = dc->origin.y;
    }
    return true;
}

bool TargetOf(HDC hdc, DrawTarget& target)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc || !SourceOf(hdc, target.surface, target.dx, target.dy))
        return false;
    if (dc->kind == DcKind::Window)
        target.clip = dc->visible;
    else
        target.clip = sim::Region(sim::Rect{0, 0, target.surface.width, target.surface.height});
    if (dc->paintArea) {
        sim::Region update = *dc->paintArea;
        update.Offset(target.dx, target.dy);
        target.clip.Intersect(update);
    }
    if (dc->clip) {
        sim::Region clip = *dc->clip;
        clip.Offset(target.dx, target.dy);
        target.clip.Intersect(clip);
    }
    return true;
}

HDC CreatePaintDc(HWND hwnd, const sim::Region& update, const std::optional<PaintTarget>& target)
{
    HDC hdc = WindowDc(hwnd, false);
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return hdc;
    dc->paintArea = update;
    if (target) {
        dc->origin = target->origin;
        dc->visible = target->visible;
        dc->layoutVersion = target->layoutVersion;
    }
    return hdc;
}

}  // namespace platform

using namespace platform;

HDC GetDC(HWND hWnd) { return WindowDc(hWnd, false); }

HDC GetWindowDC(HWND hWnd) { return WindowDc(hWnd, true); }

int ReleaseDC(HWND, HDC hDC)
{
    DeviceContext* dc = FindDc(hDC);
    if (!dc || dc->kind == DcKind::Memory)
        return 0;
    return RemoveDc(hDC) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Memory;
    return AddDc(std::move(dc));
}

BOOL DeleteDC(HDC hdc)
{
    if (!RemoveDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    DeviceContext* dc = FindDc(hdc);
    GdiObject* object = FindGdiObject(h);
    if (!dc || !object || object->deletePending)
        return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (object->type) {
    case GdiType::Pen: slot = &dc->pen; break;
    case GdiType::Brush: slot = &dc->brush; break;
    case GdiType::Font: slot = &dc->font; break;
    case GdiType::Bitmap:
        // A bitmap goes into one memory DC at a time.
        if (dc->kind != DcKind::Memory || (object->selections > 0 && !object->stock && dc->bitmap != h))
            return nullptr;
        slot = &dc->bitmap;
        break;
    case GdiType::Region: {
        // Selecting a region sets the clip and answers the region's kind.
        int kind = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(kind));
    }
    }
    HGDIOBJ previous = *slot;
    if (previous == h)
        return previous;
    NoteSelected(h);
    *slot = h;
    NoteDeselected(previous);
    return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    default: return nullptr;
    }
}

int GetDeviceCaps(HDC hdc, int index)
{
    if (!FindDc(hdc))
        return 0;
    sim::ScreenInfo screen = ScreenFacts();
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return screen.width;
    case VERTRES: return screen.height;
    case HORZSIZE: return screen.width * 254 / (screen.dpi * 10);
    case VERTSIZE: return screen.height * 254 / (screen.dpi * 10);
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return screen.dpi;
    default: return 0;
    }
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return 0xFFFFFFFF;
    COLORREF previous = dc->textColour;
    dc->textColour = color & 0x00FFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC hdc)
{
    DeviceContext* dc = FindDc(hdc);
    return dc ? dc->textColour : 0xFFFFFFFF;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return 0xFFFFFFFF;
    COLORREF previous = dc->bkColour;
    dc->bkColour = color & 0x00FFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC hdc)
{
    DeviceContext* dc = FindDc(hdc);
    return dc ? dc->bkColour : 0xFFFFFFFF;
}

int SetBkMode(HDC hdc, int mode)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

int GetBkMode(HDC hdc)
{
    DeviceContext* dc = FindDc(hdc);
    return dc ? dc->bkMode : 0;
}

DWORD GetObjectType(HGDIOBJ h)
{
    if (DeviceContext* dc = FindDc(static_cast<HDC>(h)))
        return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    GdiObject* object = FindGdiObject(h);
    return object ? static_cast<DWORD>(object->type) : 0;
}
