// The wizard frame (dialog 151), which hosts one page dialog at a time.
#pragma once

#include <windows.h>

#include <string>

// Runs the frame modally with its pages welcome and agreement; the answer
// is WIZARD_FINISH or WIZARD_CANCEL.
INT_PTR RunWizard(HINSTANCE instance, const std::string& title);

// The language the user picked on the welcome page; it lives as long as
// the wizard's process.
int WizardLanguage();
void SetWizardLanguage(int language);
