// A network printer of the model on a Standard TCP/IP port, seen from outside: the
// simulator (run_in_prefix.sh --simulator) stands in for it at 127.0.0.2, with its raw
// port 9100 and its SNMP answer on port 161; the prefix's registry holds the port, and the
// template's printer prints to it.
#include <winsock2.h>

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "harness/console.h"
#include "harness/paths.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {
namespace {

const wchar_t kPrinterKey[] =
    L"System\\CurrentControlSet\\Control\\Print\\Printers\\ZAM QX-K480/330(168)";
const wchar_t kPortsKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";
const wchar_t kPort[] = L"IP_127.0.0.2";

// The factory settings with SW2-5 on, as the printer's set-settings command.
const std::vector<std::uint8_t> kChangedBlock = {
    0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x00,
    0x2C, 0x31, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x36, 0x36, 0x2C, 0x30, 0x2E};

// The raw port takes a job as the spooler would send it: one connection, the bytes, close.
testing::AssertionResult SendToRawPort(const std::vector<std::uint8_t>& bytes) {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return testing::AssertionFailure() << "WSAStartup";
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9100);
    to.sin_addr.s_addr = inet_addr("127.0.0.2");
    const bool sent = connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
                      send(s, reinterpret_cast<const char*>(bytes.data()),
                           static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
    shutdown(s, SD_SEND);
    char drain[16];
    while (sent && recv(s, drain, sizeof drain, 0) > 0) {
    }
    closesocket(s);
    WSACleanup();
    if (!sent) return testing::AssertionFailure() << "the simulator's raw port took no job";
    return testing::AssertionSuccess();
}

// Waits for a message box of the program, checks its text and answers OK.
testing::AssertionResult Answer(const Program& app, const std::wstring& text) {
    HWND box = nullptr;
    testing::AssertionResult found = WaitForMessageBox(app.Pid(), kStartTimeout, &box);
    if (!found) return found;
    const std::wstring shown = MessageBoxText(box);
    ClickButton(box, IDOK);
    if (shown != text)
        return testing::AssertionFailure() << "message box says " << testing::PrintToString(shown);
    return testing::AssertionSuccess();
}

struct NetworkPrinter : testing::Test {
    Program app;
    HWND main = nullptr;

    void SetUp() override {
        const std::vector<std::uint8_t> why = ReadFileBytes(TestIoPath(L"simulator-skip.txt"));
        if (!why.empty()) GTEST_SKIP() << std::string(why.begin(), why.end());
        const std::wstring port = std::wstring(kPortsKey) + kPort;
        ASSERT_TRUE(SetRegistryText(HKEY_LOCAL_MACHINE, port, L"HostName", L""));
        ASSERT_TRUE(SetRegistryText(HKEY_LOCAL_MACHINE, port, L"IPAddress", L"127.0.0.2"));
        ASSERT_TRUE(SetRegistryNumber(HKEY_LOCAL_MACHINE, port, L"PortNumber", 9100));
        ASSERT_TRUE(SetRegistryNumber(HKEY_LOCAL_MACHINE, port, L"Protocol", 1));
        ASSERT_TRUE(SetRegistryText(HKEY_LOCAL_MACHINE, kPrinterKey, L"Port", kPort));
    }
    std::wstring StatusPart(int part) {
        std::wstring text;
        ReadStatusBarText(FindChild(main, STATUSCLASSNAMEW), part, &text);
        return text;
    }
    HWND Msw2Page() {
        for (HWND child = FindWindowExW(main, nullptr, kDialogClass, nullptr); child;
             child = FindWindowExW(main, child, kDialogClass, nullptr))
            if (GetDlgItem(child, IDC_MSW2_SW3_NATIVE)) return child;
        return nullptr;
    }
};

TEST_F(NetworkPrinter, TheNtFamilyReadsItAtStartUpWithoutTheNotice) {
    ASSERT_TRUE(SendToRawPort(kChangedBlock));  // the printer now holds SW2-5 on
    ASSERT_TRUE(StartQlv3906({L"", L""}, &app, &main));
    // SNMP for the device ID, then the request and reply on the raw port.
    ASSERT_TRUE(Answer(app, L"プリンタから設定値を取得しました。"));
    ASSERT_TRUE(WaitForNoMessageBox(app.Pid(), kReactTimeout));
    EXPECT_EQ(StatusPart(1), std::wstring(L"接続先： ") + kPort);
    const std::wstring source = StatusPart(2);
    EXPECT_EQ(source.rfind(L"受信 (", 0), 0u) << testing::PrintToString(source);
    EXPECT_EQ(source.size(), std::wstring(L"受信 (14:05)").size());
    HWND page = Msw2Page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(page, IDC_MSW2_SW5_DISABLED), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    HWND toolbar = FindChild(main, TOOLBARCLASSNAMEW);
    EXPECT_EQ(IsToolbarButtonEnabled(toolbar, IDT_RECEIVE_SETTINGS), true);
    EXPECT_EQ(IsToolbarButtonEnabled(toolbar, IDT_SEND_SETTINGS), false);
}

// vxctl.exe finds the printer in the same list and reads it over the same port: the block it
// writes as a settings file is what the simulator holds.
TEST_F(NetworkPrinter, VxctlReceiveReadsTheSamePrinterByItsName) {
    ASSERT_TRUE(SendToRawPort(kChangedBlock));
    ConsoleRun run;
    const std::wstring vxctl = WindowsPathOf(VX_VXCTL_EXE);
    ASSERT_TRUE(RunConsole(vxctl,
                           L"receive --printer \"ZAM QX-K480/330(168)\" -o C:\\test-io\\got.dat",
                           kStartTimeout, &run));
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    std::vector<std::uint8_t> expected = {'Z', 'A', 'M', ' ', 'Q', 'X', '-',  'K', '4',
                                          '8', '0', '/', '3', '3', '0', '\n', 0};
    expected.insert(expected.end(), kChangedBlock.begin(), kChangedBlock.end());
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"got.dat")), expected);

    // Shown as `show` shows a file, the changed switch among the settings.
    ASSERT_TRUE(RunConsole(vxctl, L"receive --printer \"ZAM QX-K480/330(168)\" --json",
                           kStartTimeout, &run));
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(run.out.rfind("{\"printer\":\"ZAM QX-K480/330(168)\"", 0), 0u) << run.out;
}

}  // namespace
}  // namespace vx::e2e
