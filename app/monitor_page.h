// The main monitor page: five figures as meters with their percentages,
// one of them selected, framed by the highlight and described by three
// detail lines and a picture.
#pragma once

#include "ui/page.h"

class MonitorWindow;

// The selected item.
#define ITEM_MAIN_BATTERY 1
#define ITEM_BACKUP_BATTERY 2
#define ITEM_PROGRAM_MEMORY 3
#define ITEM_STORAGE_MEMORY 4
#define ITEM_STORAGE_CARD 5

class MonitorPage : public Page {
public:
    // The page's one instance, made when there is none.
    static MonitorPage* Create(SkinWindow* window);
    // Forgets the instance.
    ~MonitorPage() override;

    void CreateControls() override;
    void Show(BOOL shown, BOOL focusFirst) override;
    // The arrow keys move the selection on their key-up.
    BOOL OnKey(UINT message, WPARAM virtualKey, LPARAM keyData) override;
    void OnActivate(BOOL active) override;
    // Focusing a meter selects its item.
    void OnFocusChanged() override;
    BOOL OnCommand(WPARAM commandId) override;
    BOOL OnStylus(UINT message, WPARAM keys, LPARAM point) override;

    // Samples the device and sets every meter, percentage and detail line.
    void UpdateFigures();

    int SelectedItem() const { return m_selectedItem; }
    BOOL InAgreementMode() const { return m_agreementMode; }
    HWND AgreementEdit() const { return m_agreementEdit; }

private:
    explicit MonitorPage(SkinWindow* window);

    // TRUE when the agreement was accepted before; else enters agreement
    // mode with its soft keys and the text over the page.
    BOOL ShowAgreement();
    void AcceptAgreement();
    // The agreement's text window over the page; NULL when it cannot be made.
    HWND CreateAgreementEdit();
    void DestroyAgreementEdit();
    // Tap-and-hold: the settings panels menu at the point.
    void OpenContextMenu(LPARAM point);

    void LoadPictures();
    void StyleLabels();
    void SetLabel(int id, const WCHAR* text);
    void SetMeter(int id, int value);
    void SetPercentLabel(int labelId, int meterId);
    void DescribeSpace(int nameText, double totalBytes, double freeBytes);
    void ShowSpace(int item, int meterId, int percentLabelId, int nameText, double totalBytes, double freeBytes,
                   int usedPercent);
    void PlaceItemPicture();
    void SetImage(int id, const WCHAR* baseName);

    BOOL m_agreementMode;
    HWND m_agreementEdit;
    int m_selectedItem;
    HFONT m_smallFont;
    HFONT m_largeFont;
};
