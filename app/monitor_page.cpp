#include "app/monitor_page.h"

#include "app/monitor_page_layouts.h"
#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "graphics/skin_font.h"
#include "settings/number_format.h"
#include "settings/program_path.h"
#include "settings/text_table.h"
#include "status/battery_status.h"
#include "status/storage_status.h"
#include "ui/control_factory.h"
#include "ui/image_control.h"
#include "ui/meter_bar.h"
#include "ui/skin_window.h"
#include "ui/text_label.h"

// Control ids of the layouts.
enum {
    kBatteryCaption = 1,
    kMemoryCaption = 7,
    kStorageCaption = 4,
    kDeviceCaption = 5,
    kMainBatteryMeter = 9,
    kBackupBatteryMeter = 10,
    kCardMeter = 11,
    kDeviceMeter = 12,
    kProgramMemoryMeter = 13,
    kStorageMemoryMeter = 14,
    kDetailLine1 = 16,
    kDetailLine2 = 17,
    kDetailLine3 = 18,
    kItemPicture = 19,
    kMainBatteryPercent = 20,
    kBackupBatteryPercent = 21,
    kCardPercent = 22,
    kDevicePercent = 23,
    kProgramMemoryPercent = 24,
    kStorageMemoryPercent = 25,
    kBatteryIcon = 30,
    kStorageIcon = 31,
    kMemoryIcon = 32,
    kSeparator1 = 33,
    kSeparator2 = 34,
    kSeparator3 = 35,
    kHighlight = 40,
};

// Texts of the language file.
enum {
    kTextMain = 3,
    kTextBackup = 4,
    kTextSdCard = 6,
    kTextProgram = 9,
    kTextStorage = 10,
    kTextAvailable = 11,
    kTextStatus = 32,
    kTextMbUsed = 33,
    kTextMbTotal = 34,
    kTextMbFree = 49,
};

// Detail lines and percentages are short; longer language texts are cut.
#define FIGURE_TEXT_MAX 256

static MonitorPage* s_instance = NULL;

// The meter of each selected item, item 1 first.
static const int kItemMeters[5] = {
    kMainBatteryMeter, kBackupBatteryMeter, kProgramMemoryMeter, kStorageMemoryMeter, kCardMeter,
};

static const WCHAR* const kItemPictures[5] = {
    TEXT("battery"), TEXT("batterybackup"), TEXT("memory"), TEXT("memorybackup"), TEXT("storage"),
};

// The selection grid: rows 1-2 and 3-4 side by side, item 5 under item 3.
// Columns: left, up, right, down.
static const int kArrowMoves[5][4] = {
    {1, 1, 2, 3},
    {1, 2, 2, 4},
    {3, 1, 4, 5},
    {3, 2, 4, 5},
    {5, 3, 5, 5},
};

static void Append(WCHAR* text, const WCHAR* more)
{
    size_t used = wcslen(text);
    if (more == NULL || used + 1 >= FIGURE_TEXT_MAX)
        return;
    wcsncpy(text + used, more, FIGURE_TEXT_MAX - 1 - used);
    text[FIGURE_TEXT_MAX - 1] = 0;
}

static void AppendMegabytes(WCHAR* text, double bytes)
{
    WCHAR number[FORMAT_FIXED_MAX];
    FormatFixed(Megabytes(bytes), 2, number, FORMAT_FIXED_MAX, TRUE);
    Append(text, number);
}

static void AppendNumber(WCHAR* text, int value)
{
    WCHAR number[16];
    _itow(value, number, 10);
    Append(text, number);
}

// "87% Available"
static void AppendCharge(WCHAR* text, int percent)
{
    AppendNumber(text, percent);
    Append(text, TEXT("% "));
    Append(text, GetText(kTextAvailable));
}

// "Status : Normal"
static void AppendStatus(WCHAR* text, DWORD state, BYTE flag)
{
    Append(text, GetText(kTextStatus));
    Append(text, TEXT(" : "));
    Append(text, BatteryStatusText(state, flag));
}

// Percentages above 100 (255 is "unknown") read as a full battery.
static int BatteryPercent(DWORD percent)
{
    return percent > 100 ? 100 : (int)percent;
}

MonitorPage* MonitorPage::Create(SkinWindow* window)
{
    if (s_instance == NULL)
        s_instance = new MonitorPage(window);
    return s_instance;
}

MonitorPage::MonitorPage(SkinWindow* window)
    : Page(window),
      m_agreementMode(FALSE),
      m_agreementEdit(NULL),
      m_selectedItem(ITEM_MAIN_BATTERY),
      m_smallFont(NULL),
      m_largeFont(NULL)
{
    m_smallFont = CreateSkinFont(SharedImageDc(), 7, FW_BOLD);
    m_largeFont = CreateSkinFont(SharedImageDc(), 9, FW_BOLD);
    CreateControls();
    StyleLabels();
    UpdateFigures();
}

MonitorPage::~MonitorPage()
{
    if (m_agreementEdit)
        DestroyWindow(m_agreementEdit);
    if (m_smallFont)
        DeleteObject(m_smallFont);
    if (m_largeFont)
        DeleteObject(m_largeFont);
    s_instance = NULL;
}

void MonitorPage::CreateControls()
{
    if (IsLandscape())
        CreateControlsFromTable(this, kLandscapeMonitorLayout, kLandscapeMonitorLayoutCount);
    else if (IsSquareScreen())
        CreateControlsFromTable(this, kSquareMonitorLayout, kSquareMonitorLayoutCount);
    else
        CreateControlsFromTable(this, kPortraitMonitorLayout, kPortraitMonitorLayoutCount);
    LoadPictures();

    const int alternateMeters[] = {kCardMeter, kProgramMemoryMeter, kStorageMemoryMeter, kDeviceMeter};
    for (int id : alternateMeters) {
        MeterBar* meter = (MeterBar*)FindControl(id);
        if (meter)
            meter->alternate = TRUE;
    }
}

void MonitorPage::SetImage(int id, const WCHAR* baseName)
{
    ImageControl* control = (ImageControl*)FindControl(id);
    if (control == NULL)
        return;
    WCHAR path[MAX_PATH];
    if (control->image)
        ReleaseImage(control->image, FALSE);
    control->image = NULL;
    if (ProgramPath(path, Window()->ProgramDirectory(), GraphicsTgaPath(baseName)))
        control->image = GetTgaImage(path);
}

void MonitorPage::LoadPictures()
{
    SetImage(kBatteryIcon, TEXT("battery_small"));
    SetImage(kStorageIcon, TEXT("storage_small"));
    SetImage(kMemoryIcon, TEXT("memory_small"));
    const WCHAR* separator = IsLandscape() ? TEXT("bar_land") : TEXT("bar");
    SetImage(kSeparator1, separator);
    SetImage(kSeparator2, separator);
    SetImage(kSeparator3, separator);
    SetImage(kHighlight, TEXT("progress_hilight"));
    SetImage(kItemPicture, kItemPictures[m_selectedItem - 1]);
}

void MonitorPage::StyleLabels()
{
    BOOL smallCaptions = IsLandscape() || IsSquareScreen();
    for (Control* control = FirstControl(); control; control = control->next) {
        if (dynamic_cast<TextLabel*>(control) == NULL)
            continue;
        TextLabel* label = (TextLabel*)control;
        label->colour = Window()->TextColour();
        label->useThemeColour = FALSE;
        BOOL caption = label->id == kBatteryCaption || label->id == kMemoryCaption || label->id == kStorageCaption;
        if (caption)
            label->font = smallCaptions ? m_smallFont : m_largeFont;
        else if (label->id == kDetailLine1)
            label->font = m_largeFont;
        else
            label->font = m_smallFont;
    }
}

void MonitorPage::Show(BOOL shown, BOOL focusFirst)
{
    Page::Show(shown, focusFirst);
    if (!shown)
        return;
    // The device volume's cell is laid out but never shown.
    const int deviceCell[] = {kDeviceMeter, kDeviceCaption, kDevicePercent};
    for (int id : deviceCell) {
        if (FindControl(id))
            FindControl(id)->SetVisible(FALSE, FALSE);
    }
    if (ShowAgreement())
        BuildMonitorPageMenu((MonitorWindow*)m_window);
    UpdateFigures();
}

BOOL MonitorPage::OnKey(UINT message, WPARAM virtualKey, LPARAM)
{
    if (virtualKey < VK_LEFT || virtualKey > VK_DOWN)
        return FALSE;
    // Taken on the key-down too, so that the window does not move the focus.
    if (message != WM_KEYUP)
        return TRUE;
    m_selectedItem = kArrowMoves[m_selectedItem - 1][virtualKey - VK_LEFT];
    // The selected meter takes the focus as well, so that a later tap on
    // the meter that had it selects that meter again.
    FocusControlById(kItemMeters[m_selectedItem - 1]);
    Refresh(FALSE);
    UpdateFigures();
    return TRUE;
}

void MonitorPage::OnActivate(BOOL active)
{
    Page::OnActivate(active);
    if (!active)
        return;
    // The arrow keys scroll the agreement while it shows, rather than move
    // the selection under it.
    if (m_agreementEdit)
        SetFocus(m_agreementEdit);
    UpdateFigures();
}

void MonitorPage::OnFocusChanged()
{
    Control* focused = FocusedControl();
    if (focused == NULL)
        return;
    for (int item = 1; item <= 5; ++item) {
        if (focused->id != kItemMeters[item - 1])
            continue;
        if (item != m_selectedItem) {
            m_selectedItem = item;
            Refresh(FALSE);
            UpdateFigures();
        }
        return;
    }
}

void MonitorPage::SetLabel(int id, const WCHAR* text)
{
    TextLabel* label = (TextLabel*)FindControl(id);
    if (label)
        label->SetText(text);
}

void MonitorPage::SetMeter(int id, int value)
{
    MeterBar* meter = (MeterBar*)FindControl(id);
    if (meter == NULL)
        return;
    meter->maximum = 100;
    meter->value = value;
    meter->Invalidate();
}

void MonitorPage::SetPercentLabel(int labelId, int meterId)
{
    MeterBar* meter = (MeterBar*)FindControl(meterId);
    if (meter == NULL)
        return;
    WCHAR text[FIGURE_TEXT_MAX] = {0};
    AppendNumber(text, meter->value);
    Append(text, TEXT("%"));
    SetLabel(labelId, text);
}

// The three lines of a memory or storage item: free, used and total.
void MonitorPage::DescribeSpace(int nameText, double totalBytes, double freeBytes)
{
    WCHAR line[FIGURE_TEXT_MAX] = {0};
    Append(line, GetText(nameText));
    Append(line, TEXT(" "));
    AppendMegabytes(line, freeBytes);
    Append(line, GetText(kTextMbFree));
    SetLabel(kDetailLine1, line);

    line[0] = 0;
    AppendMegabytes(line, totalBytes - freeBytes);
    Append(line, GetText(kTextMbUsed));
    SetLabel(kDetailLine2, line);

    line[0] = 0;
    AppendMegabytes(line, totalBytes);
    Append(line, GetText(kTextMbTotal));
    SetLabel(kDetailLine3, line);
}

// A memory or storage figure: its meter, its percentage and, while it is
// the selected item, the detail lines.
void MonitorPage::ShowSpace(int item, int meterId, int percentLabelId, int nameText, double totalBytes,
                            double freeBytes, int usedPercent)
{
    SetMeter(meterId, usedPercent);
    if (m_selectedItem == item)
        DescribeSpace(nameText, totalBytes, freeBytes);
    SetPercentLabel(percentLabelId, meterId);
}

void MonitorPage::UpdateFigures()
{
    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof(memory);
    SampleMemory(&memory);
    StorageSample storage = {};
    SampleStorage(&storage);

    Control* selectedMeter = FindControl(kItemMeters[m_selectedItem - 1]);
    Control* highlight = FindControl(kHighlight);
    if (selectedMeter && highlight) {
        int margin = (int)((IsVgaScreen() ? 4 : 3) * GetScreenMetrics().scaleX);
        RECT area = selectedMeter->rect;
        area.left -= margin;
        area.top -= margin;
        area.right += margin;
        area.bottom += margin;
        highlight->SetBounds(&area, TRUE);
    }

    BatterySample battery = {};
    SampleBattery(&battery);
    WCHAR line[FIGURE_TEXT_MAX];

    int mainPercent = BatteryPercent(battery.mainPercent);
    SetMeter(kMainBatteryMeter, mainPercent);
    if (m_selectedItem == ITEM_MAIN_BATTERY) {
        SetLabel(kDetailLine1, GetText(kTextMain));
        line[0] = 0;
        AppendCharge(line, mainPercent);
        SetLabel(kDetailLine2, line);
        line[0] = 0;
        AppendStatus(line, battery.mainState, battery.mainFlag);
        SetLabel(kDetailLine3, line);
    }
    SetPercentLabel(kMainBatteryPercent, kMainBatteryMeter);

    int backupPercent = BatteryPercent(battery.backupPercent);
    SetMeter(kBackupBatteryMeter, backupPercent);
    if (m_selectedItem == ITEM_BACKUP_BATTERY) {
        SetLabel(kDetailLine1, GetText(kTextBackup));
        line[0] = 0;
        if (battery.backupState & BATTERY_STATE_NOT_PRESENT) {
            Append(line, TEXT("Not Present"));
        } else {
            AppendCharge(line, backupPercent);
        }
        SetLabel(kDetailLine2, line);
        if (IsVersion5OrLater()) {
            SetLabel(kDetailLine3, NULL);
        } else {
            line[0] = 0;
            AppendStatus(line, battery.backupState, battery.backupFlag);
            SetLabel(kDetailLine3, line);
        }
    }
    SetPercentLabel(kBackupBatteryPercent, kBackupBatteryMeter);

    double cardTotal = (double)storage.cardTotal;
    double cardFree = (double)storage.cardTotalFree;
    ShowSpace(ITEM_STORAGE_CARD, kCardMeter, kCardPercent, kTextSdCard, cardTotal, cardFree,
              cardTotal == 0.0 ? 0 : CardUsedPercentage(cardTotal, cardFree));
    double memoryTotal = (double)memory.dwTotalPhys;
    double memoryFree = (double)memory.dwAvailPhys;
    ShowSpace(ITEM_PROGRAM_MEMORY, kProgramMemoryMeter, kProgramMemoryPercent, kTextProgram, memoryTotal, memoryFree,
              UsedPercentage(memoryTotal, memoryFree));
    double storeTotal = (double)storage.storeSize;
    double storeFree = (double)storage.storeFree;
    ShowSpace(ITEM_STORAGE_MEMORY, kStorageMemoryMeter, kStorageMemoryPercent, kTextStorage, storeTotal, storeFree,
              UsedPercentage(storeTotal, storeFree));

    PlaceItemPicture();
}

// The picture of the selected item keeps 5 pixels from the window's
// right edge, whatever its width.
void MonitorPage::PlaceItemPicture()
{
    SetImage(kItemPicture, kItemPictures[m_selectedItem - 1]);
    ImageControl* picture = (ImageControl*)FindControl(kItemPicture);
    if (picture == NULL || picture->image == NULL || !picture->image->HasAlphaImage())
        return;
    RECT client;
    Window()->GetClientArea(&client);
    int width = (int)picture->image->alphaImage->width;
    RECT area = picture->rect;
    area.left = client.right - width - 5;
    area.right = area.left + width;
    picture->SetBounds(&area, TRUE);
}
