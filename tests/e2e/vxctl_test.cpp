// vxctl.exe beside the settings program, under Wine: it lists the printers the
// program's list shows, sends to the prefix's printer through the spooler, and
// settings files go both ways between it and the program's pages.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/settings_table.h"
#include "common/win32/utf16.h"
#include "harness/console.h"
#include "harness/paths.h"
#include "pages_fixture.h"

namespace vx::e2e {
namespace {

using cli::DisplayText;
using cli::Setting;
using cli::SettingKind;
using win32::Narrow;
using win32::Widen;

const wchar_t kPrintersKey[] = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";
const char kTemplatePrinter[] = "ZAM QX-K480/330(168)";  // on "LPT1:"

std::wstring VxctlPath() { return WindowsPathOf(VX_VXCTL_EXE); }

testing::AssertionResult Vxctl(const std::wstring& arguments, ConsoleRun* run) {
    return RunConsole(VxctlPath(), arguments, kStartTimeout, run);
}

// A printer in the prefix's registry.
bool AddPrinter(const std::wstring& name, const std::wstring& driver, const std::wstring& port) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kPrintersKey + name).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    auto text = [&](const wchar_t* value, const std::wstring& data) {
        ok = ok && RegSetValueExW(
                       key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    };
    text(L"Name", name);
    text(L"Port", port);
    text(L"Printer Driver", driver);
    text(L"Print Processor", L"winprint");
    text(L"Datatype", L"RAW");
    const DWORD attributes = 0x40;
    RegSetValueExW(key, L"Attributes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&attributes),
                   sizeof attributes);
    RegCloseKey(key);
    return ok;
}

// The rows of another process's list view, "name<TAB>destination" each: the item texts are
// fetched into a buffer placed in that process.
testing::AssertionResult ListRows(HWND list, std::vector<std::string>* rows) {
    rows->clear();
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return testing::AssertionFailure() << "OpenProcess: " << GetLastError();
    constexpr int kChars = 260;
    const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    testing::AssertionResult result = testing::AssertionSuccess();
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; remote && row < count && result; ++row) {
        std::string line;
        for (int column = 0; column < 2; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kChars;
            item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
            std::wstring text(kChars, L'\0');
            SIZE_T moved = 0;
            if (!WriteProcessMemory(process, remote, &item, sizeof item, &moved) ||
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(remote)) < 0 ||
                !ReadProcessMemory(process, remote + sizeof(LVITEMW), text.data(),
                                   kChars * sizeof(wchar_t), &moved)) {
                result = testing::AssertionFailure() << "cannot read row " << row;
                break;
            }
            text.resize(wcslen(text.c_str()));
            line += (column ? "\t" : "") + Narrow(text);
        }
        rows->push_back(line);
    }
    if (!remote) result = testing::AssertionFailure() << "VirtualAllocEx: " << GetLastError();
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// "key" -> "value" of every setting in `vxctl show --json`, one setting a line.
std::map<std::string, std::string> ShownByVxctl(const std::string& json) {
    auto field = [](const std::string& line, const std::string& name) {
        const std::string tag = "\"" + name + "\":\"";
        const std::size_t at = line.find(tag);
        if (at == std::string::npos) return std::string();
        const std::size_t begin = at + tag.size();
        return line.substr(begin, line.find('"', begin) - begin);
    };
    std::map<std::string, std::string> values;
    for (const std::string& line : Lines(json))
        if (line.rfind("{\"key\":", 0) == 0) values[field(line, "key")] = field(line, "value");
    return values;
}

// The settings program with its five pages, started with a command line of our choosing.
struct VxctlWindows : PagesWindow {
    void SetUp() override {}

    void Start(const std::wstring& arguments) {
        ASSERT_TRUE(StartQlv3906({L"", arguments}, &app, &main));
        ASSERT_TRUE(PollUntil(kStartTimeout, [&] { return FindPages(); }))
            << "the five pages never all existed; windows: " << DescribeWindows(app.Pid());
        AnswerUntilQuiet();  // the start-up notices, and the message of a loaded file
    }

    // What the pages show for every setting, read from their controls: the text of the
    // checked button of a pair, a check box as vxctl writes it, a list's or box's text.
    std::map<std::string, std::string> ShownByPages() {
        std::map<std::string, std::string> shown;
        for (const Setting& s : cli::Settings()) {
            if (s.page < 0) continue;
            HWND page = pages[s.page];
            std::string value;
            switch (s.kind) {
                case SettingKind::DigitPair:
                case SettingKind::Switch:
                    value = "-";
                    for (int id : s.controls)
                        if (SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
                            value = DisplayText(Narrow(ControlText(GetDlgItem(page, id))));
                    break;
                case SettingKind::CheckBox:
                    value = SendMessageW(GetDlgItem(page, s.controls[0]), BM_GETCHECK, 0, 0) ==
                                    BST_CHECKED
                                ? "[x]"
                                : "[ ]";
                    break;
                default:
                    value = Narrow(ControlText(GetDlgItem(page, s.controls[0])));
                    break;
            }
            shown[s.key] = value;
        }
        return shown;
    }

    // The save command into `path`, through the save-as dialog.
    void SaveAs(const std::wstring& path) {
        PostMessageW(main, WM_COMMAND, IDM_SAVE_SETTINGS, 0);
        HWND dialog = WaitForSaveDialog(app, main);
        ASSERT_TRUE(dialog != nullptr) << DescribeWindows(app.Pid());
        SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ASSERT_TRUE(ClickButton(dialog, IDOK));
        ASSERT_TRUE(PollUntil(kReactTimeout, [&] { return ReadFileBytes(path).size() == 46; }))
            << "the program saved no settings file";
    }
};

TEST_F(VxctlWindows, PrintersListsWhatTheProgramsListShowsAndSendWritesTheSpoolFile) {
    // Printers of the model on "FILE:" around the template's one (one name in lower case, so
    // that the order is the list's own), and one of another driver.
    ASSERT_TRUE(AddPrinter(L"aa FILE", L"ZAM QX-K480/330(160)", L"FILE:"));
    ASSERT_TRUE(AddPrinter(L"ZZ FILE", L"ZAM QX-K480/330(168)", L"FILE:"));
    ASSERT_TRUE(AddPrinter(L"Another", L"Another driver", L"LPT1:"));

    ConsoleRun run;
    ASSERT_TRUE(Vxctl(L"printers", &run));
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    ASSERT_TRUE(StartQlv3906({}, &app, &main));
    HWND list = nullptr;
    ASSERT_TRUE(WaitForDialog(app.Pid(), L"プリンタの選択", kReactTimeout, &list));
    std::vector<std::string> rows;
    ASSERT_TRUE(ListRows(GetDlgItem(list, IDC_PRINTER_LIST), &rows));
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(Lines(run.out), rows);
    app.Terminate();

    const std::wstring file = TestIoPath(L"push.dat");
    ASSERT_TRUE(Vxctl(L"set " + file + L" country=uk slash-zero=on page-length=40", &run));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    ASSERT_TRUE(Vxctl(L"send " + file +
                          L" --printer \"ZAM QX-K480/330(168)\" --printer \"ZZ FILE\"" +
                          L" --printer Another",
                      &run));
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{
                  std::string(kTemplatePrinter) + ": プリンタに設定値を送信しました。",
                  "ZZ FILE: 接続先がFILEのため設定値を送信できません。",
                  "Another: この名前の QX-K480/330 のプリンタはありません。"}));
    const std::vector<std::uint8_t> saved = ReadFileBytes(file);
    ASSERT_EQ(saved.size(), 46u);
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"spool-lpt.bin")),
              std::vector<std::uint8_t>(saved.begin() + 17, saved.end()));

    ASSERT_TRUE(Vxctl(L"--lang en print-settings --printer \"ZAM QX-K480/330(168)\"", &run));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, std::string(kTemplatePrinter) +
                           ": the printer was told to print its current settings.\n");
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"spool-lpt.bin")),
              (std::vector<std::uint8_t>{0x1C, 0x6F, 0x32, 0x2E}));
}

TEST_F(VxctlWindows, AFileSavedByTheProgramShowsInVxctlAsOnItsPages) {
    Start(L"");
    // A few changes on the pages: SW2-5 off, Sweden, outline font off, 72 lines.
    SendMessageW(GetDlgItem(pages[2], IDC_MSW2_SW5_DISABLED), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(pages[0], IDC_SEL_OUTLINE_OFF), BM_CLICK, 0, 0);
    HWND country = GetDlgItem(pages[1], IDC_MSW1_COUNTRY);
    SendMessageW(country, CB_SETCURSEL, 4, 0);
    SendMessageW(pages[1], WM_COMMAND, MAKEWPARAM(IDC_MSW1_COUNTRY, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(country));
    SendMessageW(GetDlgItem(pages[0], IDC_SEL_PAGE_LENGTH), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"72"));
    const std::wstring file = TestIoPath(L"saved.dat");
    SaveAs(file);

    const std::map<std::string, std::string> pagesShow = ShownByPages();
    EXPECT_EQ(pagesShow.at("country"), "スウェーデン");
    EXPECT_EQ(pagesShow.at("host-density"), "無効");
    ConsoleRun run;
    ASSERT_TRUE(Vxctl(L"--lang ja show " + file + L" --json", &run));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    std::map<std::string, std::string> vxctlShows = ShownByVxctl(run.out);
    vxctlShows.erase("sw1-4");
    vxctlShows.erase("sw2-2");
    EXPECT_EQ(vxctlShows, pagesShow);

    // Against the factory settings exactly the four changes differ.
    ASSERT_TRUE(Vxctl(L"set " + TestIoPath(L"factory.dat"), &run));
    ASSERT_TRUE(Vxctl(L"diff " + TestIoPath(L"factory.dat") + L" " + file, &run));
    EXPECT_EQ(run.exitCode, 1u);
    std::vector<std::string> keys;
    for (const std::string& line : Lines(run.out)) keys.push_back(line.substr(0, line.find(' ')));
    EXPECT_EQ(keys,
              (std::vector<std::string>{"outline-font", "page-length", "country", "host-density"}));
}

TEST_F(VxctlWindows, AFileWrittenByVxctlLoadsInTheProgramWithItsValuesOnItsPages) {
    const std::wstring file = TestIoPath(L"set.dat");
    ConsoleRun run;
    ASSERT_TRUE(Vxctl(L"set " + file +
                          L" country=germany speed=240lpm density=density2 print-mode=高速"
                          L" font1=courier font2=OCR-B kanji-code=jis1990 page-length=12"
                          L" typeface=gothic outline-font=off buzzer=enabled slash-zero=on"
                          L" driver=160 port=parallel barcode=shinjosho auto-newline=cr-only"
                          L" slash-zero-2byte=on jam-recovery=platen",
                      &run));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    ASSERT_TRUE(Vxctl(L"--lang ja show " + file + L" --json", &run));
    std::map<std::string, std::string> vxctlShows = ShownByVxctl(run.out);
    EXPECT_EQ(vxctlShows.at("print-mode"), "高速");
    EXPECT_EQ(vxctlShows.at("driver"), "QX-K480/330(160)");

    Start(file);
    const std::map<std::string, std::string> pagesShow = ShownByPages();
    // The ASCII names chose the items the pages show.
    EXPECT_EQ(pagesShow.at("country"), "ドイツ");
    EXPECT_EQ(pagesShow.at("speed"), "２４０LPM");
    EXPECT_EQ(pagesShow.at("density"), "濃度2");
    EXPECT_EQ(pagesShow.at("font1"), "クーリエ");
    EXPECT_EQ(pagesShow.at("jam-recovery"), "プラテン開閉");
    vxctlShows.erase("sw1-4");
    vxctlShows.erase("sw2-2");
    EXPECT_EQ(pagesShow, vxctlShows);

    // Saved again by the program, the file is the same to the byte.
    const std::wstring resaved = TestIoPath(L"resaved.dat");
    SaveAs(resaved);
    EXPECT_EQ(ReadFileBytes(resaved), ReadFileBytes(file));
    ASSERT_TRUE(Vxctl(L"diff " + file + L" " + resaved, &run));
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_EQ(run.out, "");
}

// vxctl's file writing on Windows, without the settings program: a file keeps what it is,
// a read-only one is refused, "-" is the standard output, and concurrent edits all land.
TEST(VxctlFiles, SetWritesIntoTheFileAndEditsOneAtATime) {
    const std::wstring file = TestIoPath(L"kept.dat");
    ConsoleRun run;
    ASSERT_TRUE(Vxctl(L"set " + file + L" buzzer=enabled", &run));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    ASSERT_TRUE(Vxctl(L"set " + file + L" country=uk", &run));
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "attributes lost";

    // Read-only: refused by name, nothing written, no temporary file left.
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::uint8_t> before = ReadFileBytes(file);
    ASSERT_TRUE(Vxctl(L"--lang en set " + file + L" buzzer=disabled", &run));
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.err, "vxctl: " + Narrow(file) + ": the file is read-only; nothing was written\n");
    EXPECT_EQ(ReadFileBytes(file), before);
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));

    ASSERT_TRUE(Vxctl(L"job " + file + L" -o -", &run));
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out.size(), 29u);

    // Four runs at once, each changing one setting: every change is in the file.
    std::vector<PROCESS_INFORMATION> runs;
    for (const wchar_t* change :
         {L"page-length=12", L"density=density2", L"port=parallel", L"auto-eject=yes"}) {
        std::wstring line = L"\"" + VxctlPath() + L"\" set " + file + L" " + change;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                   nullptr, nullptr, &startup, &process))
            << GetLastError();
        runs.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : runs) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, static_cast<DWORD>(kStartTimeout.count())),
                  WAIT_OBJECT_0)
            << "a concurrent set did not end";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    ASSERT_TRUE(Vxctl(L"--lang en show " + file + L" --json", &run));
    const std::map<std::string, std::string> shown = ShownByVxctl(run.out);
    EXPECT_EQ(shown.at("country"), "UK");
    EXPECT_EQ(shown.at("buzzer"), "Enabled");
    EXPECT_EQ(shown.at("page-length"), "12");
    EXPECT_EQ(shown.at("density"), "Density 2");
    EXPECT_EQ(shown.at("port"), "Parallel");
    EXPECT_EQ(shown.at("auto-eject"), "Yes");
}

}  // namespace
}  // namespace vx::e2e
