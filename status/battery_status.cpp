#include "status/battery_status.h"

#include "settings/text_table.h"

#define TEXT_HIGH_CHARGE 27
#define TEXT_LOW_CHARGE 28
#define TEXT_CRITICAL 29
#define TEXT_CHARGING 30
#define TEXT_NO_BATTERY 31
#define TEXT_UNKNOWN 35

static const WCHAR kBatteryStateKey[] = TEXT("System\\State\\Battery");

BOOL IsVersion5OrLater()
{
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return version.dwMajorVersion > 4;
}

LONG ReadRegistryDword(HKEY root, const WCHAR* subKey, const WCHAR* valueName, DWORD* value)
{
    HKEY key = NULL;
    LONG status = RegOpenKeyExW(root, subKey, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return status;
    DWORD size = sizeof(DWORD);
    RegQueryValueExW(key, valueName, NULL, NULL, (LPBYTE)value, &size);
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

// A percentage the platform does not know (255) or cannot mean shows as 100.
static DWORD ClampPercent(BYTE percent)
{
    return percent > 100 ? 100 : percent;
}

// The percentage a strength level stands for; -1 for a level not listed.
static int PercentOfStrength(DWORD level)
{
    switch (level) {
    case 0:
        return 0;
    case 21:
        return 25;
    case 41:
        return 50;
    case 61:
        return 75;
    case 81:
        return 100;
    default:
        return -1;
    }
}

// A word no device reports (its strength level is out of range): left in
// place when a battery state value cannot be read.
#define STATE_WORD_UNREAD 0xFFFFFFFF

// Takes state and, where the power query gave no usable figure, the
// percentage from a CE 5 battery state word.
static void ApplyStateWord(DWORD word, DWORD* state, DWORD* percent)
{
    *state = word & 0xFFFF;
    if (*percent >= 1 && *percent <= 99)
        return;
    int strength = PercentOfStrength(word >> 16);
    if (strength >= 0)
        *percent = (DWORD)strength;
}

// The state word bits that a pre-5 platform flag byte stands for.
static DWORD StateFromFlag(BYTE flag)
{
    DWORD state = 0;
    if (flag & BATTERY_FLAG_NO_BATTERY)
        state |= BATTERY_STATE_NOT_PRESENT;
    if (flag & BATTERY_FLAG_CHARGING)
        state |= BATTERY_STATE_CHARGING;
    if (flag & BATTERY_FLAG_LOW)
        state |= BATTERY_STATE_LOW;
    if (flag & BATTERY_FLAG_CRITICAL)
        state |= BATTERY_STATE_CRITICAL;
    return state;
}

int SampleBattery(BatterySample* sample)
{
    SYSTEM_POWER_STATUS_EX2 power;
    ZeroMemory(&power, sizeof(power));
    GetSystemPowerStatusEx2(&power, sizeof(power), FALSE);

    sample->mainFlag = power.BatteryFlag;
    sample->backupFlag = power.BackupBatteryFlag;
    sample->mainPercent = ClampPercent(power.BatteryLifePercent);
    sample->backupPercent = ClampPercent(power.BackupBatteryLifePercent);

    sample->mainState = StateFromFlag(power.BatteryFlag);
    sample->backupState = StateFromFlag(power.BackupBatteryFlag);
    if (IsVersion5OrLater()) {
        // A value that cannot be read leaves the power query's figures.
        DWORD mainWord = STATE_WORD_UNREAD;
        DWORD backupWord = STATE_WORD_UNREAD;
        ReadRegistryDword(HKEY_LOCAL_MACHINE, kBatteryStateKey, TEXT("Main"), &mainWord);
        ReadRegistryDword(HKEY_LOCAL_MACHINE, kBatteryStateKey, TEXT("Backup"), &backupWord);
        if (mainWord != STATE_WORD_UNREAD)
            ApplyStateWord(mainWord, &sample->mainState, &sample->mainPercent);
        if (backupWord != STATE_WORD_UNREAD)
            ApplyStateWord(backupWord, &sample->backupState, &sample->backupPercent);
    }
    return 0;
}

const WCHAR* BatteryStatusText(DWORD state, BYTE flag)
{
    if (IsVersion5OrLater()) {
        if (state == 0)
            return TEXT("Normal");
        if (state & BATTERY_STATE_NOT_PRESENT)
            return GetText(TEXT_UNKNOWN);
        if (state & BATTERY_STATE_CHARGING)
            return GetText(TEXT_CHARGING);
        if (state & BATTERY_STATE_LOW)
            return GetText(TEXT_LOW_CHARGE);
        if (state & BATTERY_STATE_CRITICAL)
            return GetText(TEXT_CRITICAL);
        return GetText(TEXT_UNKNOWN);
    }

    switch (flag) {
    case BATTERY_FLAG_HIGH:
        return GetText(TEXT_HIGH_CHARGE);
    case BATTERY_FLAG_LOW:
        return GetText(TEXT_LOW_CHARGE);
    case BATTERY_FLAG_CRITICAL:
        return GetText(TEXT_CRITICAL);
    case BATTERY_FLAG_CHARGING:
        return GetText(TEXT_CHARGING);
    case BATTERY_FLAG_NO_BATTERY:
        return GetText(TEXT_NO_BATTERY);
    default:
        return GetText(TEXT_UNKNOWN);
    }
}

double PercentOf(double value, double maximum)
{
    double onePercent = maximum * 0.01;
    if (onePercent == 0.0)
        return 0.0;
    return value / onePercent;
}
