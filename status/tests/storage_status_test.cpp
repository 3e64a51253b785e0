#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "settings/number_format.h"
#include "status/storage_status.h"

namespace {

using StorageStatusTest = testsupport::DeviceFixture;

std::u16string Mb(double bytes)
{
    WCHAR text[FORMAT_FIXED_MAX];
    FormatFixed(Megabytes(bytes), 2, text, FORMAT_FIXED_MAX, TRUE);
    return text;
}

StorageSample Sample()
{
    StorageSample sample;
    ZeroMemory(&sample, sizeof(sample));
    SampleStorage(&sample);
    return sample;
}

TEST_F(StorageStatusTest, ProgramMemoryFigures)
{
    Device().Profile().status.memoryTotal = 10485760;
    Device().Profile().status.memoryAvailable = 2621440;
    MEMORYSTATUS memory;
    ZeroMemory(&memory, sizeof(memory));
    SampleMemory(&memory);
    EXPECT_EQ(memory.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_EQ(Mb(memory.dwAvailPhys), u"2.50");
    EXPECT_EQ(Mb((double)memory.dwTotalPhys - memory.dwAvailPhys), u"7.50");
    EXPECT_EQ(Mb(memory.dwTotalPhys), u"10.00");
    EXPECT_EQ(UsedPercentage(memory.dwTotalPhys, memory.dwAvailPhys), 75);
}

TEST_F(StorageStatusTest, UsedPercentageTruncatesAndTreatsZeroTotalAsFull)
{
    EXPECT_EQ(UsedPercentage(1000, 661), 33);
    EXPECT_EQ(UsedPercentage(1000, 1000), 0);
    EXPECT_EQ(UsedPercentage(0, 0), 100);
    EXPECT_EQ(CardUsedPercentage(0, 0), 0);
    EXPECT_EQ(CardUsedPercentage(1000, 661), 33);
}

TEST_F(StorageStatusTest, StoreAndDeviceVolume)
{
    platform::DeviceStatus& status = Device().Profile().status;
    status.storeSize = 33554432;
    status.storeFree = 16777216;
    status.appDataTotal = 33554432;
    status.appDataFree = 8388608;
    StorageSample sample = Sample();
    EXPECT_EQ(sample.storeSize, 33554432u);
    EXPECT_EQ(sample.storeFree, 16777216u);
    EXPECT_EQ(sample.deviceTotal, 33554432u);
    EXPECT_EQ(sample.deviceTotalFree, 8388608u);
    EXPECT_EQ(UsedPercentage((double)sample.storeSize, (double)sample.storeFree), 50);
}

TEST_F(StorageStatusTest, MissingCardIsACardOfSizeZero)
{
    Device().Profile().status.cardPresent = false;
    StorageSample sample = Sample();
    EXPECT_EQ(sample.cardTotal, 0u);
    EXPECT_EQ(sample.cardTotalFree, 0u);
    EXPECT_EQ(CardUsedPercentage((double)sample.cardTotal, (double)sample.cardTotalFree), 0);
    EXPECT_EQ(Mb((double)sample.cardTotal), u"0.00");

    UseProfile("de");
    Device().Profile().status.cardPresent = false;
    sample = Sample();
    EXPECT_EQ(Mb((double)sample.cardTotalFree), u"0,00");
}

TEST_F(StorageStatusTest, CardAbove4GiBKeepsItsFullSize)
{
    platform::DeviceStatus& status = Device().Profile().status;
    status.cardPresent = true;
    status.cardTotal = 8ull << 30;
    status.cardFree = 3ull << 30;
    StorageSample sample = Sample();
    EXPECT_EQ(sample.cardTotal, 8ull << 30);
    EXPECT_EQ(sample.cardTotalFree, 3ull << 30);
    EXPECT_EQ(Mb((double)sample.cardTotal), u"8192.00");
    EXPECT_EQ(Mb((double)(sample.cardTotal - sample.cardTotalFree)), u"5120.00");
    EXPECT_EQ(CardUsedPercentage((double)sample.cardTotal, (double)sample.cardTotalFree), 62);
}

}  // namespace
