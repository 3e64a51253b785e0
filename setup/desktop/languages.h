// The five languages of the wizard, in the order of their flags.
#pragma once

struct Language {
    int offset;       // added to every text and message number
    int flagBitmap;   // bitmap resource of its flag
    int flagControl;  // the flag's picture on the welcome page
};

constexpr int kLanguageCount = 5;
constexpr int kEnglish = 0;

// Any number other than the five is English.
const Language& LanguageAt(int number);
int LanguageOffset(int number);
// The language whose flag is the control, or -1.
int LanguageOfFlag(int controlId);
