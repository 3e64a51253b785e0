#include "server/button_search.h"

#include <gtest/gtest.h>

#include "ce/windowing.h"

namespace {

using sim::Hwnd;
using sim::WindowManager;

Hwnd Make(WindowManager& wm, Hwnd parent, std::u16string className, std::u16string title,
          uint32_t style = WS_CHILD | WS_VISIBLE)
{
    sim::CreateParams params;
    params.className = std::move(className);
    params.title = std::move(title);
    params.style = style;
    params.width = params.height = 10;
    params.parent = parent;
    return wm.Create(2, params);
}

TEST(ButtonSearch, ShownTextDropsMnemonicMarks)
{
    EXPECT_EQ(sim::ShownText(u"&Next >"), u"Next >");
    EXPECT_EQ(sim::ShownText(u"Save && &Quit"), u"Save & Quit");
    EXPECT_EQ(sim::ShownText(u"End&"), u"End");
    EXPECT_EQ(sim::ShownText(u""), u"");
}

// Buttons inside child dialogs count; a static with the same text, a hidden
// button and a button of another window do not.
TEST(ButtonSearch, FindsVisibleButtonsBelowTheWindowOnly)
{
    WindowManager wm({0, 0, 800, 600}, {0, 0, 800, 570});
    Hwnd frame = Make(wm, 0, u"Dialog", u"Setup", WS_POPUP | WS_VISIBLE);
    Hwnd other = Make(wm, 0, u"Dialog", u"Other", WS_POPUP | WS_VISIBLE);
    Hwnd page = Make(wm, frame, u"Dialog", u"");
    Make(wm, frame, u"STATIC", u"&Finish");
    Hwnd hidden = Make(wm, frame, u"BUTTON", u"&Back", WS_CHILD);
    Hwnd finish = Make(wm, frame, u"Button", u"&Finish");
    Hwnd accept = Make(wm, page, u"BUTTON", u"I &accept");
    Make(wm, other, u"BUTTON", u"Cancel");

    EXPECT_EQ(sim::FindButton(wm, frame, u"Finish"), finish);
    EXPECT_EQ(sim::FindButton(wm, frame, u"I accept"), accept);
    EXPECT_EQ(sim::FindButton(wm, frame, u"&Finish"), 0u);
    EXPECT_EQ(sim::FindButton(wm, frame, u"Back"), 0u);
    EXPECT_EQ(sim::FindButton(wm, frame, u"Cancel"), 0u);
    EXPECT_EQ(sim::FindButton(wm, 0, u"Finish"), 0u);
    wm.Show(hidden, true);
    EXPECT_EQ(sim::FindButton(wm, frame, u"Back"), hidden);
}

}  // namespace
