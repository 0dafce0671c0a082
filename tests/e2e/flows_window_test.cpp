// Settings files and the printer, seen from outside: the raw jobs that reach
// the spool file, a settings file written and read back, the messages of a
// wrong file, of a machine without the model's printer and of a receive that
// finds the printer not ready.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "harness/paths.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {
namespace {

const wchar_t kPrintersKey[] = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";
const wchar_t kTemplatePrinter[] = L"ZAM QX-K480/330(168)";  // on "LPT1:"

// The factory settings with SW2-5 on: what the send writes after the click below.
const std::vector<std::uint8_t> kChangedBlock = {
    0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x01, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x00,
    0x2C, 0x31, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x36, 0x36, 0x2C, 0x30, 0x2E};
const std::string kHeader("ZAM QX-K480/330\n", 16);

bool SetPrinterValue(const std::wstring& printer, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kPrintersKey + printer).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG r =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

// A second printer of the model, printing to "FILE:".
bool AddFilePrinter(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kPrintersKey + name).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD attributes = 0x40;
    RegSetValueExW(key, L"Attributes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&attributes),
                   sizeof attributes);
    RegCloseKey(key);
    return SetPrinterValue(name, L"Name", name) && SetPrinterValue(name, L"Port", L"FILE:") &&
           SetPrinterValue(name, L"Printer Driver", L"ZAM QX-K480/330(160)") &&
           SetPrinterValue(name, L"Print Processor", L"winprint") &&
           SetPrinterValue(name, L"Datatype", L"RAW");
}

// Waits for a message box of the program, checks its text and answers it.
testing::AssertionResult Answer(const Program& app, const std::wstring& text, int button = IDOK) {
    HWND box = nullptr;
    testing::AssertionResult found = WaitForMessageBox(app.Pid(), kReactTimeout, &box);
    if (!found) return found;
    const std::wstring shown = MessageBoxText(box);
    if (shown != text) {
        ClickButton(box, button);
        return testing::AssertionFailure() << "message box text differs";
    }
    testing::AssertionResult clicked = ClickButton(box, button);
    if (!clicked) return clicked;
    // This box goes; the next one may already be on its way.
    if (!PollUntil(kReactTimeout, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        return testing::AssertionFailure() << "the message box stayed";
    return testing::AssertionSuccess();
}

// Every scenario begins with the start-up printer selection, which the start-up worker of
// the main window runs; the suite is enabled (the prefix removed) once that worker exists.
struct FlowsWindow : testing::Test {
    Program app;
    HWND main = nullptr;

    // Starts the program under the NT family and answers the start-up questions: the list
    // (when more than one printer qualifies) and the notice that settings cannot be read.
    void StartNt(const std::wstring& arguments, bool list,
                 const std::wstring& exe = Qlv3906Path()) {
        ASSERT_TRUE(StartQlv3906({L"", arguments}, &app, &main, exe));
        if (list) {
            HWND dialog = nullptr;
            ASSERT_TRUE(WaitForDialog(app.Pid(), L"プリンタの選択", kReactTimeout, &dialog));
            ASSERT_TRUE(ClickButton(dialog, IDOK));  // the first row: the "LPT1:" printer
        }
    }
    void AnswerNtNotice() {
        ASSERT_TRUE(Answer(app,
                           L"Windows XP/2000/NT 4.0でご利用になる場合、"
                           L"設定値をプリンタから取得することはできません。"));
    }
    // The MSW2 page: control ids repeat between the pages, so it is found by the one control
    // that only it has.
    HWND Msw2Page() {
        for (HWND child = FindWindowExW(main, nullptr, kDialogClass, nullptr); child;
             child = FindWindowExW(main, child, kDialogClass, nullptr))
            if (GetDlgItem(child, IDC_MSW2_SW3_NATIVE)) return child;
        return nullptr;
    }
    void TurnSw25On() {
        HWND page = Msw2Page();
        ASSERT_NE(page, nullptr);
        SendMessageW(GetDlgItem(page, IDC_MSW2_SW5_DISABLED), BM_CLICK, 0, 0);
    }
    int Sw25Check() {
        return static_cast<int>(
            SendMessageW(GetDlgItem(Msw2Page(), IDC_MSW2_SW5_DISABLED), BM_GETCHECK, 0, 0));
    }
};

TEST_F(FlowsWindow, SendAndPrintWriteExactlyTheirBytes) {
    ASSERT_TRUE(AddFilePrinter(L"ZZ FILE"));
    StartNt(L"", true);
    AnswerNtNotice();
    std::wstring status;
    ASSERT_TRUE(ReadStatusBarText(FindChild(main, STATUSCLASSNAMEW), 0, &status));
    EXPECT_EQ(status, std::wstring(L"プリンタ名： ") + kTemplatePrinter);
    ASSERT_TRUE(ReadStatusBarText(FindChild(main, STATUSCLASSNAMEW), 1, &status));
    EXPECT_EQ(status, L"接続先： LPT1:");

    TurnSw25On();
    PostMessageW(main, WM_COMMAND, IDT_SEND_SETTINGS, 0);
    ASSERT_TRUE(Answer(app, L"プリンタに設定値を送信しました。"));
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"spool-lpt.bin")), kChangedBlock);
    EXPECT_EQ(IsToolbarButtonEnabled(FindChild(main, TOOLBARCLASSNAMEW), IDT_SEND_SETTINGS), false);

    PostMessageW(main, WM_COMMAND, IDT_PRINT_SETTINGS, 0);
    ASSERT_TRUE(Answer(app, L"プリンタの現在の設定値を印刷しました。"));
    EXPECT_EQ(ReadFileBytes(TestIoPath(L"spool-lpt.bin")),
              (std::vector<std::uint8_t>{0x1C, 0x6F, 0x32, 0x2E}));
}

// Saves the settings under `name` (a bare name saves into the dialog's first folder) and
// waits until `expectedPath` holds the 46 bytes.
testing::AssertionResult SaveAs(const Program& app, HWND main, const std::wstring& name,
                                const std::wstring& expectedPath) {
    PostMessageW(main, WM_COMMAND, IDM_SAVE_SETTINGS, 0);
    HWND dialog = WaitForSaveDialog(app, main);
    if (!dialog)
        return testing::AssertionFailure() << "no save-as dialog: " << DescribeWindows(app.Pid());
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (auto clicked = ClickButton(dialog, IDOK); !clicked) return clicked;
    if (!PollUntil(kReactTimeout, [&] { return ReadFileBytes(expectedPath).size() == 46; }))
        return testing::AssertionFailure()
               << "nothing saved in " << testing::PrintToString(expectedPath) << ": "
               << DescribeWindows(app.Pid());
    return testing::AssertionSuccess();
}

// A settings file saved under a path of 90 kanji (270 bytes of UTF-8, 90 UTF-16 units) loads
// back from the command line; a name too long for the dialog is refused with a message and
// the dialog comes back.
TEST_F(FlowsWindow, SavedFileLoadsBackFromTheCommandLine) {
    std::wstring kanji45;
    for (int i = 0; i < 45; ++i) kanji45 += L"漢";
    const std::wstring folder = TestIoPath(kanji45);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring path = folder + L"\\" + kanji45 + L".dat";

    StartNt(L"", false);
    AnswerNtNotice();
    TurnSw25On();
    PostMessageW(main, WM_COMMAND, IDM_SAVE_SETTINGS, 0);

    HWND dialog = WaitForSaveDialog(app, main);
    ASSERT_NE(dialog, nullptr) << DescribeWindows(app.Pid());
    // 260 UTF-16 units: one more than MAX_PATH holds with its terminating zero. (Wine's
    // own dialog overruns its buffer a few units further on.)
    const std::wstring base = TestIoPath(L"");
    const std::wstring tooLong = base + std::wstring(260 - base.size() - 4, L'x') + L".dat";
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tooLong.c_str()));
    ASSERT_TRUE(ClickButton(dialog, IDOK));
    ASSERT_TRUE(Answer(app, L"設定ファイルの書き込みに失敗しました。"));

    dialog = WaitForSaveDialog(app, main);
    ASSERT_NE(dialog, nullptr) << "the dialog did not come back; " << DescribeWindows(app.Pid());
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_TRUE(ClickButton(dialog, IDOK));
    ASSERT_TRUE(PollUntil(kReactTimeout, [&] { return ReadFileBytes(path).size() == 46; }));

    std::vector<std::uint8_t> expected(kHeader.begin(), kHeader.end());
    expected.push_back(0x00);
    expected.insert(expected.end(), kChangedBlock.begin(), kChangedBlock.end());
    EXPECT_EQ(ReadFileBytes(path), expected);

    app.Terminate();
    StartNt(L"\"" + path + L"\"", false);
    ASSERT_TRUE(Answer(app, L"設定ファイル [" + kanji45 + L".dat] を読み込みました。"));
    AnswerNtNotice();
    EXPECT_EQ(Sw25Check(), BST_CHECKED);
}

// The file dialogs open in the program folder where a file can be made there, else in
// the user's Documents folder (drive S: is a read-only view of this build's program
// folder, made by run_in_prefix.sh).
TEST_F(FlowsWindow, FileDialogsOpenInTheProgramFolderOnlyWhereItCanBeWritten) {
    if (GetDriveTypeW(L"S:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "no read-only drive S: in this prefix (mounting needs the right to mount)";
    const std::wstring folder = L"C:\\Program Files\\Veltrix";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(Qlv3906Path().c_str(), (folder + L"\\QLV3906.EXE").c_str(), FALSE));
    StartNt(L"", false, folder + L"\\QLV3906.EXE");
    AnswerNtNotice();
    ASSERT_TRUE(SaveAs(app, main, L"here.dat", folder + L"\\here.dat"));
    app.Terminate();

    wchar_t documents[MAX_PATH] = L"";
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents),
              S_OK);
    StartNt(L"", false, L"S:\\QLV3906.EXE");
    AnswerNtNotice();
    ASSERT_TRUE(SaveAs(app, main, L"there.dat", std::wstring(documents) + L"\\there.dat"));
    EXPECT_EQ(GetFileAttributesW(L"S:\\there.dat"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FlowsWindow, AFileWithAWrongHeaderIsRejected) {
    std::vector<std::uint8_t> bad(kHeader.begin(), kHeader.end() - 1);
    bad.insert(bad.end(), {'\r', '\n'});  // CR LF in place of LF
    bad.insert(bad.end(), kChangedBlock.begin(), kChangedBlock.end());
    const std::wstring path = TestIoPath(L"bad.dat");
    ASSERT_TRUE(WriteFileBytes(path, bad));
    StartNt(path, false);
    ASSERT_TRUE(Answer(app, L"このファイルは有効な設定ファイルではありません。"));
    AnswerNtNotice();
    EXPECT_EQ(Sw25Check(), BST_UNCHECKED);
}

TEST_F(FlowsWindow, WithoutAPrinterOfTheModelTheProgramEndsWithCode1) {
    ASSERT_TRUE(SetPrinterValue(kTemplatePrinter, L"Printer Driver", L"Another driver"));
    ASSERT_TRUE(Program::Start(Qlv3906Path(), {}, &app));
    ASSERT_TRUE(Answer(app,
                       L"使用可能なプリンタがありませんでした。"
                       L"プリンタドライバを確認してからやり直してください。\n\n"
                       L"Veltrixを終了します。"));
    DWORD code = 0;
    ASSERT_TRUE(app.WaitForExit(kReactTimeout, &code));
    EXPECT_EQ(code, 1u);
}

TEST_F(FlowsWindow, ReceiveOn98ReachesTheDeviceIdCheck) {
    ASSERT_TRUE(StartQlv3906({L"win98", L""}, &app, &main));
    // Wine cannot answer the device-ID request, so the printer never counts as ready.
    ASSERT_TRUE(Answer(app,
                       L"現在プリンタが印刷中あるいは、エラーが発生しているため、"
                       L"設定値の取得はできません。"));
    EXPECT_EQ(IsToolbarButtonEnabled(FindChild(main, TOOLBARCLASSNAMEW), IDT_RECEIVE_SETTINGS),
              true);
}

}  // namespace
}  // namespace vx::e2e
