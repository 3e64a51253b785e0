#include "today_host.h"

#include <algorithm>

#include "shell_log.h"
#include "today_screen.h"

namespace shell {
namespace {

void CopyText(WCHAR* to, size_t capacity, const std::u16string& text)
{
    size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.begin(), length, to);
    to[length] = 0;
}

bool IsNavigationKey(UINT key)
{
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

}  // namespace

void TodayHost::Build()
{
    for (const TodayItemEntry& entry : ReadTodayItemEntries()) {
        if (!IsHostedCustomItem(entry))
            continue;
        std::string reason;
        std::unique_ptr<HostedItem> item = Load(entry, reason);
        if (item)
            items_.push_back(std::move(item));
        else
            LogShellEvent("today-item-failed name=" + LogText(entry.name) + " dll=" + LogText(entry.dll) +
                          " reason=" + reason);
    }
    Layout();
}

void TodayHost::Clear()
{
    for (const std::unique_ptr<HostedItem>& item : items_) {
        DestroyWindow(item->record.hwndCustom);
        FreeLibrary(item->record.hinstDLL);
    }
    items_.clear();
    selected_ = kNothing;
}

void TodayHost::Rebuild()
{
    Clear();
    Build();
    InvalidateRect(desktop_, NULL, TRUE);
}

// The record carries what the registry says of the item; the item reads it
// in its initialisation and writes its height into it when asked.
std::unique_ptr<HostedItem> TodayHost::Load(const TodayItemEntry& entry, std::string& reason)
{
    auto item = std::make_unique<HostedItem>();
    item->entry = entry;
    TODAYLISTITEM& record = item->record;
    CopyText(record.szName, MAX_ITEMNAME, entry.name);
    record.tlit = tlitCustom;
    record.dwOrder = entry.order;
    record.fEnabled = TRUE;
    record.fOptions = entry.options != 0;
    record.grfFlags = entry.flags;
    CopyText(record.szDLLPath, MAX_PATH, entry.dll);

    HMODULE module = LoadLibraryW(record.szDLLPath);
    if (!module) {
        reason = "load-failed error=" + std::to_string(GetLastError());
        return nullptr;
    }
    record.hinstDLL = module;
    auto initialize = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(
        GetProcAddressW(module, MAKEINTRESOURCE(ORDINAL_INITIALIZEITEM)));
    if (!initialize) {
        FreeLibrary(module);
        reason = "no-ordinal-240";
        return nullptr;
    }
    record.hwndCustom = initialize(&record, desktop_);
    if (!record.hwndCustom) {
        FreeLibrary(module);
        reason = "no-window";
        return nullptr;
    }
    // The item tells its first height as it tells every later one.
    SendMessageW(record.hwndCustom, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, reinterpret_cast<LPARAM>(&record));
    return item;
}

// FIXME: the screen does not scroll; items past the page's bottom lie
// over the soft-key bar.
void TodayHost::Layout()
{
    RECT client;
    GetClientRect(desktop_, &client);
    int top = TodayDateLine(client).bottom;
    // A height past the screen's is the item's mistake; it gets the screen.
    int most = client.bottom - client.top;
    for (const std::unique_ptr<HostedItem>& item : items_) {
        int height = static_cast<int>(std::min<DWORD>(item->record.cyp, static_cast<DWORD>(most)));
        MoveWindow(item->record.hwndCustom, client.left, top, client.right - client.left, height, TRUE);
        if (item->laidHeight != height) {
            item->laidHeight = height;
            LogPlaced(*item);
        }
        top += height;
    }
}

void TodayHost::LogPlaced(const HostedItem& item)
{
    LogShellEvent("today-item name=" + LogText(item.entry.name) + " dll=" + LogText(item.entry.dll) +
                  " height=" + std::to_string(item.laidHeight));
}

// An item answers TRUE when it has something new to show; only then may
// its height have changed.
void TodayHost::Poll()
{
    bool moved = false;
    for (const std::unique_ptr<HostedItem>& item : items_) {
        TODAYLISTITEM& record = item->record;
        if (!SendMessageW(record.hwndCustom, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, reinterpret_cast<LPARAM>(&record)))
            continue;
        if (static_cast<int>(record.cyp) != item->laidHeight)
            moved = true;
        else
            InvalidateRect(record.hwndCustom, NULL, TRUE);
    }
    if (moved) {
        Layout();
        InvalidateRect(desktop_, NULL, TRUE);
    }
}

HostedItem* TodayHost::ItemAt(int place) const
{
    if (place <= kDateLine || place > static_cast<int>(items_.size()))
        return nullptr;
    return items_[static_cast<size_t>(place - 1)].get();
}

// An item that follows the selection messages may refuse it, and the
// selection goes on past it; one the screen selects alone is not asked.
bool TodayHost::Offer(int place, UINT virtualKey)
{
    HostedItem* item = ItemAt(place);
    if (!item)
        return place == kDateLine;
    if (item->entry.selectability == 1)
        return true;
    return item->entry.selectability == 2 &&
           SendMessageW(item->record.hwndCustom, WM_TODAYCUSTOM_RECEIVEDSELECTION, virtualKey, 0) != FALSE;
}

// The place taking the selection has accepted it (or took it itself), so
// the one leaving is told only when the selection has somewhere to go.
void TodayHost::Select(int place)
{
    if (place == selected_)
        return;
    int previous = selected_;
    selected_ = place;
    HostedItem* leaving = ItemAt(previous);
    if (leaving && leaving->entry.selectability == 2)
        SendMessageW(leaving->record.hwndCustom, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
    Redraw(previous);
    Redraw(place);
    HostedItem* item = ItemAt(place);
    LogShellEvent("today-select name=" + (item ? LogText(item->entry.name) : std::string("Date")));
}

// Down from nothing selects the date line; up from nothing, nothing. At
// either end the selection stays.
void TodayHost::MoveSelection(UINT virtualKey)
{
    int step = virtualKey == VK_DOWN ? 1 : -1;
    if (selected_ == kNothing && step < 0)
        return;
    int last = static_cast<int>(items_.size());
    for (int place = selected_ + step; place >= kDateLine && place <= last; place += step) {
        if (Offer(place, virtualKey)) {
            Select(place);
            return;
        }
    }
}

// The action key acts on the selected item: by its message, or for an
// item the screen selects alone, as a tap at its top-left corner.
void TodayHost::Act(UINT virtualKey)
{
    HostedItem* item = ItemAt(selected_);
    if (!item)
        return;
    HWND window = item->record.hwndCustom;
    if (item->entry.selectability == 2) {
        SendMessageW(window, WM_TODAYCUSTOM_ACTION, virtualKey, 0);
    } else {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }
}

// A selected item that follows the selection messages sees every
// navigation key first; what it leaves, the screen takes.
bool TodayHost::OnKey(UINT virtualKey)
{
    if (IsNavigationKey(virtualKey)) {
        HostedItem* item = ItemAt(selected_);
        if (item && item->entry.selectability == 2 &&
            SendMessageW(item->record.hwndCustom, WM_TODAYCUSTOM_USERNAVIGATION, virtualKey, 0))
            return true;
        if (virtualKey == VK_UP || virtualKey == VK_DOWN)
            MoveSelection(virtualKey);
        return true;
    }
    if (virtualKey == VK_RETURN) {
        Act(virtualKey);
        return true;
    }
    return false;
}

void TodayHost::OnTap(POINT point)
{
    RECT client;
    GetClientRect(desktop_, &client);
    RECT date = TodayDateLine(client);
    if (PtInRect(&date, point))
        Select(kDateLine);
}

void TodayHost::OnTookSelection(HWND window)
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->record.hwndCustom == window && items_[i]->entry.selectability != 0)
            Select(static_cast<int>(i) + 1);
}

COLORREF TodayHost::Color(WPARAM index)
{
    switch (index) {
    case TODAYCOLOR_TEXT: return kTodayText;
    case TODAYCOLOR_HIGHLIGHT: return kTodayHighlight;
    case TODAYCOLOR_HIGHLIGHTEDTEXT: return kTodayHighlightedText;
    default: return RGB(0, 0, 0);
    }
}

// The background under the item's rectangle: the page as the screen draws
// it, or, for a selected item the screen selects alone, the highlight.
void TodayHost::DrawWatermark(const TODAYDRAWWATERMARKINFO& info) const
{
    HostedItem* item = ItemAt(selected_);
    if (item && item->record.hwndCustom == info.hwnd && item->entry.selectability == 1) {
        HBRUSH brush = CreateSolidBrush(kTodayHighlight);
        FillRect(info.hdc, &info.rc, brush);
        DeleteObject(brush);
        return;
    }
    POINT corner = {info.rc.left, info.rc.top};
    MapWindowPoints(info.hwnd, desktop_, &corner, 1);
    RECT part = {corner.x, corner.y, corner.x + info.rc.right - info.rc.left, corner.y + info.rc.bottom - info.rc.top};
    RECT client;
    GetClientRect(desktop_, &client);
    POINT origin = {info.rc.left, info.rc.top};
    DrawTodayBackground(info.hdc, client, part, origin);
}

void TodayHost::Redraw(int place)
{
    if (place == kDateLine) {
        RECT client;
        GetClientRect(desktop_, &client);
        RECT date = TodayDateLine(client);
        InvalidateRect(desktop_, &date, FALSE);
    } else if (HostedItem* item = ItemAt(place)) {
        InvalidateRect(item->record.hwndCustom, NULL, TRUE);
    }
}

}  // namespace shell
