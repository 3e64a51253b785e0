#include <gtest/gtest.h>

#include "ce/user.h"
#include "message_box_buttons.h"
#include "message_box_layout.h"

namespace {

using platform::LayOutMessageBox;
using platform::MessageBoxLayout;

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom && inner.left < inner.right && inner.top < inner.bottom;
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

struct Screen {
    const char* name;
    RECT workArea;
    int dpi;
};

// Work areas of the device forms: the screen less the task bar.
const Screen kScreens[] = {
    {"qvga", {0, 26, 240, 320}, 96},     {"vga", {0, 52, 480, 640}, 192},
    {"vga96", {0, 26, 480, 640}, 96},    {"landscape", {0, 26, 320, 240}, 96},
    {"square", {0, 26, 240, 240}, 96},
};

TEST(MessageBoxLayout, EveryPieceFitsAndNoneOverlap)
{
    for (const Screen& s : kScreens) {
        for (size_t count = 1; count <= 3; ++count) {
            SCOPED_TRACE(std::string(s.name) + " buttons=" + std::to_string(count));
            MessageBoxLayout layout = LayOutMessageBox(s.workArea, s.dpi, count);
            EXPECT_TRUE(Inside(layout.box, s.workArea));
            // Centred in the work area.
            EXPECT_LE(std::abs((layout.box.left - s.workArea.left) - (s.workArea.right - layout.box.right)), 1);
            EXPECT_LE(std::abs((layout.box.top - s.workArea.top) - (s.workArea.bottom - layout.box.bottom)), 1);

            RECT client = {0, 0, Width(layout.box), Height(layout.box)};
            EXPECT_TRUE(Inside(layout.caption, client));
            EXPECT_TRUE(Inside(layout.text, client));
            EXPECT_FALSE(Overlap(layout.caption, layout.text));
            ASSERT_EQ(layout.buttons.size(), count);
            for (size_t i = 0; i < count; ++i) {
                const RECT& b = layout.buttons[i];
                EXPECT_TRUE(Inside(b, client));
                EXPECT_FALSE(Overlap(b, layout.text));
                EXPECT_FALSE(Overlap(b, layout.caption));
                EXPECT_EQ(Width(b), Width(layout.buttons[0]));
                EXPECT_EQ(b.top, layout.buttons[0].top);
                if (i > 0) {
                    EXPECT_GT(b.left, layout.buttons[i - 1].right);
                }
            }
            // The row sits in the middle of the box.
            LONG leftSpace = layout.buttons.front().left;
            LONG rightSpace = client.right - layout.buttons.back().right;
            EXPECT_LE(std::abs(leftSpace - rightSpace), 1);
        }
    }
}

TEST(MessageBoxLayout, HighDpiDoublesEverySize)
{
    MessageBoxLayout qvga = LayOutMessageBox({0, 26, 240, 320}, 96, 2);
    MessageBoxLayout vga = LayOutMessageBox({0, 52, 480, 640}, 192, 2);
    EXPECT_EQ(Width(vga.box), 2 * Width(qvga.box));
    EXPECT_EQ(Height(vga.box), 2 * Height(qvga.box));
    EXPECT_EQ(vga.box.top, 2 * qvga.box.top);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(vga.buttons[i].left, 2 * qvga.buttons[i].left);
        EXPECT_EQ(vga.buttons[i].top, 2 * qvga.buttons[i].top);
        EXPECT_EQ(Width(vga.buttons[i]), 2 * Width(qvga.buttons[i]));
        EXPECT_EQ(Height(vga.buttons[i]), 2 * Height(qvga.buttons[i]));
    }
}

TEST(MessageBoxLayout, IconTakesTheTextsLeftAndLongTextGrowsTheBoxWithinTheWorkArea)
{
    const RECT work = {0, 26, 240, 320};
    MessageBoxLayout plain = LayOutMessageBox(work, 96, 1);
    MessageBoxLayout withIcon = LayOutMessageBox(work, 96, 1, true);
    EXPECT_EQ(Width(plain.icon), 0);
    EXPECT_GT(Width(withIcon.icon), 0);
    EXPECT_EQ(Width(withIcon.icon), Height(withIcon.icon));
    EXPECT_FALSE(Overlap(withIcon.icon, withIcon.text));
    EXPECT_EQ(Width(withIcon.text), platform::MessageBoxTextWidth(work, 96, true));
    EXPECT_EQ(Width(plain.text), platform::MessageBoxTextWidth(work, 96, false));

    // A short text keeps the least height; a longer one gets what it needs.
    EXPECT_EQ(Height(LayOutMessageBox(work, 96, 1, false, 14).box), Height(plain.box));
    MessageBoxLayout taller = LayOutMessageBox(work, 96, 1, false, 120);
    EXPECT_GE(Height(taller.text), 120);
    EXPECT_GT(Height(taller.box), Height(plain.box));
    MessageBoxLayout huge = LayOutMessageBox(work, 96, 2, true, 5000);
    EXPECT_TRUE(Inside(huge.box, work));
    EXPECT_GT(huge.buttons[0].top, huge.text.bottom);
}

TEST(MessageBoxLayout, ButtonAtFindsTheButtonUnderAPoint)
{
    MessageBoxLayout layout = LayOutMessageBox({0, 26, 240, 320}, 96, 3);
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        const RECT& b = layout.buttons[i];
        int index = static_cast<int>(i);
        EXPECT_EQ(platform::MessageBoxButtonAt(layout, {b.left, b.top}), index);
        EXPECT_EQ(platform::MessageBoxButtonAt(layout, {b.right - 1, b.bottom - 1}), index);
        // Right and bottom edges belong to what lies beyond.
        EXPECT_EQ(platform::MessageBoxButtonAt(layout, {b.right, b.top}), -1);
        EXPECT_EQ(platform::MessageBoxButtonAt(layout, {b.left, b.bottom}), -1);
        EXPECT_EQ(platform::MessageBoxButtonAt(layout, {b.left - 1, b.top}), -1);
    }
    EXPECT_EQ(platform::MessageBoxButtonAt(layout, {layout.text.left + 1, layout.text.top + 1}), -1);
}

TEST(MessageBoxButtons, SetsDefaultsAndEscape)
{
    struct Case {
        UINT style;
        std::vector<int> buttons;
        size_t defaultIndex;
        int escape;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}, 0, IDOK},
        {MB_OK | MB_DEFBUTTON2, {IDOK}, 0, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, 0, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, 1, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, 0, IDNO},
        {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, 0, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, {IDYES, IDNO, IDCANCEL}, 1, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, 2, IDCANCEL},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, 0, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {IDABORT, IDRETRY, IDIGNORE}, 1, 0},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_TOPMOST, {IDABORT, IDRETRY, IDIGNORE}, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        std::vector<int> buttons = platform::MessageBoxButtons(c.style);
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_EQ(platform::MessageBoxDefaultIndex(c.style, buttons.size()), c.defaultIndex);
        EXPECT_EQ(platform::MessageBoxEscapeAnswer(buttons), c.escape);
    }
    EXPECT_TRUE(platform::MessageBoxButtons(0x6).empty());
    EXPECT_TRUE(platform::MessageBoxButtons(0xF).empty());
}

}  // namespace
