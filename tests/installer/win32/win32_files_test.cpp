// The installer's Win32 file services under Wine: LZ expansion, its failures and its sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/win32/utf16.h"
#include "installer/install_flow.h"
#include "installer/win32/win32_files.h"

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
        for (const std::string& name :
             {std::string("\\QLV3906.EXE"), std::string("\\plain.txt"), std::string("\\copy.txt"),
              std::string("\\CUT.EX_"), "\\" + Kanji() + "\\QLV3906.EXE", "\\" + Kanji()}) {
            files.Delete(work + name);
            files.RemoveFolder(work + name);
        }
        files.RemoveFolder(work);
    }
    static std::string Kanji() {
        std::string k;
        for (int i = 0; i < 87; ++i) k += "漢";
        return k;
    }
    Win32Files files;
    std::string work, packed;
};

TEST_F(Win32FilesTest, CompressedFileExpandsUnderItsStoredName) {
    const auto expanded = files.ExpandedName(packed);
    ASSERT_TRUE(expanded);
    EXPECT_EQ(expanded->substr(expanded->size() - 11), "QLV3906.EXE");
    const std::string program = ReadAll(std::string(VX_QLV3906_EXE));
    EXPECT_EQ(files.Expand(packed, work + "\\QLV3906.EXE"),
              static_cast<std::int64_t>(program.size()));
    EXPECT_TRUE(ReadAll(work + "\\QLV3906.EXE") == program);  // no dump of the bytes
    EXPECT_EQ(ExpandedSizeFromHeader(files.ReadHead(packed, 14)), program.size());

    // A plain file keeps its name and is copied unchanged.
    std::ofstream(vx::win32::Widen(work + "\\plain.txt").c_str(), std::ios::binary) << "plain";
    EXPECT_EQ(files.ExpandedName(work + "\\plain.txt"), work + "\\plain.txt");
    EXPECT_EQ(files.Expand(work + "\\plain.txt", work + "\\copy.txt"), 5);
    EXPECT_EQ(ReadAll(work + "\\copy.txt"), "plain");
}

TEST_F(Win32FilesTest, ExpansionThatCannotWriteItsTargetFails) {
    // A target in a folder that does not exist: whatever the LZ layer makes of it,
    // nothing counts but the requested file.
    EXPECT_LT(files.Expand(packed, work + "\\missing\\QLV3906.EXE"), 0);
    EXPECT_FALSE(files.Exists(work + "\\missing\\QLV3906.EXE"));
    EXPECT_LT(files.Expand(work + "\\absent.EX_", work + "\\QLV3906.EXE"), 0);
    EXPECT_FALSE(files.ExpandedName(work + "\\absent.EX_"));

    // A target that is a folder: the LZ layer may create "QLV3906.EX_" instead and
    // report success; that is a failure, and the substitute does not stay.
    ASSERT_EQ(files.CreateFolder(work + "\\QLV3906.EXE"), FolderResult::Created);
    EXPECT_LT(files.Expand(packed, work + "\\QLV3906.EXE"), 0);
    EXPECT_FALSE(files.Exists(work + "\\QLV3906.EX_"));
    files.RemoveFolder(work + "\\QLV3906.EXE");
}

TEST_F(Win32FilesTest, ExpandedSizeShowsACutFileAndALongTargetIsWritten) {
    // Cut to 2000 bytes: the LZ layer writes what it can and may report it as done; only
    // the header's size tells.
    const std::string cut = work + "\\CUT.EX_";
    const std::string head = ReadAll(packed).substr(0, 2000);
    std::ofstream(vx::win32::Widen(cut).c_str(), std::ios::binary) << head;
    const auto recorded = ExpandedSizeFromHeader(files.ReadHead(cut, 14));
    ASSERT_TRUE(recorded);
    EXPECT_NE(files.Expand(cut, work + "\\QLV3906.EXE"), static_cast<std::int64_t>(*recorded));

    // A destination of 87 kanji: more than the 127 bytes of OpenFile's path in code page
    // 932, well within MAX_PATH.
    const std::string folder = work + "\\" + Kanji();
    ASSERT_EQ(files.CreateFolder(folder), FolderResult::Created);
    EXPECT_EQ(files.Expand(packed, folder + "\\QLV3906.EXE"), static_cast<std::int64_t>(*recorded));
    EXPECT_TRUE(ReadAll(folder + "\\QLV3906.EXE") == ReadAll(std::string(VX_QLV3906_EXE)));
}

TEST_F(Win32FilesTest, FolderCreationTellsMissingParentsApart) {
    EXPECT_EQ(files.CreateFolder(work), FolderResult::AlreadyThere);
    EXPECT_EQ(files.CreateFolder(work + "\\a\\b"), FolderResult::PathNotFound);
    EXPECT_TRUE(files.DriveRootExists("C:\\"));
    EXPECT_FALSE(files.DriveRootExists("Q:\\"));
}

}  // namespace
}  // namespace vx::inst::win32
