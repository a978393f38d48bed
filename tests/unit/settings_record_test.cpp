// The settings record: a new object's defaults and the upgrade of records written by 8-bit
// editors, byte for byte.
#include <windows.h>

#include "edit/settings_record.h"
#include "edit_host.h"
#include "standin/kernel_control.h"
#include "support/log_capture.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void Put16(Bytes& bytes, size_t at, WORD value) {
    std::memcpy(&bytes[at], &value, 2);
}
void Put32(Bytes& bytes, size_t at, DWORD value) {
    std::memcpy(&bytes[at], &value, 4);
}
void PutText(Bytes& bytes, size_t at, const std::string& text) {
    std::memcpy(&bytes[at], text.data(), text.size());
}

// A record as the host hands it over: its own header words, then `version`.
Bytes HostRecord(DWORD version) {
    Bytes bytes(kObjectSettingsSize, 0);
    for (size_t i = 0; i < 20; ++i)
        bytes[i] = static_cast<BYTE>(0xB0 + i); // host-owned bytes, recognisable
    Put32(bytes, 0, 432);
    Put32(bytes, 8, version);
    return bytes;
}

Bytes BlockBytes(HGLOBAL block) {
    const BYTE* data = static_cast<const BYTE*>(block);
    return Bytes(data, data + kObjectSettingsSize);
}

void PutWide(Bytes& bytes, size_t at, const std::u16string& text) {
    std::memcpy(&bytes[at], text.data(), text.size() * 2);
}

class SettingsRecord : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModuleLog();
        host.SetWideApplication(false);
        blocksAtStart = standin::LiveGlobalBlocks();
    }
    void TearDown() override { EndModuleLog(); }

    // Upgrades `old` and returns the new record's bytes (empty when the result was null).
    Bytes Upgrade(Bytes& old) {
        HGLOBAL block = UpdateEditStructure(host.Record(), old.data());
        if (!block)
            return {};
        EXPECT_EQ(GlobalSize(block), kObjectSettingsSize);
        Bytes result = BlockBytes(block);
        EXPECT_EQ(GlobalFree(block), nullptr) << "the host frees it with GlobalFree";
        return result;
    }

    hoststandin::EditHost host;
    int blocksAtStart = 0;
};

TEST_F(SettingsRecord, NewObjectGetsItsDefaultsAndNothingElse) {
    Bytes record = HostRecord(2);
    Put32(record, 0, kObjectSettingsSize);
    Bytes expected = record;
    Put16(expected, 20, 160);
    Put16(expected, 22, 120);
    Put16(expected, 24, 0x0020);
    EXPECT_EQ(
        CreateObject(host.Record(), nullptr, reinterpret_cast<ObjectSettings*>(record.data())), 0);
    EXPECT_EQ(record, expected);
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(record.data());
    EXPECT_EQ(settings->FileName[0], 0);
    EXPECT_EQ(settings->NativeSizeTaken, 0u);

    // A record that held a stale NativeSizeTaken gets it cleared.
    Put32(record, 28, 1);
    CreateObject(host.Record(), nullptr, reinterpret_cast<ObjectSettings*>(record.data()));
    EXPECT_EQ(record, expected);
}

TEST_F(SettingsRecord, UnsupportedHostOrMissingRecordIsRefused) {
    Bytes record = HostRecord(2);
    Bytes before = record;
    host.SetVersion(0x02000000u | 250u);
    EXPECT_EQ(
        CreateObject(host.Record(), nullptr, reinterpret_cast<ObjectSettings*>(record.data())), -1);
    EXPECT_EQ(record, before);
    host.SetVersion(0);
    EXPECT_EQ(
        CreateObject(host.Record(), nullptr, reinterpret_cast<ObjectSettings*>(record.data())), -1);
    host.SetVersion(0x02000000u | 251u);
    EXPECT_EQ(CreateObject(host.Record(), nullptr, nullptr), -1);
    EXPECT_EQ(CreateObject(nullptr, nullptr, reinterpret_cast<ObjectSettings*>(record.data())), -1);
    EXPECT_EQ(record, before);
}

TEST_F(SettingsRecord, WideApplicationRecordsAreLeftAlone) {
    host.SetWideApplication(true);
    for (DWORD version : {1u, 2u}) {
        Bytes record = HostRecord(version);
        EXPECT_EQ(UpdateEditStructure(host.Record(), record.data()), nullptr);
    }
    ASSERT_EQ(host.Requests().size(), 2u);
    const hoststandin::HostRequestCall& request = host.Requests()[0];
    EXPECT_EQ(request.settings, nullptr);
    EXPECT_EQ(request.number, 114);
    EXPECT_EQ((std::vector<int>{request.v1, request.v2, request.v3}), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksAtStart);
}

TEST_F(SettingsRecord, Version1UpgradesByteForByte) {
    Bytes old = HostRecord(1);
    Put16(old, 20, 200);
    Put16(old, 22, 150);
    Put16(old, 24, 0xFFFF); // not carried over
    PutText(old, 26, std::string("C:\\Films\\Caf\xe9.avi") + '\0');
    Put32(old, 156, 1);
    const DWORD rect[4] = {0, 0, 320, 240};
    std::memcpy(&old[160], rect, 16);
    const double ratio = 4.0 / 3.0;
    std::memcpy(&old[176], &ratio, 8);
    std::memset(&old[184], 0xEE, old.size() - 184); // beyond the version-1 record

    Bytes expected(kObjectSettingsSize, 0);
    std::memcpy(&expected[0], &old[0], 24);
    Put32(expected, 0, 576);
    Put32(expected, 8, 2);
    std::memcpy(&expected[28], &old[156], 28);
    PutWide(expected, 56, u"C:\\Films\\Caf\u00e9.avi");

    EXPECT_EQ(Upgrade(old), expected);
    ASSERT_EQ(host.Requests().size(), 2u);
    EXPECT_EQ(host.Requests()[1].number, 115);
    EXPECT_EQ(host.Requests()[1].settings, nullptr);
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksAtStart);
}

TEST_F(SettingsRecord, Version2UpgradeKeepsHeadAndDropsTheAspectRatio) {
    Bytes old = HostRecord(2);
    Put16(old, 20, 640);
    Put16(old, 22, 480);
    Put16(old, 24, 0x1288);
    Put32(old, 28, 1);
    const DWORD rect[4] = {0, 0, 640, 480};
    std::memcpy(&old[32], rect, 16);
    const double ratio = 1.5;
    std::memcpy(&old[48], &ratio, 8);
    PutText(old, 56, std::string("D:\\\xe2\x82\xac\xc3\xa9.mpg") + '\0');
    host.SetCodePage(CP_UTF8);

    Bytes expected(kObjectSettingsSize, 0);
    std::memcpy(&expected[0], &old[0], 48);
    Put32(expected, 0, 576);
    Put32(expected, 8, 2);
    PutWide(expected, 56, u"D:\\\u20ac\u00e9.mpg");
    Bytes upgraded = Upgrade(old);
    EXPECT_EQ(upgraded, expected);
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(settings->Flags, 0x1288);
    EXPECT_EQ(settings->AspectRatio, 0.0);
    EXPECT_EQ(settings->NativeRect.right, 640);
}

TEST_F(SettingsRecord, OtherVersionsAreUsedAsStored) {
    for (DWORD version : {0u, 3u, 0xFFFFFFFFu}) {
        Bytes old = HostRecord(version);
        EXPECT_TRUE(Upgrade(old).empty()) << version;
    }
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksAtStart);
    EXPECT_EQ(UpdateEditStructure(host.Record(), nullptr), nullptr);
    EXPECT_EQ(UpdateEditStructure(nullptr, HostRecord(1).data()), nullptr);
    host.Record()->request = nullptr;
    Bytes old = HostRecord(1);
    EXPECT_EQ(UpdateEditStructure(host.Record(), old.data()), nullptr);
}

TEST_F(SettingsRecord, UnterminatedNamesStayInsideTheOldRecord) {
    // Version 1: the name field is 130 bytes; the words after it are not part of the name.
    Bytes v1 = HostRecord(1);
    std::memset(&v1[26], 'n', 130);
    Put32(v1, 156, 0x41414141);
    Bytes upgraded = Upgrade(v1);
    ASSERT_FALSE(upgraded.empty());
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(130, 'n'));

    // Version 2 with Size 576: the name runs to the end of the record and is cut to 259 units.
    Bytes v2 = HostRecord(2);
    Put32(v2, 0, 576);
    std::memset(&v2[56], 'x', kVersion2NameBytes);
    upgraded = Upgrade(v2);
    ASSERT_FALSE(upgraded.empty());
    settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(259, 'x'));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"File name of 520 characters cut to 259\n"}));
}

// The old record's Size bounds every read: what lies past it is not part of the record.
TEST_F(SettingsRecord, NothingIsReadPastTheRecordsSize) {
    // An 8-bit version-2 record of 316 bytes whose 260-byte name has no terminator.
    Bytes v2 = HostRecord(2);
    Put32(v2, 0, 316);
    std::memset(&v2[56], 'x', kVersion2NameBytes);
    Bytes upgraded = Upgrade(v2);
    ASSERT_FALSE(upgraded.empty());
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(259, 'x'));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"File name of 260 characters cut to 259\n"}));

    Put32(v2, 0, 200);
    upgraded = Upgrade(v2);
    ASSERT_FALSE(upgraded.empty());
    settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(144, 'x'));

    // A record that ends inside the kept head: the bytes past its Size read as zero.
    Bytes shortV2 = HostRecord(2);
    Put32(shortV2, 0, 40);
    std::memset(&shortV2[20], 0x5A, kObjectSettingsSize - 20);
    Bytes expected(kObjectSettingsSize, 0);
    std::memcpy(&expected[0], &shortV2[0], 40);
    Put32(expected, 0, 576);
    Put32(expected, 8, 2);
    EXPECT_EQ(Upgrade(shortV2), expected);

    // Version 1 of 100 bytes: a 74-byte name, and no native size, rectangle or aspect ratio.
    Bytes v1 = HostRecord(1);
    Put32(v1, 0, 100);
    std::memset(&v1[26], 'n', 130);
    std::memset(&v1[156], 0x5A, 28);
    upgraded = Upgrade(v1);
    ASSERT_FALSE(upgraded.empty());
    settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(74, 'n'));
    EXPECT_EQ(Bytes(upgraded.begin() + 28, upgraded.begin() + 56), Bytes(28, 0));

    // A Size that does not even cover the Version: the record is used as stored.
    for (DWORD size : {0u, 11u}) {
        Bytes tiny = HostRecord(1);
        Put32(tiny, 0, size);
        EXPECT_TRUE(Upgrade(tiny).empty()) << size;
    }
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksAtStart);
}

TEST_F(SettingsRecord, CutNeverSplitsASurrogatePair) {
    Bytes old = HostRecord(2);
    // 258 letters and one character outside the basic plane (two units): 260 units in all.
    PutText(old, 56, std::string(258, 'a') + "\xf0\x9f\x98\x80" + '\0');
    host.SetCodePage(CP_UTF8);
    Bytes upgraded = Upgrade(old);
    ASSERT_FALSE(upgraded.empty());
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(Utf8(settings->FileName), std::string(258, 'a'));
    EXPECT_EQ(settings->FileName[258], 0);
}

TEST_F(SettingsRecord, UnknownCodePageFallsBackToAnsi) {
    Bytes old = HostRecord(2);
    PutText(old, 56, std::string("clip\xe9.avi") + '\0');
    host.SetCodePage(932);
    Bytes upgraded = Upgrade(old);
    ASSERT_FALSE(upgraded.empty());
    const ObjectSettings* settings = reinterpret_cast<const ObjectSettings*>(upgraded.data());
    EXPECT_EQ(U16(settings->FileName), u"clip\u00e9.avi");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "Code page 932 not usable (error 87), file name read as ANSI\n"}));
}

TEST_F(SettingsRecord, NoMemoryForTheUpgrade) {
    Bytes old = HostRecord(1);
    standin::InjectFault("GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(UpdateEditStructure(host.Record(), old.data()), nullptr);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"No memory to upgrade a version 1 record\n"}));
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksAtStart);
}

} // namespace
