#include "status/storage_status.h"

#include <shlobj.h>

#include "status/battery_status.h"

void SampleMemory(MEMORYSTATUS* status)
{
    status->dwLength = sizeof(MEMORYSTATUS);
    GlobalMemoryStatus(status);
}

// The three figures of the volume holding path; FALSE, with the figures
// untouched, when the platform cannot answer for it.
static BOOL QueryVolume(const WCHAR* path, ULONGLONG* freeForCaller, ULONGLONG* total, ULONGLONG* totalFree)
{
    ULARGE_INTEGER callerBytes, totalBytes, freeBytes;
    if (!GetDiskFreeSpaceExW(path, &callerBytes, &totalBytes, &freeBytes))
        return FALSE;
    *freeForCaller = callerBytes.QuadPart;
    *total = totalBytes.QuadPart;
    *totalFree = freeBytes.QuadPart;
    return TRUE;
}

void SampleStorage(StorageSample* sample)
{
    STORE_INFORMATION store = {0, 0};
    GetStoreInformation(&store);
    sample->storeSize = store.dwStoreSize;
    sample->storeFree = store.dwFreeSize;

    WCHAR appData[MAX_PATH];
    appData[0] = 0;
    SHGetSpecialFolderPath(NULL, appData, CSIDL_APPDATA, FALSE);
    if (!QueryVolume(appData, &sample->deviceFreeForCaller, &sample->deviceTotal, &sample->deviceTotalFree)) {
        sample->deviceTotal = 0;
        sample->deviceTotalFree = 0;
    }

    // A missing card is no error: it reads as a card of size 0.
    sample->cardTotal = 0;
    sample->cardTotalFree = 0;
    QueryVolume(TEXT("\\Storage Card"), &sample->cardFreeForCaller, &sample->cardTotal, &sample->cardTotalFree);
}

int UsedPercentage(double total, double free)
{
    return (int)(100.0 - PercentOf(free, total));
}

int CardUsedPercentage(double total, double free)
{
    if (total == 0.0)
        return 0;
    return UsedPercentage(total, free);
}

double Megabytes(double bytes)
{
    return bytes * 0.0009765625 * 0.0009765625;
}
