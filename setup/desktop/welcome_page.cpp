#include "setup/desktop/welcome_page.h"

#include "setup/desktop/languages.h"
#include "setup/desktop/page_texts.h"
#include "setup/desktop/pulse_colour.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/wizard.h"
#include "setup/desktop/wizard_messages.h"

namespace {

constexpr UINT_PTR kPulseTimer = 100;
constexpr UINT kPulseInterval = 50;
constexpr int kPulseRings = 4;

// The direction outlives the page; the colour starts again on each page.
PulseDirection g_direction = PulseDirection::Rising;
PulseColour g_colour;
RECT g_pulseRect;

// The current flag's rectangle in page coordinates.
void PlacePulse(HWND page)
{
    HWND flag = GetDlgItem(page, LanguageAt(WizardLanguage()).flagControl);
    g_pulseRect = RECT();
    if (!flag)
        return;
    GetWindowRect(flag, &g_pulseRect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&g_pulseRect), 2);
}

void FillOutline(HDC dc, const RECT& r, HBRUSH brush)
{
    RECT edges[4] = {
        {r.left, r.top, r.right, r.top + 1},
        {r.left, r.bottom - 1, r.right, r.bottom},
        {r.left, r.top, r.left + 1, r.bottom},
        {r.right - 1, r.top, r.right, r.bottom},
    };
    for (const RECT& edge : edges)
        FillRect(dc, &edge, brush);
}

void DrawPulse(HDC dc)
{
    HBRUSH brush = CreateSolidBrush(PulseColourRef(g_colour));
    RECT ring = g_pulseRect;
    for (int i = 0; i < kPulseRings; ++i) {
        FillOutline(dc, ring, brush);
        InflateRect(&ring, 1, 1);
    }
    DeleteObject(brush);
}

void RefreshTexts(HWND page)
{
    SetPageText(page, IDC_PAGE_TEXT, WELCOME_TEXT);
    SetMessageText(page, IDC_BACK, IDS_BACK);
    SetMessageText(page, IDOK, IDS_NEXT);
    SetMessageText(page, IDCANCEL, IDS_CANCEL);
}

void OnCommand(HWND page, int id)
{
    int language = LanguageOfFlag(id);
    if (language >= 0) {
        SetWizardLanguage(language);
        SendMessageW(page, WM_REFRESH_TEXTS, 0, 0);
        PlacePulse(page);
        InvalidateRect(page, nullptr, TRUE);
        return;
    }
    PostMessageW(GetParent(page), WM_WIZARD_REQUEST, id == IDOK ? WIZARD_NEXT : WIZARD_CANCEL, 0);
}

}  // namespace

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        g_colour = PulseColour();
        PlacePulse(page);
        SetTimer(page, kPulseTimer, kPulseInterval, nullptr);
        SendMessageW(page, WM_REFRESH_TEXTS, 0, 0);
        return TRUE;
    case WM_REFRESH_TEXTS:
        RefreshTexts(page);
        return TRUE;
    case WM_TIMER:
        if (wParam != kPulseTimer)
            return FALSE;
        StepPulse(g_colour, g_direction);
        if (HDC dc = GetDC(page)) {
            DrawPulse(dc);
            ReleaseDC(page, dc);
        }
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(page, &paint);
        DrawPulse(dc);
        EndPaint(page, &paint);
        return TRUE;
    }
    case WM_COMMAND:
        // Flags (STN_CLICKED) and buttons (BN_CLICKED) both notify with 0.
        if (HIWORD(wParam) == 0)
            OnCommand(page, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        KillTimer(page, kPulseTimer);
        return TRUE;
    }
    return FALSE;
}
