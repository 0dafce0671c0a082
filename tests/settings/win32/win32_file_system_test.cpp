// Settings files through the real file API: sharing, no truncation, access denied,
// names outside the ANSI code page.
#include "settings/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/win32/utf16.h"
#include "settings/settings_file.h"
#include "tests/settings/blocks.h"

namespace vx::win32 {
namespace {

class Win32FileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::wstring(tmp) + L"vx-fs-" + Widen(info->name());
        CreateDirectoryW(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& f : created_) {
            SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(f.c_str());
        }
        RemoveDirectoryW(dir_.c_str());
    }

    std::wstring PathOf(const std::wstring& name) {
        created_.push_back(dir_ + L"\\" + name);
        return created_.back();
    }

    static std::vector<std::uint8_t> Contents(const std::wstring& path) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr);
        std::vector<std::uint8_t> out(4096);
        DWORD n = 0;
        if (h == INVALID_HANDLE_VALUE) return {};
        ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
        CloseHandle(h);
        out.resize(n);
        return out;
    }

    static void Put(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    }

    Win32FileSystem fs_;
    std::wstring dir_;
    std::vector<std::wstring> created_;
};

SwitchBlock Sample() { return test::DefaultsWith(4, 1, 88); }

TEST_F(Win32FileSystemTest, SaveAndLoadRoundTripUnderAJapaneseName) {
    const std::wstring path = PathOf(L"設定ファイル.dat");
    ASSERT_EQ(WriteSettingsFile(fs_, Narrow(path), Sample()), SaveResult::Saved);
    const std::vector<std::uint8_t> bytes = Contents(path);
    ASSERT_EQ(bytes.size(), kSettingsFileSize);
    EXPECT_TRUE(std::equal(kSettingsFileHeader.begin(), kSettingsFileHeader.end(), bytes.begin()));
    const SwitchBlock sample = Sample();
    EXPECT_TRUE(std::equal(sample.bytes.begin(), sample.bytes.end(), bytes.begin() + 17));

    SwitchBlock loaded = FactoryDefaults;
    EXPECT_EQ(ReadSettingsFile(fs_, Narrow(path), loaded), LoadResult::Loaded);
    EXPECT_EQ(loaded, Sample());
}

TEST_F(Win32FileSystemTest, SavingOverALongerFileKeepsItsTail) {
    const std::wstring path = PathOf(L"long.dat");
    Put(path, std::vector<std::uint8_t>(80, 0x5A));
    ASSERT_EQ(WriteSettingsFile(fs_, Narrow(path), Sample()), SaveResult::Saved);
    const std::vector<std::uint8_t> bytes = Contents(path);
    ASSERT_EQ(bytes.size(), 80u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 46, bytes.end()),
              std::vector<std::uint8_t>(34, 0x5A));
}

TEST_F(Win32FileSystemTest, OpenFailuresTellAccessDeniedApart) {
    // A folder cannot be opened as a file: the system says access denied.
    EXPECT_EQ(WriteSettingsFile(fs_, Narrow(dir_), Sample()), SaveResult::AccessDenied);

    // A file another program holds without sharing is some other failure.
    const std::wstring path = PathOf(L"locked.dat");
    Put(path, {1, 2, 3});
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteSettingsFile(fs_, Narrow(path), Sample()), SaveResult::Failed);
    CloseHandle(lock);
    EXPECT_EQ(Contents(path), (std::vector<std::uint8_t>{1, 2, 3}));

    SwitchBlock b = FactoryDefaults;
    EXPECT_EQ(ReadSettingsFile(fs_, Narrow(dir_ + L"\\none.dat"), b), LoadResult::NotSettingsFile);
    EXPECT_EQ(ReadSettingsFile(fs_, Narrow(path), b), LoadResult::NotSettingsFile);
    EXPECT_EQ(b, FactoryDefaults);
}

TEST_F(Win32FileSystemTest, OthersMayReadWhileTheFileIsOpen) {
    const std::wstring path = PathOf(L"shared.dat");
    OpenError error = OpenError::Other;
    std::unique_ptr<File> writer = fs_.OpenForUpdate(Narrow(path), error);
    ASSERT_TRUE(writer);
    EXPECT_EQ(error, OpenError::None);
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "others may read";
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    HANDLE other = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE) << "writers are kept out";
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
}

TEST_F(Win32FileSystemTest, FolderWritableProbeLeavesNothingBehind) {
    EXPECT_TRUE(fs_.CanCreateFileIn(Narrow(dir_)));
    EXPECT_TRUE(fs_.CanCreateFileIn(Narrow(dir_ + L"\\")));
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir_ + L"\\*.tmp").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "probe file left: " << Narrow(data.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    EXPECT_FALSE(fs_.CanCreateFileIn(Narrow(dir_ + L"\\missing")));

    const std::string documents = fs_.DocumentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(documents.back(), '\\');
    EXPECT_NE(GetFileAttributesW(Widen(documents).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vx::win32
