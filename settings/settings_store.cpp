#include "settings/settings_store.h"

#include "settings/number_format.h"

// KEY_READ | KEY_WRITE.
#define SETTINGS_KEY_ACCESS 0x2001F

static LONG CreateOrOpen(HKEY parent, const WCHAR* name, HKEY* key)
{
    DWORD disposition = 0;
    return RegCreateKeyExW(parent, name, 0, NULL, REG_OPTION_NON_VOLATILE, SETTINGS_KEY_ACCESS, NULL, key,
                           &disposition);
}

HKEY OpenSettingsRootKey()
{
    HKEY software = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("software"), 0, SETTINGS_KEY_ACCESS, &software) != ERROR_SUCCESS &&
        CreateOrOpen(HKEY_CURRENT_USER, TEXT("software"), &software) != ERROR_SUCCESS)
        return NULL;
    RegCloseKey(software);

    if (RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("software"), 0, SETTINGS_KEY_ACCESS, &software) != ERROR_SUCCESS)
        return NULL;
    HKEY company = NULL;
    LONG status = CreateOrOpen(software, TEXT("QuibSoftware"), &company);
    RegCloseKey(software);
    if (status != ERROR_SUCCESS)
        return NULL;
    HKEY product = NULL;
    status = CreateOrOpen(company, TEXT("Trevant"), &product);
    RegCloseKey(company);
    return status == ERROR_SUCCESS ? product : NULL;
}

HKEY OpenSettingsSubKey(const WCHAR* subKey)
{
    HKEY root = OpenSettingsRootKey();
    if (root == NULL)
        return NULL;
    HKEY key = NULL;
    LONG status = CreateOrOpen(root, subKey, &key);
    RegCloseKey(root);
    return status == ERROR_SUCCESS ? key : NULL;
}

void WriteRegString(const WCHAR* subKey, const WCHAR* valueName, const WCHAR* text)
{
    if (valueName == NULL) {
        HKEY root = OpenSettingsRootKey();
        if (root == NULL)
            return;
        RegDeleteKeyW(root, subKey);
        RegCloseKey(root);
        return;
    }
    HKEY key = OpenSettingsSubKey(subKey);
    if (key == NULL)
        return;
    if (text != NULL)
        RegSetValueExW(key, valueName, 0, REG_SZ, (const BYTE*)text, (DWORD)((wcslen(text) + 1) * sizeof(WCHAR)));
    else
        RegDeleteValueW(key, valueName);
    RegCloseKey(key);
}

// Reads the value into output; FALSE when it is missing or does not fit.
static BOOL QueryText(HKEY key, const WCHAR* valueName, WCHAR* output)
{
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName, NULL, NULL, NULL, &size) != ERROR_SUCCESS)
        return FALSE;
    if (size > REG_TEXT_MAX * sizeof(WCHAR))
        return FALSE;
    if (RegQueryValueExW(key, valueName, NULL, NULL, (LPBYTE)output, &size) != ERROR_SUCCESS)
        return FALSE;
    // A value stored without its terminator still ends inside the buffer.
    DWORD characters = size / sizeof(WCHAR);
    output[characters < REG_TEXT_MAX ? characters : REG_TEXT_MAX - 1] = 0;
    return TRUE;
}

void ReadRegString(const WCHAR* subKey, const WCHAR* valueName, const WCHAR* defaultText, WCHAR* output)
{
    HKEY key = OpenSettingsSubKey(subKey);
    BOOL found = key != NULL && QueryText(key, valueName, output);
    if (key != NULL)
        RegCloseKey(key);
    if (!found) {
        wcsncpy(output, defaultText ? defaultText : TEXT(""), REG_TEXT_MAX - 1);
        output[REG_TEXT_MAX - 1] = 0;
    }
}

int ReadRegInt(const WCHAR* valueName, const WCHAR* defaultText, const WCHAR* subKey)
{
    WCHAR text[REG_TEXT_MAX];
    ReadRegString(subKey, valueName, defaultText, text);
    return ParseLocalisedInteger(text);
}

void WriteRegInt(const WCHAR* valueName, int value, const WCHAR* subKey)
{
    WCHAR text[12];
    _itow(value, text, 10);
    WriteRegString(subKey, valueName, text);
}
