// vxctl's commands on settings files: set, show, diff and job.
#include "tests/cli/vxctl_fixture.h"

namespace vx::cli {
namespace {

TEST_F(VxctlTest, SetWritesTheFileAsTheProgramSavesItAndRefusesWithoutWriting) {
    files.files["in.dat"] = FileOf(Odd());
    ASSERT_EQ(Run({"set", "in.dat", "out.dat", "country=SWEDEN", "print-mode=高品位",
                   "driver=QX-K480/330(16&0)", "page-length=07", "buzzer=有効", "font2=OCR-B",
                   "outline-font=ＯＦＦ", "density=Density 1"}),
              kExitOk)
        << console.err;
    SwitchBlock want = Odd();
    SetSwitchCode(want, 1, 1, 3, 5);  // country written anew
    SetSwitch(want, 2, 2, false);
    SetSwitchCode(want, 4, 5, 2, 1);
    SetSwitch(want, 3, 4, true);
    SetPageLength(want, 7);
    SetSwitch(want, 4, 1, true);
    want.bytes[kFont2] = '4';
    want.bytes[kOutlineFont] = '0';
    SetSwitchCode(want, 4, 2, 2, 1);
    EXPECT_EQ(output.files["out.dat"], FileOf(want));

    // Without IN: the factory settings, as the program shows them at start.
    ASSERT_EQ(Run({"set", "f.dat", "page-length=99"}), kExitOk);
    SwitchBlock factory = FactoryDefaults;
    SetPageLength(factory, 99);
    EXPECT_EQ(output.files["f.dat"], FileOf(factory));

    const std::map<std::string, std::string> refusals = {
        {"colour=red", "colour: no such setting"},
        {"country=france",
         "country: not an allowed value: france\nallowed: Japan (japan), USA (usa), UK (uk), "
         "Germany (germany), Sweden (sweden)\n"},
        {"sw1-4=on", "sw1-4: no page shows this switch"},
        {"page-length=100", "allowed: 1..99"},
        {"page-length=0", "allowed: 1..99"},
        {"buzzer=", "allowed: Disabled (disabled), Enabled (enabled)"},
    };
    for (const auto& [argument, reason] : refusals) {
        EXPECT_EQ(Run({"set", "x.dat", "country=usa", argument}), kExitError) << argument;
        EXPECT_NE(console.err.find(reason), std::string::npos) << console.err;
        EXPECT_EQ(output.files.count("x.dat"), 0u) << argument;
    }
    EXPECT_EQ(Run({"set", "x.dat", "country=usa", "buzzer"}), kExitError);  // files come first
    EXPECT_EQ(output.files.count("x.dat"), 0u);

    output.fail = "disk full";
    EXPECT_EQ(Run({"set", "y.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: y.dat: could not be written (disk full)\n");
    output.fail = OutputFiles::kReadOnly;
    EXPECT_EQ(Run({"set", "y.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: y.dat: the file is read-only; nothing was written\n");
}

TEST_F(VxctlTest, SetEditsOnlyTheNamedSettingsAndTakesNoTypoForAFile) {
    files.files["uk.dat"] = FileOf(Uk());
    ASSERT_EQ(Run({"set", "uk.dat", "page-length=72"}), kExitOk) << console.err;
    SwitchBlock want = Uk();
    SetPageLength(want, 72);
    EXPECT_EQ(files.files["uk.dat"], FileOf(want));  // the country stays
    ASSERT_EQ(Run({"set", "--from-factory", "uk.dat", "buzzer=enabled"}), kExitOk);
    SwitchBlock factory = FactoryDefaults;
    SetSwitch(factory, 4, 1, true);
    EXPECT_EQ(files.files["uk.dat"], FileOf(factory));

    // Mistyped settings are refused and write nothing; so is a key given twice.
    const std::map<std::vector<std::string>, std::string> typos = {
        {{"new.dat", "buzzer"}, "vxctl set: buzzer: expected KEY=VALUE\n"},
        {{"new.dat", "countyr"},
         "vxctl set: countyr: neither KEY=VALUE nor an existing file or a name ending in .dat\n"},
        {{"new.dat", "=usa"}, "vxctl set: : no such setting\n"},
        {{"new.dat", "ｃｏｕｎｔｒｙ=usa"}, "vxctl set: ｃｏｕｎｔｒｙ: no such setting\n"},
        {{"new.dat", "country＝usa"}, "vxctl set: country＝usa: expected KEY=VALUE\n"},
        {{"new.dat", "country=usa", "country=uk"}, "vxctl set: country is given twice\n"},
    };
    for (const auto& [arguments, error] : typos) {
        std::vector<std::string> args = {"set"};
        args.insert(args.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(Run(args), kExitError) << arguments.back();
        EXPECT_EQ(console.err.substr(0, error.size()), error);
    }
    EXPECT_TRUE(output.files.count("new.dat") == 0 && output.files.count("buzzer") == 0 &&
                output.files.count("=usa") == 0);

    // An OUT that cannot be read is not started afresh.
    output.unreadable["locked.dat"] = "Permission denied";
    EXPECT_EQ(Run({"set", "locked.dat", "buzzer=enabled"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: locked.dat: cannot be read (Permission denied)\n");
    EXPECT_EQ(output.files.count("locked.dat"), 0u);
}

TEST_F(VxctlTest, ShowDiffAndJobReadFilesAsTheProgramDoes) {
    Bytes crlf = FileOf(FactoryDefaults);
    crlf[15] = '\r';
    files.files["bad.dat"] = crlf;
    Bytes shortFile = FileOf(FactoryDefaults);
    shortFile.pop_back();
    files.files["short.dat"] = shortFile;
    for (const char* name : {"bad.dat", "short.dat"}) {
        EXPECT_EQ(Run({"show", name}), kExitError);
        EXPECT_EQ(console.err,
                  "vxctl: " + std::string(name) + ": This file is not a valid settings file.\n");
    }
    output.unreadable["folder"] = "Is a directory";
    EXPECT_EQ(Run({"show", "missing.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: missing.dat: cannot be read (No such file or directory)\n");
    EXPECT_EQ(Run({"diff", "folder", "bad.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: folder: cannot be read (Is a directory)\n");

    // A page length shows as it is sent, saying when the file's bytes are corrected.
    SwitchBlock zero = FactoryDefaults;
    zero.bytes[kPageLengthTens] = zero.bytes[kPageLengthUnits] = '0';
    files.files["zero.dat"] = FileOf(zero);
    ASSERT_EQ(Run({"show", "zero.dat"}), kExitOk);
    EXPECT_NE(console.out.find(" 1     "), std::string::npos) << console.out;
    EXPECT_NE(console.out.find("  bytes 24-25 = 0x30 0x30  (the file's bytes corrected, sent as "
                               "0x30 0x31)\n"),
              std::string::npos)
        << console.out;
    zero.bytes[kPageLengthUnits] = 'x';
    files.files["zero.dat"] = FileOf(zero);
    ASSERT_EQ(Run({"show", "zero.dat", "--json", "--lang", "ja"}), kExitOk);
    EXPECT_NE(console.out.find("\"value\":\"66\",\"alias\":\"66\",\"code\":66,\"raw\":\"0x30 "
                               "0x78\",\"sent\":\"0x36 0x36\"}"),
              std::string::npos)
        << console.out;
    EXPECT_EQ(Run({"--lang", "ja", "diff", "bad.dat", "bad.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: bad.dat: このファイルは有効な設定ファイルではありません。\n");

    SwitchBlock sweden = FactoryDefaults;
    SetSwitchCode(sweden, 1, 1, 3, 5);
    files.files["sweden.dat"] = FileOf(sweden);
    ASSERT_EQ(Run({"show", "sweden.dat", "--json", "--lang", "ja"}), kExitOk);
    EXPECT_NE(console.out.find(
                  "{\"key\":\"country\",\"page\":\"ＭＳＷ１\",\"label\":\"各国文字の切り替え "
                  "（MSW1-1/2/3）\",\"value\":\"スウェーデン\",\"alias\":\"sweden\","
                  "\"code\":5,\"raw\":\"0x05\"}"),
              std::string::npos)
        << console.out;
    // In English: the same keys, English labels and values, the aliases as they are.
    ASSERT_EQ(Run({"show", "sweden.dat", "--json"}), kExitOk);
    EXPECT_NE(console.out.find("{\"key\":\"country\",\"page\":\"MSW1\",\"label\":"
                               "\"International characters (MSW1-1/2/3)\",\"value\":\"Sweden\","
                               "\"alias\":\"sweden\",\"code\":5,\"raw\":\"0x05\"}"),
              std::string::npos)
        << console.out;

    EXPECT_EQ(Run({"diff", "sweden.dat", "sweden.dat"}), kExitOk);
    EXPECT_EQ(console.out, "");
    files.files["odd.dat"] = FileOf(Odd());
    EXPECT_EQ(Run({"diff", "sweden.dat", "odd.dat", "--lang", "ja"}), kExitDiffer);
    // Country 5 against 6 (shown as 日本), SW1-4, SW2-2, SW2-5 and the framing byte 3.
    std::vector<std::string> keys;
    for (std::size_t at = 0; at < console.out.size(); at = console.out.find('\n', at) + 1)
        keys.push_back(console.out.substr(at, console.out.find(' ', at) - at));
    EXPECT_EQ(keys,
              (std::vector<std::string>{"country", "host-density", "sw1-4", "sw2-2", "byte-3"}));
    EXPECT_NE(console.out.find("スウェーデン (sweden)  ->  日本 (japan)"), std::string::npos);

    // The job holds what the program sends once it has loaded the file.
    ASSERT_EQ(Run({"job", "odd.dat", "-o", "odd.bin"}), kExitOk);
    EXPECT_EQ(output.files["odd.bin"], BlockBytes(Collected(Odd())));
    EXPECT_EQ(Run({"job", "odd.dat"}), kExitError);
}

}  // namespace
}  // namespace vx::cli
