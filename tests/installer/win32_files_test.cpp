// The installer's Win32 file services under Wine: LZ expansion and its failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "installer/win32/win32_installer_platform.h"
#include "settings/win32/utf16.h"

namespace vx::inst::win32 {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(vx::win32::Widen(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Win32FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        work = vx::win32::Narrow(temp) + "vx-files-test";
        files.CreateFolder(work);
        // The medium's program: compressed, its last character stored in the header.
        packed = "Z:" + std::string(VX_MEDIUM_DIR) + "/DISK1/QLV3906.EX_";
        for (char& c : packed) c = c == '/' ? '\\' : c;
    }
    void TearDown() override {
        for (const char* name : {"\\QLV3906.EXE", "\\plain.txt", "\\copy.txt"}) {
            files.Delete(work + name);
        }
        files.RemoveFolder(work);
    }
    Win32Files files;
    std::string work, packed;
};

TEST_F(Win32FilesTest, CompressedFileExpandsUnderItsStoredName) {
    const std::string expanded = files.ExpandedName(packed);
    EXPECT_EQ(expanded.substr(expanded.size() - 11), "QLV3906.EXE");
    ASSERT_TRUE(files.Expand(packed, work + "\\QLV3906.EXE"));
    EXPECT_EQ(ReadAll(work + "\\QLV3906.EXE"), ReadAll(std::string(VX_QLV3906_EXE)));

    // A plain file keeps its name and is copied unchanged.
    std::ofstream(vx::win32::Widen(work + "\\plain.txt").c_str(), std::ios::binary) << "plain";
    EXPECT_EQ(files.ExpandedName(work + "\\plain.txt"), work + "\\plain.txt");
    ASSERT_TRUE(files.Expand(work + "\\plain.txt", work + "\\copy.txt"));
    EXPECT_EQ(ReadAll(work + "\\copy.txt"), "plain");
}

TEST_F(Win32FilesTest, ExpansionThatCannotWriteItsTargetFails) {
    // A target in a folder that does not exist: whatever the LZ layer makes of it,
    // nothing counts but the requested file.
    EXPECT_FALSE(files.Expand(packed, work + "\\missing\\QLV3906.EXE"));
    EXPECT_FALSE(files.Exists(work + "\\missing\\QLV3906.EXE"));
    EXPECT_FALSE(files.Expand(work + "\\absent.EX_", work + "\\QLV3906.EXE"));

    // A target that is a folder: the LZ layer may create "QLV3906.EX_" instead and
    // report success; that is a failure, and the substitute does not stay.
    ASSERT_EQ(files.CreateFolder(work + "\\QLV3906.EXE"), FolderResult::Created);
    EXPECT_FALSE(files.Expand(packed, work + "\\QLV3906.EXE"));
    EXPECT_FALSE(files.Exists(work + "\\QLV3906.EX_"));
    files.RemoveFolder(work + "\\QLV3906.EXE");
}

TEST_F(Win32FilesTest, FolderCreationTellsMissingParentsApart) {
    EXPECT_EQ(files.CreateFolder(work), FolderResult::AlreadyThere);
    EXPECT_EQ(files.CreateFolder(work + "\\a\\b"), FolderResult::PathNotFound);
    EXPECT_TRUE(files.DriveRootExists("C:\\"));
    EXPECT_FALSE(files.DriveRootExists("Q:\\"));
}

}  // namespace
}  // namespace vx::inst::win32
