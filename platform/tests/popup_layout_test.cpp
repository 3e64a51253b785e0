// Where popup menus go: at the point as the alignment flags say, to the
// other side of it when they do not fit, always whole on the screen, and
// scrolling when taller than the screen.
#include "popup_layout.h"

#include <gtest/gtest.h>

#include "windows.h"

namespace {

using platform::PopupItemLook;

constexpr RECT kScreen = {0, 0, 240, 320};

bool Inside(const RECT& r, const RECT& screen)
{
    return r.left >= screen.left && r.top >= screen.top && r.right <= screen.right && r.bottom <= screen.bottom;
}

std::vector<PopupItemLook> Items(int texts, int separators)
{
    std::vector<PopupItemLook> items;
    for (int i = 0; i < texts; ++i) {
        PopupItemLook item;
        item.text = u"Item";
        items.push_back(item);
        if (i < separators) {
            PopupItemLook separator;
            separator.separator = true;
            items.push_back(separator);
        }
    }
    return items;
}

TEST(PopupLayout, APopupGoesAtThePointAsAlignedOrToTheOtherSide)
{
    const SIZE size = {100, 60};
    struct Case {
        const char* what;
        POINT point;
        UINT flags;
        RECT expected;
    };
    const Case cases[] = {
        {"left and top aligned", {20, 30}, TPM_LEFTALIGN | TPM_TOPALIGN, {20, 30, 120, 90}},
        {"right aligned", {200, 30}, TPM_RIGHTALIGN, {100, 30, 200, 90}},
        {"centred both ways", {120, 160}, TPM_CENTERALIGN | TPM_VCENTERALIGN, {70, 130, 170, 190}},
        // A soft key's menu opens upward from the bar's top.
        {"upward from the right soft key", {240, 294}, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {140, 234, 240, 294}},
        {"upward from the left soft key", {0, 294}, TPM_LEFTALIGN | TPM_BOTTOMALIGN, {0, 234, 100, 294}},
        // A context menu near the edges flips to the other side of the point.
        {"flipped left of the point", {200, 30}, TPM_LEFTALIGN, {100, 30, 200, 90}},
        {"flipped above the point", {20, 300}, TPM_TOPALIGN, {20, 240, 120, 300}},
        {"flipped below the point", {20, 40}, TPM_BOTTOMALIGN, {20, 40, 120, 100}},
        {"flipped right of the point", {50, 40}, TPM_RIGHTALIGN, {50, 40, 150, 100}},
        // Fitting neither side, it is pushed inside.
        {"centred past the corner", {230, 315}, TPM_CENTERALIGN | TPM_VCENTERALIGN, {140, 260, 240, 320}},
        {"off the screen", {-50, 400}, 0, {0, 260, 100, 320}},
    };
    for (const Case& c : cases) {
        RECT r = platform::PlaceAtPoint(size, c.point, c.flags, kScreen);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
}

TEST(PopupLayout, EveryPlacementLiesWholeOnTheScreen)
{
    const UINT flags[] = {0, TPM_RIGHTALIGN, TPM_CENTERALIGN, TPM_BOTTOMALIGN, TPM_VCENTERALIGN,
                          TPM_RIGHTALIGN | TPM_BOTTOMALIGN};
    const SIZE sizes[] = {{1, 1}, {100, 60}, {239, 319}, {240, 320}};
    platform::PopupMetrics metrics(96);
    for (SIZE size : sizes)
        for (UINT f : flags)
            for (LONG x = -300; x <= 600; x += 37)
                for (LONG y = -300; y <= 700; y += 41) {
                    RECT r = platform::PlaceAtPoint(size, POINT{x, y}, f, kScreen);
                    ASSERT_TRUE(Inside(r, kScreen)) << x << "," << y << " flags " << f;
                    ASSERT_EQ(r.right - r.left, size.cx);
                    RECT parent = {x, y, x + 80, y + 100};
                    RECT beside = platform::PlaceBeside(size, parent, y + 20, metrics, kScreen);
                    ASSERT_TRUE(Inside(beside, kScreen)) << x << "," << y;
                }
}

TEST(PopupLayout, ASubmenuOpensBesideItsParentOnTheSideWithRoom)
{
    platform::PopupMetrics metrics(96);
    const SIZE size = {80, 40};
    // Room on the right: it starts there, level with the item.
    RECT right = platform::PlaceBeside(size, RECT{10, 100, 110, 200}, 120, metrics, kScreen);
    EXPECT_EQ(right.left, 110 - metrics.submenuOverlap);
    EXPECT_EQ(right.top, 120 - metrics.border);
    // A parent at the right edge (the right soft key's menu): to its left.
    RECT left = platform::PlaceBeside(size, RECT{140, 230, 240, 294}, 250, metrics, kScreen);
    EXPECT_EQ(left.right, 140 + metrics.submenuOverlap);
    // An item near the bottom lifts the submenu to end at the screen's bottom.
    RECT lifted = platform::PlaceBeside(size, RECT{10, 250, 110, 320}, 300, metrics, kScreen);
    EXPECT_EQ(lifted.bottom, 320);
}

TEST(PopupLayout, SizeFollowsTheItemsUpToTheScreen)
{
    platform::PopupMetrics metrics(96);
    std::vector<PopupItemLook> items = Items(3, 2);  // Item - Item - Item
    SIZE size = platform::PopupSize(items, {50, 0, 70, 0, 20}, metrics, kScreen);
    EXPECT_EQ(size.cy, 3 * metrics.itemHeight + 2 * metrics.separatorHeight + 2 * metrics.border);
    EXPECT_EQ(size.cx, 2 * metrics.border + metrics.checkColumn + 70 + metrics.textPadding + metrics.arrowColumn);
    // A text wider than the screen is cut, not the screen overrun.
    EXPECT_EQ(platform::PopupSize(items, {5000, 0, 0, 0, 0}, metrics, kScreen).cx, 240);
    EXPECT_EQ(platform::PopupSize(Items(1, 0), {1}, metrics, kScreen).cx, metrics.minWidth);
    // At 192 dpi every size doubles.
    platform::PopupMetrics vga(192);
    EXPECT_EQ(vga.itemHeight, 2 * metrics.itemHeight);
    EXPECT_EQ(vga.separatorHeight, 2 * metrics.separatorHeight);
}

TEST(PopupLayout, ATallMenuScrollsBetweenItsBands)
{
    platform::PopupMetrics metrics(96);
    std::vector<PopupItemLook> items = Items(30, 0);
    SIZE size = platform::PopupSize(items, std::vector<LONG>(30, 40), metrics, kScreen);
    ASSERT_EQ(size.cy, 320);
    platform::PopupGeometry g = platform::LayOutPopup(items, platform::PlaceAtPoint(size, {0, 0}, 0, kScreen), metrics);
    ASSERT_GT(g.band, 0);
    EXPECT_EQ(g.contentHeight, 30 * metrics.itemHeight);
    LONG view = g.ViewBottom() - g.ViewTop();

    // Nothing is hit in the bands; the first item just below the top band.
    EXPECT_EQ(platform::PopupItemAt(g, 0, POINT{50, g.ViewTop() - 1}), -1);
    EXPECT_EQ(platform::PopupItemAt(g, 0, POINT{50, g.ViewTop()}), 0);
    EXPECT_EQ(platform::PopupItemAt(g, 0, POINT{50, g.ViewBottom()}), -1);
    EXPECT_EQ(platform::PopupItemAt(g, metrics.itemHeight, POINT{50, g.ViewTop()}), 1);

    // Showing the last item scrolls it to the view's bottom; the first back.
    LONG end = platform::ScrollToShow(g, 0, 29);
    EXPECT_EQ(end, g.contentHeight - view);
    RECT last = platform::ScrolledItem(g, end, 29);
    EXPECT_EQ(last.bottom, g.ViewBottom());
    EXPECT_EQ(platform::ScrollToShow(g, end, 0), 0);
    EXPECT_EQ(platform::ScrollToShow(g, 0, 1), 0);  // already shown
    // A band steps one item, never past either end.
    EXPECT_EQ(platform::ScrollStep(g, 0, 1, metrics), metrics.itemHeight);
    EXPECT_EQ(platform::ScrollStep(g, 0, -1, metrics), 0);
    EXPECT_EQ(platform::ScrollStep(g, end, 1, metrics), end);

    // A short menu has no bands.
    std::vector<PopupItemLook> few = Items(3, 0);
    SIZE small = platform::PopupSize(few, {40, 40, 40}, metrics, kScreen);
    EXPECT_EQ(platform::LayOutPopup(few, RECT{0, 0, small.cx, small.cy}, metrics).band, 0);
}

TEST(PopupLayout, UpAndDownWrapAndPassOverSeparators)
{
    // Refresh - Backgrounds TodayScreen - Quit
    std::vector<PopupItemLook> items(6);
    items[1].separator = true;
    items[4].separator = true;
    struct Case {
        int from;
        int step;
        int expected;
    };
    const Case cases[] = {
        {-1, 1, 0}, {-1, -1, 5}, {0, 1, 2}, {3, 1, 5}, {5, 1, 0}, {0, -1, 5}, {2, -1, 0}, {5, -1, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::NextSelectable(items, c.from, c.step), c.expected) << c.from << " " << c.step;
    std::vector<PopupItemLook> separators(2);
    separators[0].separator = separators[1].separator = true;
    EXPECT_EQ(platform::NextSelectable(separators, -1, 1), -1);
    EXPECT_EQ(platform::NextSelectable({}, -1, 1), -1);
}

}  // namespace
