#include "printer/raw_job.h"

#include <gtest/gtest.h>

#include "settings/switch_block.h"
#include "tests/printer/fake_spooler.h"

namespace vx {
namespace {

using test::FakeSpooler;

bool Send(FakeSpooler& spooler, PlatformFamily family) {
    return WriteRawJob(spooler, family, "QX", kSendJobName, FactoryDefaults.bytes.data(),
                       FactoryDefaults.bytes.size());
}

TEST(RawJobTest, TheJobHoldsExactlyTheBytesInOneWrite) {
    FakeSpooler spooler;
    ASSERT_TRUE(Send(spooler, PlatformFamily::Nt));
    ASSERT_TRUE(WriteRawJob(spooler, PlatformFamily::Nt, "QX", kPrintJobName,
                            kPrintSettingsCommand.data(), kPrintSettingsCommand.size()));
    ASSERT_EQ(spooler.jobs.size(), 2u);
    EXPECT_EQ(spooler.jobs[0].document, "Veltrix Status Write");
    EXPECT_EQ(spooler.jobs[0].bytes, std::vector<std::uint8_t>(FactoryDefaults.bytes.begin(),
                                                               FactoryDefaults.bytes.end()));
    EXPECT_EQ(spooler.jobs[1].document, "Veltrix Print Setting");
    EXPECT_EQ(spooler.jobs[1].bytes, (std::vector<std::uint8_t>{0x1C, 0x6F, 0x32, 0x2E}));
    const std::vector<std::string> oneJob = {
        "Open:QX", "StartDoc:Veltrix Print Setting", "Reset", "Write", "EndDoc", "Close"};
    EXPECT_EQ(std::vector<std::string>(spooler.calls.begin() + 6, spooler.calls.end()), oneJob);
}

TEST(RawJobTest, TheFamiliesOpenAndCheckThePrinterDifferently) {
    FakeSpooler nt;
    nt.statuses["QX"] = kPrinterStatusUserIntervention;
    EXPECT_TRUE(Send(nt, PlatformFamily::Nt));  // NT does not look at the status
    EXPECT_EQ(nt.openAccess, std::vector<std::uint32_t>{kPrinterAccessUse});

    FakeSpooler nineX;
    EXPECT_TRUE(Send(nineX, PlatformFamily::Win9x));
    EXPECT_EQ(nineX.openAccess, std::vector<std::uint32_t>{kPrinterAccessNone});
    EXPECT_EQ(nineX.calls[1], "Status");

    nineX.statuses["QX"] = kPrinterStatusUserIntervention;
    EXPECT_FALSE(Send(nineX, PlatformFamily::Win9x));
    EXPECT_EQ(nineX.jobs.size(), 1u);  // nothing written the second time
    EXPECT_EQ(nineX.openHandles, 0);
}

TEST(RawJobTest, EveryFailureIsAFailureAndThePrinterIsClosed) {
    const std::vector<void (*)(FakeSpooler&)> failures = {
        [](FakeSpooler& s) { s.openFails.insert("QX"); },
        [](FakeSpooler& s) { s.startDocFails = true; },
        [](FakeSpooler& s) { s.writeFails = true; },
        [](FakeSpooler& s) { s.writeShort = true; },
        [](FakeSpooler& s) { s.endDocFails = true; },
    };
    for (auto fail : failures) {
        FakeSpooler spooler;
        fail(spooler);
        EXPECT_FALSE(Send(spooler, PlatformFamily::Win9x));
        EXPECT_EQ(spooler.openHandles, 0);
    }
}

}  // namespace
}  // namespace vx
