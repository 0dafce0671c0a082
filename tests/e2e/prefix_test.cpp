// The test prefix itself: the printer of the model and the port "LPT1:" behave
// as the scenarios expect.
#include <windows.h>
#include <winspool.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "harness/paths.h"

namespace vx::e2e {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kSettingsRequest = {0x1C, 0x6F, 0x33, 0x2E, 0x00};

TEST(TestPrefix, RunsUnderTheJapaneseLocale) {
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(GetOEMCP(), 932u);
    EXPECT_EQ(GetUserDefaultLCID(), 0x411u);
}

TEST(TestPrefix, PrinterOfTheModelSpoolsRawJobsIntoTheSpoolFile) {
    wchar_t name[] = L"ZAM QX-K480/330(168)";
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(name, &printer, nullptr)) << GetLastError();

    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    ASSERT_TRUE(GetPrinterW(printer, 2, info.data(), needed, &needed)) << GetLastError();
    const auto* pi2 = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
    EXPECT_STREQ(pi2->pDriverName, L"ZAM QX-K480/330(168)");
    EXPECT_STREQ(pi2->pPortName, L"LPT1:");

    // Bytes that a text filter would change: zero, CR, LF, 0xFF.
    const Bytes job = {0x1C, 'o', '0', 0x00, 0x0D, 0x0A, 0xFF, '.'};
    wchar_t docName[] = L"probe";
    wchar_t dataType[] = L"RAW";
    DOC_INFO_1W doc{docName, nullptr, dataType};
    ASSERT_NE(StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&doc)), 0u) << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WritePrinter(printer, const_cast<std::uint8_t*>(job.data()),
                             static_cast<DWORD>(job.size()), &written));
    EXPECT_EQ(written, job.size());
    EXPECT_TRUE(EndDocPrinter(printer));
    ClosePrinter(printer);

    EXPECT_EQ(ReadFileBytes(TestIoPath(L"spool-lpt.bin")), job);
}

// Writes the settings request to "LPT1:" and reads what comes back within one second.
Bytes AskPort(HANDLE port) {
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(port, kSettingsRequest.data(), 5, &n, nullptr));
    EXPECT_EQ(n, 5u);
    Bytes reply(29);
    n = 0;
    EXPECT_TRUE(ReadFile(port, reply.data(), 29, &n, nullptr));
    reply.resize(n);
    return reply;
}

TEST(TestPrefix, Lpt1AnswersTheSettingsRequestAsScripted) {
    HANDLE port = CreateFileW(L"LPT1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(port, INVALID_HANDLE_VALUE) << GetLastError();
    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(GetCommTimeouts(port, &timeouts));
    timeouts.ReadIntervalTimeout = 200;
    timeouts.ReadTotalTimeoutConstant = 1000;
    timeouts.WriteTotalTimeoutConstant = 1000;
    ASSERT_TRUE(SetCommTimeouts(port, &timeouts));

    // Unscripted, the port answers as a printer with factory settings.
    EXPECT_EQ(AskPort(port), (Bytes{0, 0, 66, 1, 0, 0, 1, 0, 0, 0, 0, 0}));

    const Bytes scripted = {1, 2, 5, 0, 1, 1, 0, 1, 0xA5, 0x0F, 0xF0, 0xFF};
    ASSERT_TRUE(WriteFileBytes(TestIoPath(L"lpt-reply.bin"), scripted));
    EXPECT_EQ(AskPort(port), scripted);

    // An empty script makes a silent printer: the read ends at the time-out.
    ASSERT_TRUE(WriteFileBytes(TestIoPath(L"lpt-reply.bin"), {}));
    EXPECT_EQ(AskPort(port), Bytes{});
    CloseHandle(port);

    Bytes all;
    for (int i = 0; i < 3; ++i)
        all.insert(all.end(), kSettingsRequest.begin(), kSettingsRequest.end());
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"lpt-received.bin")), all);
}

}  // namespace
}  // namespace vx::e2e
