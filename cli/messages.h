// vxctl's texts in Japanese and English. "%1", "%2" ... are filled in by Format.
// The texts that the settings program shows for the same situations are its own,
// taken from its texts (common/texts.h).
#pragma once

#include <array>
#include <cstddef>

#include "common/texts.h"

namespace vx::cli {

// The literals joined at compile time: Join("%1: ", text::kSent).
template <std::size_t... N>
constexpr auto Join(const char (&... parts)[N]) {
    std::array<char, (N + ...) - sizeof...(N) + 1> out{};
    std::size_t at = 0;
    for (const char* part : {static_cast<const char*>(parts)...})
        for (std::size_t i = 0; part[i] != '\0'; ++i) out[at++] = part[i];
    return out;
}

struct Text {
    const char* ja;
    const char* en;
};

namespace msg {

// Errors of the command line
inline constexpr Text kUnknownCommand = {"vxctl: 不明なコマンドです: %1（vxctl --help を参照）\n",
                                         "vxctl: unknown command: %1 (see vxctl --help)\n"};
inline constexpr Text kUnknownOption = {"vxctl %1: 使えないオプションです: %2\n",
                                        "vxctl %1: unknown option: %2\n"};
inline constexpr Text kMissingValue = {"vxctl %1: オプション %2 には値が必要です。\n",
                                       "vxctl %1: option %2 needs a value\n"};
inline constexpr Text kWrongArguments = {"vxctl %1: 引数が正しくありません。\n%2",
                                         "vxctl %1: wrong arguments\n%2"};
inline constexpr Text kBadLanguage = {"vxctl: --lang には ja か en を指定してください。\n",
                                      "vxctl: --lang takes ja or en\n"};
inline constexpr Text kBadNumber = {"vxctl %1: %2 には正の整数を指定してください: %3\n",
                                    "vxctl %1: %2 takes a positive whole number: %3\n"};

// Files: the first text is the settings program's own.
inline constexpr auto kNotSettingsFileJa = Join("vxctl: %1: ", text::kNotValidSettingsFile, "\n");
inline constexpr Text kNotSettingsFile = {kNotSettingsFileJa.data(),
                                          "vxctl: %1: This file is not a valid settings file.\n"};
inline constexpr Text kWriteFailed = {"vxctl: %1: 書き込めませんでした（%2）。\n",
                                      "vxctl: %1: could not be written (%2)\n"};
inline constexpr Text kCannotOpen = {"vxctl: %1: 読み込めません（%2）。\n",
                                     "vxctl: %1: cannot be read (%2)\n"};
inline constexpr Text kReadOnlyFile = {
    "vxctl: %1: 読み取り専用のファイルです。書き込みませんでした。\n",
    "vxctl: %1: the file is read-only; nothing was written\n"};
inline constexpr Text kOutputFailed = {"vxctl: 標準出力に書き込めませんでした（%1）。\n",
                                       "vxctl: the standard output could not be written (%1)\n"};
inline constexpr Text kTooLarge = {"vxctl %1: %2 の値が大きすぎます（最大 %3）: %4\n",
                                   "vxctl %1: %2 is too large (at most %3): %4\n"};
inline constexpr Text kRepeatedTarget = {"vxctl %1: %2 %3 が 2 回指定されています。\n",
                                         "vxctl %1: %2 %3 is named twice\n"};

// set
inline constexpr Text kNoEquals = {"vxctl set: %1: KEY=VALUE の形で指定してください。\n",
                                   "vxctl set: %1: expected KEY=VALUE\n"};
inline constexpr Text kUnknownKey = {"vxctl set: %1: そのような設定はありません。\n設定: %2\n",
                                     "vxctl set: %1: no such setting\nsettings: %2\n"};
inline constexpr Text kNotSettable = {
    "vxctl set: %1: どのページにも表示されない設定のため変更できません。\n設定: %2\n",
    "vxctl set: %1: no page shows this switch, so it cannot be set\nsettings: %2\n"};
inline constexpr Text kBadValue = {"vxctl set: %1: 使用できない値です: %2\n使用できる値: %3\n",
                                   "vxctl set: %1: not an allowed value: %2\nallowed: %3\n"};

inline constexpr Text kRepeatedKey = {"vxctl set: %1 が 2 回指定されています。\n",
                                      "vxctl set: %1 is given twice\n"};
inline constexpr Text kNotAFileName = {
    "vxctl set: %1: KEY=VALUE でも、既存のファイルや .dat で終わるファイル名でもありません。\n",
    "vxctl set: %1: neither KEY=VALUE nor an existing file or a name ending in .dat\n"};

// settings, show, diff
inline constexpr Text kFactory = {"工場出荷: %1", "factory: %1"};
inline constexpr Text kNotOnAPage = {"ページに表示されない設定", "not shown on any page"};
inline constexpr Text kCarried = {"（ページなし: 元の値のまま書き込み）",
                                  "(no page: written back as it was)"};
inline constexpr Text kCleared = {"（ページなし: 常に 0 で書き込み）",
                                  "(no page: always written back as 0)"};
inline constexpr Text kNotASetting = {"（設定以外のバイト）", "(not a setting)"};
inline constexpr Text kHighBits = {"（ビット 4-7）", "(bits 4-7)"};
inline constexpr Text kCorrected = {"（ファイルのバイトを訂正して送信: %1）",
                                    "(the file's bytes corrected, sent as %1)"};

// send, print-settings: the settings program's own texts after the printer's name.
inline constexpr auto kSentJa = Join("%1: ", text::kSent);
inline constexpr auto kPrintedJa = Join("%1: ", text::kPrinted);
inline constexpr auto kSendToFileJa = Join("%1: ", text::kSendToFile);
inline constexpr auto kPrintToFileJa = Join("%1: ", text::kPrintToFile);
inline constexpr auto kNotAttachedJa = Join("%1: ", text::kNotAttached);
inline constexpr Text kNoTarget = {"vxctl %1: --printer か --device で送信先を指定してください。\n",
                                   "vxctl %1: name a printer (--printer) or a device (--device)\n"};
inline constexpr Text kNoPrinting = {"vxctl: ここではプリンタを使えません。\n",
                                     "vxctl: printers are not available here\n"};
inline constexpr Text kSent = {kSentJa.data(), "%1: settings sent to the printer."};
inline constexpr Text kPrinted = {kPrintedJa.data(),
                                  "%1: the printer was told to print its current settings."};
// CUPS completes a raw job once its backend has handed the bytes to the printer's port;
// the printer itself confirms nothing.
inline constexpr Text kJobCompleted = {"（ジョブ %1: %2、プリンタのポートへの受け渡しまで確認）",
                                       " (job %1: %2, handed to the printer's port)"};
inline constexpr Text kNoSuchPrinter = {"%1: この名前の QX-K480/330 のプリンタはありません。",
                                        "%1: no printer of the QX-K480/330 by this name."};
inline constexpr Text kSendToFile = {
    kSendToFileJa.data(), "%1: the destination is FILE:, so the settings cannot be sent."};
inline constexpr Text kPrintToFile = {kPrintToFileJa.data(),
                                      "%1: the destination is FILE:, so this cannot be done."};
inline constexpr Text kNotAttached = {
    kNotAttachedJa.data(),
    "%1: the printer is not attached at present, or cannot be used because of restrictions on "
    "the right to use it."};
inline constexpr Text kRefused = {"%1: 送信できませんでした: %2", "%1: not sent: %2"};
inline constexpr Text kJobEnded = {"%1: ジョブ %2 は完了しませんでした: %3%4",
                                   "%1: job %2 did not complete: %3%4"};
inline constexpr Text kTimedOutCancelled = {
    "%1: ジョブ %2 は %3 秒以内に終わらなかったため取り消しました: %4%5",
    "%1: job %2 had not ended after %3 s and was cancelled: %4%5"};
inline constexpr Text kTimedOutQueued = {
    "%1: ジョブ %2 は %3 "
    "秒以内に終わりませんでした。キューに残っていて、後で印刷されることがあります: "
    "%4%5",
    "%1: job %2 had not ended after %3 s and is still queued; it may print later: %4%5"};
inline constexpr Text kNotSentInTime = {"%1: %2 秒以内に送信できませんでした。",
                                        "%1: not sent within %2 s."};
inline constexpr Text kNoScheduler = {"印刷スケジューラ（%1）が動いていません",
                                      "no print scheduler is running at %1"};
inline constexpr Text kJobLost = {
    "%1: ジョブ %2 は受け付けられましたが、その後の状態を確かめられません: %3",
    "%1: job %2 was accepted, but what became of it cannot be told: %3"};
inline constexpr Text kListFailed = {"vxctl printers: プリンタの一覧を取得できませんでした: %1\n",
                                     "vxctl printers: the printers could not be listed: %1\n"};

// deploy
inline constexpr Text kPlanBadChange = {
    "vxctl deploy: %1: 使えない変更です: %2（vxctl settings を参照）\n",
    "vxctl deploy: %1: not an allowed change: %2 (see vxctl settings)\n"};
inline constexpr Text kPlanBadLine = {
    "vxctl deploy: %1: TARGET [FILE.dat] [KEY=VALUE…] の形で書いてください。\n",
    "vxctl deploy: %1: expected TARGET [FILE.dat] [KEY=VALUE…]\n"};
inline constexpr Text kPlanNoMatch = {"vxctl deploy: %1: %2 に当てはまるプリンタはありません。\n",
                                      "vxctl deploy: %1: no printer matches %2\n"};
inline constexpr Text kPlanBadRange = {
    "vxctl deploy: %1: A.B.C.D/N（N は 24 から 32）を指定してください: %2\n",
    "vxctl deploy: %1: expected A.B.C.D/N (N from 24 to 32): %2\n"};
inline constexpr Text kPlanNotTheModel = {
    "vxctl deploy: %1: %2 のプリンタは QX-K480/330 と答えないため、送りません。\n",
    "vxctl deploy: %1: %2 left out: its printer does not answer as the QX-K480/330\n"};
inline constexpr Text kPlanGets = {"%1 (%2): %3（計画の %4 行目）\n",
                                   "%1 (%2): %3 (plan line %4)\n"};
inline constexpr Text kPlanHeld = {"今の設定値", "the settings it holds"};
inline constexpr Text kPlanNoChange = {"変更なし（今の設定値と同じ）",
                                       "no change: it holds these settings"};

// discover
inline constexpr Text kBadRange = {
    "vxctl discover: A.B.C.D/N（N は 24 から 32）を指定してください: %1\n",
    "vxctl discover: expected A.B.C.D/N (N from 24 to 32): %1\n"};
inline constexpr Text kDiscoveredReady = {"待機中", "ready"};
inline constexpr Text kDiscoveredBusy = {"印刷中またはエラー", "printing or in error"};

// simulate
inline constexpr Text kBadListen = {
    "vxctl simulate: --listen には [HOST:]PORT を指定してください: %1\n",
    "vxctl simulate: --listen takes [HOST:]PORT: %1\n"};
inline constexpr Text kListenFailed = {"vxctl simulate: %1 で待ち受けできません: %2\n",
                                       "vxctl simulate: cannot listen on %1: %2\n"};
inline constexpr Text kListening = {"listening on %1（QX-K480/330 の raw ポート）\n",
                                    "listening on %1 (raw port of a QX-K480/330)\n"};
inline constexpr Text kReceiveFailed = {"vxctl simulate: 受信できませんでした: %1\n",
                                        "vxctl simulate: receiving failed: %1\n"};
inline constexpr Text kJobReceived = {"ジョブ %1: %2 から %3 バイト\n",
                                      "job %1: %3 bytes from %2\n"};
inline constexpr Text kSettingsWritten = {"  settings written: 変更 %1 件\n",
                                          "  settings written: %1 changed\n"};
inline constexpr Text kPrintRequested = {"  print settings requested（現在の設定値を印刷）\n",
                                         "  print settings requested\n"};
inline constexpr Text kReportAnswered = {"  settings report requested: 12 バイトで応答しました\n",
                                         "  settings report requested: answered with 12 bytes\n"};
inline constexpr Text kBadSnmp = {"vxctl simulate: --snmp には HOST:PORT を指定してください: %1\n",
                                  "vxctl simulate: --snmp takes HOST:PORT: %1\n"};
inline constexpr Text kSnmpListening = {"SNMP on %1（デバイス ID: %2）\n",
                                        "answering SNMP on %1 (device ID: %2)\n"};
inline constexpr Text kUsbReady = {"USB printer %1（QX-K480/330 の代わり）\n",
                                   "USB printer at %1 (stands in for a QX-K480/330)\n"};
inline constexpr Text kReportRequested = {
    "  settings report requested: パラレルポートでのみ応答します\n",
    "  settings report requested: answered on the parallel port only\n"};
inline constexpr Text kIgnored = {"  コマンドではない %1 バイトを無視しました\n",
                                  "  %1 bytes that are no command ignored\n"};

// receive: the settings program's own texts after the printer's name.
inline constexpr auto kReceivedJa = Join("%1: ", text::kReceived);
inline constexpr auto kNotReadyJa = Join("%1: ", text::kNotReady);
inline constexpr auto kRequestNotWrittenJa = Join("%1: ", text::kRequestNotWritten);
inline constexpr auto kReadFailedJa = Join("%1: ", text::kReadFailed);
inline constexpr Text kReceived = {kReceivedJa.data(),
                                   "%1: the settings were read from the printer."};
inline constexpr Text kNotReady = {
    kNotReadyJa.data(),
    "%1: the printer is printing at present or an error has occurred, so the settings cannot be "
    "obtained."};
inline constexpr Text kRequestNotWritten = {kRequestNotWrittenJa.data(),
                                            "%1: the request could not be sent to the printer."};
inline constexpr Text kReadFailed = {kReadFailedJa.data(),
                                     "%1: the settings could not be obtained from the printer."};
inline constexpr Text kTimeoutsFailed = {"%1: %2 (%3)", "%1: %2 (%3)"};
inline constexpr Text kNoReply = {
    "%1: プリンタから 12 バイトの応答がありませんでした（%2 バイト）。設定値は変わりません。",
    "%1: no 12-byte reply from the printer (%2 bytes); no settings read."};
inline constexpr Text kNotReachable = {"%1: プリンタに接続できません。",
                                       "%1: the printer cannot be reached."};
inline constexpr Text kNotReachableWhy = {"%1: プリンタに接続できません（%2）。",
                                          "%1: the printer cannot be reached (%2)."};
inline constexpr Text kCannotRead = {"%1: この接続先のプリンタからは設定値を読み取れません: %2",
                                     "%1: the settings cannot be read over this connection: %2"};
inline constexpr Text kNotSupported = {"%1: ここではまだプリンタから設定値を読み取れません。",
                                       "%1: printers cannot be read here yet."};
inline constexpr Text kReadCutOff = {
    "%1: %2 秒以内に設定値を読み取れなかったため、打ち切りました。",
    "%1: not read: no answer within %2 s, cut off."};
inline constexpr Text kNotReadInTime = {"%1: %2 秒以内に読み取りを始められませんでした。",
                                        "%1: not read: its turn came after %2 s."};
inline constexpr Text kReceivedTo = {"%1: 設定値を %2 に書き込みました。",
                                     "%1: the settings were written to %2."};
inline constexpr Text kNoReceiveTarget = {
    "vxctl receive: --printer、--host か --device で読み取るプリンタを指定してください。\n",
    "vxctl receive: name a printer (--printer), a host (--host) or a device (--device)\n"};
inline constexpr Text kOneOutput = {"vxctl receive: -o はプリンタ 1 台のときだけ使えます。\n",
                                    "vxctl receive: -o takes the settings of one printer only\n"};
inline constexpr Text kBadHost = {"vxctl receive: --host には HOST[:PORT] を指定してください: %1\n",
                                  "vxctl receive: --host takes HOST[:PORT]: %1\n"};

}  // namespace msg
}  // namespace vx::cli
