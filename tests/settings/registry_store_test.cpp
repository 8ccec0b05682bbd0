// The registry store over the real registry: the guarantees the deliverables rely on.
#include "settings/registry_store.h"

#include "settings/schema.h"
#include "tests/support/recording_store.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testing_support;

namespace {

const std::wstring kKeyW = schema::kLanguageMonitorKey.wide;
const char* const kKeyA = schema::kLanguageMonitorKey.ansi;

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRegistry(); }
    void TearDown() override { ResetRegistry(); }
};

TEST_F(RegistryStoreTest, NamesMatchWhateverTheirCaseAcrossBothForms) {
    PutString(kKeyW, L"EndOfDocKnifeCut", L"YES");

    store::Key wide =
        store::OpenForRead(L"system\\currentcontrolset\\control\\print\\monitors\\brimcotelm");
    ASSERT_TRUE(wide);
    wchar_t text[16];
    EXPECT_TRUE(store::ReadValue(wide, L"ENDOFDOCKNIFECUT", text, sizeof text).read());
    EXPECT_STREQ(text, L"YES");

    store::Key ansi = store::OpenForRead(kKeyA);
    ASSERT_TRUE(ansi);
    char bytes[16];
    EXPECT_TRUE(
        store::ReadValue(ansi, schema::kEndOfDocKnifeCutAsRead.ansi, bytes, sizeof bytes).read());
    EXPECT_STREQ(bytes, "YES");
}

TEST_F(RegistryStoreTest, TextWrittenInOneFormReadsBackInTheOther) {
    {
        store::Key key = store::OpenOrCreate(kKeyA);
        store::WriteStringIgnoringResult(key, "FromAnsi", "[ESC]<5>abc");
        store::Key wideKey = store::OpenOrCreate(kKeyW.c_str());
        store::WriteStringIgnoringResult(wideKey, L"FromWide", L"<0x1B>d3");
    }
    store::Key wide = store::OpenForRead(kKeyW.c_str());
    wchar_t wideText[32];
    const store::ReadResult w = store::ReadValue(wide, L"FromAnsi", wideText, sizeof wideText);
    ASSERT_TRUE(w.read());
    EXPECT_STREQ(wideText, L"[ESC]<5>abc");
    EXPECT_EQ(w.bytes, 12 * sizeof(wchar_t));

    store::Key ansi = store::OpenForRead(kKeyA);
    char ansiText[32];
    const store::ReadResult a = store::ReadValue(ansi, "FromWide", ansiText, sizeof ansiText);
    ASSERT_TRUE(a.read());
    EXPECT_STREQ(ansiText, "<0x1B>d3");
    EXPECT_EQ(a.bytes, 9u);
}

TEST_F(RegistryStoreTest, ABufferOneByteTooSmallFailsAndTheExactSizeSucceeds) {
    PutString(kKeyW, L"Word", L"ENABLE");  // 7 units with the terminator
    store::Key wide = store::OpenForRead(kKeyW.c_str());
    wchar_t wideText[7];
    EXPECT_EQ(store::ReadValue(wide, L"Word", wideText, 13).status, store::ReadStatus::kTooSmall);
    EXPECT_TRUE(store::ReadValue(wide, L"Word", wideText, 14).read());

    store::Key ansi = store::OpenForRead(kKeyA);
    char ansiText[7];
    EXPECT_EQ(store::ReadValue(ansi, "Word", ansiText, 6).status, store::ReadStatus::kTooSmall);
    EXPECT_TRUE(store::ReadValue(ansi, "Word", ansiText, 7).read());
}

TEST_F(RegistryStoreTest, ReadsTellAbsentFromOtherFailures) {
    CreateKey(kKeyW);
    store::Key key = store::OpenForRead(kKeyW.c_str());
    std::int32_t number = 0;
    EXPECT_EQ(store::ReadNumber(key, L"NotThere", &number).status, store::ReadStatus::kAbsent);
    EXPECT_EQ(store::ReadNumber(store::Key(), L"NotThere", &number).status,
              store::ReadStatus::kFailed);
}

TEST_F(RegistryStoreTest, AnEmptyStringIsToldApartFromAValueOfZeroBytes) {
    PutString(kKeyW, L"Empty", L"");
    PutRaw(kKeyW, L"NoData", REG_SZ, nullptr, 0);
    store::Key key = store::OpenForRead(kKeyW.c_str());
    wchar_t text[8];
    const store::ReadResult empty = store::ReadValue(key, L"Empty", text, sizeof text);
    const store::ReadResult noData = store::ReadValue(key, L"NoData", text, sizeof text);
    ASSERT_TRUE(empty.read());
    ASSERT_TRUE(noData.read());
    EXPECT_EQ(empty.bytes, 2u);
    EXPECT_EQ(noData.bytes, 0u);
}

TEST_F(RegistryStoreTest, AWriteReplacesTypeAndData) {
    PutString(kKeyW, L"Value", L"a much longer text than four bytes");
    {
        store::Key key = store::OpenForWrite(kKeyW.c_str());
        ASSERT_TRUE(key);
        store::WriteNumberIgnoringResult(key, L"Value", 7);
    }
    const auto stored = GetValue(kKeyW, L"Value");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->data.size(), 4u);
    EXPECT_EQ(GetNumber(kKeyW, L"Value"), 7);

    {
        store::Key key = store::OpenForWrite(kKeyA);
        store::WriteStringIgnoringResult(key, "Value", "NO");
    }
    EXPECT_EQ(GetValue(kKeyW, L"Value")->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(GetString(kKeyW, L"Value"), L"NO");
}

TEST_F(RegistryStoreTest, StringsAreWrittenWithOneTerminator) {
    {
        store::Key key = store::OpenOrCreate(kKeyW.c_str());
        store::WriteStringIgnoringResult(key, L"Wide", L"");
        store::WriteStringIgnoringResult(key, L"Wide2", L"YES");
        store::Key ansiKey = store::OpenOrCreate(kKeyA);
        store::WriteStringIgnoringResult(ansiKey, "Ansi", "YES");
    }
    EXPECT_EQ(GetValue(kKeyW, L"Wide")->data.size(), 2u);
    EXPECT_EQ(GetValue(kKeyW, L"Wide2")->data.size(), 8u);
    // Stored as UTF-16 whichever form wrote it.
    EXPECT_EQ(GetValue(kKeyW, L"Ansi")->data.size(), 8u);
}

TEST_F(RegistryStoreTest, DeletingAnAbsentValueIsHarmless) {
    PutString(kKeyW, L"Other", L"stays");
    {
        store::Key key = store::OpenForWrite(kKeyW.c_str());
        store::DeleteValueIgnoringResult(key, L"NotThere");
        store::DeleteValueIgnoringResult(key, "NotThereEither");
    }
    EXPECT_EQ(GetString(kKeyW, L"Other"), L"stays");
}

TEST_F(RegistryStoreTest, OpenForWriteNeedsTheKeyAndOpenOrCreateMakesMissingParents) {
    const std::wstring path = DriverDataPath(kTestPrinter);
    EXPECT_FALSE(store::OpenForWrite(path.c_str()));
    EXPECT_FALSE(store::OpenForRead(path.c_str()));
    EXPECT_TRUE(store::OpenOrCreate(path.c_str()));
    EXPECT_TRUE(KeyExists(path));
    EXPECT_TRUE(store::OpenForWrite(path.c_str()));
}

TEST_F(RegistryStoreTest, ANumberWithAllBitsSetReadsBackAsMinusOne) {
    PutNumber(kKeyW, L"AllBits", 0xFFFFFFFFu);
    store::Key key = store::OpenForRead(kKeyA);
    std::int32_t number = 0;
    ASSERT_TRUE(store::ReadNumber(key, "AllBits", &number).read());
    EXPECT_EQ(number, -1);
}

TEST_F(RegistryStoreTest, EveryKeyIsClosedThroughTheStoreThatOpenedIt) {
    CreateKey(kKeyW);
    RecordingStore recorder;
    {
        store::Key a = store::OpenForRead(kKeyW.c_str());
        store::Key b = store::OpenOrCreate(kKeyA);
        store::Key moved = std::move(a);
        EXPECT_FALSE(store::OpenForRead(L"SYSTEM\\NoSuchKeyAnywhere"));
    }
    EXPECT_EQ(recorder.successfulOpens(), 2);
    EXPECT_EQ(recorder.closes(), 2);
}

TEST_F(RegistryStoreTest, TheDecoratorFailsTheChosenCall) {
    CreateKey(kKeyW);
    RecordingStore recorder;
    recorder.Fail(StoreOp::kCreate, L"BrimcoteLM");
    recorder.Fail(StoreOp::kQuery, L"Secret", ERROR_ACCESS_DENIED);

    EXPECT_FALSE(store::OpenOrCreate(kKeyW.c_str()));
    store::Key key = store::OpenForRead(kKeyW.c_str());
    ASSERT_TRUE(key);
    char text[8];
    EXPECT_EQ(store::ReadValue(key, "Secret", text, sizeof text).status,
              store::ReadStatus::kFailed);
    EXPECT_EQ(recorder.CallsOf(StoreOp::kCreate).at(0).result, ERROR_ACCESS_DENIED);
}

}  // namespace
