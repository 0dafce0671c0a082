#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/fakes/fake_file_system.h"

namespace vx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header() { return Bytes(kSettingsFileHeader.begin(), kSettingsFileHeader.end()); }

SwitchBlock Sample() {
    SwitchBlock b = FactoryDefaults;
    SetSwitchCode(b, 1, 1, 3, 5);
    SetPageLength(b, 12);
    b.bytes[3] = ';';  // a framing byte that differs from the defaults travels too
    return b;
}

Bytes FileOf(const SwitchBlock& b, Bytes tail = {}) {
    Bytes f = Header();
    f.insert(f.end(), b.bytes.begin(), b.bytes.end());
    f.insert(f.end(), tail.begin(), tail.end());
    return f;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    test::FakeFileSystem fs;
    SwitchBlock block = FactoryDefaults;

    LoadResult Load(const Bytes& content) {
        fs.files["C:\\s.dat"] = content;
        return ReadSettingsFile(fs, "C:\\s.dat", block);
    }
};

TEST_F(SettingsFileTest, HeaderIsTheModelLineAndItsZero) {
    const char text[] = "ZAM QX-K480/330\n";
    ASSERT_EQ(kSettingsHeaderSize, 17u);
    EXPECT_EQ(std::memcmp(kSettingsFileHeader.data(), text, 17), 0);  // 16 characters and the zero
}

TEST_F(SettingsFileTest, LoadsExactAndLongerFiles) {
    EXPECT_EQ(Load(FileOf(Sample())), LoadResult::Loaded);
    EXPECT_EQ(block, Sample());

    block = FactoryDefaults;
    EXPECT_EQ(Load(FileOf(Sample(), Bytes(500, 0xEE))), LoadResult::Loaded);
    EXPECT_EQ(block, Sample());
}

TEST_F(SettingsFileTest, EveryHeaderFaultIsRejectedAndKeepsTheBlock) {
    struct Case {
        const char* what;
        Bytes content;
    };
    auto withHeader = [](const char* h, std::size_t n) {
        Bytes f(h, h + n);
        const SwitchBlock b = Sample();
        f.insert(f.end(), b.bytes.begin(), b.bytes.end());
        return f;
    };
    const Bytes good = FileOf(Sample());
    const Case cases[] = {
        {"other model", withHeader("ZAM QX-K480/331\n", 17)},
        {"lower case", withHeader("zam QX-K480/330\n", 17)},
        {"CR LF", withHeader("ZAM QX-K480/330\r\n", 17)},
        {"no zero at 16", withHeader("ZAM QX-K480/330\nX", 17)},
        {"empty file", {}},
        {"shorter than the header", Bytes(good.begin(), good.begin() + 16)},
        {"header only", Header()},
        {"header and 28 bytes", Bytes(good.begin(), good.begin() + 45)},
    };
    for (const Case& c : cases) {
        block = FactoryDefaults;
        EXPECT_EQ(Load(c.content), LoadResult::NotSettingsFile) << c.what;
        EXPECT_EQ(block, FactoryDefaults) << c.what;
    }
}

TEST_F(SettingsFileTest, MissingOrUnreadableFileCountsAsNotASettingsFile) {
    EXPECT_EQ(ReadSettingsFile(fs, "C:\\missing.dat", block), LoadResult::NotSettingsFile);
    fs.failReads = true;
    EXPECT_EQ(Load(FileOf(Sample())), LoadResult::NotSettingsFile);
    EXPECT_EQ(block, FactoryDefaults);
}

TEST_F(SettingsFileTest, SaveWritesHeaderAndBlock) {
    EXPECT_EQ(WriteSettingsFile(fs, "C:\\new.dat", Sample()), SaveResult::Saved);
    EXPECT_EQ(fs.files["C:\\new.dat"], FileOf(Sample()));
}

TEST_F(SettingsFileTest, SaveOverALongerFileKeepsItsTailAndStillLoads) {
    Bytes old(100, 0xAB);
    fs.files["C:\\old.dat"] = old;
    ASSERT_EQ(WriteSettingsFile(fs, "C:\\old.dat", Sample()), SaveResult::Saved);
    const Bytes& now = fs.files["C:\\old.dat"];
    ASSERT_EQ(now.size(), 100u);
    EXPECT_EQ(Bytes(now.begin(), now.begin() + 46), FileOf(Sample()));
    EXPECT_EQ(Bytes(now.begin() + 46, now.end()), Bytes(54, 0xAB));
    EXPECT_EQ(ReadSettingsFile(fs, "C:\\old.dat", block), LoadResult::Loaded);
    EXPECT_EQ(block, Sample());
}

TEST_F(SettingsFileTest, SaveFailuresAreNeverReportedAsSaved) {
    fs.openForUpdateError = OpenError::AccessDenied;
    EXPECT_EQ(WriteSettingsFile(fs, "C:\\a.dat", Sample()), SaveResult::AccessDenied);
    fs.openForUpdateError = OpenError::Other;
    EXPECT_EQ(WriteSettingsFile(fs, "C:\\a.dat", Sample()), SaveResult::Failed);
    fs.openForUpdateError = OpenError::None;

    fs.failWrites = true;
    EXPECT_EQ(WriteSettingsFile(fs, "C:\\b.dat", Sample()), SaveResult::Failed);
    fs.failWrites = false;

    for (long limit : {0L, 10L, 17L, 45L}) {  // the disk fills during the header or the block
        fs.writeLimit = limit;
        EXPECT_EQ(WriteSettingsFile(fs, "C:\\c.dat", Sample()), SaveResult::Failed) << limit;
    }
    fs.writeLimit = 46;
    EXPECT_EQ(WriteSettingsFile(fs, "C:\\c.dat", Sample()), SaveResult::Saved);
}

TEST(BareFileName, TakesWhatFollowsTheLastBackslash) {
    EXPECT_EQ(BareFileName("C:\\Program Files\\VX\\設定.dat"), "設定.dat");
    EXPECT_EQ(BareFileName("relative.dat"), "relative.dat");
    EXPECT_EQ(BareFileName("C:\\dir\\"), "");
}

}  // namespace
}  // namespace vx
