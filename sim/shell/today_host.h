// The Today screen's host for its items: it loads each enabled custom item
// the registry lists into the shell, stacks the item windows below the date
// line at the heights they report, polls them for changes, moves the
// selection between the date line and them, and answers their requests.
#pragma once

#include <windows.h>
#include <todaycmn.h>

#include <memory>
#include <string>
#include <vector>

#include "today_items.h"

namespace shell {

struct HostedItem {
    TodayItemEntry entry;
    // The item keeps this record's address; it writes cyp into it.
    TODAYLISTITEM record = {};
    // The height the screen last laid the item out at; -1 before that.
    int laidHeight = -1;
};

class TodayHost {
public:
    explicit TodayHost(HWND desktop) : desktop_(desktop) {}
    ~TodayHost() { Clear(); }
    TodayHost(const TodayHost&) = delete;
    TodayHost& operator=(const TodayHost&) = delete;

    // Loads the items the registry lists and lays them out.
    void Build();
    // Destroys the item windows and unloads their libraries.
    void Clear();
    // The registry changed: everything is loaded anew, nothing selected.
    void Rebuild();

    // Asks every item whether it changed; relays out when a height did.
    void Poll();
    // Places the item windows below the date line, in order.
    void Layout();

    // A key for the Today screen; false when it is none of its keys.
    bool OnKey(UINT virtualKey);
    // A tap on the desktop's own area, in its client coordinates.
    void OnTap(POINT point);
    // An item took the selection after a tap on it (TODAYM_TOOKSELECTION).
    void OnTookSelection(HWND item);
    // TODAYM_GETCOLOR.
    static COLORREF Color(WPARAM index);
    // TODAYM_DRAWWATERMARK: the background under the item, in its place.
    void DrawWatermark(const TODAYDRAWWATERMARKINFO& info) const;

    bool DateSelected() const { return selected_ == kDateLine; }
    const std::vector<std::unique_ptr<HostedItem>>& Items() const { return items_; }

private:
    // Selection places: none, the date line, then items_[place - 1].
    static constexpr int kNothing = -1;
    static constexpr int kDateLine = 0;

    std::unique_ptr<HostedItem> Load(const TodayItemEntry& entry, std::string& reason);
    HostedItem* ItemAt(int place) const;
    // Offers the selection to a place; whether it takes it.
    bool Offer(int place, UINT virtualKey);
    void Select(int place);
    void MoveSelection(UINT virtualKey);
    void Act(UINT virtualKey);
    void Redraw(int place);
    void LogPlaced(const HostedItem& item);

    HWND desktop_;
    std::vector<std::unique_ptr<HostedItem>> items_;
    int selected_ = kNothing;
};

}  // namespace shell
