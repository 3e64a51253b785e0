#include "app/monitor_window.h"

#include "app/monitor_page.h"
#include "app/popup_task_page.h"
#include "app/task_list_page.h"
#include "app/today_item_entry.h"
#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/theme_file.h"
#include "settings/ini_file.h"
#include "settings/language_list.h"
#include "settings/program_path.h"
#include "settings/settings_store.h"
#include "settings/string_table.h"
#include "settings/text_table.h"
#include "ui/control_desc.h"
#include "ui/page.h"

BOOL MonitorWindow::s_themeChanging = FALSE;

static const WCHAR* const kMeterImageNames[METER_IMAGE_COUNT] = {
    TEXT("progress"),
    TEXT("progress_gray"),
    TEXT("progress2"),
};

MonitorWindow::MonitorWindow(HINSTANCE instance)
    : SkinWindow(instance),
      popup(FALSE),
      ready(FALSE),
      m_pageId(0),
      m_page(NULL),
      m_overlay(NULL),
      m_languageNumber(1),
      m_background(NULL),
      m_popupSkin(NULL),
      m_themeFile(NULL),
      m_themeList(NULL)
{
    for (int i = 0; i < METER_IMAGE_COUNT; ++i)
        m_meterImages[i] = NULL;

    LoadSettings(m_programDirectory, SETTINGS_FILE_NAME, TRUE);
    m_languageNumber = GetSettingInt(TEXT("lang"), 1);
    if (m_languageNumber < 1)
        m_languageNumber = 1;

    // Both post the quit themselves when their files are missing; the
    // window is still created, and the loop ends at its first message.
    LoadLanguageList(m_programDirectory, m_languageNumber);
    LoadTextTable(m_programDirectory);

    // The Today item starts the program from this directory.
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), m_programDirectory);
    EnsureTodayItemEntry();
}

MonitorWindow::~MonitorWindow()
{
    // The pages hold fonts and pictures of their own; they go first.
    delete m_overlay;
    m_overlay = NULL;
    delete m_page;
    m_page = NULL;
    for (int i = 0; i < METER_IMAGE_COUNT; ++i)
        ReleaseImage(m_meterImages[i], FALSE);
    ReleaseImage(m_popupSkin, FALSE);
    SaveSettings(m_programDirectory, SETTINGS_FILE_NAME);
    ReleaseBackground();
    delete m_themeFile;
    delete m_themeList;
}

BOOL MonitorWindow::ThemeChanging()
{
    return s_themeChanging;
}

void MonitorWindow::OnAttach(HWND window)
{
    AttachWindow(window);
    MakeBackBuffer();
    LoadMeterImages();
    PlaceWindow();
    PrepareBackground();
    ShowPage(popup ? POPUP_TASK_PAGE_ID : MONITOR_PAGE_ID);
}

void MonitorWindow::LoadMeterImages()
{
    for (int i = 0; i < METER_IMAGE_COUNT; ++i) {
        WCHAR path[MAX_PATH];
        ReleaseImage(m_meterImages[i], FALSE);
        m_meterImages[i] = NULL;
        if (ProgramPath(path, m_programDirectory, GraphicsTgaPath(kMeterImageNames[i])))
            m_meterImages[i] = GetTgaImage(path);
    }
}

// A screen capture belongs to the window alone; a theme picture to the
// image table.
void MonitorWindow::ReleaseBackground()
{
    if (popup)
        delete m_background;
    else
        ReleaseImage(m_background, FALSE);
    m_background = NULL;
}

Page* MonitorWindow::CreatePage(int pageId)
{
    switch (pageId) {
    case MONITOR_PAGE_ID:
        return MonitorPage::Create(this);
    case TASK_LIST_PAGE_ID:
        return TaskListPage::Create(this);
    case POPUP_TASK_PAGE_ID:
        return PopupTaskPage::Create(this);
    }
    return NULL;
}

void MonitorWindow::ShowPage(int pageId)
{
    if (popup)
        pageId = POPUP_TASK_PAGE_ID;
    if (pageId == m_pageId)
        return;
    SetCursor(LoadCursorW(NULL, IDC_WAIT));
    if (m_page) {
        m_page->Show(FALSE, TRUE);
        delete m_page;
        m_page = NULL;
    }
    m_page = CreatePage(pageId);
    m_pageId = pageId;
    SetCursor(LoadCursorW(NULL, IDC_ARROW));
    if (m_page) {
        m_page->Show(TRUE, TRUE);
        m_page->ActivatePage(FALSE);
    }
    InvalidateRect(m_window, NULL, FALSE);
    UpdateWindow(m_window);
}

void MonitorWindow::RecreatePage()
{
    int pageId = m_pageId;
    m_pageId = 0;
    ShowPage(pageId);
}

void MonitorWindow::DrawContent(HDC dc, const PAINTSTRUCT* paint)
{
    if (m_window == NULL || m_pageId == 0)
        return;
    if (m_overlay) {
        m_overlay->Draw(dc, paint);
        return;
    }
    if (m_page == NULL)
        return;
    RECT client;
    GetClientRect(m_window, &client);
    // Where no picture covers the window, the previous frame would show
    // through the buffer.
    if (m_background == NULL || m_background->bitmap == NULL ||
        m_background->description.bmWidth < client.right || m_background->description.bmHeight < client.bottom)
        FillRect(dc, &paint->rcPaint, (HBRUSH)GetStockObject(WHITE_BRUSH));
    if (m_background)
        m_background->Draw(dc, &client);
    m_page->Draw(dc, paint);
}

LRESULT MonitorWindow::OnCommand(WPARAM commandId)
{
    if (m_overlay) {
        LRESULT result = m_overlay->OnCommand(commandId);
        if (result)
            return result;
    }
    return m_page ? m_page->OnCommand(commandId) : 0;
}

LRESULT MonitorWindow::HandleRequest(UINT request, LPARAM param)
{
    switch (request) {
    case BACK_REQUEST:
        if (m_page == NULL)
            return 0;
        if (m_page->FocusedControl() && m_page->FocusedControl()->ConsumesBack())
            return 1;
        if (m_pageId == TASK_LIST_PAGE_ID) {
            ShowPage(MONITOR_PAGE_ID);
            return 1;
        }
        return 0;
    case SWITCH_PAGE_REQUEST:
        ShowPage((int)param);
        return 1;
    case OVERLAY_REQUEST: {
        Page* overlay = (Page*)param;
        if (overlay && m_page)
            m_page->Show(FALSE, TRUE);
        if (m_overlay)
            m_overlay->Show(FALSE, TRUE);
        m_overlay = overlay;
        if (m_overlay)
            m_overlay->Show(TRUE, TRUE);
        InvalidateRect(m_window, NULL, TRUE);
        if (overlay == NULL && m_page)
            m_page->Show(TRUE, FALSE);
        break;
    }
    }
    return SkinWindow::HandleRequest(request, param);
}

Control* MonitorWindow::CreateCustomControl(const ControlDesc* desc, Page* page)
{
    if (desc->kind == CONTROL_KIND_METER_BAR)
        return new MeterBar(page, desc->param, m_meterImages);
    return NULL;
}

void MonitorWindow::RouteKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_overlay) {
        if (m_overlay->FocusedControl())
            m_overlay->FocusedControl()->OnKey(message, wParam, lParam);
        return;
    }
    if (m_page == NULL)
        return;
    Control* focused = m_page->FocusedControl();
    if (focused && focused->OnKey(message, wParam, lParam))
        return;
    if (m_page->OnKey(message, wParam, lParam))
        return;
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN))
        m_page->MoveFocus((UINT)wParam);
}

LRESULT MonitorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        if (!ready)
            return SkinWindow::WindowProc(window, message, wParam, lParam);
        BOOL rotated = ClientWidthChanged();
        LRESULT result = SkinWindow::WindowProc(window, message, wParam, lParam);
        if (rotated && !s_themeChanging) {
            PrepareBackground();
            RecreatePage();
        }
        return result;
    }
    case WM_ACTIVATE: {
        BOOL active = wParam == WA_ACTIVE;
        // The popup lives only while it is active; a click activation ends
        // it as well.
        if (!active && popup && !s_themeChanging)
            PostQuitMessage(0);
        if (m_page == NULL)
            return SkinWindow::WindowProc(window, message, wParam, lParam);
        // The default handling, which gives an activated window the
        // focus, is not run: without it the keys would reach nobody after
        // a message box, a menu or a task switch.
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(m_window);
        m_page->OnActivate(active);
        if (active)
            PostMessageW(m_window, REACTIVATED_MESSAGE, 0, 0);
        return 0;
    }
    case WM_PAINT:
        OnPaint();
        return SkinWindow::WindowProc(window, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
        RouteKey(message, wParam, lParam);
        return 0;
    case WM_TIMER:
        if (m_page)
            m_page->OnTimer(wParam);
        return SkinWindow::WindowProc(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (m_overlay)
            m_overlay->OnStylus(message, wParam, lParam);
        else if (m_page)
            m_page->OnStylus(message, wParam, lParam);
        return 0;
    case THEME_REFRESH_MESSAGE:
        FinishPopupThemeChange();
        return 1;
    case REACTIVATED_MESSAGE:
        if (m_page)
            m_page->OnActivate(TRUE);
        return 1;
    }
    return SkinWindow::WindowProc(window, message, wParam, lParam);
}
