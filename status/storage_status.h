// Program memory, storage memory, storage card and device volume figures.
#pragma once

#include <windows.h>

struct StorageSample {
    DWORD storeSize;
    DWORD storeFree;
    ULONGLONG deviceFreeForCaller;
    ULONGLONG deviceTotal;
    ULONGLONG deviceTotalFree;
    ULONGLONG cardFreeForCaller;
    ULONGLONG cardTotal;
    ULONGLONG cardTotalFree;
};

// Fills the platform's memory status record.
void SampleMemory(MEMORYSTATUS* status);

// Fills the object store, application-data volume and storage card figures.
// A missing card reads as a card of size 0.
void SampleStorage(StorageSample* sample);

// Used percentage, 0 to 100, truncated; a total of 0 counts as all used.
int UsedPercentage(double total, double free);

// Used percentage of the card; a card of size 0 is 0 % used.
int CardUsedPercentage(double total, double free);

// Bytes in megabytes of 1,048,576 bytes.
double Megabytes(double bytes);
