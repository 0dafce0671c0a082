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

inline constexpr Text kVersion = {"vxctl バージョン 1.000 (ZAM QX-K480/330)\n",
                                  "vxctl version 1.000 (ZAM QX-K480/330)\n"};

inline constexpr Text kUsage = {
    "使い方: vxctl [--lang ja|en] コマンド [引数...]\n"
    "\n"
    "ZAM QX-K480/330 の設定値（設定ファイル .dat と 29 "
    "バイトの設定コマンド）をコマンドラインで扱います。\n"
    "\n"
    "コマンド:\n"
    "  settings                         設定の一覧（キー、ページ、ラベル、値、工場出荷値）\n"
    "  show FILE.dat [--json]           設定ファイルの設定値をページごとに表示\n"
    "  diff A.dat B.dat [--json]        異なる設定だけを表示（同じなら 0、違えば 1、エラーは 2）\n"
    "  set [IN.dat] OUT.dat KEY=VALUE…  設定値を変えて設定ファイルを書き込む\n"
    "  job FILE.dat -o FILE.bin         プリンタに送る 29 バイトをファイルに書き込む\n"
    "  printers [--model]               送信できるプリンタの一覧\n"
    "  send FILE.dat --printer NAME…    設定値をプリンタに送信（--device PATH で直接書き込み）\n"
    "  print-settings --printer NAME…   プリンタに現在の設定値を印刷させる\n"
    "  receive --printer NAME…          プリンタの設定値を読み取って表示（--host、--device も可）\n"
    "  deploy PLAN [--dry-run]          計画ファイルのとおりにプリンタごとの設定値を送る\n"
    "  discover A.B.C.D/N [--receive]   アドレス範囲にある QX-K480/330 のプリンタの一覧\n"
    "  simulate [--listen HOST:PORT]    ネットワークプリンタの代わりに raw ポートで待ち受ける\n"
    "\n"
    "  --help     各コマンドの説明（vxctl コマンド --help）\n"
    "  --version  バージョン\n"
    "  --lang     メッセージの言語（ja または en、既定はロケールによる）\n",
    "usage: vxctl [--lang ja|en] COMMAND [ARGUMENTS...]\n"
    "\n"
    "The ZAM QX-K480/330's settings from a command line: settings files (.dat) and the\n"
    "29-byte command that sets them.\n"
    "\n"
    "commands:\n"
    "  settings                         every setting: key, page, label, values, factory value\n"
    "  show FILE.dat [--json]           a settings file's settings, page by page\n"
    "  diff A.dat B.dat [--json]        the settings that differ (exit 0 equal, 1 differ, 2 "
    "error)\n"
    "  set [IN.dat] OUT.dat KEY=VALUE…  write a settings file with settings changed\n"
    "  job FILE.dat -o FILE.bin         the 29 bytes sent to the printer, into a file\n"
    "  printers [--model]               the printers vxctl can send to\n"
    "  send FILE.dat --printer NAME…    send the settings (--device PATH: write to a port)\n"
    "  print-settings --printer NAME…   make the printer print its current settings\n"
    "  receive --printer NAME…          read the printer's settings (also --host, --device)\n"
    "  deploy PLAN [--dry-run]          send each printer the settings a plan gives it\n"
    "  discover A.B.C.D/N [--receive]   the printers of the model in an address range\n"
    "  simulate [--listen HOST:PORT]    stand in for a network printer on its raw port\n"
    "\n"
    "  --help     help on a command (vxctl COMMAND --help)\n"
    "  --version  the version\n"
    "  --lang     language of the messages (ja or en; by default the locale's)\n"};

inline constexpr Text kHelpSettings = {
    "使い方: vxctl settings\n"
    "\n"
    "設定ブロックが持つすべての設定を 1 行に 1 つずつ表示します: キー、ページ、ページのラベル、\n"
    "値（ページの表示と ASCII の別名）、工場出荷値。キーと値は set で使います。\n"
    "sw1-4 と sw2-2 はどのページにも表示されない設定で、set では変更できません。\n",
    "usage: vxctl settings\n"
    "\n"
    "Every setting the switch block holds, one per line: key, page, the page's label,\n"
    "the values (as the page shows them, with an ASCII alias each), the factory value.\n"
    "`set` takes the keys and values. No page shows sw1-4 and sw2-2; `set` cannot change them.\n"};

inline constexpr Text kHelpShow = {
    "使い方: vxctl show FILE.dat [--json]\n"
    "\n"
    "設定ファイルの設定値をページごとに、ラベル、ページの表示、生のバイトとともに表示します。\n"
    "設定プログラムが読み込まないファイルは同じ理由で拒否し、終了コード 2 で終わります。\n",
    "usage: vxctl show FILE.dat [--json]\n"
    "\n"
    "A settings file's settings page by page: label, the value as the page shows it, and the\n"
    "raw byte. A file the settings program would refuse is refused with the same reason, exit "
    "2.\n"};

inline constexpr Text kHelpDiff = {
    "使い方: vxctl diff A.dat B.dat [--json]\n"
    "\n"
    "2 つの設定ファイルで異なる設定だけを表示します。29 バイトが同じなら 0、\n"
    "違えば 1、エラーなら 2 で終わります。\n",
    "usage: vxctl diff A.dat B.dat [--json]\n"
    "\n"
    "Only the settings that differ between two settings files. Exit 0 when all 29 bytes\n"
    "are equal, 1 when they differ, 2 on error.\n"};

inline constexpr Text kHelpSet = {
    "使い方: vxctl set [IN.dat] OUT.dat KEY=VALUE…\n"
    "       vxctl set --from-factory OUT.dat KEY=VALUE…\n"
    "\n"
    "IN から始めて設定値を変え、OUT を設定プログラムが保存するとおりの 46 バイト（ヘッダと\n"
    "設定ブロック）で書き込みます。IN がなければ OUT が既にあればその設定値から始めるので、\n"
    "指定した設定だけが変わります。OUT がないとき、または --from-factory のときは工場出荷\n"
    "設定から始めます。値はページの表示か ASCII の別名で指定します（vxctl settings を参照）。\n"
    "使えないキーや値、2 回指定したキーは拒否し、何も書き込みません。新しく作る OUT の名前は\n"
    ".dat で終わるものに限ります（KEY=VALUE の打ち間違いをファイル名にしないため）。\n"
    "OUT は同じフォルダの一時ファイルに書いてから名前を変えるので、書きかけで残りません。\n"
    "既存のファイルはモードと所有者を保ち、シンボリックリンクはたどり、読み取り専用なら\n"
    "書き込みません。デバイスやパイプには直接書き込みます。\n"
    "\n"
    "例: vxctl set base.dat office.dat country=usa page-length=72 buzzer=enabled\n",
    "usage: vxctl set [IN.dat] OUT.dat KEY=VALUE…\n"
    "       vxctl set --from-factory OUT.dat KEY=VALUE…\n"
    "\n"
    "Starts from IN, changes the settings given and writes OUT as the settings program saves\n"
    "it: the header and the block, 46 bytes. Without IN an existing OUT is the start, so only\n"
    "the settings named change; a new OUT, or --from-factory, starts from the factory\n"
    "settings. A value is the page's text or its ASCII alias (see vxctl settings). A key or\n"
    "value that is not allowed, or a key given twice, is refused and nothing is written. A new\n"
    "OUT's name must end in .dat, so that a mistyped KEY=VALUE never becomes a file.\n"
    "OUT is written to a temporary file in its folder and renamed, so it is never left\n"
    "half-written; an existing file keeps its mode and owner, a symbolic link is followed,\n"
    "and a read-only file is refused. Devices and pipes are written directly.\n"
    "\n"
    "example: vxctl set base.dat office.dat country=usa page-length=72 buzzer=enabled\n"};

inline constexpr Text kHelpJob = {
    "使い方: vxctl job FILE.dat -o FILE.bin\n"
    "\n"
    "設定プログラムがこのファイルを読み込んで送信するときの 29 バイトを FILE.bin に書き込みます。\n"
    "ほかの手段でプリンタに送るときに使います。\n",
    "usage: vxctl job FILE.dat -o FILE.bin\n"
    "\n"
    "Writes the 29 bytes the settings program sends for this file into FILE.bin, for any\n"
    "other way to the printer.\n"};

inline constexpr Text kHelpPrinters = {
    "使い方: vxctl printers [--model]\n"
    "\n"
    "Windows: 設定プログラムのプリンタ一覧と同じく、QX-K480/330 のドライバを使うプリンタを\n"
    "名前順に表示します（名前と接続先）。\n"
    "Linux: CUPS の宛先をすべて、または --model で機種名に QX-K480/330 を含むものを表示します\n"
    "（名前、メーカーと機種、デバイス URI）。\n",
    "usage: vxctl printers [--model]\n"
    "\n"
    "Windows: the printers of the model's drivers, sorted by name, as the settings program's\n"
    "printer list shows them (name and destination).\n"
    "Linux: every CUPS destination, or with --model those whose make-and-model names the\n"
    "QX-K480/330 (name, make and model, device URI).\n"};

inline constexpr Text kHelpSend = {
    "使い方: vxctl send FILE.dat (--printer NAME | --device PATH)… [--timeout 秒] [--jobs N]\n"
    "                  [--keep-queued] [--json]\n"
    "\n"
    "設定値を 29 バイトの raw ジョブ \"Veltrix Status Write\" として各プリンタに送ります。\n"
    "Windows: スプーラ経由（接続先 FILE: のプリンタには送りません）。\n"
    "Linux: CUPS のキューごとに raw ジョブを作り、終わるまで待って最終状態を表示します。\n"
    "--device /dev/usb/lp0 などはデバイスに直接書き込みます。\n"
    "送信先は同時に最大 N 台（--jobs、既定 16）で、全体で --timeout 秒（既定 60）以内に\n"
    "終わります。その時点で終わっていないジョブは取り消します（--keep-queued でキューに残す）。\n"
    "送信先ごとに指定順で 1 行（--json では 1 レコード: printer、transport、job、result、\n"
    "state、reason、cancelled、seconds、message）を表示し、すべて成功したときだけ 0、\n"
    "失敗があれば 1、引数やファイルの誤りは 2 で終わります。\n",
    "usage: vxctl send FILE.dat (--printer NAME | --device PATH)… [--timeout SECONDS] [--jobs N]\n"
    "                 [--keep-queued] [--json]\n"
    "\n"
    "Sends the settings to each printer as the 29-byte raw job \"Veltrix Status Write\".\n"
    "Windows: through the spooler (never to a printer whose destination is FILE:).\n"
    "Linux: one raw job per CUPS queue, waited for until it ends, with its final state;\n"
    "--device /dev/usb/lp0 and the like are written directly.\n"
    "Up to N targets at a time (--jobs, 16 by default), all within one --timeout (60 s by\n"
    "default): a job not ended by then is cancelled (--keep-queued leaves it queued).\n"
    "One line per target in the order given (--json: one record each, with printer,\n"
    "transport, job, result, state, reason, cancelled, seconds, message); exit 0 when every\n"
    "target succeeded, 1 when one failed, 2 for wrong arguments or a file refused.\n"};

inline constexpr Text kHelpPrintSettings = {
    "使い方: vxctl print-settings (--printer NAME | --device PATH)… [--timeout 秒] [--jobs N]\n"
    "                            [--keep-queued] [--json]\n"
    "\n"
    "4 バイトのコマンド 1C 6F 32 2E を raw ジョブ \"Veltrix Print Setting\" として送り、\n"
    "プリンタに現在の設定値を印刷させます。結果と終了コードは send と同じです。\n",
    "usage: vxctl print-settings (--printer NAME | --device PATH)… [--timeout SECONDS] [--jobs N]\n"
    "                           [--keep-queued] [--json]\n"
    "\n"
    "Sends the 4-byte command 1C 6F 32 2E as the raw job \"Veltrix Print Setting\": the\n"
    "printer prints its current settings. Results and exit code as for send.\n"};

inline constexpr Text kHelpReceive = {
    "使い方: vxctl receive --printer NAME… | --host HOST[:PORT]… | --device PATH… [--snmp-port N]\n"
    "                      [-o FILE.dat] [--json] [--jobs N] [--timeout 秒]\n"
    "\n"
    "プリンタが保持している設定値を読み取り、show と同じように表示します（-o は設定ファイルに\n"
    "書き込みます。プリンタ 1 台のときだけ）。設定プログラムと同じく、デバイス ID の EXTSTS:\n"
    "で印刷中やエラーでないことを確かめてから 5 バイトの要求を送り、12 バイトの応答を\n"
    "工場出荷設定の上に展開します。\n"
    "  --host HOST[:PORT]  LAN インタフェースのプリンタ: デバイス ID は SNMP v1 の GET\n"
    "                      （コミュニティ public、UDP ポート 161 または --snmp-port）、\n"
    "                      要求と応答は raw ポート（既定 9100）の TCP 接続で\n"
    "  --device PATH       USB プリンタ（Linux の usblp: /dev/usb/lp0 など。USB-パラレル変換\n"
    "                      ケーブルの先のプリンタも）: デバイス ID は sysfs の ieee1284_id から\n"
    "  --printer NAME      キューの接続先から: Linux では CUPS のデバイス URI が "
    "socket://HOST:PORT\n"
    "                      か usb://MAKE/MODEL?serial=… のもの\n"
    "プリンタは同時に最大 N 台（--jobs、既定 16）読み取ります。--timeout 秒を過ぎてから順番が\n"
    "来たプリンタは読み取りません。--json ではプリンタごとに 1 レコード（printer、transport、\n"
    "seconds、result と、設定値または error）。\n"
    "プリンタごとに指定順で結果を表示し、すべて読み取れたときだけ 0 で終わります（失敗は 1）。\n",
    "usage: vxctl receive --printer NAME… | --host HOST[:PORT]… | --device PATH… [--snmp-port N]\n"
    "                     [-o FILE.dat] [--json] [--jobs N] [--timeout SECONDS]\n"
    "\n"
    "Reads the settings a printer holds and shows them as show does (-o writes them to a\n"
    "settings file instead, for one printer only). As the settings program does, it checks the\n"
    "device ID's EXTSTS: (not printing, no error), sends the 5-byte request and spreads the\n"
    "12-byte reply over the factory settings.\n"
    "  --host HOST[:PORT]  a printer on its LAN interface: the device ID by one SNMP v1 GET\n"
    "                      (community public, UDP port 161 or --snmp-port), the request and the\n"
    "                      reply over a TCP connection to its raw port (9100 by default)\n"
    "  --device PATH       a USB printer (Linux usblp: /dev/usb/lp0 and the like, also a printer\n"
    "                      behind a USB-to-parallel cable): the device ID from sysfs ieee1284_id\n"
    "  --printer NAME      by the queue's destination: on Linux a CUPS queue whose device URI is\n"
    "                      socket://HOST:PORT or usb://MAKE/MODEL?serial=…\n"
    "Up to N printers are read at a time (--jobs, 16 by default); with --timeout SECONDS a\n"
    "printer whose turn comes later is not read. --json: one record per printer (printer,\n"
    "transport, seconds, result, and the settings or the error).\n"
    "One result per printer in the order given; exit 0 only when every printer was read,\n"
    "else 1.\n"};

inline constexpr Text kHelpSimulate = {
    "使い方: vxctl simulate [--listen [HOST:]PORT | --usb DIR] [--snmp HOST:PORT] [--busy]\n"
    "                       [--state FILE.dat] [--jobs N]\n"
    "\n"
    "QX-K480/330 のネットワークプリンタの代わりに raw ポート（既定 127.0.0.1:9100、ポート 0 は\n"
    "空いているポート）で待ち受け、受け取ったジョブごとにプリンタの動作を表示します:\n"
    "\"settings written\" と変わった設定（最初は工場出荷設定）、または \"print settings "
    "requested\"。\n"
    "設定値の要求 1C 6F 33 2E 00 には現在の設定値から 12 バイトで応答します。\n"
    "--snmp は UDP でデバイス ID の SNMP GET に応答します（EXTSTS:00000000、--busy で印刷中）。\n"
    "--usb DIR は USB プリンタの代わりになります（Linux: DIR/dev/usb/lp0 と\n"
    "DIR/sys/class/usbmisc/lp0/device/ieee1284_id。VXCTL_USB_ROOT=DIR で vxctl が使います）。\n"
    "--state は現在の設定値を設定ファイルとして保持します（あれば起動時に読み込みます）。\n"
    "--jobs N は N 個のジョブの後で終わります。\n",
    "usage: vxctl simulate [--listen [HOST:]PORT | --usb DIR] [--snmp HOST:PORT] [--busy]\n"
    "                      [--state FILE.dat] [--jobs N]\n"
    "\n"
    "Stands in for a network printer of the model on its raw port (by default 127.0.0.1:9100;\n"
    "port 0 takes a free one) and prints, for every job, what the printer does: \"settings\n"
    "written\" with the settings that changed (it starts at the factory settings), or \"print\n"
    "settings requested\". The request 1C 6F 33 2E 00 is answered with the 12-byte reply of\n"
    "the current settings. --snmp answers the device ID's SNMP GET on UDP (EXTSTS:00000000;\n"
    "--busy: printing). --usb DIR stands in for a USB printer instead (Linux: DIR/dev/usb/lp0\n"
    "and DIR/sys/class/usbmisc/lp0/device/ieee1284_id; vxctl uses them when VXCTL_USB_ROOT=DIR).\n"
    "--state keeps its current settings as a settings file (read at the start when it exists).\n"
    "--jobs N ends after N jobs.\n"};

inline constexpr Text kHelpDeploy = {
    "使い方: vxctl deploy PLAN [--dry-run] [--json] [--timeout 秒] [--jobs N] [--keep-queued]\n"
    "                        [--snmp-port N]\n"
    "\n"
    "計画ファイル PLAN のとおりに、プリンタごとに設定値を送ります。1 行に 1 つ:\n"
    "  TARGET [FILE.dat] [KEY=VALUE…]      # から行末まではコメント\n"
    "TARGET は CUPS のキュー名かパターン（* と ?）、host:HOST[:PORT]（raw ポートに直接）、\n"
    "device:PATH。FILE.dat があればその設定値、なければプリンタが今保持している設定値\n"
    "（receive と同じく読み取ります）に KEY=VALUE の変更を加えたものを送ります。\n"
    "プリンタは最初に当てはまった行のものを受け取ります。--dry-run は送らずに、プリンタごとに\n"
    "受け取る設定値と、読み取れれば今の設定値との違いを表示します。\n"
    "送信と結果、終了コードは send と同じです（当てはまるプリンタのないパターンも失敗）。\n"
    "\n"
    "例:\n"
    "  QX-Floor*            office.dat\n"
    "  QX-Counter           office.dat buzzer=disabled\n"
    "  host:192.0.2.30      country=usa\n",
    "usage: vxctl deploy PLAN [--dry-run] [--json] [--timeout SECONDS] [--jobs N] [--keep-queued]\n"
    "                         [--snmp-port N]\n"
    "\n"
    "Sends each printer the settings a plan gives it. The plan has one line per group:\n"
    "  TARGET [FILE.dat] [KEY=VALUE…]      # a comment to the end of the line\n"
    "TARGET is a CUPS queue's name or a pattern (* and ?), host:HOST[:PORT] (its raw port\n"
    "directly) or device:PATH. The printer gets FILE.dat's settings, or without a file the\n"
    "settings it holds (read as receive reads them), with the KEY=VALUE changes. A printer gets\n"
    "what the first line naming it says. --dry-run sends nothing: it shows per printer what it\n"
    "would get and, where it can be read, how that differs from what it holds now.\n"
    "Sending, results and exit codes as for send (a pattern no printer matches fails too).\n"
    "\n"
    "example:\n"
    "  QX-Floor*            office.dat\n"
    "  QX-Counter           office.dat buzzer=disabled\n"
    "  host:192.0.2.30      country=usa\n"};

inline constexpr Text kHelpDiscover = {
    "使い方: vxctl discover A.B.C.D/N [--snmp-port N] [--jobs N] [--receive] [--json]\n"
    "\n"
    "範囲（/24 から /32）の各ユニキャストアドレスに SNMP v1 の GET でデバイス ID を 1 回だけ\n"
    "問い合わせ（0.7 秒、同時に最大 --jobs 個、既定 32）、QX-K480/330 のプリンタをアドレス、\n"
    "機種、シリアル番号、状態とともに表示します。--receive はその設定値も読み取ります。\n",
    "usage: vxctl discover A.B.C.D/N [--snmp-port N] [--jobs N] [--receive] [--json]\n"
    "\n"
    "Asks every unicast address of the range (/24 to /32) once for its device ID by one SNMP v1\n"
    "GET (0.7 s, at most --jobs at a time, 32 by default) and lists the printers of the\n"
    "QX-K480/330 with address, model, serial number and status; --receive reads their settings\n"
    "too.\n"};

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
