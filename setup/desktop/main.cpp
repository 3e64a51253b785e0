// pcsetup: the desktop wizard that puts Quib Monitor onto a handheld
// through the desktop's application manager.
#include <windows.h>

#include <optional>
#include <string>

#include "setup/desktop/installation.h"
#include "setup/desktop/program_resources.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/wizard.h"
#include "setup/desktop/wizard_messages.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    std::optional<std::string> title = ResourceText(PRODUCT_TEXT_TYPE, WIZARD_TITLE);
    if (RunWizard(instance, title ? *title : std::string()) != WIZARD_FINISH)
        return 0;
    return RunInstallation(WizardLanguage());
}
