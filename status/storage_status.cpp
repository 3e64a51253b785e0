#include "status/storage_status.h"

#include <shlobj.h>

#include "status/battery_status.h"

void SampleMemory(MEMORYSTATUS* status)
{
    status->dwLength = sizeof(MEMORYSTATUS);
    GlobalMemoryStatus(status);
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

    ULARGE_INTEGER freeForCaller, total, totalFree;
    freeForCaller.QuadPart = sample->deviceFreeForCaller;
    if (GetDiskFreeSpaceExW(appData, &freeForCaller, &total, &totalFree)) {
        sample->deviceFreeForCaller = freeForCaller.QuadPart;
        sample->deviceTotal = total.QuadPart;
        sample->deviceTotalFree = totalFree.QuadPart;
    } else {
        sample->deviceTotal = 0;
        sample->deviceTotalFree = 0;
    }

    sample->cardTotal = 0;
    sample->cardTotalFree = 0;
    freeForCaller.QuadPart = sample->cardFreeForCaller;
    if (GetDiskFreeSpaceExW(TEXT("\\Storage Card"), &freeForCaller, &total, &totalFree)) {
        sample->cardFreeForCaller = freeForCaller.QuadPart;
        sample->cardTotal = total.QuadPart;
        sample->cardTotalFree = totalFree.QuadPart;
    } else {
        sample->cardTotal = 0;
        sample->cardTotalFree = 0;
    }
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
