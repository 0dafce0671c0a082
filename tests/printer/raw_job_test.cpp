#include "printer/raw_job.h"

#include <gtest/gtest.h>

#include "settings/switch_block.h"
#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using test::FakeSpooler;

bool Send(FakeSpooler& spooler, PlatformFamily family) {
    return WriteRawJob(spooler, family, "QX", kSendJobName, FactoryDefaults.bytes.data(),
                       FactoryDefaults.bytes.size());
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
