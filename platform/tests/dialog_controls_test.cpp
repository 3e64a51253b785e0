// A dialog's controls: laid out in dialog units of its font, found by id,
// answering through DWL_MSGRESULT; static text alignments and push buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_fixture.h"

namespace {

using namespace dialogtest;

// The system font is Tahoma at 11 pixels (8 points at 96 dpi).
constexpr LONG kBaseX = 5;
constexpr LONG kBaseY = 13;
constexpr LONG kCaption = 20;
// The one-pixel frame on the left, right and bottom of a captioned window.
constexpr LONG kBorder = 1;

LONG Across(LONG units) { return (units * kBaseX + 2) / 4; }
LONG Down(LONG units) { return (units * kBaseY + 4) / 8; }

// A control's rectangle in its dialog's window, as left, top, width, height.
std::vector<LONG> PlaceOf(HWND dialog, int id)
{
    RECT d, c;
    GetWindowRect(dialog, &d);
    GetWindowRect(GetDlgItem(dialog, id), &c);
    return {c.left - d.left, c.top - d.top, c.right - c.left, c.bottom - c.top};
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

TEST_F(DialogTest, ControlsArePlacedInDialogUnitsOfTheDialogFont)
{
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(kBaseX, kBaseY));

    // The form (Tahoma 8 of its own) at 10, 20 from its owner's client area,
    // its items in the client area inside the caption and the frame.
    HWND form = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_FORM), owner_, RecordingProc, 0);
    ASSERT_NE(form, nullptr);
    RECT owner, placed;
    GetWindowRect(owner_, &owner);
    GetWindowRect(form, &placed);
    EXPECT_EQ((std::vector<LONG>{placed.left - owner.left, placed.top - owner.top, placed.right - placed.left,
                                 placed.bottom - placed.top}),
              (std::vector<LONG>{Across(10), Down(20), Across(120) + 2 * kBorder, Down(60) + kCaption + kBorder}));
    EXPECT_EQ(PlaceOf(form, IDOK), (std::vector<LONG>{kBorder + Across(4), kCaption + Down(40), Across(34), Down(14)}));
    EXPECT_EQ(PlaceOf(form, IDC_MORE), (std::vector<LONG>{kBorder + Across(80), kCaption + Down(40), Across(34), Down(14)}));
    RECT units = {4, 40, 38, 54};
    ASSERT_TRUE(MapDialogRect(form, &units));
    EXPECT_EQ((std::vector<LONG>{units.left, units.top, units.right, units.bottom}),
              (std::vector<LONG>{Across(4), Down(40), Across(38), Down(54)}));
    EXPECT_FALSE(IsWindowVisible(form));

    // Without a font the system font lays the dialog out; WS_VISIBLE shows it.
    HWND options = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_CAPTION_OK), owner_, RecordingProc, 0);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(GetActiveWindow(), options);
    EXPECT_EQ(PlaceOf(options, IDC_SECOND_LINE),
              (std::vector<LONG>{kBorder + Across(5), kCaption + Down(18), Across(124), Down(16)}));

    // A larger font makes larger units.
    HWND extended = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_EXTENDED), owner_, RecordingProc, 0);
    ASSERT_NE(extended, nullptr);
    RECT base = {0, 0, 4, 8};
    MapDialogRect(extended, &base);
    EXPECT_GT(base.right, kBaseX);
    EXPECT_GT(base.bottom, kBaseY);
    SetLastError(kSentinel);
    EXPECT_FALSE(MapDialogRect(owner_, &base));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    for (HWND dialog : {form, options, extended})
        DestroyWindow(dialog);

    // On a 192-dpi screen the system font, and so the units, are twice as large.
    UseProfile("vga");
    LONG vga = GetDialogBaseUnits();
    EXPECT_NEAR(LOWORD(vga), 2 * kBaseX, 1);
    EXPECT_NEAR(HIWORD(vga), 2 * kBaseY, 1);
}

TEST_F(DialogTest, ItemsAreFoundByIdAndAnswerThroughTheDialog)
{
    HWND form = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_FORM), owner_, RecordingProc, 0);
    ASSERT_NE(form, nullptr);
    HWND label = GetDlgItem(form, IDC_LABEL);
    ASSERT_NE(label, nullptr);
    WCHAR name[16] = {};
    GetClassNameW(label, name, 16);
    EXPECT_EQ(std::u16string(name), u"STATIC");
    EXPECT_EQ(GetDlgCtrlID(label), IDC_LABEL);
    EXPECT_EQ(GetDlgCtrlID(form), 0);
    SetLastError(kSentinel);
    EXPECT_EQ(GetDlgItem(form, 999), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));

    EXPECT_TRUE(SetDlgItemTextW(form, IDC_LABEL, u"Renamed"));
    WCHAR text[16] = {};
    EXPECT_EQ(GetDlgItemTextW(form, IDC_LABEL, text, 16), 7u);
    EXPECT_EQ(std::u16string(text), u"Renamed");
    EXPECT_EQ(GetDlgItemTextW(form, IDC_LABEL, text, 4), 3u);
    EXPECT_EQ(std::u16string(text), u"Ren");
    EXPECT_EQ(SendDlgItemMessageW(form, IDC_LABEL, WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_FALSE(SetDlgItemTextW(form, 999, u"x"));
    EXPECT_EQ(GetDlgItemTextW(form, 999, text, 16), 0u);
    EXPECT_EQ(text[0], 0);

    // The dialog and its controls share the dialog's font.
    LRESULT font = SendMessageW(form, WM_GETFONT, 0, 0);
    EXPECT_NE(font, 0);
    EXPECT_EQ(SendMessageW(label, WM_GETFONT, 0, 0), font);
    // What the procedure handles answers DWL_MSGRESULT; what it leaves, the default.
    EXPECT_EQ(SendMessageW(form, kSetsResult, 0, 0), kMessageResult);
    EXPECT_EQ(SendMessageW(form, kLeftAlone, 0, 0), 0);
    SetWindowLongW(form, DWL_USER, 1234);
    EXPECT_EQ(GetWindowLongW(form, DWL_USER), 1234);

    // Tab order and the default button.
    EXPECT_EQ(GetNextDlgTabItem(form, nullptr, FALSE), GetDlgItem(form, IDOK));
    EXPECT_EQ(GetNextDlgTabItem(form, GetDlgItem(form, IDOK), TRUE), GetDlgItem(form, IDC_MORE));
    EXPECT_EQ(g_proc.initFocus, GetDlgItem(form, IDOK));
    EXPECT_EQ(SendMessageW(form, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    SendMessageW(form, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessageW(form, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongW(GetDlgItem(form, IDCANCEL), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(form, IDOK), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    DestroyWindow(form);
}

// The ink of a control's text row: first and last column that differ from
// the background at the control's corner, in the control's coordinates.
struct Ink {
    LONG first = -1;
    LONG last = -1;
    LONG width = 0;
    COLORREF background = 0;
};

Ink InkOf(HWND dialog, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    HDC screen = GetDC(nullptr);
    Ink ink;
    ink.background = GetPixel(screen, r.left, r.top);
    for (LONG x = r.left; x < r.right; ++x) {
        for (LONG y = r.top; y < r.bottom; ++y) {
            if (GetPixel(screen, x, y) != ink.background) {
                ink.first = ink.first < 0 ? x - r.left : ink.first;
                ink.last = x - r.left;
                break;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    ink.width = r.right - r.left;
    return ink;
}

TEST_F(DialogTest, StaticTextIsAlignedOnTheBackgroundItsParentChooses)
{
    g_proc.centreBrush = CreateSolidBrush(RGB(255, 0, 0));
    HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_ALIGNMENTS), owner_, RecordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    Pump();

    Ink left = InkOf(dialog, IDC_LEFT);
    Ink centre = InkOf(dialog, IDC_CENTRE);
    Ink right = InkOf(dialog, IDC_RIGHT);
    ASSERT_GE(left.first, 0);
    EXPECT_LE(left.first, 1);
    EXPECT_LE(std::abs(centre.first - (centre.width - 1 - centre.last)), 1);
    EXPECT_GE(right.last, right.width - 2);
    EXPECT_EQ(left.last - left.first, right.last - right.first);
    EXPECT_EQ(left.last - left.first, centre.last - centre.first);
    // The dialog's colour where the parent leaves the background alone.
    EXPECT_EQ(left.background, RGB(255, 255, 255));
    EXPECT_EQ(centre.background, RGB(255, 0, 0));

    // "W&&W" shows one ampersand, or both with SS_NOPREFIX.
    Ink prefixed = InkOf(dialog, IDC_PREFIXED);
    Ink plain = InkOf(dialog, IDC_NOPREFIX);
    EXPECT_GT(plain.last - plain.first, prefixed.last - prefixed.first);

    // New text is drawn at the next paint.
    SetDlgItemTextW(dialog, IDC_LEFT, u"abababab");
    Pump();
    EXPECT_GT(InkOf(dialog, IDC_LEFT).last, left.last + 10);
    DestroyWindow(dialog);
    DeleteObject(g_proc.centreBrush);
}

TEST_F(DialogTest, APushButtonClicksWhenTheStylusLeavesItInside)
{
    POINT inside = {Across(34) / 2, Down(14) / 2};
    INT_PTR result = Run(IDD_FORM, [&](HWND dialog) {
        HWND more = GetDlgItem(dialog, IDC_MORE);
        // Down on More and up outside it clicks nothing.
        PostMessageW(more, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        PostMessageW(more, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, 200));
        Tap(GetDlgItem(dialog, IDCANCEL), inside);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(g_proc.commands.size(), 1u);
    EXPECT_EQ(g_proc.commands[0], MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, AnAutomaticRadioButtonChecksItselfAndClearsOnlyItsGroup)
{
    POINT inside = {Across(50), Down(10) / 2};
    std::vector<LRESULT> checks;
    Run(IDD_RADIOS, [&](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_RADIO_B, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_RADIO_C, BM_SETCHECK, BST_CHECKED, 0);
        Tap(GetDlgItem(dialog, IDC_RADIO_A), inside);
        Pump();
        for (int id : {IDC_RADIO_A, IDC_RADIO_B, IDC_RADIO_C})
            checks.push_back(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
        // Tapped again it stays checked and notifies again.
        Tap(GetDlgItem(dialog, IDC_RADIO_A), inside);
        Pump();
        checks.push_back(SendDlgItemMessageW(dialog, IDC_RADIO_A, BM_GETCHECK, 0, 0));
        EndDialog(dialog, IDOK);
    });
    EXPECT_EQ(checks, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED, BST_CHECKED}));
    EXPECT_EQ(std::count(g_proc.commands.begin(), g_proc.commands.end(), MAKEWPARAM(IDC_RADIO_A, BN_CLICKED)), 2);
}

TEST_F(DialogTest, BitmapPicturesDrawTheirResourceAndNotifyClicks)
{
    HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_PICTURES), owner_, RecordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dialog);
    Pump();
    RECT picture, etched;
    GetWindowRect(GetDlgItem(dialog, IDC_PICTURE), &picture);
    GetWindowRect(GetDlgItem(dialog, IDC_ETCHED), &etched);
    HDC screen = GetDC(nullptr);
    // The bitmap at the picture's top left, the dialog's colour beside it.
    EXPECT_EQ(GetPixel(screen, picture.left, picture.top), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen, picture.left + 1, picture.top + 1), RGB(255, 0, 0));
    EXPECT_NE(GetPixel(screen, picture.left + 2, picture.top), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen, etched.left + 5, etched.top), GetSysColor(COLOR_BTNSHADOW));
    ReleaseDC(nullptr, screen);

    g_proc.commands.clear();
    Tap(GetDlgItem(dialog, IDC_PICTURE), POINT{1, 1});
    Pump();
    EXPECT_EQ(g_proc.commands, (std::vector<WPARAM>{MAKEWPARAM(IDC_PICTURE, STN_CLICKED)}));
    DestroyWindow(dialog);
}

}  // namespace
