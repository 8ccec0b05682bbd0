// The spooler restart: its order and wait through the seam, and the real service.
#include "settings/spooler.h"

#include "tests/support/recording_spooler.h"
#include "tests/support/spooler_service.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using testing_support::RecordingSpooler;
using testing_support::SpoolerState;
using testing_support::SpoolerStateAfterStart;

namespace {

void StopAndWaitUntilStopped() {
    spooler::StopSpooler();
    for (int i = 0; i < 50 && SpoolerState() != SERVICE_STOPPED; ++i) Sleep(100);
}

TEST(SpoolerTest, RestartStopsWaitsThenStarts) {
    for (DWORD wait : {500u, 2000u, 3000u}) {
        RecordingSpooler recorder;
        spooler::RestartSpooler(wait);
        const std::vector<std::wstring> expected = {
            L"net stop spooler", L"wait " + std::to_wstring(wait), L"net start spooler"};
        EXPECT_EQ(recorder.events(), expected);
    }
}

TEST(SpoolerTest, StopAndStartRunOneCommandEach) {
    RecordingSpooler recorder;
    spooler::StopSpooler();
    spooler::StartSpooler();
    const std::vector<std::wstring> expected = {L"net stop spooler", L"net start spooler"};
    EXPECT_EQ(recorder.events(), expected);
}

TEST(SpoolerTest, TheRealServiceRunsAfterARestart) {
    spooler::StartSpooler();
    ASSERT_EQ(SpoolerStateAfterStart(), static_cast<DWORD>(SERVICE_RUNNING));
    spooler::RestartSpooler(200);
    EXPECT_EQ(SpoolerStateAfterStart(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST(SpoolerTest, TheRealServiceRunsAfterARestartWhenItWasStoppedBefore) {
    StopAndWaitUntilStopped();
    ASSERT_EQ(SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
    spooler::RestartSpooler(200);
    EXPECT_EQ(SpoolerStateAfterStart(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST(SpoolerTest, ANetCommandPlantedInTheCurrentDirectoryIsNotRun) {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring dir = std::wstring(temp) + L"planted-net";
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring marker = dir + L"\\ran.txt";
    DeleteFileW(marker.c_str());
    for (const wchar_t* planted : {L"\\net.bat", L"\\net.cmd"}) {
        FILE* f = _wfopen((dir + planted).c_str(), L"w");
        ASSERT_NE(f, nullptr);
        std::fprintf(f, "@echo planted > \"%ls\"\r\n", marker.c_str());
        std::fclose(f);
    }

    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    spooler::RestartSpooler(100);
    SetCurrentDirectoryW(previous);

    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted net ran";
    EXPECT_EQ(SpoolerStateAfterStart(), static_cast<DWORD>(SERVICE_RUNNING));
}

}  // namespace
