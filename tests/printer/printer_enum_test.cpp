#include "printer/printer_enum.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using test::FakeSpooler;

const char kDriver168[] = "ZAM QX-K480/330(168)";
const char kDriver160[] = "ZAM QX-K480/330(160)";

std::vector<PrinterRow> Enumerate(FakeSpooler& spooler, PlatformFamily family) {
    std::vector<PrinterRow> rows;
    EXPECT_EQ(EnumerateModelPrinters(spooler, family, rows), EnumResult::Listed);
    return rows;
}

TEST(PrinterEnumTest, OnlyTheTwoDriverNamesQualifyExactly) {
    for (PlatformFamily family : {PlatformFamily::Nt, PlatformFamily::Win9x}) {
        FakeSpooler spooler;
        spooler.AddPrinter("A", kDriver168, "LPT1:");
        spooler.AddPrinter("B", kDriver160, "LPT2:");
        spooler.AddPrinter("C", "zam qx-k480/330(168)", "LPT1:");
        spooler.AddPrinter("D", "ZAM QX-K480/330(168) ", "LPT1:");
        spooler.AddPrinter("E", "Other", "LPT1:");
        const std::vector<PrinterRow> rows = Enumerate(spooler, family);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].name, "A");
        EXPECT_EQ(rows[0].destination, "LPT1:");
        EXPECT_EQ(rows[1].name, "B");
        EXPECT_EQ(rows[1].destination, "LPT2:");
    }
}

TEST(PrinterEnumTest, NtListsLevel4ThenAsksEachServerOnceAndOpensEachPrinter) {
    FakeSpooler spooler;
    spooler.AddPrinter("Local", kDriver168, "LPT1:");
    spooler.AddPrinter("\\\\srv\\One", kDriver168, "NE01:", "\\\\srv", kPrinterAttributeNetwork);
    spooler.AddPrinter("\\\\srv\\Two", kDriver160, "NE02:", "\\\\srv",
                       kPrinterAttributeNetwork | 0x40);
    spooler.AddPrinter("Locked", kDriver168, "LPT2:");
    spooler.openFails.insert("Locked");

    const std::vector<PrinterRow> rows = Enumerate(spooler, PlatformFamily::Nt);

    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].destination, "LPT1:");
    EXPECT_EQ(rows[1].destination, "\\\\srv");  // attributes exactly 0x10: the server
    EXPECT_EQ(rows[2].destination, "NE02:");    // further bits: the port
    EXPECT_EQ(spooler.calls.front(), "Enum4:6");
    EXPECT_EQ(spooler.enum2Calls, 2);  // the local server and \\srv, once each
    EXPECT_EQ(spooler.calls[1], "Enum2:8:");
    EXPECT_EQ(spooler.calls[2], "Open:Local");
    EXPECT_EQ(spooler.openCalls, 4);
    EXPECT_EQ(spooler.openAccess[0], kPrinterAccessUse);
    EXPECT_EQ(spooler.openHandles, 0);  // every opened printer was closed again
}

TEST(PrinterEnumTest, NtNeedsTheSameNameWithAModelDriverOnTheServerList) {
    FakeSpooler spooler;
    spooler.AddPrinter("Ghost", "Other", "LPT1:");
    spooler.AddPrinter("ghost", kDriver168, "LPT1:");
    spooler.printers4.pop_back();  // "ghost" is on the level-2 list only
    EXPECT_TRUE(Enumerate(spooler, PlatformFamily::Nt).empty());
    EXPECT_EQ(spooler.openCalls, 0);
}

TEST(PrinterEnumTest, NineXSkipsPrintersWaitingForTheUserAndOpensNothing) {
    FakeSpooler spooler;
    spooler.AddPrinter("Busy", kDriver168, "LPT1:");
    spooler.printers2.back().status = kPrinterStatusUserIntervention | 0x1;
    spooler.AddPrinter("Paused", kDriver168, "LPT1:");
    spooler.printers2.back().status = 0x1;
    const std::vector<PrinterRow> rows = Enumerate(spooler, PlatformFamily::Win9x);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Paused");
    EXPECT_EQ(spooler.calls, std::vector<std::string>{"Enum2:2:"});
}

}  // namespace
}  // namespace vx
