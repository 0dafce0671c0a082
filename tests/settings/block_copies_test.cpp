#include "settings/block_copies.h"

#include <gtest/gtest.h>

#include "tests/settings/blocks.h"

namespace vx {
namespace {

SwitchBlock PrinterSettings() { return test::DefaultsWith(2, 3, 72); }

TEST(BlockCopies, StartUpLeavesSendDirtyOnlyThroughSyncPending) {
    BlockCopies c;
    c.workingBlock = PrinterSettings();
    c.OnStartUp();
    EXPECT_EQ(c.workingBlock, FactoryDefaults);
    EXPECT_EQ(c.savedBlock, FactoryDefaults);
    EXPECT_EQ(c.sentBlock, FactoryDefaults);
    EXPECT_TRUE(c.syncPending);
    EXPECT_TRUE(c.HasUnsentChanges());
    EXPECT_FALSE(c.DiffersFromSent());
    EXPECT_FALSE(c.HasUnsavedChanges());
}

TEST(BlockCopies, SendClearsSyncPendingAndChangeBackIsClean) {
    BlockCopies c;
    c.OnSent();
    EXPECT_FALSE(c.HasUnsentChanges());

    SetSwitch(c.workingBlock, 3, 8, true);
    EXPECT_TRUE(c.HasUnsentChanges());
    EXPECT_TRUE(c.HasUnsavedChanges());
    SetSwitch(c.workingBlock, 3, 8, false);  // by content, not by a dirty flag
    EXPECT_FALSE(c.HasUnsentChanges());
    EXPECT_FALSE(c.HasUnsavedChanges());
}

TEST(BlockCopies, FactoryDefaultsAfterReceiveDifferFromBoth) {
    BlockCopies c;
    c.workingBlock = PrinterSettings();
    c.OnReceived();
    EXPECT_FALSE(c.syncPending);
    EXPECT_EQ(c.sentBlock, PrinterSettings());
    EXPECT_EQ(c.savedBlock, PrinterSettings());
    EXPECT_FALSE(c.HasUnsentChanges());

    c.OnFactoryDefaults();
    EXPECT_EQ(c.workingBlock, FactoryDefaults);
    EXPECT_EQ(c.sentBlock, PrinterSettings());  // untouched
    EXPECT_TRUE(c.HasUnsentChanges());
    EXPECT_TRUE(c.HasUnsavedChanges());
}

TEST(BlockCopies, FileLoadAndSaveLeaveTheSentCopyAlone) {
    BlockCopies c;
    c.OnSent();
    SwitchBlock fromFile = PrinterSettings();
    fromFile.bytes[0] = 0x1B;  // foreign framing bytes are kept as they are
    c.OnFileLoaded(fromFile);
    EXPECT_EQ(c.workingBlock, fromFile);
    EXPECT_EQ(c.savedBlock, fromFile);
    EXPECT_EQ(c.sentBlock, FactoryDefaults);
    EXPECT_TRUE(c.HasUnsentChanges());
    EXPECT_FALSE(c.HasUnsavedChanges());

    SetPageLength(c.workingBlock, 10);
    EXPECT_TRUE(c.HasUnsavedChanges());
    c.OnFileSaved();
    EXPECT_FALSE(c.HasUnsavedChanges());
    EXPECT_EQ(c.sentBlock, FactoryDefaults);
    EXPECT_EQ(c.workingBlock.bytes[0], 0x1B);
}

TEST(BlockCopies, AnotherPrinterNotReceivedShowsDefaultsAndWaitsForSync) {
    BlockCopies c;
    c.workingBlock = PrinterSettings();
    c.OnSent();
    c.OnFileSaved();
    c.OnPrinterChangedNotReceived();
    EXPECT_EQ(c.workingBlock, FactoryDefaults);
    EXPECT_EQ(c.sentBlock, PrinterSettings());
    EXPECT_EQ(c.savedBlock, PrinterSettings());
    EXPECT_TRUE(c.syncPending);

    // Even when the new working block equals the sent one, sending stays possible.
    c.sentBlock = FactoryDefaults;
    EXPECT_FALSE(c.DiffersFromSent());
    EXPECT_TRUE(c.HasUnsentChanges());
}

}  // namespace
}  // namespace vx
