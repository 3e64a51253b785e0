// Main and backup battery: charge percentages, state words, status texts.
#pragma once

#include <windows.h>

// Battery state word bits (low 16 bits); 0 is the normal condition.
#define BATTERY_STATE_NOT_PRESENT 0x0001
#define BATTERY_STATE_CHARGING 0x0002
#define BATTERY_STATE_LOW 0x0004
#define BATTERY_STATE_CRITICAL 0x0008

struct BatterySample {
    DWORD mainState;
    DWORD backupState;
    DWORD mainPercent;
    DWORD backupPercent;
    BYTE mainFlag;
    BYTE backupFlag;
};

// True from operating-system major version 5 on.
BOOL IsVersion5OrLater();

// Reads a 4-byte registry value into value. Answers the status of opening
// the key; value is untouched when the key cannot be opened.
LONG ReadRegistryDword(HKEY root, const WCHAR* subKey, const WCHAR* valueName, DWORD* value);

// Fills a zeroed sample from the platform. Always 0.
int SampleBattery(BatterySample* sample);

// The status text of one battery.
const WCHAR* BatteryStatusText(DWORD state, BYTE flag);

// value as a percentage of maximum; 0.0 for a zero maximum.
double PercentOf(double value, double maximum);
