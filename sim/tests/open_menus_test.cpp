#include "server/open_menus.h"

#include <gtest/gtest.h>

namespace {

using sim::MenuItemPlace;
using sim::Rect;

TEST(OpenMenus, ItemsTravelWholeAndAShortFrameGivesNone)
{
    std::vector<MenuItemPlace> items = {{u"Refresh", {130, 220, 238, 239}}, {u"Quit", {130, 246, 238, 265}}};
    sim::WireWriter out;
    sim::WriteMenuItems(out, items);
    sim::WireReader in(out.Data());
    std::vector<MenuItemPlace> read = sim::ReadMenuItems(in);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].text, u"Quit");
    EXPECT_EQ(read[1].rect, (Rect{130, 246, 238, 265}));
    EXPECT_TRUE(in.AtEnd());

    std::string cut = out.Data().substr(0, out.Data().size() - 3);
    sim::WireReader shortIn(cut);
    EXPECT_TRUE(sim::ReadMenuItems(shortIn).empty());
    EXPECT_TRUE(shortIn.Failed());
}

TEST(OpenMenus, FindPrefersTheLatestMenuAndForgetsClosedOnes)
{
    sim::OpenMenus menus;
    EXPECT_FALSE(menus.Find(u"Quit").has_value());
    // A root level and its submenu, which holds a second "Quit".
    menus.Set(2, {{u"Quit", {0, 0, 10, 10}}, {u"Sub", {0, 10, 10, 20}}, {u"Quit", {20, 0, 30, 10}}});
    menus.Set(3, {{u"Start", {40, 40, 50, 50}}});
    EXPECT_EQ(menus.Find(u"Quit"), (Rect{20, 0, 30, 10}));
    EXPECT_EQ(menus.Find(u"Start"), (Rect{40, 40, 50, 50}));
    // Exact text only.
    EXPECT_FALSE(menus.Find(u"quit").has_value());
    EXPECT_FALSE(menus.Find(u"Qui").has_value());

    menus.Set(2, {{u"Refresh", {0, 0, 10, 10}}});
    EXPECT_FALSE(menus.Find(u"Quit").has_value());
    menus.Forget(3);
    EXPECT_FALSE(menus.Find(u"Start").has_value());
    EXPECT_TRUE(menus.Find(u"Refresh").has_value());
}

}  // namespace
