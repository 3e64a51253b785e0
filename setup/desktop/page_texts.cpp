#include "setup/desktop/page_texts.h"

#include <optional>
#include <string>

#include "setup/desktop/languages.h"
#include "setup/desktop/program_resources.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/wizard.h"

void SetPageText(HWND page, int item, int textNumber)
{
    std::optional<std::string> text =
        ResourceText(PAGE_TEXT_TYPE, textNumber + LanguageOffset(WizardLanguage()));
    SetDlgItemTextA(page, item, text ? text->c_str() : "");
}

void SetMessageText(HWND page, int item, int messageId)
{
    SetDlgItemTextA(page, item, LoadMessage(messageId, WizardLanguage()).c_str());
}
